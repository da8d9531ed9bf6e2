#include "scenewright/gui/HostPanel.h"

#include "scenewright/core/action/AtmoInteraction.h"
#include "scenewright/gui/Fonts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

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
}

void HostPanel::addCheckBox(int row, const core::action::AtmoInteraction& interaction, QWidget* editor,
                            std::function<void(bool)> onClick)
{
    // An ampersand in a name is shown, not taken as a shortcut marker.
    auto* box = new QCheckBox(QString::fromStdString(interaction.getName().value_or("")).replace("&", "&&"));
    box->setChecked(interaction.getActive());
    connect(box, &QCheckBox::clicked, this, std::move(onClick));
    layout_->addWidget(box, row, 0, Qt::AlignLeft);
    // The panel may be on show already; a new row must not wait for the next event.
    box->show();
    boxes_.push_back(box);
    editors_.emplace_back(editor);
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
