#include "scenewright/gui/DefaultAtmoTriggerPanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/gui/ElidingItemDelegate.h"
#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/WrappingCheckBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace scenewright::gui {

namespace {
QListWidget* makeList(const QString& name)
{
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    new ElidingItemDelegate(list);
    // About five entries, so that the fields below stay near.
    list->setMinimumHeight(90);
    list->setMaximumHeight(130);
    return list;
}

// An entry on one line; its whole text shows as its tooltip.
void addEntry(QListWidget* list, const std::string& text)
{
    auto* item = new QListWidgetItem(QString::fromStdString(text), list);
    item->setToolTip(item->text());
}
} // namespace

DefaultAtmoTriggerPanel::DefaultAtmoTriggerPanel()
{
    EditorStyle::applyTo(this);
    heading_ = EditorStyle::heading(tr(" "));
    objects_ = makeList("atmoObjects");
    actions_ = makeList("atmoActions");
    triggerActions_ = makeList("triggerActions");

    // The lists of what there is to fire stand side by side; the trigger's
    // own list, below the buttons that move actions into it and out of it,
    // takes the whole width, so that its entries show whole.
    auto* moveButtons = new QHBoxLayout;
    auto* add = new QPushButton(tr(">>"));
    auto* remove = new QPushButton(tr("<<"));
    add->setToolTip(tr("Add the selected action to the trigger actions"));
    remove->setToolTip(tr("Take the selected action out of the trigger actions"));
    moveButtons->addStretch();
    moveButtons->addWidget(add);
    moveButtons->addWidget(remove);
    moveButtons->addStretch();

    synch_ = new WrappingCheckBox(tr("Enable Shared Object Synchronisation"));
    extraRows_ = new QGridLayout;

    QGridLayout* layout = body();
    layout->addWidget(heading_, 0, 0, 1, 2);
    layout->addWidget(new QLabel(tr("Atmo Objects")), 1, 0);
    layout->addWidget(new QLabel(tr("Atmo Actions")), 1, 1);
    layout->addWidget(objects_, 2, 0);
    layout->addWidget(actions_, 2, 1);
    layout->addLayout(moveButtons, 3, 0, 1, 2);
    layout->addWidget(new QLabel(tr("Trigger Actions")), 4, 0, 1, 2);
    layout->addWidget(triggerActions_, 5, 0, 1, 2);
    layout->addLayout(extraRows_, 6, 0, 1, 2);
    layout->addWidget(synch_, 7, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);

    connect(objects_, &QListWidget::currentRowChanged, this, &DefaultAtmoTriggerPanel::showActionsOf);
    connect(add, &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::addSelectedAction);
    connect(remove, &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::removeSelectedAction);
    connect(synch_, &QCheckBox::clicked, this, [this](bool on) {
        if (trigger_)
            document()->setFieldValue(*trigger_, "usesSynch", on);
    });
    connect(addButton(tr("Save")), &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::save);
    connect(addButton(tr("Save && Close")), &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::saveAndClose);
    connect(addButton(tr("Close")), &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::closeEditor);
}

void DefaultAtmoTriggerPanel::setSynchCaption(const QString& caption)
{
    synch_->setText(caption);
}

void DefaultAtmoTriggerPanel::setAction(std::shared_ptr<core::action::AtmoTrigger> trigger)
{
    working_.clear();
    trigger_ = std::move(trigger);
    heading_->setText(QString::fromStdString(trigger_->getName().value_or("")));
    errorLabel()->setText("");
    offeredActions_.clear();
    actions_->clear();

    // Every object but the world, which the document keeps first.
    const QSignalBlocker blocker(objects_);
    objects_->clear();
    offeredObjects_.clear();
    if (document()) {
        const auto& objects = document()->objects();
        for (std::size_t i = 1; i < objects.size(); ++i) {
            offeredObjects_.push_back(objects[i]);
            addEntry(objects_, objects[i]->toString());
        }
    }

    for (const auto& action : trigger_->getActionList())
        if (action->getActive())
            working_.push_back(action);
    showWorkingList();
    synch_->setChecked(trigger_->usesSynch);
    loadFields();
    scrollToTop();
}

void DefaultAtmoTriggerPanel::showActionsOf(int row)
{
    actions_->clear();
    offeredActions_.clear();
    if (row < 0 || row >= static_cast<int>(offeredObjects_.size()))
        return;
    for (const auto& action : offeredObjects_[row]->getAtmoActionListData()) {
        if (!action->getActive())
            continue;
        offeredActions_.push_back(action);
        addEntry(actions_, action->toString());
    }
}

void DefaultAtmoTriggerPanel::showWorkingList()
{
    triggerActions_->clear();
    for (const auto& action : working_)
        addEntry(triggerActions_, action->toString());
}

void DefaultAtmoTriggerPanel::addSelectedAction()
{
    const int row = actions_->currentRow();
    if (row < 0 || row >= static_cast<int>(offeredActions_.size()) || !actions_->currentItem()->isSelected())
        return;
    // The very action, not a copy; the same one may be added more than once.
    working_.push_back(offeredActions_[row]);
    showWorkingList();
}

void DefaultAtmoTriggerPanel::removeSelectedAction()
{
    const int row = triggerActions_->currentRow();
    if (row < 0 || row >= static_cast<int>(working_.size()) || !triggerActions_->currentItem()->isSelected())
        return;
    const auto selected = working_[row];
    working_.erase(std::find(working_.begin(), working_.end(), selected));
    showWorkingList();
}

bool DefaultAtmoTriggerPanel::writeTrigger()
{
    if (!trigger_)
        return false;
    core::SceneDocument& scene = *document();
    // The fields and the action list are one undo step.
    const auto step = scene.step("Save Trigger");
    if (!saveFields())
        return false;
    scene.setTriggerActions(*trigger_, working_);
    return true;
}

void DefaultAtmoTriggerPanel::save()
{
    writeTrigger();
}

void DefaultAtmoTriggerPanel::saveAndClose()
{
    if (!writeTrigger())
        return;
    emit closeRequested();
}

void DefaultAtmoTriggerPanel::closeEditor()
{
    emit closeRequested();
}

} // namespace scenewright::gui
