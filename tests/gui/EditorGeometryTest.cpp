#include "EditorTest.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/gui/HostPanel.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>

namespace scenewright::test {
namespace {

// The buttons that save or close an editor or a dialog: they never scroll
// out of sight.
const QStringList closingButtons = {"Save",          "Save & Close",   "Close", "Cancel",       "Ok",
                                    "Save & close",  "Cancel changes", "Save and Close", "Add Sound",
                                    "Close Window",  "Save Anyway"};
// The longest message an editor shows, to see that its error label has the room.
const QString longMessage = "For your current model 'lift.aer <model.aer/.atmo>', you must set a 'Primitive name'";

QString shownText(const QAbstractButton* button)
{
    return QString(button->text()).replace("&&", "&");
}

// A part of a composite control (a combo box's field, a list's viewport)
// is checked with the control.
bool insideCompositeControl(const QWidget* widget)
{
    for (const QWidget* above = widget->parentWidget(); above && !above->isWindow(); above = above->parentWidget())
        if (qobject_cast<const QComboBox*>(above) || qobject_cast<const QAbstractSpinBox*>(above)
            || qobject_cast<const QAbstractItemView*>(above))
            return true;
    return false;
}

// What a user works with: buttons, fields, lists, sliders and error labels.
bool isControl(const QWidget* widget)
{
    if (qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget)
        || qobject_cast<const QComboBox*>(widget) || qobject_cast<const QSlider*>(widget))
        return true;
    if (qobject_cast<const QAbstractItemView*>(widget))
        return !qobject_cast<const QHeaderView*>(widget);
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget))
        return !text->isReadOnly();
    return widget->objectName() == "errorLabel";
}

// Where a widget is in its window and how much of it its ancestors leave in
// sight. Inside a scroll area only the scrolled content clips it: the user
// scrolls to the rest.
struct Sight {
    QRect whole;
    QRect shown;
    bool scrolled = false;
};

Sight sightOf(const QWidget* widget)
{
    const QWidget* window = widget->window();
    Sight sight;
    sight.whole = QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
    sight.shown = sight.whole;
    for (const QWidget* above = widget->parentWidget(); above; above = above->parentWidget()) {
        const auto* area = qobject_cast<const QScrollArea*>(above->parentWidget());
        if (area && area->viewport() == above) {
            sight.scrolled = true;
            break;
        }
        sight.shown &= QRect(above->mapTo(window, QPoint(0, 0)), above->size());
        if (above == window)
            break;
    }
    return sight;
}

// Why the label or button does not show its whole text, if it does not.
QString cutText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->text().trimmed().isEmpty())
            return {};
        if (label->wordWrap())
            return label->height() < label->heightForWidth(label->width()) ? "is too short for its text" : QString();
        if (label->width() < label->sizeHint().width())
            return "is too narrow for its text";
        return label->height() < label->fontMetrics().height() ? "is too short for its text" : QString();
    }
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    if (!button || button->text().isEmpty())
        return {};
    if (button->hasHeightForWidth())
        return button->height() < button->heightForWidth(button->width()) ? "is too short for its text" : QString();
    int needed = button->sizeHint().width();
    if (qobject_cast<const QPushButton*>(button)) {
        // The text and the style's margins, without the least width the
        // style gives every push button.
        const QStyle* style = button->style();
        needed = button->fontMetrics().horizontalAdvance(shownText(button))
                 + style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
                 + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    }
    if (button->width() < needed)
        return QString("is %1 px wide, its text needs %2").arg(button->width()).arg(needed);
    return button->height() < button->fontMetrics().height() ? "is too short for its text" : QString();
}

QString describe(const QWidget* widget)
{
    QString text;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = shownText(button);
    else if (const auto* label = qobject_cast<const QLabel*>(widget))
        text = label->text().left(40);
    return QString("%1 '%2'").arg(widget->metaObject()->className(), text);
}

