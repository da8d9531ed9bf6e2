#pragma once

#include <QString>
#include <QStringList>

namespace scenewright::gui {

// The projects last opened or saved, newest first, kept in the user's
// settings between runs. A project appears once, under its canonical path.
class RecentProjects {
public:
    static constexpr int limit = 8;

    QStringList paths() const;
    // Puts the project first, dropping an older entry for the same file and
    // the oldest ones beyond the limit.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

private:
    void store(const QStringList& paths);
};

} // namespace scenewright::gui
