#include "scenewright/gui/RecentProjects.h"

#include <QFileInfo>
#include <QSettings>

#include <memory>

namespace scenewright::gui {

namespace {

constexpr const char* key = "recentProjects";

// The program's settings file. The names are given here rather than taken
// from the application, whose organisation name is left empty so that its
// data folder stays where earlier versions put it.
std::unique_ptr<QSettings> settings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "scenewright", "scenewright");
}

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
    return settings()->value(key).toStringList();
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
    settings()->setValue(key, entries);
}

} // namespace scenewright::gui
