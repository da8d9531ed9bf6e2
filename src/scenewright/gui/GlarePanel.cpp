#include "scenewright/gui/GlarePanel.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/gui/ColourChooserRow.h"
#include "scenewright/gui/FieldText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>

namespace scenewright::gui {

using core::World;

const char* const GlarePanel::helpText = QT_TR_NOOP(
    "The glare effect creates a diffuse glow over and around an object in the Explorer view if the object was "
    "marked with \"emits light\" in the Builder. It creates the impression that the light sources are very "
    "bright, causing optical effects within the virtual camera that approximate lens flare or glare in a "
    "real-world camera.");

GlarePanel::GlarePanel(QWidget* parent)
    : EffectPanel({tr("Glare"), tr(helpText), tr("Glare Colour"), tr("This will be the colour of your Glare light"),
                   tr("Enable Glare to be turned off/on via the Control Panel")},
                  {{tr("Brightness"), "10", "(0.0-2.0)", 200},
                   {tr("Radius"), "100", tr("(in feet)")},
                   {tr("Nonlinearity"), "1", "(0.0-1.0)", 100}},
                  parent)
{
    connect(slider(ROW_BRIGHTNESS), &QSlider::valueChanged, this, &GlarePanel::showBrightness);
    connect(slider(ROW_NONLINEARITY), &QSlider::valueChanged, this, &GlarePanel::showNonlinearity);
}

void GlarePanel::showBrightness(int value)
{
    numberField(ROW_BRIGHTNESS)->setText(FieldText::number(value / 100.0));
}

void GlarePanel::showNonlinearity(int value)
{
    numberField(ROW_NONLINEARITY)->setText(FieldText::number(value / 100.0));
}

void GlarePanel::load(const World& world)
{
    const World::Glare& glare = world.getGlare();
    numberField(ROW_BRIGHTNESS)->setText(FieldText::number(glare.brightness));
    numberField(ROW_RADIUS)->setText(FieldText::number(glare.radius));
    numberField(ROW_NONLINEARITY)->setText(FieldText::number(glare.nonlinear));
    colourRow()->setColour(ColourChooserRow::fromFractions(glare.colourr, glare.colourg, glare.colourb));
    controlPanelBox()->setChecked(glare.addControlPanelButtonOffOn);
}

std::optional<QString> GlarePanel::store(World& world)
{
    core::SceneDocument& scene = *document();
    World::Glare glare = world.getGlare();
    // A refused field keeps what the fields before it stored; a number out
    // of its range is stored before it is refused, and stays until a later
    // save succeeds.
    bool stored = false;
    auto refuse = [&](const QString& message) {
        if (stored)
            scene.setGlare(world, glare);
        return std::optional<QString>(message);
    };

    const QString brightnessRange = "'Brightness' must be a number between 0.0 and 2.0";
    const auto brightness = FieldText::decimal(tr("Brightness"), fieldText(ROW_BRIGHTNESS), brightnessRange);
    if (!brightness.value)
        return refuse(brightness.refusal);
    glare.brightness = *brightness.value;
    stored = true;
    if (glare.brightness < 0.0 || glare.brightness > 2.0)
        return refuse(brightnessRange);

    const auto radius = FieldText::decimal(tr("Radius"), fieldText(ROW_RADIUS), tr("'Radius' must be a number"));
    if (!radius.value)
        return refuse(radius.refusal);
    glare.radius = *radius.value;

    const QString nonlinearRange = tr("Nonlinearity must be between 0.0 and 1.0");
    const auto nonlinear = FieldText::decimal(tr("Nonlinearity"), fieldText(ROW_NONLINEARITY), nonlinearRange);
    if (!nonlinear.value)
        return refuse(nonlinear.refusal);
    glare.nonlinear = *nonlinear.value;
    if (glare.nonlinear < 0.0 || glare.nonlinear > 1.0)
        return refuse(nonlinearRange);

    const QColor colour = colourRow()->colour();
    glare.colourr = ColourChooserRow::fraction(colour.red());
    glare.colourg = ColourChooserRow::fraction(colour.green());
    glare.colourb = ColourChooserRow::fraction(colour.blue());
    glare.addControlPanelButtonOffOn = controlPanelBox()->isChecked();
    scene.setGlare(world, glare);
    return std::nullopt;
}

} // namespace scenewright::gui
