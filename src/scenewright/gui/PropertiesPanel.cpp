#include "scenewright/gui/PropertiesPanel.h"

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/NumberParser.h"
#include "scenewright/core/PhysicalModel.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/FieldText.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace scenewright::gui {

using core::PhysicalModel;

namespace {
const char* const helpText = QT_TR_NOOP(
    "Set your Viewpoint/Model objects physical properties here. Physical properties include things like "
    "collisions and Havok physics components. Changes made in this window are automatically saved for the "
    "object. The sub-window on the left are immediate properties of the object. The sub-window on the right "
    "are physics inter-object components. Click Add/Remove Property to adjust them. You will also note that "
    "when 'enable physical model' is selected, additional Atmo Actions are added to the main panel. They also "
    "disappear when 'enable physical model' is unchecked");

PhysicalModel* modelOf(core::IAtmoObject& object)
{
    if (auto* model = dynamic_cast<core::ModelObj*>(&object))
        return &model->pm;
    if (auto* viewpoint = dynamic_cast<core::ViewpointObj*>(&object))
        return &viewpoint->pm;
    return nullptr;
}

QSlider* makeSlider()
{
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->setValue(50);
    return slider;
}
} // namespace

PropertiesPanel::PropertiesPanel(std::shared_ptr<core::SceneDocument> document,
                                 std::shared_ptr<core::IAtmoObject> object, QDialog* dialog)
    : document_(std::move(document)), object_(std::move(object)), model_(modelOf(*object_)), dialog_(dialog)
{
    EditorStyle::applyTo(this);
    auto* layout = new QGridLayout(this);

    auto* caption = new QHBoxLayout;
    QLabel* heading = EditorStyle::heading(tr("Physical Model Properties for : "));
    heading->setWordWrap(false);
    caption->addWidget(heading);
    caption->addWidget(new QLabel(QString::fromStdString(object_->toString())));
    caption->addStretch();

    auto* enable = new QCheckBox(tr("enable physical model"));
    auto* collisions = new QCheckBox(tr("enable collisions"));
    auto* fixed = new QCheckBox(tr("is fixed to world"));
    frictionSlider_ = makeSlider();
    inertiaSlider_ = makeSlider();
    friction_ = new QLineEdit("0.5");
    inertia_ = new QLineEdit("0.5");
    mass_ = new QLineEdit("10");
    errorLabel_ = EditorStyle::errorLabel();
    auto* addProperty = new QPushButton(tr("Add Property"));
    auto* removeProperty = new QPushButton(tr("Remove Property"));
    auto* close = new QPushButton(tr("Close Window"));
    // What these should manage is not settled yet; they are shown inactive.
    addProperty->setToolTip(tr("Not available yet"));
    removeProperty->setToolTip(tr("Not available yet"));

    layout->addLayout(caption, 0, 0, 1, 3);
    layout->addWidget(enable, 1, 0, 1, 3);
    layout->addWidget(collisions, 2, 0, 1, 3);
    layout->addWidget(fixed, 3, 0, 1, 3);
    layout->addWidget(new QLabel(tr("Friction")), 4, 0);
    layout->addWidget(frictionSlider_, 4, 1);
    layout->addWidget(friction_, 4, 2);
    layout->addWidget(new QLabel(tr("Inertia")), 5, 0);
    layout->addWidget(inertiaSlider_, 5, 1);
    layout->addWidget(inertia_, 5, 2);
    layout->addWidget(new QLabel(tr("Initial Mass")), 6, 0);
    layout->addWidget(mass_, 6, 2);
    auto* propertyButtons = new QHBoxLayout;
    propertyButtons->addWidget(addProperty);
    propertyButtons->addWidget(removeProperty);
    propertyButtons->addStretch();
    layout->addLayout(propertyButtons, 7, 0, 1, 3);
    layout->addWidget(EditorStyle::helpText(tr(helpText)), 8, 0, 1, 3);
    layout->addWidget(errorLabel_, 9, 0, 1, 3);
    layout->addWidget(close, 10, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(8, 1);

    if (!model_)
        return;
    friction_->setText(FieldText::number(model_->friction));
    inertia_->setText(FieldText::number(model_->inertia));
    mass_->setText(FieldText::number(model_->initialmass));
    enable->setChecked(model_->active);
    collisions->setChecked(model_->collisions);
    fixed->setChecked(model_->fixed);

    connect(enable, &QCheckBox::toggled, this, [this](bool on) { write(&PhysicalModel::active, on); });
    connect(collisions, &QCheckBox::toggled, this, [this](bool on) { write(&PhysicalModel::collisions, on); });
    connect(fixed, &QCheckBox::toggled, this, [this](bool on) { write(&PhysicalModel::fixed, on); });
    connect(frictionSlider_, &QSlider::valueChanged, this, [this](int value) {
        friction_->setText(FieldText::number(value / 100.0));
        write(&PhysicalModel::friction, value / 100.0, "friction");
    });
    connect(inertiaSlider_, &QSlider::valueChanged, this, [this](int value) {
        inertia_->setText(FieldText::number(value / 100.0));
        write(&PhysicalModel::inertia, value / 100.0, "inertia");
    });
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, [this] {
        if (onClose())
            dialog_->accept();
    });
}

void PropertiesPanel::write(double PhysicalModel::*field, double value, const char* slider)
{
    // An unchanged value is not a change to the project.
    if (!model_ || model_->*field == value)
        return;
    PhysicalModel values = *model_;
    values.*field = value;
    document_->setPhysicalModel(*object_, *model_, values, slider ? slider : "");
}

void PropertiesPanel::write(bool PhysicalModel::*field, bool value)
{
    if (!model_ || model_->*field == value)
        return;
    PhysicalModel values = *model_;
    values.*field = value;
    document_->setPhysicalModel(*object_, *model_, values);
}

bool PropertiesPanel::check(const QLineEdit* text, double PhysicalModel::*field, bool (*accepts)(double),
                            const QString& message)
{
    const auto value = core::NumberParser::parseDouble(text->text().toStdString());
    if (!value || !accepts(*value)) {
        errorLabel_->setText(message);
        return false;
    }
    write(field, *value);
    return true;
}

bool PropertiesPanel::onClose()
{
    const auto step = document_->step("Change Physical Properties");
    const auto notNegative = [](double value) { return value >= 0.0; };
    const auto positive = [](double value) { return value > 0.0; };
    if (!check(inertia_, &PhysicalModel::inertia, notNegative, tr("Inertia should be a number >= 0.0"))
        || !check(friction_, &PhysicalModel::friction, notNegative, tr("Friction should be a number >= 0.0"))
        || !check(mass_, &PhysicalModel::initialmass, positive, tr("Initial mass should be a number > 0.0")))
        return false;
    errorLabel_->setText("");
    return true;
}

} // namespace scenewright::gui
