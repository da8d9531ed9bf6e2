#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenewright::core::script {

// Walks UTF-8 text the way a UTF-8 reader such as a browser or node does, so
// that text which is not UTF-8 is found, and replaced, exactly where a reader
// would see U+FFFD.
class Utf8Text {
public:
    struct Step {
        // Bytes of the character at the position; for an ill-formed sequence,
        // the bytes one U+FFFD stands for (the longest start of a well-formed
        // sequence, at least one byte).
        std::size_t length;
        bool wellFormed;
    };

    // The step at a position inside the text.
    static Step stepAt(std::string_view text, std::size_t position);
    // The position of the first byte that is not part of a well-formed
    // sequence, or npos when the whole text is UTF-8.
    static std::size_t firstIllFormed(std::string_view text);
    // The code point of one well-formed character (a step's bytes).
    static char32_t codePoint(std::string_view character);
    // Appends the UTF-8 form of a code point that is no surrogate.
    static void append(std::string& out, char32_t codePoint);
};

} // namespace scenewright::core::script
