#include "scenewright/core/io/JsonValue.h"

#include "scenewright/core/script/Utf8Text.h"

#include <charconv>

namespace scenewright::core::io {

namespace {

bool isNumberByte(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

std::size_t endOfNumber(std::string_view text, std::size_t i)
{
    while (i < text.size() && isNumberByte(text[i]))
        ++i;
    return i;
}

unsigned hexUnit(std::string_view text, std::size_t i)
{
    unsigned unit = 0;
    for (std::size_t k = i; k < i + 4; ++k) {
        const char c = text[k];
        unit = unit * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return unit;
}

std::string decodeString(std::string_view text, std::size_t i)
{
    std::string out;
    for (++i;;) {
        std::size_t plain = i;
        while (text[plain] != '"' && text[plain] != '\\')
            ++plain;
        out.append(text, i, plain - i);
        i = plain;
        if (text[i] == '"')
            return out;
        const char c = text[i + 1];
        i += 2;
        switch (c) {
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
            char32_t unit = hexUnit(text, i);
            i += 4;
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (hexUnit(text, i + 2) - 0xDC00);
                i += 6;
            }
            script::Utf8Text::append(out, unit);
            break;
        }
        default: out += c; break;
        }
    }
}

// Whether the string at `i` reads as `name`. Plain characters read as
// themselves, so the text and the name are compared as they stand up to the
// first escape; only a string with one there is read in full.
bool stringEquals(std::string_view text, std::size_t i, std::string_view name)
{
    std::size_t at = i + 1;
    for (const char c : name) {
        if (text[at] == '"' || text[at] == '\\')
            break;
        if (text[at] != c)
            return false;
        ++at;
    }
    if (text[at] == '\\')
        return decodeString(text, i) == name;
    return text[at] == '"' && at - (i + 1) == name.size();
}

// Whether a number that a double cannot hold is too large (not too small):
// the power of ten of its first significant digit is positive.
bool tooLarge(std::string_view number)
{
    std::size_t i = number[0] == '-' ? 1 : 0;
    long long power = 0;
    bool significant = false;
    bool fraction = false;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            fraction = true;
        } else if (significant) {
            power += fraction ? 0 : 1;
        } else if (number[i] != '0') {
            significant = true;
            power = fraction ? power : 1;
        } else if (fraction) {
            --power;
        }
    }
    long long exponent = 0;
    if (i < number.size()) {
        ++i;
        const bool negative = number[i] == '-';
        if (number[i] == '-' || number[i] == '+')
            ++i;
        for (; i < number.size() && exponent < 1'000'000'000; ++i)
            exponent = exponent * 10 + (number[i] - '0');
        exponent = negative ? -exponent : exponent;
    }
    return power + exponent > 0;
}

} // namespace

JsonValue JsonValue::root(std::string_view text, const Tape& tape)
{
    return JsonValue(text, tape.data(), 0);
}

JsonValue::Kind JsonValue::kind() const
{
    switch (text_[offset()]) {
    case 'n': return Kind::Null;
    case 't':
    case 'f': return Kind::Boolean;
    case '"': return Kind::String;
    case '[': return Kind::Array;
    case '{': return Kind::Object;
    default: return Kind::Number;
    }
}

std::string JsonValue::string() const
{
    return decodeString(text_, offset());
}

bool JsonValue::isWholeNumber() const
{
    const std::string_view number = text_.substr(offset(), endOfNumber(text_, offset()) - offset());
    return number.find_first_of(".eE") == std::string_view::npos;
}

std::optional<long long> JsonValue::wholeNumber() const
{
    const char* first = text_.data() + offset();
    const char* last = text_.data() + endOfNumber(text_, offset());
    long long value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::optional<double> JsonValue::real() const
{
    const char* first = text_.data() + offset();
    const char* last = text_.data() + endOfNumber(text_, offset());
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        if (tooLarge(std::string_view(first, static_cast<std::size_t>(last - first))))
            return std::nullopt;
        return *first == '-' ? -0.0 : 0.0;
    }
    return value;
}

JsonValue::Range<JsonValue::MemberIterator> JsonValue::members() const
{
    return {MemberIterator(text_, tape_, slot_ + 1), MemberIterator(text_, tape_, tape_[slot_].end)};
}

JsonValue::Range<JsonValue::ElementIterator> JsonValue::elements() const
{
    return {ElementIterator(text_, tape_, slot_ + 1), ElementIterator(text_, tape_, tape_[slot_].end)};
}

std::optional<JsonValue> JsonValue::find(std::string_view name) const
{
    for (std::uint32_t at = slot_ + 1; at != tape_[slot_].end; at = tape_[at + 1].end)
        if (stringEquals(text_, tape_[at].offset, name))
            return JsonValue(text_, tape_, at + 1);
    return std::nullopt;
}

JsonValue::Member::Member(std::string_view text, std::size_t nameOffset, JsonValue value)
    : nameOffset(nameOffset), value(value)
{
    std::size_t end = nameOffset + 1;
    while (text[end] != '"' && text[end] != '\\')
        ++end;
    if (text[end] == '"') {
        name = text.substr(nameOffset + 1, end - nameOffset - 1);
    } else {
        decoded_ = decodeString(text, nameOffset);
        name = decoded_;
    }
}

JsonValue::Member JsonValue::MemberIterator::operator*() const
{
    return Member(text_, tape_[slot_].offset, JsonValue(text_, tape_, slot_ + 1));
}

} // namespace scenewright::core::io
