#include "scenewright/core/NumberParser.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace scenewright::core {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t i)
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

bool isDecimalNumber(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t intEnd = skipDigits(text, i);
    bool intDigits = intEnd > i;
    i = intEnd;
    bool fractionDigits = false;
    if (i < text.size() && text[i] == '.') {
        std::size_t fractionEnd = skipDigits(text, i + 1);
        fractionDigits = fractionEnd > i + 1;
        i = fractionEnd;
    }
    if (!intDigits && !fractionDigits)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t expEnd = skipDigits(text, i);
        if (expEnd == i)
            return false;
        i = expEnd;
    }
    return i == text.size();
}

// Reading through the C locale keeps "." the decimal point whatever locale
// the desktop program runs in.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

std::optional<int> NumberParser::parseInt(std::string_view text)
{
    // from_chars takes a minus sign but no plus sign.
    std::string_view number = text;
    std::string_view digits = text;
    if (!text.empty() && text.front() == '+') {
        number.remove_prefix(1);
        digits.remove_prefix(1);
    } else if (!text.empty() && text.front() == '-') {
        digits.remove_prefix(1);
    }
    if (digits.empty() || skipDigits(digits, 0) != digits.size())
        return std::nullopt;
    int value = 0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size())
        return std::nullopt;
    return value;
}

std::optional<double> NumberParser::parseDouble(std::string_view text)
{
    if (!isDecimalNumber(text))
        return std::nullopt;
    std::string copy(text);
    double value = strtod_l(copy.c_str(), nullptr, cLocale());
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace scenewright::core
