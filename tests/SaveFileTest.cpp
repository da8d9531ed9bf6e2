#include "FreshProgramTest.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/io/FileOperations.h"
#include "scenewright/core/io/RemoveOnSignal.h"
#include "scenewright/core/io/SaveFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace scenewright::test {
namespace {

using namespace core;
namespace fs = std::filesystem;

constexpr const char* kMissing = "<no file>";

// The real operations, watched: before every call it notes what the target
// holds (as a crash at that moment would leave it), it can fail the n-th call
// with the error that call would give, and it hands writes to the disk in
// small pieces, as a slow or full disk does.
class WatchedOperations : public io::FileOperations {
public:
    WatchedOperations(fs::path target, int failingCall = 0, std::size_t piece = 1000)
        : target_(std::move(target)), failingCall_(failingCall), piece_(piece)
    {
    }

    int createTemporary(char* pattern) override
    {
        return fails(EROFS) ? -1 : FileOperations::createTemporary(pattern);
    }
    ssize_t write(int fd, const void* data, std::size_t size) override
    {
        return fails(ENOSPC) ? -1 : FileOperations::write(fd, data, std::min(size, piece_));
    }
    int fsync(int fd) override { return fails(EIO) ? -1 : FileOperations::fsync(fd); }
    int rename(const char* from, const char* to) override
    {
        return fails(EXDEV) ? -1 : FileOperations::rename(from, to);
    }

    int calls() const { return static_cast<int>(seen_.size()); }
    // What the target held before each call.
    const std::vector<std::string>& seen() const { return seen_; }
    // The error the failing call gave, when it was reached.
    int failure() const { return failure_; }

private:
    bool fails(int error)
    {
        seen_.push_back(fs::exists(target_) ? fileContent(target_) : kMissing);
        if (calls() != failingCall_)
            return false;
        failure_ = error;
        errno = error;
        return true;
    }

    fs::path target_;
    int failingCall_;
    std::size_t piece_;
    std::vector<std::string> seen_;
    int failure_ = 0;
};

class SaveFileTest : public FreshProgramInDirectoryTest {
protected:
    void writeFile(const fs::path& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }


    // Text long enough to take several writes.
    static std::string newText()
    {
        std::string text;
        for (int line = 0; line < 400; ++line)
            text += "new line " + std::to_string(line) + "\n";
        return text;
    }

