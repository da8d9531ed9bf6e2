#include "scenewright/core/script/SynchronisationTable.h"

#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptOutput.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>
#include <bit>
#include <span>
#include <stdexcept>

namespace scenewright::core::script {

namespace {

std::size_t hashOf(std::string_view name)
{
    return std::hash<std::string_view>()(name);
}

// A count or place that must fit the table's indexes.
std::size_t checkedIndex(std::size_t value, std::size_t limit)
{
    if (value >= limit)
        throw std::length_error("the synchronisation table is full");
    return value;
}

} // namespace

void SynchronisationTable::clearAttributes()
{
    branches_.clear();
    stored_.clear();
    entries_.clear();
    names_.clear();
    slots_.clear();
    actions_.clear();
}

void SynchronisationTable::reserve(std::size_t triggers)
{
    branches_.reserve(2 * triggers);
    entries_.reserve(triggers);
    // Names such as "synchtrigger1234".
    names_.reserve(20 * triggers);
    if (2 * triggers > slots_.size())
        rehash(std::bit_ceil(std::max<std::size_t>(16, 2 * triggers)));
}

std::size_t SynchronisationTable::slotOf(std::string_view name) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hashOf(name) & mask;
    while (slots_[slot] != 0 && this->name(entries_[slots_[slot] - 1]) != name)
        slot = (slot + 1) & mask;
    return slot;
}

void SynchronisationTable::rehash(std::size_t slots)
{
    slots_.assign(slots, 0);
    for (Index i = 0; i < entries_.size(); ++i)
        slots_[slotOf(name(entries_[i]))] = i + 1;
}

SynchronisationTable::Entry& SynchronisationTable::entryFor(std::string_view name)
{
    // At most half the slots are taken, so that a search ends soon.
    if (2 * (entries_.size() + 1) > slots_.size())
        rehash(std::max<std::size_t>(16, 2 * slots_.size()));
    const std::size_t slot = slotOf(name);
    if (slots_[slot] != 0)
        return entries_[slots_[slot] - 1];
    checkedIndex(names_.size() + name.size(), kNone);
    checkedIndex(entries_.size() + 1, kNone);
    Entry& entry = entries_.emplace_back();
    entry.nameOffset = static_cast<Index>(names_.size());
    entry.nameLength = static_cast<Index>(name.size());
    names_ += name;
    slots_[slot] = static_cast<Index>(entries_.size());
    return entry;
}

const SynchronisationTable::Entry* SynchronisationTable::findEntry(std::string_view name) const
{
    if (slots_.empty())
        return nullptr;
    const Index taken = slots_[slotOf(name)];
    return taken == 0 ? nullptr : &entries_[taken - 1];
}

std::string_view SynchronisationTable::property(const Branch& branch) const
{
    return branch.stored == kNone ? std::string_view("running") : std::string_view(stored_[branch.stored].property);
}

std::string_view SynchronisationTable::value(const Branch& branch) const
{
    if (branch.stored != kNone)
        return stored_[branch.stored].value;
    return branch.exitCode ? "false" : "true";
}

SynchronisationTable::Branch& SynchronisationTable::appendBranch(Index& link, Index entry)
{
    link = static_cast<Index>(checkedIndex(branches_.size(), kNone));
    Branch& branch = branches_.emplace_back();
    branch.entry = entry;
    return branch;
}

SynchronisationTable::Branch& SynchronisationTable::store(std::string_view objname, std::string_view property,
                                                          std::string_view value, bool append)
{
    Entry& entry = entryFor(objname);
    const auto entryIndex = static_cast<Index>(&entry - entries_.data());
    // The link that will lead to a new branch: the end of the chain.
    Index* link = &entry.first;
    for (; *link != kNone; link = &branches_[*link].next) {
        Branch& branch = branches_[*link];
        if (this->property(branch) == property && this->value(branch) == value) {
            // A trigger's branch takes a text of its own from now on.
            if (branch.stored == kNone)
                giveStoredText(branch, property, value);
            if (!append) {
                branch.actionCount = 0;
                stored_[branch.stored].text.clear();
            }
            return branch;
        }
    }
    Branch& branch = appendBranch(*link, entryIndex);
    giveStoredText(branch, property, value);
    return branch;
}

void SynchronisationTable::giveStoredText(Branch& branch, std::string_view property, std::string_view value)
{
    branch.stored = static_cast<Index>(checkedIndex(stored_.size(), kNone));
    stored_.push_back({std::string(property), std::string(value), {}});
}

