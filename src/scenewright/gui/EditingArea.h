#pragma once

class QWidget;

namespace scenewright {
class Frame1;
}

namespace scenewright::core {
class IAtmoObject;
}

namespace scenewright::gui {

// The editors' way to the main window's far panel and status bar. The window
// is the one registered with the project manager; without one (a panel on
// its own) nothing happens.
class EditingArea {
public:
    static Frame1* mainWindow();
    // Shows the editor alone in the far panel.
    static void show(QWidget* editor);
    // The far panel's first row; null when it is empty.
    static QWidget* farPanelAttachment();
    // Closes an editor: the container holding it loses every row, and with
    // them the editor, which stays with the panel that opened it.
    static void closeEditor(QWidget* editor);
    // Empties the far panel: the editor shown there closes.
    static void close();
    static void updateStatus(const core::IAtmoObject* object);
};

} // namespace scenewright::gui
