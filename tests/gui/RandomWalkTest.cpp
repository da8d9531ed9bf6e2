#include "GuiTest.h"

#include "FreshProgramTest.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTextEdit>

#include <cstdlib>
#include <iostream>
#include <random>

// A long, seeded walk through the main window and its dialogs: menu items,
// buttons, check boxes, list rows, combo boxes, typing (hostile text
// included) and closing dialogs, in random order. The program must come
// through without crash or failed assertion, and the project it leaves must
// survive saving and reopening. The steps are logged, so a failing walk can
// be replayed and cut down; SCENEWRIGHT_WALK_TRACE=1 prints each step as it
// is taken (for a crash), SCENEWRIGHT_WALK_SEED and SCENEWRIGHT_WALK_STEPS
// change the walk.

namespace scenewright::test {
namespace {

constexpr unsigned kSeed = 20261207;
constexpr int kSteps = 1000;
constexpr int kScriptCheckInterval = 100;

// Pieces a user might type or paste, hostile ones among them.
const QStringList& typedPieces()
{
    static const QStringList pieces = {
        "door", "Bob's", "say \"hi\"", "a\\b", "*/", "</script>", "0", "-1", "3.5", "1e309", "NaN", " ", "",
        QString::fromUtf8("Caf\xC3\xA9 \xE2\x98\x95 \xF0\x9D\x84\x9E"), QString(QChar(0x2028)), QString(QChar(0x2029)),
        QString(QChar(0xD800)), QString(QChar(u'\0')), "\r", "');x=1;//", "999999999999", "http://x/?a='b'",
    };
    return pieces;
}

// Qt's warnings while the walk runs, apart from what the offscreen platform
// says it cannot do (grab the mouse, raise a window).
QStringList qtWarnings;

void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith("This plugin does not support"))
        qtWarnings << message;
}

