#pragma once

#include "scenewright/core/io/FileOperations.h"

#include <functional>
#include <string>
#include <string_view>

namespace scenewright::core::io {

// Replaces a file's content atomically: the text goes to a temporary file in
// the same directory, is flushed to disk and then renamed over the target,
// so a failed save leaves the old file as it was. The target keeps its
// permissions; a symbolic link is followed, and the file it points to is
// replaced, not the link.
class SaveFile {
public:
    explicit SaveFile(std::string path, FileOperations& operations = FileOperations::system())
        : path_(std::move(path)), operations_(operations)
    {
    }

    // True when the whole text is on disk under the path; otherwise false,
    // with the reason in errorString().
    bool save(std::string_view contents);
    // The same, for a text made while it is written: `produce` hands the
    // pieces of the text, in order, to the function it is given. A piece
    // that cannot be written fails the save; the rest are passed over.
    using Producer = std::function<void(const std::function<void(std::string_view)>&)>;
    bool save(const Producer& produce);
    // "Cannot save <path>: <reason>" after a failed save.
    const std::string& errorString() const { return error_; }

private:
    bool fail(const std::string& reason);

    std::string path_;
    FileOperations& operations_;
    std::string error_;
};

} // namespace scenewright::core::io
