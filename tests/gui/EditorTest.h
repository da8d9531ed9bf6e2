#pragma once

#include "GuiTest.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/gui/ActorBasePanel.h"
#include "scenewright/gui/AddObjectPopup.h"
#include "scenewright/gui/AtmoTriggerBasePanel.h"
#include "scenewright/gui/DefaultAtmoTriggerPanel.h"
#include "scenewright/gui/ObjectClickBasePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryFile>
#include <QTest>

namespace scenewright::test {

// A main window with a new project, driven through its real widgets: rows
// picked and buttons clicked with the pointer, text typed key by key.
class EditorTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        frame_->newProject();
        frame_->show();
    }

    QListWidget* objectList() const { return frame_->findChild<QListWidget*>("objectList"); }
    QPlainTextEdit* statusText() const { return frame_->findChild<QPlainTextEdit*>("statusText"); }
    core::SceneDocument& project() const { return *frame_->document(); }
    bool unsaved() const { return project().state() == core::SceneDocument::STATE_UNSAVED; }
    void markSaved() const { project().setState(core::SceneDocument::STATE_SAVED); }

    // Picks the row with the pointer.
    static void pickRow(QListWidget* list, int row)
    {
        ASSERT_GE(row, 0);
        ASSERT_LT(row, list->count());
        list->scrollToItem(list->item(row));
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    static void pickRow(QListWidget* list, const QString& text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << "no row " << text.toStdString();
        pickRow(list, list->row(found.first()));
    }
    void selectObject(const QString& text) { pickRow(objectList(), text); }

    static void click(QAbstractButton* button)
    {
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        // A check box or radio button reacts on its indicator and caption,
        // which may not reach the middle of a widget stretched across columns.
        const bool indicator = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
        QTest::mouseClick(button, Qt::LeftButton, {},
                          indicator ? QPoint(8, button->height() / 2) : button->rect().center());
    }
    // The button whose caption reads the text; "&&" in a caption shows as "&".
    static QAbstractButton* shownButton(const QWidget* parent, const QString& text)
    {
        for (QAbstractButton* candidate : parent->findChildren<QAbstractButton*>())
            if (QString(candidate->text()).replace("&&", "&") == text)
                return candidate;
        ADD_FAILURE() << "no button " << text.toStdString();
        return nullptr;
    }
    static void click(const QWidget* parent, const QString& text) { click(shownButton(parent, text)); }

    // Replaces the field's text by typing.
    static void typeInto(QLineEdit* field, const QString& text)
    {
        ASSERT_NE(field, nullptr);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    template <class Panel>
    Panel* hostPanel() const
    {
        for (Panel* panel : frame_->findChildren<Panel*>())
            if (panel->isVisible())
                return panel;
        return nullptr;
    }
    // The check box of the interaction in the visible host panels.
    QCheckBox* interactionBox(const QString& name) const
    {
        for (QCheckBox* box : frame_->findChildren<QCheckBox*>())
            if (QString(box->text()).replace("&&", "&") == name && box->isVisible()
                && qobject_cast<gui::HostPanel*>(box->parentWidget()->parentWidget()))
                return box;
        ADD_FAILURE() << "no interaction " << name.toStdString();
        return nullptr;
    }
    // The editor on show in the far panel, as the expected kind.
    template <class Editor>
    Editor* farEditor() const
    {
        return qobject_cast<Editor*>(frame_->getFarPanelAttachment());
    }
    // The dialog the main window has open.
    template <class Panel>
    Panel* openPanel() const
    {
        for (QDialog* dialog : frame_->findChildren<QDialog*>())
            if (dialog->isVisible())
                if (Panel* panel = dialog->findChild<Panel*>())
                    return panel;
        return nullptr;
    }

    // Ticks the selected object's click trigger and, in its editor, has it
    // fire the first action of the listed object.
    void fireFirstActionOnClick(const QString& actionOwner)
    {
        click(interactionBox("On click trigger"));
        auto* trigger = farEditor<gui::DefaultAtmoTriggerPanel>();
        ASSERT_NE(trigger, nullptr);
        pickRow(trigger->objectList(), actionOwner);
        pickRow(trigger->actionList(), 0);
        click(trigger, ">>");
        click(trigger, "Save & Close");
    }

    // An object added through the Add Object dialog, as a user would.
    void addObjectByDialog(const QString& name, const QString& type)
    {
        click(frame_.get(), "Add Object");
        auto* popup = openPanel<gui::AddObjectPopup>();
        ASSERT_NE(popup, nullptr);
        typeInto(popup->nameField(), name);
        popup->typeBox()->setCurrentText(type);
        click(popup, "Ok");
    }

    // Whether node's syntax check accepts the script.
    static bool nodeAccepts(const QByteArray& script)
    {
        QTemporaryFile file(QDir::tempPath() + "/scenewright-XXXXXX.js");
        if (!file.open())
            return false;
        file.write(script);
        file.close();
        QProcess node;
        node.start(SCENEWRIGHT_NODE, {"--check", file.fileName()});
        if (!node.waitForFinished(20000))
            return false;
        if (node.exitCode() != 0)
            ADD_FAILURE() << node.readAllStandardError().toStdString();
        return node.exitStatus() == QProcess::NormalExit && node.exitCode() == 0;
    }
};

} // namespace scenewright::test
