#include "scenewright/gui/AtmoTriggerBasePanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/InteractionManager.h"
#include "scenewright/core/SceneEditor.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/gui/DefaultAtmoTriggerPanel.h"
#include "scenewright/gui/EditingArea.h"

namespace scenewright::gui {

namespace {
// The registered editor of the trigger's kind, or the generic one.
QWidget* editorFor(const core::action::AtmoTrigger& trigger)
{
    auto registered = core::InteractionManager::getInstance().getRegisteredGUIFor(trigger);
    if (auto* panel = dynamic_cast<QWidget*>(registered.get())) {
        registered.release();
        return panel;
    }
    return new DefaultAtmoTriggerPanel;
}
} // namespace

AtmoTriggerBasePanel::AtmoTriggerBasePanel() : HostPanel("Pre-defined Atmosphere Triggers") {}

void AtmoTriggerBasePanel::setup(std::shared_ptr<core::IAtmoObject> object)
{
    removeRows();
    object_ = std::move(object);
    core::SceneEditor::getInstance().attachStandardInteractions(*object_);

    const core::InteractionManager& interactions = core::InteractionManager::getInstance();
    for (int i = 0; i < interactions.getTriggersSize(); ++i) {
        const auto& prototype = *interactions.getTrigger(i);
        auto trigger = object_->getAtmoTrigger(typeid(prototype));
        if (!trigger)
            continue;
        QWidget* editor = editorFor(*trigger);
        addCheckBox(i + 1, trigger, editor, [trigger, editor] {
            dynamic_cast<ITriggerPanel&>(*editor).setAction(trigger);
            EditingArea::show(editor);
            EditingArea::updateStatus(trigger->getTriggerObject());
        });
    }
}

} // namespace scenewright::gui
