#pragma once

#include "scenewright/core/io/RecoveryWriter.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace scenewright::core {
class SceneDocument;
}

namespace scenewright::gui {

// Keeps the window's unsaved work in the program's recovery file while the
// user edits: a change reaches the file at most `delayMilliseconds` (plus
// the write) after it was made, and a burst of changes is written once. The
// snapshot is taken on the window's thread; the writing happens on a thread
// of its own, so the window does not wait on the disk.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // `unsavedProject` gives the document the window shows while it has
    // unsaved changes, and null otherwise.
    RecoveryKeeper(const QString& directory, std::function<const core::SceneDocument*()> unsavedProject,
                   QObject* parent = nullptr);

    // Set below three seconds by the longest write of a large scene.
    static constexpr int delayMilliseconds = 2500;

    // Nothing is unsaved any more: the recovery file goes.
    void discard();
    // Brings the recovery file up to date now and waits until it is on disk
    // (or gone, when nothing is unsaved).
    void keepNow();
    // Returns when the writes and removals asked for so far are done.
    void waitUntilDone();
    // The system calls the writes from now on make; the real ones until then.
    void setFileOperations(core::io::FileOperations& operations) { writer_.setFileOperations(operations); }

    QString directory() const { return directory_; }
    // This program's recovery file.
    QString path() const;

    // The scene changed: keep it when the wait that is running ends, or
    // start the wait.
    void scheduleKeep();

signals:
    // A write failed after the last one succeeded: `message` says why.
    void keepingFailed(const QString& reason, const QString& message);
    // A write succeeded after failing.
    void keepingResumed();

private:
    // The wait ended: write what is unsaved, or remove the file.
    void keepUnsaved();
    void takeReport(const std::optional<std::string>& failure);

    QString directory_;
    std::function<const core::SceneDocument*()> unsavedProject_;
    QTimer timer_;
    bool failing_ = false;
    // Last, so that it finishes its writing before the rest goes.
    core::io::RecoveryWriter writer_;
};

} // namespace scenewright::gui
