#pragma once

#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/IModelEditor.h"


#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace scenewright::core {
class World;
namespace script {
class Sounds;
}
} // namespace scenewright::core

namespace scenewright::gui {

class IListUpdate;

// Edits one of the world's sounds, or a new one that joins the world when
// it is first saved.
class SoundPanel : public EditorFrame, public IModelEditor {
    Q_OBJECT
public:
    void reloadFromModel() override
    {
        if (soundobj_)
            setup(parent_, soundobj_);
    }
    enum Field { FIELD_FILENAME, FIELD_VOLUME, FIELD_REPEATS, FIELD_NEAR, FIELD_FAR, FIELD_X, FIELD_Y, FIELD_Z };

    explicit SoundPanel(QWidget* parent = nullptr);

    static const char* const helpText;

    // Loads the sound; `parent` re-reads its lists when the edit ends. The
    // slider and the error label stay as they are.
    void setup(IListUpdate* parent, std::shared_ptr<core::script::Sounds> sound);
    // No value when the field holds more than blanks; otherwise the label
    // followed by " cannot be emtpy. Please enter a value ".
    static std::optional<QString> checkTextfield(const QString& label, const QLineEdit* field);

    const std::shared_ptr<core::script::Sounds>& sound() const { return soundobj_; }
    QLineEdit* field(Field which) const { return fields_.at(which); }
    QSlider* volumeSlider() const { return volumeSlider_; }
    QCheckBox* controlPanelBox() const { return controlPanelBox_; }
    QCheckBox* positionedBox() const { return positionedBox_; }


public slots:
    // The volume slider (0 to 100) shows its value / 100 in the volume field.
    void showVolume(int value);
    // Stores every field in the sound, adds it to the world when
    // it is new, and closes; or shows why a field is refused and stays open,
    // the fields before it stored.
    void addSound();
    // Closes, undoing nothing a refused save stored.
    void cancel();

private:
    QWidget* buildPositionalGroup();
    // Reads the fields into `values` in order, stopping at the first refused
    // one, whose message it returns; `stored` tells whether any was read.
    std::optional<QString> read(core::script::Sounds& values, bool& stored) const;
    // Puts the values into the sound: through the scene's edit operations
    // when the sound is one of the world's, directly while it is new.
    void keep(core::World& world, const core::script::Sounds& values);

    std::shared_ptr<core::script::Sounds> soundobj_;
    IListUpdate* parent_ = nullptr;
    std::array<QLineEdit*, 8> fields_{};
    QSlider* volumeSlider_;
    QCheckBox* controlPanelBox_;
    QCheckBox* positionedBox_;
};

} // namespace scenewright::gui
