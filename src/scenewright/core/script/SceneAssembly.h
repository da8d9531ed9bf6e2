#pragma once

#include "scenewright/core/script/RecognisedScene.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace scenewright::core::script {

// An object as a fragment of the script names it.
struct ScriptObjectName {
    enum class Kind { World, Actor, Global, This };
    Kind kind = Kind::World;
    // A global name's prefix ("modelobj") and number.
    std::string prefix;
    int number = 0;

    bool operator==(const ScriptObjectName&) const = default;
};

// The kinds of user object a localised object ("this") may still be.
enum ObjectKinds : unsigned {
    kPrimitive = 1,
    kViewpoint = 2,
    kSolidObject = 4,
    kAnyLocalisable = kPrimitive | kViewpoint | kSolidObject,
};

// What one fragment tells of an action.
struct ActionSighting {
    std::string className;
    // The owner as the fragment names it; none when the fragment names none.
    std::optional<ScriptObjectName> owner;
    // The kinds the fragment's text allows its owner to be.
    unsigned ownerKinds = kAnyLocalisable;
    // The owner's text form ("lamp <model.aer/.atmo>") from a comment.
    std::optional<std::string> ownerText;
    // The owner's name, where a fragment spells it out in code.
    std::optional<std::string> ownerName;
    // What makes it this action and no other: its generated name
    // ("revanim7"), or its fields where it has none.
    std::string key;
    std::optional<std::vector<int>> ids;
    RecognisedFields fields;
    // A fade's step, a tenth of the way from the first opacity to the last.
    std::optional<double> fadeStep;
    // Where the fragment starts in the compressed script.
    std::size_t at = 0;
};

// A user object's declaration, or the on-load code of a localised viewpoint
// object, which declares nothing else.
struct ObjectSighting {
    std::string type;
    ScriptObjectName name;
    std::string objectName;
    bool nameShown = false;
    RecognisedFields fields;
    // The declaration opens an on-load function.
    bool onLoad = false;
    std::size_t at = 0;
};

// One trigger's code in the trigger section.
struct TriggerSighting {
    std::string className;
    ScriptObjectName object;
    // The object's text form from a comment.
    std::optional<std::string> objectText;
    RecognisedFields fields;
    // The number of its synchronisation name, when its code sets the shared
    // property; such a trigger's actions are in the shared-object handler.
    std::optional<int> synchronisedId;
    // The actions its code runs, in order.
    std::vector<ActionSighting> actions;
    // Empty lines before it, counted from the end of the world's script.
    int emptyLinesBefore = 0;
    std::size_t at = 0;
};

// The wait of a first-load trigger for the objects its actions need.
struct FirstLoadWait {
    ScriptObjectName object;
    // The trigger's object is a solid object ("if(true").
    bool solidObject = false;
    std::vector<ScriptObjectName> owners;
    std::size_t at = 0;
};

// Collects what the fragments tell and puts the scene together: gives each
// action its owner and each trigger its object where the script leaves it
// open, gives the objects of a localised script their places, and adds the
// inactive actions the script shows only by their traces.
class SceneAssembly {
public:
    explicit SceneAssembly(bool generatorLayout);

    void setLocalised() { localised_ = true; }
    void setSynchronised() { synchronised_ = true; }

    // The declarations, in order: objects, and after each the set-up code of
    // its active actions.
    void declareObject(const ObjectSighting& object);
    void declarePhysicalModel(RecognisedFields fields, const std::optional<std::string>& objectText);
    void onLoadOpacity(double initialOpacity, std::size_t at);
    void onLoadTimeElements(const RecognisedFields& fields, const std::optional<std::string>& objectName,
                            std::size_t at);
    void declareAction(const ActionSighting& action);

    void firstLoadWait(const FirstLoadWait& wait) { waits_.push_back(wait); }
    void synchronisedNames(std::vector<int> numbers) { synchronisedNames_ = std::move(numbers); }

