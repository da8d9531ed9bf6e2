#include "scenewright/gui/InteractionEditors.h"

#include "scenewright/core/InteractionManager.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/gui/AnimateTexturePanel.h"
#include "scenewright/gui/MovePostionActionPanel.h"
#include "scenewright/gui/ProximityTriggerPanel.h"

namespace scenewright::gui {

namespace {
template <class Panel>
core::InteractionManager::EditorFactory factoryOf()
{
    return [] { return std::make_unique<Panel>(); };
}
} // namespace

void InteractionEditors::registerAll()
{
    core::InteractionManager& registry = core::InteractionManager::getInstance();
    registry.registerGUIFor(typeid(core::action::ProximityTrigger), factoryOf<ProximityTriggerPanel>());
    registry.registerGUIFor(typeid(core::action::MovePositionAction), factoryOf<MovePostionActionPanel>());
    registry.registerGUIFor(typeid(core::action::AnimateTextureAction), factoryOf<AnimateTexturePanel>());
}

} // namespace scenewright::gui
