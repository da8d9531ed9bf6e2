#include "scenewright/core/NumberParser.h"
#include "scenewright/core/script/MessageText.h"
#include "scenewright/core/script/ScriptText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace scenewright::test {
namespace {

using core::NumberParser;
using core::script::ScriptText;

TEST(ScriptTextNumber, WritesPlainDecimalsWithAFractionalPart)
{
    EXPECT_EQ(ScriptText::number(5.0), "5.0");
    EXPECT_EQ(ScriptText::number(0.05), "0.05");
    EXPECT_EQ(ScriptText::number(12.5), "12.5");
    EXPECT_EQ(ScriptText::number(100.0), "100.0");
    EXPECT_EQ(ScriptText::number(0.1), "0.1");
    EXPECT_EQ(ScriptText::number(-3.0), "-3.0");
    EXPECT_EQ(ScriptText::number(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(ScriptText::number(9999999.0), "9999999.0");
    EXPECT_EQ(ScriptText::number(0.001), "0.001");
    EXPECT_EQ(ScriptText::number(0.0), "0.0");
}

TEST(ScriptTextNumber, UsesTheExponentFormAtTenToTheSevenAndBelowOneThousandth)
{
    EXPECT_EQ(ScriptText::number(1.0e7), "1.0E7");
    EXPECT_EQ(ScriptText::number(-1.0e7), "-1.0E7");
    EXPECT_EQ(ScriptText::number(123456789.0), "1.23456789E8");
    EXPECT_EQ(ScriptText::number(1.0e-4), "1.0E-4");
    EXPECT_EQ(ScriptText::number(0.00099), "9.9E-4");
    EXPECT_EQ(ScriptText::number(1.5e300), "1.5E300");
    EXPECT_EQ(ScriptText::number(std::numeric_limits<double>::max()), "1.7976931348623157E308");
    EXPECT_EQ(ScriptText::number(std::numeric_limits<double>::denorm_min()), "5.0E-324");
}

TEST(ScriptTextNumber, KeepsNegativeZeroInfinitiesAndNaN)
{
    EXPECT_EQ(ScriptText::number(-0.0), "-0.0");
    EXPECT_EQ(ScriptText::number(std::numeric_limits<double>::infinity()), "Infinity");
    EXPECT_EQ(ScriptText::number(-std::numeric_limits<double>::infinity()), "-Infinity");
    EXPECT_EQ(ScriptText::number(std::numeric_limits<double>::quiet_NaN()), "NaN");
}

TEST(ScriptTextNumber, EveryFiniteDoubleReadsBackThroughTheParserExactly)
{
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value))
            continue;
        const std::string text = ScriptText::number(value);
        std::optional<double> back = NumberParser::parseDouble(text);
        ASSERT_TRUE(back) << text;
        ASSERT_EQ(std::memcmp(&*back, &value, sizeof value), 0) << text;
        ASSERT_NE(text.find('.'), std::string::npos) << text;
    }
}

TEST(ScriptTextNumber, WritesIntsAndBooleansPlainly)
{
    EXPECT_EQ(ScriptText::number(0), "0");
    EXPECT_EQ(ScriptText::number(-7), "-7");
    EXPECT_EQ(ScriptText::number(std::numeric_limits<int>::min()), "-2147483648");
    EXPECT_STREQ(ScriptText::boolean(true), "true");
    EXPECT_STREQ(ScriptText::boolean(false), "false");
}

TEST(ScriptTextLiteral, EscapesEverythingThatCouldEndTheLiteral)
{
    EXPECT_EQ(ScriptText::literal(std::string("door")), "door");
    EXPECT_EQ(ScriptText::literal(std::string("it's")), "it\\'s");
    EXPECT_EQ(ScriptText::literal(std::string("a\\b")), "a\\\\b");
    EXPECT_EQ(ScriptText::literal(std::string("a\nb\rc")), "a\\nb\\rc");
    EXPECT_EQ(ScriptText::literal(std::string("a\u2028b\u2029c")), "a\\u2028b\\u2029c");
    EXPECT_EQ(ScriptText::literal(std::string("\\'")), "\\\\\\'");
    EXPECT_EQ(ScriptText::literal(std::string("\"<tab>\t\u00e9\u2027")), "\"<tab>\t\u00e9\u2027");
    EXPECT_EQ(ScriptText::literal(std::optional<std::string>()), "null");
}

TEST(ScriptTextLiteral, TruncatedSeparatorBytesBecomeOneReplacementCharacter)
{
    EXPECT_EQ(ScriptText::literal(std::string("a\xE2\x80")), "a\xEF\xBF\xBD");
}

TEST(ScriptTextComment, TurnsEveryLineBreakIntoABlank)
{
    EXPECT_EQ(ScriptText::comment("door <primitive>"), "door <primitive>");
    EXPECT_EQ(ScriptText::comment("a\r\nb\nc\rd"), "a  b c d");
    EXPECT_EQ(ScriptText::comment("a\u2028b\u2029c"), "a b c");
    EXPECT_EQ(ScriptText::comment("it's a\\b"), "it's a\\b");
}

