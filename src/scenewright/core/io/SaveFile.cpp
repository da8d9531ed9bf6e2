#include "scenewright/core/io/SaveFile.h"

#include "scenewright/core/io/FileOperations.h"
#include "scenewright/core/io/RemoveOnSignal.h"
#include "scenewright/core/script/MessageText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace scenewright::core::io {

namespace fs = std::filesystem;

namespace {

// The file a save replaces: the end of a chain of symbolic links, or nothing
// when the chain loops (or runs longer than the system follows).
std::optional<fs::path> resolveTarget(const fs::path& path)
{
    fs::path target = path;
    std::error_code error;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(target, error)); ++hops) {
        if (hops == 40)
            return std::nullopt;
        fs::path link = fs::read_symlink(target, error);
        if (error)
            break;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target;
}

mode_t newFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool SaveFile::fail(const std::string& reason)
{
    error_ = "Cannot save " + script::MessageText::escaped(path_) + ": " + reason;
    return false;
}

bool SaveFile::save(std::string_view contents)
{
    return save([contents](const std::function<void(std::string_view)>& write) { write(contents); });
}

bool SaveFile::save(const Producer& produce)
{
    error_.clear();
    FileOperations& operations = operations_;
    const std::optional<fs::path> resolved = resolveTarget(path_);
    if (!resolved)
        return fail(std::strerror(ELOOP));
    const fs::path& target = *resolved;
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");

    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0;
    // A missing file is made; any other reason it cannot be looked at (a loop
    // of links among its directories) is the save's failure.
    if (!exists && errno != ENOENT)
        return fail(std::strerror(errno));
    if (exists && S_ISDIR(existing.st_mode))
        return fail(std::strerror(EISDIR));
    if (exists && !S_ISREG(existing.st_mode))
        return fail("not a regular file");

    std::string pattern = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    RemoveOnSignal removal;
    int fd = operations.createTemporary(temporary.data());
    if (fd < 0)
        return fail(std::strerror(errno));
    removal.watch(temporary.data());

    auto abandon = [&](int savedErrno) {
        close(fd);
        unlink(temporary.data());
        return fail(std::strerror(savedErrno));
    };

    // The first failure to write, as an errno; the pieces after it are not
    // written.
    int writeError = 0;
    const auto write = [&](std::string_view piece) {
        const char* data = piece.data();
        std::size_t left = piece.size();
        while (left > 0 && writeError == 0) {
            ssize_t written = operations.write(fd, data, left);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                writeError = written < 0 ? errno : EIO;
                break;
            }
            data += written;
            left -= static_cast<std::size_t>(written);
        }
    };
    try {
        produce(write);
    } catch (...) {
        close(fd);
        unlink(temporary.data());
        throw;
    }
    if (writeError != 0)
        return abandon(writeError);
    if (fchmod(fd, exists ? (existing.st_mode & 07777) : newFileMode()) != 0)
        return abandon(errno);
    if (operations.fsync(fd) != 0)
        return abandon(errno);
    if (close(fd) != 0) {
        int savedErrno = errno;
        unlink(temporary.data());
        return fail(std::strerror(savedErrno));
    }
    if (operations.rename(temporary.data(), target.c_str()) != 0) {
        int savedErrno = errno;
        unlink(temporary.data());
        return fail(std::strerror(savedErrno));
    }
    // Make the rename itself durable; a failure here loses nothing.
    int directoryFd = open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (directoryFd >= 0) {
        ::fsync(directoryFd);
        close(directoryFd);
    }
    return true;
}

} // namespace scenewright::core::io
