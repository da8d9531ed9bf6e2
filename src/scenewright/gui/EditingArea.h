#pragma once

class QWidget;

namespace scenewright::core {
class IAtmoObject;
}

namespace scenewright::gui {

// The editors' way to the main window's far panel and status bar. The window
// is found through the project manager; without one, nothing happens.
class EditingArea {
public:
    // Shows the editor alone in the far panel.
    static void show(QWidget* editor);
    // Empties the far panel: the editor shown there closes.
    static void close();
    static void updateStatus(const core::IAtmoObject* object);
};

} // namespace scenewright::gui
