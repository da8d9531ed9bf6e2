#include "scenewright/core/io/TextPosition.h"

#include <algorithm>

namespace scenewright::core::io {

TextPosition TextPosition::of(std::string_view text, std::size_t offset)
{
    TextPosition position;
    const std::size_t end = std::min(offset, text.size());
    std::size_t i = text.starts_with("\xEF\xBB\xBF") ? std::min<std::size_t>(3, end) : 0;
    for (; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool lineEnd = byte == '\n' || (byte == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
        if (lineEnd) {
            ++position.line;
            position.column = 1;
        } else if (byte != '\r' && (byte & 0xC0) != 0x80) {
            ++position.column;
        }
    }
    return position;
}

std::string TextPosition::describe() const
{
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

} // namespace scenewright::core::io
