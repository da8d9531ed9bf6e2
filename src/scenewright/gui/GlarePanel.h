#pragma once

#include "scenewright/gui/EffectPanel.h"

namespace scenewright::gui {

// Edits the world's glare: brightness and nonlinearity (each with a
// slider), radius, colour and whether the world's control panel gets an
// on/off button for it.
class GlarePanel : public EffectPanel {
    Q_OBJECT
public:
    enum Row { ROW_BRIGHTNESS, ROW_RADIUS, ROW_NONLINEARITY };

    explicit GlarePanel(QWidget* parent = nullptr);

    static const char* const helpText;

public slots:
    // The brightness slider (0 to 200) shows its value / 100 in the field.
    void showBrightness(int value);
    // The nonlinearity slider (0 to 100) shows its value / 100 in the field.
    void showNonlinearity(int value);

protected:
    void load(const core::World& world) override;
    std::optional<QString> store(core::World& world) override;
};

} // namespace scenewright::gui
