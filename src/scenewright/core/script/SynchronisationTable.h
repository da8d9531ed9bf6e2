#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scenewright::core::action {
class AtmoAction;
class AtmoTrigger;
} // namespace scenewright::core::action

namespace scenewright::core::script {

class ScriptContext;
class ScriptOutput;

// Multi-user synchronisation of triggers through the chat's shared objects,
// for one generation of a script. While the script is generated,
// synchronised triggers register the code of their actions here, keyed by
// (trigger name, property, value); the table then writes the list of
// synchronised triggers and the shared-property handler that runs the
// registered code on every client.
class SynchronisationTable {
public:
    // The synchronised triggers of a scene: active, with usesSynch set, in
    // object order.
    using Triggers = std::vector<const action::AtmoTrigger*>;

    // The name of the script array that lists the synchronised triggers.
    static constexpr const char* triggernames = "triggernames";

    // Stores a new branch under the key, replacing any branch there.
    void setSynchForAction(const std::string& objname, const std::string& property, const std::string& value,
                           const std::string& script);
    // Removes every branch of the trigger.
    void removeSynchsForTrigger(const std::string& name);
    // Makes room for the branches of that many synchronised triggers.
    void reserve(std::size_t triggers);
    // The list of the synchronised triggers' names.
    static std::string getTriggerNames(const Triggers& synchronised);
    // The code that sets the trigger's shared property when it fires.
    std::string getSynchTriggerScript(const std::string& name) const;
    void appendSynchTriggerScript(const std::string& name, std::string& out) const;
    // The code that clears the trigger's shared property on exit.
    std::string getSynchExitTriggerScript(const std::string& name) const;
    void appendSynchExitTriggerScript(const std::string& name, std::string& out) const;
    // The shared-property handler of the synchronised triggers, and the
    // connection set-up; the code of branches stored for triggers is
    // written in the context it was stored in.
    void doScript(const Triggers& synchronised, const ScriptContext& context, ScriptOutput& out) const;
    void clearAttributes();
    // Appends the code to the branch under the key, creating it if needed.
    void appendSynchForAction(const std::string& objname, const std::string& property, const std::string& value,
                              const std::string& script);
    // Removes every branch stored under the trigger's name; then, when the
    // trigger has an active action, stores the trigger's start branch
    // ('running' 'true') and exit branch ('running' 'false'), which run the
    // start and the exit code of its active actions. That code is written
    // with the handler, so the table never holds it.
    void replaceTriggerBranches(const action::AtmoTrigger& trigger, const std::string& name, bool activeActions);

private:
    struct Branch {
        // The trigger name: the key of its entry in byTrigger_, which lives
        // as long as the branch is not removed.
        const std::string* name = nullptr;
        std::string property;
        std::string value;
        // The actions (in actions_) of the trigger whose code the branch
        // runs before its text; none for a branch stored as text.
        std::size_t firstAction = 0;
        std::size_t actionCount = 0;
        bool exitCode = false;
        std::string text;
        bool removed = false;
        // The next branch of the same trigger, or kNone.
        std::size_t next = kNone;
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // The branch under the key, new or emptied unless `append` is set.
    Branch& store(std::string_view objname, std::string_view property, std::string_view value, bool append);
    // Appends a new branch to the chain that `link` ends.
    Branch& appendBranch(std::size_t& link, const std::string& name, std::string_view property,
                         std::string_view value);
    // Marks the branches of the chain that starts at `first` removed.
    void removeChain(std::size_t first);
    static void appendBranchHeader(const Branch& branch, std::string& out);

    // Branches in the order their keys were first stored, and for each
    // trigger name the first of the branches stored under it (a trigger has
    // one or two, chained by `next`), so that generation stays linear with
    // few allocations.
    std::vector<Branch> branches_;
    // The actions of the triggers that stored branches, each trigger's in
    // one run, listed when the trigger stored them so that the handler
    // reaches them without going back through the triggers.
    std::vector<const action::AtmoAction*> actions_;
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
    };
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> byTrigger_;
};

} // namespace scenewright::core::script
