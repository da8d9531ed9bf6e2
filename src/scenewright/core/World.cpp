#include "scenewright/core/World.h"

#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>

namespace scenewright::core {

using script::ScriptText;

namespace {

// The lines of a message: a line ends at LF, CR or CR LF; a final line end
// adds no empty line.
std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n' || c == '\r') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::string colour(double r, double g, double b)
{
    return "[" + ScriptText::number(r) + "," + ScriptText::number(g) + "," + ScriptText::number(b) + "]";
}

std::string toggle(const std::string& variable, const std::string& caption)
{
    const std::string button = "btn" + variable;
    return button + " = Toggle(\"" + caption + "\").add()" + script::IScript::endline + button + ".state = true"
           + script::IScript::endline + button + ".onClick = function(state) { \n" + variable + ".active = state"
           + script::IScript::endline + "}";
}

} // namespace

World::World() : AtmoObject("world", "world") {}

std::string World::Fog::doScript() const
{
    const std::string v = "fog";
    std::string out;
    out += v + ".active = true" + endline;
    out += v + ".color = " + colour(colourr, colourg, colourb) + endline;
    out += v + ".near = " + ScriptText::number(near) + endline;
    out += v + ".far = " + ScriptText::number(far) + endline;
    if (addControlPanelButtonOffOn)
        out += toggle(v, "Fog On/Off");
    return out;
}

std::string World::Glare::doScript() const
{
    const std::string v = "glareEffect";
    std::string out;
    out += v + ".active = true" + endline;
    out += v + ".color = " + colour(colourr, colourg, colourb) + endline;
    out += v + ".brightness = " + ScriptText::number(brightness) + endline;
    out += v + ".radius = " + ScriptText::number(radius) + endline;
    out += v + ".nonlinearity = " + ScriptText::number(nonlinear) + endline;
    if (addControlPanelButtonOffOn)
        out += toggle(v, "Glare On/Off");
    return out;
}

void World::removeSound(int index)
{
    soundlist_.erase(soundlist_.begin() + index);
}

void World::addSound(SoundPtr sound)
{
    for (const auto& listed : soundlist_)
        if (listed->id == sound->id)
            return;
    // Sounds number their generated names from a counter of their own.
    if (soundid_ > IdCounter::kLastId)
        throw IdsExhausted();
    sound->id = soundid_++;
    soundlist_.push_back(std::move(sound));
}

void World::restoreSound(SoundPtr sound)
{
    soundid_ = std::max(soundid_, sound->id + 1);
    soundlist_.push_back(std::move(sound));
}

void World::insertSound(int index, SoundPtr sound)
{
    soundid_ = std::max(soundid_, sound->id + 1);
    soundlist_.insert(soundlist_.begin() + index, std::move(sound));
}

std::string World::doScript() const
{
    std::string out;
    out.reserve(2000);
    if (welcomeEnabled_ && welcomeMessage_) {
        for (std::string line : splitLines(*welcomeMessage_)) {
            std::replace(line.begin(), line.end(), '\'', '`');
            out += "chat.print('" + ScriptText::literal(std::string_view(line)) + "');\n";
        }
    }
    if (fogEnabled_)
        out += fog_.doScript() + "\n\n";
    if (glareEnabled_)
        out += glare_.doScript() + "\n\n";
    for (const auto& sound : soundlist_)
        out += sound->doScript() + "\n\n";
    return out;
}

std::string World::updateStatus() const
{
    std::string out = getName() + "\t========  ";
    if (fogEnabled_)
        out += "Fog Enabled - ";
    if (glareEnabled_)
        out += "Glare Enabled - ";
    if (welcomeEnabled_)
        out += "Welcome Message Enabled";
    if (!soundlist_.empty()) {
        out += "\n\t========  Enabled Sounds [";
        for (std::size_t i = 0; i < soundlist_.size(); ++i) {
            if (i > 0)
                out += " - ";
            out += soundlist_[i]->toString();
        }
        out += "]";
    }
    return out;
}

} // namespace scenewright::core
