#include "GuiTest.h"

#include "scenewright/app/AboutDialog.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/Version.h"
#include "scenewright/gui/HostPanel.h"
#include "scenewright/gui/ProgramSettings.h"
#include "scenewright/gui/SaveStateLabel.h"
#include "scenewright/gui/ScriptPanel.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTest>

namespace scenewright::test {
namespace {

using core::IAtmoObject;

class MainWindowTest : public GuiTest {
protected:
    QListWidget* list() const { return frame_->findChild<QListWidget*>("objectList"); }
    QLabel* projectLabel() const { return frame_->findChild<QLabel*>("projectnamelbl"); }
    QLabel* selectedName() const { return frame_->findChild<QLabel*>("selectedname"); }
    QPlainTextEdit* statusText() const { return frame_->findChild<QPlainTextEdit*>("statusText"); }
    QColor labelColour() const { return projectLabel()->palette().color(QPalette::WindowText); }

    QStringList listed() const
    {
        QStringList texts;
        for (int row = 0; row < list()->count(); ++row)
            texts << list()->item(row)->text();
        return texts;
    }

    // Which of the menu items and buttons that change are enabled, in the
    // order: Generate Scipt, Save, Save As.., Close, Add Object, Remove
    // Object, Physical Properties, Object Properties.
    std::vector<bool> enabledStates() const
    {
        return {menuItem("Generate Scipt")->isEnabled(),
                menuItem("Save")->isEnabled(),
                menuItem("Save As..")->isEnabled(),
                menuItem("Close")->isEnabled(),
                button(frame_.get(), "Add Object")->isEnabled(),
                button(frame_.get(), "Remove Object")->isEnabled(),
                menuItem("Physical Properties")->isEnabled(),
                menuItem("Object Properties")->isEnabled()};
    }

