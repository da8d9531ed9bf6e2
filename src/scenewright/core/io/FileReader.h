#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

namespace scenewright::core::io {

// Reads a whole file as bytes, up to kMaxSize: a project file or a script
// larger than that is refused, and the read stops there, so that a device
// such as /dev/zero or an endless pipe cannot fill the memory.
class FileReader {
public:
    static constexpr std::size_t kMaxSize = std::size_t(256) << 20;

    // The file's content, or nothing with `error` set to
    // "Cannot open <path>: <reason>" or "Cannot read <path>: <reason>".
    static std::optional<std::string> read(const std::string& path, std::string& error);
    // The rest of a stream (standard input), under the same limit; `name`
    // names it in the error.
    static std::optional<std::string> read(std::istream& in, const std::string& name, std::string& error);
};

} // namespace scenewright::core::io
