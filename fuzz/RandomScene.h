#pragma once

#include "scenewright/core/Actor.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/InteractionCatalogue.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/core/script/ScriptText.h"
#include "scenewright/core/script/Sounds.h"
#include "scenewright/core/script/Utf8Text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::fuzz {

using namespace scenewright::core;
using action::FieldType;
using script::ScriptText;

// Builds a random scene from bytes: objects of every kind, their actions and
// triggers with any field values, world settings, localised or global, as a
// project file can hold them. Texts are mostly pieces that need escaping or
// look like the script's own syntax, numbers often extreme.
class RandomScene {
public:
    // A text the scene splices into a literal, as the literal should read.
    struct Spliced {
        std::string expected;
    };

    // With `markTexts`, texts that go into literals are replaced by markers.
    RandomScene(FuzzedDataProvider& data, bool markTexts)
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
    SceneDocument& document() const { return *document_; }

private:
    // The text as a UTF-8 reader sees it: each ill-formed sequence one U+FFFD.
    static std::string asUtf8Reader(std::string_view text)
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
            // The actor holds move actions only.
            if (!prototype->allowedForAtmoObject(&object)
                || (dynamic_cast<const Actor*>(&object)
                    && std::string_view(prototype->className()) != "MovePositionAction"))
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

} // namespace scenewright::fuzz
