#pragma once

#include "scenewright/core/io/FileOperations.h"
#include "scenewright/core/io/RecoveryFolder.h"
#include "scenewright/core/io/RecoveryLock.h"
#include "scenewright/core/io/RecoverySnapshot.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace scenewright::core::io {

// Keeps this program's unsaved work in its own recovery file, on a thread of
// its own, so that the thread that edits the scene only takes snapshots.
// Only the last request counts: a snapshot handed in while an earlier one is
// still waiting replaces it. The recovery file's lock is held from the first
// write until the writer goes.
class RecoveryWriter {
public:
    // Called on the writing thread after each write: null when the work is
    // on disk, else the message naming the file and the reason.
    using Report = std::function<void(const std::optional<std::string>& failure)>;

    RecoveryWriter(std::string directory, Report report);
    // Finishes the last request, then lets the lock go; a recovery file left
    // behind is offered at the next start.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Writes the snapshot, atomically, replacing the file's earlier content.
    void keep(RecoverySnapshot snapshot);
    // Removes the recovery file.
    void discard();
    // Returns when every request made so far is done.
    void waitUntilDone();
    // The system calls the writes from now on make (a test's, to make them
    // fail); the real ones until then. Not owned.
    void setFileOperations(FileOperations& operations);

    const std::string& path() const { return path_; }

private:
    using Request = std::optional<RecoverySnapshot>;

    void run();
    void perform(const Request& request, FileOperations& operations);
    std::optional<std::string> write(const RecoverySnapshot& snapshot, FileOperations& operations);

    const RecoveryFolder folder_;
    const std::string tag_;
    const std::string path_;
    Report report_;
    // Touched on the writing thread only.
    std::optional<RecoveryLock> lock_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::optional<Request> pending_;
    FileOperations* operations_ = &FileOperations::system();
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace scenewright::core::io
