#include "scenewright/gui/DefaultAtmoActionPanel.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/FieldText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>


namespace scenewright::gui {

using core::action::FieldType;

DefaultAtmoActionPanel::DefaultAtmoActionPanel()
{
    EditorStyle::applyTo(this);
    heading_ = EditorStyle::heading(tr(" "));
    description_ = EditorStyle::descriptionArea();
    connect(addButton(tr("Save && Close")), &QPushButton::clicked, this, &DefaultAtmoActionPanel::saveAndClose);
    connect(addButton(tr("Cancel")), &QPushButton::clicked, this, &DefaultAtmoActionPanel::cancel);

    body()->addWidget(heading_, 0, 0, 1, 2);
    body()->addWidget(description_, 2, 0, 1, 2);
    body()->setColumnStretch(1, 1);
}

QLabel* DefaultAtmoActionPanel::addLabelName(int row)
{
    auto* label = new QLabel;
    body()->addWidget(label, row, 0);
    label->show();
    return label;
}

QLineEdit* DefaultAtmoActionPanel::addTextField(int row)
{
    auto* field = new QLineEdit;
    body()->addWidget(field, row, 1);
    field->show();
    return field;
}

QCheckBox* DefaultAtmoActionPanel::addCheckBox(int row)
{
    auto* box = new QCheckBox;
    body()->addWidget(box, row, 0, 1, 2);
    box->show();
    return box;
}

void DefaultAtmoActionPanel::removeFieldRows()
{
    for (QWidget* widget : widgets_)
        delete widget;
    for (QLabel* label : labels_)
        delete label;
    widgets_.clear();
    labels_.clear();
}

void DefaultAtmoActionPanel::setAction(std::shared_ptr<core::action::AtmoAction> action)
{
    action_ = std::move(action);
    errorLabel()->setText("");
    heading_->setText(QString::fromStdString(action_->getName().value_or("")));
    removeFieldRows();

    fields_ = action_->getFields();
    const int count = static_cast<int>(fields_.size());
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromStdString(fields_[i]);
        const auto value = action_->get(fields_[i]);
        if (action_->getType(fields_[i]) == FieldType::Boolean) {
            QCheckBox* box = addCheckBox(i + 2);
            box->setChecked(std::holds_alternative<bool>(value) && std::get<bool>(value));
            box->setText(name);
            widgets_.push_back(box);
        } else {
            QLabel* label = addLabelName(i + 2);
            label->setText(name);
            labels_.push_back(label);
            QLineEdit* field = addTextField(i + 2);
            field->setText(FieldText::of(value));
            widgets_.push_back(field);
        }
    }

    // The description follows the fields.
    body()->removeWidget(description_);
    body()->addWidget(description_, count + 2, 0, 1, 2);
    description_->setText(QString::fromStdString(action_->getDescription().value_or("")));
    scrollToTop();
}

void DefaultAtmoActionPanel::saveAndClose()
{
    if (!action_)
        return;
    core::SceneDocument& scene = *document();
    // One undo step, also when a refused field stops the save after earlier
    // fields were written.
    const auto step = scene.step("Save Action");
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        const std::string& field = fields_[i];
        if (auto* box = qobject_cast<QCheckBox*>(widgets_[i])) {
            scene.setField(*action_, field, box->isChecked());
            continue;
        }
        const std::string text = static_cast<QLineEdit*>(widgets_[i])->text().toStdString();
        if (const auto refusal = scene.setFieldText(*action_, field, text)) {
            errorLabel()->setText(QString::fromStdString(*refusal));
            return;
        }
    }
    errorLabel()->setText("");
    cancel();
}

void DefaultAtmoActionPanel::cancel()
{
    emit closeRequested();
}

} // namespace scenewright::gui
