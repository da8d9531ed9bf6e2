#include "scenewright/gui/RecoveryKeeper.h"

#include "scenewright/core/io/RecoveryFile.h"

#include <QMetaObject>

#include <iostream>
#include <utility>

namespace scenewright::gui {

RecoveryKeeper::RecoveryKeeper(const QString& directory, std::function<const core::SceneDocument*()> unsavedProject,
                               QObject* parent)
    : QObject(parent), directory_(directory), unsavedProject_(std::move(unsavedProject)),
      writer_(directory.toStdString(), [this](const std::optional<std::string>& failure) {
          // Reported on the writing thread; handled on the window's.
          QMetaObject::invokeMethod(this, [this, failure] { takeReport(failure); }, Qt::QueuedConnection);
      })
{
    timer_.setSingleShot(true);
    timer_.setInterval(delayMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::keepUnsaved);
}

QString RecoveryKeeper::path() const
{
    return QString::fromStdString(writer_.path());
}

void RecoveryKeeper::scheduleKeep()
{
    // Restarting the wait on every change would put the write off for as
    // long as changes keep coming.
    if (!timer_.isActive())
        timer_.start();
}

void RecoveryKeeper::keepUnsaved()
{
    timer_.stop();
    if (const core::SceneDocument* project = unsavedProject_())
        writer_.keep(core::io::RecoveryFile::snapshot(*project));
    else
        writer_.discard();
}

void RecoveryKeeper::discard()
{
    timer_.stop();
    writer_.discard();
}

void RecoveryKeeper::keepNow()
{
    keepUnsaved();
    waitUntilDone();
}

void RecoveryKeeper::waitUntilDone()
{
    writer_.waitUntilDone();
}

void RecoveryKeeper::takeReport(const std::optional<std::string>& failure)
{
    if (!failure) {
        if (std::exchange(failing_, false))
            emit keepingResumed();
        return;
    }
    // A full disk fails every write; it is reported once, until a write succeeds.
    if (std::exchange(failing_, true))
        return;
    std::cerr << *failure << "\n";
    const QString message = QString::fromStdString(*failure);
    // The message ends with the system's reason, after the file's name.
    const qsizetype reasonStart = message.lastIndexOf(": ");
    emit keepingFailed(reasonStart < 0 ? message : message.mid(reasonStart + 2), message);
}

} // namespace scenewright::gui
