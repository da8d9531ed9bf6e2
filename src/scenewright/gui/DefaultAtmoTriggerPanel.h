#pragma once

#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/IModelEditor.h"
#include "scenewright/gui/ITriggerPanel.h"

#include <memory>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QListWidget;

namespace scenewright::core {
class IAtmoObject;
}
namespace scenewright::core::action {
class AtmoAction;
}

namespace scenewright::gui {

// Edits which actions a trigger fires. The user picks an object, then one of
// its active actions, and adds it to a working list that stands for the
// trigger's action list until saved. The synchronisation check box writes at
// once.
class DefaultAtmoTriggerPanel : public EditorFrame, public ITriggerPanel, public IModelEditor {
    Q_OBJECT
public:
    void reloadFromModel() override
    {
        if (trigger_)
            setAction(trigger_);
    }
    DefaultAtmoTriggerPanel();

    void setAction(std::shared_ptr<core::action::AtmoTrigger> trigger) override;

    const std::vector<std::shared_ptr<core::action::AtmoAction>>& workingList() const { return working_; }
    QListWidget* objectList() const { return objects_; }
    QListWidget* actionList() const { return actions_; }
    QListWidget* triggerActionList() const { return triggerActions_; }
    QCheckBox* synchBox() const { return synch_; }

public slots:
    void addSelectedAction();
    void removeSelectedAction();
    void save();
    void saveAndClose();
    void closeEditor();

protected:
    // A grid below the lists where a specialised editor puts its own rows.
    QGridLayout* extraRows() const { return extraRows_; }
    const std::shared_ptr<core::action::AtmoTrigger>& trigger() const { return trigger_; }
    void setSynchCaption(const QString& caption);
    // Loads the specialised fields; the lists are already loaded.
    virtual void loadFields() {}
    // Writes the specialised fields; false, with the message shown, stops the save.
    virtual bool saveFields() { return true; }

private:
    // Selecting an object, by pointer or keyboard, lists its active actions.
    void showActionsOf(int row);
    void showWorkingList();
    // Writes fields and action list; false when a field was refused.
    bool writeTrigger();

    std::shared_ptr<core::action::AtmoTrigger> trigger_;
    std::vector<std::shared_ptr<core::action::AtmoAction>> working_;
    std::vector<std::shared_ptr<core::IAtmoObject>> offeredObjects_;
    std::vector<std::shared_ptr<core::action::AtmoAction>> offeredActions_;

    QLabel* heading_;
    QListWidget* objects_;
    QListWidget* actions_;
    QListWidget* triggerActions_;
    QCheckBox* synch_;
    QGridLayout* extraRows_;
};

} // namespace scenewright::gui
