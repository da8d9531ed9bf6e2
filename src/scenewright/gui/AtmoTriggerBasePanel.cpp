#include "scenewright/gui/AtmoTriggerBasePanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/gui/DefaultAtmoTriggerPanel.h"
#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/InteractionEditors.h"

namespace scenewright::gui {

AtmoTriggerBasePanel::AtmoTriggerBasePanel(const InteractionEditors& editors)
    : HostPanel(tr("Pre-defined Atmosphere Triggers")), editors_(editors)
{
}

void AtmoTriggerBasePanel::setup(std::shared_ptr<core::SceneDocument> document,
                                 std::shared_ptr<core::IAtmoObject> object)
{
    removeRows(std::move(document));
    object_ = std::move(object);
    this->document()->attachStandardInteractions(*object_);

    const core::InteractionCatalogue& catalogue = this->document()->catalogue();
    for (int i = 0; i < catalogue.getTriggersSize(); ++i) {
        const auto& prototype = *catalogue.getTrigger(i);
        auto trigger = object_->getAtmoTrigger(typeid(prototype));
        if (!trigger)
            continue;
        // The registered editor of the trigger's kind, or the generic one.
        QWidget* editor = editors_.create(*trigger);
        if (!dynamic_cast<ITriggerPanel*>(editor)) {
            delete editor;
            editor = new DefaultAtmoTriggerPanel;
        }
        addCheckBox(i + 1, trigger, editor, [this, trigger, editor] {
            // The editor lists the document's objects: it needs the document first.
            if (auto* frame = qobject_cast<EditorFrame*>(editor))
                frame->setDocument(this->document());
            dynamic_cast<ITriggerPanel&>(*editor).setAction(trigger);
            showEditor(editor);
        });
    }
}

} // namespace scenewright::gui
