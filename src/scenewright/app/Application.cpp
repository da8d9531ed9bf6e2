#include "scenewright/app/Application.h"

#include "scenewright/app/MainWindow.h"
#include "scenewright/gui/ProgramSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace scenewright::app {

namespace {

void placeAtDefault(QWidget& frame)
{
    QSize size(800, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize screenSize = screen->size();
        size = size.boundedTo(screenSize);
        frame.resize(size);
        frame.move((screenSize.width() - size.width()) / 2, (screenSize.height() - size.height()) / 2);
    } else {
        frame.resize(size);
    }
}

} // namespace

Application::Application(const std::optional<QString>& project)
    : frame_(
        std::make_unique<MainWindow>(dialogs_, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), ids_,
                                     choices_))
{

    // The window opens where and as large as the user left it; the first
    // time, at its default size in the middle of the screen.
    if (!gui::ProgramSettings::restoreWindow(*frame_))
        placeAtDefault(*frame_);
    frame_->show();
    // What the start does, in order: first it offers the work that ended
    // programs left unsaved; anything else the start opens comes after the
    // answer.
    frame_->offerRecovery();
    if (project)
        frame_->openStartProject(*project);
}

Application::~Application() = default;

} // namespace scenewright::app