    // The world's script.
    void welcomeLine(std::string line) { welcomeLines_.push_back(std::move(line)); }
    void worldRecord(const std::string& key, RecognisedFields fields);
    void worldSound(RecognisedFields fields) { sounds_.push_back(std::move(fields)); }
    // Empty lines the world's script ends with, in the generator's layout.
    void setWorldTail(int emptyLines) { worldTail_ = emptyLines; }

    // The trigger section, in order.
    void trigger(const TriggerSighting& trigger);
    // A trigger without actions, known from its comment.
    void actionlessTrigger(const std::string& className, int emptyLinesBefore, std::size_t at);
    // Empty lines after the last trigger's code.
    void setEmptyLinesAfterTriggers(int emptyLines) { emptyLinesAtEnd_ = emptyLines; }

    // A branch of the shared-object handler.
    void branch(int synchronisedId, bool running, std::vector<ActionSighting> actions, std::size_t at);

    RecognisedScene scene();

    // Where the script leaves the places of triggers or objects open, the
    // assembly takes the first place that suits each; with detours, the
    // choices of those numbers pass over the first and take the next, other
    // readings for a script the first does not give back.
    void setDetours(std::vector<std::size_t> choices) { detours_ = std::move(choices); }
    // The choices of a place the assembly made.
    std::size_t placeChoices() const { return choices_; }

private:
    struct Object {
        std::string type; // empty: a localised object whose kind is open
        unsigned kinds = kAnyLocalisable;
        std::string name;
        bool nameShown = false;
        // Shown in code rather than in a comment.
        bool nameExact = false;
        bool localised = false; // scripted as "this"
        std::optional<int> id;
        RecognisedFields fields;
        std::optional<RecognisedFields> physicalModel;
        bool onLoad = false;
        // Actions the on-load code shows, in pool order, that have not
        // taken their place in the pool yet: the pool follows both the
        // on-load code and the set-up code after the declaration.
        std::vector<std::size_t> onLoadActions;
        std::vector<std::size_t> actions;
        std::vector<std::size_t> triggers;
        std::size_t at = 0;
    };
    struct Action {
        RecognisedInteraction interaction;
        std::optional<std::size_t> owner;
        // For an action whose owner is a localised object, the object it was
        // first seen on.
        std::optional<std::string> ownerText;
        std::optional<double> fadeStep;
        // Its localised owner is the trigger code's guess, not a fact.
        bool ownerGuessed = false;
        std::size_t at = 0;
    };
    struct Trigger {
        RecognisedInteraction interaction;
        std::optional<std::size_t> object;
        bool localisedObject = false;
        std::optional<std::string> objectText;
        std::optional<int> synchronisedId;
        bool usesSynchKnown = false;
        // Known only from its comment: it fires no actions.
        bool actionless = false;
        std::vector<std::size_t> actions;
        std::vector<ActionSighting> branch; // the handler's branch, until it is read
        bool branchRead = false;
        // The handler has a branch for it: it fires an active action.
        bool hasBranch = false;
        int emptyLinesBefore = 0;
        std::size_t at = 0;
    };