// Every editor and dialog at the default window size, and again with the
// application font a quarter larger: each control lies in its window's
// visible area (or in content the user scrolls to, where the closing
// buttons and the error label never are), and no label or button is cut.
class EditorGeometryTest : public EditorTest, public ::testing::WithParamInterface<double> {
protected:
    void SetUp() override
    {
        savedFont_ = QApplication::font();
        QFont font = savedFont_;
        font.setPointSizeF(savedFont_.pointSizeF() * GetParam());
        QApplication::setFont(font);
        GuiTest::SetUp();
        frame_->resize(800, 600);
        frame_->newProject();
        frame_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
        for (QSplitter* split : frame_->findChildren<QSplitter*>())
            splits_.push_back(split);
        dividers_ = dividers();
    }
    void TearDown() override
    {
        EditorTest::TearDown();
        QApplication::setFont(savedFont_);
    }

    std::vector<QList<int>> dividers() const
    {
        std::vector<QList<int>> sizes;
        for (const QSplitter* split : splits_)
            sizes.push_back(split->sizes());
        return sizes;
    }

    static void settle()
    {
        for (int i = 0; i < 4; ++i)
            QApplication::processEvents();
    }

    // Notes every control of the window out of sight and every text cut.
    void check(QWidget* window, const QString& name)
    {
        ASSERT_NE(window, nullptr) << name.toStdString();
        for (QLabel* label : window->findChildren<QLabel*>("errorLabel"))
            label->setText(longMessage);
        settle();
        // SCENEWRIGHT_GEOMETRY_SHOTS names a folder for a picture of each,
        // to look at.
        const QString shots = qEnvironmentVariable("SCENEWRIGHT_GEOMETRY_SHOTS");
        if (!shots.isEmpty()) {
            const QString file = QString(name).replace(QRegularExpression("\\W+"), "_");
            window->grab().save(QString("%1/%2-%3.png").arg(shots, file).arg(GetParam()));
        }

        // Nothing makes the main window grow, and a dialog is whole on the
        // screen (its frame is the window manager's).
        if (window == frame_.get() && window->size() != QSize(800, 600))
            problems_ << QString("%1: the window is %2 x %3").arg(name).arg(window->width()).arg(window->height());
        if (window != frame_.get() && !window->screen()->availableGeometry().contains(window->geometry()))
            problems_ << name + ": the window is not on the screen";
        const QWidget* middleArea = frame_->findChild<QWidget*>("middleArea");
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (!widget->isVisible() || insideCompositeControl(widget))
                continue;
            if (const QString cut = cutText(widget); !cut.isEmpty())
                problems_ << QString("%1: %2 %3").arg(name, describe(widget), cut);
            if (auto* area = qobject_cast<QScrollArea*>(widget);
                area && GetParam() == 1.0 && area->horizontalScrollBar()->isVisible())
                problems_ << QString("%1: a scroll area scrolls sideways").arg(name);
            if (!isControl(widget))
                continue;
            const Sight sight = sightOf(widget);
            // The host panels' own "Add Sound" may scroll with them.
            const bool mustStay = widget->objectName() == "errorLabel"
                                  || (qobject_cast<QAbstractButton*>(widget) && !middleArea->isAncestorOf(widget)
                                      && closingButtons.contains(shownText(static_cast<QAbstractButton*>(widget))));
            if (sight.whole.isEmpty() || sight.shown != sight.whole)
                problems_ << QString("%1: %2 is cut").arg(name, describe(widget));
            else if (sight.scrolled && mustStay)
                problems_ << QString("%1: %2 scrolls out of sight").arg(name, describe(widget));
        }
        if (dividers() != dividers_)
            problems_ << name + ": the dividers moved";
    }

    // Opens the editor of each check box of the visible host panels.
    void checkEditorsOf(const QString& object)
    {
        selectObject(object);
        check(frame_.get(), object);
        for (gui::HostPanel* panel : frame_->findChildren<gui::HostPanel*>()) {
            if (!panel->isVisible())
                continue;
            for (QCheckBox* box : panel->checkBoxes()) {
                click(panel->editButtonOf(box));
                check(frame_.get(), object + " " + shownText(box));
            }
        }
    }

    // The dialog that the action opens, checked and closed.
    void checkDialog(const QString& name, const std::function<void()>& open)
    {
        const QWidgetList before = QApplication::topLevelWidgets();
        open();
        settle();
        QWidget* dialog = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && qobject_cast<QDialog*>(window) && !before.contains(window))
                dialog = window;
        check(dialog, name);
        if (dialog)
            dialog->close();
        settle();
    }

    QFont savedFont_;
    std::vector<QSplitter*> splits_;
    std::vector<QList<int>> dividers_;
    QStringList problems_;
};

