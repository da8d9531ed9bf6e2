#pragma once

#include "scenewright/gui/HostPanel.h"

namespace scenewright::core {
class SceneDocument;
}

namespace scenewright::gui {

// Lists the actor's actions, each as a check box that switches the action on
// or off and opens the move editor.
class ActorBasePanel : public HostPanel {
    Q_OBJECT
public:
    ActorBasePanel();

    void setup(std::shared_ptr<core::SceneDocument> document);
};

} // namespace scenewright::gui
