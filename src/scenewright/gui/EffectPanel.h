#pragma once

#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/IModelEditor.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace scenewright::core {
class World;
}

namespace scenewright::gui {

class ColourChooserRow;

// What the fog and glare editors share: a heading, rows of number fields
// (some with a slider), a help text, the colour row, the control-panel
// check box, "Ok" and "Cancel" and the error label. Each editor loads and
// stores its own effect of the world.
class EffectPanel : public EditorFrame, public IModelEditor {
    Q_OBJECT
public:
    void reloadFromModel() override
    {
        if (world_)
            setup();
    }
    struct Texts {
        QString heading;
        QString help;
        QString colourChooserTitle;
        QString colourHint;
        QString controlPanelCheck;
    };
    // One number field: caption left of it, hint right of it, and under it a
    // slider from 0 to `sliderMaximum` when that is above 0.
    struct NumberRow {
        QString caption;
        QString initialText;
        QString hint;
        int sliderMaximum = 0;
    };

    // Loads the editor from the world the registry holds now.
    void setup();

    QLineEdit* numberField(int row) const { return fields_.at(row); }
    // Null for a row without a slider.
    QSlider* slider(int row) const { return sliders_.at(row); }
    ColourChooserRow* colourRow() const { return colourRow_; }
    QCheckBox* controlPanelBox() const { return controlPanelBox_; }

public slots:
    // Stores every field in the world and closes, or shows why a field is
    // refused and stays open; the fields stored before it stay stored.
    void saveAndClose();
    // Closes, storing nothing.
    void cancel();

protected:
    EffectPanel(const Texts& texts, const std::vector<NumberRow>& rows, QWidget* parent);

    virtual void load(const core::World& world) = 0;
    // Stores the fields in order and stops at the first refused one, whose
    // message it returns.
    virtual std::optional<QString> store(core::World& world) = 0;

    QString fieldText(int row) const;

private:
    std::shared_ptr<core::World> world_;
    std::vector<QLineEdit*> fields_;
    std::vector<QSlider*> sliders_;
    ColourChooserRow* colourRow_;
    QCheckBox* controlPanelBox_;
};

} // namespace scenewright::gui
