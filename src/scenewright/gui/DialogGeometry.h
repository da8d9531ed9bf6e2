#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace scenewright::gui {

// Where a dialog opens and how large: at least the size it is given, larger
// where its content needs more, and whole on the screen.
class DialogGeometry {
public:
    // The size, grown to what the content needs, within the screen's free area.
    static void resizeToFit(QWidget* dialog, QSize size);
    // At the position, or as near it as keeps the dialog (with a window
    // frame like its parent's) on the screen.
    static void placeOnScreen(QWidget* dialog, QPoint position);
};

} // namespace scenewright::gui
