#pragma once

#include "scenewright/core/script/IScript.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace scenewright::core {

namespace action {
class AtmoTrigger;
}

// Multi-user synchronisation of triggers through the chat's shared objects.
// While the script is generated, synchronised triggers register the code of
// their actions here, keyed by (trigger name, property, value); the manager
// then writes the list of synchronised triggers and the shared-property
// handler that runs the registered code on every client.
class SharedObjectsManager : public script::IScript {
public:
    static SharedObjectsManager& getInstance();

    // The name of the script array that lists the synchronised triggers.
    const std::string triggernames = "triggernames";

    // Stores a new branch under the key, replacing any branch there.
    void setSynchForAction(const std::string& objname, const std::string& property, const std::string& value,
                           const std::string& script);
    void setActive(bool active) { active_ = active; }
    // Removes every branch of the trigger.
    void removeSynchsForTrigger(const std::string& name);
    // The list of synchronised trigger names.
    std::string getTriggerNames() const;
    // The code that sets the trigger's shared property when it fires.
    std::string getSynchTriggerScript(const std::string& name) const;
    // The code that clears the trigger's shared property on exit.
    std::string getSynchExitTriggerScript(const std::string& name) const;
    bool getActive() const { return active_; }
    // The shared-property handler and the connection set-up.
    std::string doScript() const override;
    void clearAttributes();
    // Appends the code to the branch under the key, creating it if needed.
    void appendSynchForAction(const std::string& objname, const std::string& property, const std::string& value,
                              const std::string& script);

    // Switches synchronisation off and empties the table. Only tests use it.
    static void resetForTesting();

private:
    SharedObjectsManager() = default;

    struct Branch {
        std::string key;
        std::string text;
        bool removed = false;
    };

    // The synchronised triggers: active, with usesSynch set, in registry order.
    static std::vector<const action::AtmoTrigger*> synchronisedTriggers();
    void store(const std::string& objname, const std::string& property, const std::string& value,
               const std::string& script, bool append);

    // Branches in the order their keys were first stored, with lookups by
    // key and by trigger name, so that generation stays linear.
    std::vector<Branch> branches_;
    std::unordered_map<std::string, std::size_t> byKey_;
    std::unordered_map<std::string, std::vector<std::size_t>> byTrigger_;
    bool active_ = false;
};

} // namespace scenewright::core
