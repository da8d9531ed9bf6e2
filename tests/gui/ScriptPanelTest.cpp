#include "GuiTest.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/gui/ScriptPanel.h"
#include "scenewright/gui/WhyLocaliseScriptPanel.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>

namespace scenewright::test {
namespace {

using core::IAtmoObject;
using gui::ScriptPanel;

class ScriptPanelTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        frame_->newProject();
        frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
        frame_->document()->setState(core::SceneDocument::STATE_SAVED);
    }

    // Opens a script view as the menu item does and returns its panel.
    ScriptPanel* openView()
    {
        frame_->openScriptView();
        const auto dialogs = frame_->findChildren<QDialog*>();
        for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
            if ((*it)->windowTitle() == "Generated script" && (*it)->isVisible())
                if (auto* panel = (*it)->findChild<ScriptPanel*>())
                    return panel;
        ADD_FAILURE() << "no script view";
        return nullptr;
    }

    static QDialog* dialogOf(ScriptPanel* panel) { return qobject_cast<QDialog*>(panel->parentWidget()); }
    void press(ScriptPanel* panel, const QString& text) { button(panel, text)->click(); }
};

TEST_F(ScriptPanelTest, OpensEmptyInANonModalDialogWithItsControlsInOrder)
{
    ScriptPanel* panel = openView();
    ASSERT_NE(panel, nullptr);
    QDialog* dialog = dialogOf(panel);
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->size(), QSize(500, 500));
    EXPECT_TRUE(panel->scriptArea()->toPlainText().isEmpty());
    EXPECT_EQ(panel->scriptArea()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(panel->scriptArea()->font().pointSize(), 12);
    EXPECT_EQ(panel->lineIndicator()->text(), " ");
    EXPECT_TRUE(panel->lineIndicator()->font().bold());
    EXPECT_EQ(panel->savedFileLabel()->text(), " ");
    EXPECT_EQ(panel->savedFileLabel()->font().pointSize(), 13);
    EXPECT_TRUE(panel->currentFile().isEmpty());

    QStringList buttons;
    for (QAbstractButton* each : panel->findChildren<QAbstractButton*>())
        buttons << each->text();
    EXPECT_EQ(buttons, QStringList({"Generate Script", "Save File", "Save As..", "Close", "Compress...", "Beautify",
                                    "Global Variables", "Localise Script", "Why Localise?"}));
    QStringList labels;
    for (QLabel* each : panel->findChildren<QLabel*>())
        labels << each->text();
    EXPECT_TRUE(labels.contains(QString(28, '-')));
    EXPECT_TRUE(labels.contains(QString(27, '-')));
    EXPECT_TRUE(labels.contains("Line: "));

    press(panel, "Close");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ScriptPanelTest, SavesExactlyTheGeneratedScript)
{
    ScriptPanel* panel = openView();
    press(panel, "Generate Script");
    const std::string expected = generatedScript();
    EXPECT_EQ(panel->scriptArea()->toPlainText().toStdString(), expected);

    dialogs_.paths << path("world");
    press(panel, "Save As..");

    const QByteArray saved = contentOf(path("world.js"));
    EXPECT_EQ(saved.toStdString(), expected);
    EXPECT_EQ(panel->currentFile(), path("world.js"));
    EXPECT_EQ(panel->savedFileLabel()->text(), path("world.js"));
    EXPECT_EQ(frame_->lastScriptFile(), path("world.js").toStdString());
    const auto& request = dialogs_.fileRequests.back();
    EXPECT_EQ(request.title, "Save your Atmosphere Javascript");
    EXPECT_EQ(request.acceptLabel, "Save");
    EXPECT_TRUE(request.forSaving);
    EXPECT_EQ(dialogs_.filterDescriptions.back(), "Atmosphere .js files");
}

TEST_F(ScriptPanelTest, TheScriptSuffixIsAddedOnlyWhenMissing)
{
    ScriptPanel* panel = openView();
    press(panel, "Generate Script");
    for (const auto& [chosen, written] : std::vector<std::pair<QString, QString>>{
             {"world", "world.js"}, {"world.js", "world.js"}, {"world.JS", "world.JS.js"}}) {
        dialogs_.paths << path(chosen);
        press(panel, "Save As..");
        EXPECT_EQ(panel->currentFile(), path(written));
    }
    EXPECT_FALSE(QFile::exists(path("world.js.js")));
    EXPECT_TRUE(QFile::exists(path("world.JS.js")));
    EXPECT_EQ(dialogs_.fileRequests.back().directory, folder_.path());
}

