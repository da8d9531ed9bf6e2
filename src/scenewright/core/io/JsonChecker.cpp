#include "scenewright/core/io/JsonChecker.h"

#include <array>
#include <bitset>
#include <limits>

namespace scenewright::core::io {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A check in progress; each step throws the first fault it meets.
class Checker {
public:
    Checker(std::string_view text, JsonValue::Tape& tape) : s_(text), tape_(tape) {}

    void run()
    {
        // Places are noted in 32 bits.
        if (s_.size() >= std::numeric_limits<std::uint32_t>::max())
            fail("the file is too large");
        tape_.clear();
        tape_.reserve(s_.size() / 16);
        if (s_.starts_with("\xEF\xBB\xBF"))
            i_ = 3;
        skipBlanks();
        value();
        // Each closing bracket is followed by what its container expects.
        while (depth_ > 0) {
            skipBlanks();
            const bool object = objects_[depth_ - 1];
            if (atEnd())
                fail(object ? "expected \",\" or \"}\", found the end of the file"
                            : "expected \",\" or \"]\", found the end of the file");
            const char c = s_[i_];
            if (c == (object ? '}' : ']')) {
                ++i_;
                close();
                continue;
            }
            if (c != ',')
                fail(object ? "expected \",\" or \"}\"" : "expected \",\" or \"]\"");
            ++i_;
            skipBlanks();
            if (object)
                key();
            value();
        }
        skipBlanks();
        if (!atEnd())
            fail("unexpected text after the project");
    }

private:
    [[noreturn]] void fail(const char* message) { throw JsonChecker::Error{i_, message}; }

    // Notes a value or member name starting here; its end is set once read.
    std::size_t note()
    {
        tape_.push_back({static_cast<std::uint32_t>(i_), 0});
        return tape_.size() - 1;
    }
    void ended(std::size_t slot) { tape_[slot].end = static_cast<std::uint32_t>(tape_.size()); }

    // Closes the innermost open array or object.
    void close() { ended(openSlots_[--depth_]); }

    bool atEnd() const { return i_ >= s_.size(); }
    char at(std::size_t k) const { return k < s_.size() ? s_[k] : '\0'; }

    void skipBlanks()
    {
        while (!atEnd() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
            ++i_;
    }

    // A value. An array or object is opened here and its first member read in
    // the same loop; run() reads the rest, so nesting costs no recursion.
    void value()
    {
        for (;;) {
            if (atEnd())
                fail("expected a value, found the end of the file");
            const char c = s_[i_];
            if (c != '{' && c != '[') {
                const std::size_t slot = note();
                scalar(c);
                ended(slot);
                return;
            }
            if (depth_ == JsonChecker::kMaxNesting)
                fail("arrays and objects nested more than 64 deep");
            openSlots_[depth_] = note();
            objects_[depth_++] = c == '{';
            ++i_;
            skipBlanks();
            if (at(i_) == (c == '{' ? '}' : ']')) {
                ++i_;
                close();
                return;
            }
            if (c == '{')
                key();
        }
    }

    void scalar(char c)
    {
        if (c == '"')
            string();
        else if (c == '-' || isDigit(c))
            number();
        else if (!literal("true") && !literal("false") && !literal("null"))
            fail("expected a value");
    }

    // A member's name and its colon, with the blanks around them.
    void key()
    {
        if (at(i_) != '"')
            fail(atEnd() ? "expected a field name in double quotes, found the end of the file"
                         : "expected a field name in double quotes");
        ended(note());
        string();
        skipBlanks();
        if (at(i_) != ':')
            fail("expected \":\" after the field name");
        ++i_;
        skipBlanks();
    }

    bool literal(std::string_view word)
    {
        if (s_.substr(i_, word.size()) != word)
            return false;
        i_ += word.size();
        return true;
    }

    void string()
    {
        ++i_;
        for (;;) {
            // The plain characters, most of a string, in a tight loop.
            while (i_ < s_.size()) {
                const auto c = static_cast<unsigned char>(s_[i_]);
                if (c == '"' || c == '\\' || c < 0x20)
                    break;
                ++i_;
            }
            if (atEnd())
                fail("the file ends inside a string");
            const auto c = static_cast<unsigned char>(s_[i_]);
            if (c == '"') {
                ++i_;
                return;
            }
            if (c < 0x20)
                fail("a control character inside a string (a line break is written \\n)");
            if (c == '\\') {
                escape();
                continue;
            }
            ++i_;
        }
    }

    void escape()
    {
        const char c = at(i_ + 1);
        if (c == '"' || c == '\\' || c == '/' || c == 'b' || c == 'f' || c == 'n' || c == 'r' || c == 't') {
            i_ += 2;
            return;
        }
        if (c != 'u')
            fail("an unknown escape in a string");
        const unsigned unit = hexUnit(i_);
        const std::size_t start = i_;
        i_ += 6;
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            i_ = start;
            fail("half a surrogate pair in a string");
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const bool low = at(i_) == '\\' && at(i_ + 1) == 'u' && hexUnitOrNone(i_) >= 0xDC00
                && hexUnitOrNone(i_) <= 0xDFFF;
            if (!low) {
                i_ = start;
                fail("half a surrogate pair in a string");
            }
            i_ += 6;
        }
    }

    // The four hex digits of the "\u" escape at `at`, or 0x10000 when they
    // are not four hex digits.
    unsigned hexUnitOrNone(std::size_t escapeAt) const
    {
        unsigned unit = 0;
        for (std::size_t k = escapeAt + 2; k < escapeAt + 6; ++k) {
            const char c = at(k);
            if (!isHexDigit(c))
                return 0x10000;
            unit = unit * 16 + static_cast<unsigned>(isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10);
        }
        return unit;
    }

    unsigned hexUnit(std::size_t escapeAt)
    {
        const unsigned unit = hexUnitOrNone(escapeAt);
        if (unit > 0xFFFF)
            fail("\\u in a string must be followed by four hexadecimal digits");
        return unit;
    }

    void digits(const char* missing)
    {
        if (!isDigit(at(i_)))
            fail(missing);
        while (isDigit(at(i_)))
            ++i_;
    }

    void number()
    {
        const std::size_t start = i_;
        if (at(i_) == '-')
            ++i_;
        if (at(i_) == '0') {
            ++i_;
            if (isDigit(at(i_))) {
                i_ = start;
                fail("a number with a leading zero");
            }
        } else {
            digits("expected a digit after \"-\"");
        }
        if (at(i_) == '.') {
            ++i_;
            digits("expected a digit after the decimal point");
        }
        if (at(i_) == 'e' || at(i_) == 'E') {
            ++i_;
            if (at(i_) == '+' || at(i_) == '-')
                ++i_;
            digits("expected a digit in the exponent");
        }
    }

    std::string_view s_;
    JsonValue::Tape& tape_;
    std::size_t i_ = 0;
    // The tape slot of each open bracket.
    std::array<std::size_t, JsonChecker::kMaxNesting> openSlots_{};
    // Whether each open bracket is an object's (else an array's).
    std::bitset<JsonChecker::kMaxNesting> objects_;
    std::size_t depth_ = 0;
};

} // namespace

std::optional<JsonChecker::Error> JsonChecker::check(std::string_view text, JsonValue::Tape& tape)
{
    try {
        Checker(text, tape).run();
    } catch (const Error& error) {
        return error;
    }
    return std::nullopt;
}

} // namespace scenewright::core::io
