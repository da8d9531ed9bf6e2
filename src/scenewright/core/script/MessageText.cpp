#include "scenewright/core/script/MessageText.h"

#include "scenewright/core/script/Utf8Text.h"

namespace scenewright::core::script {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// Characters that a terminal or a text view takes as commands rather than
// text: C0 and C1 controls, DEL, and the line separators and direction marks
// that move the following text elsewhere.
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F
        || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void appendEscape(std::string& out, char32_t c)
{
    switch (c) {
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    if (c < 0x100) {
        out += "\\x";
    } else {
        out += "\\u";
        out += kHexDigits[(c >> 12) & 0xF];
        out += kHexDigits[(c >> 8) & 0xF];
    }
    out += kHexDigits[(c >> 4) & 0xF];
    out += kHexDigits[c & 0xF];
}

// Appends the text with its controls escaped, at most `limit` characters of
// it; true when the whole text fitted.
bool appendEscaped(std::string& out, std::string_view text, bool escapeQuotes, std::size_t limit)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        if (characters == limit)
            return false;
        const Utf8Text::Step step = Utf8Text::stepAt(text, i);
        const std::string_view character = text.substr(i, step.length);
        i += step.length;
        if (!step.wellFormed) {
            for (char byte : character)
                appendEscape(out, static_cast<unsigned char>(byte));
            continue;
        }
        const char32_t c = Utf8Text::codePoint(character);
        if (isControl(c))
            appendEscape(out, c);
        else if (escapeQuotes && (c == '"' || c == '\\'))
            out.append({'\\', static_cast<char>(c)});
        else
            out += character;
    }
    return true;
}

} // namespace

std::string MessageText::quoted(std::string_view text)
{
    std::string out = "\"";
    if (!appendEscaped(out, text, true, kMaxCharacters))
        out += "\xE2\x80\xA6";
    out += '"';
    return out;
}

std::string MessageText::escaped(std::string_view text)
{
    std::string out;
    appendEscaped(out, text, false, std::string_view::npos);
    return out;
}

} // namespace scenewright::core::script
