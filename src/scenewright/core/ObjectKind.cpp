#include "scenewright/core/ObjectKind.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/ObjectMember.h"
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

constexpr std::array<ObjectMember, 2> modelMembers{{
    {"tobeloaded", ObjectMember::of(&ModelObj::tobeloaded)},
    {"pm", ObjectMember::of(&ModelObj::pm)},
}};

constexpr std::array<ObjectMember, 1> primitiveMembers{{
    {"solidObjectIndex", ObjectMember::of(&PrimitiveObj::solidObjectIndex)},
}};

constexpr std::array<ObjectMember, 1> viewpointMembers{{
    {"pm", ObjectMember::of(&ViewpointObj::pm)},
}};

constexpr std::array<ObjectMember, 1> solidObjectMembers{{
    {"pm", ObjectMember::of(&SolidObjectObj::pm)},
}};

} // namespace

const std::array<ObjectKind, 4>& ObjectKind::all()
{
    static const std::array<ObjectKind, 4> kinds = {{
        {IAtmoObject::TYPE_MODEL, "modelobj", false, &makeObject<ModelObj>, modelMembers},
        {IAtmoObject::TYPE_PRIMITIVE, "primitiveobj", true, &makeObject<PrimitiveObj>, primitiveMembers},
        {IAtmoObject::TYPE_VIEWPOINT, "viewptobj", true, &makeObject<ViewpointObj>, viewpointMembers},
        {IAtmoObject::TYPE_SOLIDOBJECT, "solidobject", true, &makeObject<SolidObjectObj>, solidObjectMembers},
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
