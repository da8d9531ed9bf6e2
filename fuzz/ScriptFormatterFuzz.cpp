#include "scenewright/core/script/ScriptFormatter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Any text formats without failing; compressing is stable (compressing what
// compress wrote gives the same text again); and for a script whose literals
// can be told apart without parsing it, beautify and compress keep every
// string, template and regular-expression literal byte for byte and in order.
//
// The literals are found by a lexer of its own, independent of the
// formatter's. It reads a "/" as the start of a regular expression by the
// previous token alone; where that cannot decide (a "/" after ")", "}", "++",
// "--", a statement keyword or a word that is a keyword only in places) the
// script is left out of the literal check, as is a script with an
// unterminated literal or comment.

namespace {

using Byte = unsigned char;

bool isWordByte(Byte c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$'
        || c == '\\' || c == '#' || c >= 0x80;
}

bool isLineTerminatorAt(std::string_view s, std::size_t i)
{
    if (s[i] == '\n' || s[i] == '\r')
        return true;
    return i + 2 < s.size() && s[i] == '\xE2' && s[i + 1] == '\x80' && (s[i + 2] == '\xA8' || s[i + 2] == '\xA9');
}

// The length of a space outside ASCII at `i` (no-break space, byte order
// mark, U+1680, U+2000 to U+200A, U+202F, U+205F, U+3000), else 0.
std::size_t unicodeSpaceLength(std::string_view s, std::size_t i)
{
    const std::string_view rest = s.substr(i);
    if (rest.starts_with("\xC2\xA0"))
        return 2;
    static constexpr std::string_view kSpaces[] = {"\xEF\xBB\xBF", "\xE1\x9A\x80", "\xE2\x80\xAF",
        "\xE2\x81\x9F", "\xE3\x80\x80"};
    for (auto space : kSpaces)
        if (rest.starts_with(space))
            return 3;
    if (rest.size() >= 3 && rest.starts_with("\xE2\x80") && static_cast<Byte>(rest[2]) >= 0x80
        && static_cast<Byte>(rest[2]) <= 0x8A)
        return 3;
    return 0;
}

// Keywords after which a "/" opens a regular expression rather than dividing.
bool keywordBeforeExpression(std::string_view word)
{
    static constexpr std::string_view kWords[] = {"return", "typeof", "instanceof", "in", "new", "delete", "void",
        "throw", "case", "do", "else"};
    for (auto k : kWords)
        if (word == k)
            return true;
    return false;
}

// Words after which a "/" is no valid script either way, or is a keyword in
// some places and a name in others: lexers may differ there.
bool contextualKeyword(std::string_view word)
{
    static constexpr std::string_view kWords[] = {"of", "yield", "await", "let", "async", "for", "if", "while",
        "with", "switch", "catch", "function", "class", "var", "const", "import", "export", "extends", "break",
        "continue", "debugger", "default", "finally", "try", "enum", "static", "get", "set"};
    for (auto k : kWords)
        if (word == k)
            return true;
    return false;
}

class LiteralLexer {
public:
    explicit LiteralLexer(std::string_view text)
        : s_(text)
    {
    }

    // The literals in order, or nothing when the script is out of scope.
    std::optional<std::vector<std::string_view>> literals()
    {
        std::vector<std::string_view> found;
        // Ambiguous: a token after which "/" may divide or open a regular
        // expression, depending on what this lexer does not follow.
        enum class Prev { None, Punct, Word, Ambiguous, Literal } prev = Prev::None;
        std::string_view prevWord;
        // A word after "." is a property name, even when spelled like a keyword.
        bool afterDot = false;
        bool prevWordIsName = false;
        bool lineStart = true;
        while (i_ < s_.size()) {
            const Byte c = static_cast<Byte>(s_[i_]);
            const Byte next = i_ + 1 < s_.size() ? static_cast<Byte>(s_[i_ + 1]) : 0;
            if (isLineTerminatorAt(s_, i_)) {
                i_ += s_[i_] == '\xE2' ? 3 : 1;
                lineStart = true;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\v' || c == '\f') {
                ++i_;
                continue;
            }
            if (std::size_t length = unicodeSpaceLength(s_, i_)) {
                i_ += length;
                continue;
            }
            if ((c == '/' && next == '/') || (c == '<' && s_.substr(i_, 4) == "<!--") || (c == '#' && next == '!' && i_ == 0)
                || (lineStart && s_.substr(i_, 3) == "-->")) {
                while (i_ < s_.size() && !isLineTerminatorAt(s_, i_))
                    ++i_;
                continue;
            }
            if (c == '/' && next == '*') {
                std::size_t close = s_.find("*/", i_ + 2);
                if (close == std::string_view::npos)
                    return std::nullopt;
                for (std::size_t k = i_; k < close; ++k)
                    if (isLineTerminatorAt(s_, k))
                        lineStart = true;
                i_ = close + 2;
                continue;
            }
            lineStart = false;
            const std::size_t begin = i_;
            if (c == '\'' || c == '"') {
                if (!skipString(c))
                    return std::nullopt;
            } else if (c == '`') {
                if (!skipTemplate())
                    return std::nullopt;
            } else if (c == '/') {
                if (prev == Prev::Ambiguous || (prev == Prev::Word && !prevWordIsName && contextualKeyword(prevWord)))
                    return std::nullopt;
                bool regex = prev == Prev::None || prev == Prev::Punct
                    || (prev == Prev::Word && !prevWordIsName && keywordBeforeExpression(prevWord));
                if (!regex) {
                    ++i_;
                    prev = Prev::Punct;
                    continue;
                }
                if (!skipRegex())
                    return std::nullopt;
            } else if (isWordByte(c)) {
                skipWord();
                // A decimal number takes its point and fraction: "/" after "1." divides.
                const std::string_view digits = s_.substr(begin, i_ - begin);
                if (i_ < s_.size() && s_[i_] == '.'
                    && digits.find_first_not_of("0123456789_") == std::string_view::npos) {
                    ++i_;
                    skipWord();
                }
                prevWord = s_.substr(begin, i_ - begin);
                prevWordIsName = afterDot;
                afterDot = false;
                prev = Prev::Word;
                continue;
            } else {
                // ")" and "}" end an expression or a statement's head or block;
                // "++" and "--" end an operand or start one.
                if ((c == '+' || c == '-') && next == c) {
                    i_ += 2;
                    prev = Prev::Ambiguous;
                } else {
                    ++i_;
                    prev = c == ']' ? Prev::Literal : (c == ')' || c == '}') ? Prev::Ambiguous : Prev::Punct;
                }
                afterDot = c == '.';
                continue;
            }
            found.push_back(s_.substr(begin, i_ - begin));
            prev = Prev::Literal;
            afterDot = false;
        }
        return found;
    }

private:
    void skipWord()
    {
        while (i_ < s_.size() && isWordByte(static_cast<Byte>(s_[i_])) && !isLineTerminatorAt(s_, i_)
            && unicodeSpaceLength(s_, i_) == 0)
            ++i_;
    }

