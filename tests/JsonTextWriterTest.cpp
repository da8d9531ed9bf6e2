#include "scenewright/core/io/JsonTextWriter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace scenewright::test {
namespace {

using core::io::JsonTextWriter;
using Json = nlohmann::ordered_json;

// Project files have always been JSON for Modern C++'s indented dump: the
// writer gives the same bytes, number forms and replaced UTF-8 included.
std::string libraryText(const Json& value)
{
    return value.dump(2, ' ', false, Json::error_handler_t::replace);
}

TEST(JsonTextWriterTest, WritesTheBytesTheLibraryWrote)
{
    const double doubles[] = {0.0, -0.0, 1.0, -2.0, 0.1, 1.0 / 3.0, 123456.789, 1e7, 1e15, 1e16, 1e21, 1e-5,
                              1e-7, 5e-324, std::numeric_limits<double>::max(), -1.7976931348623157e308,
                              std::nan(""), std::numeric_limits<double>::infinity()};
    const long long wholes[] = {0, -1, 42, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    const std::string strings[] = {"", "plain", "quote \" and back\\slash / slash", "\b\f\n\r\t", "\x01\x1f\x7f",
                                   "é ü 日本 \xF0\x9F\x98\x80", "\xff bad", "cut \xE2\x82", "\xC0\xAF overlong",
                                   "\xED\xA0\x80 surrogate", "ok\xC3"};
    for (double value : doubles) {
        std::string out;
        JsonTextWriter(out).number(value);
        EXPECT_EQ(out, libraryText(value)) << value;
    }
    for (long long value : wholes) {
        std::string out;
        JsonTextWriter(out).number(value);
        EXPECT_EQ(out, libraryText(value)) << value;
    }
    for (const std::string& value : strings) {
        std::string out;
        JsonTextWriter(out).string(value);
        EXPECT_EQ(out, libraryText(value)) << value;
    }

    // Nesting, empty containers, members after a container.
    Json expected = Json::object();
    expected["empty object"] = Json::object();
    expected["empty array"] = Json::array();
    expected["list"] = Json::array({1, Json::object({{"a", true}, {"b", nullptr}}), Json::array({Json::array()}), "x"});
    expected["after"] = false;
    std::string out;
    JsonTextWriter json(out);
    json.beginObject();
    json.key("empty object");
    json.beginObject();
    json.endObject();
    json.key("empty array");
    json.beginArray();
    json.endArray();
    json.key("list");
    json.beginArray();
    json.number(1LL);
    json.beginObject();
    json.key("a");
    json.boolean(true);
    json.key("b");
    json.null();
    json.endObject();
    json.beginArray();
    json.beginArray();
    json.endArray();
    json.endArray();
    json.string("x");
    json.endArray();
    json.key("after");
    json.boolean(false);
    json.endObject();
    EXPECT_EQ(out, libraryText(expected));
}

} // namespace
} // namespace scenewright::test
