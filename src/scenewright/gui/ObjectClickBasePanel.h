#pragma once

#include "scenewright/gui/HostPanel.h"

#include <memory>

namespace scenewright::core {
class IAtmoObject;
}

namespace scenewright::gui {

// Lists the standard actions an object allows, each as a check box that
// switches the action on or off and opens its editor.
class ObjectClickBasePanel : public HostPanel {
    Q_OBJECT
public:
    ObjectClickBasePanel();

    // Shows the object's actions, first attaching an inactive one of every
    // allowed kind it does not have yet.
    void setup(std::shared_ptr<core::IAtmoObject> object);
    // Forgets the object.
    void clear();

private:
    std::shared_ptr<core::IAtmoObject> object_;
};

} // namespace scenewright::gui