    // A new project holding a model, a primitive and a solid object.
    void newProjectWithObjects()
    {
        frame_->newProject();
        frame_->addObject("fan", IAtmoObject::TYPE_MODEL);
        frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
        frame_->addObject("wall", IAtmoObject::TYPE_SOLIDOBJECT);
    }
};

TEST_F(MainWindowTest, StartsWithNoProjectAndOnlyTheAlwaysUsableCommandsEnabled)
{
    EXPECT_EQ(frame_->windowTitle(), "Scenewright");
    EXPECT_EQ(frame_->size(), QSize(611, 432));
    EXPECT_EQ(projectLabel()->text(), "none");
    EXPECT_EQ(projectLabel()->font().pointSize(), 13);
    EXPECT_TRUE(projectLabel()->font().bold());
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(selectedName()->text(), " ");

    QStringList menus;
    QStringList usable;
    QStringList items;
    for (QAction* menu : frame_->menuBar()->actions()) {
        menus << menu->text();
        for (QAction* item : menu->menu()->actions()) {
            items << (item->isSeparator() ? "-" : item->text());
            if (!item->isSeparator() && item->isEnabled())
                usable << item->text();
        }
    }
    EXPECT_EQ(menus, QStringList({"File", "Edit", "Javascript", "Objects", "Wizards", "Help"}));
    EXPECT_EQ(items, QStringList({"New Project", "Open Project", "Open Example", "Import Script...", "Close", "-", "Save", "Save As..", "-", "Exit", "-",
                                  "Recent Projects", "Undo", "Redo", "Generate Scipt", "Enable Script Status Bar", "-",
                                  "Test Run...", "Live Script Preview", "Check Scene", "Copy object triggers to..", "-",
                                  "Enable Synchronisation", "-", "Physical Properties", "Object Properties",
                                  "Create Chat-bot", "About"}));
    EXPECT_EQ(usable, QStringList({"New Project", "Open Project", "Open Example", "Import Script...", "Exit", "Recent Projects", "Enable Script Status Bar",
                                   "Live Script Preview", "Copy object triggers to..", "Enable Synchronisation",
                                   "About"}));
    EXPECT_EQ(enabledStates(), std::vector<bool>(8, false));
    EXPECT_TRUE(menuItem("Enable Script Status Bar")->isChecked());
    EXPECT_FALSE(menuItem("Enable Synchronisation")->isChecked());

    const std::vector<std::tuple<QString, QKeySequence::StandardKey, QString>> keys = {
        {"New Project", QKeySequence::New, "Ctrl+N"}, {"Open Project", QKeySequence::Open, "Ctrl+O"},
        {"Save", QKeySequence::Save, "Ctrl+S"},       {"Save As..", QKeySequence::SaveAs, "Ctrl+Shift+S"},
        {"Exit", QKeySequence::Quit, "Ctrl+Q"}};
    for (const auto& [item, key, common] : keys) {
        QList<QKeySequence> expected = QKeySequence::keyBindings(key);
        if (expected.isEmpty())
            expected << QKeySequence(common);
        EXPECT_EQ(menuItem(item)->shortcuts(), expected) << item.toStdString();
    }
}

TEST_F(MainWindowTest, DividersStartWhereTheColumnsShowWholeAndComeBackWhereTheyWereLeft)
{
    frame_->resize(800, 600);
    frame_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    auto* outer = frame_->findChild<QSplitter*>("outerSplit");
    auto* inner = frame_->findChild<QSplitter*>("innerSplit");
    ASSERT_TRUE(outer && inner);
    EXPECT_EQ(outer->handleWidth(), 8);
    EXPECT_EQ(inner->handleWidth(), 7);
    EXPECT_EQ(statusText()->height(), 84);
    // The host panels' rows fit on one line, a model's entry in the list
    // fits, and the editors keep at least three eighths of the width.
    for (const gui::HostPanel* panel : frame_->findChildren<gui::HostPanel*>())
        EXPECT_GE(inner->sizes().value(1), panel->oneLineWidth());
    EXPECT_GE(list()->viewport()->width(), list()->fontMetrics().horizontalAdvance("lift.aer <model.aer/.atmo>"));
    EXPECT_GE(outer->sizes().value(1), 800 * 3 / 8);
    const auto captions = frame_->findChildren<QLabel*>();
    const auto caption = std::find_if(captions.begin(), captions.end(),
                                      [](QLabel* label) { return label->text().startsWith("Scenewright Status."); });
    ASSERT_NE(caption, captions.end());
    EXPECT_EQ((*caption)->height(), (*caption)->fontMetrics().height());

    // Where the user leaves them, they are when the program starts again.
    outer->setSizes({420, 372});
    inner->setSizes({150, 263});
    const QList<int> outerSizes = outer->sizes();
    const QList<int> innerSizes = inner->sizes();
    frame_->exitProgram();
    MainWindow next(dialogs_, path("recovery"), ids, choices);
    ASSERT_TRUE(gui::ProgramSettings::restoreWindow(next));
    next.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&next));
    EXPECT_EQ(next.findChild<QSplitter*>("outerSplit")->sizes(), outerSizes);
    EXPECT_EQ(next.findChild<QSplitter*>("innerSplit")->sizes(), innerSizes);
}

TEST_F(MainWindowTest, EnabledStatesFollowNewSelectionAndClose)
{
    newProjectWithObjects();
    EXPECT_EQ(projectLabel()->text(), "default.scw");
    EXPECT_EQ(listed(), QStringList({"world <world>", "actor <actor>", "fan <model.aer/.atmo>",
                                     "door <primitive>", "wall <solid-object>"}));
    EXPECT_EQ(enabledStates(), std::vector<bool>({true, true, true, true, true, true, false, false}));

    const std::vector<std::pair<int, std::pair<bool, bool>>> properties = {
        {2, {true, true}}, {3, {false, true}}, {4, {false, true}}, {1, {false, false}}, {0, {false, false}}};
    for (const auto& [row, enabled] : properties) {
        list()->setCurrentRow(row);
        EXPECT_EQ(menuItem("Physical Properties")->isEnabled(), enabled.first) << row;
        EXPECT_EQ(menuItem("Object Properties")->isEnabled(), enabled.second) << row;
        EXPECT_EQ(selectedName()->text(), listed()[row]);
        EXPECT_EQ(frame_->selectedObject(), document().object(row));
    }

    list()->setCurrentRow(2);
    frame_->closeProject();
    EXPECT_EQ(enabledStates(), std::vector<bool>(8, false));
    EXPECT_EQ(projectLabel()->text(), "");
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(frame_->document(), nullptr);
    EXPECT_EQ(selectedName()->text(), "fan <model.aer/.atmo>");
}

