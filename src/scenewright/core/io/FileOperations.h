#pragma once

#include <cstddef>
#include <sys/types.h>

namespace scenewright::core::io {

// The system calls a SaveFile makes to put its text on disk. Tests hand a
// save others, to make it fail at the creation of its temporary file, the
// write, the flush or the rename.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // Creates and opens a new file from a mkstemp pattern, filling in its name.
    virtual int createTemporary(char* pattern);
    virtual ssize_t write(int fd, const void* data, std::size_t size);
    virtual int fsync(int fd);
    virtual int rename(const char* from, const char* to);

    // The real system calls. They hold no state, so every save may share them.
    static FileOperations& system();
};

} // namespace scenewright::core::io
