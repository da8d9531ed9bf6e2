#include "scenewright/gui/FogPanel.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/gui/ColourChooserRow.h"
#include "scenewright/gui/FieldText.h"

#include <QCheckBox>
#include <QLineEdit>

namespace scenewright::gui {

using core::World;

const char* const FogPanel::helpText = QT_TR_NOOP(
    "The fog effect causes your world to be filled with a mist that obscures objects based on their distance "
    "from the user. The near and far properties determine the range of this transition and the dropOff "
    "property controls the rate of change within that range");

FogPanel::FogPanel(QWidget* parent)
    : EffectPanel({tr("Fog "), tr(helpText), tr("Fog Colour"), tr("This will be the colour of your Fog"),
                   tr("Enable Fog to be turned off/on via the Control Panel")},
                  {{tr("Near"), "10", tr("(in feet)")}, {tr("Far"), "100", tr("(in feet)")}, {tr("Dropoff"), "1", "(0,1,2)"}},
                  parent)
{
}

void FogPanel::load(const World& world)
{
    const World::Fog& fog = world.getFog();
    numberField(ROW_NEAR)->setText(FieldText::number(fog.near));
    numberField(ROW_FAR)->setText(FieldText::number(fog.far));
    numberField(ROW_DROPOFF)->setText(QString::number(fog.dropOff));
    colourRow()->setColour(ColourChooserRow::fromFractions(fog.colourr, fog.colourg, fog.colourb));
    controlPanelBox()->setChecked(fog.addControlPanelButtonOffOn);
}

std::optional<QString> FogPanel::store(World& world)
{
    core::SceneDocument& scene = *document();
    World::Fog fog = world.getFog();
    // A refused field keeps what the fields before it stored.
    bool stored = false;
    auto refuse = [&](const QString& message) {
        if (stored)
            scene.setFog(world, fog);
        return std::optional<QString>(message);
    };

    const auto near = FieldText::decimal(tr("Near"), fieldText(ROW_NEAR), tr("'Near' must be a number"));
    if (!near.value)
        return refuse(near.refusal);
    fog.near = *near.value;
    stored = true;

    const auto far = FieldText::decimal(tr("Far"), fieldText(ROW_FAR), tr("'Far' must be a number"));
    if (!far.value)
        return refuse(far.refusal);
    fog.far = *far.value;

    // A whole number out of range is stored before it is refused; it stays
    // until a later save succeeds.
    const QString dropOffRange = tr("Dropoff must be either 0, 1, or 2");
    const auto dropOff = FieldText::whole(tr("Dropoff"), fieldText(ROW_DROPOFF), dropOffRange);
    if (!dropOff.value)
        return refuse(dropOff.refusal);
    fog.dropOff = *dropOff.value;
    if (fog.dropOff < 0 || fog.dropOff > 2)
        return refuse(dropOffRange);

    const QColor colour = colourRow()->colour();
    fog.colourr = ColourChooserRow::fraction(colour.red());
    fog.colourg = ColourChooserRow::fraction(colour.green());
    fog.colourb = ColourChooserRow::fraction(colour.blue());
    fog.addControlPanelButtonOffOn = controlPanelBox()->isChecked();
    scene.setFog(world, fog);
    return std::nullopt;
}

} // namespace scenewright::gui