    std::size_t newObject(std::string type, bool localised, std::size_t at);
    void insertObject(std::size_t index, Object object);
    std::size_t objectNamed(const ScriptObjectName& name, std::size_t at) const;
    std::size_t actionOwner(const ActionSighting& action);
    std::size_t addAction(const ActionSighting& sighting, std::optional<std::size_t> owner, bool active);
    // The action whose set-up code the declarations show, for a sighting
    // in trigger code that names it; none for an action without set-up code.
    std::optional<std::size_t> setUpAction(const ActionSighting& sighting) const;
    // The action of the trigger code's sighting; `fired` are the actions the
    // trigger fires before it.
    std::size_t useAction(const ActionSighting& sighting, std::size_t triggerObject,
                          const std::vector<std::size_t>& fired);
    // A localised object that may take the action, the trigger's object
    // first; none when each holds one of its class.
    std::optional<std::size_t> fittingLocalised(const ActionSighting& sighting, std::size_t triggerObject) const;
    std::size_t localisedOwner(const ActionSighting& sighting, std::size_t triggerObject);
    bool mayOwn(const Object& object, const std::string& className) const;
    bool holds(const Object& object, const std::string& className) const;
    bool safeToAdd(const Object& object) const;
    std::size_t filler(std::size_t owner);
    // An active message without text, which writes nothing.
    std::size_t emptyMessage(std::size_t owner);
    std::size_t onLoadAction(const std::string& className, RecognisedFields fields);
    void flushOnLoadActions(Object& object, std::size_t upTo);
    // The opacity action the object's on-load code shows, while it has not
    // taken its place in the pool.
    std::optional<std::size_t> pendingOnLoadOpacity(const Object& object) const;
    // Makes it the active action whose set-up code the sighting is.
    void takeOnLoadOpacity(Object& object, std::size_t a, const ActionSighting& sighting);
    bool mayOwnNamed(const ScriptObjectName& name, const std::string& className) const;
    std::size_t ownerNamed(const ScriptObjectName& name, std::size_t triggerObject, const std::string& className);
    std::optional<std::size_t> solidObjectFor(const std::string& className) const;
    void giveText(Object& object, const std::string& text) const;

    // For each trigger, the kinds its wait allows a localised object.
    std::vector<unsigned> kindsByWaits() const;
    void solidOwnersByWaits();
    // `withEarlier`: only with the actions set up before it.
    void splitAtAction(std::size_t object, std::size_t action, bool withEarlier = false);
    void placeTriggers();
    // Counts a choice of a place; true when it is a detour's.
    bool detourHere()
    {
        return std::find(detours_.begin(), detours_.end(), choices_++) != detours_.end();
    }
    bool placeByLayout();
    void placeInOrder();
    void resolveBranches();
    void addActionlessSynchronised();
    // The owners chosen for actions without one: a name, or none.
    using ChosenOwners = std::map<std::size_t, std::optional<ScriptObjectName>>;
    // The costs of the ways to read a wait: an action waiting for an owner
    // (match), for none, or an inactive action waiting (fill); and the
    // least cost from each pair of places on.
    struct WaitPlan {
        std::vector<std::vector<int>> match;
        std::vector<int> none;
        std::vector<int> fill;
        std::vector<std::vector<int>> cost;
    };
    // The least cost of reading the wait of a trigger firing the actions.
    int planWait(const FirstLoadWait& wait, const std::vector<std::size_t>& actions, const ChosenOwners& chosen,
                 WaitPlan& plan) const;
    ChosenOwners chooseSharedOwners(const std::vector<std::size_t>& firstLoads) const;
    void alignFirstLoadWaits();
    void giveOwners();
    void completeActions();
    void settleKinds();
    RecognisedScene build() const;

    bool generatorLayout_;
    bool localised_ = false;
    bool synchronised_ = false;
    std::vector<Object> objects_;
    std::vector<Action> actions_;
    std::vector<Trigger> triggers_;
    std::map<std::string, std::size_t> keyed_;
    // The trigger of each synchronisation number.
    std::map<int, std::size_t> synchronisedTriggers_;
    // Where each global name was found last: the kind and number.
    mutable std::map<std::pair<unsigned, int>, std::size_t> namedAt_;
    std::size_t current_ = 0; // the object the declarations are at
    bool actorMoveTaken_ = false;
    std::vector<FirstLoadWait> waits_;
    std::optional<std::vector<int>> synchronisedNames_;
    std::vector<std::string> welcomeLines_;
    std::vector<std::pair<std::string, RecognisedFields>> worldRecords_;
    std::vector<RecognisedFields> sounds_;
    int worldTail_ = 0;
    int emptyLinesAtEnd_ = 0;
    std::vector<std::size_t> detours_;
    std::size_t choices_ = 0;
};

} // namespace scenewright::core::script
