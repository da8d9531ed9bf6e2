#include "scenewright/gui/ElidingItemDelegate.h"

#include <QListView>

#include <algorithm>

namespace scenewright::gui {

ElidingItemDelegate::ElidingItemDelegate(QListView* list) : QStyledItemDelegate(list), list_(list)
{
    list->setWordWrap(false);
    list->setTextElideMode(Qt::ElideRight);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Entries are laid out again at every new width.
    list->setResizeMode(QListView::Adjust);
    list->setItemDelegate(this);
}

QSize ElidingItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(std::min(size.width(), list_->viewport()->width()));
    return size;
}

} // namespace scenewright::gui
