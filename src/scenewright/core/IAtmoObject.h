#pragma once

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace scenewright::core {

namespace action {
class AtmoAction;
class AtmoTrigger;
} // namespace action

namespace script {
class ScriptContext;
}

// A scene object: a thing of the world that the generated script talks to.
// It has a name, a type, an ordered pool of actions and an ordered list of
// triggers that refer to actions.
class IdCounter;

class IAtmoObject {
public:
    static constexpr const char* TYPE_MODEL = "model.aer/.atmo";
    static constexpr const char* TYPE_VIEWPOINT = "viewpoint";
    static constexpr const char* TYPE_PRIMITIVE = "primitive";
    static constexpr const char* TYPE_ACTOR = "actor";
    static constexpr const char* TYPE_SOLIDOBJECT = "solid-object";

    using ActionPtr = std::shared_ptr<action::AtmoAction>;
    using TriggerPtr = std::shared_ptr<action::AtmoTrigger>;

    virtual ~IAtmoObject() = default;

    virtual std::string toString() const = 0;
    // The one-line summary of what the object contributes to the script.
    virtual std::string updateStatus() const = 0;
    virtual void setType(std::string type) = 0;
    // The name as the user types it; a kind may tidy it first.
    virtual void setName(std::string name) = 0;
    // Puts back a name exactly as it was kept (a project file, an undo).
    virtual void restoreName(std::string name) = 0;
    virtual const std::string& getType() const = 0;
    virtual const std::string& getName() const = 0;
    // The variable to use inside trigger and action code.
    virtual std::string getInnerScriptName(const script::ScriptContext& context, bool bare) const = 0;
    virtual std::string getInnerScriptName(const script::ScriptContext& context) const = 0;
    virtual std::string getDisplayName() const = 0;

    virtual int getAtmoTriggerSize() const = 0;
    virtual const std::vector<TriggerPtr>& getAtmoTriggerListData() const = 0;
    // The first trigger of exactly that class, or null.
    virtual TriggerPtr getAtmoTrigger(const std::type_info& kind) const = 0;
    virtual TriggerPtr getAtmoTrigger(int index) const = 0;

    // The variable through which other script refers to the object.
    virtual std::string getAtmoObjectScriptName(const script::ScriptContext& context) const = 0;
    // The declaration. An object is declared under the global number it
    // took when the script was named (ScriptNaming).
    virtual std::string getAtmoObjectDeclaration(const script::ScriptContext& context) const = 0;

    virtual int getAtmoActionSize() const = 0;
    virtual const std::vector<ActionPtr>& getAtmoActionListData() const = 0;
    virtual ActionPtr getAtmoAction(const std::type_info& kind) const = 0;
    virtual ActionPtr getAtmoAction(int index) const = 0;

    // The fragments of the active triggers, in order.
    std::string generateAtmoScript(script::ScriptContext& context) const
    {
        std::string out;
        appendAtmoScript(context, out);
        return out;
    }
    // Appends the same fragments to `out`.
    virtual void appendAtmoScript(script::ScriptContext& context, std::string& out) const = 0;
    // Replaces this object's triggers and actions by copies of the source's,
    // numbered from `ids`.
    virtual void copy(const IAtmoObject& source, IdCounter& ids) = 0;
    // Appends the trigger unless one of the same class is already held.
    virtual void addAtmoTrigger(TriggerPtr trigger) = 0;
    // Appends the action unless one of the same class is already held.
    virtual void addAtmoAction(ActionPtr action) = 0;
    // Appends the action as it stands, without the one-per-kind rule (an
    // object rebuilt from a project file holds what it held when saved).
    virtual void appendAtmoAction(ActionPtr action) = 0;
    virtual void appendAtmoTrigger(TriggerPtr trigger) = 0;
    // Removes every reference to the action from this object's triggers.
    virtual void removeActionReferences(const action::AtmoAction* action) = 0;
    // Exchanges the object's action pool and trigger list with the given
    // ones, as they stand (undoing a copy puts back what it replaced).
    virtual void swapInteractions(std::vector<ActionPtr>& actions, std::vector<TriggerPtr>& triggers) = 0;
};

} // namespace scenewright::core
