#pragma once

#include "scenewright/core/AtmoObject.h"
#include "scenewright/core/script/IScript.h"
#include "scenewright/core/script/Sounds.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scenewright::core {

// The world as a whole: besides the triggers and actions of any object, the
// world-wide settings (welcome message, fog, glare, sounds) whose script
// opens the trigger-actions section.
class World : public AtmoObject, public script::IScript {
public:
    // The world's fog; its script variable is "fog".
    class Fog : public script::IScript {
    public:
        // How fast the fog thickens between near and far; not scripted.
        int dropOff = 1;
        double colourr = 0.8;
        double colourg = 0.8;
        double colourb = 1.0;
        double near = 10.0;
        double far = 100.0;
        bool addControlPanelButtonOffOn = false;

        std::string doScript() const override;
    };

    // The world's glare; its script variable is "glareEffect".
    class Glare : public script::IScript {
    public:
        double brightness = 1.0;
        double colourr = 0.5;
        double colourg = 0.7;
        double colourb = 1.0;
        double radius = 16.0;
        double nonlinear = 0.5;
        bool addControlPanelButtonOffOn = false;

        std::string doScript() const override;
    };

    using SoundPtr = std::shared_ptr<script::Sounds>;

    World();

    void setWelcomeMessage(std::optional<std::string> message) { welcomeMessage_ = std::move(message); }
    void setWelcomeEnabled(bool enabled) { welcomeEnabled_ = enabled; }
    void setGlareEnabled(bool enabled) { glareEnabled_ = enabled; }
    void setFogEnabled(bool enabled) { fogEnabled_ = enabled; }
    // Removes the sound at the position; ids are never reused.
    void removeSound(int index);
    const std::optional<std::string>& getWelcomeMessage() const { return welcomeMessage_; }
    bool getWelcomeEnabled() const { return welcomeEnabled_; }
    int getSoundSize() const { return static_cast<int>(soundlist_.size()); }
    const std::vector<SoundPtr>& getSoundList() const { return soundlist_; }
    const SoundPtr& getSound(int index) const { return soundlist_.at(index); }
    bool getGlareEnabled() const { return glareEnabled_; }
    Glare& getGlare() { return glare_; }
    const Glare& getGlare() const { return glare_; }
    bool getFogEnabled() const { return fogEnabled_; }
    Fog& getFog() { return fog_; }
    const Fog& getFog() const { return fog_; }
    // Welcome message, fog, glare and sounds.
    std::string doScript() const override;
    // Gives the sound the next id and appends it, unless a sound with its id
    // is already listed. Throws IdsExhausted, adding nothing, when no sound
    // number is left.
    void addSound(SoundPtr sound);

    // The id the next added sound takes.
    int soundId() const { return soundid_; }
    // Restores a listed sound as it stands, id included (a loaded project),
    // and keeps the next id past it.
    void restoreSound(SoundPtr sound);
    void setSoundId(int soundid) { soundid_ = soundid; }
    // Puts a sound back at its position as it stands, id included (undoing
    // a removal or redoing an addition).
    void insertSound(int index, SoundPtr sound);

    std::string updateStatus() const override;
    using AtmoObject::getInnerScriptName;
    std::string getInnerScriptName(const script::ScriptContext&, bool) const override { return "theWorld"; }
    std::string getAtmoObjectScriptName(const script::ScriptContext&) const override { return "theWorld"; }
    std::string getAtmoObjectDeclaration(const script::ScriptContext&) const override { return {}; }

private:
    Fog fog_;
    Glare glare_;
    std::optional<std::string> welcomeMessage_;
    int soundid_ = 0;
    std::vector<SoundPtr> soundlist_;
    bool glareEnabled_ = false;
    bool fogEnabled_ = false;
    bool welcomeEnabled_ = false;
};

} // namespace scenewright::core