TEST_F(ScriptPanelTest, SaveFileAsksOnlyUntilTheViewHasAFile)
{
    ScriptPanel* panel = openView();
    press(panel, "Generate Script");
    press(panel, "Save File");
    EXPECT_EQ(dialogs_.fileRequests.size(), 1u);
    EXPECT_TRUE(panel->currentFile().isEmpty());

    dialogs_.paths << path("world");
    press(panel, "Save File");
    EXPECT_EQ(panel->currentFile(), path("world.js"));

    frame_->addObject("lamp", IAtmoObject::TYPE_VIEWPOINT);
    press(panel, "Generate Script");
    press(panel, "Save File");
    EXPECT_EQ(dialogs_.fileRequests.size(), 2u);
    EXPECT_EQ(contentOf(path("world.js")).toStdString(), generatedScript());
    EXPECT_EQ(panel->savedFileLabel()->text(), path("world.js"));

    ScriptPanel* another = openView();
    EXPECT_TRUE(another->currentFile().isEmpty());
    press(another, "Save File");
    EXPECT_EQ(dialogs_.fileRequests.size(), 3u);
}

TEST_F(ScriptPanelTest, AFailedWriteIsShownAndKeepsTheFileAndTheLabel)
{
    ScriptPanel* panel = openView();
    press(panel, "Generate Script");
    dialogs_.paths << path("world.js");
    press(panel, "Save As..");

    dialogs_.paths << path("missing/other.js");
    press(panel, "Save As..");
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_TRUE(dialogs_.errors[0].contains(path("missing/other.js"))) << dialogs_.errors[0].toStdString();
    EXPECT_EQ(panel->currentFile(), path("world.js"));
    EXPECT_EQ(panel->savedFileLabel()->text(), path("world.js"));

    // The saved file's place is taken by a folder: the write cannot land.
    QFile::remove(path("world.js"));
    QDir(folder_.path()).mkdir("world.js");
    press(panel, "Save File");
    ASSERT_EQ(dialogs_.errors.size(), 2);
    EXPECT_TRUE(dialogs_.errors[1].contains(path("world.js"))) << dialogs_.errors[1].toStdString();
    EXPECT_TRUE(QFileInfo(path("world.js")).isDir());
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(panel->savedFileLabel()->text(), path("world.js"));
}

TEST_F(ScriptPanelTest, FormattedScriptsAreSavedWithTheFormattersLineBreaks)
{
    using core::script::ScriptFormatter;
    frame_->addObject("fan", IAtmoObject::TYPE_MODEL);
    ScriptPanel* panel = openView();
    press(panel, "Generate Script");
    const std::string generated = generatedScript();

    press(panel, "Beautify");
    const std::string beautified = ScriptFormatter::beautify(generated);
    ASSERT_NE(beautified.find("\r\n"), std::string::npos);
    dialogs_.paths << path("world.js");
    press(panel, "Save As..");
    EXPECT_EQ(contentOf(path("world.js")).toStdString(), beautified);

    press(panel, "Beautify");
    press(panel, "Save File");
    EXPECT_EQ(contentOf(path("world.js")).toStdString(), ScriptFormatter::beautify(beautified));

    press(panel, "Compress...");
    const std::string compressed = ScriptFormatter::compress(ScriptFormatter::beautify(beautified));
    EXPECT_EQ(panel->scriptArea()->document()->blockCount(), 1);
    press(panel, "Save File");
    EXPECT_EQ(contentOf(path("world.js")).toStdString(), compressed);
}

TEST_F(ScriptPanelTest, SavesWhatTheCommandLineGeneratorWritesForTheSameProject)
{
    // A door that prints a message when clicked, in a localised script.
    core::SceneDocument& scene = document();
    auto door = document().object(2);
    scene.attachStandardInteractions(*door);
    const auto named = [](const auto& list, const char* kind) {
        for (const auto& interaction : list)
            if (std::string_view(interaction->className()) == kind)
                return interaction;
        ADD_FAILURE() << "no " << kind;
        return list.front();
    };
    auto message = named(door->getAtmoActionListData(), "ChatPrintMessageAction");
    auto click = named(door->getAtmoTriggerListData(), "OnclickTrigger");
    scene.setActive(*message, true);
    scene.setField(*message, "message", "Welcome, 'builder'");
    scene.setActive(*click, true);
    scene.setTriggerActions(*click, {message});
    ScriptPanel* panel = openView();
    button<QRadioButton>(panel, "Localise Script")->click();

    const std::vector<std::pair<QString, QString>> forms = {{"", ""}, {"Beautify", "--beautify"},
                                                            {"Compress...", "--compress"}};
    for (const auto& [command, option] : forms) {
        press(panel, "Generate Script");
        if (!command.isEmpty())
            press(panel, command);
        dialogs_.paths << path("view.js");
        press(panel, "Save As..");
        dialogs_.paths << path("castle.scw");
        frame_->saveProjectAs();

        QStringList arguments;
        if (!option.isEmpty())
            arguments << option;
        arguments << "-o" << path("generator.js") << path("castle.scw");
        ASSERT_EQ(QProcess::execute(SCENEWRIGHT_GEN, arguments), 0) << option.toStdString();
        EXPECT_EQ(contentOf(path("view.js")), contentOf(path("generator.js"))) << option.toStdString();
        EXPECT_TRUE(contentOf(path("view.js")).contains("Welcome")) << option.toStdString();
    }
}

