#pragma once

#include <QFileInfo>
#include <QString>

namespace scenewright::gui {

// What a file chooser lists: every folder, and the files whose names end
// with one suffix, compared exactly (".scw" lists castle.scw, not castle.SCW).
class SuffixFileFilter {
public:
    SuffixFileFilter(QString suffix, QString description);
    virtual ~SuffixFileFilter() = default;

    bool accept(const QFileInfo& file) const;
    const QString& getDescription() const { return description_; }
    // The path itself when it ends with the suffix, else the path with the
    // suffix appended (castle.SCW gives castle.SCW.scw).
    QString withSuffix(const QString& path) const;

private:
    QString suffix_;
    QString description_;
};

} // namespace scenewright::gui
