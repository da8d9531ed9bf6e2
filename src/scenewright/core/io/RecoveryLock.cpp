#include "scenewright/core/io/RecoveryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace scenewright::core::io {

std::optional<RecoveryLock> RecoveryLock::take(const std::string& path)
{
    // A holder removes its lock file while it still holds the lock, so the
    // file locked here may have been removed meanwhile; the lock counts only
    // when the path still names the locked file.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return std::nullopt;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return std::nullopt;
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd, &locked) == 0 && ::stat(path.c_str(), &named) == 0 && locked.st_dev == named.st_dev
            && locked.st_ino == named.st_ino)
            return RecoveryLock(path, fd);
        ::close(fd);
    }
    return std::nullopt;
}

RecoveryLock::RecoveryLock(RecoveryLock&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1))
{
}

RecoveryLock& RecoveryLock::operator=(RecoveryLock&& other) noexcept
{
    if (this != &other) {
        release();
        path_ = std::move(other.path_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

RecoveryLock::~RecoveryLock()
{
    release();
}

void RecoveryLock::removeFile()
{
    if (fd_ >= 0)
        ::unlink(path_.c_str());
    release();
}

void RecoveryLock::release()
{
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
}

} // namespace scenewright::core::io
