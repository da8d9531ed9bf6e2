#include "scenewright/core/script/ScriptFormatter.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <vector>

namespace scenewright::core::script {
namespace {

using Byte = unsigned char;

constexpr bool isWordByte(Byte c)
{
    // Bytes of multi-byte characters count as word bytes: keeping them glued to
    // their neighbours is always safe, whatever character they encode.
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$'
        || c == '\\' || c == '#' || c >= 0x80;
}

constexpr bool isBlankByte(Byte c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

// The length of the UTF-8 form of a space or line separator outside ASCII at
// `i` (no-break space, byte order mark, the spaces U+1680, U+2000 to U+200A,
// U+202F, U+205F, U+3000, and the line and paragraph separators), else 0. In
// script they separate tokens as blanks do; the two separators also end lines.
std::size_t unicodeBlankLength(std::string_view s, std::size_t i, bool& breaksLine)
{
    auto at = [&](std::size_t k) { return k < s.size() ? static_cast<Byte>(s[k]) : Byte(0); };
    const Byte a = at(i);
    const Byte b = at(i + 1);
    const Byte c = at(i + 2);
    if (a == 0xC2 && b == 0xA0)
        return 2;
    if (a == 0xE2 && b == 0x80 && (c == 0xA8 || c == 0xA9)) {
        breaksLine = true;
        return 3;
    }
    const bool space = (a == 0xEF && b == 0xBB && c == 0xBF) || (a == 0xE1 && b == 0x9A && c == 0x80)
        || (a == 0xE2 && b == 0x80 && ((c >= 0x80 && c <= 0x8A) || c == 0xAF)) || (a == 0xE2 && b == 0x81 && c == 0x9F)
        || (a == 0xE3 && b == 0x80 && c == 0x80);
    return space ? 3 : 0;
}

bool isUnicodeBlankAt(std::string_view s, std::size_t i)
{
    bool breaksLine = false;
    return unicodeBlankLength(s, i, breaksLine) > 0;
}

constexpr bool isLineBreak(Byte c)
{
    return c == '\n' || c == '\r';
}

constexpr bool isDigit(Byte c)
{
    return c >= '0' && c <= '9';
}

constexpr bool isHexDigit(Byte c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool containsLineBreak(std::string_view text, std::size_t from, std::size_t to)
{
    return std::any_of(text.begin() + static_cast<std::ptrdiff_t>(from), text.begin() + static_cast<std::ptrdiff_t>(to),
        [](char c) { return isLineBreak(static_cast<Byte>(c)); });
}

// ---------------------------------------------------------------------------
// Tokens

enum class TokenKind : std::uint8_t {
    Blank, // run of blanks, tabs, vertical tabs, form feeds and carriage returns
    LineFeed, // one "\n"
    LineComment,
    BlockComment,
    Word, // identifier, keyword or number
    String,
    Template,
    Regex,
    Punct,
};

constexpr bool isSignificant(TokenKind kind)
{
    return kind >= TokenKind::Word;
}

struct Token {
    TokenKind kind = TokenKind::Blank;
    std::size_t begin = 0;
    std::size_t end = 0;
    bool breaksLine = false; // holds a line terminator
    bool unterminated = false; // string or regex literal cut off by the end of its line
    bool htmlClose = false; // "-->" comment, which only the start of a line allows
    // Set on significant tokens only:
    bool gapBefore = false; // blanks or comments separate it from the previous significant token
    bool newlineBefore = false; // a line terminator does
    bool asiBefore = false; // and the script's previous statement ends there without ";"
};

// Whether punctuator byte `b` written right after `a` would read as one longer
// punctuator or open a comment.
bool punctuatorsFuse(Byte a, Byte b)
{
    constexpr std::string_view kBeforeEquals = "=!<>+-*/%&|^";
    constexpr std::string_view kDoubled = "+-&|?*<>=/.";
    if (b == '=') {
        return kBeforeEquals.find(static_cast<char>(a)) != std::string_view::npos;
    }
    if (a == b) {
        return kDoubled.find(static_cast<char>(a)) != std::string_view::npos;
    }
    return (a == '=' && b == '>') || (a == '?' && b == '.') || (a == '/' && b == '*') || (a == '<' && b == '!')
        || (a == '-' && b == '>');
}

// Whether writing `right` directly after `left` would make the two read as
// different tokens (merged words, "+ +" becoming "++", a "/" starting a comment).
bool tokensWouldFuse(std::string_view text, const Token& left, const Token& right)
{
    const Byte a = static_cast<Byte>(text[left.end - 1]);
    const Byte b = static_cast<Byte>(text[right.begin]);
    if (right.kind == TokenKind::Word) {
        // A regular expression ends in its flags, which a word would extend.
        if (left.kind == TokenKind::Word || left.kind == TokenKind::Regex) {
            return true;
        }
        return left.kind == TokenKind::Punct && a == '.' && isDigit(b);
    }
    if (left.kind == TokenKind::Word) {
        return b == '.' && isDigit(static_cast<Byte>(text[left.begin]));
    }
    if (left.kind != TokenKind::Punct && left.kind != TokenKind::Regex) {
        return false;
    }
    if (right.kind == TokenKind::String || right.kind == TokenKind::Template) {
        return false;
    }
    return punctuatorsFuse(a, b);
}

// Whether writing `next` right after `written` spells "<!--" across the join,
// which opens a comment; tokens as short as "<", "!" and "--" can do it with
// none of their pairs fusing.
bool joinOpensComment(std::string_view written, std::string_view next)
{
    constexpr std::string_view kOpen = "<!--";
    const std::size_t tail = std::min<std::size_t>(written.size(), kOpen.size() - 1);
    std::string joined(written.substr(written.size() - tail));
    joined += next.substr(0, kOpen.size() - 1);
    for (std::size_t at = joined.find(kOpen); at != std::string::npos; at = joined.find(kOpen, at + 1))
        if (at < tail && at + kOpen.size() > tail)
            return true;
    return false;
}

// Whether writing `next` right after `written` continues a "\u{...}" escape
// across the join ("\u" then "{", "\u{4" then "1" or "}"): the escape would
// read as one character of a name where the script has separate tokens.
bool joinContinuesEscape(std::string_view written, std::string_view next)
{
    std::size_t hexStart = written.size();
    while (hexStart > 0 && isHexDigit(static_cast<Byte>(written[hexStart - 1]))) {
        --hexStart;
    }
    const Byte first = static_cast<Byte>(next[0]);
    if (written.substr(0, hexStart).ends_with("\\u{")) {
        return isHexDigit(first) || first == '}';
    }
    return hexStart == written.size() && written.ends_with("\\u") && first == '{';
}

// ---------------------------------------------------------------------------
// Lexer: cuts the text into tokens. Whether a "/" starts a regular expression
// and whether "-->" may open a comment depend on what came before, which the
// caller knows.

class Lexer {
public:
    explicit Lexer(std::string_view text)
        : s_(text)
    {
    }

    bool atEnd() const { return pos_ >= s_.size(); }

    // Reads the next token into `t`, overwriting all of it.
    void read(Token& t, bool regexAllowed, bool atLineStart);

private:
    Byte at(std::size_t i) const { return i < s_.size() ? static_cast<Byte>(s_[i]) : 0; }

    std::size_t endOfBlanks(std::size_t i, bool& breaksLine) const;
    std::size_t endOfWord(std::size_t i) const;
    std::size_t wordCharacterLength(std::size_t i) const;
    std::size_t endOfNumber(std::size_t i) const;
    std::size_t endOfExponentSign(std::size_t begin, std::size_t end) const;
    std::size_t endOfLineComment(std::size_t i) const;
    std::size_t endOfBlockComment(std::size_t i) const;
    std::size_t endOfString(std::size_t i, Byte quote, bool& unterminated) const;
    std::size_t endOfRegex(std::size_t i, bool& unterminated) const;
    std::size_t endOfTemplate(std::size_t i);

    std::string_view s_;
    std::size_t pos_ = 0;
    // Open template texts (-1) and substitutions (count of braces open inside them).
    std::vector<std::ptrdiff_t> templateStack_;
};

void Lexer::read(Token& t, bool regexAllowed, bool atLineStart)
{
    t = Token {};
    t.begin = pos_;
    const std::size_t i = pos_;
    const Byte c = at(i);
    const Byte next = at(i + 1);
    std::size_t end = i + 1;
    if (c == '\n') {
        t.kind = TokenKind::LineFeed;
        t.breaksLine = true;
    } else if (isBlankByte(c) || isUnicodeBlankAt(s_, i)) {
        t.kind = TokenKind::Blank;
        end = endOfBlanks(i, t.breaksLine);
    } else if (c == '/' && next == '/') {
        t.kind = TokenKind::LineComment;
        end = endOfLineComment(i + 2);
    } else if (c == '/' && next == '*') {
        t.kind = TokenKind::BlockComment;
        end = endOfBlockComment(i + 2);
        t.breaksLine = containsLineBreak(s_, i, end);
    } else if (c == '/' && regexAllowed) {
        t.kind = TokenKind::Regex;
        end = endOfRegex(i + 1, t.unterminated);
    } else if ((c == '<' && next == '!' && at(i + 2) == '-' && at(i + 3) == '-')
        || (c == '#' && next == '!' && i == 0)) {
        // "<!--" always opens a comment in a script; "#!" does on its first line.
        t.kind = TokenKind::LineComment;
        end = endOfLineComment(i + 2);
    } else if (c == '-' && next == '-' && at(i + 2) == '>' && atLineStart) {
        t.kind = TokenKind::LineComment;
        t.htmlClose = true;
        end = endOfLineComment(i + 3);
    } else if (c == '\'' || c == '"') {
        t.kind = TokenKind::String;
        end = endOfString(i + 1, c, t.unterminated);
    } else if (c == '`') {
        t.kind = TokenKind::Template;
        end = endOfTemplate(i + 1);
    } else if (isDigit(c) || (c == '.' && isDigit(next))) {
        t.kind = TokenKind::Word;
        end = endOfNumber(i);
    } else if (isWordByte(c)) {
        t.kind = TokenKind::Word;
        end = endOfWord(i);
    } else {
        t.kind = TokenKind::Punct;
        const bool pair = (c == '+' && next == '+') || (c == '-' && next == '-') || (c == '=' && next == '>')
            || (c == '!' && next == '=') || (c == '?' && next == '?')
            || (c == '?' && next == '.' && !isDigit(at(i + 2)));
        end = pair ? i + 2 : i + 1;
    }
    t.end = end;
    pos_ = end;
}

std::size_t Lexer::endOfBlanks(std::size_t i, bool& breaksLine) const
{
    while (i < s_.size()) {
        if (isBlankByte(static_cast<Byte>(s_[i]))) {
            breaksLine = breaksLine || s_[i] == '\r';
            ++i;
        } else if (std::size_t length = unicodeBlankLength(s_, i, breaksLine)) {
            i += length;
        } else {
            break;
        }
    }
    return i;
}

std::size_t Lexer::endOfWord(std::size_t i) const
{
    while (i < s_.size() && isWordByte(static_cast<Byte>(s_[i])) && !isUnicodeBlankAt(s_, i)) {
        i += wordCharacterLength(i);
    }
    return i;
}

// An escape "\u{...}" is one character of a name, braces included; any other
// word byte is one.
std::size_t Lexer::wordCharacterLength(std::size_t i) const
{
    if (at(i) != '\\' || at(i + 1) != 'u' || at(i + 2) != '{') {
        return 1;
    }
    std::size_t j = i + 3;
    while (isHexDigit(at(j))) {
        ++j;
    }
    return at(j) == '}' ? j + 1 - i : 1;
}

// A numeric literal from its first digit, or from the point of ".5": the
// letters and digits of a word, a decimal point with the fraction after it
// ("1." ends in its point, so a line break after it may end the statement),
// and the sign of an exponent.
std::size_t Lexer::endOfNumber(std::size_t i) const
{
    std::size_t end = i;
    if (at(i) != '.') {
        end = endOfWord(i);
        const bool decimalInteger = std::all_of(s_.begin() + static_cast<std::ptrdiff_t>(i),
            s_.begin() + static_cast<std::ptrdiff_t>(end), [](char c) { return isDigit(static_cast<Byte>(c)) || c == '_'; });
        if (!decimalInteger || at(end) != '.') {
            return endOfExponentSign(i, end);
        }
    }
    return endOfExponentSign(i, endOfWord(end + 1));
}

// Takes "+5" or "-5" after a decimal number ending in "e" into the number;
// "0x1e" is a hexadecimal number, and its "+" an operator.
std::size_t Lexer::endOfExponentSign(std::size_t begin, std::size_t end) const
{
    const Byte last = at(end - 1);
    const bool radixPrefix = at(begin) == '0' && isWordByte(at(begin + 1)) && !isDigit(at(begin + 1))
        && at(begin + 1) != '_' && at(begin + 1) != 'e' && at(begin + 1) != 'E' && at(begin + 1) != 'n';
    if ((last == 'e' || last == 'E') && !radixPrefix && (at(end) == '+' || at(end) == '-') && isDigit(at(end + 1))) {
        return endOfWord(end + 1);
    }
    return end;
}

std::size_t Lexer::endOfLineComment(std::size_t i) const
{
    // Line feed, carriage return, U+2028 and U+2029 end a line comment.
    const std::size_t n = s_.size();
    for (; i < n; ++i) {
        const Byte c = static_cast<Byte>(s_[i]);
        if (isLineBreak(c)) {
            break;
        }
        if (c == 0xE2 && at(i + 1) == 0x80 && (at(i + 2) == 0xA8 || at(i + 2) == 0xA9)) {
            break;
        }
    }
    return std::min(i, n);
}

std::size_t Lexer::endOfBlockComment(std::size_t i) const
{
    // An unterminated comment runs to the end of the text.
    const std::size_t close = s_.find("*/", std::min(i, s_.size()));
    return close == std::string_view::npos ? s_.size() : close + 2;
}

std::size_t Lexer::endOfString(std::size_t i, Byte quote, bool& unterminated) const
{
    const std::size_t n = s_.size();
    while (i < n) {
        const Byte c = static_cast<Byte>(s_[i]);
        if (c == quote) {
            return i + 1;
        }
        if (c == '\\') {
            // A backslash escapes the next character; before a line break it
            // continues the string on the next line.
            i += (at(i + 1) == '\r' && at(i + 2) == '\n') ? 3 : 2;
            continue;
        }
        if (isLineBreak(c)) {
            break;
        }
        ++i;
    }
    unterminated = true;
    return std::min(i, n);
}

std::size_t Lexer::endOfRegex(std::size_t i, bool& unterminated) const
{
    const std::size_t n = s_.size();
    bool inClass = false;
    while (i < n) {
        const Byte c = static_cast<Byte>(s_[i]);
        if (isLineBreak(c)) {
            break;
        }
        if (c == '\\') {
            if (isLineBreak(at(i + 1))) {
                ++i;
                break;
            }
            i += 2;
            continue;
        }
        if (c == '[') {
            inClass = true;
        } else if (c == ']') {
            inClass = false;
        } else if (c == '/' && !inClass) {
            return endOfWord(i + 1);
        }
        ++i;
    }
    unterminated = true;
    return std::min(i, n);
}

std::size_t Lexer::endOfTemplate(std::size_t i)
{
    // A template literal is one token, substitutions included. Inside a
    // substitution, strings, comments, nested templates and braces are followed so
    // that a "`" or "}" inside them does not end the literal. A template may span
    // lines, so an unterminated one runs to the end of the text.
    constexpr std::ptrdiff_t kText = -1;
    const std::size_t n = s_.size();
    templateStack_.assign(1, kText);
    bool regexAllowed = true;
    while (i < n) {
        const Byte c = static_cast<Byte>(s_[i]);
        std::ptrdiff_t& top = templateStack_.back();
        if (top == kText) {
            if (c == '\\') {
                i += 2;
            } else if (c == '`') {
                ++i;
                templateStack_.pop_back();
                if (templateStack_.empty()) {
                    return i;
                }
                regexAllowed = false;
            } else if (c == '$' && at(i + 1) == '{') {
                i += 2;
                templateStack_.push_back(0);
                regexAllowed = true;
            } else {
                ++i;
            }
            continue;
        }
        bool unterminated = false;
        if (isBlankByte(c) || c == '\n') {
            ++i;
        } else if (isUnicodeBlankAt(s_, i)) {
            bool breaksLine = false;
            i = endOfBlanks(i, breaksLine);
        } else if (c == '/' && at(i + 1) == '/') {
            i = endOfLineComment(i + 2);
        } else if (c == '/' && at(i + 1) == '*') {
            i = endOfBlockComment(i + 2);
        } else if (c == '/' && regexAllowed) {
            i = endOfRegex(i + 1, unterminated);
            regexAllowed = false;
        } else if (c == '\'' || c == '"') {
            i = endOfString(i + 1, c, unterminated);
            regexAllowed = false;
        } else if (c == '`') {
            ++i;
            templateStack_.push_back(kText);
        } else if (c == '{') {
            ++top;
            ++i;
            regexAllowed = true;
        } else if (c == '}') {
            if (top == 0) {
                templateStack_.pop_back();
            } else {
                --top;
            }
            ++i;
            regexAllowed = false;
        } else if (isDigit(c) || (c == '.' && isDigit(at(i + 1)))) {
            i = endOfNumber(i);
            regexAllowed = false;
        } else if (isWordByte(c)) {
            i = endOfWord(i);
            regexAllowed = false;
        } else {
            regexAllowed = c != ')' && c != ']';
            ++i;
        }
    }
    return n;
}

// ---------------------------------------------------------------------------
// Syntax context: follows just enough of the script's structure to tell a
// regular expression from a division and to know where a line break ends a
// statement (automatic semicolon insertion).

enum class Keyword : std::uint8_t {
    None, // identifier or number
    Value, // this, null, true, false, super; debugger, a statement of its own
    Async,
    Get,
    Set,
    Static,
    Await,
    Break,
    Case,
    Catch,
    Class,
    Const,
    Continue,
    Default,
    Delete,
    Do,
    Else,
    Export,
    Extends,
    Finally,
    For,
    Function,
    If,
    Import,
    In,
    Instanceof,
    Let,
    New,
    Return,
    Switch,
    Throw,
    Try,
    Typeof,
    Var,
    Void,
    While,
    With,
    Yield,
};

struct KeywordEntry {
    std::string_view text;
    Keyword keyword;
};

// Sorted by first letter, which indexes kKeywordBuckets.
constexpr KeywordEntry kKeywords[] = {{"async", Keyword::Async}, {"await", Keyword::Await}, {"break", Keyword::Break},
    {"case", Keyword::Case}, {"catch", Keyword::Catch}, {"class", Keyword::Class}, {"const", Keyword::Const},
    {"continue", Keyword::Continue}, {"debugger", Keyword::Value}, {"default", Keyword::Default},
    {"delete", Keyword::Delete}, {"do", Keyword::Do}, {"else", Keyword::Else}, {"export", Keyword::Export},
    {"extends", Keyword::Extends}, {"false", Keyword::Value}, {"finally", Keyword::Finally}, {"for", Keyword::For},
    {"function", Keyword::Function}, {"get", Keyword::Get}, {"if", Keyword::If}, {"import", Keyword::Import},
    {"in", Keyword::In}, {"instanceof", Keyword::Instanceof}, {"let", Keyword::Let}, {"new", Keyword::New},
    {"null", Keyword::Value}, {"return", Keyword::Return}, {"set", Keyword::Set}, {"static", Keyword::Static},
    {"super", Keyword::Value}, {"switch", Keyword::Switch}, {"this", Keyword::Value}, {"throw", Keyword::Throw},
    {"true", Keyword::Value}, {"try", Keyword::Try}, {"typeof", Keyword::Typeof}, {"var", Keyword::Var},
    {"void", Keyword::Void}, {"while", Keyword::While}, {"with", Keyword::With}, {"yield", Keyword::Yield}};

// kKeywordBuckets[c - 'a'] is the index of the first keyword starting with c or later.
constexpr std::array<std::uint8_t, 27> kKeywordBuckets = [] {
    std::array<std::uint8_t, 27> buckets {};
    std::size_t k = 0;
    for (std::size_t letter = 0; letter <= 26; ++letter) {
        while (k < std::size(kKeywords) && static_cast<std::size_t>(kKeywords[k].text[0] - 'a') < letter) {
            ++k;
        }
        buckets[letter] = static_cast<std::uint8_t>(k);
    }
    return buckets;
}();

Keyword classifyWord(std::string_view w)
{
    if (w.size() < 2 || w.size() > 10 || w[0] < 'a' || w[0] > 'z') {
        return Keyword::None;
    }
    const std::size_t letter = static_cast<std::size_t>(w[0] - 'a');
    for (std::size_t k = kKeywordBuckets[letter]; k < kKeywordBuckets[letter + 1]; ++k) {
        if (kKeywords[k].text == w) {
            return kKeywords[k].keyword;
        }
    }
    return Keyword::None;
}

// What an open bracket opened.
enum class Frame : std::uint8_t {
    Top,
    Block,
    DoBlock,
    FunctionBody,
    ExprFunctionBody,
    ArrowBody,
    ClassBody,
    ExprClassBody,
    ObjectLiteral,
    Paren,
    ControlParen, // condition of if, while, for, with, switch, catch
    DoWhileParen,
    FunctionParams,
    ExprFunctionParams,
    MethodParams,
    Bracket,
    KeyBracket, // computed property name
};

constexpr bool isParenFrame(Frame f)
{
    return f >= Frame::Paren && f <= Frame::MethodParams;
}

constexpr bool isBraceFrame(Frame f)
{
    return f > Frame::Top && f <= Frame::ObjectLiteral;
}

constexpr bool holdsStatements(Frame f)
{
    return f == Frame::Top || f == Frame::Block || f == Frame::DoBlock || f == Frame::FunctionBody
        || f == Frame::ExprFunctionBody || f == Frame::ArrowBody;
}

class SyntaxContext {
public:
    SyntaxContext() { frames_.push_back({Frame::Top, 0}); }

    // Where a line break after an arrow function's body ends the statement
    // (no operator may follow that body), a "/" after it starts a regex.
    bool regexAllowed() const
    {
        if (!endsOperand(prev_))
            return true;
        SignificantToken slash;
        slash.exists = true;
        slash.punct = '/';
        return newlineSinceSig_ && isPunct(prev_, '}') && prev_.frame == Frame::ArrowBody
            && statementEndsBefore(slash);
    }
    bool atLineStart() const { return !prev_.exists || newlineSinceSig_; }

    // Fills the token's gap, line break and statement-end flags and moves past it.
    void observe(Token& t, std::string_view text);

private:
    enum class Pending : std::uint8_t { None, Control, DoWhile, Declaration, Expression };

    struct SignificantToken {
        bool exists = false;
        TokenKind kind = TokenKind::Punct;
        Keyword keyword = Keyword::None;
        Byte punct = 0; // first byte of a punctuator
        Byte second = 0; // second byte of "++", "--", "=>", "!=", "??", "?."
        Frame frame = Frame::Top; // opened by "{", closed by ")", "]" or "}"
        bool number = false; // a word that is a numeric literal
        bool postfix = false; // "++" or "--" after an operand
        bool labelColon = false; // ":" of a label or case clause
    };

    struct Open {
        Frame frame;
        std::uint32_t ternaries; // "?" still waiting for their ":"
    };

    static bool isPunct(const SignificantToken& s, Byte c)
    {
        return s.exists && s.kind == TokenKind::Punct && s.second == 0 && s.punct == c;
    }
    static bool isWord(const SignificantToken& s, Keyword k)
    {
        return s.exists && s.kind == TokenKind::Word && s.keyword == k;
    }
    static bool endsExpression(const SignificantToken& s);
    // "let" that no name, "[" or "{" follows is a plain name: "/" after it
    // divides and "++" increments it.
    static bool endsOperand(const SignificantToken& s) { return endsExpression(s) || isWord(s, Keyword::Let); }
    static bool letIsAName(const SignificantToken& next);
    static bool mayStartStatementAfter(const SignificantToken& s);
    static SignificantToken describe(const Token& t, std::string_view text);

    bool statementEndsBefore(const SignificantToken& next) const;
    bool mayStartDeclaration() const;
    bool keyMayFollow(const SignificantToken& before) const;
    bool opensMethodParams() const;
    bool classBodyFollows() const { return classPending_ != Pending::None && frames_.size() == classDepth_; }
    Frame braceKind();
    Frame close(bool (*matches)(Frame), Frame unmatched);
    void track(SignificantToken& cur);
    void trackPunct(SignificantToken& cur, Pending header, Pending function);

    std::vector<Open> frames_;
    SignificantToken prev_;
    SignificantToken beforePrev_;
    bool gapSinceSig_ = false;
    bool newlineSinceSig_ = false;
    Pending header_ = Pending::None;
    Pending function_ = Pending::None;
    Pending classPending_ = Pending::None;
    std::size_t classDepth_ = 0;
    bool asyncAtStatementStart_ = false;
};

bool SyntaxContext::endsExpression(const SignificantToken& s)
{
    if (!s.exists) {
        return false;
    }
    switch (s.kind) {
    case TokenKind::Word:
        return s.keyword <= Keyword::Static;
    case TokenKind::String:
    case TokenKind::Template:
    case TokenKind::Regex:
        return true;
    default:
        break;
    }
    if (s.second == '+' || s.second == '-') {
        return s.postfix;
    }
    if (s.second != 0) {
        return false;
    }
    switch (s.punct) {
    case ')':
        return s.frame == Frame::Paren || s.frame == Frame::DoWhileParen;
    case ']':
        return true;
    case '}':
        return s.frame == Frame::ObjectLiteral || s.frame == Frame::ExprFunctionBody || s.frame == Frame::ExprClassBody
            || s.frame == Frame::ArrowBody;
    default:
        return false;
    }
}

bool SyntaxContext::mayStartStatementAfter(const SignificantToken& s)
{
    if (!s.exists) {
        return true;
    }
    if (s.kind == TokenKind::Word) {
        // "catch" without a parameter is directly followed by its block.
        return s.keyword == Keyword::Else || s.keyword == Keyword::Do || s.keyword == Keyword::Try
            || s.keyword == Keyword::Catch || s.keyword == Keyword::Finally;
    }
    if (s.kind != TokenKind::Punct || s.second != 0) {
        return false;
    }
    switch (s.punct) {
    case ';':
        return true;
    case '{':
        return holdsStatements(s.frame);
    case '}':
        return s.frame == Frame::Block || s.frame == Frame::DoBlock || s.frame == Frame::FunctionBody
            || s.frame == Frame::ClassBody;
    case ')':
        return s.frame == Frame::ControlParen;
    case ':':
        return s.labelColon;
    default:
        return false;
    }
}

SyntaxContext::SignificantToken SyntaxContext::describe(const Token& t, std::string_view text)
{
    SignificantToken s;
    s.exists = true;
    s.kind = t.kind;
    if (t.kind == TokenKind::Word) {
        s.keyword = classifyWord(text.substr(t.begin, t.end - t.begin));
        s.number = isDigit(static_cast<Byte>(text[t.begin])) || text[t.begin] == '.';
    } else if (t.kind == TokenKind::Punct) {
        s.punct = static_cast<Byte>(text[t.begin]);
        s.second = t.end - t.begin == 2 ? static_cast<Byte>(text[t.begin + 1]) : 0;
    }
    return s;
}

void SyntaxContext::observe(Token& t, std::string_view text)
{
    if (!isSignificant(t.kind)) {
        gapSinceSig_ = true;
        newlineSinceSig_ = newlineSinceSig_ || t.breaksLine;
        return;
    }
    t.gapBefore = gapSinceSig_;
    t.newlineBefore = newlineSinceSig_ && prev_.exists;
    SignificantToken cur = describe(t, text);
    if (cur.kind == TokenKind::Word && (isPunct(prev_, '.') || (prev_.punct == '?' && prev_.second == '.'))) {
        cur.keyword = Keyword::None; // a property name, even when spelled like a keyword
    }
    if (t.newlineBefore && statementEndsBefore(cur)) {
        t.asiBefore = true;
        SignificantToken semicolon;
        semicolon.exists = true;
        semicolon.punct = ';';
        prev_ = semicolon;
        if (classBodyFollows()) {
            classPending_ = Pending::None;
        }
    }
    track(cur);
    beforePrev_ = prev_;
    prev_ = cur;
    gapSinceSig_ = false;
    newlineSinceSig_ = false;
}

// Whether a line break between the previous token and `next` ends a statement.
bool SyntaxContext::statementEndsBefore(const SignificantToken& next) const
{
    if (isPunct(next, ';') || isPunct(next, '}') || classBodyFollows()) {
        return false;
    }
    const Frame top = frames_.back().frame;
    if (top == Frame::ObjectLiteral || isParenFrame(top) || top >= Frame::Bracket) {
        return false; // no statements inside these
    }
    if ((top == Frame::ClassBody || top == Frame::ExprClassBody)
        && (isWord(prev_, Keyword::Get) || isWord(prev_, Keyword::Set) || isWord(prev_, Keyword::Static))) {
        return false;
    }
    const Keyword k = prev_.kind == TokenKind::Word ? prev_.keyword : Keyword::None;
    if (k == Keyword::Return || k == Keyword::Break || k == Keyword::Continue || k == Keyword::Throw
        || k == Keyword::Yield) {
        return true;
    }
    if (isPunct(prev_, '}') && prev_.frame == Frame::ArrowBody) {
        // An arrow function can only be followed by what ends an expression list.
        return !(isPunct(next, ',') || isPunct(next, ')') || isPunct(next, ']') || isPunct(next, ':'));
    }
    if (isWord(prev_, Keyword::Let)) {
        return letIsAName(next);
    }
    if (next.kind == TokenKind::Punct && (next.second == '+' || next.second == '-')) {
        return endsExpression(prev_);
    }
    if (!endsExpression(prev_)) {
        return false;
    }
    switch (next.kind) {
    case TokenKind::Word:
        return next.keyword != Keyword::In && next.keyword != Keyword::Instanceof;
    case TokenKind::String:
    case TokenKind::Regex:
        return true;
    case TokenKind::Template:
        return false; // a tagged template continues the expression
    default:
        return isPunct(next, '{') || isPunct(next, '!') || isPunct(next, '~');
    }
}

// Whether "let" before a line break and `next` is a plain name, so that the
// line break ends its statement: a declaration follows "let" with a name, "["
// or "{" (a word spelled like a keyword is no name, a number neither).
bool SyntaxContext::letIsAName(const SignificantToken& next)
{
    if (next.kind == TokenKind::Word) {
        switch (next.keyword) {
        case Keyword::None:
        case Keyword::Async:
        case Keyword::Get:
        case Keyword::Set:
        case Keyword::Static:
        case Keyword::Await:
        case Keyword::Yield:
        case Keyword::Let:
            return next.number;
        case Keyword::In:
        case Keyword::Instanceof:
            return false;
        default:
            return true;
        }
    }
    if (next.kind == TokenKind::Punct && (next.second == '+' || next.second == '-')) {
        return true;
    }
    return next.kind == TokenKind::String || next.kind == TokenKind::Regex || isPunct(next, '!') || isPunct(next, '~');
}

bool SyntaxContext::mayStartDeclaration() const
{
    return mayStartStatementAfter(prev_) || (isWord(prev_, Keyword::Async) && asyncAtStatementStart_)
        || isWord(prev_, Keyword::Default) || isWord(prev_, Keyword::Export);
}

// Whether a property name of an object literal or class body may follow `before`.
bool SyntaxContext::keyMayFollow(const SignificantToken& before) const
{
    const Frame top = frames_.back().frame;
    if (top != Frame::ObjectLiteral && top != Frame::ClassBody && top != Frame::ExprClassBody) {
        return false;
    }
    if (before.kind == TokenKind::Word) {
        return before.keyword == Keyword::Get || before.keyword == Keyword::Set || before.keyword == Keyword::Static
            || before.keyword == Keyword::Async;
    }
    return isPunct(before, '{') || isPunct(before, ',') || isPunct(before, ';') || isPunct(before, '}')
        || isPunct(before, '*');
}

bool SyntaxContext::opensMethodParams() const
{
    if (isPunct(prev_, ']')) {
        return prev_.frame == Frame::KeyBracket;
    }
    return (prev_.kind == TokenKind::Word || prev_.kind == TokenKind::String) && keyMayFollow(beforePrev_);
}

Frame SyntaxContext::braceKind()
{
    if (classBodyFollows()) {
        const Frame kind = classPending_ == Pending::Declaration ? Frame::ClassBody : Frame::ExprClassBody;
        classPending_ = Pending::None;
        return kind;
    }
    if (isPunct(prev_, ')')) {
        if (prev_.frame == Frame::FunctionParams || prev_.frame == Frame::MethodParams) {
            return Frame::FunctionBody;
        }
        if (prev_.frame == Frame::ExprFunctionParams) {
            return Frame::ExprFunctionBody;
        }
        return Frame::Block;
    }
    if (prev_.exists && prev_.kind == TokenKind::Punct && prev_.punct == '=' && prev_.second == '>') {
        return Frame::ArrowBody;
    }
    if (isWord(prev_, Keyword::Do)) {
        return Frame::DoBlock;
    }
    if (mayStartStatementAfter(prev_) || (prev_.kind == TokenKind::Word && endsExpression(prev_))) {
        return Frame::Block;
    }
    return Frame::ObjectLiteral;
}

// Pops the innermost frame if `matches` accepts it; unbalanced closers leave the
// frames alone.
Frame SyntaxContext::close(bool (*matches)(Frame), Frame unmatched)
{
    const Frame top = frames_.back().frame;
    if (!matches(top)) {
        return unmatched;
    }
    frames_.pop_back();
    return top;
}

void SyntaxContext::track(SignificantToken& cur)
{
    // A keyword's "(" or a function's name must come next; anything else cancels it.
    const Pending header = header_;
    const Pending function = function_;
    header_ = Pending::None;
    function_ = Pending::None;
    if (isWord(prev_, Keyword::Class) && cur.kind != TokenKind::Word && !isPunct(cur, '{')) {
        classPending_ = Pending::None; // "class" was a property name
    }
    if (cur.kind == TokenKind::Punct) {
        trackPunct(cur, header, function);
        return;
    }
    if (cur.kind != TokenKind::Word) {
        return;
    }
    switch (cur.keyword) {
    case Keyword::If:
    case Keyword::For:
    case Keyword::With:
    case Keyword::Switch:
    case Keyword::Catch:
        header_ = Pending::Control;
        break;
    case Keyword::While:
        header_ = isPunct(prev_, '}') && prev_.frame == Frame::DoBlock ? Pending::DoWhile : Pending::Control;
        break;
    case Keyword::Await:
        header_ = isWord(prev_, Keyword::For) ? header : Pending::None;
        break;
    case Keyword::Function:
        function_ = mayStartDeclaration() ? Pending::Declaration : Pending::Expression;
        break;
    case Keyword::Class:
        classPending_ = mayStartDeclaration() ? Pending::Declaration : Pending::Expression;
        classDepth_ = frames_.size();
        break;
    case Keyword::Async:
        asyncAtStatementStart_ = mayStartStatementAfter(prev_);
        break;
    default:
        function_ = function; // the function's name
        break;
    }
}

void SyntaxContext::trackPunct(SignificantToken& cur, Pending header, Pending function)
{
    if (cur.second == '+' || cur.second == '-') {
        cur.postfix = endsOperand(prev_);
        return;
    }
    if (cur.second != 0) {
        return;
    }
    switch (cur.punct) {
    case '(': {
        Frame kind = Frame::Paren;
        if (header == Pending::Control) {
            kind = Frame::ControlParen;
        } else if (header == Pending::DoWhile) {
            kind = Frame::DoWhileParen;
        } else if (function == Pending::Declaration) {
            kind = Frame::FunctionParams;
        } else if (function == Pending::Expression) {
            kind = Frame::ExprFunctionParams;
        } else if (opensMethodParams()) {
            kind = Frame::MethodParams;
        }
        frames_.push_back({kind, 0});
        break;
    }
    case ')':
        cur.frame = close(isParenFrame, Frame::Paren);
        break;
    case '[':
        frames_.push_back({keyMayFollow(prev_) ? Frame::KeyBracket : Frame::Bracket, 0});
        break;
    case ']':
        cur.frame = close([](Frame f) { return f == Frame::Bracket || f == Frame::KeyBracket; }, Frame::Bracket);
        break;
    case '{':
        cur.frame = braceKind();
        frames_.push_back({cur.frame, 0});
        break;
    case '}':
        cur.frame = close(isBraceFrame, Frame::Block);
        break;
    case ';':
        if (classBodyFollows()) {
            classPending_ = Pending::None;
        }
        break;
    case '?':
        if (frames_.back().ternaries < std::numeric_limits<std::uint32_t>::max()) {
            ++frames_.back().ternaries;
        }
        break;
    case ':':
        if (frames_.back().ternaries > 0) {
            --frames_.back().ternaries;
        } else {
            cur.labelColon = holdsStatements(frames_.back().frame);
        }
        break;
    case '*':
        function_ = function; // generator function
        break;
    default:
        break;
    }
}

// Yields every token of the text, significant ones with their context flags.
class Scanner {
public:
    explicit Scanner(std::string_view text)
        : text_(text)
        , lexer_(text)
    {
    }

    bool next(Token& t)
    {
        if (lexer_.atEnd()) {
            return false;
        }
        lexer_.read(t, context_.regexAllowed(), context_.atLineStart());
        context_.observe(t, text_);
        return true;
    }

private:
    std::string_view text_;
    Lexer lexer_;
    SyntaxContext context_;
};

// ---------------------------------------------------------------------------
// Beautify. The text is cut into pieces at ";", "{", "}" and line feeds outside
// literals and comments, and each piece is laid out by what it is. Where the
// layout would join two lines whose join changes the program (a line comment
// swallowing code, a statement that only a line break ended, merged words), a
// line break stays instead.

class Beautifier {
public:
    explicit Beautifier(std::string_view text)
        : s_(text)
    {
        out_.reserve(text.size() + text.size() / 8 + 1000);
    }

    std::string run();

private:
    // Deeper indentation is not written: nesting this deep never occurs in real
    // scripts, and unbounded tabs would let the output grow with the square of
    // the input.
    static constexpr long long kMaxIndent = 32;

    enum class Previous : std::uint8_t { None, Semicolon, OpenBrace, CloseBrace, LineFeed, Piece };

    struct Piece {
        std::size_t rawBegin = 0;
        std::size_t rawEnd = 0;
        std::size_t trimBegin = 0; // without leading and trailing blanks
        std::size_t trimEnd = 0;
        bool hasContent = false;
        bool hasSig = false;
        bool endsWithLineComment = false;
        Token first; // first token that is not blank
        Token firstSig;
        Token lastSig;
    };

    // The start of what is about to be written, for the join check.
    struct Head {
        const Token* first;
        const Token* sig;
        bool breakBeforeSig;
    };

    void add(Piece& p, const Token& t) const;
    void piece(const Piece& p);
    void comment(const Piece& p);
    void forHeader(const Piece& p);
    void elseBranch(const Piece& p);
    void statement(const Piece& p, Previous before);
    void lineFeed();
    void semicolon(const Token& t);
    void openBrace(const Token& t);
    void closeBrace(const Token& t);

    Head head(const Piece& p) const;
    bool joinChangesMeaning(const Head& h, bool adjacent) const;
    bool breakIfJoinChangesMeaning(const Head& h, bool adjacent, bool indentAfter);
    bool indentIsEmpty() const { return depth_ <= 0; }
    void writeIndent() { out_.append(static_cast<std::size_t>(std::clamp(depth_, 0LL, kMaxIndent)), '\t'); }
    void writeText(const Piece& p, std::size_t from, std::size_t to);
    void writeSeparator(const Token& t);
    void writeBreak(bool required);
    // Whether only indentation stands between the line's start and `position`.
    bool atLineStart(std::size_t position) const;
    bool endsWithBreak() const;

    std::string_view s_;
    std::string out_;
    Previous previous_ = Previous::None;
    long long depth_ = 0;
    int forCount_ = 0;

    // What the output ends with.
    bool haveSig_ = false;
    Token lastSig_; // last significant token written
    std::size_t sigOutEnd_ = 0; // output length right after it
    bool breakSinceSig_ = false; // a line break was written after it
    bool commentOpen_ = false; // the output ends inside a line comment
    bool lastBreakRequired_ = false; // the last "\r\n" ends a comment or a statement
};

std::string Beautifier::run()
{
    Scanner scanner(s_);
    Piece current;
    bool inPiece = false;
    Token t;
    while (scanner.next(t)) {
        const bool separator = t.kind == TokenKind::LineFeed
            || (t.kind == TokenKind::Punct && t.end - t.begin == 1
                && (s_[t.begin] == ';' || s_[t.begin] == '{' || s_[t.begin] == '}'));
        if (!separator) {
            if (!inPiece) {
                current = Piece {};
                current.rawBegin = t.begin;
                inPiece = true;
            }
            add(current, t);
            continue;
        }
        if (inPiece) {
            piece(current);
            inPiece = false;
        }
        switch (s_[t.begin]) {
        case ';':
            semicolon(t);
            break;
        case '{':
            openBrace(t);
            break;
        case '}':
            closeBrace(t);
            break;
        default:
            lineFeed();
            break;
        }
    }
    if (inPiece) {
        piece(current);
    }
    if (out_.starts_with("#!") && !s_.starts_with("#!")) {
        out_.insert(out_.begin(), ' '); // "#!" at the very start would turn into a comment
    }
    return std::move(out_);
}

void Beautifier::add(Piece& p, const Token& t) const
{
    p.rawEnd = t.end;
    if (t.kind == TokenKind::Blank) {
        return;
    }
    if (!p.hasContent) {
        p.hasContent = true;
        p.trimBegin = t.begin;
        p.first = t;
    }
    // A line comment, or a literal cut off by the end of its line, may end in blanks.
    p.trimEnd = t.end;
    while (p.trimEnd > t.begin && isBlankByte(static_cast<Byte>(s_[p.trimEnd - 1]))) {
        --p.trimEnd;
    }
    p.endsWithLineComment = t.kind == TokenKind::LineComment;
    if (isSignificant(t.kind)) {
        if (!p.hasSig) {
            p.firstSig = t;
            p.hasSig = true;
        }
        p.lastSig = t;
    }
}

void Beautifier::piece(const Piece& p)
{
    const Previous before = previous_;
    previous_ = Previous::Piece;
    if (!p.hasContent) {
        // Blanks only: like a line feed, ends the line after ";" or "}".
        if (before == Previous::Semicolon && forCount_ > 0) {
            writeText(p, p.rawBegin, p.rawEnd);
        } else if (before == Previous::Semicolon || before == Previous::CloseBrace) {
            writeBreak(false);
        }
        return;
    }
    const std::string_view t = s_.substr(p.trimBegin, p.trimEnd - p.trimBegin);
    if (t.substr(0, 2) == "//") {
        comment(p);
    } else if (t.substr(0, 4) == "for(") {
        forHeader(p);
    } else if (t.substr(0, 4) == "else") {
        elseBranch(p);
    } else {
        statement(p, before);
    }
}

void Beautifier::comment(const Piece& p)
{
    // Comments are not indented and end their line.
    breakIfJoinChangesMeaning(head(p), true, false);
    writeText(p, p.trimBegin, p.trimEnd);
    writeBreak(true);
}

void Beautifier::forHeader(const Piece& p)
{
    // The header's two ";" and its "{" pass without line breaks.
    breakIfJoinChangesMeaning(head(p), indentIsEmpty(), false);
    writeIndent();
    writeText(p, p.trimBegin, p.trimEnd);
    forCount_ = 3;
}

void Beautifier::elseBranch(const Piece& p)
{
    // Join "} " and "else" on one line. When the line break is followed by one
    // more character, that character is script text and stays.
    if (endsWithBreak() && !lastBreakRequired_) {
        out_.resize(out_.size() - 2);
        breakSinceSig_ = containsLineBreak(out_, sigOutEnd_, out_.size());
    }
    breakIfJoinChangesMeaning(head(p), true, true);
    writeText(p, p.trimBegin, p.trimEnd);
    out_ += ' ';
}

void Beautifier::statement(const Piece& p, Previous before)
{
    if (before == Previous::Semicolon) {
        if (forCount_ > 0) {
            // Inside a for header: the piece keeps its own blanks.
            breakIfJoinChangesMeaning(head(p), p.rawBegin == p.trimBegin, false);
            writeText(p, p.rawBegin, p.rawEnd);
            return;
        }
        writeBreak(false);
    } else if (before == Previous::CloseBrace) {
        writeBreak(false);
    }
    breakIfJoinChangesMeaning(head(p), indentIsEmpty(), false);
    writeIndent();
    writeText(p, p.trimBegin, p.trimEnd);
}

void Beautifier::lineFeed()
{
    const Previous before = previous_;
    previous_ = Previous::LineFeed;
    if (before == Previous::Semicolon && forCount_ > 0) {
        out_ += '\n';
        breakSinceSig_ = true;
    } else if (before == Previous::Semicolon || before == Previous::CloseBrace) {
        writeBreak(false);
    }
}

void Beautifier::semicolon(const Token& t)
{
    previous_ = Previous::Semicolon;
    if (forCount_ > 0) {
        --forCount_;
    }
    breakIfJoinChangesMeaning(Head {&t, &t, false}, true, true);
    out_ += ';';
    writeSeparator(t);
}

void Beautifier::openBrace(const Token& t)
{
    previous_ = Previous::OpenBrace;
    if (forCount_ > 0) {
        --forCount_;
    }
    const bool broke = breakIfJoinChangesMeaning(Head {&t, &t, false}, false, true);
    ++depth_;
    out_ += broke ? "{" : " {";
    writeSeparator(t);
    out_ += ' ';
    writeBreak(false);
}

void Beautifier::closeBrace(const Token& t)
{
    const Previous before = previous_;
    previous_ = Previous::CloseBrace;
    --depth_;
    if (before != Previous::LineFeed) {
        writeBreak(false);
    } else {
        breakIfJoinChangesMeaning(Head {&t, &t, false}, false, false);
    }
    writeIndent();
    out_ += '}';
    writeSeparator(t);
    out_ += ' ';
}

Beautifier::Head Beautifier::head(const Piece& p) const
{
    const bool breakBeforeSig = p.hasSig && containsLineBreak(s_, p.trimBegin, p.firstSig.begin);
    return Head {&p.first, p.hasSig ? &p.firstSig : nullptr, breakBeforeSig};
}

// `adjacent`: the text is written right where the output ends, nothing between.
bool Beautifier::joinChangesMeaning(const Head& h, bool adjacent) const
{
    const Token& first = *h.first;
    if (commentOpen_) {
        // Only more comment may follow a line comment on its line.
        return first.kind != TokenKind::LineComment || first.htmlClose;
    }
    if (!haveSig_) {
        return false;
    }
    if (first.htmlClose && !breakSinceSig_) {
        return true;
    }
    if (adjacent && out_.size() == sigOutEnd_
        && (tokensWouldFuse(s_, lastSig_, first) || joinOpensComment(out_, s_.substr(first.begin)))) {
        return true;
    }
    return h.sig != nullptr && h.sig->asiBefore && !breakSinceSig_ && !h.breakBeforeSig;
}

bool Beautifier::breakIfJoinChangesMeaning(const Head& h, bool adjacent, bool indentAfter)
{
    if (!joinChangesMeaning(h, adjacent)) {
        return false;
    }
    writeBreak(true);
    if (indentAfter) {
        writeIndent();
    }
    return true;
}

void Beautifier::writeText(const Piece& p, std::size_t from, std::size_t to)
{
    const std::size_t base = out_.size();
    out_.append(s_.data() + from, to - from);
    // "-->" at the start of a line opens a comment. Where a new line puts the
    // tokens "--" and ">" there, a blank between them keeps them tokens.
    std::size_t shift = 0;
    if (out_.compare(base, 3, "-->") == 0 && atLineStart(base) && !(p.first.htmlClose && p.first.begin == from)) {
        out_.insert(base + 2, 1, ' ');
        shift = 1;
    }
    if (p.hasSig) {
        // Trimming may have cut blanks off the end of an unterminated literal.
        const std::size_t sigEnd = std::min(p.lastSig.end, to);
        haveSig_ = true;
        lastSig_ = p.lastSig;
        sigOutEnd_ = base + (sigEnd - from) + shift;
        breakSinceSig_ = containsLineBreak(s_, sigEnd, to);
    } else {
        breakSinceSig_ = breakSinceSig_ || containsLineBreak(s_, from, to);
    }
    commentOpen_ = p.endsWithLineComment && !containsLineBreak(s_, p.trimEnd, to);
}

void Beautifier::writeSeparator(const Token& t)
{
    haveSig_ = true;
    lastSig_ = t;
    sigOutEnd_ = out_.size();
    breakSinceSig_ = false;
    commentOpen_ = false;
}

void Beautifier::writeBreak(bool required)
{
    lastBreakRequired_ = required || commentOpen_;
    out_ += "\r\n";
    breakSinceSig_ = true;
    commentOpen_ = false;
}

bool Beautifier::atLineStart(std::size_t position) const
{
    while (position > 0 && (out_[position - 1] == '\t' || out_[position - 1] == ' ')) {
        --position;
    }
    return position == 0 || out_[position - 1] == '\n' || out_[position - 1] == '\r';
}

bool Beautifier::endsWithBreak() const
{
    const std::size_t n = out_.size();
    return n >= 2 && out_[n - 2] == '\r' && out_[n - 1] == '\n';
}

// ---------------------------------------------------------------------------
// Compress: every significant token as it stands, with ";" where a line break
// ended a statement and one blank where two tokens would otherwise fuse. The
// watcher, if any, learns where each piece of the script went.

struct NoWatcher {
    void kept(std::size_t, std::size_t, std::size_t) {}
    void dropped(std::size_t, std::size_t, std::size_t) {}
};

template <class Watcher>
std::string compressScript(std::string_view s, Watcher& watcher)
{
    std::string out;
    out.reserve(s.size());
    Scanner scanner(s);
    Token t;
    Token prev;
    bool havePrev = false;
    while (scanner.next(t)) {
        if (!isSignificant(t.kind)) {
            if (t.kind != TokenKind::Blank) {
                watcher.dropped(out.size(), t.begin, t.end);
            }
            continue;
        }
        if (havePrev) {
            if (prev.unterminated && t.newlineBefore) {
                // The literal ran into its line's end; joining the next line would
                // pull that line into it. A literal ending in a backslash and CR
                // would read CR LF as one continued line, so a CR ends it then.
                out += out.back() == '\r' ? '\r' : '\n';
            } else if (t.asiBefore) {
                out += ';';
            } else if (t.gapBefore
                && (tokensWouldFuse(s, prev, t) || joinOpensComment(out, s.substr(t.begin, t.end - t.begin))
                    || joinContinuesEscape(out, s.substr(t.begin, t.end - t.begin)))) {
                out += ' ';
            }
        }
        watcher.kept(out.size(), t.begin, t.end);
        out.append(s.data() + t.begin, t.end - t.begin);
        prev = t;
        havePrev = true;
    }
    if (out.size() >= 2 && out[0] == '#' && out[1] == '!') {
        out.insert(out.begin(), ' '); // "#!" at the very start would turn into a comment
    }
    return out;
}

// Passes the pieces on to a watcher of the public interface.
struct ForwardingWatcher {
    ScriptFormatter::CompressionWatcher& to;
    void kept(std::size_t at, std::size_t begin, std::size_t end) { to.kept(at, begin, end); }
    void dropped(std::size_t at, std::size_t begin, std::size_t end) { to.dropped(at, begin, end); }
};

} // namespace

std::string ScriptFormatter::beautify(std::string_view script)
{
    return Beautifier(script).run();
}

std::string ScriptFormatter::compress(std::string_view script)
{
    NoWatcher none;
    return compressScript(script, none);
}

std::string ScriptFormatter::compress(std::string_view script, CompressionWatcher& watcher)
{
    ForwardingWatcher forward{watcher};
    return compressScript(script, forward);
}

} // namespace scenewright::core::script
