#pragma once

#include <optional>
#include <string>

namespace scenewright::core::io {

// Reads a whole file as bytes.
class FileReader {
public:
    // The file's content, or nothing with `error` set to
    // "Cannot open <path>: <reason>".
    static std::optional<std::string> read(const std::string& path, std::string& error);
};

} // namespace scenewright::core::io