int environmentNumber(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

class RandomWalkTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        frame_->newProject();
        frame_->show();
        trace_ = std::getenv("SCENEWRIGHT_WALK_TRACE") != nullptr;
    }

    void TearDown() override
    {
        if (HasFailure())
            std::cerr << "Random walk (seed " << seed_ << "), steps taken:\n" << log_.join("\n").toStdString() << "\n";
        closeDialogs();
        GuiTest::TearDown();
    }

    void note(const QString& step)
    {
        log_ << QString::number(log_.size() + 1) + ": " + step;
        if (trace_)
            std::cerr << log_.last().toStdString() << std::endl;
    }

    static QString describe(const QWidget* widget)
    {
        QString text;
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            text = button->text();
        return QString(widget->metaObject()->className()) + " '" + text + "' in '" + widget->window()->windowTitle()
               + "'";
    }

    // The windows a user can reach now: the modal dialog when one is open,
    // otherwise every window on show.
    static QList<QWidget*> reachableWindows()
    {
        if (QWidget* modal = QApplication::activeModalWidget())
            return {modal};
        QList<QWidget*> windows;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && !qobject_cast<QMenu*>(window))
                windows << window;
        return windows;
    }

    // The widgets of the kind a user can use now: on show, enabled, in a
    // reachable window.
    template <class Widget>
    static QList<Widget*> usable()
    {
        QList<Widget*> found;
        for (QWidget* window : reachableWindows()) {
            if (auto* itself = qobject_cast<Widget*>(window); itself && itself->isEnabled())
                found << itself;
            for (Widget* widget : window->findChildren<Widget*>())
                if (widget->isVisible() && widget->isEnabled())
                    found << widget;
        }
        return found;
    }

    template <class T>
    T* pick(const QList<T*>& list)
    {
        if (list.isEmpty())
            return nullptr;
        return list.at(std::uniform_int_distribution<int>(0, list.size() - 1)(random_));
    }
    int below(int limit) { return std::uniform_int_distribution<int>(0, limit - 1)(random_); }

    // What the file choosers answer next: a new file, one without suffix, a
    // folder, a file that is not UTF-8, a missing one, a cancel, or a script.
    void queueFileAnswer()
    {
        if (!dialogs_.paths.isEmpty())
            return;
        const QStringList answers = {path("walk.scw"), path("other"), path("folder"), path("latin1.scw"),
                                     path("missing/none.scw"), QString(), path("script.js")};
        dialogs_.paths << answers.at(below(answers.size()));
    }

    bool triggerMenuItem()
    {
        QList<QAction*> items;
        for (QAction* menu : frame_->menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                // Exit ends the program; the walk stays inside it.
                if (!item->isSeparator() && item->isEnabled() && item->text() != "Exit")
                    items << item;
        // The menu bar is blocked behind a modal dialog.
        if (QApplication::activeModalWidget() || items.isEmpty())
            return false;
        QAction* item = pick(items);
        note("menu " + item->text());
        queueFileAnswer();
        item->trigger();
        return true;
    }

    bool clickButton()
    {
        QAbstractButton* button = pick(usable<QAbstractButton>());
        if (!button)
            return false;
        note("click " + describe(button));
        queueFileAnswer();
        const bool indicator = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, indicator ? QPoint(8, button->height() / 2) : button->rect().center());
        return true;
    }

    bool pickRow()
    {
        QAbstractItemView* view = pick(usable<QAbstractItemView>());
        if (!view || !view->model() || view->model()->rowCount(view->rootIndex()) == 0)
            return false;
        const int row = below(view->model()->rowCount(view->rootIndex()));
        const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
        note("row " + QString::number(row) + " of " + describe(view));
        view->scrollTo(index);
        const QRect rect = view->visualRect(index);
        if (rect.isValid())
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        return true;
    }

    bool chooseInCombo()
    {
        QComboBox* box = pick(usable<QComboBox>());
        if (!box || box->count() == 0)
            return false;
        const int index = below(box->count());
        note("combo " + describe(box) + " to " + QString::number(index));
        box->setFocus();
        // Choosing by keyboard, as a user of a closed combo box does.
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(box, Qt::Key_Down);
        return true;
    }

    bool moveSlider()
    {
        QSlider* slider = pick(usable<QSlider>());
        if (!slider)
            return false;
        note("slider " + describe(slider));
        slider->setFocus();
        QTest::keyClick(slider, below(2) ? Qt::Key_PageUp : Qt::Key_End);
        return true;
    }

    // Types the text key by key, or pastes it: a paste brings in any
    // character, those no key sends (NUL, a lone surrogate) among them.
    void enterText(QWidget* field, const QString& text)
    {
        if (below(2)) {
            for (const QChar c : text)
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        } else {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        }
    }

    bool typeIntoField()
    {
        QList<QWidget*> fields;
        for (QLineEdit* edit : usable<QLineEdit>())
            if (!edit->isReadOnly())
                fields << edit;
        for (QPlainTextEdit* edit : usable<QPlainTextEdit>())
            if (!edit->isReadOnly())
                fields << edit;
        for (QTextEdit* edit : usable<QTextEdit>())
            if (!edit->isReadOnly())
                fields << edit;
        QWidget* field = pick(fields);
        if (!field)
            return false;
        QString text;
        for (int pieces = 1 + below(3); pieces > 0; --pieces)
            text += typedPieces().at(below(typedPieces().size()));
        note("enter " + describe(field) + " <" + text.toHtmlEscaped() + "> (UTF-16 " + QString::number(text.size())
             + ")");
        field->setFocus();
        if (below(2))
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        enterText(field, text);
        if (below(3) == 0)
            QTest::keyClick(field, Qt::Key_Return);
        return true;
    }

    bool pressKey()
    {
        QWidget* window = pick(reachableWindows());
        if (!window)
            return false;
        static const Qt::Key keys[] = {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Delete};
        const Qt::Key key = keys[below(5)];
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        note("key " + QString::number(key, 16) + " on " + describe(target));
        queueFileAnswer();
        QTest::keyClick(target, key);
        return true;
    }

    bool closeDialog()
    {
        QList<QDialog*> open;
        for (QWidget* window : reachableWindows())
            if (auto* dialog = qobject_cast<QDialog*>(window))
                open << dialog;
        QDialog* dialog = pick(open);
        if (!dialog)
            return false;
        note("close " + describe(dialog));
        dialog->close();
        return true;
    }

    // Takes one action; an action with nothing to act on leaves its turn to another.
    void step()
    {
        bool acted = false;
        for (int tries = 0; !acted && tries < 20; ++tries) {
            switch (below(20)) {
            case 0: acted = below(2) ? triggerMenuItem() : pressKey(); break;
            case 1: acted = pressKey(); break;
            case 2: case 3: case 4: case 5: case 6: case 7: acted = clickButton(); break;
            case 8: case 9: case 10: acted = pickRow(); break;
            case 11: acted = chooseInCombo(); break;
            case 12: acted = moveSlider(); break;
            case 13: case 14: case 15: case 16: acted = typeIntoField(); break;
            case 17: acted = clickButton(); break;
            default: acted = closeDialog(); break;
            }
        }
        QApplication::processEvents();
    }

    // The script of the scene as the walk left it, generated as the script
    // view does, must parse.
    void expectScriptParses()
    {
        const std::string script = generatedScript();
        std::string diagnostics;
        if (!nodeAccepts(script, &diagnostics))
            ADD_FAILURE() << "after step " << log_.size() << ":\n" << diagnostics;
    }

    void closeDialogs()
    {
        for (int rounds = 0; rounds < 10 && QApplication::activeModalWidget(); ++rounds)
            QApplication::activeModalWidget()->close();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(window) && window->isVisible())
                window->close();
        QApplication::processEvents();
    }

    void walk(unsigned seed, int steps)
    {
        seed_ = seed;
        random_.seed(seed);
        log_.clear();
        ASSERT_TRUE(QDir(folder_.path()).mkdir("folder"));
        {
            QFile latin1(path("latin1.scw"));
            ASSERT_TRUE(latin1.open(QIODevice::WriteOnly));
            latin1.write("{\"name\": \"Caf\xE9\"}");
        }
        qtWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
        for (int i = 1; i <= steps && !HasFailure(); ++i) {
            step();
            if (i % kScriptCheckInterval == 0)
                expectScriptParses();
        }
        closeDialogs();
        qInstallMessageHandler(previous);
        EXPECT_TRUE(qtWarnings.isEmpty()) << qtWarnings.join("\n").toStdString();
    }

    QStringList log_;
    std::mt19937 random_;
    unsigned seed_ = 0;
    bool trace_ = false;
};

