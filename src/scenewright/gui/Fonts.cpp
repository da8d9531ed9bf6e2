#include "scenewright/gui/Fonts.h"

#include <QFontDatabase>

namespace scenewright::gui {

QFont Fonts::sansSerif()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
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
