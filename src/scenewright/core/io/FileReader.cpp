#include "scenewright/core/io/FileReader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace scenewright::core::io {

std::optional<std::string> FileReader::read(const std::string& path, std::string& error)
{
    std::ifstream file(path, std::ios::in | std::ios::binary);
    std::string text;
    if (file)
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file && !file.eof()) {
        error = "Cannot open " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return text;
}

} // namespace scenewright::core::io
