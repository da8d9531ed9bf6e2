#include "scenewright/core/action/FieldTable.h"

namespace scenewright::core::action {

const char* fieldTypeName(FieldType type)
{
    switch (type) {
    case FieldType::Int: return "int";
    case FieldType::Double: return "double";
    case FieldType::Boolean: return "boolean";
    case FieldType::String: return "string";
    case FieldType::StringList: return "string list";
    case FieldType::IntList: return "int list";
    }
    return "unknown";
}

FieldTable& FieldTable::append(const FieldTable& other)
{
    fields_.insert(fields_.end(), other.fields_.begin(), other.fields_.end());
    return *this;
}

const FieldTable::Field* FieldTable::find(std::string_view name) const
{
    for (const Field& field : fields_)
        if (field.name == name)
            return &field;
    return nullptr;
}

} // namespace scenewright::core::action
