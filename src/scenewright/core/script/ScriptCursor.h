#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core::script {

// Reads a script in its compressed form (CompressedScript) piece by piece:
// fixed text as the generator writes it, and the values it splices in. A
// piece that is not there stops the reading with a Mismatch that says where
// and what was expected.
//
// In fixed text, "~" stands for the ";" that compressing writes where a line
// break ends a statement: it is there, or the text ends.
class ScriptCursor {
public:
    struct Mismatch : std::runtime_error {
        Mismatch(std::size_t at, const std::string& what) : std::runtime_error(what), at(at) {}
        // The place in the compressed text.
        std::size_t at;
    };

    explicit ScriptCursor(std::string_view text) : text_(text) {}

    std::size_t position() const { return pos_; }
    void moveTo(std::size_t position) { pos_ = position; }
    bool atEnd() const { return pos_ >= text_.size(); }
    std::string_view text() const { return text_; }

    // Whether the fixed text stands here; nothing is read.
    bool lookingAt(std::string_view fixed) const;
    // Reads the fixed text if it stands here.
    bool accept(std::string_view fixed);
    // Reads the fixed text, or stops.
    void expect(std::string_view fixed);

    // A number as the script writes doubles ("5.0", "-1.0E-4"), finite.
    double number();
    // The same, where an infinity ("Infinity", "-Infinity") may stand.
    double numberOrInfinity();
    // A whole number in int range, with an optional minus sign.
    int integer();
    // The decimal digits of a generated name's number, right after its prefix
    // ("12" of "esnd12"), 0 to 2147483646; no word character may follow.
    int nameNumber();
    // Reads a generated name: the prefix and its number.
    std::optional<int> acceptName(std::string_view prefix);
    int expectName(std::string_view prefix);
    // A string literal in either quotes; its value.
    std::string literal();
    // A name written as an integer: an optional minus sign and digits.
    std::optional<std::string> acceptIntegerText();

    // Stops the reading here (or at `at`) with "expected " + what.
    [[noreturn]] void fail(const std::string& what) const { failAt(pos_, what); }
    [[noreturn]] static void failAt(std::size_t at, const std::string& what);

private:
    // The length of the fixed text's match here, or npos.
    std::size_t match(std::string_view fixed) const;
    // The end of the whole number written here (an optional minus sign and
    // digits, no word character after them), or npos.
    std::size_t integerEnd() const;

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace scenewright::core::script
