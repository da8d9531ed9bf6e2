#pragma once

#include <QFrame>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QGridLayout;
class QLabel;

namespace scenewright::core {
class IAtmoObject;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::core::action {
class AtmoInteraction;
}

namespace scenewright::gui {

class EditableCheck;

// What the three host panels share: a heading, then one check box per
// interaction, each with the editor that opens when it is ticked or
// unticked, or, without a change of the tick, by its "Edit" button or a
// double-click on its caption. The panel asks for an editor to be shown
// through editorRequested; the editors are shown out of this panel, so it
// deletes them itself when its rows are replaced.
class HostPanel : public QFrame {
    Q_OBJECT
public:
    ~HostPanel() override;

    // The interaction check boxes, top to bottom.
    std::vector<QCheckBox*> checkBoxes() const;
    // The editor that the check box opens.
    QWidget* editorOf(const QCheckBox* box) const;
    // The button beside the check box that opens its editor.
    QAbstractButton* editButtonOf(const QCheckBox* box) const;
    // The width at which the heading and a caption as long as the heading
    // show on one line: no interaction's name is longer. A narrower panel
    // wraps them.
    int oneLineWidth() const;
    // Ticks the check boxes as the interactions stand now (an undo may have
    // changed them); false, with nothing changed, when a listed interaction
    // no longer belongs to the object, whose rows must then be built anew.
    bool refreshChecks(const core::IAtmoObject& object);

signals:
    // The editor is to be shown alone in the far panel.
    void editorRequested(QWidget* editor);

protected:
    explicit HostPanel(const QString& heading);

    // Removes every row but the heading, with the editors, and takes the
    // document the next rows edit.
    void removeRows(std::shared_ptr<core::SceneDocument> document = nullptr);
    const std::shared_ptr<core::SceneDocument>& document() const { return document_; }
    // Gives the editor the document and asks for it to be shown.
    void showEditor(QWidget* editor);
    // A check box for the interaction on the row. A click switches the
    // interaction on or off and then opens its editor with `openEditor`;
    // the "Edit" button and a double-click on the caption only open it. The
    // panel owns the editor.
    void addCheckBox(int row, std::shared_ptr<core::action::AtmoInteraction> interaction, QWidget* editor,
                     std::function<void()> openEditor);

private:
    std::shared_ptr<core::SceneDocument> document_;
    QGridLayout* layout_;
    QLabel* heading_;
    std::vector<EditableCheck*> rows_;
    std::vector<QPointer<QWidget>> editors_;
    std::vector<std::shared_ptr<const core::action::AtmoInteraction>> interactions_;
};

} // namespace scenewright::gui
