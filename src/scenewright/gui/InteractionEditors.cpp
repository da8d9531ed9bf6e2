#include "scenewright/gui/InteractionEditors.h"

#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/gui/AnimateTexturePanel.h"
#include "scenewright/gui/MovePositionActionPanel.h"
#include "scenewright/gui/ProximityTriggerPanel.h"

#include <exception>
#include <iostream>

namespace scenewright::gui {

namespace {
template <class Panel>
InteractionEditors::Factory factoryOf()
{
    return [] { return new Panel; };
}
} // namespace

InteractionEditors::InteractionEditors()
{
    registerFor(typeid(core::action::ProximityTrigger), factoryOf<ProximityTriggerPanel>());
    registerFor(typeid(core::action::MovePositionAction), factoryOf<MovePositionActionPanel>());
    registerFor(typeid(core::action::AnimateTextureAction), factoryOf<AnimateTexturePanel>());
}

void InteractionEditors::registerFor(const std::type_info& interactionClass, Factory factory)
{
    factories_[std::type_index(interactionClass)] = std::move(factory);
}

QWidget* InteractionEditors::create(const core::action::AtmoInteraction& interaction) const
{
    auto found = factories_.find(std::type_index(typeid(interaction)));
    if (found == factories_.end() || !found->second)
        return nullptr;
    try {
        return found->second();
    } catch (const std::exception& failure) {
        std::cerr << "scenewright: could not build the editor for " << interaction.className() << ": " << failure.what()
                  << "\n";
        return nullptr;
    }
}

} // namespace scenewright::gui
