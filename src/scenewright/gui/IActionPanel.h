#pragma once

#include <memory>

namespace scenewright::core::action {
class AtmoAction;
}

namespace scenewright::gui {

// An editor of actions: loading an action replaces whatever it showed.
class IActionPanel {
public:
    virtual ~IActionPanel() = default;
    virtual void setAction(std::shared_ptr<core::action::AtmoAction> action) = 0;
};

} // namespace scenewright::gui
