#include "GuiTest.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/gui/ProgramSettings.h"
#include "scenewright/gui/ScriptHighlighter.h"
#include "scenewright/gui/ScriptPanel.h"
#include "scenewright/gui/ScriptPreview.h"

#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace scenewright::test {
namespace {

using core::IAtmoObject;
using gui::ScriptHighlighter;
using gui::ScriptPreview;

class ScriptPreviewTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        frame_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    }

    QDockWidget* dock() const { return frame_->findChild<QDockWidget*>("scriptPreviewDock"); }
    ScriptPreview* preview() const { return frame_->findChild<ScriptPreview*>("scriptPreview"); }
    QString shown() const { return preview()->scriptArea()->toPlainText(); }
    QString generatedScript() const { return QString::fromStdString(GuiTest::generatedScript()); }

    // Waits for the preview to show the scene's script as it is now.
    bool showsCurrentScript() const
    {
        return QTest::qWaitFor([this] { return shown() == generatedScript(); }, 5000);
    }
};

TEST_F(ScriptPreviewTest, IsOffUntilTickedAndFollowsItsDock)
{
    QAction* item = menuItem("Live Script Preview");
    ASSERT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked());
    // Built the first time it is asked for, which keeps the start short.
    EXPECT_EQ(dock(), nullptr);

    item->trigger();
    EXPECT_TRUE(dock()->isVisible());
    EXPECT_TRUE(preview()->scriptArea()->isReadOnly());

    // Closing the dock by its own button unticks the item.
    dock()->close();
    EXPECT_FALSE(item->isChecked());
}

// The preview never narrows the editors: the window grows by the preview's
// width where the screen has room, gives it back when the preview goes,
// and keeps its own size in the settings; without room the preview floats.
TEST_F(ScriptPreviewTest, OpensBesideTheEditorsWithoutNarrowingThem)
{
    const QRect screen = frame_->screen()->availableGeometry();
    for (const int width : {400, screen.width() - 40}) {
        const bool room = width == 400;
        SCOPED_TRACE(room ? "room to grow" : "no room");
        frame_->setGeometry(QRect(screen.topLeft() + QPoint(20, 20), QSize(width, 500)));
        QApplication::processEvents();
        const int editors = frame_->centralWidget()->width();

        menuItem("Live Script Preview")->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(dock()->isVisible());
        EXPECT_EQ(dock()->isFloating(), !room);
        EXPECT_EQ(frame_->centralWidget()->width(), editors);
        EXPECT_EQ(frame_->width() > width, room);
        EXPECT_TRUE(screen.contains(dock()->isFloating() ? dock()->geometry() : frame_->geometry()));

        if (room) {
            frame_->exitProgram();
            MainWindow next(dialogs_, path("recovery"), ids, choices);
            ASSERT_TRUE(gui::ProgramSettings::restoreWindow(next));
            EXPECT_EQ(next.size(), QSize(width, 500));
        } else {
            menuItem("Live Script Preview")->trigger();
        }
        EXPECT_FALSE(dock()->isVisible());
        EXPECT_EQ(frame_->width(), width);
    }
}

TEST_F(ScriptPreviewTest, ShowsTheSceneScriptAndRegeneratesAfterEveryKindOfChange)
{
    menuItem("Live Script Preview")->trigger();
    EXPECT_TRUE(shown().isEmpty());

    frame_->newProject();
    EXPECT_TRUE(showsCurrentScript());
    const QString fresh = shown();

    // An edit through the scene editor: an action fired by a trigger.
    auto door = frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    core::SceneDocument& scene = document();
    scene.attachStandardInteractions(*door);
    const auto trigger = door->getAtmoTrigger(0);
    const auto message = door->getAtmoAction(typeid(core::action::ChatPrintMessageAction));
    ASSERT_TRUE(message);
    scene.setField(*message, "message", "Knock knock");
    scene.setActive(*message, true);
    scene.setTriggerActions(*trigger, {message});
    scene.setActive(*trigger, true);
    EXPECT_TRUE(showsCurrentScript());
    EXPECT_TRUE(shown().contains("Knock knock"));
    EXPECT_NE(shown(), fresh);

    scene.setLocaliseScript(true);
    EXPECT_TRUE(showsCurrentScript());
    EXPECT_TRUE(shown().contains("localisedparent"));

    menuItem("Enable Synchronisation")->trigger();
    EXPECT_TRUE(showsCurrentScript());
    EXPECT_TRUE(shown().contains("synchtrigger"));

    // Undo and redo change the scene too.
    menuItem("Undo")->trigger();
    EXPECT_TRUE(showsCurrentScript());
    EXPECT_FALSE(shown().contains("localisedparent"));
    menuItem("Redo")->trigger();
    EXPECT_TRUE(showsCurrentScript());
    EXPECT_TRUE(shown().contains("localisedparent"));

    frame_->closeProject();
    EXPECT_TRUE(QTest::qWaitFor([this] { return shown().isEmpty(); }, 5000));
}

TEST_F(ScriptPreviewTest, AHiddenPreviewCatchesUpWhenShown)
{
    frame_->newProject();
    menuItem("Live Script Preview")->trigger();
    EXPECT_TRUE(showsCurrentScript());
    menuItem("Live Script Preview")->trigger();

    frame_->addObject("lamp", IAtmoObject::TYPE_VIEWPOINT);
    const QString before = shown();
    QTest::qWait(2 * ScriptPreview::delayMilliseconds);
    EXPECT_EQ(shown(), before);
    EXPECT_FALSE(shown().contains("lamp"));

    menuItem("Live Script Preview")->trigger();
    EXPECT_TRUE(shown().contains("lamp"));
}

