#include "scenewright/gui/RecentProjects.h"

#include "scenewright/gui/ProgramSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace scenewright::gui {

namespace {

constexpr const char* key = "recentProjects";

// One spelling per file: links and ".." resolved where the file exists.
QString canonical(const QString& path)
{
    const QFileInfo file(path);
    const QString resolved = file.canonicalFilePath();
    return resolved.isEmpty() ? file.absoluteFilePath() : resolved;
}

} // namespace

QStringList RecentProjects::paths() const
{
    return ProgramSettings::open()->value(key).toStringList();
}

void RecentProjects::add(const QString& path)
{
    const QString entry = canonical(path);
    QStringList entries = paths();
    entries.removeAll(entry);
    entries.prepend(entry);
    store(entries.mid(0, limit));
}

void RecentProjects::remove(const QString& path)
{
    QStringList entries = paths();
    entries.removeAll(path);
    entries.removeAll(canonical(path));
    store(entries);
}

void RecentProjects::clear()
{
    store({});
}

void RecentProjects::store(const QStringList& entries)
{
    const auto settings = ProgramSettings::open();
    if (entries.isEmpty())
        settings->remove(key);
    else
        settings->setValue(key, entries);
}

} // namespace scenewright::gui
