#include "scenewright/gui/MovePositionActionPanel.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/FieldText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace scenewright::gui {

namespace {
const char* const helpText = QT_TR_NOOP(
    "You can specify whether to move this object by a set direction or to follow a set of Anchor points. "
    "Anchors are a kind of invisible primitive you can add in the Atmosphere Builder. You do not need to add "
    "these anchor objects anywhere else in the Scenewright. It is important however to add the anchors in the "
    "order in which you wish the object to be transported.  For example 'anch1','anch2' will transport from "
    "anch1 => anch2");
} // namespace

MovePositionActionPanel::MovePositionActionPanel()
{
    EditorStyle::applyTo(this);
    QGridLayout* layout = body();

    byDirection_ = new QRadioButton(tr("Move object by direction"));
    viaAnchors_ = new QRadioButton(tr("Move object via Anchors"));
    auto* group = new QButtonGroup(this);
    group->addButton(byDirection_);
    group->addButton(viaAnchors_);
    byDirection_->setChecked(true);

    x_ = new QLineEdit;
    y_ = new QLineEdit;
    z_ = new QLineEdit;
    smooth_ = new QCheckBox(tr("Smooth transition"));
    anchorName_ = new QLineEdit;
    addAnchor_ = new QPushButton(tr("Add new Anchor (name)"));
    anchorList_ = new QListWidget;
    anchorList_->setObjectName("anchors");
    anchorList_->setMinimumHeight(70);
    anchorList_->setMaximumHeight(90);
    removeAnchor_ = new QPushButton(tr("Remove selected anchor"));
    speed_ = new QLineEdit;
    auto* save = addButton(tr("Save && close"));
    auto* cancel = addButton(tr("Cancel changes"));

    // One mode to a row, so that both show whole in a narrow panel.
    int row = 0;
    layout->addWidget(EditorStyle::heading(tr("Move object to position/direction")), row++, 0, 1, 3);
    layout->addWidget(EditorStyle::helpText(tr(helpText)), row++, 0, 1, 3);
    layout->addWidget(byDirection_, row++, 0, 1, 3);
    layout->addWidget(viaAnchors_, row++, 0, 1, 3);
    const std::pair<const char*, QLineEdit*> directions[] = {
        {QT_TR_NOOP("X Direction"), x_}, {QT_TR_NOOP("Y Direction"), y_}, {QT_TR_NOOP("Z Direction"), z_}};
    for (const auto& [caption, field] : directions) {
        layout->addWidget(new QLabel(tr(caption)), row, 0);
        layout->addWidget(field, row, 1);
        layout->addWidget(new QLabel(tr("(in feet)")), row++, 2);
    }
    layout->addWidget(smooth_, row++, 0, 1, 3);
    // The anchor rows have columns of their own, so that the wide buttons
    // do not widen the direction rows above them.
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(anchorName_, 1);
    addRow->addWidget(addAnchor_);
    layout->addLayout(addRow, row++, 0, 1, 3);
    auto* anchorsCaption = new QLabel(tr("Current anchors (order is important)"));
    anchorsCaption->setWordWrap(true);
    layout->addWidget(anchorsCaption, row++, 0, 1, 3);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(anchorList_, 1);
    listRow->addWidget(removeAnchor_, 0, Qt::AlignTop);
    layout->addLayout(listRow, row++, 0, 1, 3);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(new QLabel(tr("Speed (feet per second)")));
    speedRow->addWidget(speed_, 1);
    layout->addLayout(speedRow, row++, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    for (QLineEdit* field : {x_, y_, z_, speed_})
        field->setMinimumWidth(60);

    connect(byDirection_, &QRadioButton::clicked, this, [this] { applyMode(false); });
    connect(viaAnchors_, &QRadioButton::clicked, this, [this] { applyMode(true); });
    connect(addAnchor_, &QPushButton::clicked, this, &MovePositionActionPanel::addAnchor);
    connect(removeAnchor_, &QPushButton::clicked, this, &MovePositionActionPanel::removeSelectedAnchor);
    connect(save, &QPushButton::clicked, this, &MovePositionActionPanel::saveAndClose);
    connect(cancel, &QPushButton::clicked, this, &MovePositionActionPanel::cancelChanges);
    applyMode(false);
}

void MovePositionActionPanel::reloadFromModel()
{
    if (action_)
        setAction(action_);
}

void MovePositionActionPanel::setAction(std::shared_ptr<core::action::AtmoAction> action)
{
    action_ = std::dynamic_pointer_cast<core::action::MovePositionAction>(action);
    errorLabel()->setText("");
    if (!action_)
        return;
    (action_->usesAnchors ? viaAnchors_ : byDirection_)->setChecked(true);
    x_->setText(FieldText::number(action_->xdirection));
    y_->setText(FieldText::number(action_->ydirection));
    z_->setText(FieldText::number(action_->zdirection));
    showAnchors();
    speed_->setText(FieldText::number(action_->speed));
    smooth_->setChecked(action_->smoothTransition);
    applyMode(action_->usesAnchors);
    scrollToTop();
}

void MovePositionActionPanel::applyMode(bool anchors)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{x_, y_, z_, smooth_})
        widget->setEnabled(!anchors);
    for (QWidget* widget : std::initializer_list<QWidget*>{anchorName_, addAnchor_, anchorList_, removeAnchor_, speed_})
        widget->setEnabled(anchors);
}

