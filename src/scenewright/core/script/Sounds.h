#pragma once

#include "scenewright/core/script/IScript.h"

#include <optional>
#include <string>

namespace scenewright::core::script {

// One sound file the world plays: ambient, or positioned at a point, with an
// optional on/off toggle in the world's control panel.
class Sounds : public IScript {
public:
    // Set by the world when the sound is added; names the script variable.
    int id = -1;
    double near = 1.0;
    double far = 50.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double volume = 0.5;
    // 0 repeats forever.
    int repeats = 0;
    std::optional<std::string> filename = std::string();
    bool addControlPanelButtons = false;
    // Positioned (true) or ambient (false).
    bool enablePositions = false;

    std::string doScript() const override;
    std::string toString() const { return "snd" + std::to_string(id); }
};

} // namespace scenewright::core::script
