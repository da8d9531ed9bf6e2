#include "scenewright/gui/Fonts.h"

#include <QGuiApplication>

namespace scenewright::gui {

QFont Fonts::sansSerif()
{
    // The application's font: the system's unless the application was
    // given another.
    return QGuiApplication::font();
}

QFont Fonts::sansSerif(int points, bool bold)
{
    QFont font = sansSerif();
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QFont Fonts::dialog(int points, bool bold)
{
    return sansSerif(points, bold);
}

} // namespace scenewright::gui
