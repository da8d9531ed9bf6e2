#include "scenewright/gui/DefaultAtmoTriggerPanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/SceneEditor.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/gui/EditingArea.h"
#include "scenewright/gui/EditorStyle.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace scenewright::gui {

namespace {
QListWidget* makeList(const QString& name)
{
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Entries wrap at their blanks rather than being cut at a narrow width.
    list->setWordWrap(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideNone);
    list->setMinimumWidth(80);
    list->setMinimumHeight(110);
    return list;
}
} // namespace

DefaultAtmoTriggerPanel::DefaultAtmoTriggerPanel()
{
    EditorStyle::applyTo(this);
    auto* layout = new QGridLayout(this);
    heading_ = EditorStyle::heading(" ");
    objects_ = makeList("atmoObjects");
    actions_ = makeList("atmoActions");
    triggerActions_ = makeList("triggerActions");

    auto* moveButtons = new QVBoxLayout;
    auto* add = new QPushButton(">>");
    auto* remove = new QPushButton("<<");
    add->setMaximumWidth(44);
    remove->setMaximumWidth(44);
    moveButtons->addStretch();
    moveButtons->addWidget(add);
    moveButtons->addWidget(remove);
    moveButtons->addStretch();

    synch_ = new QCheckBox("Enable Shared Object Synchronisation");
    errorLabel_ = EditorStyle::errorLabel();
    extraRows_ = new QGridLayout;

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton("Save");
    auto* saveClose = new QPushButton("Save && Close");
    auto* close = new QPushButton("Close");
    buttons->addWidget(save);
    buttons->addWidget(saveClose);
    buttons->addWidget(close);
    buttons->addStretch();

    layout->addWidget(heading_, 0, 0, 1, 4);
    layout->addWidget(new QLabel("Atmo Objects"), 1, 0);
    layout->addWidget(new QLabel("Atmo Actions"), 1, 1);
    layout->addWidget(new QLabel("Trigger Actions"), 1, 3);
    layout->addWidget(objects_, 2, 0);
    layout->addWidget(actions_, 2, 1);
    layout->addLayout(moveButtons, 2, 2);
    layout->addWidget(triggerActions_, 2, 3);
    layout->addLayout(extraRows_, 3, 0, 1, 4);
    layout->addWidget(synch_, 4, 0, 1, 4);
    layout->addWidget(errorLabel_, 5, 0, 1, 4);
    layout->addLayout(buttons, 6, 0, 1, 4);
    for (int column : {0, 1, 3})
        layout->setColumnStretch(column, 1);

    connect(objects_, &QListWidget::currentRowChanged, this, &DefaultAtmoTriggerPanel::jlist1_valueChanged);
    connect(add, &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::addSelectedAction);
    connect(remove, &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::removeSelectedAction);
    connect(synch_, &QCheckBox::clicked, this, [this](bool on) {
        if (trigger_)
            core::SceneEditor::getInstance().setFieldValue(*trigger_, "usesSynch", on);
    });
    connect(save, &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::save);
    connect(saveClose, &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::saveAndClose);
    connect(close, &QPushButton::clicked, this, &DefaultAtmoTriggerPanel::closeEditor);
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
    errorLabel_->setText("");
    offeredActions_.clear();
    actions_->clear();

    // Every object but the world, which the registry keeps first.
    const QSignalBlocker blocker(objects_);
    objects_->clear();
    offeredObjects_.clear();
    const auto& objects = core::ObjectManager::getInstance().getAtmoObjectListData();
    for (std::size_t i = 1; i < objects.size(); ++i) {
        offeredObjects_.push_back(objects[i]);
        objects_->addItem(QString::fromStdString(objects[i]->toString()));
    }

    for (const auto& action : trigger_->getActionList())
        if (action->getActive())
            working_.push_back(action);
    showWorkingList();
    synch_->setChecked(trigger_->usesSynch);
    loadFields();
}

void DefaultAtmoTriggerPanel::jlist1_valueChanged(int row)
{
    actions_->clear();
    offeredActions_.clear();
    if (row < 0 || row >= static_cast<int>(offeredObjects_.size()))
        return;
    for (const auto& action : offeredObjects_[row]->getAtmoActionListData()) {
        if (!action->getActive())
            continue;
        offeredActions_.push_back(action);
        actions_->addItem(QString::fromStdString(action->toString()));
    }
}

void DefaultAtmoTriggerPanel::showWorkingList()
{
    triggerActions_->clear();
    for (const auto& action : working_)
        triggerActions_->addItem(QString::fromStdString(action->toString()));
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
    core::SceneEditor& editor = core::SceneEditor::getInstance();
    // The fields and the action list are one undo step.
    const auto step = editor.step("Save Trigger");
    if (!saveFields())
        return false;
    editor.setTriggerActions(*trigger_, working_);
    return true;
}

void DefaultAtmoTriggerPanel::save()
{
    if (writeTrigger())
        EditingArea::updateStatus(trigger_->getTriggerObject());
}

void DefaultAtmoTriggerPanel::saveAndClose()
{
    if (!writeTrigger())
        return;
    EditingArea::close();
    EditingArea::updateStatus(trigger_->getTriggerObject());
}

void DefaultAtmoTriggerPanel::closeEditor()
{
    EditingArea::close();
}

} // namespace scenewright::gui
