#pragma once

#include "scenewright/gui/EffectPanel.h"

namespace scenewright::gui {

// Edits the world's fog: near, far, dropoff, colour and whether the world's
// control panel gets an on/off button for it.
class FogPanel : public EffectPanel {
    Q_OBJECT
public:
    enum Row { ROW_NEAR, ROW_FAR, ROW_DROPOFF };

    explicit FogPanel(QWidget* parent = nullptr);

    static const char* const helpText;

protected:
    void load(const core::World& world) override;
    std::optional<QString> store(core::World& world) override;
};

} // namespace scenewright::gui