    // Saves the new text through the operations, whole or made in four
    // pieces while it is written.
    bool saveWith(const fs::path& target, WatchedOperations& operations, std::string& error, bool inPieces)
    {
        io::SaveFile file(target.string(), operations);
        const std::string text = newText();
        const bool saved = inPieces ? file.save([&text](const std::function<void(std::string_view)>& write) {
            for (std::size_t at = 0; at < text.size(); at += text.size() / 4 + 1)
                write(std::string_view(text).substr(at, text.size() / 4 + 1));
        })
                                    : file.save(text);
        error = file.errorString();
        return saved;
    }
};

TEST_F(SaveFileTest, AtEveryMomentOfASaveTheFileHoldsTheOldTextOrTheNewOneInFull)
{
    for (const auto& [hadFile, inPieces] : {std::pair(true, false), std::pair(false, false), std::pair(true, true)}) {
        SCOPED_TRACE(hadFile ? "replacing a file" : "creating a file");
        SCOPED_TRACE(inPieces ? "made in pieces" : "whole");
        const fs::path target = directory_ / "scene.scw";
        const std::string before = hadFile ? "old text\n" : kMissing;

        // A save that succeeds: until the rename the old text stands, then the new.
        if (hadFile)
            writeFile(target, before);
        WatchedOperations watched(target);
        std::string error;
        ASSERT_TRUE(saveWith(target, watched, error, inPieces)) << error;
        ASSERT_GT(watched.calls(), 4) << "the text should take several writes";
        for (const std::string& seen : watched.seen())
            EXPECT_EQ(seen, before);
        EXPECT_EQ(fileContent(target), newText());
        EXPECT_EQ(entries(), std::vector<std::string>{"scene.scw"});

        // The same save failing at each of its calls in turn.
        const int calls = watched.calls();
        for (int call = 1; call <= calls; ++call) {
            SCOPED_TRACE("failing call " + std::to_string(call));
            fs::remove(target);
            if (hadFile)
                writeFile(target, before);
            WatchedOperations failing(target, call);
            EXPECT_FALSE(saveWith(target, failing, error, inPieces));
            EXPECT_EQ(error, "Cannot save " + target.string() + ": " + std::strerror(failing.failure()));
            for (const std::string& seen : failing.seen())
                EXPECT_EQ(seen, before);
            if (hadFile) {
                EXPECT_EQ(fileContent(target), before);
                EXPECT_EQ(entries(), std::vector<std::string>{"scene.scw"});
            } else {
                // Never an empty or partial file where there was none.
                EXPECT_TRUE(entries().empty());
            }
        }
        fs::remove(target);
    }
}

// A disk that takes part of the text and then accepts nothing more.
class StallingOperations : public io::FileOperations {
public:
    ssize_t write(int fd, const void* data, std::size_t size) override
    {
        if (accepted_ > 0)
            return 0;
        accepted_ = std::min<std::size_t>(size, 10);
        return FileOperations::write(fd, data, accepted_);
    }

private:
    std::size_t accepted_ = 0;
};

// Writes interrupted by a signal before they wrote anything.
class InterruptedOperations : public io::FileOperations {
public:
    ssize_t write(int fd, const void* data, std::size_t size) override
    {
        if (interruptions_++ < 3) {
            errno = EINTR;
            return -1;
        }
        return FileOperations::write(fd, data, size);
    }

private:
    int interruptions_ = 0;
};

TEST_F(SaveFileTest, AStalledDiskFailsInsteadOfHangingAndAnInterruptedWriteIsRetried)
{
    const fs::path target = directory_ / "scene.scw";
    writeFile(target, "old");
    StallingOperations stalling;
    io::SaveFile stalled(target.string(), stalling);
    EXPECT_FALSE(stalled.save(newText()));
    EXPECT_EQ(stalled.errorString(), "Cannot save " + target.string() + ": " + std::strerror(EIO));
    EXPECT_EQ(fileContent(target), "old");

    InterruptedOperations interrupted;
    io::SaveFile retried(target.string(), interrupted);
    EXPECT_TRUE(retried.save(newText())) << retried.errorString();
    EXPECT_EQ(fileContent(target), newText());
    EXPECT_EQ(entries(), std::vector<std::string>{"scene.scw"});
}

// A text that fails while it is made (the generator throws) leaves the old
// file and no temporary one.
TEST_F(SaveFileTest, ATextThatFailsWhileItIsMadeLeavesTheOldFile)
{
    const fs::path target = directory_ / "scene.scw";
    writeFile(target, "old");
    io::SaveFile file(target.string());
    EXPECT_THROW(file.save([](const std::function<void(std::string_view)>& write) {
        write("half of the ");
        throw std::runtime_error("out of memory");
    }),
                 std::runtime_error);
    EXPECT_EQ(fileContent(target), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"scene.scw"});
}

TEST_F(SaveFileTest, APathThatIsADirectoryIsRefusedAndTheDirectoryKept)
{
    const fs::path folder = directory_ / "scene.scw";
    fs::create_directory(folder);
    writeFile(folder / "inside.txt", "kept");
    io::SaveFile file(folder.string());
    EXPECT_FALSE(file.save(newText()));
    EXPECT_EQ(file.errorString(), "Cannot save " + folder.string() + ": Is a directory");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(fileContent(folder / "inside.txt"), "kept");
    EXPECT_EQ(entries(), std::vector<std::string>{"scene.scw"});
}

