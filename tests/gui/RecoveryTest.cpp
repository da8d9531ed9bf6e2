#include "GuiTest.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/FileOperations.h"
#include "scenewright/core/io/RecoveryFile.h"
#include "scenewright/core/io/RecoveryWriter.h"
#include "scenewright/gui/RecoveryKeeper.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <mutex>
#include <vector>

namespace scenewright::test {
namespace {

using core::IAtmoObject;

// Set for a run of the tests as a program that the crash test kills: the
// folder in which that program keeps its work.
constexpr const char* kKilledProgramFolder = "SCENEWRIGHT_TEST_KILLED_PROGRAM_FOLDER";

class RecoveryTest : public GuiTest {
protected:
    // The window goes, and with it the writing, before the file operations
    // a test handed its keeper do.
    void closeWindow() { frame_.reset(); }

    gui::RecoveryKeeper* keeper() const { return frame_->recoveryKeeper(); }
    // Whether this window's work is in its recovery file, once the writes
    // asked for are done.
    bool kept() const
    {
        keeper()->waitUntilDone();
        return QFileInfo::exists(keeper()->path());
    }
    QStringList listed() const
    {
        QStringList texts;
        auto* list = frame_->findChild<QListWidget*>("objectList");
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    // The window goes as a program does that ends without exiting: what
    // its recovery file holds stays behind; a new window starts.
    void restart()
    {
        frame_.reset();
        frame_ = makeFrame();
    }
    // Work that another program kept, kept at the time, for a project file
    // or none; that program has ended.
    void leaveWork(const std::optional<std::string>& projectFile, const QDateTime& keptAt, const QString& object)
    {
        // That program had a counter of its own.
        core::IdCounter otherIds;
        const auto document = core::SceneDocument::createDefault(otherIds);
        document->setFileLocation(projectFile);
        document->addObject(object.toStdString(), IAtmoObject::TYPE_PRIMITIVE);
        core::io::RecoverySnapshot snapshot = core::io::RecoveryFile::snapshot(*document);
        snapshot.keptAt = keptAt.toSecsSinceEpoch();
        core::io::RecoveryWriter other(path("recovery").toStdString(), nullptr);
        other.keep(std::move(snapshot));
        other.waitUntilDone();
    }
};

TEST_F(RecoveryTest, ExitKeepsUnsavedWorkThatTheNextStartReopensAttachedToItsFile)
{
    frame_->newProject();
    dialogs_.paths << path("castle");
    frame_->saveProjectAs();
    frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    const std::string script = generatedScript();
    frame_->exitProgram();
    restart();

    frame_->offerRecovery();
    ASSERT_EQ(dialogs_.questionTexts.size(), 1);
    EXPECT_TRUE(QRegularExpression("^Scenewright ended with unsaved changes to castle\\.scw, last kept at "
                                   "\\d\\d:\\d\\d\\. Reopen them\\?$")
                    .match(dialogs_.questionTexts[0])
                    .hasMatch())
        << dialogs_.questionTexts[0].toStdString();
    ASSERT_NE(frame_->document(), nullptr);
    EXPECT_EQ(frame_->findChild<QLabel*>("projectnamelbl")->text(), "castle.scw");
    EXPECT_EQ(frame_->document()->state(), core::SceneDocument::STATE_UNSAVED);
    EXPECT_EQ(listed().back(), "door <primitive>");
    EXPECT_EQ(generatedScript(), script);
    // Reopened work stays kept, now by this program.
    EXPECT_TRUE(kept());

    frame_->saveProject();
    EXPECT_TRUE(contentOf(path("castle.scw")).contains("\"door\""));
    EXPECT_FALSE(kept());
}

TEST_F(RecoveryTest, OnlyUnsavedWorkIsKept)
{
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"Save", [&] { frame_->saveProject(); }},
        {"Close", [&] { frame_->closeProject(); }},
        {"New", [&] { frame_->newProject(); }},
        {"Open", [&] {
             dialogs_.paths << path("castle.scw");
             frame_->openProject();
         }},
        {"Undo to the saved scene", [&] { frame_->undo(); }},
    };
    for (const auto& [command, run] : commands) {
        SCOPED_TRACE(command);
        frame_->newProject();
        EXPECT_FALSE(kept());
        dialogs_.paths << path("castle");
        frame_->saveProjectAs();
        frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
        keeper()->keepNow();
        EXPECT_TRUE(kept());
        run();
        EXPECT_FALSE(kept());
        frame_->exitProgram();
        EXPECT_FALSE(kept());
    }
    // Cancelling the chooser keeps the project, and its work.
    frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    frame_->openProject();
    frame_->exitProgram();
    EXPECT_TRUE(kept());
}

TEST_F(RecoveryTest, LeftWorkIsOfferedNewestFirstUntilOneIsReopenedAndEachAnswerForgetsIt)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime earlier = now.addDays(-2);
    leaveWork(path("castle.scw").toStdString(), earlier, "gate");
    leaveWork(std::nullopt, now, "door");
    QFile damaged(path("recovery/unsaved-0123456789abcdef.recovery"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("cut");
    damaged.close();
    restart();

    frame_->offerRecovery();
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_TRUE(dialogs_.errors[0].contains("It has been set aside as")) << dialogs_.errors[0].toStdString();
    ASSERT_EQ(dialogs_.questionTexts.size(), 1);
    EXPECT_EQ(dialogs_.questionTexts[0],
              "Scenewright ended with unsaved changes to a new project, last kept at " + now.toString("HH:mm")
                  + ". Reopen them?");
    EXPECT_EQ(listed().back(), "door <primitive>");
    EXPECT_EQ(frame_->document()->fileLocation(), std::nullopt);

    // The work not yet offered waits for the next start.
    frame_->closeProject();
    restart();
    dialogs_.answerYes = false;
    frame_->offerRecovery();
    ASSERT_EQ(dialogs_.questionTexts.size(), 2);
    EXPECT_EQ(dialogs_.questionTexts[1],
              "Scenewright ended with unsaved changes to castle.scw, last kept at "
                  + QLocale().toString(earlier.date(), QLocale::ShortFormat) + " " + earlier.toString("HH:mm")
                  + ". Reopen them?");
    EXPECT_EQ(frame_->document(), nullptr);
    // Only the unreadable file is left, set aside.
    EXPECT_EQ(QDir(path("recovery")).entryList(QDir::Files).size(), 1);
}

// A disk that is full.
class FullDisk : public core::io::FileOperations {
public:
    ssize_t write(int, const void*, std::size_t) override
    {
        errno = ENOSPC;
        return -1;
    }
};

TEST_F(RecoveryTest, AFailedWriteIsReportedOnceInTheStatusBarUntilOneSucceeds)
{
    FullDisk full;
    keeper()->setFileOperations(full);
    const auto stopWriting = qScopeGuard([&] { closeWindow(); });
    QSignalSpy failures(keeper(), &gui::RecoveryKeeper::keepingFailed);
    frame_->newProject();
    for (const char* name : {"door", "gate", "fan"}) {
        frame_->addObject(name, IAtmoObject::TYPE_PRIMITIVE);
        keeper()->keepNow();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(failures.size(), 1);
    EXPECT_EQ(frame_->statusBar()->currentMessage(),
              "Unsaved changes are not kept for recovery: " + QString(std::strerror(ENOSPC)));
    EXPECT_FALSE(kept());

    keeper()->setFileOperations(core::io::FileOperations::system());
    frame_->addObject("wall", IAtmoObject::TYPE_PRIMITIVE);
    keeper()->keepNow();
    QCoreApplication::processEvents();
    EXPECT_TRUE(kept());
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "");
}

// The times, on a clock of the test's, at which saves put a file in place.
class WriteClock : public core::io::FileOperations {
public:
    explicit WriteClock(const QElapsedTimer& clock) : clock_(clock) {}
    int rename(const char* from, const char* to) override
    {
        const int result = FileOperations::rename(from, to);
        std::lock_guard guard(mutex_);
        times_.push_back(clock_.elapsed());
        return result;
    }
    std::vector<qint64> times() const
    {
        std::lock_guard guard(mutex_);
        return times_;
    }

private:
    const QElapsedTimer& clock_;
    mutable std::mutex mutex_;
    std::vector<qint64> times_;
};

// Run by the crash test below as the program it kills: that program stops
// once its first change is on disk, and waits to be killed.
TEST_F(RecoveryTest, ChangesAreOnDiskWithinThreeSecondsAndABurstIsWrittenOnce)
{
    const QString killedProgramFolder = qEnvironmentVariable(kKilledProgramFolder);
    if (!killedProgramFolder.isEmpty())
        frame_ = makeFrame(killedProgramFolder);
    QElapsedTimer clock;
    clock.start();
    WriteClock writes(clock);
    keeper()->setFileOperations(writes);
    const auto stopWriting = qScopeGuard([&] { closeWindow(); });
    frame_->newProject();

    std::vector<qint64> changes = {clock.elapsed()};
    frame_->addObject("crashdoor", IAtmoObject::TYPE_PRIMITIVE);
    if (!killedProgramFolder.isEmpty()) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !writes.times().empty(); }, 5000));
        QTest::qWait(60000);
        return;
    }
    // A change every 400 ms for five seconds.
    for (int change = 1; change <= 12; ++change) {
        QTest::qWait(400);
        changes.push_back(clock.elapsed());
        frame_->addObject(QString("door%1").arg(change), IAtmoObject::TYPE_PRIMITIVE);
    }
    // The write is counted once its rename has returned, which may be a
    // moment after the file shows the last change.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const std::vector<qint64> times = writes.times();
            return !times.empty() && times.back() > changes.back() &&
                   contentOf(keeper()->path()).contains("\"door12\"");
        },
        5000));

    const std::vector<qint64> written = writes.times();
    qint64 longestDelay = 0;
    for (qint64 change : changes) {
        const auto next = std::upper_bound(written.begin(), written.end(), change);
        ASSERT_NE(next, written.end());
        longestDelay = std::max(longestDelay, *next - change);
    }
    RecordProperty("longestDelayMs", static_cast<int>(longestDelay));
    EXPECT_LE(longestDelay, 3000);
    EXPECT_LE(written.size(), 3u);
}

