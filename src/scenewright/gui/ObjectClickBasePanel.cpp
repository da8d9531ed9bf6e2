#include "scenewright/gui/ObjectClickBasePanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/gui/DefaultAtmoActionPanel.h"
#include "scenewright/gui/InteractionEditors.h"

namespace scenewright::gui {

ObjectClickBasePanel::ObjectClickBasePanel(const InteractionEditors& editors)
    : HostPanel(tr("Pre-defined Actions")), editors_(editors)
{
}

void ObjectClickBasePanel::setup(std::shared_ptr<core::SceneDocument> document,
                                 std::shared_ptr<core::IAtmoObject> object)
{
    removeRows(std::move(document));
    object_ = std::move(object);
    this->document()->attachStandardInteractions(*object_);

    const core::InteractionCatalogue& catalogue = this->document()->catalogue();
    for (int i = 0; i < catalogue.getStandardActionSize(); ++i) {
        const auto& prototype = *catalogue.getStandardAction(i);
        auto action = object_->getAtmoAction(typeid(prototype));
        if (!action || !action->allowedForAtmoObject(object_.get()))
            continue;
        // The registered editor of the action's kind, or the generic one.
        QWidget* editor = editors_.create(*action);
        if (!dynamic_cast<IActionPanel*>(editor)) {
            delete editor;
            editor = new DefaultAtmoActionPanel;
        }
        addCheckBox(i + 1, action, editor, [this, action, editor] {
            dynamic_cast<IActionPanel&>(*editor).setAction(action);
            showEditor(editor);
        });
    }
}

void ObjectClickBasePanel::clear()
{
    object_.reset();
}

} // namespace scenewright::gui
