#pragma once

#include <QFrame>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QGridLayout;

namespace scenewright::core {
class IAtmoObject;
}

namespace scenewright::core::action {
class AtmoInteraction;
}

namespace scenewright::gui {

// What the three host panels share: a heading, then one check box per
// interaction, each with the editor that opens when it is clicked. The
// editors are shown in the far panel, out of this panel, so it deletes them
// itself when its rows are replaced.
class HostPanel : public QFrame {
    Q_OBJECT
public:
    ~HostPanel() override;

    // The interaction check boxes, top to bottom.
    std::vector<QCheckBox*> checkBoxes() const;
    // The editor that the check box opens.
    QWidget* editorOf(const QCheckBox* box) const;
    // Ticks the check boxes as the interactions stand now (an undo may have
    // changed them); false, with nothing changed, when a listed interaction
    // no longer belongs to the object, whose rows must then be built anew.
    bool refreshChecks(const core::IAtmoObject& object);

protected:
    explicit HostPanel(const QString& heading);

    // Removes every row but the heading, with the editors.
    void removeRows();
    // A check box for the interaction on the row; `onClick` runs with the
    // new state whenever the user clicks it. The panel owns the editor.
    void addCheckBox(int row, std::shared_ptr<const core::action::AtmoInteraction> interaction, QWidget* editor,
                     std::function<void(bool)> onClick);

private:
    QGridLayout* layout_;
    std::vector<QCheckBox*> boxes_;
    std::vector<QPointer<QWidget>> editors_;
    std::vector<std::shared_ptr<const core::action::AtmoInteraction>> interactions_;
};

} // namespace scenewright::gui
