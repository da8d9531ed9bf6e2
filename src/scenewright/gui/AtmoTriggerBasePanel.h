#pragma once

#include "scenewright/gui/HostPanel.h"

#include <memory>

namespace scenewright::core {
class IAtmoObject;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::gui {

class InteractionEditors;

// Lists every trigger kind of an object, each as a check box that switches
// the trigger on or off and opens its editor.
class AtmoTriggerBasePanel : public HostPanel {
    Q_OBJECT
public:
    // The editors of the kinds that have their own come from `editors`,
    // which must outlive the panel.
    explicit AtmoTriggerBasePanel(const InteractionEditors& editors);

    // Shows the object's triggers, first attaching an inactive one of every
    // kind it does not have yet.
    void setup(std::shared_ptr<core::SceneDocument> document, std::shared_ptr<core::IAtmoObject> object);

private:
    const InteractionEditors& editors_;
    std::shared_ptr<core::IAtmoObject> object_;
};

} // namespace scenewright::gui
