#include "scenewright/gui/DialogGeometry.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace scenewright::gui {

namespace {

QRect freeArea(const QWidget* dialog)
{
    const QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The room a window frame takes around the dialog, judged by its parent's.
QSize frameRoom(const QWidget* dialog)
{
    const QWidget* parent = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    return parent && parent->isVisible() ? parent->frameGeometry().size() - parent->size() : QSize(0, 0);
}

} // namespace

void DialogGeometry::resizeToFit(QWidget* dialog, QSize size)
{
    size = size.expandedTo(dialog->sizeHint());
    if (const QLayout* layout = dialog->layout(); layout && layout->hasHeightForWidth())
        size.setHeight(std::max(size.height(), layout->totalHeightForWidth(size.width())));
    const QRect area = freeArea(dialog);
    if (area.isValid())
        size = size.boundedTo(area.size() - frameRoom(dialog));
    dialog->resize(size);
}

void DialogGeometry::placeOnScreen(QWidget* dialog, QPoint position)
{
    const QRect area = freeArea(dialog);
    if (area.isValid()) {
        const QSize outer = dialog->size() + frameRoom(dialog);
        position.setX(std::max(area.left(), std::min(position.x(), area.right() + 1 - outer.width())));
        position.setY(std::max(area.top(), std::min(position.y(), area.bottom() + 1 - outer.height())));
    }
    dialog->move(position);
}

} // namespace scenewright::gui