TEST_F(SaveFileTest, AReadOnlyDirectoryIsReported)
{
    const fs::path folder = directory_ / "locked";
    const fs::path target = folder / "scene.scw";
    fs::create_directory(folder);
    writeFile(target, "old");
    fs::permissions(directory_, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read
                                | fs::perms::others_exec);

    // Permissions do not bind the super-user: then the save runs in a child
    // process as an ordinary user. The child reports through its exit status.
    const auto attempt = [&] {
        io::SaveFile file(target.string());
        const bool saved = file.save(newText());
        return !saved && file.errorString() == "Cannot save " + target.string() + ": Permission denied";
    };
    bool refused = false;
    if (geteuid() != 0) {
        refused = attempt();
    } else {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            _exit(setgid(65534) == 0 && setuid(65534) == 0 && attempt() ? 0 : 1);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        refused = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_TRUE(refused);
    EXPECT_EQ(fileContent(target), "old");
    EXPECT_EQ(fs::directory_iterator(folder)->path(), target);
}

// Writes a piece of the text, then the program is told to stop.
class SignalledOperations : public io::FileOperations {
public:
    explicit SignalledOperations(int signal) : signal_(signal) {}
    ssize_t write(int fd, const void* data, std::size_t size) override
    {
        const ssize_t written = FileOperations::write(fd, data, std::min<std::size_t>(size, 100));
        raise(signal_);
        return written;
    }

private:
    int signal_;
};

TEST_F(SaveFileTest, AProgramStoppedDuringASaveLeavesNoTemporaryFile)
{
    const fs::path target = directory_ / "scene.scw";
    struct Case {
        int signal;
        bool ignored; // the program ignores the signal: the save goes on
        bool otherSave; // another save (the recovery file's) is under way at the time
    };
    for (const Case& c : {Case{SIGTERM, false, false}, Case{SIGINT, false, false}, Case{SIGHUP, false, false},
                          Case{SIGTERM, true, false}, Case{SIGTERM, false, true}}) {
        SCOPED_TRACE(strsignal(c.signal) + std::string(c.ignored ? ", ignored" : "")
                     + (c.otherSave ? ", with another save" : ""));
        writeFile(target, "old");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (c.ignored)
                signal(c.signal, SIG_IGN);
            const std::string other = (directory_ / ".other.tmp").string();
            std::optional<io::RemoveOnSignal> otherSave;
            if (c.otherSave) {
                writeFile(other, "half");
                otherSave.emplace().watch(other.c_str());
            }
            SignalledOperations operations(c.signal);
            _exit(io::SaveFile(target.string(), operations).save(newText()) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (c.ignored) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            EXPECT_EQ(fileContent(target), newText());
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
            EXPECT_EQ(fileContent(target), "old");
        }
        EXPECT_EQ(entries(), std::vector<std::string>{"scene.scw"});
    }
}

TEST_F(SaveFileTest, ALoopOfLinksIsReportedAndKept)
{
    fs::create_symlink("b.js", directory_ / "a.js");
    fs::create_symlink("a.js", directory_ / "b.js");
    fs::create_directory_symlink("loop", directory_ / "loop");
    for (const fs::path& path : {directory_ / "a.js", directory_ / "loop" / "scene.js"}) {
        io::SaveFile file(path.string());
        EXPECT_FALSE(file.save(newText()));
        EXPECT_EQ(file.errorString(), "Cannot save " + path.string() + ": Too many levels of symbolic links");
    }
    EXPECT_TRUE(fs::is_symlink(directory_ / "a.js"));
    EXPECT_TRUE(fs::is_symlink(directory_ / "b.js"));
    EXPECT_EQ(entries(), (std::vector<std::string>{"a.js", "b.js", "loop"}));
}

// ---- the project's save ----

// Refuses to create files, as a read-only directory or file system does.
class ReadOnlyOperations : public io::FileOperations {
public:
    explicit ReadOnlyOperations(int error) : error_(error) {}
    int createTemporary(char*) override
    {
        errno = error_;
        return -1;
    }

private:
    int error_;
};

TEST_F(SaveFileTest, AProjectThatCannotBeSavedSaysWhyAndStaysUnsaved)
{
    auto project = createDefaultProject();
    auto door = std::make_shared<PrimitiveObj>();
    door->setName("door");
    document().appendObject(door);
    fs::create_directory(directory_ / "folder.scw");

    ReadOnlyOperations readOnly(EACCES);
    ReadOnlyOperations readOnlyFileSystem(EROFS);
    struct Case {
        const char* what;
        fs::path path;
        io::FileOperations* operations;
        std::string reason;
    };
    const Case cases[] = {
        {"read-only directory", directory_ / "scene.scw", &readOnly, "Permission denied"},
        {"read-only file system", directory_ / "scene.scw", &readOnlyFileSystem, "Read-only file system"},
        {"a directory", directory_ / "folder.scw", nullptr, "Is a directory"},
        {"a missing directory", directory_ / "none" / "scene.scw", nullptr, "No such file or directory"},
        {"no file location", fs::path(), nullptr, ""},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        for (const int state : {core::SceneDocument::STATE_UNSAVED, core::SceneDocument::STATE_NEW}) {
            project->setState(state);
            project->setFileLocation(each.path.empty() ? std::nullopt : std::optional(each.path.string()));
            const auto error
                = project->save(each.operations ? *each.operations : io::FileOperations::system());
            ASSERT_TRUE(error.has_value());
            if (each.path.empty())
                EXPECT_EQ(*error, "Cannot save the project: it has no file location");
            else
                EXPECT_EQ(*error, "Cannot save " + each.path.string() + ": " + each.reason);
            EXPECT_EQ(project->state(), state);
        }
    }
    EXPECT_EQ(entries(), std::vector<std::string>{"folder.scw"});
    EXPECT_TRUE(fs::is_empty(directory_ / "folder.scw"));
}

} // namespace
} // namespace scenewright::test