void SynchronisationTable::setSynchForAction(const std::string& objname, const std::string& property,
                                             const std::string& value, const std::string& script)
{
    stored_[store(objname, property, value, false).stored].text = script;
}

void SynchronisationTable::appendSynchForAction(const std::string& objname, const std::string& property,
                                                const std::string& value, const std::string& script)
{
    stored_[store(objname, property, value, true).stored].text += script;
}

void SynchronisationTable::replaceTriggerBranches(const action::AtmoTrigger& trigger, const std::string& name,
                                                  bool activeActions)
{
    if (!activeActions) {
        removeSynchsForTrigger(name);
        return;
    }
    Entry& entry = entryFor(name);
    removeChain(entry.first);
    entry.first = kNone;
    const auto entryIndex = static_cast<Index>(&entry - entries_.data());
    const auto firstAction = static_cast<Index>(checkedIndex(actions_.size(), kNone));
    for (const auto& action : trigger.getActionList())
        actions_.push_back(action.get());
    const auto actionCount = static_cast<Index>(checkedIndex(actions_.size(), kNone) - firstAction);
    Branch& start = appendBranch(entry.first, entryIndex);
    start.firstAction = firstAction;
    start.actionCount = actionCount;
    Branch& exit = appendBranch(start.next, entryIndex);
    exit.firstAction = firstAction;
    exit.actionCount = actionCount;
    exit.exitCode = true;
}

void SynchronisationTable::appendBranchHeader(const Branch& branch, std::string& out) const
{
    out += "    if(objname=='";
    ScriptText::appendLiteral(out, name(entries_[branch.entry]));
    out += "' && property=='";
    ScriptText::appendLiteral(out, property(branch));
    out += "' && value=='";
    ScriptText::appendLiteral(out, value(branch));
    out += "') {\n";
}

void SynchronisationTable::removeSynchsForTrigger(const std::string& name)
{
    // The entry stays, without branches: a later branch under the name
    // starts a new chain.
    if (const Entry* found = findEntry(name)) {
        Entry& entry = entries_[found - entries_.data()];
        removeChain(entry.first);
        entry.first = kNone;
    }
}

void SynchronisationTable::removeChain(Index first)
{
    for (Index index = first; index != kNone; index = branches_[index].next)
        branches_[index].removed = true;
}

std::string SynchronisationTable::getTriggerNames(const Triggers& synchronised)
{
    std::string out = "// set the Shared Objects Synchronisation trigger names here...\n";
    out += std::string(triggernames) + " = [";
    bool first = true;
    for (const auto* trigger : synchronised) {
        if (!first)
            out += ",";
        first = false;
        out += "'";
        ScriptText::appendLiteral(out, trigger->synchTriggerName());
        out += "'";
    }
    out += "];\n";
    // The names are strings, which keep no properties: whether a trigger is
    // running is kept beside them, at the same index.
    out += "triggerrunning = [];\n";
    return out;
}

namespace {

// The loop that finds the trigger (whose name is given as literal text) in
// the list of synchronised triggers, opened up to where, connected, it sets
// the trigger's shared property: to 'true' when it starts (and is not yet
// running), to 'false' when it exits (and is running).
void openListedTrigger(const std::string& n, bool starting, std::string& out)
{
    ScriptText::append(out,
                       "    // IF SHARED PROPERTY EXISTS.. CHANGE SHARED VARIABLE \n"
                       "    for(i=0;i<triggernames.length;i++) {\n"
                       "            if(triggernames[i]=='",
                       n, "') {\n");
    out += starting ? "                    if(!triggerrunning[i]) {\n" : "                    if(triggerrunning[i]) {\n";
    ScriptText::append(out, "                            prop = chat.getSharedProperty('", n, "', 'running');\n");
    out += "                            if(chat.isConnected) {\n";
    ScriptText::append(out, "                                    chat.setSharedProperty('", n, "','running','",
                       starting ? "true" : "false", "');\n");
}

// Closes the loop openListedTrigger opened.
void closeListedTrigger(std::string& out)
{
    out += "                    break;\n"
           "            }\n"
           "    }\n"
           "    // END SHARED PROPERTY\n";
}

} // namespace

std::string SynchronisationTable::getSynchTriggerScript(const std::string& name) const
{
    std::string out;
    appendSynchTriggerScript(name, out);
    return out;
}

