#include "scenewright/gui/ObjectClickBasePanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/InteractionManager.h"
#include "scenewright/core/SceneEditor.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/gui/DefaultAtmoActionPanel.h"
#include "scenewright/gui/EditingArea.h"

namespace scenewright::gui {

namespace {
// The registered editor of the action's kind, or the generic one.
QWidget* editorFor(const core::action::AtmoAction& action)
{
    auto registered = core::InteractionManager::getInstance().getRegisteredGUIFor(action);
    if (auto* panel = dynamic_cast<QWidget*>(registered.get())) {
        registered.release();
        return panel;
    }
    return new DefaultAtmoActionPanel;
}
} // namespace

ObjectClickBasePanel::ObjectClickBasePanel() : HostPanel("Pre-defined Actions") {}

void ObjectClickBasePanel::setup(std::shared_ptr<core::IAtmoObject> object)
{
    removeRows();
    object_ = std::move(object);
    core::SceneEditor::getInstance().attachStandardInteractions(*object_);

    const core::InteractionManager& interactions = core::InteractionManager::getInstance();
    for (int i = 0; i < interactions.getStandardActionSize(); ++i) {
        const auto& prototype = *interactions.getStandardAction(i);
        auto action = object_->getAtmoAction(typeid(prototype));
        if (!action || !action->allowedForAtmoObject(object_.get()))
            continue;
        QWidget* editor = editorFor(*action);
        addCheckBox(i + 1, action, editor, [action, editor] {
            dynamic_cast<IActionPanel&>(*editor).setAction(action);
            EditingArea::show(editor);
            EditingArea::updateStatus(action->getOwnerObject());
        });
    }
}

void ObjectClickBasePanel::clear()
{
    object_.reset();
}

} // namespace scenewright::gui
