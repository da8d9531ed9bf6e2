#pragma once

#include <QSortFilterProxyModel>

namespace scenewright::gui {

class SuffixFileFilter;

// Shows only the files a filter accepts in a file dialog, by the filter's
// exact rule (a dialog's own name patterns ignore letter case).
class SuffixFilterProxyModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    // The filter is not owned and must outlive the model.
    SuffixFilterProxyModel(const SuffixFileFilter& filter, QObject* parent);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    const SuffixFileFilter& filter_;
};

} // namespace scenewright::gui