TEST_F(ScriptPanelTest, AnEditedBeautifiedScriptKeepsItsLineBreaks)
{
    ScriptPanel* panel = openView();
    press(panel, "Generate Script");
    press(panel, "Beautify");
    QTextCursor cursor(panel->scriptArea()->document());
    cursor.insertText("// mine\n");
    dialogs_.paths << path("world.js");
    press(panel, "Save As..");
    const QByteArray saved = contentOf(path("world.js"));
    EXPECT_TRUE(saved.startsWith("// mine\r\n"));
    EXPECT_EQ(saved.count("\n"), saved.count("\r\n"));
    EXPECT_EQ(saved.mid(9).toStdString(), core::script::ScriptFormatter::beautify(generatedScript()));
}

TEST_F(ScriptPanelTest, FormattingAnEmptyScriptShowsWhatTheFormatterGives)
{
    ScriptPanel* panel = openView();
    press(panel, "Beautify");
    EXPECT_EQ(panel->scriptText().toStdString(), core::script::ScriptFormatter::beautify(""));
    press(panel, "Compress...");
    EXPECT_EQ(panel->scriptText().toStdString(), core::script::ScriptFormatter::compress(""));
}

TEST_F(ScriptPanelTest, UserEditsAreSavedAsShown)
{
    ScriptPanel* panel = openView();
    press(panel, "Generate Script");
    QTextCursor cursor(panel->scriptArea()->document());
    cursor.insertText("// mine\n");
    dialogs_.paths << path("world.js");
    press(panel, "Save As..");
    EXPECT_EQ(contentOf(path("world.js")).toStdString(), "// mine\n" + generatedScript());
}

TEST_F(ScriptPanelTest, TheLineIndicatorFollowsTheCaret)
{
    ScriptPanel* panel = openView();
    panel->scriptArea()->setPlainText("first\nsecond\nthird\nfourth");
    QTextCursor cursor(panel->scriptArea()->document()->findBlockByNumber(2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    panel->scriptArea()->setTextCursor(cursor);
    EXPECT_EQ(panel->lineIndicator()->text(), "2");
    panel->scriptArea()->moveCursor(QTextCursor::Start);
    EXPECT_EQ(panel->lineIndicator()->text(), "0");
}

TEST_F(ScriptPanelTest, TheScopeChoiceIsStoredInTheProjectAndUsedByTheNextGeneration)
{
    ScriptPanel* panel = openView();
    auto* global = button<QRadioButton>(panel, "Global Variables");
    auto* localise = button<QRadioButton>(panel, "Localise Script");
    EXPECT_TRUE(global->isChecked());
    EXPECT_TRUE(frame_->document()->isSaved());

    localise->click();
    EXPECT_TRUE(frame_->document()->localiseScript());
    EXPECT_EQ(frame_->document()->state(), core::SceneDocument::STATE_UNSAVED);
    press(panel, "Generate Script");
    const QString localised = panel->scriptArea()->toPlainText();
    EXPECT_EQ(localised.toStdString(), generatedScript());

    global->click();
    EXPECT_FALSE(frame_->document()->localiseScript());
    press(panel, "Generate Script");
    EXPECT_NE(panel->scriptArea()->toPlainText(), localised);

    localise->click();
    ScriptPanel* reopened = openView();
    EXPECT_TRUE(button<QRadioButton>(reopened, "Localise Script")->isChecked());
}

TEST_F(ScriptPanelTest, GeneratingAfterCloseGivesAnEmptyScript)
{
    ScriptPanel* panel = openView();
    press(panel, "Generate Script");
    frame_->closeProject();
    press(panel, "Generate Script");
    EXPECT_TRUE(panel->scriptArea()->toPlainText().isEmpty());
    EXPECT_TRUE(panel->scriptText().isEmpty());
}

TEST_F(ScriptPanelTest, WhyLocaliseExplainsInAModalDialog)
{
    ScriptPanel* panel = openView();
    press(panel, "Why Localise?");
    auto* dialog = panel->findChild<QDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Why Localise?");
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->size(), QSize(500, 500));
    auto* text = dialog->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    const QStringList lines = text->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 26);
    EXPECT_EQ(lines[0], "If you select Global:");
    EXPECT_EQ(lines[6], " - generated script must be attached to that object in the Atmosphere Builder");
    EXPECT_TRUE(lines[9].endsWith("safer from other scripts. "));
    EXPECT_EQ(lines[22], "");
    EXPECT_TRUE(lines[25].startsWith("(Ed Note:"));
    EXPECT_NE(dialog->findChild<QLabel*>(), nullptr);
    EXPECT_EQ(dialog->findChild<QLabel*>()->text(), "Why and when should you localise a script in Scenewright?");
    button(dialog, "Close")->click();
    EXPECT_FALSE(dialog->isVisible());
}

} // namespace
} // namespace scenewright::test
