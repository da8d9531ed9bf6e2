#include "scenewright/gui/ProximityTriggerPanel.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/gui/EditorStyle.h"
#include "scenewright/gui/FieldText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace scenewright::gui {

ProximityTriggerPanel::ProximityTriggerPanel()
{
    distance_ = new QLineEdit;
    continuous_ = new QCheckBox(tr("Trigger continuously"));
    description_ = EditorStyle::descriptionArea();
    QGridLayout* rows = extraRows();
    rows->addWidget(new QLabel(tr("Distance ")), 0, 0);
    rows->addWidget(distance_, 0, 1);
    rows->addWidget(new QLabel(tr("(in feet)")), 0, 2);
    rows->addWidget(continuous_, 1, 0, 1, 3);
    rows->addWidget(description_, 2, 0, 1, 3);
    rows->setColumnStretch(1, 1);
    setSynchCaption(tr("Enable Shared Objects Synchronisation"));
}

void ProximityTriggerPanel::loadFields()
{
    description_->setText(QString::fromStdString(trigger()->getDescription().value_or("")));
    const auto* proximity = dynamic_cast<const core::action::ProximityTrigger*>(trigger().get());
    if (!proximity)
        return;
    distance_->setText(FieldText::number(proximity->distance));
    continuous_->setChecked(proximity->continuous);
}

bool ProximityTriggerPanel::saveFields()
{
    auto* proximity = dynamic_cast<core::action::ProximityTrigger*>(trigger().get());
    if (!proximity)
        return true;
    core::SceneDocument& scene = *document();
    if (const auto refusal = scene.setFieldText(*proximity, "distance", distance_->text().toStdString())) {
        errorLabel()->setText(QString::fromStdString(*refusal));
        return false;
    }
    scene.setFieldValue(*proximity, "continuous", continuous_->isChecked());
    errorLabel()->setText("");
    return true;
}

} // namespace scenewright::gui
