#include "scenewright/core/script/ScriptNaming.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/ScriptedObject.h"

namespace scenewright::core::script {

namespace {

ScriptedObject* unnamed(const std::shared_ptr<IAtmoObject>& object)
{
    auto* scripted = dynamic_cast<ScriptedObject*>(object.get());
    return scripted && !scripted->globalId() ? scripted : nullptr;
}

} // namespace

long long ScriptNaming::unnamedCount(const std::vector<std::shared_ptr<IAtmoObject>>& objects)
{
    long long count = 0;
    for (const auto& object : objects)
        if (unnamed(object))
            ++count;
    return count;
}

void ScriptNaming::nameObjects(const std::vector<std::shared_ptr<IAtmoObject>>& objects, IdCounter& ids)
{
    if (!ids.hasLeft(unnamedCount(objects)))
        throw IdsExhausted();
    for (const auto& object : objects)
        if (ScriptedObject* scripted = unnamed(object))
            scripted->setGlobalId(ids.next());
}

} // namespace scenewright::core::script
