#include "RandomScene.h"

#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/core/script/ScriptText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Builds a random scene from the fuzz bytes (objects of every kind, their
// actions and triggers with any field values, world settings, localised or
// global, synchronised or not), generates its script and checks that:
// - the script's comments and string literals all close where they should;
// - every text the scene splices into a literal reads back from the script
//   unchanged (decoded by JavaScript's own escape rules), allowing for the
//   apostrophes that messages turn into grave accents and for bytes that are
//   not UTF-8, which the script holds as U+FFFD;
// - beautify and compress keep every literal of the script.
//
// To know which literal holds which text, the same scene is built twice from
// the same bytes: once with the texts, once with each text replaced by a
// marker that needs no escaping. The two scripts must have their literals in
// the same places, and each literal of the first must read as its partner in
// the second with the markers replaced by the texts.

namespace {

using namespace scenewright::core;
using script::ScriptFormatter;
using script::ScriptText;
using scenewright::fuzz::RandomScene;

[[noreturn]] void fail(const std::string& what, std::string_view script)
{
    // Written byte for byte: texts may hold NUL.
    std::fwrite(what.data(), 1, what.size(), stderr);
    std::fputs("\n--- script\n", stderr);
    std::fwrite(script.data(), 1, script.size(), stderr);
    std::fputc('\n', stderr);
    std::abort();
}


bool isLineTerminatorAt(std::string_view s, std::size_t i)
{
    if (s[i] == '\n' || s[i] == '\r')
        return true;
    return i + 2 < s.size() && s[i] == '\xE2' && s[i + 1] == '\x80' && (s[i + 2] == '\xA8' || s[i + 2] == '\xA9');
}

// The raw string literals (quotes included) of generated script, which holds
// no regular expressions or templates. Fails on a literal or comment that
// does not close.
std::vector<std::string_view> stringLiterals(std::string_view s)
{
    std::vector<std::string_view> found;
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
            while (i < s.size() && !isLineTerminatorAt(s, i))
                ++i;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            std::size_t close = s.find("*/", i + 2);
            if (close == std::string_view::npos)
                fail("a block comment does not close", s);
            i = close + 2;
        } else if (c == '\'' || c == '"') {
            std::size_t begin = i++;
            while (i < s.size() && s[i] != c) {
                if (s[i] == '\n' || s[i] == '\r')
                    fail("a line break inside a string literal at " + std::to_string(i), s);
                i += s[i] == '\\' ? 2 : 1;
            }
            if (i >= s.size())
                fail("a string literal does not close", s);
            found.push_back(s.substr(begin, ++i - begin));
        } else {
            ++i;
        }
    }
    return found;
}

// A literal's value as JavaScript reads it. A literal whose value is script
// holding literals of its own (a pop-up's call inside the text sent to the
// page) holds its texts in their escaped form; its inner literals, listed
// after it, are the ones that must read back as the texts.
struct LiteralValue {
    std::string value;
    bool holdsLiterals = false;
};

std::vector<LiteralValue> literalValues(std::string_view script)
{
    std::vector<LiteralValue> values;
    for (std::string_view literal : stringLiterals(script)) {
        auto value = ScriptText::readLiteral(literal.substr(1, literal.size() - 2));
        if (!value)
            fail("a string literal holds an escape JavaScript refuses: " + std::string(literal), script);
        const bool holdsLiterals = literal.front() == '"' && value->find('\'') != std::string::npos;
        values.push_back({*value, holdsLiterals});
        if (holdsLiterals) {
            for (std::string_view inner : stringLiterals(*value)) {
                auto innerValue = ScriptText::readLiteral(inner.substr(1, inner.size() - 2));
                if (!innerValue)
                    fail("an inner literal holds an escape JavaScript refuses: " + std::string(inner), script);
                values.push_back({std::move(*innerValue), false});
            }
        }
    }
    return values;
}


// A fresh program state, then the scene built from the bytes and its script.
std::string generate(const std::uint8_t* data, std::size_t size, bool markTexts, std::vector<RandomScene::Spliced>& spliced)
{
    FuzzedDataProvider provider(data, size);
    RandomScene scene(provider, markTexts);
    scene.build();
    spliced = scene.spliced();
    return scene.script();
}

// The value with each marker replaced by its text, in one pass so that a
// text holding marker bytes is not read as a marker.
std::string replaceMarkers(std::string_view value, const std::vector<RandomScene::Spliced>& spliced)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\x01') {
            std::size_t close = value.find('\x02', i);
            if (close != std::string_view::npos) {
                std::size_t index = std::stoul(std::string(value.substr(i + 1, close - i - 1)));
                out += spliced.at(index).expected;
                i = close;
                continue;
            }
        }
        out += value[i];
    }
    return out;
}

void expectSameLiterals(std::string_view script, std::string_view formatted, const char* how)
{
    auto before = stringLiterals(script);
    auto after = stringLiterals(formatted);
    if (before != after)
        fail(std::string(how) + " changed a literal of the script", formatted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<RandomScene::Spliced> spliced;
    const std::string script = generate(data, size, false, spliced);
    const std::string marked = generate(data, size, true, spliced);

    const std::vector<LiteralValue> values = literalValues(script);
    const std::vector<LiteralValue> markedValues = literalValues(marked);
    if (values.size() != markedValues.size())
        fail("the texts changed the script's literals (" + std::to_string(values.size()) + " against "
                + std::to_string(markedValues.size()) + " with markers)\n--- with markers\n" + marked,
            script);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i].holdsLiterals != markedValues[i].holdsLiterals)
            fail("literal " + std::to_string(i) + " holds literals in one script only", script);
        if (values[i].holdsLiterals)
            continue;
        const std::string expected = replaceMarkers(markedValues[i].value, spliced);
        if (values[i].value != expected)
            fail("literal " + std::to_string(i) + " does not read back as its texts: [" + values[i].value
                    + "] against [" + expected + "]",
                script);
    }
    expectSameLiterals(script, ScriptFormatter::beautify(script), "beautify");
    expectSameLiterals(script, ScriptFormatter::compress(script), "compress");
    return 0;
}
