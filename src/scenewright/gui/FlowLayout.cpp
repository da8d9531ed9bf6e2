#include "scenewright/gui/FlowLayout.h"

#include <QWidget>

#include <algorithm>

namespace scenewright::gui {

FlowLayout::FlowLayout(Qt::Alignment rowAlignment, QWidget* parent) : QLayout(parent), rowAlignment_(rowAlignment) {}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem* item)
{
    items_.append(item);
}

int FlowLayout::count() const
{
    return items_.size();
}

QLayoutItem* FlowLayout::itemAt(int index) const
{
    return items_.value(index);
}

QLayoutItem* FlowLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

bool FlowLayout::hasHeightForWidth() const
{
    return true;
}

int FlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize FlowLayout::minimumSize() const
{
    // One item to a row: as narrow as the widest item.
    QSize size;
    for (const QLayoutItem* item : items_)
        size = size.expandedTo(item->minimumSize());
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize FlowLayout::sizeHint() const
{
    // All items in one row.
    int width = 0;
    int height = 0;
    for (const QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        width += (width > 0 ? spacing() : 0) + item->sizeHint().width();
        height = std::max(height, item->sizeHint().height());
    }
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

void FlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool place) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = std::max(0, spacing());
    int top = area.y();
    QList<QLayoutItem*> row;
    int rowWidth = 0;
    int rowHeight = 0;

    auto finishRow = [&] {
        if (row.isEmpty())
            return;
        if (place) {
            int x = area.x() + ((rowAlignment_ & Qt::AlignRight) ? std::max(0, area.width() - rowWidth) : 0);
            for (QLayoutItem* item : row) {
                const QSize size = item->sizeHint();
                item->setGeometry(QRect(QPoint(x, top), QSize(std::min(size.width(), area.width()), rowHeight)));
                x += size.width() + gap;
            }
        }
        top += rowHeight + gap;
        row.clear();
        rowWidth = 0;
        rowHeight = 0;
    };

    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const QSize size = item->sizeHint();
        const int widthWith = rowWidth + (row.isEmpty() ? 0 : gap) + size.width();
        if (!row.isEmpty() && widthWith > area.width())
            finishRow();
        rowWidth += (row.isEmpty() ? 0 : gap) + size.width();
        rowHeight = std::max(rowHeight, size.height());
        row.append(item);
    }
    finishRow();
    const QMargins margins = contentsMargins();
    const int used = top > area.y() ? top - gap - area.y() : 0;
    return used + margins.top() + margins.bottom();
}

} // namespace scenewright::gui
