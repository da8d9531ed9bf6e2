#include "scenewright/core/ObjectKind.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"

namespace scenewright::core {

namespace {

template <class Object>
std::shared_ptr<ScriptedObject> makeObject()
{
    return std::make_shared<Object>();
}

} // namespace

const std::array<ObjectKind, 4>& ObjectKind::all()
{
    static const std::array<ObjectKind, 4> kinds = {{
        {IAtmoObject::TYPE_MODEL, "modelobj", false, &makeObject<ModelObj>},
        {IAtmoObject::TYPE_PRIMITIVE, "primitiveobj", true, &makeObject<PrimitiveObj>},
        {IAtmoObject::TYPE_VIEWPOINT, "viewptobj", true, &makeObject<ViewpointObj>},
        {IAtmoObject::TYPE_SOLIDOBJECT, "solidobject", true, &makeObject<SolidObjectObj>},
    }};
    return kinds;
}

const ObjectKind* ObjectKind::find(std::string_view type)
{
    for (const ObjectKind& kind : all())
        if (type == kind.type)
            return &kind;
    return nullptr;
}

const ObjectKind* ObjectKind::withPrefix(std::string_view prefix)
{
    for (const ObjectKind& kind : all())
        if (prefix == kind.prefix)
            return &kind;
    return nullptr;
}

} // namespace scenewright::core
