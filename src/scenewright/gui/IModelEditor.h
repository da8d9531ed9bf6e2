#pragma once

namespace scenewright::gui {

// An editor that can show again what the model holds now, when an undo or
// redo changed the model under it while it was open.
class IModelEditor {
public:
    virtual ~IModelEditor() = default;
    virtual void reloadFromModel() = 0;
};

} // namespace scenewright::gui
