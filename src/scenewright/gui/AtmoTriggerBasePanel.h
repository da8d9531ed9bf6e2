#pragma once

#include "scenewright/gui/HostPanel.h"

#include <memory>

namespace scenewright::core {
class IAtmoObject;
}

namespace scenewright::gui {

// Lists every trigger kind of an object, each as a check box that switches
// the trigger on or off and opens its editor.
class AtmoTriggerBasePanel : public HostPanel {
    Q_OBJECT
public:
    AtmoTriggerBasePanel();

    // Shows the object's triggers, first attaching an inactive one of every
    // kind it does not have yet.
    void setup(std::shared_ptr<core::IAtmoObject> object);

private:
    std::shared_ptr<core::IAtmoObject> object_;
};

} // namespace scenewright::gui
