#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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
    using Index = std::uint32_t;
    static constexpr Index kNone = static_cast<Index>(-1);

    // A trigger name the table has seen, with the first of the branches
    // stored under it (a trigger has one or two, chained by `next`).
    struct Entry {
        Index nameOffset = 0;
        Index nameLength = 0;
        Index first = kNone;
    };
    // A branch: a trigger's start or exit branch, which runs the code of the
    // trigger's actions (a run in actions_) with the property 'running' and
    // the value 'true' or 'false'; or a branch stored with its own property,
    // value and text (in stored_).
    struct Branch {
        Index entry = 0;
        Index next = kNone;
        Index firstAction = 0;
        Index actionCount = 0;
        Index stored = kNone;
        bool exitCode = false;
        bool removed = false;
    };
    struct StoredText {
        std::string property;
        std::string value;
        std::string text;
    };

    std::string_view name(const Entry& entry) const { return {names_.data() + entry.nameOffset, entry.nameLength}; }
    std::string_view property(const Branch& branch) const;
    std::string_view value(const Branch& branch) const;
    // The slot that holds the name's entry, or the free slot where it goes.
    std::size_t slotOf(std::string_view name) const;
    // Spreads the entries over that many slots, a power of two.
    void rehash(std::size_t slots);
    // The entry of the name, added (with no branches) when it is not there.
    Entry& entryFor(std::string_view name);
    // The entry of the name; null when it is not there.
    const Entry* findEntry(std::string_view name) const;
    // Gives a branch its own property, value and (empty) text in stored_.
    void giveStoredText(Branch& branch, std::string_view property, std::string_view value);
    // The branch under the key, new or emptied unless `append` is set.
    Branch& store(std::string_view objname, std::string_view property, std::string_view value, bool append);
    // Appends a new branch to the chain that `link` ends.
    Branch& appendBranch(Index& link, Index entry);
    // Marks the branches of the chain that starts at `first` removed.
    void removeChain(Index first);
    void appendBranchHeader(const Branch& branch, std::string& out) const;

    // Branches in the order their keys were first stored. Names, entries and
    // branches sit in a few flat arrays, indexed by number, so that a large
    // scene's generation stays linear, makes few allocations and walks
    // little memory.
    std::vector<Branch> branches_;
    std::vector<StoredText> stored_;
    std::vector<Entry> entries_;
    std::string names_;
    // Open addressing over entries_: each slot holds an entry's index plus
    // one, or 0 when free; the count is a power of two.
    std::vector<Index> slots_;
    // The actions of the triggers that stored branches, each trigger's in
    // one run, listed when the trigger stored them so that the handler
    // reaches them without going back through the triggers.
    std::vector<const action::AtmoAction*> actions_;
};

} // namespace scenewright::core::script
