#include "scenewright/core/io/FileReader.h"

#include "scenewright/core/script/MessageText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <sys/stat.h>
#include <unistd.h>

namespace scenewright::core::io {

namespace {

constexpr std::size_t kChunk = 65536;

std::optional<std::string> tooLarge(const std::string& name, std::string& error)
{
    error = "Cannot read " + script::MessageText::escaped(name) + ": larger than 256 MiB, the most Scenewright reads";
    return std::nullopt;
}

// Appends a chunk unless the text would grow past the limit.
bool appendWithin(std::string& text, const char* chunk, std::size_t size)
{
    if (size > FileReader::kMaxSize - text.size())
        return false;
    text.append(chunk, size);
    return true;
}

} // namespace

std::optional<std::string> FileReader::read(const std::string& path, std::string& error)
{
    const auto fail = [&](int reason) -> std::optional<std::string> {
        error = "Cannot open " + script::MessageText::escaped(path) + ": " + std::strerror(reason);
        return std::nullopt;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    // A directory opens like a file, but reading it fails.
    struct stat status {};
    const bool known = fstat(fd, &status) == 0;
    if (known && S_ISDIR(status.st_mode)) {
        ::close(fd);
        return fail(EISDIR);
    }
    std::string text;
    if (known && S_ISREG(status.st_mode)) {
        if (static_cast<std::size_t>(status.st_size) > kMaxSize) {
            ::close(fd);
            return tooLarge(path, error);
        }
        text.reserve(static_cast<std::size_t>(status.st_size));
    }
    char buffer[kChunk];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int reason = errno;
            ::close(fd);
            return fail(reason);
        }
        if (got == 0)
            break;
        if (!appendWithin(text, buffer, static_cast<std::size_t>(got))) {
            ::close(fd);
            return tooLarge(path, error);
        }
    }
    ::close(fd);
    return text;
}

std::optional<std::string> FileReader::read(std::istream& in, const std::string& name, std::string& error)
{
    std::string text;
    char buffer[kChunk];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        if (!appendWithin(text, buffer, static_cast<std::size_t>(in.gcount())))
            return tooLarge(name, error);
    }
    if (in.bad()) {
        error = "Cannot read " + name;
        return std::nullopt;
    }
    return text;
}

} // namespace scenewright::core::io
