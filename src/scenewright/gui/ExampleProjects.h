#pragma once

#include <QFileInfoList>
#include <QString>

namespace scenewright::gui {

// The sample worlds that come with Scenewright: project files in the data
// folder that is installed beside the program's folder. The build links the
// same place to the source tree's examples, so a program run from the build
// finds them too.
class ExampleProjects {
public:
    // The examples folder, found from the folder the program runs from.
    static QString directory();
    // The project files in the folder, by name.
    static QFileInfoList list(const QString& directory);
};

} // namespace scenewright::gui
