#include "scenewright/core/io/RecoveryFolder.h"

#include "scenewright/core/io/FileReader.h"
#include "scenewright/core/io/RecoveryFile.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>

namespace scenewright::core::io {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "unsaved-";
constexpr std::string_view kRecoverySuffix = ".recovery";
constexpr std::string_view kLockSuffix = ".lock";
constexpr const char* kLegacyProject = "recovered.scw";
constexpr const char* kLegacyLocation = "recovered.location";
constexpr const char* kLegacyLock = "recovered.lock";

// The tag of a file named prefix + tag + suffix; empty for any other name.
std::string tagOf(const std::string& name, std::string_view suffix)
{
    if (name.size() <= kPrefix.size() + suffix.size() || !name.starts_with(kPrefix) || !name.ends_with(suffix))
        return {};
    return name.substr(kPrefix.size(), name.size() - kPrefix.size() - suffix.size());
}

std::int64_t modificationTime(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? static_cast<std::int64_t>(status.st_mtime) : 0;
}

// Renames the files with the date the first was last written, keeping them
// under names no scan offers; the new name of the first, or empty.
std::string setAside(const std::vector<std::string>& files)
{
    const std::time_t written = static_cast<std::time_t>(modificationTime(files.front()));
    std::tm local {};
    localtime_r(&written, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d-%H%M%S", &local);

    std::string first;
    for (const std::string& file : files) {
        std::error_code error;
        if (!fs::exists(file, error))
            continue;
        std::string target = file + ".unreadable-" + date;
        for (int copy = 2; fs::exists(target, error); ++copy)
            target = file + ".unreadable-" + date + "-" + std::to_string(copy);
        fs::rename(file, target, error);
        if (first.empty() && !error && file == files.front())
            first = target;
    }
    return first;
}

// A place where work may have been left: the files that hold it and the
// lock that says whether their program still runs.
struct Candidate {
    std::vector<std::string> files;
    std::string lock;
    bool legacy = false;
};

// The work kept in the candidate's files, checked; nothing, with `error` set,
// when it cannot be read.
std::optional<RecoveryFile::Contents> readCandidate(const Candidate& candidate, std::string& error)
{
    if (!candidate.legacy)
        return RecoveryFile(candidate.files.front()).read(error);
    std::optional<std::string> text = FileReader::read(candidate.files.front(), error);
    if (!text)
        return std::nullopt;
    RecoveryFile::Contents contents;
    contents.projectText = std::move(*text);
    // Without a readable location the work belongs to no project file.
    std::string unread;
    const std::string location = FileReader::read(candidate.files.back(), unread).value_or(std::string());
    if (!location.empty())
        contents.projectFile = location;
    contents.keptAt = modificationTime(candidate.files.front());
    return contents;
}

} // namespace

std::string RecoveryFolder::recoveryPath(const std::string& tag) const
{
    return (fs::path(directory_) / (std::string(kPrefix) + tag + std::string(kRecoverySuffix))).string();
}

std::string RecoveryFolder::lockPath(const std::string& tag) const
{
    return (fs::path(directory_) / (std::string(kPrefix) + tag + std::string(kLockSuffix))).string();
}

std::string RecoveryFolder::newTag() const
{
    std::random_device source;
    std::uniform_int_distribution<unsigned long long> digits;
    for (;;) {
        char tag[17];
        std::snprintf(tag, sizeof tag, "%016llx", digits(source));
        std::error_code ignored;
        if (!fs::exists(recoveryPath(tag), ignored) && !fs::exists(lockPath(tag), ignored))
            return tag;
    }
}

std::vector<RecoveredWork> RecoveryFolder::leftWork(IdCounter& ids, std::vector<Unreadable>& unreadable) const
{
    std::vector<Candidate> candidates;
    std::vector<std::string> lockTags;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory_, error)) {
        const std::string name = entry.path().filename().string();
        if (std::string tag = tagOf(name, kRecoverySuffix); !tag.empty())
            candidates.push_back({{recoveryPath(tag)}, lockPath(tag)});
        else if (std::string lockTag = tagOf(name, kLockSuffix); !lockTag.empty())
            lockTags.push_back(lockTag);
    }
    const fs::path legacy = fs::path(directory_) / kLegacyProject;
    if (fs::is_regular_file(legacy, error))
        candidates.push_back({{legacy.string(), (fs::path(directory_) / kLegacyLocation).string()},
                              (fs::path(directory_) / kLegacyLock).string(),
                              true});

    std::vector<RecoveredWork> found;
    for (const Candidate& candidate : candidates) {
        std::optional<RecoveryLock> lock = RecoveryLock::take(candidate.lock);
        if (!lock)
            continue;
        // Another program may have taken the work while this one waited.
        if (!fs::exists(candidate.files.front(), error)) {
            lock->removeFile();
            continue;
        }
        std::string problem;
        std::optional<RecoveryFile::Contents> contents = readCandidate(candidate, problem);
        std::optional<LoadedProject> project;
        if (contents)
            project = ProjectFileReader::read(contents->projectText, candidate.files.front(), ids, problem);
        if (!project) {
            unreadable.push_back({candidate.files.front(), problem, setAside(candidate.files)});
            lock->removeFile();
            continue;
        }
        found.emplace_back(std::move(*lock), candidate.files, std::move(contents->projectFile), contents->keptAt,
                           std::move(*project));
    }
    // A program that ended without keeping work leaves only its lock file.
    for (const std::string& tag : lockTags) {
        if (fs::exists(recoveryPath(tag), error))
            continue;
        std::optional<RecoveryLock> lock = RecoveryLock::take(lockPath(tag));
        if (lock && !fs::exists(recoveryPath(tag), error))
            lock->removeFile();
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const RecoveredWork& a, const RecoveredWork& b) { return a.keptAt() > b.keptAt(); });
    return found;
}

} // namespace scenewright::core::io
