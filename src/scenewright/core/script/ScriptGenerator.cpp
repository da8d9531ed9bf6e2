#include "scenewright/core/script/ScriptGenerator.h"

#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptContext.h"
#include "scenewright/core/script/ScriptFormatter.h"

namespace scenewright::core::script {

namespace {

std::string assemble(const ScriptGenerator::Objects& objects, ScriptContext& context)
{
    std::string out;
    out.reserve(2000);
    out += "// ***************************************\n";
    out += "// Object declarations \n";
    out += "// ***************************************\n";
    for (const auto& object : objects) {
        out += object->getAtmoObjectDeclaration(context);
        for (const auto& action : object->getAtmoActionListData())
            if (action->getActive())
                out += action->doScript(context);
    }
    for (const auto& object : objects)
        for (const auto& trigger : object->getAtmoTriggerListData())
            if (trigger->getActive())
                out += trigger->doOnLoadTrigger(context);
    if (context.synchronised())
        out += SynchronisationTable::getTriggerNames(objects);

    out += "\n";
    out += "// ***************************************\n";
    out += "// Trigger actions \n";
    out += "// ***************************************\n";
    if (const auto* world = objects.empty() ? nullptr : dynamic_cast<const World*>(objects.front().get()))
        out += world->doScript();
    out += "\n";
    for (const auto& object : objects) {
        out += object->generateAtmoScript(context);
        out += "\n";
    }
    if (context.synchronised())
        out += context.synchronisation().doScript(objects);
    return out;
}

} // namespace

std::string ScriptGenerator::generate(const Objects& objects, const ScriptOptions& options)
{
    ScriptContext context(options.localise, options.synchronise);
    std::string script = assemble(objects, context);
    switch (options.layout) {
    case ScriptLayout::AsGenerated: return script;
    case ScriptLayout::Beautified: return ScriptFormatter::beautify(script);
    case ScriptLayout::Compressed: return ScriptFormatter::compress(script);
    }
    return script;
}

} // namespace scenewright::core::script
