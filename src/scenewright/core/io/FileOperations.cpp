#include "scenewright/core/io/FileOperations.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace scenewright::core::io {

int FileOperations::createTemporary(char* pattern)
{
    return ::mkstemp(pattern);
}

ssize_t FileOperations::write(int fd, const void* data, std::size_t size)
{
    return ::write(fd, data, size);
}

int FileOperations::fsync(int fd)
{
    return ::fsync(fd);
}

int FileOperations::rename(const char* from, const char* to)
{
    return std::rename(from, to);
}

FileOperations& FileOperations::system()
{
    static FileOperations calls;
    return calls;
}

} // namespace scenewright::core::io