TEST_F(MainWindowTest, TheKeyboardSelectsObjectsAsThePointerDoes)
{
    frame_->newProject();
    frame_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    list()->setFocus();
    EXPECT_EQ(frame_->selectedObject(), nullptr);
    QTest::keyClick(list(), Qt::Key_Down);
    QTest::keyClick(list(), Qt::Key_Down);
    ASSERT_NE(frame_->selectedObject(), nullptr);
    EXPECT_EQ(frame_->selectedObject(), document().object(1));
    EXPECT_EQ(selectedName()->text(), "actor <actor>");

    const QRect worldRow = list()->visualItemRect(list()->item(0));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, worldRow.center());
    EXPECT_EQ(selectedName()->text(), "world <world>");
}

TEST_F(MainWindowTest, AddingKeepsTheSelectionAndMarksTheProjectUnsaved)
{
    frame_->newProject();
    list()->setCurrentRow(1);
    auto actor = frame_->selectedObject();
    statusText()->setPlainText("kept");

    auto door = frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);

    EXPECT_EQ(list()->selectedItems(), QList<QListWidgetItem*>{list()->item(1)});
    EXPECT_EQ(frame_->selectedObject(), actor);
    EXPECT_EQ(statusText()->toPlainText(), "kept");
    EXPECT_EQ(listed().back(), "door <primitive>");
    EXPECT_EQ(frame_->document()->state(), core::SceneDocument::STATE_UNSAVED);
    EXPECT_EQ(labelColour(), QColor(Qt::red));
}

TEST_F(MainWindowTest, RemoveLeavesTheWorldAndTheActorAndClearsWhatShowedTheRemovedObject)
{
    newProjectWithObjects();
    frame_->document()->setState(core::SceneDocument::STATE_SAVED);
    for (int row : {0, 1}) {
        list()->setCurrentRow(row);
        frame_->removeObject();
        EXPECT_EQ(list()->count(), 5) << row;
    }
    EXPECT_TRUE(frame_->document()->isSaved());

    list()->setCurrentRow(2);
    auto panel = new QWidget;
    frame_->addMiddleAreaRow(panel);
    frame_->setFarPanel(new QWidget, true);
    frame_->removeObject();

    EXPECT_EQ(listed(), QStringList({"world <world>", "actor <actor>", "door <primitive>", "wall <solid-object>"}));
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_EQ(selectedName()->text(), " ");
    EXPECT_EQ(statusText()->toPlainText(), "");
    EXPECT_EQ(frame_->middleAreaRowCount(), 1);
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
    EXPECT_FALSE(menuItem("Physical Properties")->isEnabled());
    EXPECT_FALSE(menuItem("Object Properties")->isEnabled());
    EXPECT_EQ(frame_->document()->state(), core::SceneDocument::STATE_UNSAVED);

    frame_->removeObject();
    EXPECT_EQ(list()->count(), 4);
}

TEST_F(MainWindowTest, TheStatusBarTickStopsAndResumesStatusUpdates)
{
    newProjectWithObjects();
    const auto statusOf
        = [this](int row) { return "  " + QString::fromStdString(document().object(row)->updateStatus()); };
    list()->setCurrentRow(3);
    const QString doorStatus = statusText()->toPlainText();
    EXPECT_EQ(doorStatus, statusOf(3));

    menuItem("Enable Script Status Bar")->setChecked(false);
    EXPECT_TRUE(frame_->findChild<QWidget*>("statusBar")->isHidden());
    list()->setCurrentRow(1);
    EXPECT_EQ(statusText()->toPlainText(), doorStatus);

    menuItem("Enable Script Status Bar")->setChecked(true);
    EXPECT_EQ(statusText()->toPlainText(), doorStatus);
    list()->setCurrentRow(1);
    list()->setCurrentRow(2);
    EXPECT_EQ(statusText()->toPlainText(), statusOf(2));
}

