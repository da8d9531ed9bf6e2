#pragma once

#include "scenewright/core/DocumentChange.h"
#include "scenewright/core/InteractionCatalogue.h"
#include "scenewright/core/SceneChange.h"
#include "scenewright/core/World.h"
#include "scenewright/core/io/FileOperations.h"
#include "scenewright/core/action/FieldTable.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core {

class Actor;
class AtmoObject;
class IAtmoObject;
class IdCounter;
class ISceneHistory;
class PrimitiveObj;
struct PhysicalModel;

namespace action {
class AtmoAction;
class AtmoInteraction;
class AtmoTrigger;
} // namespace action

namespace script {
class Sounds;
}

// One project as the user edits it: the scene objects in order (the world
// first, the actor second, then the user's objects), the project's name,
// file and localised flag, and whether it is saved.
//
// Every edit goes through the operations below: each applies its change,
// hands the history a change that can undo and redo it, marks the document
// unsaved and tells the listeners what changed, so the views refresh what
// they show and the save state always tells whether the file is behind the
// scene. Numbers for generated names come from the program's id counter,
// which the document is given and which outlives it.
class SceneDocument {
public:
    using ObjectPtr = std::shared_ptr<IAtmoObject>;

    static constexpr int STATE_SAVED = 0;
    static constexpr int STATE_UNSAVED = 1;
    static constexpr int STATE_NEW = 2;
    // The project-file extension, with its dot.
    static constexpr const char* suffix = ".scw";

    // An empty document, named "default", new, to be filled with
    // appendObject (a project reader, an importer, a test).
    explicit SceneDocument(IdCounter& ids);
    SceneDocument(const SceneDocument&) = delete;
    SceneDocument& operator=(const SceneDocument&) = delete;

    // A new project named "default" holding a new world and actor. The
    // actor's move action takes numbers: when none are left it throws
    // IdsExhausted.
    static std::shared_ptr<SceneDocument> createDefault(IdCounter& ids);
    // The project of the file; an empty file opens as the default project.
    // A file that cannot be read or is refused gives null, with `error`
    // naming the file and what is wrong. The counter ends past every number
    // the file uses.
    static std::shared_ptr<SceneDocument> open(const std::string& path, IdCounter& ids, std::string& error);

    // The program's id counter, which the document's edits number from.
    IdCounter& ids() const { return ids_; }
    const InteractionCatalogue& catalogue() const { return catalogue_; }

    // The scene.
    const std::vector<ObjectPtr>& objects() const { return objects_; }
    int objectCount() const { return static_cast<int>(objects_.size()); }
    const ObjectPtr& object(int index) const { return objects_.at(index); }
    // The position of the object in the list; -1 when it is not listed.
    int indexOf(const IAtmoObject* object) const;
    std::shared_ptr<World> world() const;
    std::shared_ptr<Actor> actor() const;
    // Appends the object as it is, recording nothing: for building a
    // document. Edits add objects with addObject.
    void appendObject(ObjectPtr object) { objects_.push_back(std::move(object)); }

    // The project.
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    const std::optional<std::string>& fileLocation() const { return fileLocation_; }
    void setFileLocation(std::optional<std::string> location) { fileLocation_ = std::move(location); }
    bool localiseScript() const { return localiseScript_; }
    int state() const { return state_; }
    bool isSaved() const { return state_ == STATE_SAVED; }
    // Stores the save state and tells the listeners.
    void setState(int state);
    // Writes the project to its file location. On success the document is
    // saved, without telling the listeners (the caller does, with
    // setState, when it is done); on failure it keeps its state and the
    // message (naming the path and the reason) is returned.
    // `operations` are the system calls the save makes (a test's, to make
    // it fail).
    std::optional<std::string> save(io::FileOperations& operations = io::FileOperations::system());
    // Gives every scripted object without a number its number, as the step
    // before a script is generated. When too few numbers are left it throws
    // IdsExhausted and numbers none.
    void nameObjects();

    // While a step lives, the changes made form one undo step, handed to the
    // history when the outermost step ends (an editor's save writing many
    // fields, also one that stops at a refused field). A step in which
    // nothing changed leaves no trace.
    class Step {
    public:
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        friend class SceneDocument;
        Step(SceneDocument& document, std::string text);
        SceneDocument& document_;
    };

    // The history that receives every change from now on; without one
    // nothing is recorded. Not owned.
    void setHistory(ISceneHistory* history) { history_ = history; }
    ISceneHistory* history() const { return history_; }
    [[nodiscard]] Step step(std::string text);
    // Undo or redo a recorded change, then mark the document and tell the
    // listeners like any other change.
    void undo(const SceneChange& change);
    void redo(const SceneChange& change);

