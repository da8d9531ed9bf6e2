#pragma once

#include <QStyledItemDelegate>

class QListView;

namespace scenewright::gui {

// Keeps each entry of a list on one line as wide as the list: an entry
// that does not fit is cut short with an ellipsis (the list's tooltips
// give the whole text) instead of running out of sight.
class ElidingItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Installs itself on the list.
    explicit ElidingItemDelegate(QListView* list);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QListView* list_;
};

} // namespace scenewright::gui