void SynchronisationTable::appendSynchTriggerScript(const std::string& name, std::string& out) const
{
    const std::string n = ScriptText::literal(name);
    openListedTrigger(n, true, out);
    out += "          } else {\n"
           "                                          if(!triggernames.waiting) {\n"
           "                                                  triggernames.waiting = true;\n"
           "                                                  waitalittlewhileforchat = Object();\n"
           "                                                  waitalittlewhileforchat.timestep = function() {\n"
           "                                                          if(chat.isConnected && triggernames.ok) {\n";
    ScriptText::append(out, "                                                                  chat.setSharedProperty('",
                       n, "','running','true');\n");
    out += "                                                                  triggernames.waiting = false;\n"
           "                                                                  removeAnimator(waitalittlewhileforchat);\n"
           "                                                          }\n"
           "                                                  }\n"
           "                                                  addAnimator(waitalittlewhileforchat);\n"
           "                                          }\n"
           "                            }\n"
           "                    }\n";
    closeListedTrigger(out);
}

std::string SynchronisationTable::getSynchExitTriggerScript(const std::string& name) const
{
    std::string out;
    appendSynchExitTriggerScript(name, out);
    return out;
}

void SynchronisationTable::appendSynchExitTriggerScript(const std::string& name, std::string& out) const
{
    const std::string n = ScriptText::literal(name);
    openListedTrigger(n, false, out);
    out += "                            }\n"
           "                    }\n";
    closeListedTrigger(out);
}

void SynchronisationTable::doScript(const Triggers& synchronised, const ScriptContext& context, ScriptOutput& out) const
{
    // The running bookkeeping each branch gets: only triggers with an exit
    // branch keep it, so the start code of the others always fires.
    // (branch, index in the trigger list) for each running flag a branch
    // sets, in branch order and, within a branch, in trigger order.
    std::vector<std::pair<std::size_t, int>> runningMarks;
    int k = 0;
    for (const auto* trigger : synchronised) {
        if (trigger->hasExitTrigger()) {
            if (const Entry* entry = findEntry(trigger->synchTriggerName())) {
                for (Index index = entry->first; index != kNone; index = branches_[index].next)
                    runningMarks.emplace_back(index, k);
            }
        }
        ++k;
    }
    std::stable_sort(runningMarks.begin(), runningMarks.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    out += "// *********************************************\n";
    out += "// Shared Objects\n";
    out += "// *********************************************\n\n";
    out += "connect = Object();\n";
    out += "connect.timestep = function() {\n";
    out += "        if(chat.isConnected) {\t\t\n";
    out += "                for(i=0; i<triggernames.length; i++) {\n";
    out += "                        triggerrunning[i] = false;\n";
    out += "                        try { \n";
    out += "                                chat.createSharedObject(triggernames[i]);\n";
    out += "                        } catch (oerror) {\n";
    out += "                                chat.print('SharedObj - ',oerror.name,': ',oerror.message);\n";
    out += "                        }\t\n";
    out += "                }\n";
    out += "                triggernames.ok = true;\n";
    out += "                removeAnimator(this);\n";
    out += "        }\n";
    out += "}\n";
    out += "addAnimator(connect);\n";
    out += "chat.onSharedPropertyChange = function(objname, property, value) {\n";
    out += "\t       if(objname!=undefined && property!=undefined && value!=undefined) {\n";
    bool first = true;
    auto mark = runningMarks.begin();
    for (std::size_t i = 0; i < branches_.size(); ++i) {
        if (branches_[i].removed) {
            while (mark != runningMarks.end() && mark->first == i)
                ++mark;
            continue;
        }
        if (!first)
            out += " else ";
        first = false;
        const Branch& branch = branches_[i];
        appendBranchHeader(branch, out.text());
        if (branch.actionCount > 0)
            action::AtmoTrigger::appendActionScripts(
                context, branch.exitCode, std::span(actions_).subspan(branch.firstAction, branch.actionCount),
                out.text());
        if (branch.stored != kNone)
            out += stored_[branch.stored].text;
        const bool running = value(branch).ends_with("true");
        for (; mark != runningMarks.end() && mark->first == i; ++mark) {
            out += "\n    triggerrunning[";
            out += std::to_string(mark->second);
            out += running ? "] = true;\n" : "] = false;\n";
        }
        out += "}";
    }
    out += "       }\n}\n";
}

} // namespace scenewright::core::script
