#include "scenewright/core/script/SynchronisationTable.h"

#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptOutput.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>
#include <span>

namespace scenewright::core::script {

void SynchronisationTable::clearAttributes()
{
    branches_.clear();
    actions_.clear();
    byTrigger_.clear();
}

void SynchronisationTable::reserve(std::size_t triggers)
{
    branches_.reserve(2 * triggers);
    byTrigger_.reserve(triggers);
}

SynchronisationTable::Branch& SynchronisationTable::appendBranch(std::size_t& link, const std::string& name,
                                                                 std::string_view property, std::string_view value)
{
    link = branches_.size();
    Branch& branch = branches_.emplace_back();
    branch.name = &name;
    branch.property = property;
    branch.value = value;
    return branch;
}

SynchronisationTable::Branch& SynchronisationTable::store(std::string_view objname, std::string_view property,
                                                          std::string_view value, bool append)
{
    auto trigger = byTrigger_.find(objname);
    if (trigger == byTrigger_.end())
        trigger = byTrigger_.emplace(std::string(objname), kNone).first;
    // The link that will lead to a new branch: the end of the chain.
    std::size_t* link = &trigger->second;
    for (; *link != kNone; link = &branches_[*link].next) {
        Branch& branch = branches_[*link];
        if (branch.property == property && branch.value == value) {
            if (!append) {
                branch.actionCount = 0;
                branch.text.clear();
            }
            return branch;
        }
    }
    return appendBranch(*link, trigger->first, property, value);
}

void SynchronisationTable::setSynchForAction(const std::string& objname, const std::string& property,
                                             const std::string& value, const std::string& script)
{
    store(objname, property, value, false).text = script;
}

void SynchronisationTable::appendSynchForAction(const std::string& objname, const std::string& property,
                                                const std::string& value, const std::string& script)
{
    store(objname, property, value, true).text += script;
}

void SynchronisationTable::replaceTriggerBranches(const action::AtmoTrigger& trigger, const std::string& name,
                                                  bool activeActions)
{
    if (!activeActions) {
        removeSynchsForTrigger(name);
        return;
    }
    // One lookup for the whole replacement: the entry of the name is kept
    // and its chain restarted.
    const auto [entry, added] = byTrigger_.try_emplace(name, kNone);
    if (!added) {
        removeChain(entry->second);
        entry->second = kNone;
    }
    const std::size_t firstAction = actions_.size();
    for (const auto& action : trigger.getActionList())
        actions_.push_back(action.get());
    const std::size_t actionCount = actions_.size() - firstAction;
    Branch& start = appendBranch(entry->second, entry->first, "running", "true");
    start.firstAction = firstAction;
    start.actionCount = actionCount;
    Branch& exit = appendBranch(start.next, entry->first, "running", "false");
    exit.firstAction = firstAction;
    exit.actionCount = actionCount;
    exit.exitCode = true;
}

void SynchronisationTable::appendBranchHeader(const Branch& branch, std::string& out)
{
    out += "    if(objname=='";
    ScriptText::appendLiteral(out, *branch.name);
    out += "' && property=='";
    ScriptText::appendLiteral(out, branch.property);
    out += "' && value=='";
    ScriptText::appendLiteral(out, branch.value);
    out += "') {\n";
}

void SynchronisationTable::removeSynchsForTrigger(const std::string& name)
{
    auto found = byTrigger_.find(name);
    if (found == byTrigger_.end())
        return;
    removeChain(found->second);
    byTrigger_.erase(found);
}

void SynchronisationTable::removeChain(std::size_t first)
{
    for (std::size_t index = first; index != kNone; index = branches_[index].next)
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
            auto found = byTrigger_.find(trigger->synchTriggerName());
            if (found != byTrigger_.end()) {
                for (std::size_t index = found->second; index != kNone; index = branches_[index].next)
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
        out += branch.text;
        const bool running = branch.value.ends_with("true");
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