TEST_F(MainWindowTest, SynchronisationFollowsItsTick)
{
    menuItem("Enable Synchronisation")->setChecked(true);
    EXPECT_TRUE(frame_->synchronise());
    EXPECT_TRUE(choices.synchronise()) << "the choice is the program's";
    frame_->newProject();
    EXPECT_TRUE(frame_->synchronise()) << "a new project keeps it";
    menuItem("Enable Synchronisation")->setChecked(false);
    EXPECT_FALSE(frame_->synchronise());
    EXPECT_FALSE(choices.synchronise());
}

TEST_F(MainWindowTest, SaveAsAddsTheSuffixOnlyWhenMissingAndNamesTheProject)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {"castle", "castle.scw"}, {"castle.scw", "castle.scw"}, {"castle.SCW", "castle.SCW.scw"}};
    for (const auto& [chosen, written] : cases) {
        frame_->newProject();
        dialogs_.paths << path(chosen);
        frame_->saveProjectAs();

        EXPECT_TRUE(QFile::exists(path(written))) << written.toStdString();
        EXPECT_EQ(frame_->document()->fileLocation(), path(written).toStdString());
        EXPECT_EQ(projectLabel()->text(), QFileInfo(written).completeBaseName() + ".scw");
        EXPECT_TRUE(frame_->document()->isSaved());
        EXPECT_EQ(labelColour(), QColor(Qt::black));
    }
    EXPECT_FALSE(QFile::exists(path("castle.scw.scw")));
    ASSERT_FALSE(dialogs_.fileRequests.empty());
    const auto& request = dialogs_.fileRequests.back();
    EXPECT_TRUE(request.forSaving);
    EXPECT_EQ(dialogs_.filterDescriptions.back(), ".scw Scenewright Files");
    EXPECT_EQ(request.directory, folder_.path());
    EXPECT_EQ(frame_->lastProjectDirectory(), folder_.path().toStdString());
}

TEST_F(MainWindowTest, SaveWritesAtOnceOnceTheProjectHasAFile)
{
    frame_->newProject();
    frame_->saveProject();
    EXPECT_EQ(dialogs_.fileRequests.size(), 1u);
    EXPECT_FALSE(frame_->document()->isSaved());

    dialogs_.paths << path("castle");
    frame_->saveProject();
    ASSERT_EQ(dialogs_.fileRequests.size(), 2u);
    const QByteArray first = contentOf(path("castle.scw"));

    frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    EXPECT_EQ(labelColour(), QColor(Qt::red));
    frame_->saveProject();

    EXPECT_EQ(dialogs_.fileRequests.size(), 2u);
    EXPECT_NE(contentOf(path("castle.scw")), first);
    EXPECT_TRUE(contentOf(path("castle.scw")).contains("door"));
    EXPECT_EQ(labelColour(), QColor(Qt::black));
}

TEST_F(MainWindowTest, AFailedSaveIsShownAndLeavesTheProjectAsItWas)
{
    frame_->newProject();
    frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    const QString unreachable = path("missing/castle");
    dialogs_.paths << unreachable;
    frame_->saveProjectAs();

    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_TRUE(dialogs_.errors[0].contains(unreachable + ".scw")) << dialogs_.errors[0].toStdString();
    EXPECT_TRUE(dialogs_.errors[0].contains("No such file or directory")) << dialogs_.errors[0].toStdString();
    EXPECT_EQ(frame_->document()->fileLocation(), std::nullopt);
    EXPECT_EQ(frame_->document()->name(), "default");
    EXPECT_EQ(frame_->document()->state(), core::SceneDocument::STATE_UNSAVED);
    EXPECT_EQ(projectLabel()->text(), "default.scw");
    EXPECT_EQ(labelColour(), QColor(Qt::red));

    dialogs_.paths << path("castle");
    frame_->saveProjectAs();
    QFile::remove(path("castle.scw"));
    QDir(folder_.path()).mkdir("castle.scw");
    frame_->addObject("lamp", IAtmoObject::TYPE_PRIMITIVE);
    frame_->saveProject();
    ASSERT_EQ(dialogs_.errors.size(), 2);
    EXPECT_TRUE(dialogs_.errors[1].contains(path("castle.scw"))) << dialogs_.errors[1].toStdString();
    EXPECT_EQ(frame_->document()->state(), core::SceneDocument::STATE_UNSAVED);
    EXPECT_EQ(labelColour(), QColor(Qt::red));
}