void MovePositionActionPanel::showAnchors()
{
    anchorList_->clear();
    for (const auto& anchor : action_->anchors)
        anchorList_->addItem(QString::fromStdString(anchor));
}

void MovePositionActionPanel::addAnchor()
{
    if (!action_ || FieldText::trimmed(anchorName_->text()).isEmpty())
        return;
    auto anchors = action_->anchors;
    anchors.push_back(anchorName_->text().toStdString());
    document()->setFieldValue(*action_, "anchors", anchors);
    showAnchors();
}

void MovePositionActionPanel::removeSelectedAnchor()
{
    const int row = anchorList_->currentRow();
    if (!action_ || row < 0 || row >= static_cast<int>(action_->anchors.size())
        || !anchorList_->currentItem()->isSelected())
        return;
    // By position: two anchors may carry the same name.
    auto anchors = action_->anchors;
    anchors.erase(anchors.begin() + row);
    document()->setFieldValue(*action_, "anchors", anchors);
    showAnchors();
}

bool MovePositionActionPanel::refuse(const std::optional<std::string>& message)
{
    if (message)
        errorLabel()->setText(QString::fromStdString(*message));
    return message.has_value();
}

void MovePositionActionPanel::saveAndClose()
{
    if (!action_)
        return;
    core::SceneDocument& scene = *document();
    const auto step = scene.step("Save Action");
    const std::string x = x_->text().toStdString();
    const std::string y = y_->text().toStdString();
    const std::string z = z_->text().toStdString();
    const std::string speed = speed_->text().toStdString();
    const core::SceneDocument::TypedField directions[] = {{"xdirection", x}, {"ydirection", y}, {"zdirection", z}};
    if (byDirection_->isChecked()) {
        // The three directions are stored together or not at all.
        if (refuse(scene.setFieldTexts(*action_, directions)))
            return;
        scene.setFieldValue(*action_, "usesAnchors", false);
        // The speed is not used here: a text that does not read leaves it.
        scene.setFieldText(*action_, "speed", speed);
    } else {
        // The mode is written before the checks, which may still stop the save.
        scene.setFieldValue(*action_, "usesAnchors", true);
        if (action_->anchors.empty()) {
            // A speed that does not read is named first; nothing more is stored.
            if (!refuse(action_->verifyField("speed", speed)))
                errorLabel()->setText(tr("Must specify at least one anchor name to move to"));
            return;
        }
        if (refuse(scene.setFieldText(*action_, "speed", speed)))
            return;
        // The directions are not used here: texts that do not read leave them.
        for (const auto& [field, text] : directions)
            scene.setFieldText(*action_, field, text);
    }
    scene.setFieldValue(*action_, "smoothTransition", smooth_->isChecked());
    errorLabel()->setText("");
    emit closeRequested();
}

void MovePositionActionPanel::cancelChanges()
{
    emit closeRequested();
}

} // namespace scenewright::gui
