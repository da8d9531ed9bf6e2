#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenewright::core::io {

// Where a byte of a text stands, as an editor shows it: lines end at LF, CR
// LF or a lone CR and count from 1; columns count characters from 1, a
// character of several UTF-8 bytes once, a byte order mark at the start
// not at all. Readers keep byte offsets and turn them into a position only
// for a message.
struct TextPosition {
    std::size_t line = 1;
    std::size_t column = 1;

    // The position of the byte at `offset` (the end of the text for an
    // offset at or past it).
    static TextPosition of(std::string_view text, std::size_t offset);

    // "line L, column C".
    std::string describe() const;
};

} // namespace scenewright::core::io