TEST_F(RandomWalkTest, ASeededWalkEndsWithAProjectThatSavesAndReopensUnchanged)
{
    walk(static_cast<unsigned>(environmentNumber("SCENEWRIGHT_WALK_SEED", kSeed)),
         environmentNumber("SCENEWRIGHT_WALK_STEPS", kSteps));
    ASSERT_FALSE(HasFailure());

    // The walk may have closed the project; then a new one is what remains.
    if (!frame_->document() || !menuItem("Save")->isEnabled())
        frame_->newProject();
    const std::string script = generatedScript();
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics;

    dialogs_.paths = QStringList{path("final.scw")};
    frame_->saveProjectAs();
    ASSERT_TRUE(frame_->document()->isSaved()) << dialogs_.errors.join("\n").toStdString();
    const QByteArray saved = contentOf(path("final.scw"));

    dialogs_.paths = QStringList{path("final.scw")};
    frame_->openProject();
    EXPECT_EQ(generatedScript(), script);
    frame_->document()->setState(core::SceneDocument::STATE_UNSAVED);
    frame_->saveProject();
    EXPECT_EQ(contentOf(path("final.scw")), saved);
}

// Found by the walk: a folder chosen in Open Project made reading throw out
// of the menu command.
TEST_F(RandomWalkTest, OpeningAFolderShowsAMessageAndKeepsTheProject)
{
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.scw"));
    const auto project = frame_->document();
    dialogs_.paths = QStringList{path("folder.scw")};
    menuItem("Open Project")->trigger();
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_EQ(dialogs_.errors.first(), "Cannot open " + path("folder.scw") + ": Is a directory");
    EXPECT_EQ(frame_->document(), project);
}

} // namespace
} // namespace scenewright::test
