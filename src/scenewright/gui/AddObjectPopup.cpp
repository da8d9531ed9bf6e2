#include "scenewright/gui/AddObjectPopup.h"

#include "scenewright/core/AtmoObject.h"
#include "scenewright/core/ObjectKind.h"
#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/FieldText.h"
#include "scenewright/gui/Fonts.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace scenewright::gui {

namespace {
const char* const helpText = QT_TR_NOOP(
    "Enter in the name of the object you wish to define javascript for. It is important to use the full name. "
    "For example if your model is called man.aer, then the Name must equal 'man.aer'. For viewpoint objects & "
    "primitives, they must already be added to your World .aer and should also have a unique name. For Solid "
    "Objects, you can specify an index or an unique name. Note: no quotes are necessary.");
} // namespace

AddObjectPopup::AddObjectPopup(QDialog* dialog) : dialog_(dialog)
{
    EditorStyle::applyTo(this);
    auto* layout = new QGridLayout(this);
    name_ = new QLineEdit;
    type_ = new QComboBox;
    for (const core::ObjectKind& kind : core::ObjectKind::all())
        type_->addItem(kind.type);
    solidObjectLabel_ = new QLabel(tr("Solid Object Name/Index"));
    solidObject_ = new QLineEdit;
    solidObjectLabel_->setEnabled(false);
    solidObject_->setEnabled(false);
    auto* help = new QLabel(tr(helpText));
    help->setWordWrap(true);
    help->setFont(Fonts::sansSerif(12, false));
    errorLabel_ = EditorStyle::errorLabel();
    errorLabel_->setText(" ");
    auto* ok = new QPushButton(tr("Ok"));
    auto* cancel = new QPushButton(tr("Cancel"));
    ok->setDefault(true);

    layout->addWidget(new QLabel(tr("Name")), 0, 0);
    layout->addWidget(name_, 0, 1);
    layout->addWidget(new QLabel(tr("Object Type")), 1, 0);
    layout->addWidget(type_, 1, 1);
    layout->addWidget(solidObjectLabel_, 2, 0);
    layout->addWidget(solidObject_, 2, 1);
    layout->addWidget(help, 3, 0, 1, 2);
    layout->addWidget(errorLabel_, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 5, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(3, 1);

    connect(type_, &QComboBox::currentTextChanged, this, &AddObjectPopup::typeChosen);
    connect(ok, &QPushButton::clicked, this, &AddObjectPopup::ok);
    connect(cancel, &QPushButton::clicked, dialog_, &QDialog::reject);
}

void AddObjectPopup::typeChosen(const QString& type)
{
    const bool primitive = type == core::IAtmoObject::TYPE_PRIMITIVE;
    solidObjectLabel_->setEnabled(primitive);
    solidObject_->setEnabled(primitive);
    if (primitive)
        solidObject_->setText("0");
}

void AddObjectPopup::ok()
{
    if (FieldText::trimmed(name_->text()).isEmpty()) {
        errorLabel_->setText(tr("Name cannot be empty"));
        return;
    }
    if (solidObject_->isEnabled() && FieldText::trimmed(solidObject_->text()).isEmpty()) {
        errorLabel_->setText(tr("Must specify a solid object index or name"));
        return;
    }
    emit addRequested(name_->text(), type_->currentText(),
                      solidObject_->isEnabled() ? FieldText::trimmed(solidObject_->text()) : QString());
}

} // namespace scenewright::gui
