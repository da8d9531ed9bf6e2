#include "scenewright/gui/SuffixFilterProxyModel.h"

#include "scenewright/gui/SuffixFileFilter.h"

#include <QFileSystemModel>

namespace scenewright::gui {

SuffixFilterProxyModel::SuffixFilterProxyModel(const SuffixFileFilter& filter, QObject* parent)
    : QSortFilterProxyModel(parent), filter_(filter)
{
}

bool SuffixFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files)
        return true;
    return filter_.accept(files->fileInfo(files->index(sourceRow, 0, sourceParent)));
}

} // namespace scenewright::gui