TEST_P(EditorGeometryTest, EveryControlOfEveryEditorAndDialogIsInSight)
{
    const std::vector<std::pair<QString, const char*>> objects = {{"lift.aer", core::IAtmoObject::TYPE_MODEL},
                                                                  {"front door", core::IAtmoObject::TYPE_PRIMITIVE},
                                                                  {"wall", core::IAtmoObject::TYPE_SOLIDOBJECT},
                                                                  {"camera", core::IAtmoObject::TYPE_VIEWPOINT}};
    for (const auto& [name, type] : objects)
        frame_->addObject(name, type);
    settle();
    // The start places show every entry of the object list in full; with
    // a larger font the list may scroll.
    if (GetParam() == 1.0) {
        EXPECT_FALSE(objectList()->horizontalScrollBar()->isVisible());
    }
    check(frame_.get(), "the main window");

    for (int row = 1; row < objectList()->count(); ++row)
        checkEditorsOf(objectList()->item(row)->text());

    selectObject("world <world>");
    for (const char* effect : {"Fog", "Glare", "Welcome message"}) {
        for (QCheckBox* box : frame_->findChildren<QCheckBox*>())
            if (box->isVisible() && box->text() == effect)
                click(box->parentWidget()->findChild<QToolButton*>());
        check(frame_.get(), QString("world ") + effect);
    }
    // The sound editor has an "Add Sound" of its own, hidden for now.
    for (QAbstractButton* add : frame_->findChildren<QAbstractButton*>())
        if (add->isVisible() && add->text() == "Add Sound") {
            click(add);
            break;
        }
    check(frame_.get(), "world sound");

    selectObject("lift.aer <model.aer/.atmo>");
    checkDialog("Add Object", [this] { click(frame_.get(), "Add Object"); });
    checkDialog("Object Properties", [this] { menuItem("Object Properties")->trigger(); });
    checkDialog("Physical Properties", [this] { menuItem("Physical Properties")->trigger(); });
    checkDialog("Copy", [this] { menuItem("Copy object triggers to..")->trigger(); });
    checkDialog("About", [this] { menuItem("About")->trigger(); });
    checkDialog("Test Run", [this] { menuItem("Test Run...")->trigger(); });
    // An active trigger that fires nothing is a problem to list.
    const auto door = document().object(3);
    document().setActive(*door->getAtmoTrigger(0), true);
    checkDialog("Check Scene", [this] { menuItem("Check Scene")->trigger(); });
    checkDialog("script view", [this] { menuItem("Generate Scipt")->trigger(); });
    menuItem("Generate Scipt")->trigger();
    settle();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowTitle() == "Generated script") {
            click(window, "Generate Script");
            checkDialog("Why Localise?", [window] { click(window, "Why Localise?"); });
            window->close();
        }

    EXPECT_TRUE(problems_.isEmpty()) << problems_.join("\n").toStdString();
}

INSTANTIATE_TEST_SUITE_P(DefaultAndLargerFont, EditorGeometryTest, ::testing::Values(1.0, 1.25));

} // namespace
} // namespace scenewright::test
