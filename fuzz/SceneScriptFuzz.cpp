#include "scenewright/core/IdCounter.h"
#include "scenewright/core/InteractionCatalogue.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/core/script/ScriptText.h"
#include "scenewright/core/script/Sounds.h"
#include "scenewright/core/script/Utf8Text.h"

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
using action::AtmoAction;
using action::AtmoTrigger;
using action::FieldType;
using script::ScriptFormatter;
using script::ScriptText;

[[noreturn]] void fail(const std::string& what, std::string_view script)
{
    // Written byte for byte: texts may hold NUL.
    std::fwrite(what.data(), 1, what.size(), stderr);
    std::fputs("\n--- script\n", stderr);
    std::fwrite(script.data(), 1, script.size(), stderr);
    std::fputc('\n', stderr);
    std::abort();
}

// The text as a UTF-8 reader sees it: each ill-formed sequence one U+FFFD.
std::string asUtf8Reader(std::string_view text)
{
    using scenewright::core::script::Utf8Text;
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Text::Step step = Utf8Text::stepAt(text, at);
        if (step.wellFormed)
            out.append(text.substr(at, step.length));
        else
            out += "\xEF\xBF\xBD";
        at += step.length;
    }
    return out;
}

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The value of a string literal's content (between its quotes) as JavaScript
// reads it, in UTF-8; nothing for an escape JavaScript refuses.
std::optional<std::string> decodeLiteral(std::string_view body)
{
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\') {
            out += body[i];
            continue;
        }
        if (++i == body.size())
            return std::nullopt;
        const char c = body[i];
        auto hex = [&](std::size_t count) -> std::optional<std::uint32_t> {
            std::uint32_t value = 0;
            for (std::size_t k = 1; k <= count; ++k) {
                int digit = i + k < body.size() ? hexValue(body[i + k]) : -1;
                if (digit < 0)
                    return std::nullopt;
                value = value * 16 + static_cast<std::uint32_t>(digit);
            }
            i += count;
            return value;
        };
        switch (c) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'v': out += '\v'; break;
        case '0':
            if (i + 1 < body.size() && body[i + 1] >= '0' && body[i + 1] <= '9')
                return std::nullopt;
            out += '\0';
            break;
        case 'x': {
            auto value = hex(2);
            if (!value)
                return std::nullopt;
            appendUtf8(out, *value);
            break;
        }
        case 'u': {
            auto value = hex(4);
            if (!value)
                return std::nullopt;
            appendUtf8(out, *value);
            break;
        }
        case '\r':
            if (i + 1 < body.size() && body[i + 1] == '\n')
                ++i;
            break;
        case '\n': break;
        default:
            if (c >= '1' && c <= '9')
                return std::nullopt;
            out += c;
        }
    }
    return out;
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
        auto value = decodeLiteral(literal.substr(1, literal.size() - 2));
        if (!value)
            fail("a string literal holds an escape JavaScript refuses: " + std::string(literal), script);
        const bool holdsLiterals = literal.front() == '"' && value->find('\'') != std::string::npos;
        values.push_back({*value, holdsLiterals});
        if (holdsLiterals) {
            for (std::string_view inner : stringLiterals(*value)) {
                auto innerValue = decodeLiteral(inner.substr(1, inner.size() - 2));
                if (!innerValue)
                    fail("an inner literal holds an escape JavaScript refuses: " + std::string(inner), script);
                values.push_back({std::move(*innerValue), false});
            }
        }
    }
    return values;
}

// A text the scene splices into a literal, as the literal should read.
struct Spliced {
    std::string expected;
};

class SceneFuzzer {
public:
    // With `markTexts`, texts that go into literals are replaced by markers.
    SceneFuzzer(FuzzedDataProvider& data, bool markTexts)
        : data_(data)
        , markTexts_(markTexts)
    {
    }

    // The scene's script, its objects named first, as the script view
    // generates it.
    std::string script()
    {
        document_->nameObjects();
        return script::ScriptGenerator::generate(document_->objects(), {document_->localiseScript(), synchronise_});
    }

    void build()
    {
        document_ = SceneDocument::createDefault(ids_);
        document_->setLocaliseScript(data_.ConsumeBool());
        SceneDocument& registry = *document_;
        buildWorld(*registry.world());

        const int objectCount = data_.ConsumeIntegralInRange(0, 5);
        for (int i = 0; i < objectCount; ++i)
            registry.appendObject(newObject());

        const auto& objects = registry.objects();
        for (const auto& object : objects)
            addActions(*object);
        for (const auto& object : objects)
            addTriggers(*object, objects);
    }