TEST_F(MainWindowTest, OpenShowsTheFileAsTheProjectAndARefusedOneChangesNothing)
{
    frame_->newProject();
    frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    dialogs_.paths << path("castle.scw");
    frame_->saveProjectAs();

    frame_->newProject();
    list()->setCurrentRow(0);
    frame_->addMiddleAreaRow(new QWidget);
    frame_->setFarPanel(new QWidget, true);
    dialogs_.paths << path("castle.scw");
    frame_->openProject();

    EXPECT_EQ(projectLabel()->text(), "castle.scw");
    EXPECT_EQ(labelColour(), QColor(Qt::black));
    EXPECT_EQ(listed().back(), "door <primitive>");
    EXPECT_EQ(frame_->document()->fileLocation(), path("castle.scw").toStdString());
    EXPECT_EQ(frame_->middleAreaRowCount(), 1);
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
    EXPECT_FALSE(menuItem("Physical Properties")->isEnabled());
    EXPECT_FALSE(menuItem("Object Properties")->isEnabled());
    EXPECT_EQ(dialogs_.filterDescriptions.back(), ".scw Scenewright Files");
    EXPECT_FALSE(dialogs_.fileRequests.back().forSaving);

    QFile refused(path("broken.scw"));
    ASSERT_TRUE(refused.open(QIODevice::WriteOnly));
    refused.write("this is not a project");
    refused.close();
    auto shown = frame_->document();
    dialogs_.paths << path("broken.scw");
    frame_->openProject();

    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_TRUE(dialogs_.errors[0].contains(path("broken.scw"))) << dialogs_.errors[0].toStdString();
    EXPECT_EQ(frame_->document(), shown);
    EXPECT_EQ(frame_->document()->name(), "castle");
    EXPECT_EQ(projectLabel()->text(), "castle.scw");
    EXPECT_EQ(listed().back(), "door <primitive>");
    EXPECT_EQ(document().objectCount(), 3);

    dialogs_.paths << path("missing.scw");
    frame_->openProject();
    ASSERT_EQ(dialogs_.errors.size(), 2);
    EXPECT_TRUE(dialogs_.errors[1].contains(path("missing.scw")));
    EXPECT_EQ(frame_->document(), shown);
}

TEST_F(MainWindowTest, OpenExampleListsTheSampleWorldsAndOpensAnUnsavedCopy)
{
    QMenu* examples = menuItem("Open Example")->menu();
    ASSERT_NE(examples, nullptr);
    auto entries = [examples] {
        emit examples->aboutToShow();
        QStringList texts;
        for (QAction* entry : examples->actions())
            texts << entry->text() + (entry->isEnabled() ? "" : " (disabled)");
        return texts;
    };
    frame_->setExamplesDirectory(path("nothing here"));
    EXPECT_EQ(entries(), QStringList({"No examples found (disabled)"}));

    const QString statue = SCENEWRIGHT_EXAMPLES "/statue-turning.scw";
    const QByteArray example = contentOf(statue);
    frame_->setExamplesDirectory(SCENEWRIGHT_EXAMPLES);
    EXPECT_EQ(entries(),
              QStringList({"door-greeting", "foggy-welcome", "lift-along-anchors", "statue-turning"}));
    examples->actions().last()->trigger();

    ASSERT_NE(frame_->document(), nullptr);
    EXPECT_EQ(projectLabel()->text(), "statue-turning.scw");
    EXPECT_EQ(document().state(), core::SceneDocument::STATE_NEW);
    EXPECT_EQ(document().fileLocation(), std::nullopt);
    EXPECT_EQ(listed().back(), "statue.aer <model.aer/.atmo>");
    EXPECT_EQ(generatedScript(), contentOf(SCENEWRIGHT_EXAMPLES "/statue-turning.js").toStdString());

    // Save asks where to put the copy, starting in the user's folder, not
    // among the installed examples; the example stays as it was.
    dialogs_.paths << path("my-statue");
    frame_->saveProject();
    ASSERT_EQ(dialogs_.fileRequests.size(), 1u);
    EXPECT_TRUE(dialogs_.fileRequests[0].forSaving);
    EXPECT_EQ(dialogs_.fileRequests[0].directory, QDir::homePath());
    EXPECT_EQ(projectLabel()->text(), "my-statue.scw");
    EXPECT_TRUE(document().isSaved());
    EXPECT_EQ(contentOf(statue), example);
    EXPECT_TRUE(contentOf(path("my-statue.scw")).contains("\"statue.aer\""));
    EXPECT_TRUE(dialogs_.errors.isEmpty());
}