TEST_F(ScriptPreviewTest, ABurstOfChangesRegeneratesOnce)
{
    frame_->newProject();
    menuItem("Live Script Preview")->trigger();
    EXPECT_TRUE(showsCurrentScript());

    int regenerations = 0;
    QObject::connect(preview()->scriptArea(), &QPlainTextEdit::textChanged, [&] { ++regenerations; });
    for (int index = 0; index < 20; ++index)
        frame_->addObject(QString("lamp%1").arg(index), IAtmoObject::TYPE_VIEWPOINT);
    EXPECT_EQ(regenerations, 0);
    EXPECT_TRUE(showsCurrentScript());
    QTest::qWait(2 * ScriptPreview::delayMilliseconds);
    EXPECT_EQ(regenerations, 1);

    // Only the changed part of the shown text is replaced; what is shown is
    // still exactly the script.
    document().removeObject(10);
    document().renameObject(*document().object(3), "lamp");
    EXPECT_TRUE(showsCurrentScript());
}

// What each character of the document was coloured as: k keyword, s string,
// c comment, n number, blank for plain text; lines joined by "|".
QString colouring(const QTextDocument& document)
{
    const auto kindOf = [](const QTextCharFormat& format) {
        const QColor colour = format.foreground().color();
        if (colour == ScriptHighlighter::keywordFormat().foreground().color())
            return u'k';
        if (colour == ScriptHighlighter::stringFormat().foreground().color())
            return u's';
        if (colour == ScriptHighlighter::commentFormat().foreground().color())
            return u'c';
        if (colour == ScriptHighlighter::numberFormat().foreground().color())
            return u'n';
        return u'?';
    };
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line(block.length() - 1, u' ');
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            for (int at = range.start; at < range.start + range.length && at < line.size(); ++at)
                line[at] = kindOf(range.format);
        lines << line;
    }
    return lines.join(u'|');
}

std::string highlighted(const QString& text)
{
    QTextDocument document(text);
    ScriptHighlighter highlighter(&document);
    highlighter.rehighlight();
    return colouring(document).toStdString();
}

TEST(ScriptHighlighterTest, ColoursKeywordsStringsCommentsAndNumbers)
{
    EXPECT_EQ(highlighted("var x = 5.0;"), "kkk     nnn ");
    EXPECT_EQ(highlighted("if(thisX.format) return this;"), "kk               kkkkkk kkkk ");
    EXPECT_EQ(highlighted("a = 'it\\'s' + \"q\";"), "    sssssss   sss ");
    EXPECT_EQ(highlighted("x = 1.0E-4 + 0x1f - 2e3;"), "    nnnnnn   nnnn   nnn ");
    EXPECT_EQ(highlighted("x2 = y // if 'no' 3"), "       cccccccccccc");
    EXPECT_EQ(highlighted("s = 'open // not a comment"), "    ssssssssssssssssssssss");
}

TEST(ScriptHighlighterTest, BlockCommentsAndTemplatesRunAcrossLines)
{
    EXPECT_EQ(highlighted("a /* one\ntwo */ if\nvar"), "  cccccc|cccccc kk|kkk");
    EXPECT_EQ(highlighted("t = `a\nif ${b}\nc` + 1"), "    ss|sssssss|ss   n");
    EXPECT_EQ(highlighted("/* never closed\nvar"), "ccccccccccccccc|ccc");
}

TEST(ScriptHighlighterTest, ColoursOnlyTheStartOfAVeryLongLine)
{
    const qsizetype cap = ScriptHighlighter::longestColouredLine;
    // A comment opened before the cap and closed after it leaves the next
    // line as code.
    const QString line = "var /* " + QString(cap, u'x') + " */ var";
    const std::string expected = "kkk " + std::string(cap - 4, 'c') + std::string(line.size() - cap, ' ') + "|kkk";
    EXPECT_EQ(highlighted(line + "\nvar"), expected);
}

TEST_F(ScriptPreviewTest, TheScriptViewColoursItsScriptToo)
{
    frame_->newProject();
    frame_->openScriptView();
    auto* panel = frame_->findChild<gui::ScriptPanel*>();
    ASSERT_NE(panel, nullptr);
    panel->generateScript();
    EXPECT_TRUE(panel->isColoured());
    EXPECT_TRUE(colouring(*panel->scriptArea()->document()).contains(u'c'));

    // A compressed script is one long line: it is shown plain, and the next
    // generated script is coloured again.
    QString statements;
    for (int index = 0; index < 3000; ++index)
        statements += QString("var a%1 = %1;\n").arg(index);
    panel->scriptArea()->selectAll();
    panel->scriptArea()->insertPlainText(statements);
    panel->compress();
    EXPECT_GT(panel->scriptArea()->toPlainText().size(), ScriptHighlighter::longestColouredLine);
    EXPECT_FALSE(panel->isColoured());
    EXPECT_FALSE(colouring(*panel->scriptArea()->document()).contains(u'k'));

    panel->generateScript();
    EXPECT_TRUE(panel->isColoured());
    EXPECT_TRUE(QTest::qWaitFor([&] { return colouring(*panel->scriptArea()->document()).contains(u'c'); }, 2000));
}

} // namespace
} // namespace scenewright::test
