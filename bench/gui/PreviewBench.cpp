#include "SceneBuilder.h"

#include "scenewright/app/MainWindow.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/gui/ScriptHighlighter.h"
#include "scenewright/gui/ScriptPanel.h"
#include "scenewright/gui/RecoveryKeeper.h"
#include "scenewright/gui/ScriptPreview.h"
#include "scenewright/gui/StandardDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

// What the live preview and the highlighter cost on a scene of 1,000 models
// (a script of about 3 MB): one regeneration after an edit, a key typed into
// an editor field while the preview is shown, a compressed script of 5 MB on
// one line, and the script view's generate and compress. Real widgets on
// Qt's offscreen platform.

namespace scenewright::bench {
namespace {

using app::MainWindow;
using core::action::ChatPrintMessageAction;

class NoDialogs : public gui::StandardDialogs {
public:
    QString chooseFile(QWidget*, const FileRequest&) override { return {}; }
    void showError(QWidget*, const QString&, const QString&) override {}
    bool ask(QWidget*, const QString&, const QString&) override { return false; }
    bool askReplace(QWidget*, const QString&, const QString&) override { return false; }
};

// The application, a main window showing the large scene with the preview
// on, and the chat action whose message the benchmarks edit.
struct Setting {
    Setting()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        application = std::make_unique<QApplication>(argc, argv);
        frame = std::make_unique<MainWindow>(dialogs, folder.filePath("recovery"), ids, choices);
        frame->resize(1000, 700);
        frame->showNewProject(buildScene(ids, 1000));
        frame->show();
        (void)QTest::qWaitForWindowExposed(frame.get());
        for (QAction* menu : frame->menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                if (item->text() == "Live Script Preview")
                    item->trigger();
        preview = frame->findChild<gui::ScriptPreview*>();
        message = std::static_pointer_cast<ChatPrintMessageAction>(frame->document()->object(2)->getAtmoAction(2));
    }

    int argc = 1;
    char name[20] = "scenewright_bench";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> application;
    core::IdCounter ids;
    app::ProgramChoices choices;
    QTemporaryDir folder;
    NoDialogs dialogs;
    std::unique_ptr<MainWindow> frame;
    gui::ScriptPreview* preview = nullptr;
    std::shared_ptr<ChatPrintMessageAction> message;
};

Setting& setting()
{
    static Setting shared;
    return shared;
}

void BM_PreviewRefreshAfterEdit(benchmark::State& state)
{
    Setting& s = setting();
    int edit = 0;
    for (auto _ : state) {
        s.frame->document()->setField(*s.message, "message", "Hello " + std::to_string(edit++));
        s.preview->refresh();
    }
}
BENCHMARK(BM_PreviewRefreshAfterEdit)->Unit(benchmark::kMillisecond);

// A key typed into the Object Properties name field while the preview is
// shown; each key also changes the scene, as a control that writes at once
// does, and the events that follow (the preview's timer among them) are
// handled, as they would be before the next key.
void BM_KeyInEditorFieldWithPreview(benchmark::State& state)
{
    Setting& s = setting();
    s.frame->showObject(s.frame->document()->object(2));
    s.frame->openObjectPropertiesDialog();
    QApplication::processEvents();
    QLineEdit* field = nullptr;
    for (QLineEdit* each : s.frame->findChildren<QLineEdit*>())
        if (each->isVisible())
            field = each;
    if (!field) {
        state.SkipWithError("no editor field");
        return;
    }
    for (auto _ : state) {
        QTest::keyClick(field, 'a');
        s.frame->document()->setField(*s.message, "message", field->text().toStdString());
        QApplication::processEvents();
    }
}
BENCHMARK(BM_KeyInEditorFieldWithPreview)->Unit(benchmark::kMillisecond)->Iterations(60);

// A compressed script of 5 MB on one line in a text area, with the
// highlighter attached (argument 1) and without (0). The script view shows
// such a line plain.
void BM_FiveMegabyteLine(benchmark::State& state)
{
    setting();
    const core::SceneDocument& document = *setting().frame->document();
    std::string line
        = core::script::ScriptFormatter::compress(core::script::ScriptGenerator::generate(document.objects(), {}));
    while (line.size() < 5'000'000)
        line += line;
    line.resize(5'000'000);
    const QString text = QString::fromStdString(line);
    QPlainTextEdit area;
    area.setLineWrapMode(QPlainTextEdit::NoWrap);
    if (state.range(0))
        new gui::ScriptHighlighter(area.document());
    for (auto _ : state) {
        area.setPlainText(text);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FiveMegabyteLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// The script view generating the large scene's script and compressing it.
void BM_ScriptViewGenerateAndCompress(benchmark::State& state)
{
    Setting& s = setting();
    QDialog dialog;
    auto* panel = new gui::ScriptPanel(&dialog, s.dialogs, s.frame->scriptSource());
    dialog.show();
    for (auto _ : state) {
        panel->generateScript();
        panel->compress();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScriptViewGenerateAndCompress)->Unit(benchmark::kMillisecond)->Iterations(3);

// A change of the large scene reaching the recovery file, with the preview
// off: how long the window's event loop stalls meanwhile (the snapshot is
// taken on it; the write happens on another thread) and how long the change
// takes to reach the disk.
void BM_RecoveryWriteAfterEdit(benchmark::State& state)
{
    Setting& s = setting();
    for (QAction* menu : s.frame->menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            if (item->text() == "Live Script Preview")
                item->setChecked(false);
    QApplication::processEvents();
    const QString file = s.frame->recoveryKeeper()->path();
    qint64 longestStall = 0;
    qint64 longestDelay = 0;
    int edit = 0;
    for (auto _ : state) {
        const QDateTime before = QFileInfo(file).lastModified();
        QElapsedTimer clock;
        clock.start();
        s.frame->document()->setField(*s.message, "message", "Kept " + std::to_string(edit++));
        qint64 lastTick = clock.elapsed();
        QTimer ticks;
        ticks.setTimerType(Qt::PreciseTimer);
        // The edit's own events are handled in the first moments; the
        // recovery starts a while later.
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            if (lastTick >= 1000)
                longestStall = std::max(longestStall, clock.elapsed() - lastTick);
            lastTick = clock.elapsed();
        });
        ticks.start(1);
        while (QFileInfo(file).lastModified() == before && clock.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        longestDelay = std::max(longestDelay, clock.elapsed());
    }
    state.counters["longestStallMs"] = static_cast<double>(longestStall);
    state.counters["longestDelayMs"] = static_cast<double>(longestDelay);
}
BENCHMARK(BM_RecoveryWriteAfterEdit)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace scenewright::bench