TEST_F(MainWindowTest, ImportScriptShowsTheScriptsProjectUnsavedAndARefusedOneChangesNothing)
{
    frame_->newProject();
    frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    menuItem("Enable Synchronisation")->setChecked(true);
    const std::string script = generatedScript();
    QFile file(path("castle.js"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(script));
    file.close();

    frame_->newProject();
    menuItem("Enable Synchronisation")->setChecked(false);
    dialogs_.paths << path("castle.js");
    menuItem("Import Script...")->trigger();

    EXPECT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join("\n").toStdString();
    EXPECT_EQ(dialogs_.filterDescriptions.back(), "Atmosphere .js files");
    EXPECT_EQ(projectLabel()->text(), "castle.scw");
    EXPECT_EQ(document().state(), core::SceneDocument::STATE_NEW);
    EXPECT_EQ(document().fileLocation(), std::nullopt);
    EXPECT_EQ(listed().back(), "door <primitive>");
    EXPECT_TRUE(menuItem("Enable Synchronisation")->isChecked());
    EXPECT_FALSE(menuItem("Undo")->isEnabled());
    EXPECT_EQ(generatedScript(), script);

    QFile hand(path("hand.js"));
    ASSERT_TRUE(hand.open(QIODevice::WriteOnly));
    hand.write("var a = 1;\n");
    hand.close();
    auto shown = frame_->document();
    dialogs_.paths << path("hand.js");
    menuItem("Import Script...")->trigger();
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_TRUE(dialogs_.errors[0].contains(path("hand.js") + ": line 1, column 1: expected"))
        << dialogs_.errors[0].toStdString();
    EXPECT_EQ(frame_->document(), shown);
    EXPECT_EQ(listed().back(), "door <primitive>");
    EXPECT_EQ(generatedScript(), script);
}

TEST_F(MainWindowTest, AProjectGivenAtStartOpensUnlessReopenedUnsavedWorkWouldBeDropped)
{
    frame_->newProject();
    frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    dialogs_.paths << path("castle.scw");
    frame_->saveProjectAs();
    // The program starts again, as Application starts it, with castle.scw given.
    auto startWithCastle = [this] {
        frame_.reset();
        frame_ = makeFrame();
        frame_->offerRecovery();
        frame_->openStartProject(path("castle.scw"));
    };

    startWithCastle();
    EXPECT_EQ(dialogs_.questions, 0);
    EXPECT_EQ(projectLabel()->text(), "castle.scw");
    EXPECT_TRUE(document().isSaved());
    EXPECT_EQ(listed().back(), "door <primitive>");

    // Unsaved work is kept at exit and reopened at the next start: the
    // project given then would replace it, so it is not opened, and the user
    // is told why.
    frame_->addObject("window", IAtmoObject::TYPE_PRIMITIVE);
    frame_->exitProgram();
    startWithCastle();
    EXPECT_EQ(dialogs_.questions, 1);
    EXPECT_EQ(listed().back(), "window <primitive>");
    EXPECT_EQ(document().state(), core::SceneDocument::STATE_UNSAVED);
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_TRUE(dialogs_.errors[0].contains(path("castle.scw")));

    frame_->closeProject();
    frame_->openStartProject(path("missing.scw"));
    ASSERT_EQ(dialogs_.errors.size(), 2);
    EXPECT_TRUE(dialogs_.errors[1].contains(path("missing.scw")));
}

TEST_F(MainWindowTest, CancelledChoosersChangeNothing)
{
    frame_->newProject();
    frame_->openProject();
    frame_->saveProjectAs();
    EXPECT_EQ(projectLabel()->text(), "default.scw");
    EXPECT_EQ(frame_->document()->fileLocation(), std::nullopt);
    EXPECT_FALSE(frame_->lastProjectDirectory());
    EXPECT_TRUE(dialogs_.errors.isEmpty());
}

// Saving over a file asks once, about the file with its suffix, whatever
// was typed; Cancel goes back to the chooser, a closed chooser writes nothing.
TEST_F(MainWindowTest, SavingOverAFileAsksOnceWhetherToReplaceIt)
{
    frame_->newProject();
    struct Case {
        QString existing;
        std::function<void()> saveAs;
    };
    const std::vector<Case> cases = {
        {"castle.scw", [this] { frame_->saveProjectAs(); }},
        {"castle.js", [this, view = static_cast<gui::ScriptPanel*>(nullptr)]() mutable {
             if (!view) {
                 frame_->openScriptView();
                 view = frame_->findChild<gui::ScriptPanel*>();
             }
             button(view, "Save As..")->click();
         }}};
    for (const auto& [existing, saveAs] : cases) {
        SCOPED_TRACE(existing.toStdString());
        const QString file = path(existing);
        {
            QFile old(file);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        const QString question = "\"" + existing + "\" already exists. Replace it?";

        // Typed with or without the suffix; Cancel returns to the chooser,
        // which opens where the user was, and closing it writes nothing.
        for (const QString& typed : {QString("castle"), existing}) {
            dialogs_.fileRequests.clear();
            dialogs_.replaceQuestions.clear();
            dialogs_.paths = QStringList{path(typed), QString()};
            dialogs_.replaceAnswers = {false};
            saveAs();
            EXPECT_EQ(dialogs_.replaceQuestions, QStringList({question}));
            ASSERT_EQ(dialogs_.fileRequests.size(), 2u);
            EXPECT_EQ(dialogs_.fileRequests[1].directory, path(typed));
            EXPECT_EQ(contentOf(file), "old");
        }

        // Replace writes the file; a new name is not asked about.
        dialogs_.replaceQuestions.clear();
        dialogs_.paths = QStringList{path("castle")};
        dialogs_.replaceAnswers = {true};
        saveAs();
        EXPECT_EQ(dialogs_.replaceQuestions, QStringList({question}));
        EXPECT_NE(contentOf(file), "old");
        dialogs_.paths = QStringList{path("tower")};
        saveAs();
        EXPECT_EQ(dialogs_.replaceQuestions.size(), 1);
        EXPECT_TRUE(QFile::exists(path("tower" + existing.mid(existing.indexOf('.')))));
    }
}

TEST_F(MainWindowTest, FarPanelStacksRowsAndClearsOnRequest)
{
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
    auto* first = new QWidget;
    auto* second = new QWidget;
    frame_->setFarPanel(first, true);
    frame_->setFarPanel(second, false);
    EXPECT_EQ(frame_->getFarPanelAttachment(), first);
    frame_->setFarPanel(second, true);
    EXPECT_EQ(frame_->getFarPanelAttachment(), second);
    EXPECT_TRUE(first->isHidden());
}

TEST_F(MainWindowTest, AboutBoxIsCentredOverTheWindow)
{
    frame_->resize(800, 600);
    frame_->move(40, 30);
    frame_->show();
    frame_->showAboutDialog();
    auto* box = frame_->findChild<app::AboutDialog*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "About");
    EXPECT_TRUE(box->isModal());
    EXPECT_EQ(box->pos(), frame_->pos() + QPoint((800 - box->width()) / 2, (600 - box->height()) / 2));
    auto* text = box->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->minimumSize(), QSize(350, 197));
    EXPECT_TRUE(text->toPlainText().startsWith("You are now using Scenewright! \n\nDeveloped for use"));
    EXPECT_TRUE(text->toPlainText().endsWith("Cheers & good luck!"));
    QStringList lines;
    for (QLabel* label : box->findChildren<QLabel*>())
        lines << label->text();
    EXPECT_TRUE(lines.contains(core::Version::text));
    button(box, "Ok")->click();
    EXPECT_FALSE(box->isVisible());
}

} // namespace
} // namespace scenewright::test
