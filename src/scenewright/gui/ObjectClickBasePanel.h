#pragma once

#include "scenewright/gui/HostPanel.h"

#include <memory>

namespace scenewright::core {
class IAtmoObject;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::gui {

class InteractionEditors;

// Lists the standard actions an object allows, each as a check box that
// switches the action on or off and opens its editor.
class ObjectClickBasePanel : public HostPanel {
    Q_OBJECT
public:
    // The editors of the kinds that have their own come from `editors`,
    // which must outlive the panel.
    explicit ObjectClickBasePanel(const InteractionEditors& editors);

    // Shows the object's actions, first attaching an inactive one of every
    // allowed kind it does not have yet.
    void setup(std::shared_ptr<core::SceneDocument> document, std::shared_ptr<core::IAtmoObject> object);
    // Forgets the object.
    void clear();

private:
    const InteractionEditors& editors_;
    std::shared_ptr<core::IAtmoObject> object_;
};

} // namespace scenewright::gui
