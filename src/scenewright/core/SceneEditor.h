#pragma once

#include "scenewright/core/SceneChange.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/FieldTable.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core {

class AtmoObject;
class IAtmoObject;
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

// The one way the editors change the scene. Every operation applies its
// change to the model, hands the history a change that can undo and redo it,
// and then marks the current project unsaved, so the save state the window
// shows always tells whether the file is behind the scene.
class SceneEditor {
public:
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
        friend class SceneEditor;
        Step(SceneEditor& editor, std::string text);
        SceneEditor& editor_;
    };

    static SceneEditor& getInstance();

    // The history that receives every change from now on; without one (as
    // at start) nothing is recorded. Not owned.
    void setHistory(ISceneHistory* history) { history_ = history; }
    ISceneHistory* getHistory() const { return history_; }
    [[nodiscard]] Step step(std::string text);
    // Undo or redo a recorded change, then mark the project and tell the
    // listeners like any other change.
    void undo(const SceneChange& change);
    void redo(const SceneChange& change);

    // A new object of the type ("model.aer/.atmo", "primitive", "viewpoint";
    // any other text gives a solid object), appended to the registry. When
    // too few numbers are left for the interactions it will be offered, it
    // throws IdsExhausted and adds nothing.
    std::shared_ptr<AtmoObject> addObject(const std::string& name, const std::string& type);
    // Removes the object at the position; false, with nothing changed, for
    // the world, the actor or a position outside the registry.
    bool removeObject(int index);
    void renameObject(IAtmoObject& object, std::string name);
    void setSolidObjectIndex(PrimitiveObj& primitive, std::optional<std::string> index);
    // Consecutive changes of one model with the same non-empty `control`
    // (one slider's moves) may merge into one undo step.
    void setPhysicalModel(PhysicalModel& model, const PhysicalModel& values, std::string_view control = {});
    // Replaces the target's triggers and actions by copies of the source's.
    // When too few numbers are left for the copies, it throws IdsExhausted
    // and changes nothing.
    void copyInteractions(const IAtmoObject& source, IAtmoObject& target);
    // Attaches one inactive instance of every standard action the object
    // allows and of every trigger kind, where the object has none yet. This
    // only makes the offered interactions editable; the script stays the
    // same, so the project is not marked. False, with nothing attached, when
    // too few numbers are left.
    bool attachStandardInteractions(IAtmoObject& object);

    void setActive(action::AtmoInteraction& interaction, bool active);
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
    bool setFieldValue(action::AtmoInteraction& interaction, std::string_view field,
                       const action::FieldValue& value);
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
    void setSound(script::Sounds& sound, const script::Sounds& values);
    // A position outside the list changes nothing.
    void removeSound(World& world, int index);

    // Whether the current project's script is localised; nothing happens
    // while there is no project.
    void setLocaliseScript(bool localise);

    // Called after every change an operation above makes to the scene (not
    // after attachStandardInteractions, which changes no script), so views
    // of the scene can refresh. Returns a handle for removeChangeListener.
    using ChangeListener = std::function<void()>;
    int addChangeListener(ChangeListener listener);
    void removeChangeListener(int handle);

private:
    SceneEditor() = default;

    // How many numbers attaching the standard interactions takes.
    static long long numbersToAttach(const IAtmoObject& object);

    void markChanged();
    // Hands the change to the history, or to the open step.
    void record(SceneChange change);
    // Runs `store` on a field and, when it stored, records the field's value
    // before and after.
    template <class Store>
    bool storeField(action::AtmoInteraction& interaction, std::string_view field, Store store);
    void endStep();

    ISceneHistory* history_ = nullptr;
    int openSteps_ = 0;
    std::string stepText_;
    std::vector<SceneChange> stepChanges_;

    std::map<int, ChangeListener> listeners_;
    int nextListenerHandle_ = 0;
};

} // namespace scenewright::core
