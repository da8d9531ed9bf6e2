#pragma once

namespace scenewright::gui {

// A panel that shows lists read from the model. A child editor holds its
// parent through this, so that it can make the parent re-read its lists
// when an edit ends.
class IListUpdate {
public:
    virtual ~IListUpdate() = default;
    virtual void updateLists() = 0;
};

} // namespace scenewright::gui
