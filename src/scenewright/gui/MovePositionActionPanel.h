#pragma once

#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/IActionPanel.h"
#include "scenewright/gui/IModelEditor.h"


#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace scenewright::core::action {
class MovePositionAction;
}

namespace scenewright::gui {

// Edits a move: either by a direction vector or along a list of anchor
// primitives at a speed. The two radio buttons enable one group of controls
// and disable the other. Anchors are added and removed on the action at once.
class MovePositionActionPanel : public EditorFrame, public IActionPanel, public IModelEditor {
    Q_OBJECT
public:
    void reloadFromModel() override;
    MovePositionActionPanel();

    // Loads a move action; another kind of action leaves the editor empty.
    void setAction(std::shared_ptr<core::action::AtmoAction> action) override;

    QRadioButton* directionButton() const { return byDirection_; }
    QRadioButton* anchorsButton() const { return viaAnchors_; }
    QLineEdit* xField() const { return x_; }
    QLineEdit* yField() const { return y_; }
    QLineEdit* zField() const { return z_; }
    QLineEdit* anchorNameField() const { return anchorName_; }
    QListWidget* anchorList() const { return anchorList_; }
    QLineEdit* speedField() const { return speed_; }
    QCheckBox* smoothBox() const { return smooth_; }

public slots:
    void addAnchor();
    void removeSelectedAnchor();
    void saveAndClose();
    void cancelChanges();

private:
    // Enables the controls of the chosen mode and disables the others.
    void applyMode(bool anchors);
    void showAnchors();
    // Shows a refusal in the error line; whether there was one.
    bool refuse(const std::optional<std::string>& message);

    std::shared_ptr<core::action::MovePositionAction> action_;

    QRadioButton* byDirection_;
    QRadioButton* viaAnchors_;
    QLineEdit* x_;
    QLineEdit* y_;
    QLineEdit* z_;
    QCheckBox* smooth_;
    QLineEdit* anchorName_;
    QPushButton* addAnchor_;
    QListWidget* anchorList_;
    QPushButton* removeAnchor_;
    QLineEdit* speed_;
};

} // namespace scenewright::gui
