#include "scenewright/gui/ProgramSettings.h"

#include <QMainWindow>
#include <QSettings>

namespace scenewright::gui {

namespace {

constexpr const char* geometryKey = "window/geometry";

} // namespace

std::unique_ptr<QSettings> ProgramSettings::open()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "scenewright", "scenewright");
}

void ProgramSettings::saveWindow(const QMainWindow& window)
{
    const auto settings = open();
    settings->setValue(geometryKey, window.saveGeometry());
}

bool ProgramSettings::restoreWindow(QMainWindow& window)
{
    return window.restoreGeometry(open()->value(geometryKey).toByteArray());
}

} // namespace scenewright::gui
