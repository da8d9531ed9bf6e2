#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenewright::core::script {

// Text the program did not write (names read from a file, file paths) as a
// message shows it on a terminal or in a message box: control characters,
// and the characters that break or reorder lines, are written as escapes, so
// the text cannot move the cursor, change a window title or forge a line of
// its own. Bytes that are not UTF-8 are written as "\xNN".
class MessageText {
public:
    MessageText() = delete;

    // The most characters of a quoted text a message shows.
    static constexpr std::size_t kMaxCharacters = 200;

    // The text between double quotes, with "\" and the quote escaped too, and
    // cut after kMaxCharacters characters with "…".
    static std::string quoted(std::string_view text);
    // The text with its control characters escaped, whole (for file paths).
    static std::string escaped(std::string_view text);
};

} // namespace scenewright::core::script
