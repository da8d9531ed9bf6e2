#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core::io {

// A value of a JSON text that JsonChecker accepted, read where it stands:
// strings and numbers are read from the text when asked, and arrays and
// objects are walked with the tape the check noted, so reading builds no tree
// and finding a member passes over the others without reading them. Every
// value and every member's name knows its offset, which a message turns into
// a line and column.
class JsonValue {
public:
    enum class Kind : std::uint8_t { Null, Boolean, Number, String, Array, Object };

    // Each value and member name of a text, in the order written: where it
    // starts, and the slot past the last one inside it (past itself for a
    // name or a scalar). A member's name slot comes right before its value's.
    struct Slot {
        std::uint32_t offset;
        std::uint32_t end;
    };
    using Tape = std::vector<Slot>;

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

    // The document's value; the text must have passed JsonChecker, which
    // filled the tape. Both must outlive the values read from them.
    static JsonValue root(std::string_view text, const Tape& tape);

    Kind kind() const;
    std::size_t offset() const { return tape_[slot_].offset; }

    bool boolean() const { return text_[offset()] == 't'; }
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
    JsonValue(std::string_view text, const Slot* tape, std::uint32_t slot) : text_(text), tape_(tape), slot_(slot) {}

    std::string_view text_;
    const Slot* tape_;
    std::uint32_t slot_;
};

// A member as an iterator reads it. Its name is a view of the text, or of a
// copy with the escapes read when the text has some, so that reading the
// names of a large file copies almost none; a member is not copied or moved,
// so that the view stays good.
struct JsonValue::Member {
    Member(std::string_view text, std::size_t nameOffset, JsonValue value);
    Member(const Member&) = delete;
    Member& operator=(const Member&) = delete;

    std::string_view name;
    std::size_t nameOffset;
    JsonValue value;

private:
    std::string decoded_;
};

// Steps through an object's members; each step reads the member's name.
class JsonValue::MemberIterator {
public:
    Member operator*() const;
    MemberIterator& operator++()
    {
        slot_ = tape_[slot_ + 1].end;
        return *this;
    }
    bool operator==(const MemberIterator& other) const { return slot_ == other.slot_; }

private:
    friend class JsonValue;
    MemberIterator(std::string_view text, const Slot* tape, std::uint32_t slot) : text_(text), tape_(tape), slot_(slot)
    {
    }
    std::string_view text_;
    const Slot* tape_;
    std::uint32_t slot_; // of the member's name; the object's end past the last member
};

class JsonValue::ElementIterator {
public:
    JsonValue operator*() const { return JsonValue(text_, tape_, slot_); }
    ElementIterator& operator++()
    {
        slot_ = tape_[slot_].end;
        return *this;
    }
    bool operator==(const ElementIterator& other) const { return slot_ == other.slot_; }

private:
    friend class JsonValue;
    ElementIterator(std::string_view text, const Slot* tape, std::uint32_t slot) : text_(text), tape_(tape), slot_(slot)
    {
    }
    std::string_view text_;
    const Slot* tape_;
    std::uint32_t slot_; // of the element; the array's end past the last element
};

} // namespace scenewright::core::io
