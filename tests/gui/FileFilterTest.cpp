#include "scenewright/app/DisplayCheck.h"
#include "scenewright/app/ProgramOptions.h"
#include "scenewright/gui/SCWFileFilter.h"
#include "scenewright/gui/ScriptFileFilter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace scenewright::test {
namespace {

TEST(FileFilterTest, ChoosersListFoldersAndFilesWithTheExactSuffix)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"castle.scw", "castle.SCW", "castle.scw.bak", "world.js", "world.JS", "notes"})
        QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    QDir(folder.path()).mkdir("levels.js");

    const gui::SCWFileFilter projects;
    const gui::ScriptFileFilter scripts;
    QStringList projectFiles;
    QStringList scriptFiles;
    for (const QFileInfo& file : QDir(folder.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot,
                                                                   QDir::Name)) {
        if (projects.accept(file))
            projectFiles << file.fileName();
        if (scripts.accept(file))
            scriptFiles << file.fileName();
    }
    EXPECT_EQ(projectFiles, QStringList({"castle.scw", "levels.js"}));
    EXPECT_EQ(scriptFiles, QStringList({"levels.js", "world.js"}));
    EXPECT_EQ(projects.getDescription(), ".scw Scenewright Files");
    EXPECT_EQ(scripts.getDescription(), "Atmosphere .js files");
}

TEST(FileFilterTest, TheSuffixIsAddedOnlyWhenTheNameDoesNotEndWithIt)
{
    const gui::ScriptFileFilter scripts;
    EXPECT_EQ(scripts.withSuffix("/w/world"), "/w/world.js");
    EXPECT_EQ(scripts.withSuffix("/w/world.js"), "/w/world.js");
    EXPECT_EQ(scripts.withSuffix("/w/world.JS"), "/w/world.JS.js");
    EXPECT_EQ(gui::SCWFileFilter().withSuffix("/w/castle.SCW"), "/w/castle.SCW.scw");
}

TEST(DisplayCheckTest, AWindowNeedsADisplayOrAPlatformThatDrawsWithoutOne)
{
    EXPECT_FALSE(app::DisplayCheck::hasDisplay(nullptr, nullptr, nullptr));
    EXPECT_FALSE(app::DisplayCheck::hasDisplay("", "", ""));
    EXPECT_TRUE(app::DisplayCheck::hasDisplay(nullptr, nullptr, ":0"));
    EXPECT_TRUE(app::DisplayCheck::hasDisplay(nullptr, "wayland-0", nullptr));
    EXPECT_TRUE(app::DisplayCheck::hasDisplay("offscreen", nullptr, nullptr));
    EXPECT_TRUE(app::DisplayCheck::hasDisplay("minimal", nullptr, nullptr));
    EXPECT_TRUE(app::DisplayCheck::hasDisplay("vnc:size=800x600", nullptr, nullptr));
    EXPECT_FALSE(app::DisplayCheck::hasDisplay("xcb", "wayland-0", nullptr));
    EXPECT_TRUE(app::DisplayCheck::hasDisplay("xcb", nullptr, ":9"));
    EXPECT_FALSE(app::DisplayCheck::hasDisplay("wayland", nullptr, ":0"));
    EXPECT_TRUE(app::DisplayCheck::hasDisplay("wayland-egl", "wayland-1", nullptr));
    EXPECT_TRUE(app::DisplayCheck::hasDisplay("wayland;xcb", nullptr, ":0"));
    EXPECT_FALSE(app::DisplayCheck::hasDisplay("wayland;xcb", nullptr, nullptr));
}

TEST(ProgramOptionsTest, TheCommandLineNamesAProjectOrAsksForHelpOrTheVersion)
{
    using Request = app::ProgramOptions::Request;
    const struct {
        std::vector<std::string> arguments;
        Request request;
        std::optional<std::string> project;
    } cases[] = {
        {{}, Request::Run, std::nullopt},
        {{"castle.scw"}, Request::Run, "castle.scw"},
        {{"--", "-castle.scw"}, Request::Run, "-castle.scw"},
        {{"--", "--help"}, Request::Run, "--help"},
        {{"--help"}, Request::Help, std::nullopt},
        {{"castle.scw", "--version"}, Request::Version, std::nullopt},
        // The help is given whatever else is wrong with the line.
        {{"--bogus", "--help"}, Request::Help, std::nullopt},
        {{"--bogus"}, Request::UsageError, std::nullopt},
        {{"-x", "castle.scw"}, Request::UsageError, std::nullopt},
        {{"castle.scw", "tower.scw"}, Request::UsageError, "castle.scw"},
    };
    for (const auto& [arguments, request, project] : cases) {
        const app::ProgramOptions options = app::ProgramOptions::parse(arguments);
        EXPECT_EQ(options.request, request) << ::testing::PrintToString(arguments);
        EXPECT_EQ(options.project, project) << ::testing::PrintToString(arguments);
        EXPECT_EQ(options.error.empty(), request != Request::UsageError) << ::testing::PrintToString(arguments);
    }
}

} // namespace
} // namespace scenewright::test
