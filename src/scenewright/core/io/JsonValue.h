#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scenewright::core::io {

// A value of a JSON text that JsonChecker accepted, read where it stands: a
// value is the text and the offset of its first byte, and arrays, objects,
// strings and numbers are read from the text when asked, so reading builds no
// tree and keeps no more than the text. Every value and every member's name
// knows its offset, which a message turns into a line and column.
class JsonValue {
public:
    enum class Kind : std::uint8_t { Null, Boolean, Number, String, Array, Object };

    struct Member;
    class MemberIterator;
    class ElementIterator;

    template <class Iterator>
    struct Range {
        Iterator first;
        Iterator last;
        Iterator begin() const { return first; }
        Iterator end() const { return last; }
    };

    // The document's value; the text must have passed JsonChecker.
    static JsonValue root(std::string_view text);

    Kind kind() const;
    std::size_t offset() const { return offset_; }

    bool boolean() const { return text_[offset_] == 't'; }
    // A string's value, its escapes read.
    std::string string() const;

    // Whether a number is written without fraction and exponent.
    bool isWholeNumber() const;
    // A whole number's value, or nothing when it is beyond the range of
    // long long.
    std::optional<long long> wholeNumber() const;
    // A number's value, or nothing when it is too large for a double; a
    // number too close to zero for one is 0.
    std::optional<double> real() const;

    // An object's members and an array's elements, in the order written.
    Range<MemberIterator> members() const;
    Range<ElementIterator> elements() const;
    // An object's first member of that name.
    std::optional<JsonValue> find(std::string_view name) const;

private:
    JsonValue(std::string_view text, std::size_t offset) : text_(text), offset_(offset) {}

    std::string_view text_;
    std::size_t offset_ = 0;
};

struct JsonValue::Member {
    std::string name;
    std::size_t nameOffset;
    JsonValue value;
};

// Steps through an object's members; each step reads the member's name.
class JsonValue::MemberIterator {
public:
    Member operator*() const;
    MemberIterator& operator++();
    bool operator==(const MemberIterator& other) const { return offset_ == other.offset_; }

private:
    friend class JsonValue;
    MemberIterator(std::string_view text, std::size_t offset) : text_(text), offset_(offset) {}
    std::string_view text_;
    std::size_t offset_; // of the member's name; npos past the last member
};

class JsonValue::ElementIterator {
public:
    JsonValue operator*() const { return JsonValue(text_, offset_); }
    ElementIterator& operator++();
    bool operator==(const ElementIterator& other) const { return offset_ == other.offset_; }

private:
    friend class JsonValue;
    ElementIterator(std::string_view text, std::size_t offset) : text_(text), offset_(offset) {}
    std::string_view text_;
    std::size_t offset_; // of the element; npos past the last element
};

} // namespace scenewright::core::io
