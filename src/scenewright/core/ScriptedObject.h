#pragma once

#include "scenewright/core/AtmoObject.h"

#include <optional>
#include <string>

namespace scenewright::core {

// A user-added object with a generated global variable: a prefix plus a
// number that the object takes from the shared id counter at its first
// declaration and keeps for its lifetime.
class ScriptedObject : public AtmoObject {
public:
    // The variable other script uses; null (printed "null") before the first
    // declaration. Localisable kinds rewrite it at every declaration.
    std::optional<std::string> scriptname;

    // The number of the global name, once taken.
    const std::optional<int>& getGlobalId() const { return globalId_; }
    // Gives the object its number (a loaded project restores it).
    void setGlobalId(int id);

    std::string getAtmoObjectScriptName() const override;
    using AtmoObject::getInnerScriptName;
    std::string getInnerScriptName(bool bare) const override;
    std::string updateStatus() const override { return triggerStatus(); }

protected:
    // A localisable kind is scripted through "this" when the project's
    // script is localised.
    ScriptedObject(std::string type, std::string prefix, bool localisable);

    // The global name, taking the number first if the object has none yet.
    std::string globalName();
    bool isLocalised() const;
    // Appends the on-load code of the qualifying actions (active ones with
    // on-load code, or every action when the physical model is active), the
    // opening before the first; returns how many actions qualified.
    int appendOnLoadScripts(std::string& out, const std::string& opening, bool physicalModelActive) const;

private:
    std::string prefix_;
    bool localisable_;
    std::optional<int> globalId_;
};

} // namespace scenewright::core
