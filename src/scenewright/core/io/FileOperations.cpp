#include "scenewright/core/io/FileOperations.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace scenewright::core::io {

namespace {

FileOperations* installed = nullptr;

} // namespace

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

FileOperations& FileOperations::current()
{
    static FileOperations system;
    return installed ? *installed : system;
}

void FileOperations::install(FileOperations* operations)
{
    installed = operations;
}

} // namespace scenewright::core::io
