#pragma once

#include <optional>
#include <string_view>

namespace scenewright::core {

// The one parser for numbers the user types. It accepts only plain decimal
// text without blanks and only finite results, so nothing it lets through
// can fail to be written back into a script or a project file.
class NumberParser {
public:
    // An optional sign and decimal digits, within int range.
    static std::optional<int> parseInt(std::string_view text);

    // An optional sign, digits with an optional fraction (or a fraction
    // alone), and an optional exponent. No hexadecimal, no "Infinity" or
    // "NaN"; a value too large for a double does not parse, one too small
    // reads as zero.
    static std::optional<double> parseDouble(std::string_view text);
};

} // namespace scenewright::core
