#include "scenewright/gui/FogPanel.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/gui/ColourChooserRow.h"
#include "scenewright/gui/FieldText.h"

#include <QCheckBox>
#include <QLineEdit>

namespace scenewright::gui {

using core::World;

const char* const FogPanel::helpText =
    "The fog effect causes your world to be filled with a mist that obscures objects based on their distance "
    "from the user. The near and far properties determine the range of this transition and the dropOff "
    "property controls the rate of change within that range";

FogPanel::FogPanel(QWidget* parent)
    : EffectPanel({"Fog ", helpText, "Fog Colour", "This will be the colour of your Fog",
                   "Enable Fog to be turned off/on via the Control Panel"},
                  {{"Near", "10", "(in feet)"}, {"Far", "100", "(in feet)"}, {"Dropoff", "1", "(0,1,2)"}}, parent)
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
    core::SceneDocument& editor = *document();
    World::Fog fog = world.getFog();
    // A refused field keeps what the fields before it stored.
    bool stored = false;
    auto refuse = [&](const QString& message) {
        if (stored)
            editor.setFog(world, fog);
        return std::optional<QString>(message);
    };

    const auto near = FieldText::decimal("Near", fieldText(ROW_NEAR), "'Near' must be a number");
    if (!near.value)
        return refuse(near.refusal);
    fog.near = *near.value;
    stored = true;

    const auto far = FieldText::decimal("Far", fieldText(ROW_FAR), "'Far' must be a number");
    if (!far.value)
        return refuse(far.refusal);
    fog.far = *far.value;

    // A whole number out of range is stored before it is refused; it stays
    // until a later save succeeds.
    const QString dropOffRange = "Dropoff must be either 0, 1, or 2";
    const auto dropOff = FieldText::whole("Dropoff", fieldText(ROW_DROPOFF), dropOffRange);
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
    editor.setFog(world, fog);
    return std::nullopt;
}

} // namespace scenewright::gui
