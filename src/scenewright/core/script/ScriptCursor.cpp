#include "scenewright/core/script/ScriptCursor.h"

#include "scenewright/core/script/MessageText.h"
#include "scenewright/core/script/ScriptText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace scenewright::core::script {

namespace {

constexpr int kLastNumber = 2147483646;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether the byte may continue a name or number of the script.
bool isWordByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || isDigit(c) || b == '_' || b == '$' || b == '\\'
           || b >= 0x80;
}

std::string shown(std::string_view fixed)
{
    std::string text(fixed);
    for (char& c : text)
        if (c == '~')
            c = ';';
    return MessageText::quoted(text);
}

} // namespace

std::size_t ScriptCursor::match(std::string_view fixed) const
{
    std::size_t at = pos_;
    for (char c : fixed) {
        if (c == '~') {
            if (at == text_.size())
                continue;
            c = ';';
        }
        if (at >= text_.size() || text_[at] != c)
            return std::string_view::npos;
        ++at;
    }
    return at - pos_;
}

bool ScriptCursor::lookingAt(std::string_view fixed) const
{
    return match(fixed) != std::string_view::npos;
}

bool ScriptCursor::accept(std::string_view fixed)
{
    const std::size_t length = match(fixed);
    if (length == std::string_view::npos)
        return false;
    pos_ += length;
    return true;
}

void ScriptCursor::expect(std::string_view fixed)
{
    if (!accept(fixed))
        fail(shown(fixed));
}

void ScriptCursor::failAt(std::size_t at, const std::string& what)
{
    throw Mismatch(at, "expected " + what);
}

double ScriptCursor::number()
{
    const std::size_t start = pos_;
    const double value = numberOrInfinity();
    if (!std::isfinite(value))
        failAt(start, "a number");
    return value;
}

double ScriptCursor::numberOrInfinity()
{
    const std::size_t start = pos_;
    std::size_t at = pos_;
    const bool negative = at < text_.size() && text_[at] == '-';
    if (negative)
        ++at;
    if (text_.substr(at, 8) == "Infinity" && (at + 8 == text_.size() || !isWordByte(text_[at + 8]))) {
        pos_ = at + 8;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    // Digits, a fraction and an exponent, as the script writes them.
    const std::size_t digits = at;
    while (at < text_.size() && isDigit(text_[at]))
        ++at;
    if (at == digits)
        failAt(start, "a number");
    if (at < text_.size() && text_[at] == '.') {
        ++at;
        const std::size_t fraction = at;
        while (at < text_.size() && isDigit(text_[at]))
            ++at;
        if (at == fraction)
            failAt(start, "a number");
    }
    if (at < text_.size() && (text_[at] == 'E' || text_[at] == 'e')) {
        ++at;
        if (at < text_.size() && (text_[at] == '-' || text_[at] == '+'))
            ++at;
        const std::size_t exponent = at;
        while (at < text_.size() && isDigit(text_[at]))
            ++at;
        if (at == exponent)
            failAt(start, "a number");
    }
    if (at < text_.size() && isWordByte(text_[at]))
        failAt(start, "a number");
    std::string_view written = text_.substr(digits, at - digits);
    // from_chars takes no "+" in the exponent.
    std::string plain(written);
    if (const std::size_t plus = plain.find('+'); plus != std::string::npos)
        plain.erase(plus, 1);
    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ptr != plain.data() + plain.size())
        failAt(start, "a number");
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: neither is written by the
        // generator, which writes the doubles it holds.
        failAt(start, "a number a double can hold");
    }
    pos_ = at;
    return negative ? -value : value;
}

std::size_t ScriptCursor::integerEnd() const
{
    std::size_t at = pos_;
    if (at < text_.size() && text_[at] == '-')
        ++at;
    const std::size_t digits = at;
    while (at < text_.size() && isDigit(text_[at]))
        ++at;
    if (at == digits || (at < text_.size() && isWordByte(text_[at])))
        return std::string_view::npos;
    return at;
}

int ScriptCursor::integer()
{
    const std::size_t start = pos_;
    const std::size_t at = integerEnd();
    if (at == std::string_view::npos)
        failAt(start, "a whole number");
    long long value = 0;
    const auto result = std::from_chars(text_.data() + start, text_.data() + at, value);
    if (result.ec != std::errc() || value < std::numeric_limits<int>::min()
        || value > std::numeric_limits<int>::max())
        failAt(start, "a whole number in the range of an int");
    pos_ = at;
    return static_cast<int>(value);
}

int ScriptCursor::nameNumber()
{
    const std::size_t start = pos_;
    std::size_t at = pos_;
    while (at < text_.size() && isDigit(text_[at]))
        ++at;
    if (at == start || (at < text_.size() && isWordByte(text_[at])))
        failAt(start, "the number of a generated name");
    // A number with a leading zero is not one the generator writes.
    if (at - start > 1 && text_[start] == '0')
        failAt(start, "the number of a generated name");
    long long value = 0;
    const auto result = std::from_chars(text_.data() + start, text_.data() + at, value);
    if (result.ec != std::errc() || value > kLastNumber)
        failAt(start, "a generated name's number up to 2147483646");
    pos_ = at;
    return static_cast<int>(value);
}

std::optional<int> ScriptCursor::acceptName(std::string_view prefix)
{
    const std::size_t start = pos_;
    if (!accept(prefix))
        return std::nullopt;
    if (atEnd() || !isDigit(text_[pos_])) {
        pos_ = start;
        return std::nullopt;
    }
    return nameNumber();
}

int ScriptCursor::expectName(std::string_view prefix)
{
    if (std::optional<int> number = acceptName(prefix))
        return *number;
    fail(shown(std::string(prefix) + "N"));
}

std::string ScriptCursor::literal()
{
    const std::size_t start = pos_;
    if (atEnd() || (text_[pos_] != '\'' && text_[pos_] != '"'))
        fail("a string literal");
    const char quote = text_[pos_];
    std::size_t at = pos_ + 1;
    while (at < text_.size() && text_[at] != quote) {
        if (text_[at] == '\n' || text_[at] == '\r')
            failAt(start, "a string literal that ends on its line");
        at += text_[at] == '\\' ? 2 : 1;
    }
    if (at >= text_.size())
        failAt(start, "a string literal that ends");
    std::optional<std::string> value = ScriptText::readLiteral(text_.substr(pos_ + 1, at - pos_ - 1));
    if (!value)
        failAt(start, "a string literal JavaScript can read into text");
    pos_ = at + 1;
    return std::move(*value);
}

std::optional<std::string> ScriptCursor::acceptIntegerText()
{
    const std::size_t at = integerEnd();
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string written(text_.substr(pos_, at - pos_));
    pos_ = at;
    return written;
}

} // namespace scenewright::core::script
