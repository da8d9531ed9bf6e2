#include "GuiTest.h"

#include "scenewright/gui/ProgramSettings.h"
#include "scenewright/gui/RecentProjects.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>

namespace scenewright::test {
namespace {

using gui::RecentProjects;

class RecentProjectsTest : public GuiTest {
protected:
    // A new project saved through the window under the name; its canonical path.
    QString savedProject(const QString& name)
    {
        frame_->newProject();
        dialogs_.paths << path(name);
        frame_->saveProjectAs();
        return QFileInfo(path(name)).canonicalFilePath();
    }

    QMenu* recentMenu() const { return frame_->findChild<QMenu*>("recentProjectsMenu"); }

    // The entries of the menu as the user opens it.
    QStringList menuEntries() const
    {
        emit recentMenu()->aboutToShow();
        QStringList texts;
        for (QAction* item : recentMenu()->actions())
            texts << (item->isSeparator() ? "-" : item->text() + (item->isEnabled() ? "" : " (disabled)"));
        return texts;
    }

    QAction* menuEntryFor(const QString& file) const
    {
        emit recentMenu()->aboutToShow();
        for (QAction* item : recentMenu()->actions())
            if (item->data().toString() == file)
                return item;
        ADD_FAILURE() << "no recent entry for " << file.toStdString();
        return nullptr;
    }
};

TEST_F(RecentProjectsTest, KeepsTheLastEightOpenedOrSavedNewestFirstOnceEach)
{
    // The tests' settings stay out of the user's own.
    EXPECT_TRUE(gui::ProgramSettings::open()->fileName().startsWith(folder_.path()));

    QStringList saved;
    for (int index = 0; index < 9; ++index)
        saved << savedProject(QString("castle%1.scw").arg(index));
    QStringList newestFirst(saved.rbegin(), saved.rend());
    EXPECT_EQ(RecentProjects().paths(), newestFirst.mid(0, 8));

    // Opening an older one by another spelling of its path moves it first.
    dialogs_.paths << folder_.path() + "/sub/../castle3.scw";
    QDir(folder_.path()).mkdir("sub");
    frame_->openProject();
    ASSERT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join("\n").toStdString();
    const QStringList paths = RecentProjects().paths();
    EXPECT_EQ(paths.size(), 8);
    EXPECT_EQ(paths.value(0), saved[3]);
    EXPECT_EQ(paths.count(saved[3]), 1);

    // Save writes back to the open project's file: it comes first again.
    savedProject("tower.scw");
    frame_->openRecentProject(saved[3]);
    frame_->saveProject();
    EXPECT_EQ(RecentProjects().paths().value(0), saved[3]);
}

TEST_F(RecentProjectsTest, FailedOpensAndSavesAreNotRemembered)
{
    QFile broken(path("broken.scw"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{ not a project");
    broken.close();
    dialogs_.paths << path("broken.scw");
    frame_->openProject();
    EXPECT_EQ(dialogs_.errors.size(), 1);

    frame_->newProject();
    dialogs_.paths << path("missing-folder/castle.scw");
    frame_->saveProjectAs();
    EXPECT_EQ(dialogs_.errors.size(), 2);
    EXPECT_TRUE(RecentProjects().paths().isEmpty());
}

TEST_F(RecentProjectsTest, TheFileMenuListsThemAndOpensTheOneChosen)
{
    EXPECT_EQ(menuEntries(), QStringList({"No recent projects (disabled)", "-", "Clear List (disabled)"}));

    const QString castle = savedProject("castle.scw");
    const QString tower = savedProject("tower.scw");
    EXPECT_EQ(menuEntries(), QStringList({"&1 " + QDir::toNativeSeparators(tower),
                                          "&2 " + QDir::toNativeSeparators(castle), "-", "Clear List"}));

    const QString rock = savedProject("rock&roll.scw");
    EXPECT_EQ(menuEntries().value(0), "&1 " + QDir::toNativeSeparators(rock).replace("&", "&&"));
    RecentProjects().remove(rock);

    menuEntryFor(castle)->trigger();
    EXPECT_TRUE(dialogs_.errors.isEmpty());
    EXPECT_EQ(frame_->document()->name(), "castle");
    EXPECT_EQ(frame_->document()->fileLocation(), castle.toStdString());
    EXPECT_EQ(RecentProjects().paths(), QStringList({castle, tower}));

    menuEntries();
    recentMenu()->actions().last()->trigger();
    EXPECT_TRUE(RecentProjects().paths().isEmpty());
}

TEST_F(RecentProjectsTest, AProjectThatIsGoneIsDroppedAndTheUserTold)
{
    const QString castle = savedProject("castle.scw");
    const QString tower = savedProject("tower.scw");
    const auto open = frame_->document();
    ASSERT_TRUE(QFile::remove(castle));

    menuEntryFor(castle)->trigger();
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_TRUE(dialogs_.errors[0].contains(QDir::toNativeSeparators(castle)));
    EXPECT_TRUE(dialogs_.errors[0].contains("no longer exists"));
    EXPECT_EQ(RecentProjects().paths(), QStringList({tower}));
    // The open project stays open.
    EXPECT_EQ(frame_->document(), open);
}

using ProgramSettingsTest = GuiTest;

TEST_F(ProgramSettingsTest, TheWindowReopensAsLargeAsItWasLeft)
{
    MainWindow next(dialogs_, path("recovery"), ids, choices);
    EXPECT_FALSE(gui::ProgramSettings::restoreWindow(next));

    frame_->resize(700, 520);
    frame_->exitProgram();
    EXPECT_TRUE(gui::ProgramSettings::restoreWindow(next));
    EXPECT_EQ(next.size(), QSize(700, 520));
}

} // namespace
} // namespace scenewright::test
