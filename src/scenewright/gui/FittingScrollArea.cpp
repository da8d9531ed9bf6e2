#include "scenewright/gui/FittingScrollArea.h"

#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace scenewright::gui {

FittingScrollArea::FittingScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The editor's own background shows through.
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    setWidget(content);
}

QSize FittingScrollArea::sizeHint() const
{
    const QWidget* content = widget();
    QSize hint = content->sizeHint();
    const int width = viewport()->width() > 0 ? viewport()->width() : hint.width();
    const int contentWidth = std::max(width, content->minimumSizeHint().width());
    if (content->hasHeightForWidth())
        hint.setHeight(content->heightForWidth(contentWidth));
    // Content wider than the area scrolls sideways; the scroll bar then
    // takes height of its own.
    if (contentWidth > width)
        hint.rheight() += horizontalScrollBar()->sizeHint().height();
    const int frame = 2 * frameWidth();
    return hint + QSize(frame, frame);
}

void FittingScrollArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    // The height the content wants follows the width it gets.
    if (event->size().width() != event->oldSize().width())
        updateGeometry();
}

} // namespace scenewright::gui
