#include "scenewright/gui/DefaultAtmoActionPanel.h"

#include "scenewright/core/SceneEditor.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/gui/EditingArea.h"
#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/FieldText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <iostream>
#include <stdexcept>

namespace scenewright::gui {

namespace {
// The height of one field row, for sizing the description beside them.
constexpr int rowHeight = 28;
} // namespace

using core::SceneEditor;
using core::action::FieldType;

DefaultAtmoActionPanel::DefaultAtmoActionPanel()
{
    EditorStyle::applyTo(this);
    layout_ = new QGridLayout(this);
    heading_ = EditorStyle::heading(" ");
    errorLabel_ = EditorStyle::errorLabel();
    description_ = EditorStyle::descriptionArea();

    buttonRow_ = new QWidget;
    auto* buttons = new QHBoxLayout(buttonRow_);
    buttons->setContentsMargins(0, 0, 0, 0);
    auto* save = new QPushButton("Save && Close");
    auto* cancel = new QPushButton("Cancel");
    connect(save, &QPushButton::clicked, this, &DefaultAtmoActionPanel::jButton1_actionPerformed);
    connect(cancel, &QPushButton::clicked, this, &DefaultAtmoActionPanel::jButton2_actionPerformed);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    buttons->addStretch();

    layout_->addWidget(heading_, 0, 0, 1, 3);
    layout_->addWidget(errorLabel_, 1, 0, 1, 3);
    layout_->addWidget(buttonRow_, 2, 0, 1, 2);
    layout_->addWidget(description_, 2, 2);
    layout_->setColumnStretch(1, 2);
    layout_->setColumnStretch(2, 1);
    description_->setMaximumWidth(220);
}

QLabel* DefaultAtmoActionPanel::addLabelName(int row)
{
    auto* label = new QLabel;
    layout_->addWidget(label, row, 0);
    label->show();
    return label;
}

QLineEdit* DefaultAtmoActionPanel::addTextField(int row)
{
    auto* field = new QLineEdit;
    layout_->addWidget(field, row, 1);
    field->show();
    return field;
}

QCheckBox* DefaultAtmoActionPanel::addCheckBox(int row)
{
    auto* box = new QCheckBox;
    layout_->addWidget(box, row, 0, 1, 2);
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
    errorLabel_->setText("");
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

    // The description stands beside the fields and reaches down to the buttons.
    layout_->removeWidget(buttonRow_);
    layout_->removeWidget(description_);
    layout_->addWidget(buttonRow_, count + 2, 0, 1, 2);
    layout_->addWidget(description_, 2, 2, count + 1, 1);
    // About as tall as the rows it stands beside, so that it does not push
    // the buttons away from a short list of fields.
    description_->setMaximumHeight(std::max(100, rowHeight * (count + 1)));
    description_->setPlainText(QString::fromStdString(action_->getDescription().value_or("")));
    layout_->invalidate();
    update();
}

void DefaultAtmoActionPanel::jButton1_actionPerformed()
{
    if (!action_)
        return;
    SceneEditor& editor = SceneEditor::getInstance();
    // One undo step, also when a refused field stops the save after earlier
    // fields were written.
    const auto step = editor.step("Save Action");
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        const std::string& field = fields_[i];
        if (auto* box = qobject_cast<QCheckBox*>(widgets_[i])) {
            editor.setField(*action_, field, box->isChecked());
            continue;
        }
        const std::string text = static_cast<QLineEdit*>(widgets_[i])->text().toStdString();
        if (const auto message = action_->verifyField(field, text)) {
            errorLabel_->setText(QString::fromStdString(*message));
            return;
        }
        try {
            editor.setField(*action_, field, std::string_view(text));
        } catch (const std::exception& failure) {
            std::cerr << "scenewright: " << failure.what() << "\n";
        }
    }
    errorLabel_->setText("");
    EditingArea::updateStatus(action_->getOwnerObject());
    jButton2_actionPerformed();
}

void DefaultAtmoActionPanel::jButton2_actionPerformed()
{
    EditingArea::close();
}

} // namespace scenewright::gui
