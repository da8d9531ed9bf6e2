#include "scenewright/gui/HostPanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoInteraction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/gui/EditableCheck.h"
#include "scenewright/gui/EditorFrame.h"
#include "scenewright/gui/Fonts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace scenewright::gui {

HostPanel::HostPanel(const QString& heading)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    layout_ = new QGridLayout(this);
    layout_->setContentsMargins(6, 6, 6, 6);
    heading_ = new QLabel(heading);
    heading_->setFont(Fonts::dialog(10, true));
    heading_->setWordWrap(true);
    layout_->addWidget(heading_, 0, 0);
}

HostPanel::~HostPanel()
{
    removeRows();
}

void HostPanel::removeRows(std::shared_ptr<core::SceneDocument> document)
{
    document_ = std::move(document);
    for (EditableCheck* row : rows_)
        delete row;
    rows_.clear();
    // An editor may sit in the far panel, which would otherwise own it.
    for (const QPointer<QWidget>& editor : editors_)
        delete editor.data();
    editors_.clear();
    interactions_.clear();
}

void HostPanel::addCheckBox(int row, std::shared_ptr<core::action::AtmoInteraction> interaction, QWidget* editor,
                            std::function<void()> openEditor)
{
    // An ampersand in a name is shown, not taken as a shortcut marker.
    auto* check = new EditableCheck(QString::fromStdString(interaction->getName().value_or("")).replace("&", "&&"));
    check->checkBox()->setChecked(interaction->getActive());
    connect(check, &EditableCheck::clicked, this, [this, interaction, openEditor](bool checked) {
        if (document_)
            document_->setActive(*interaction, checked);
        openEditor();
    });
    // An editor already on show keeps what the user has typed into it.
    connect(check, &EditableCheck::editRequested, this, [editor, openEditor] {
        if (!editor->parentWidget() || editor->isHidden())
            openEditor();
    });
    layout_->addWidget(check, row, 0);
    // The panel may be on show already; a new row must not wait for the next event.
    check->show();
    rows_.push_back(check);
    editors_.emplace_back(editor);
    interactions_.push_back(std::move(interaction));
}

void HostPanel::showEditor(QWidget* editor)
{
    if (auto* frame = qobject_cast<EditorFrame*>(editor))
        frame->setDocument(document_);
    emit editorRequested(editor);
}

int HostPanel::oneLineWidth() const
{
    const EditableCheck sample(heading_->text());
    const int widest = std::max(heading_->fontMetrics().horizontalAdvance(heading_->text()), sample.sizeHint().width());
    const QMargins margins = layout_->contentsMargins();
    return widest + margins.left() + margins.right() + 2 * frameWidth();
}

bool HostPanel::refreshChecks(const core::IAtmoObject& object)
{
    const auto& actions = object.getAtmoActionListData();
    const auto& triggers = object.getAtmoTriggerListData();
    auto held = [&](const core::action::AtmoInteraction* interaction) {
        return std::any_of(actions.begin(), actions.end(), [&](const auto& a) { return a.get() == interaction; })
            || std::any_of(triggers.begin(), triggers.end(), [&](const auto& t) { return t.get() == interaction; });
    };
    for (const auto& interaction : interactions_)
        if (!held(interaction.get()))
            return false;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        rows_[i]->checkBox()->setChecked(interactions_[i]->getActive());
    return true;
}

std::vector<QCheckBox*> HostPanel::checkBoxes() const
{
    std::vector<QCheckBox*> boxes;
    for (const EditableCheck* row : rows_)
        boxes.push_back(row->checkBox());
    return boxes;
}

QWidget* HostPanel::editorOf(const QCheckBox* box) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i]->checkBox() == box)
            return editors_[i].data();
    return nullptr;
}

QAbstractButton* HostPanel::editButtonOf(const QCheckBox* box) const
{
    for (const EditableCheck* row : rows_)
        if (row->checkBox() == box)
            return row->editButton();
    return nullptr;
}

} // namespace scenewright::gui
