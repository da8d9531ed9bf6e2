#include "scenewright/core/script/ScriptGenerator.h"

#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptContext.h"
#include "scenewright/core/script/ScriptFormatter.h"

namespace scenewright::core::script {

namespace {

// Asks for the cache lines from `at` on; a hint only, which never faults.
void prefetchLines(const void* at, int lines)
{
    constexpr int kCacheLine = 64;
    for (int i = 0; i < lines; ++i)
        __builtin_prefetch(static_cast<const char*>(at) + kCacheLine * i);
}

// Asks the processor to fetch what generation reads of the objects some
// steps ahead: the object itself further ahead, and its interactions
// nearer, once the object (which leads to them) is at hand.
void prefetchAhead(const ScriptGenerator::Objects& objects, std::size_t i)
{
    if (i + 8 < objects.size())
        prefetchLines(objects[i + 8].get(), 4);
    if (i + 4 < objects.size()) {
        const IAtmoObject& object = *objects[i + 4];
        for (const auto& action : object.getAtmoActionListData())
            prefetchLines(action.get(), 2);
        for (const auto& trigger : object.getAtmoTriggerListData())
            prefetchLines(trigger.get(), 2);
    }
}

void assemble(const ScriptGenerator::Objects& objects, ScriptContext& context, ScriptOutput& out)
{
    out += "// ***************************************\n";
    out += "// Object declarations \n";
    out += "// ***************************************\n";
    // One walk through the objects writes their declarations and keeps
    // their triggers' on-load code, which follows all declarations, aside:
    // a large scene is then read from memory once here rather than twice.
    // The walk lists the synchronised triggers in turn, for the list of
    // their names and the shared-property handler.
    std::string onLoad;
    SynchronisationTable::Triggers synchronised;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        prefetchAhead(objects, i);
        const auto& object = objects[i];
        out += object->getAtmoObjectDeclaration(context);
        for (const auto& action : object->getAtmoActionListData())
            if (action->getActive())
                out += action->doScript(context);
        for (const auto& trigger : object->getAtmoTriggerListData())
            if (trigger->getActive()) {
                onLoad += trigger->doOnLoadTrigger(context);
                if (context.synchronised() && trigger->usesSynch)
                    synchronised.push_back(trigger.get());
            }
    }
    out += onLoad;
    if (context.synchronised()) {
        context.synchronisation().reserve(synchronised.size());
        out += SynchronisationTable::getTriggerNames(synchronised);
    }

    out += "\n";
    out += "// ***************************************\n";
    out += "// Trigger actions \n";
    out += "// ***************************************\n";
    if (const auto* world = objects.empty() ? nullptr : dynamic_cast<const World*>(objects.front().get()))
        out += world->doScript();
    out += "\n";
    for (std::size_t i = 0; i < objects.size(); ++i) {
        prefetchAhead(objects, i);
        objects[i]->appendAtmoScript(context, out.text());
        out += "\n";
    }
    if (context.synchronised())
        context.synchronisation().doScript(synchronised, context, out);
    out.flush();
}

} // namespace

void ScriptGenerator::write(const Objects& objects, const ScriptOptions& options, const ScriptOutput::Writer& write)
{
    if (options.layout == ScriptLayout::AsGenerated) {
        ScriptContext context(options.localise, options.synchronise);
        ScriptOutput out(write);
        assemble(objects, context, out);
        return;
    }
    write(generate(objects, options));
}

std::string ScriptGenerator::generate(const Objects& objects, const ScriptOptions& options)
{
    ScriptContext context(options.localise, options.synchronise);
    std::string script;
    ScriptOutput out(script);
    assemble(objects, context, out);
    switch (options.layout) {
    case ScriptLayout::AsGenerated: return script;
    case ScriptLayout::Beautified: return ScriptFormatter::beautify(script);
    case ScriptLayout::Compressed: return ScriptFormatter::compress(script);
    }
    return script;
}

} // namespace scenewright::core::script
