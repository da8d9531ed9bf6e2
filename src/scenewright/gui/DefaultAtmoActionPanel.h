#pragma once

#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/IActionPanel.h"
#include "scenewright/gui/IModelEditor.h"

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace scenewright::gui {

// Edits any action field by field through its named fields: a check box for
// a boolean field, a labelled text field for every other one. Saving checks
// each text with the action's own verification, in field order.
class DefaultAtmoActionPanel : public EditorFrame, public IActionPanel, public IModelEditor {
    Q_OBJECT
public:
    void reloadFromModel() override
    {
        if (action_)
            setAction(action_);
    }
    DefaultAtmoActionPanel();

    void setAction(std::shared_ptr<core::action::AtmoAction> action) override;

    // The editing widget of each field, in field order.
    const std::vector<QWidget*>& fieldWidgets() const { return widgets_; }

public slots:
    void saveAndClose();
    void cancel();

protected:
    QLabel* addLabelName(int row);
    QLineEdit* addTextField(int row);
    QCheckBox* addCheckBox(int row);

private:
    void removeFieldRows();

    std::shared_ptr<core::action::AtmoAction> action_;
    std::vector<std::string> fields_;
    std::vector<QWidget*> widgets_;
    // The field-name labels beside the text fields.
    std::vector<QLabel*> labels_;

    QLabel* heading_;
    QLabel* description_;
};

} // namespace scenewright::gui
