#include "scenewright/gui/HostPanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoInteraction.h"
#include "scenewright/core/action/AtmoTrigger.h"
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
    auto* label = new QLabel(heading);
    label->setFont(Fonts::dialog(10, true));
    layout_->addWidget(label, 0, 0);
}

HostPanel::~HostPanel()
{
    removeRows();
}

void HostPanel::removeRows()
{
    for (QCheckBox* box : boxes_)
        delete box;
    boxes_.clear();
    // An editor may sit in the far panel, which would otherwise own it.
    for (const QPointer<QWidget>& editor : editors_)
        delete editor.data();
    editors_.clear();
    interactions_.clear();
}

void HostPanel::addCheckBox(int row, std::shared_ptr<const core::action::AtmoInteraction> interaction,
                            QWidget* editor, std::function<void(bool)> onClick)
{
    // An ampersand in a name is shown, not taken as a shortcut marker.
    auto* box = new QCheckBox(QString::fromStdString(interaction->getName().value_or("")).replace("&", "&&"));
    box->setChecked(interaction->getActive());
    connect(box, &QCheckBox::clicked, this, std::move(onClick));
    layout_->addWidget(box, row, 0, Qt::AlignLeft);
    // The panel may be on show already; a new row must not wait for the next event.
    box->show();
    boxes_.push_back(box);
    editors_.emplace_back(editor);
    interactions_.push_back(std::move(interaction));
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
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i]->setChecked(interactions_[i]->getActive());
    return true;
}

std::vector<QCheckBox*> HostPanel::checkBoxes() const
{
    return boxes_;
}

QWidget* HostPanel::editorOf(const QCheckBox* box) const
{
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        if (boxes_[i] == box)
            return editors_[i].data();
    return nullptr;
}

} // namespace scenewright::gui
