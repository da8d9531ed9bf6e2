#pragma once

#include <QFont>

namespace scenewright::gui {

// The fonts the window and its panels use. The logical "Dialog" and
// "SansSerif" fonts are both the system's sans-serif user-interface font.
class Fonts {
public:
    static QFont dialog(int points, bool bold);
    static QFont sansSerif(int points, bool bold);
    // The sans-serif font at the size of the application's font.
    static QFont sansSerif();
};

} // namespace scenewright::gui
