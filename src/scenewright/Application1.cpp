#include "scenewright/Application1.h"

#include "scenewright/Frame1.h"
#include "scenewright/core/ProjectManager.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace scenewright {

Application1::Application1()
    : frame_(std::make_unique<Frame1>(dialogs_, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)))
{
    core::ProjectManager::getInstance().setMainFrame(frame_.get());

    QSize size(800, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize screenSize = screen->size();
        size = size.boundedTo(screenSize);
        frame_->resize(size);
        frame_->move((screenSize.width() - size.width()) / 2, (screenSize.height() - size.height()) / 2);
    } else {
        frame_->resize(size);
    }
    frame_->show();
    frame_->offerRecovery();
}

Application1::~Application1() = default;

} // namespace scenewright
