#include "scenewright/core/script/Utf8Text.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace scenewright::core::script {

Utf8Text::Step Utf8Text::stepAt(std::string_view text, std::size_t position)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[position + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {1, true};
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
    } else {
        return {1, false};
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (position + k >= text.size())
            return {k, false};
        const unsigned char next = byte(k);
        const bool inRange = k == 1 ? next >= low && next <= high : next >= 0x80 && next <= 0xBF;
        if (!inRange)
            return {k, false};
    }
    return {length, true};
}

std::size_t Utf8Text::firstIllFormed(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        // Plain ASCII, most of a project file, eight bytes at a time.
        std::uint64_t eight = 0;
        if (i + 8 <= text.size() && (std::memcpy(&eight, text.data() + i, 8), (eight & 0x8080808080808080u) == 0)) {
            i += 8;
            continue;
        }
        const Step step = stepAt(text, i);
        if (!step.wellFormed)
            return i;
        i += step.length;
    }
    return std::string_view::npos;
}

char32_t Utf8Text::codePoint(std::string_view character)
{
    const auto byte = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(character[k])); };
    switch (character.size()) {
    case 1: return byte(0);
    case 2: return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3: return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    default: return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
    }
}

void Utf8Text::append(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace scenewright::core::script