    // A new object of the type ("model.aer/.atmo", "primitive", "viewpoint";
    // any other text gives a solid object), appended to the list. When too
    // few numbers are left for the interactions it will be offered, it
    // throws IdsExhausted and adds nothing.
    std::shared_ptr<AtmoObject> addObject(const std::string& name, const std::string& type);
    // Removes the object at the position; false, with nothing changed, for
    // the world, the actor or a position outside the list.
    bool removeObject(int index);
    void renameObject(IAtmoObject& object, std::string name);
    void setSolidObjectIndex(PrimitiveObj& primitive, std::optional<std::string> index);
    // Consecutive changes of one model with the same non-empty `control`
    // (one slider's moves) may merge into one undo step.
    void setPhysicalModel(IAtmoObject& object, PhysicalModel& model, const PhysicalModel& values,
                          std::string_view control = {});
    // Replaces the target's triggers and actions by copies of the source's.
    // When too few numbers are left for the copies, it throws IdsExhausted
    // and changes nothing.
    void copyInteractions(const IAtmoObject& source, IAtmoObject& target);
    // Attaches one inactive instance of every standard action the object
    // allows and of every trigger kind, where the object has none yet. This
    // only makes the offered interactions editable; the script stays the
    // same, so the document is not marked. False, with nothing attached,
    // when too few numbers are left.
    bool attachStandardInteractions(IAtmoObject& object);

    void setActive(action::AtmoInteraction& interaction, bool active);
    // Reads a typed text into the field, with the field's own parse and
    // check, and stores it; the message when the text is refused, with
    // nothing changed.
    std::optional<std::string> setFieldText(action::AtmoInteraction& interaction, std::string_view field,
                                            std::string_view text);
    // The same for several fields that stand or fall together: each text is
    // read once, and every one is stored only when all are accepted; the
    // first refusal otherwise, with nothing changed.
    using TypedField = std::pair<std::string_view, std::string_view>;
    std::optional<std::string> setFieldTexts(action::AtmoInteraction& interaction,
                                             std::span<const TypedField> fieldTexts);
    // Stores a field from its text; a text the field's type does not accept
    // throws std::invalid_argument and changes nothing (verify it first).
    void setField(action::AtmoInteraction& interaction, std::string_view field, std::string_view text);
    // A literal text is text; it would otherwise convert to bool.
    void setField(action::AtmoInteraction& interaction, std::string_view field, const char* text)
    {
        setField(interaction, field, std::string_view(text));
    }
    void setField(action::AtmoInteraction& interaction, std::string_view field, bool value);
    // False, with nothing changed, for an unknown field or a value of another type.
    bool setFieldValue(action::AtmoInteraction& interaction, std::string_view field, const action::FieldValue& value);
    // Gives the trigger its own list holding these actions, in order.
    void setTriggerActions(action::AtmoTrigger& trigger, std::vector<std::shared_ptr<action::AtmoAction>> actions);

    void setWelcomeMessage(World& world, std::optional<std::string> message);
    void setWelcomeEnabled(World& world, bool enabled);
    void setFogEnabled(World& world, bool enabled);
    void setGlareEnabled(World& world, bool enabled);
    void setFog(World& world, const World::Fog& fog);
    void setGlare(World& world, const World::Glare& glare);
    void addSound(World& world, World::SoundPtr sound);
    // Copies every setting of `values` into the sound; the sound keeps its id.
    void setSound(World& world, script::Sounds& sound, const script::Sounds& values);
    // A position outside the list changes nothing.
    void removeSound(World& world, int index);

    // Whether the project's script is localised.
    void setLocaliseScript(bool localise);

    // Called after every change of the document: each edit above (not
    // attachStandardInteractions, which changes no script), each undo and
    // redo, and each change of the save state. Returns a handle for
    // removeChangeListener.
    using ChangeListener = std::function<void(const DocumentChange&)>;
    int addChangeListener(ChangeListener listener);
    void removeChangeListener(int handle);

private:
    // How many numbers attaching the standard interactions takes.
    long long numbersToAttach(const IAtmoObject& object) const;

    // Marks the document unsaved and tells the listeners.
    void changed(const DocumentChange& change);
    void notify(const DocumentChange& change);
    // Hands the change to the history, or to the open step.
    void record(SceneChange change, const DocumentChange& what);
    // Stores a value of the field's type and records the value before and
    // after.
    void storeField(action::AtmoInteraction& interaction, const action::FieldTable::Field& field,
                    action::FieldValue value);
    void endStep();
    DocumentChange interactionChange(const action::AtmoInteraction& interaction) const;
    void insertObject(int index, ObjectPtr object);
    void removeObjectAt(int index);

    IdCounter& ids_;
    InteractionCatalogue catalogue_;
    std::vector<ObjectPtr> objects_;
    std::string name_ = "default";
    std::optional<std::string> fileLocation_;
    int state_ = STATE_NEW;
    bool localiseScript_ = false;

    ISceneHistory* history_ = nullptr;
    int openSteps_ = 0;
    std::string stepText_;
    std::vector<SceneChange> stepChanges_;

    std::map<int, ChangeListener> listeners_;
    int nextListenerHandle_ = 0;
};

} // namespace scenewright::core
