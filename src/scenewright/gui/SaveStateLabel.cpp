#include "scenewright/gui/SaveStateLabel.h"

namespace scenewright::gui {

SaveStateLabel::SaveStateLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void SaveStateLabel::showSaved(bool saved)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, saved ? Qt::black : Qt::red);
    setPalette(colours);
}

} // namespace scenewright::gui
