#include "scenewright/core/io/RecoveryFile.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/FileReader.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/SaveFile.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <system_error>

namespace scenewright::core::io {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormat = "scenewright-recovery";
constexpr int kVersion = 1;

} // namespace

RecoverySnapshot RecoveryFile::snapshot(const SceneDocument& document)
{
    RecoverySnapshot snapshot;
    snapshot.project = ProjectFileWriter::document(document.name(), document.localiseScript(), document.objects());
    snapshot.projectFile = document.fileLocation();
    snapshot.keptAt = std::chrono::duration_cast<std::chrono::seconds>(
                          std::chrono::system_clock::now().time_since_epoch())
                          .count();
    return snapshot;
}

std::optional<std::string> RecoveryFile::write(const RecoverySnapshot& snapshot, FileOperations& operations) const
{
    Json header;
    header["format"] = kFormat;
    header["version"] = kVersion;
    header["projectFile"] = snapshot.projectFile ? Json(*snapshot.projectFile) : Json(nullptr);
    header["keptAt"] = snapshot.keptAt;
    // The header is one line: JSON writes a line break inside a file name as \n.
    SaveFile file(path_, operations);
    if (!file.save(header.dump() + "\n" + snapshot.project.text()))
        return file.errorString();
    return std::nullopt;
}

std::optional<RecoveryFile::Contents> RecoveryFile::read(std::string& error) const
{
    std::optional<std::string> text = FileReader::read(path_, error);
    if (!text)
        return std::nullopt;
    const auto refuse = [&](const std::string& reason) -> std::optional<Contents> {
        error = path_ + ": " + reason;
        return std::nullopt;
    };
    const std::size_t lineEnd = text->find('\n');
    if (lineEnd == std::string::npos)
        return refuse("the file is cut short");
    const Json header = Json::parse(text->begin(), text->begin() + static_cast<std::ptrdiff_t>(lineEnd), nullptr,
                                    false);
    if (!header.is_object() || header.value("format", Json()) != kFormat)
        return refuse("not a Scenewright recovery file");
    if (header.value("version", Json()) != kVersion)
        return refuse("a recovery file of another Scenewright version");
    const Json& projectFile = header.value("projectFile", Json());
    const Json& keptAt = header.value("keptAt", Json());
    if (!(projectFile.is_null() || projectFile.is_string()) || !keptAt.is_number_integer())
        return refuse("the first line is damaged");

    Contents contents;
    // The first line is blanked rather than cut off, so that a fault in the
    // project is reported at its line and column in this file.
    text->replace(0, lineEnd, lineEnd, ' ');
    contents.projectText = std::move(*text);
    if (projectFile.is_string())
        contents.projectFile = projectFile.get<std::string>();
    contents.keptAt = keptAt.get<std::int64_t>();
    return contents;
}

void RecoveryFile::remove() const
{
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

} // namespace scenewright::core::io
