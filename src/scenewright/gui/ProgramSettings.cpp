#include "scenewright/gui/ProgramSettings.h"

#include <QMainWindow>
#include <QSettings>
#include <QSplitter>

namespace scenewright::gui {

namespace {

constexpr const char* geometryKey = "window/geometry";

QString dividerKey(const QSplitter* divider)
{
    return "window/dividers/" + divider->objectName();
}

} // namespace

std::unique_ptr<QSettings> ProgramSettings::open()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "scenewright", "scenewright");
}

void ProgramSettings::saveWindow(const QMainWindow& window, const QList<QSplitter*>& dividers)
{
    const auto settings = open();
    settings->setValue(geometryKey, window.saveGeometry());
    for (const QSplitter* divider : dividers)
        settings->setValue(dividerKey(divider), divider->saveState());
}

bool ProgramSettings::restoreWindow(QMainWindow& window)
{
    return window.restoreGeometry(open()->value(geometryKey).toByteArray());
}

bool ProgramSettings::restoreDividers(const QList<QSplitter*>& dividers)
{
    const auto settings = open();
    QList<QByteArray> states;
    for (const QSplitter* divider : dividers) {
        states << settings->value(dividerKey(divider)).toByteArray();
        if (states.back().isEmpty())
            return false;
    }
    for (qsizetype i = 0; i < dividers.size(); ++i)
        if (!dividers[i]->restoreState(states[i]))
            return false;
    return true;
}

} // namespace scenewright::gui