    const std::vector<Spliced>& spliced() const { return spliced_; }

private:
    // Any bytes, but mostly pieces that need escaping or look like the
    // script's own syntax: coverage alone would rarely lead to them, since
    // the texts' bytes steer few branches.
    std::string text()
    {
        static constexpr std::string_view kPieces[] = {"'", "\\", "\n", "\r", "\r\n", "\xE2\x80\xA8",
            "\xE2\x80\xA9", "\xE2\x80", "\"", "`", "${", "*/", "//", "<!--", "-->", "</script>",
            std::string_view("\0", 1), "\\u2028", "\\'", "./", ".../", "\xC3\xA9", "\xFF", "a", " "};
        if (data_.ConsumeIntegralInRange(0, 3) == 0)
            return data_.ConsumeRandomLengthString(24);
        std::string out;
        const int pieces = data_.ConsumeIntegralInRange(1, 4);
        for (int i = 0; i < pieces; ++i)
            out += kPieces[data_.ConsumeIntegralInRange<std::size_t>(0, std::size(kPieces) - 1)];
        return out;
    }

    std::optional<std::string> optionalText()
    {
        if (data_.ConsumeIntegralInRange(0, 7) == 0)
            return std::nullopt;
        return text();
    }

    // The text, or its marker; an empty text stays as it is, since the
    // script may treat it apart.
    std::string splice(std::string value, bool chatLine = false)
    {
        if (value.empty())
            return value;
        std::string expected = asUtf8Reader(value);
        if (chatLine)
            std::replace(expected.begin(), expected.end(), '\'', '`');
        std::string marker = "\x01" + std::to_string(spliced_.size()) + "\x02";
        spliced_.push_back({std::move(expected)});
        return markTexts_ ? marker : value;
    }

    std::optional<std::string> splice(std::optional<std::string> value, bool chatLine = false)
    {
        if (!value)
            return value;
        return splice(std::move(*value), chatLine);
    }

    double real()
    {
        switch (data_.ConsumeIntegralInRange(0, 3)) {
        case 0: return data_.ConsumeFloatingPoint<double>();
        case 1: return data_.ConsumeFloatingPointInRange(-1000.0, 1000.0);
        default: return data_.ConsumeIntegralInRange(-5, 100);
        }
    }

    // The welcome message prints one chat line for each of its lines, so each
    // line is a text of its own.
    std::optional<std::string> welcomeMessage()
    {
        if (data_.ConsumeIntegralInRange(0, 7) == 0)
            return std::nullopt;
        static constexpr const char* kLineEnds[] = {"\n", "\r", "\r\n"};
        std::string message;
        const int lines = data_.ConsumeIntegralInRange(0, 3);
        for (int i = 0; i < lines; ++i) {
            std::string line = text();
            std::erase_if(line, [](char c) { return c == '\n' || c == '\r'; });
            if (i > 0)
                message += kLineEnds[data_.ConsumeIntegralInRange(0, 2)];
            message += splice(line, true);
        }
        return message;
    }

    void buildWorld(World& world)
    {
        world.setWelcomeMessage(welcomeMessage());
        world.setWelcomeEnabled(data_.ConsumeBool());
        world.setFogEnabled(data_.ConsumeBool());
        world.getFog().near = real();
        world.getFog().far = real();
        world.getFog().addControlPanelButtonOffOn = data_.ConsumeBool();
        world.setGlareEnabled(data_.ConsumeBool());
        world.getGlare().radius = real();
        world.getGlare().addControlPanelButtonOffOn = data_.ConsumeBool();
        const int sounds = data_.ConsumeIntegralInRange(0, 2);
        for (int i = 0; i < sounds; ++i) {
            auto sound = std::make_shared<script::Sounds>();
            sound->filename = splice(optionalText());
            sound->volume = real();
            sound->repeats = data_.ConsumeIntegral<int>();
            sound->enablePositions = data_.ConsumeBool();
            sound->addControlPanelButtons = data_.ConsumeBool();
            world.addSound(sound);
        }
    }

