#pragma once

class QWidget;

namespace scenewright {
class Frame1;
}

namespace scenewright::gui {

// The main window's editing areas as the world's editors use them. The
// window is the one registered with the project manager; without one (a
// panel on its own) the far panel calls do nothing.
class EditingArea {
public:
    static Frame1* mainWindow();
    // Shows the editor as the far panel's only row.
    static void showInFarPanel(QWidget* editor);
    // The far panel's first row; null when it is empty.
    static QWidget* farPanelAttachment();
    // Closes an editor: the container holding it loses every row, and with
    // them the editor.
    static void closeEditor(QWidget* editor);
};

} // namespace scenewright::gui