TEST_F(RecoveryTest, AProgramKilledAfterAChangeOffersItAtTheNextStart)
{
    const QString folder = path("recovery");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kKilledProgramFolder, folder);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    // Its temporary files stay in this test's folder.
    ASSERT_TRUE(QDir().mkpath(path("killed")));
    environment.insert("TMPDIR", path("killed"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationFilePath(),
                  {"--gtest_filter=RecoveryTest.ChangesAreOnDiskWithinThreeSecondsAndABurstIsWrittenOnce"});
    ASSERT_TRUE(program.waitForStarted());
    const bool kept = QTest::qWaitFor(
        [&] { return !QDir(folder).entryList({"*.recovery"}, QDir::Files).isEmpty(); }, 30000);
    program.kill();
    program.waitForFinished();
    ASSERT_TRUE(kept) << program.readAll().toStdString();
    EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);

    frame_->offerRecovery();
    ASSERT_EQ(dialogs_.questionTexts.size(), 1);
    EXPECT_TRUE(dialogs_.questionTexts[0].contains("unsaved changes to a new project"));
    EXPECT_EQ(listed().back(), "crashdoor <primitive>");
    EXPECT_EQ(frame_->document()->state(), core::SceneDocument::STATE_UNSAVED);
}

} // namespace
} // namespace scenewright::test
