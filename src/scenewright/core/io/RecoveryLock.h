#pragma once

#include <optional>
#include <string>

namespace scenewright::core::io {

// An exclusive lock on a lock file, held until the lock goes. The system
// drops it when the holding program ends, however it ends, so a lock that can
// be taken tells that its holder is no longer running.
class RecoveryLock {
public:
    // The lock on the file at `path`, made when it is missing; nothing when
    // another holder has it or the file cannot be made.
    static std::optional<RecoveryLock> take(const std::string& path);

    RecoveryLock(RecoveryLock&& other) noexcept;
    RecoveryLock& operator=(RecoveryLock&& other) noexcept;
    RecoveryLock(const RecoveryLock&) = delete;
    RecoveryLock& operator=(const RecoveryLock&) = delete;
    ~RecoveryLock();

    // Removes the lock file, then lets the lock go.
    void removeFile();
    const std::string& path() const { return path_; }

private:
    RecoveryLock(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    void release();

    std::string path_;
    int fd_ = -1;
};

} // namespace scenewright::core::io
