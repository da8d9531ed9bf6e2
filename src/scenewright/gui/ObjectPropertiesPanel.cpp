#include "scenewright/gui/ObjectPropertiesPanel.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/FieldText.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace scenewright::gui {

ObjectPropertiesPanel::ObjectPropertiesPanel(std::shared_ptr<core::SceneDocument> document,
                                             std::shared_ptr<core::IAtmoObject> object, QDialog* dialog)
    : document_(std::move(document)), object_(std::move(object)), dialog_(dialog)
{
    EditorStyle::applyTo(this);
    auto* layout = new QGridLayout(this);
    name_ = new QLineEdit(QString::fromStdString(object_->getName()));
    errorLabel_ = EditorStyle::errorLabel();
    errorLabel_->setText(" ");
    auto* save = new QPushButton(tr("Save"));
    auto* cancel = new QPushButton(tr("Cancel"));
    save->setDefault(true);

    layout->addWidget(EditorStyle::heading(tr("Object Properties Panel")), 0, 0, 1, 2);
    layout->addWidget(new QLabel(tr("Name")), 1, 0);
    layout->addWidget(name_, 1, 1);
    layout->addWidget(new QLabel(tr("Type")), 2, 0);
    layout->addWidget(EditorStyle::helpText(tr("Here you may alter you object properties. Click save to finalise.")),
                      3, 0, 1, 2);
    layout->addWidget(errorLabel_, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 6, 0, 1, 2);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(1, 1);

    connect(save, &QPushButton::clicked, this, &ObjectPropertiesPanel::save);
    connect(cancel, &QPushButton::clicked, dialog_, &QDialog::reject);
}

void ObjectPropertiesPanel::save()
{
    if (FieldText::trimmed(name_->text()).isEmpty()) {
        errorLabel_->setText(tr("Name cannot be empty"));
        return;
    }
    document_->renameObject(*object_, name_->text().toStdString());
    dialog_->accept();
}

} // namespace scenewright::gui