    bool skipString(Byte quote)
    {
        for (++i_; i_ < s_.size(); ++i_) {
            const Byte c = static_cast<Byte>(s_[i_]);
            if (c == '\\') {
                ++i_;
                // A backslash before CR LF continues the line over both.
                if (i_ + 1 < s_.size() && s_[i_] == '\r' && s_[i_ + 1] == '\n')
                    ++i_;
            } else if (c == quote) {
                ++i_;
                return true;
            } else if (c == '\n' || c == '\r') {
                return false;
            }
        }
        return false;
    }

    bool skipRegex()
    {
        bool inClass = false;
        for (++i_; i_ < s_.size(); ++i_) {
            if (isLineTerminatorAt(s_, i_))
                return false;
            const char c = s_[i_];
            if (c == '\\') {
                ++i_;
                if (i_ < s_.size() && isLineTerminatorAt(s_, i_))
                    return false;
            } else if (c == '[') {
                inClass = true;
            } else if (c == ']') {
                inClass = false;
            } else if (c == '/' && !inClass) {
                ++i_;
                while (i_ < s_.size() && isWordByte(static_cast<Byte>(s_[i_])) && !isLineTerminatorAt(s_, i_)
                    && unicodeSpaceLength(s_, i_) == 0)
                    ++i_;
                return true;
            }
        }
        return false;
    }

    // A template with its substitutions, which are taken as part of it.
    bool skipTemplate()
    {
        for (++i_; i_ < s_.size(); ++i_) {
            const char c = s_[i_];
            if (c == '\\') {
                ++i_;
            } else if (c == '`') {
                ++i_;
                return true;
            } else if (c == '$' && i_ + 1 < s_.size() && s_[i_ + 1] == '{') {
                i_ += 2;
                if (!skipSubstitution())
                    return false;
                --i_;
            }
        }
        return false;
    }

    // From after "${" to after its "}"; only literals and braces matter here.
    bool skipSubstitution()
    {
        int depth = 1;
        while (i_ < s_.size()) {
            const Byte c = static_cast<Byte>(s_[i_]);
            if (c == '\'' || c == '"') {
                if (!skipString(c))
                    return false;
            } else if (c == '`') {
                if (!skipTemplate())
                    return false;
            } else if (c == '/') {
                // Comments and regular expressions inside a substitution are
                // beyond this lexer.
                return false;
            } else {
                ++i_;
                if (c == '{')
                    ++depth;
                else if (c == '}' && --depth == 0)
                    return true;
            }
        }
        return false;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

[[noreturn]] void fail(const char* what, std::string_view input, std::string_view output)
{
    std::fprintf(stderr, "%s\n--- input\n%.*s\n--- output\n%.*s\n", what, static_cast<int>(input.size()),
        input.data(), static_cast<int>(output.size()), output.data());
    std::abort();
}

void expectSameLiterals(const std::vector<std::string_view>& expected, std::string_view input, std::string_view output,
    const char* which)
{
    auto found = LiteralLexer(output).literals();
    if (!found || *found != expected)
        fail(which, input, output);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using scenewright::core::script::ScriptFormatter;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string beautified = ScriptFormatter::beautify(text);
    const std::string compressed = ScriptFormatter::compress(text);
    if (ScriptFormatter::compress(compressed) != compressed)
        fail("compress is not stable", text, compressed);
    if (auto literals = LiteralLexer(text).literals()) {
        expectSameLiterals(*literals, text, beautified, "beautify changed a literal");
        expectSameLiterals(*literals, text, compressed, "compress changed a literal");
    }
    return 0;
}
