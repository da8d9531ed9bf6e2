#include "scenewright/core/action/FieldTable.h"

#include "scenewright/core/NumberParser.h"

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

ParsedField FieldTable::Field::parse(std::string_view text) const
{
    switch (type) {
    case FieldType::Int:
        if (const auto number = NumberParser::parseInt(text))
            return {*number, std::nullopt};
        return {std::monostate{}, name + " must contain an integer"};
    case FieldType::Double:
        if (const auto number = NumberParser::parseDouble(text))
            return {*number, std::nullopt};
        return {std::monostate{}, name + " must contain an real number"};
    case FieldType::String:
        return {std::optional<std::string>(std::string(text)), std::nullopt};
    default:
        return {std::monostate{}, std::nullopt};
    }
}

bool FieldTable::Field::accepts(const FieldValue& value) const
{
    switch (type) {
    case FieldType::Int: return std::holds_alternative<int>(value);
    case FieldType::Double: return std::holds_alternative<double>(value);
    case FieldType::Boolean: return std::holds_alternative<bool>(value);
    case FieldType::String: return std::holds_alternative<std::optional<std::string>>(value);
    case FieldType::StringList: return std::holds_alternative<std::vector<std::string>>(value);
    case FieldType::IntList: return std::holds_alternative<std::optional<std::vector<int>>>(value);
    }
    return false;
}

FieldTable& FieldTable::append(const FieldTable& other)
{
    fields_.insert(fields_.end(), other.fields_.begin(), other.fields_.end());
    return *this;
}

void FieldTable::writeDefaults(AtmoInteraction& interaction) const
{
    for (const Field& field : fields_)
        field.write(interaction, field.defaultValue);
}

const FieldTable::Field* FieldTable::find(std::string_view name) const
{
    for (const Field& field : fields_)
        if (field.name == name)
            return &field;
    return nullptr;
}

} // namespace scenewright::core::action
