#include "scenewright/gui/ActorBasePanel.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/gui/MovePositionActionPanel.h"

namespace scenewright::gui {

ActorBasePanel::ActorBasePanel() : HostPanel(tr("Available Actor Actions")) {}

void ActorBasePanel::setup(std::shared_ptr<core::SceneDocument> document)
{
    removeRows(std::move(document));
    const auto actor = this->document() ? this->document()->actor() : nullptr;
    if (!actor)
        return;
    for (int i = 0; i < actor->getAtmoActionSize(); ++i) {
        auto action = actor->getAtmoAction(i);
        auto* editor = new MovePositionActionPanel;
        addCheckBox(i + 1, action, editor, [this, action, editor] {
            editor->setAction(action);
            showEditor(editor);
        });
    }
}

} // namespace scenewright::gui
