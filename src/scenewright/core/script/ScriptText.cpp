#include "scenewright/core/script/ScriptText.h"

#include "scenewright/core/script/Utf8Text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace scenewright::core::script {

namespace {

// The UTF-8 forms of U+2028 and U+2029 share these two leading bytes.
constexpr char kSeparatorLead0 = '\xE2';
constexpr char kSeparatorLead1 = '\x80';
constexpr char kLineSeparatorLast = '\xA8';
constexpr char kParagraphSeparatorLast = '\xA9';

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool isSeparatorAt(std::string_view text, std::size_t i)
{
    return i + 2 < text.size() && text[i] == kSeparatorLead0 && text[i + 1] == kSeparatorLead1
           && (text[i + 2] == kLineSeparatorLast || text[i + 2] == kParagraphSeparatorLast);
}

// Appends the character at the position and returns the bytes it took. The
// script is UTF-8 text, so an ill-formed sequence is written as U+FFFD, the
// character any UTF-8 reader of the script would see in its place.
std::size_t appendCharacter(std::string& out, std::string_view text, std::size_t i)
{
    const Utf8Text::Step step = Utf8Text::stepAt(text, i);
    if (step.wellFormed)
        out.append(text.substr(i, step.length));
    else
        out.append(kReplacementCharacter);
    return step.length;
}

} // namespace

std::string ScriptText::number(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    if (value == 0.0)
        return std::signbit(value) ? "-0.0" : "0.0";

    // Shortest round-trip digits in scientific form, e.g. "1.25e+01".
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));

    bool negative = sci.front() == '-';
    if (negative)
        sci.remove_prefix(1);
    std::size_t ePos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (c != '.')
            digits += c;
    int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());

    std::string out = negative ? "-" : "";
    double magnitude = std::fabs(value);
    if (magnitude >= 1e-3 && magnitude < 1e7) {
        if (exponent >= 0) {
            std::size_t intLength = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intLength) {
                out += digits + std::string(intLength - digits.size(), '0') + ".0";
            } else {
                out += digits.substr(0, intLength) + "." + digits.substr(intLength);
            }
        } else {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
    } else {
        out += digits.substr(0, 1) + ".";
        out += digits.size() > 1 ? digits.substr(1) : "0";
        out += "E" + std::to_string(exponent);
    }
    return out;
}

std::string ScriptText::number(int value)
{
    return std::to_string(value);
}

const char* ScriptText::boolean(bool value)
{
    return value ? "true" : "false";
}

void ScriptText::appendLiteral(std::string& out, std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\'': out += "\\'"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default:
            if (isSeparatorAt(text, i)) {
                out += text[i + 2] == kLineSeparatorLast ? "\\u2028" : "\\u2029";
                i += 2;
            } else {
                i += appendCharacter(out, text, i) - 1;
            }
        }
    }
}

std::string ScriptText::literal(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendLiteral(out, text);
    return out;
}

std::string ScriptText::literal(const std::optional<std::string>& text)
{
    return text ? literal(std::string_view(*text)) : std::string("null");
}

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the hexadecimal digits of an escape from `at`: `count` of them, or,
// for a count of 0, those between braces ("{1F600}"). Moves `at` past them.
std::optional<char32_t> hexEscape(std::string_view text, std::size_t& at, std::size_t count)
{
    const bool braced = count == 0;
    std::size_t i = at;
    if (braced) {
        if (i >= text.size() || text[i] != '{')
            return std::nullopt;
        ++i;
    }
    char32_t value = 0;
    std::size_t digits = 0;
    while (i < text.size() && (braced || digits < count)) {
        const int digit = hexValue(text[i]);
        if (digit < 0)
            break;
        value = value * 16 + static_cast<char32_t>(digit);
        if (value > 0x10FFFF)
            return std::nullopt;
        ++digits;
        ++i;
    }
    if (digits == 0 || (!braced && digits != count))
        return std::nullopt;
    if (braced) {
        if (i >= text.size() || text[i] != '}')
            return std::nullopt;
        ++i;
    }
    at = i;
    return value;
}

constexpr bool isHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

constexpr bool isLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

std::optional<std::string> ScriptText::readLiteral(std::string_view content)
{
    std::string out;
    out.reserve(content.size());
    // A \u escape of a high surrogate waits here for its low half.
    std::optional<char32_t> high;
    for (std::size_t i = 0; i < content.size();) {
        const char c = content[i];
        std::optional<char32_t> escaped;
        if (c == '\n' || c == '\r')
            return std::nullopt;
        if (c != '\\') {
            if (high)
                return std::nullopt;
            out += c;
            ++i;
            continue;
        }
        if (++i == content.size())
            return std::nullopt;
        const char e = content[i++];
        switch (e) {
        case 'n': escaped = U'\n'; break;
        case 'r': escaped = U'\r'; break;
        case 't': escaped = U'\t'; break;
        case 'b': escaped = U'\b'; break;
        case 'f': escaped = U'\f'; break;
        case 'v': escaped = U'\v'; break;
        case '0':
            if (i < content.size() && content[i] >= '0' && content[i] <= '9')
                return std::nullopt;
            escaped = U'\0';
            break;
        case 'x': escaped = hexEscape(content, i, 2); break;
        case 'u':
            escaped = hexEscape(content, i, i < content.size() && content[i] == '{' ? 0 : 4);
            break;
        case '\r':
            // A line continuation adds nothing; CR LF is one line break.
            if (i < content.size() && content[i] == '\n')
                ++i;
            continue;
        case '\n': continue;
        default:
            if (e >= '1' && e <= '9')
                return std::nullopt;
            if (isSeparatorAt(content, i - 1)) {
                i += 2;
                continue;
            }
            if (high)
                return std::nullopt;
            // Any other character stands for itself.
            out += e;
            continue;
        }
        if (!escaped)
            return std::nullopt;
        if (high) {
            if (!isLowSurrogate(*escaped))
                return std::nullopt;
            Utf8Text::append(out, 0x10000 + ((*high - 0xD800) << 10) + (*escaped - 0xDC00));
            high.reset();
        } else if (isHighSurrogate(*escaped)) {
            high = escaped;
        } else if (isLowSurrogate(*escaped)) {
            return std::nullopt;
        } else {
            Utf8Text::append(out, *escaped);
        }
    }
    if (high)
        return std::nullopt;
    return out;
}

std::string ScriptText::comment(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            out += ' ';
        } else if (isSeparatorAt(text, i)) {
            out += ' ';
            i += 2;
        } else {
            i += appendCharacter(out, text, i) - 1;
        }
    }
    return out;
}

std::string ScriptText::orNull(const std::optional<std::string>& text)
{
    return text ? *text : std::string("null");
}

bool ScriptText::isIntegerName(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-')
        digits.remove_prefix(1);
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0'))
        return false;
    for (char c : digits)
        if (c < '0' || c > '9')
            return false;
    long long value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && value >= std::numeric_limits<int>::min()
           && value <= std::numeric_limits<int>::max();
}

} // namespace scenewright::core::script
