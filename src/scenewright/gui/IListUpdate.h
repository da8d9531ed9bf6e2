#pragma once

namespace scenewright::gui {

// Something that shows lists read from the model; a child editor is handed
// one so that it can make its parent re-read them after a change.
class IListUpdate {
public:
    virtual ~IListUpdate() = default;
    virtual void updateLists() = 0;
};

} // namespace scenewright::gui
