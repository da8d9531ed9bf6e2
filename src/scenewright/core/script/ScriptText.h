#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenewright::core::script {

// The text forms of values spliced into generated script. Every generator
// writes numbers, booleans and strings through these, so a value always reads
// the same wherever it appears and no string can break out of its literal.
class ScriptText {
public:
    // Script identifiers shared by declarations and fragments.
    static constexpr const char* stageName = "theStage";
    static constexpr const char* transformName = "worldSpaceTransform";
    static constexpr const char* positionName = "worldSpacePosition";

    // Shortest text that reads back as the same double, always with a digit
    // after the point; "E" notation at magnitudes of 10^7 and above or below
    // 10^-3 (1.0E7, 1.0E-4). -0.0, the infinities and NaN keep their JavaScript
    // names ("-0.0", "Infinity", "-Infinity", "NaN").
    static std::string number(double value);
    static std::string number(int value);
    static const char* boolean(bool value);

    // The content of a single-quoted JavaScript literal for the text: backslash,
    // apostrophe, CR, LF, U+2028 and U+2029 escaped, all else as it is. A
    // missing string is written null. Bytes that are not UTF-8 become U+FFFD
    // (one per longest ill-formed start), so the script stays UTF-8 text.
    static std::string literal(std::string_view text);
    static std::string literal(const std::string& text) { return literal(std::string_view(text)); }
    static std::string literal(const std::optional<std::string>& text);
    static void appendLiteral(std::string& out, std::string_view text);

    // Appends the pieces to `out` in order, without the temporary strings
    // that joining them with + would make first.
    template <typename... Pieces>
    static void append(std::string& out, const Pieces&... pieces)
    {
        (out.append(std::string_view(pieces)), ...);
    }

    // The value of a string literal's content (the text between its quotes)
    // as JavaScript reads it: escapes read, a backslash before a line break
    // continuing the line. Nothing for content JavaScript refuses (a line
    // break, an octal escape, a malformed \x or \u escape) or whose value
    // is no UTF-8 text (a lone surrogate).
    static std::optional<std::string> readLiteral(std::string_view content);

    // Text for a // comment: every line break (CR, LF, U+2028, U+2029) becomes
    // a blank, so the text cannot end the comment. Bytes that are not UTF-8
    // become U+FFFD, as in a literal.
    static std::string comment(std::string_view text);

    // The text, or "null" when missing.
    static std::string orNull(const std::optional<std::string>& text);

    // Whether a name may be written unquoted as a JavaScript integer: an
    // optional minus sign, then "0" or digits without a leading zero, within
    // int range. "010" is not one (JavaScript would read it as 8).
    static bool isIntegerName(std::string_view text);
};

} // namespace scenewright::core::script
