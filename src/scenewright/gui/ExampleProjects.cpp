#include "scenewright/gui/ExampleProjects.h"

#include <QCoreApplication>
#include <QDir>

namespace scenewright::gui {

QString ExampleProjects::directory()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + SCENEWRIGHT_EXAMPLES_FROM_PROGRAM);
}

QFileInfoList ExampleProjects::list(const QString& directory)
{
    return QDir(directory).entryInfoList({"*.scw"}, QDir::Files | QDir::Readable, QDir::Name);
}

} // namespace scenewright::gui
