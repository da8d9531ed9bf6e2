#include "scenewright/core/io/RecoveryWriter.h"

#include "scenewright/core/io/RecoveryFile.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace scenewright::core::io {

RecoveryWriter::RecoveryWriter(std::string directory, Report report)
    : folder_(std::move(directory)),
      tag_(folder_.newTag()),
      path_(folder_.recoveryPath(tag_)),
      report_(std::move(report)),
      thread_([this] { run(); })
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
    // Without its lock file the work counts as left by an ended program.
    if (lock_)
        lock_->removeFile();
}

void RecoveryWriter::keep(RecoverySnapshot snapshot)
{
    {
        std::lock_guard guard(mutex_);
        pending_ = Request(std::move(snapshot));
    }
    wake_.notify_one();
}

void RecoveryWriter::discard()
{
    {
        std::lock_guard guard(mutex_);
        pending_ = Request();
    }
    wake_.notify_one();
}

void RecoveryWriter::waitUntilDone()
{
    std::unique_lock guard(mutex_);
    done_.wait(guard, [this] { return !pending_ && !busy_; });
}

void RecoveryWriter::setFileOperations(FileOperations& operations)
{
    std::lock_guard guard(mutex_);
    operations_ = &operations;
}

void RecoveryWriter::run()
{
    std::unique_lock guard(mutex_);
    for (;;) {
        wake_.wait(guard, [this] { return pending_ || stopping_; });
        if (!pending_)
            return;
        Request request = std::move(*pending_);
        pending_.reset();
        FileOperations& operations = *operations_;
        busy_ = true;
        guard.unlock();
        perform(request, operations);
        // The snapshot goes here, off the editing thread and outside the lock.
        request.reset();
        guard.lock();
        busy_ = false;
        done_.notify_all();
    }
}

void RecoveryWriter::perform(const Request& request, FileOperations& operations)
{
    if (!request) {
        RecoveryFile(path_).remove();
        return;
    }
    const std::optional<std::string> failure = write(*request, operations);
    if (report_)
        report_(failure);
}

std::optional<std::string> RecoveryWriter::write(const RecoverySnapshot& snapshot, FileOperations& operations)
{
    if (!lock_) {
        std::error_code error;
        std::filesystem::create_directories(folder_.directory(), error);
        if (error)
            return "Cannot create " + folder_.directory() + ": " + error.message();
        // A starting program clears away a lock file it finds without work,
        // holding it for a moment; the lock is free again right after.
        for (int attempt = 0; attempt < 5 && !lock_; ++attempt) {
            if (attempt > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            lock_ = RecoveryLock::take(folder_.lockPath(tag_));
        }
        if (!lock_)
            return "Cannot lock " + folder_.lockPath(tag_);
    }
    return RecoveryFile(path_).write(snapshot, operations);
}

} // namespace scenewright::core::io
