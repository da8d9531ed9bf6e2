#include "FreshProgramTest.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/RecoveryFile.h"
#include "scenewright/core/io/RecoveryFolder.h"
#include "scenewright/core/io/RecoveryWriter.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <sys/time.h>
#include <vector>

namespace scenewright::test {
namespace {

using namespace core;
namespace fs = std::filesystem;

class RecoveryFileTest : public FreshProgramInDirectoryTest {
protected:
    std::vector<io::RecoveredWork> leftWork(std::vector<io::RecoveryFolder::Unreadable>* unreadable = nullptr)
    {
        std::vector<io::RecoveryFolder::Unreadable> ignored;
        return io::RecoveryFolder(directory_.string()).leftWork(ids, unreadable ? *unreadable : ignored);
    }

    // Keeps the current project, as a program of its own would, kept at the time.
    std::unique_ptr<io::RecoveryWriter> keepingProgram(const fs::path& directory, std::int64_t keptAt)
    {
        auto writer = std::make_unique<io::RecoveryWriter>(directory.string(), nullptr);
        io::RecoverySnapshot snapshot = io::RecoveryFile::snapshot(*currentDocument());
        snapshot.keptAt = keptAt;
        writer->keep(std::move(snapshot));
        writer->waitUntilDone();
        return writer;
    }
};

TEST_F(RecoveryFileTest, KeptWorkReopensUnsavedAttachedToItsProjectFile)
{
    for (const std::optional<std::string>& location :
         {std::optional<std::string>("/home/builder/castle.scw"), std::optional<std::string>()}) {
        SCOPED_TRACE(location.value_or("no project file"));
        auto project = createDefaultProject();
        project->setName("castle");
        project->setFileLocation(location);
        document().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
        document().setLocaliseScript(true);
        const std::string script = generateAtmoScript();

        auto program = keepingProgram(directory_, 1700000000);
        EXPECT_EQ(project->state(), core::SceneDocument::STATE_UNSAVED);
        const std::string tag = fs::path(program->path()).stem().string();
        EXPECT_EQ(entries(), (std::vector<std::string>{tag + ".lock", tag + ".recovery"}));
        // The running program's work is its own.
        EXPECT_TRUE(leftWork().empty());
        program.reset();
        createDefaultProject();

        auto left = leftWork();
        ASSERT_EQ(left.size(), 1u);
        EXPECT_EQ(left[0].projectFile(), location);
        EXPECT_EQ(left[0].keptAt(), 1700000000);
        auto reopened = adopt(left[0].reopen(ids));
        EXPECT_EQ(reopened, currentDocument());
        EXPECT_EQ(reopened->name(), "castle");
        EXPECT_EQ(reopened->fileLocation(), location);
        EXPECT_EQ(reopened->state(), core::SceneDocument::STATE_UNSAVED);
        EXPECT_TRUE(reopened->localiseScript());
        EXPECT_EQ(generateAtmoScript(), script);

        left[0].forget();
        EXPECT_TRUE(entries().empty());
    }
}

TEST_F(RecoveryFileTest, TwoProgramsKeepTheirOwnWorkAndEachIsOfferedOnceItsProgramEnded)
{
    createDefaultProject()->setFileLocation("/home/builder/older.scw");
    auto older = keepingProgram(directory_, 1000);
    createDefaultProject()->setFileLocation("/home/builder/newer.scw");
    auto newer = keepingProgram(directory_, 2000);
    EXPECT_NE(older->path(), newer->path());
    EXPECT_TRUE(leftWork().empty());

    older.reset();
    {
        auto left = leftWork();
        ASSERT_EQ(left.size(), 1u);
        EXPECT_EQ(left[0].projectFile(), "/home/builder/older.scw");
        // Held, the work is offered to no other program.
        EXPECT_TRUE(leftWork().empty());
    }
    newer.reset();
    auto left = leftWork();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].projectFile(), "/home/builder/newer.scw");
    EXPECT_EQ(left[1].projectFile(), "/home/builder/older.scw");
}

TEST_F(RecoveryFileTest, UnreadableWorkIsReportedOnceAndSetAsideWithItsDate)
{
    const std::string header = R"({"format":"scenewright-recovery","version":1,"projectFile":null,"keptAt":5})";
    const struct {
        const char* what;
        std::string content;
        const char* error;
    } cases[] = {
        {"empty", "", "cut short"},
        {"cut short in the project", header + "\n{\n  \"format\": \"scenewright-pro", "line 3, column 29"},
        {"a project file", io::ProjectFileWriter::write("castle", false, {}), "not a Scenewright recovery file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = directory_ / "unsaved-0123456789abcdef.recovery";
        std::ofstream(file, std::ios::binary) << c.content;

        std::vector<io::RecoveryFolder::Unreadable> unreadable;
        EXPECT_TRUE(leftWork(&unreadable).empty());
        ASSERT_EQ(unreadable.size(), 1u);
        EXPECT_EQ(unreadable[0].path, file.string());
        EXPECT_NE(unreadable[0].error.find(c.error), std::string::npos) << unreadable[0].error;
        const fs::path setAside = unreadable[0].setAsidePath;
        EXPECT_EQ(setAside.parent_path(), directory_);
        EXPECT_TRUE(setAside.filename().string().starts_with("unsaved-0123456789abcdef.recovery.unreadable-20"))
            << setAside;
        EXPECT_EQ(fileContent(setAside), c.content);

        unreadable.clear();
        EXPECT_TRUE(leftWork(&unreadable).empty());
        EXPECT_TRUE(unreadable.empty());
        EXPECT_EQ(entries(), std::vector<std::string>{setAside.filename().string()});
        fs::remove(setAside);
    }
}

TEST_F(RecoveryFileTest, WorkThatEarlierVersionsKeptIsOfferedOnce)
{
    createDefaultProject();
    document().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    std::ofstream(directory_ / "recovered.scw", std::ios::binary)
        << io::ProjectFileWriter::write("default", false, document().objects());
    std::ofstream(directory_ / "recovered.location", std::ios::binary) << "/home/builder/castle.scw";
    const timeval written[2] = {{1500000000, 0}, {1500000000, 0}};
    ::utimes((directory_ / "recovered.scw").c_str(), written);
    createDefaultProject();

    auto left = leftWork();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].projectFile(), "/home/builder/castle.scw");
    EXPECT_EQ(left[0].keptAt(), 1500000000);
    // Named after the file it belongs to.
    EXPECT_EQ(adopt(left[0].reopen(ids))->name(), "castle");
    EXPECT_EQ(document().object(2)->getName(), "door");
    left[0].forget();
    EXPECT_TRUE(entries().empty());
    EXPECT_TRUE(leftWork().empty());
}

} // namespace
} // namespace scenewright::test
