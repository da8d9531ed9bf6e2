#include "scenewright/core/script/SynchronisationTable.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptOutput.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>

namespace scenewright::core::script {

void SynchronisationTable::clearAttributes()
{
    branches_.clear();
    byKey_.clear();
    byTrigger_.clear();
}

void SynchronisationTable::store(const std::string& objname, const std::string& property, const std::string& value,
                                 const std::string& script, bool append)
{
    // The key is made in a buffer kept for it: most calls only look it up.
    std::string& key = keyBuffer_;
    key.assign(objname).append("|").append(property).append("|").append(value);
    auto found = byKey_.find(key);
    if (found != byKey_.end() && append) {
        branches_[found->second].text += script;
        return;
    }
    // Built by appending into one reserved string, without temporaries.
    std::string text;
    text.reserve(64 + key.size() + script.size());
    text += "    if(objname=='";
    ScriptText::appendLiteral(text, objname);
    text += "' && property=='";
    ScriptText::appendLiteral(text, property);
    text += "' && value=='";
    ScriptText::appendLiteral(text, value);
    text += "') {\n";
    text += script;
    if (found != byKey_.end()) {
        branches_[found->second].text = std::move(text);
        return;
    }
    byKey_.emplace(key, branches_.size());
    byTrigger_[objname].push_back(branches_.size());
    branches_.push_back(Branch{key, std::move(text)});
}

void SynchronisationTable::setSynchForAction(const std::string& objname, const std::string& property,
                                             const std::string& value, const std::string& script)
{
    store(objname, property, value, script, false);
}

void SynchronisationTable::appendSynchForAction(const std::string& objname, const std::string& property,
                                                const std::string& value, const std::string& script)
{
    store(objname, property, value, script, true);
}

void SynchronisationTable::removeSynchsForTrigger(const std::string& name)
{
    auto found = byTrigger_.find(name);
    if (found == byTrigger_.end())
        return;
    for (std::size_t index : found->second) {
        branches_[index].removed = true;
        byKey_.erase(branches_[index].key);
    }
    byTrigger_.erase(found);
}

std::vector<const action::AtmoTrigger*> SynchronisationTable::synchronisedTriggers(const Objects& objects)
{
    std::vector<const action::AtmoTrigger*> triggers;
    for (const auto& object : objects)
        for (const auto& trigger : object->getAtmoTriggerListData())
            if (trigger->getActive() && trigger->usesSynch)
                triggers.push_back(trigger.get());
    return triggers;
}

std::string SynchronisationTable::getTriggerNames(const Objects& objects)
{
    std::string out = "// set the Shared Objects Synchronisation trigger names here...\n";
    out += std::string(triggernames) + " = [";
    bool first = true;
    for (const auto* trigger : synchronisedTriggers(objects)) {
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
// the list of synchronised triggers and runs the body for it.
std::string forListedTrigger(const std::string& n, const std::string& body)
{
    return "    // IF SHARED PROPERTY EXISTS.. CHANGE SHARED VARIABLE \n"
           "    for(i=0;i<triggernames.length;i++) {\n"
           "            if(triggernames[i]=='"
           + n + "') {\n" + body
           + "                    break;\n"
             "            }\n"
             "    }\n"
             "    // END SHARED PROPERTY\n";
}

} // namespace

std::string SynchronisationTable::getSynchTriggerScript(const std::string& name) const
{
    const std::string n = ScriptText::literal(name);
    std::string body;
    body += "                    if(!triggerrunning[i]) {\n";
    body += "                            prop = chat.getSharedProperty('" + n + "', 'running');\n";
    body += "                            if(chat.isConnected) {\n";
    body += "                                    chat.setSharedProperty('" + n + "','running','true');\n";
    body += "          } else {\n";
    body += "                                          if(!triggernames.waiting) {\n";
    body += "                                                  triggernames.waiting = true;\n";
    body += "                                                  waitalittlewhileforchat = Object();\n";
    body += "                                                  waitalittlewhileforchat.timestep = function() {\n";
    body += "                                                          if(chat.isConnected && triggernames.ok) {\n";
    body += "                                                                  chat.setSharedProperty('" + n
            + "','running','true');\n";
    body += "                                                                  triggernames.waiting = false;\n";
    body += "                                                                  "
            "removeAnimator(waitalittlewhileforchat);\n";
    body += "                                                          }\n";
    body += "                                                  }\n";
    body += "                                                  addAnimator(waitalittlewhileforchat);\n";
    body += "                                          }\n";
    body += "                            }\n";
    body += "                    }\n";
    return forListedTrigger(n, body);
}

std::string SynchronisationTable::getSynchExitTriggerScript(const std::string& name) const
{
    const std::string n = ScriptText::literal(name);
    std::string body;
    body += "                    if(triggerrunning[i]) {\n";
    body += "                            prop = chat.getSharedProperty('" + n + "', 'running');\n";
    body += "                            if(chat.isConnected) {\n";
    body += "                                    chat.setSharedProperty('" + n + "','running','false');\n";
    body += "                            }\n";
    body += "                    }\n";
    return forListedTrigger(n, body);
}

void SynchronisationTable::doScript(const Objects& objects, ScriptOutput& out) const
{
    // The running bookkeeping each branch gets: only triggers with an exit
    // branch keep it, so the start code of the others always fires.
    // (branch, index in the trigger list) for each running flag a branch
    // sets, in branch order and, within a branch, in trigger order.
    std::vector<std::pair<std::size_t, int>> runningMarks;
    int k = 0;
    for (const auto* trigger : synchronisedTriggers(objects)) {
        if (trigger->hasExitTrigger()) {
            auto found = byTrigger_.find(trigger->synchTriggerName());
            if (found != byTrigger_.end()) {
                for (std::size_t index : found->second)
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
        out += branch.text;
        const bool running = branch.key.size() >= 4 && branch.key.compare(branch.key.size() - 4, 4, "true") == 0;
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
