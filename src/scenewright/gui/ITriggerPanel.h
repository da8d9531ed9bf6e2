#pragma once

#include <memory>

namespace scenewright::core::action {
class AtmoTrigger;
}

namespace scenewright::gui {

// An editor of triggers: loading a trigger replaces whatever it showed.
class ITriggerPanel {
public:
    virtual ~ITriggerPanel() = default;
    virtual void setAction(std::shared_ptr<core::action::AtmoTrigger> trigger) = 0;
};

} // namespace scenewright::gui