    std::shared_ptr<IAtmoObject> newObject()
    {
        std::shared_ptr<IAtmoObject> object;
        switch (data_.ConsumeIntegralInRange(0, 3)) {
        case 0: {
            auto model = std::make_shared<ModelObj>();
            model->tobeloaded = data_.ConsumeBool();
            model->pm.active = data_.ConsumeBool();
            object = model;
            break;
        }
        case 1: {
            auto primitive = std::make_shared<PrimitiveObj>();
            // An index that reads as an integer is written as a number.
            auto index = optionalText();
            primitive->solidObjectIndex = index && ScriptText::isIntegerName(*index) ? index : splice(index);
            object = primitive;
            break;
        }
        case 2: {
            auto solid = std::make_shared<SolidObjectObj>();
            solid->pm.active = data_.ConsumeBool();
            object = solid;
            break;
        }
        default: object = std::make_shared<ViewpointObj>(); break;
        }
        // Naming drops a leading "./" or ".../"; the name kept is the text.
        // A name that reads as an integer is written as a number.
        object->setName(text());
        if (!ScriptText::isIntegerName(object->getName())) {
            // Named once only: naming again would drop another prefix.
            std::string marked = splice(object->getName());
            if (markTexts_)
                object->setName(marked);
        }
        return object;
    }

    void setFields(action::AtmoInteraction& interaction, bool chatMessage)
    {
        for (const auto& field : interaction.fieldTable().fields()) {
            if (!data_.ConsumeBool())
                continue;
            switch (field.type) {
            case FieldType::Int: field.write(interaction, data_.ConsumeIntegral<int>()); break;
            case FieldType::Double: field.write(interaction, real()); break;
            case FieldType::Boolean: field.write(interaction, data_.ConsumeBool()); break;
            case FieldType::String: field.write(interaction, splice(optionalText(), chatMessage)); break;
            case FieldType::StringList: {
                std::vector<std::string> list(data_.ConsumeIntegralInRange(0, 3));
                for (auto& item : list)
                    item = splice(text());
                field.write(interaction, list);
                break;
            }
            case FieldType::IntList: {
                std::optional<std::vector<int>> list;
                if (data_.ConsumeBool()) {
                    list.emplace(data_.ConsumeIntegralInRange(0, 3));
                    for (int& item : *list)
                        item = data_.ConsumeIntegral<int>();
                }
                field.write(interaction, list);
                break;
            }
            }
        }
    }

    void addActions(IAtmoObject& object)
    {
        const InteractionCatalogue catalogue;
        const int count = data_.ConsumeIntegralInRange(0, 3);
        for (int i = 0; i < count; ++i) {
            const auto& prototype =
                catalogue.getStandardAction(data_.ConsumeIntegralInRange(0, catalogue.getStandardActionSize() - 1));
            if (!prototype->allowedForAtmoObject(&object))
                continue;
            auto action = prototype->newInstance(&object, ids_);
            action->setActive(data_.ConsumeBool());
            const bool chatMessage = std::string_view(action->className()) == "ChatPrintMessageAction";
            setFields(*action, chatMessage);
            object.addAtmoAction(action);
        }
    }

    void addTriggers(IAtmoObject& object, const std::vector<std::shared_ptr<IAtmoObject>>& objects)
    {
        const InteractionCatalogue catalogue;
        const int count = data_.ConsumeIntegralInRange(0, 2);
        for (int i = 0; i < count; ++i) {
            const auto& prototype =
                catalogue.getTrigger(data_.ConsumeIntegralInRange(0, catalogue.getTriggersSize() - 1));
            auto trigger = prototype->newInstance(&object, ids_);
            trigger->setActive(data_.ConsumeBool());
            // Names and descriptions go into comments only.
            trigger->setName(optionalText());
            trigger->setDescription(optionalText());
            setFields(*trigger, false);
            const int references = data_.ConsumeIntegralInRange(0, 3);
            for (int r = 0; r < references; ++r) {
                const auto& target = objects[data_.ConsumeIntegralInRange<std::size_t>(0, objects.size() - 1)];
                if (target->getAtmoActionSize() > 0)
                    trigger->addAction(
                        target->getAtmoAction(data_.ConsumeIntegralInRange(0, target->getAtmoActionSize() - 1)));
            }
            object.addAtmoTrigger(trigger);
        }
    }

    FuzzedDataProvider& data_;
    bool markTexts_;
    IdCounter ids_;
    std::shared_ptr<SceneDocument> document_;
    bool synchronise_ = false;
    std::vector<Spliced> spliced_;
};

// A fresh program state, then the scene built from the bytes and its script.
std::string generate(const std::uint8_t* data, std::size_t size, bool markTexts, std::vector<Spliced>& spliced)
{
    FuzzedDataProvider provider(data, size);
    SceneFuzzer scene(provider, markTexts);
    scene.build();
    spliced = scene.spliced();
    return scene.script();
}

// The value with each marker replaced by its text, in one pass so that a
// text holding marker bytes is not read as a marker.
std::string replaceMarkers(std::string_view value, const std::vector<Spliced>& spliced)
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
    std::vector<Spliced> spliced;
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
