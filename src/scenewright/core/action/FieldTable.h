#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace scenewright::core::action {

class AtmoInteraction;

// The kinds of value an interaction field holds.
enum class FieldType {
    Int,
    Double,
    Boolean,
    String,     // may be missing (null)
    StringList, // anchors, texture addresses
    IntList,    // face numbers; the list itself may be missing
};

// A field's value as a general value; std::monostate stands for "no value"
// (an unknown field).
using FieldValue = std::variant<std::monostate, int, double, bool, std::optional<std::string>,
                                std::vector<std::string>, std::optional<std::vector<int>>>;

// The type tag name of a field: "int", "double", "boolean", or the name of
// the value type otherwise.
const char* fieldTypeName(FieldType type);

// A text typed for a field, read: the value, or why the text is refused.
struct ParsedField {
    // std::monostate for a field that is not typed as text (a flag, a list).
    FieldValue value;
    std::optional<std::string> refusal;
};

// Whether the generic action editor shows a field (under its name).
enum class FieldShown { InGenericEditor, InOwnEditorOnly };

// The named-field table of one interaction class: each public field's name,
// type, default value, how to read, write and parse it, whether the generic
// editor shows it and whether Check Scene wants it filled in. The editors, the project file,
// Check Scene and the undo history reach every field through it without
// knowing the concrete class.
class FieldTable {
public:
    struct Field {
        std::string name;
        FieldType type;
        // The value a new interaction of the class starts with.
        FieldValue defaultValue;
        std::function<FieldValue(const AtmoInteraction&)> read;
        // Stores the value; the value holds the alternative of the field's type.
        std::function<void(AtmoInteraction&, const FieldValue&)> write;
        FieldShown shown = FieldShown::InGenericEditor;
        // What Check Scene calls the field when it is empty ("url"); empty
        // for a field that may stay empty.
        std::string requiredAs;

        // Numbers must read as numbers of the field's type; a string is kept
        // as typed.
        ParsedField parse(std::string_view text) const;
        // Whether the value holds the alternative of the field's type.
        bool accepts(const FieldValue& value) const;
    };

    template <class Owner, class Member>
    FieldTable& add(std::string name, Member Owner::*member, std::type_identity_t<Member> defaultValue,
                    FieldShown shown = FieldShown::InGenericEditor, std::string requiredAs = {})
    {
        fields_.push_back(Field{
            std::move(name), typeOf<Member>(), FieldValue(std::in_place_type<Member>, std::move(defaultValue)),
            [member](const AtmoInteraction& interaction) -> FieldValue {
                return static_cast<const Owner&>(interaction).*member;
            },
            [member](AtmoInteraction& interaction, const FieldValue& value) {
                static_cast<Owner&>(interaction).*member = std::get<Member>(value);
            },
            shown, std::move(requiredAs)});
        return *this;
    }

    // Appends the fields of another table (a base class's fields).
    FieldTable& append(const FieldTable& other);

    const Field* find(std::string_view name) const;
    // Gives every field of the table its default; each interaction's
    // constructor calls it with its own class's table.
    void writeDefaults(AtmoInteraction& interaction) const;
    const std::vector<Field>& fields() const { return fields_; }

private:
    template <class Member>
    static constexpr FieldType typeOf()
    {
        if constexpr (std::is_same_v<Member, int>)
            return FieldType::Int;
        else if constexpr (std::is_same_v<Member, double>)
            return FieldType::Double;
        else if constexpr (std::is_same_v<Member, bool>)
            return FieldType::Boolean;
        else if constexpr (std::is_same_v<Member, std::optional<std::string>>)
            return FieldType::String;
        else if constexpr (std::is_same_v<Member, std::vector<std::string>>)
            return FieldType::StringList;
        else {
            static_assert(std::is_same_v<Member, std::optional<std::vector<int>>>,
                          "unsupported interaction field type");
            return FieldType::IntList;
        }
    }

    std::vector<Field> fields_;
};

} // namespace scenewright::core::action
