#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace scenewright::core {
class IAtmoObject;
namespace action {
class AtmoTrigger;
}
} // namespace scenewright::core

namespace scenewright::core::script {

class ScriptOutput;

// Multi-user synchronisation of triggers through the chat's shared objects,
// for one generation of a script. While the script is generated,
// synchronised triggers register the code of their actions here, keyed by
// (trigger name, property, value); the table then writes the list of
// synchronised triggers and the shared-property handler that runs the
// registered code on every client.
class SynchronisationTable {
public:
    using Objects = std::vector<std::shared_ptr<IAtmoObject>>;

    // The name of the script array that lists the synchronised triggers.
    static constexpr const char* triggernames = "triggernames";

    // Stores a new branch under the key, replacing any branch there.
    void setSynchForAction(const std::string& objname, const std::string& property, const std::string& value,
                           const std::string& script);
    // Removes every branch of the trigger.
    void removeSynchsForTrigger(const std::string& name);
    // The list of the objects' synchronised trigger names.
    static std::string getTriggerNames(const Objects& objects);
    // The code that sets the trigger's shared property when it fires.
    std::string getSynchTriggerScript(const std::string& name) const;
    // The code that clears the trigger's shared property on exit.
    std::string getSynchExitTriggerScript(const std::string& name) const;
    // The shared-property handler of the objects' synchronised triggers,
    // and the connection set-up.
    void doScript(const Objects& objects, ScriptOutput& out) const;
    void clearAttributes();
    // Appends the code to the branch under the key, creating it if needed.
    void appendSynchForAction(const std::string& objname, const std::string& property, const std::string& value,
                              const std::string& script);

private:
    struct Branch {
        std::string key;
        std::string text;
        bool removed = false;
    };

    // The synchronised triggers: active, with usesSynch set, in object order.
    static std::vector<const action::AtmoTrigger*> synchronisedTriggers(const Objects& objects);
    void store(const std::string& objname, const std::string& property, const std::string& value,
               const std::string& script, bool append);

    // Branches in the order their keys were first stored, with lookups by
    // key and by trigger name, so that generation stays linear.
    std::vector<Branch> branches_;
    std::unordered_map<std::string, std::size_t> byKey_;
    std::unordered_map<std::string, std::vector<std::size_t>> byTrigger_;
    std::string keyBuffer_;
};

} // namespace scenewright::core::script
