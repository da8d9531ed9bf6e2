#include "scenewright/gui/SuffixFileFilter.h"

namespace scenewright::gui {

SuffixFileFilter::SuffixFileFilter(QString suffix, QString description)
    : suffix_(std::move(suffix)), description_(std::move(description))
{
}

bool SuffixFileFilter::accept(const QFileInfo& file) const
{
    return file.isDir() || file.fileName().endsWith(suffix_, Qt::CaseSensitive);
}

QString SuffixFileFilter::withSuffix(const QString& path) const
{
    return path.endsWith(suffix_, Qt::CaseSensitive) ? path : path + suffix_;
}

} // namespace scenewright::gui
