#pragma once

#include "scenewright/core/AtmoObject.h"
#include "scenewright/core/script/ScriptText.h"

#include <optional>
#include <string>

namespace scenewright::core {

struct ObjectKind;

// A user-added object with a generated global variable: a prefix plus a
// number that the object takes from the id counter when a script is first
// named with it (ScriptNaming), and keeps for its lifetime.
class ScriptedObject : public AtmoObject {
public:
    // The prefix of the global variable, as in "modelobj".
    const std::string& prefix() const { return prefix_; }
    // The kind the object was made as.
    const ObjectKind& kind() const { return kind_; }

    // The variable of the object in a global script; null (printed "null")
    // until the object has its number.
    std::optional<std::string> scriptname;

    // The number of the global name, once taken.
    const std::optional<int>& globalId() const { return globalId_; }
    // Gives the object its number and with it its global variable (a new
    // number, or one a loaded project restores).
    void setGlobalId(int id);

    std::string getAtmoObjectScriptName(const script::ScriptContext& context) const override;
    using AtmoObject::getInnerScriptName;
    std::string getInnerScriptName(const script::ScriptContext& context, bool bare) const override;
    std::string updateStatus() const override { return triggerStatus(); }

protected:
    // The object takes its type text, its prefix and whether a localised
    // script reaches it through "this" from its kind.
    explicit ScriptedObject(const ObjectKind& kind);

    // The variable of the object in a global script.
    std::string globalName() const { return script::ScriptText::orNull(scriptname); }
    bool isLocalised(const script::ScriptContext& context) const;
    // Appends the on-load code of the qualifying actions (active ones with
    // on-load code, or every action when the physical model is active), the
    // opening before the first; returns how many actions qualified.
    int appendOnLoadScripts(const script::ScriptContext& context, std::string& out, const std::string& opening,
                            bool physicalModelActive) const;

private:
    const ObjectKind& kind_;
    std::string prefix_;
    std::optional<int> globalId_;
};

} // namespace scenewright::core
