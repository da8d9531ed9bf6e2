#include "scenewright/gui/ActorBasePanel.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/gui/EditingArea.h"
#include "scenewright/gui/MovePostionActionPanel.h"

namespace scenewright::gui {

ActorBasePanel::ActorBasePanel() : HostPanel("Available Actor Actions") {}

void ActorBasePanel::setup()
{
    removeRows();
    const auto actor = core::ObjectManager::getInstance().getActor();
    if (!actor)
        return;
    for (int i = 0; i < actor->getAtmoActionSize(); ++i) {
        auto action = actor->getAtmoAction(i);
        auto* editor = new MovePostionActionPanel;
        addCheckBox(i + 1, action, editor, [action, editor] {
            editor->setAction(action);
            EditingArea::show(editor);
        });
    }
}

} // namespace scenewright::gui