TEST(MessageText, QuotesUntrustedTextAsOnePrintableLineOfBoundedLength)
{
    using scenewright::core::script::MessageText;
    struct Case {
        std::string text;
        std::string quoted;
    };
    const std::vector<Case> cases = {
        {"door", "\"door\""},
        {"say \"hi\" \\ 'x'", "\"say \\\"hi\\\" \\\\ 'x'\""},
        {"\x1B]0;owned\x07\x1B[2J\r\n\t\x7F", "\"\\x1b]0;owned\\x07\\x1b[2J\\r\\n\\t\\x7f\""},
        {std::string("a\0b", 3), "\"a\\x00b\""},
        // C1 controls, line separators and direction marks; bytes that are not UTF-8.
        {"\xC2\x9B\xE2\x80\xA8\xE2\x80\xAE\xE2\x81\xA6 Caf\xC3\xA9", "\"\\x9b\\u2028\\u202e\\u2066 Caf\xC3\xA9\""},
        {"\xFF\xE2\x80", "\"\\xff\\xe2\\x80\""},
        {std::string(200, 'x'), "\"" + std::string(200, 'x') + "\""},
        {std::string(201, 'x'), "\"" + std::string(200, 'x') + "\xE2\x80\xA6\""},
        {std::string(300, '\n'), "\"" + [] { std::string s; for (int i = 0; i < 200; ++i) s += "\\n"; return s; }()
                                     + "\xE2\x80\xA6\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageText::quoted(c.text), c.quoted);
    }
    // File paths are escaped whole, without quotes.
    EXPECT_EQ(MessageText::escaped("/tmp/a \"b\"\\\x1B[2J.scw"), "/tmp/a \"b\"\\\\x1b[2J.scw");
    EXPECT_EQ(MessageText::escaped(std::string(300, 'p')), std::string(300, 'p'));
}

TEST(ScriptTextIntegerName, AcceptsOnlyCanonicalIntsInRange)
{
    for (const char* name : {"0", "3", "-2", "-0", "2147483647", "-2147483648"})
        EXPECT_TRUE(ScriptText::isIntegerName(name)) << name;
    for (const char* name : {"", "-", "010", "00", "-01", "+3", "3 ", " 3", "3.0", "1e3", "0x1", "2147483648",
                             "-2147483649", "99999999999999999999", "door", "\xd9\xa3"})
        EXPECT_FALSE(ScriptText::isIntegerName(name)) << name;
}

TEST(NumberParserInt, ParsesSignedDecimalIntsInRange)
{
    EXPECT_EQ(NumberParser::parseInt("7"), 7);
    EXPECT_EQ(NumberParser::parseInt("-7"), -7);
    EXPECT_EQ(NumberParser::parseInt("+7"), 7);
    EXPECT_EQ(NumberParser::parseInt("007"), 7);
    EXPECT_EQ(NumberParser::parseInt("2147483647"), 2147483647);
    EXPECT_EQ(NumberParser::parseInt("-2147483648"), std::numeric_limits<int>::min());
}

TEST(NumberParserInt, RefusesBlanksFractionsHexAndOutOfRangeValues)
{
    for (const char* text : {"", "-", "+", " 7", "7 ", "7.0", "2.5", "1e3", "0x10", "+-7", "-+7", "2147483648",
                             "-2147483649", "99999999999999999999", "seven"})
        EXPECT_FALSE(NumberParser::parseInt(text)) << text;
}

TEST(NumberParserDouble, ParsesTheDecimalGrammar)
{
    EXPECT_EQ(NumberParser::parseDouble("1e2"), 100.0);
    EXPECT_EQ(NumberParser::parseDouble("2.5"), 2.5);
    EXPECT_EQ(NumberParser::parseDouble(".5"), 0.5);
    EXPECT_EQ(NumberParser::parseDouble("5."), 5.0);
    EXPECT_EQ(NumberParser::parseDouble("+1.5"), 1.5);
    EXPECT_EQ(NumberParser::parseDouble("1.0E-4"), 1.0e-4);
    EXPECT_EQ(NumberParser::parseDouble("-3E+2"), -300.0);
    EXPECT_EQ(NumberParser::parseDouble("7"), 7.0);
    std::optional<double> negativeZero = NumberParser::parseDouble("-0.0");
    ASSERT_TRUE(negativeZero);
    EXPECT_TRUE(std::signbit(*negativeZero));
}

TEST(NumberParserDouble, RefusesBlanksWordsHexAndOverflow)
{
    for (const char* text : {"", ".", "-", "e5", "1e", "1e+", "1.2.3", " 1", "1 ", "1,5", "1d", "1f", "0x10",
                             "0x1p3", "Infinity", "-Infinity", "inf", "nan", "NaN", "1e400", "-1e400",
                             "1e99999999999999999999", "abc"})
        EXPECT_FALSE(NumberParser::parseDouble(text)) << text;
}

TEST(NumberParserDouble, ReadsUnderflowAsZero)
{
    EXPECT_EQ(NumberParser::parseDouble("1e-400"), 0.0);
}

} // namespace
} // namespace scenewright::test
