#include "WorldEditorsTest.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/gui/ColourChooserRow.h"
#include "scenewright/gui/FogPanel.h"
#include "scenewright/gui/GlarePanel.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

namespace scenewright::test {
namespace {

using core::World;
using gui::FogPanel;
using gui::GlarePanel;

class EffectPanelsTest : public WorldEditorsTest {
protected:
    // Opens the editor in the far panel as ticking its switch does.
    FogPanel* openFog()
    {
        worldPanel()->fogBox()->click();
        return worldPanel()->fogPanel();
    }
    GlarePanel* openGlare()
    {
        worldPanel()->glareBox()->click();
        return worldPanel()->glarePanel();
    }

    static void fill(gui::EffectPanel* panel, const QStringList& texts)
    {
        for (int row = 0; row < texts.size(); ++row)
            panel->numberField(row)->setText(texts[row]);
    }
    static QString error(gui::EffectPanel* panel) { return panel->errorLabel()->text(); }
    bool isOpen(QWidget* editor) const { return frame_->getFarPanelAttachment() == editor; }
};

TEST_F(EffectPanelsTest, EditorsStartWithTheirTextsFieldsAndSliders)
{
    FogPanel fog;
    EXPECT_EQ(fog.numberField(FogPanel::ROW_NEAR)->text(), "10");
    EXPECT_EQ(fog.numberField(FogPanel::ROW_FAR)->text(), "100");
    EXPECT_EQ(fog.numberField(FogPanel::ROW_DROPOFF)->text(), "1");
    EXPECT_EQ(fog.errorLabel()->text(), " ");
    EXPECT_EQ(fog.slider(FogPanel::ROW_NEAR), nullptr);
    EXPECT_EQ(fog.controlPanelBox()->text(), "Enable Fog to be turned off/on via the Control Panel");
    QStringList fogLabels;
    for (QLabel* label : fog.findChildren<QLabel*>())
        fogLabels << label->text();
    for (const char* text : {"Fog ", "Near", "Far", "Dropoff", "(in feet)", "(0,1,2)", " Colour",
                             "This will be the colour of your Fog", FogPanel::helpText})
        EXPECT_TRUE(fogLabels.contains(text)) << text;
    EXPECT_NE(button(&fog, "Choose Colour..."), nullptr);

    GlarePanel glare;
    EXPECT_EQ(glare.numberField(GlarePanel::ROW_BRIGHTNESS)->text(), "10");
    EXPECT_EQ(glare.numberField(GlarePanel::ROW_RADIUS)->text(), "100");
    EXPECT_EQ(glare.numberField(GlarePanel::ROW_NONLINEARITY)->text(), "1");
    EXPECT_EQ(glare.slider(GlarePanel::ROW_BRIGHTNESS)->maximum(), 200);
    EXPECT_EQ(glare.slider(GlarePanel::ROW_NONLINEARITY)->maximum(), 100);
    EXPECT_EQ(glare.slider(GlarePanel::ROW_BRIGHTNESS)->value(), 50);
    EXPECT_EQ(glare.slider(GlarePanel::ROW_NONLINEARITY)->value(), 50);
    EXPECT_EQ(glare.slider(GlarePanel::ROW_RADIUS), nullptr);
    QStringList glareLabels;
    for (QLabel* label : glare.findChildren<QLabel*>())
        glareLabels << label->text();
    for (const char* text : {"Glare", "Brightness", "(0.0-2.0)", "Radius", "Nonlinearity", "(0.0-1.0)",
                             "This will be the colour of your Glare light", GlarePanel::helpText})
        EXPECT_TRUE(glareLabels.contains(text)) << text;
}

TEST_F(EffectPanelsTest, FogLoadsTheWorldsFogAndOkStoresEveryFieldAndCloses)
{
    World::Fog fog;
    fog.near = 12.5;
    fog.far = 80;
    fog.dropOff = 2;
    fog.colourr = fog.colourg = fog.colourb = 0.5;
    fog.addControlPanelButtonOffOn = true;
    document().setFog(world(), fog);
    frame_->document()->setState(core::SceneDocument::STATE_SAVED);

    FogPanel* panel = openFog();
    ASSERT_TRUE(isOpen(panel));
    EXPECT_EQ(panel->numberField(FogPanel::ROW_NEAR)->text(), "12.5");
    EXPECT_EQ(panel->numberField(FogPanel::ROW_FAR)->text(), "80.0");
    EXPECT_EQ(panel->numberField(FogPanel::ROW_DROPOFF)->text(), "2");
    EXPECT_EQ(panel->colourRow()->colourText()->text(), "Red=128, Green=128, Blue=128");
    EXPECT_EQ(panel->colourRow()->swatch()->palette().color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_TRUE(panel->controlPanelBox()->isChecked());
    EXPECT_TRUE(world().getFogEnabled());

    fill(panel, {" 3 ", "1.0E7", "0"});
    panel->controlPanelBox()->setChecked(false);
    button(panel, "Ok")->click();

    const World::Fog& stored = world().getFog();
    EXPECT_EQ(stored.near, 3.0);
    EXPECT_EQ(stored.far, 1.0e7);
    EXPECT_EQ(stored.dropOff, 0);
    // An unchanged colour goes back as the fractions it came from.
    EXPECT_EQ(stored.colourr, 0.5);
    EXPECT_EQ(stored.colourg, 0.5);
    EXPECT_EQ(stored.colourb, 0.5);
    EXPECT_FALSE(stored.addControlPanelButtonOffOn);
    EXPECT_EQ(error(panel), " ");
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
    EXPECT_FALSE(projectSaved());
}

TEST_F(EffectPanelsTest, FogRefusesAFieldWithItsMessageKeepingTheFieldsBefore)
{
    FogPanel* panel = openFog();
    frame_->document()->setState(core::SceneDocument::STATE_SAVED);
    fill(panel, {" \t", "50", "1"});
    button(panel, "Ok")->click();
    EXPECT_EQ(error(panel), "Near cannot be emtpy. Please enter a value ");
    EXPECT_EQ(world().getFog().far, 100.0);
    EXPECT_TRUE(projectSaved());

    const std::vector<std::pair<QStringList, QString>> refusals = {
        {{"near", "50", "1"}, "'Near' must be a number"},
        {{"5", "", "1"}, "Far cannot be emtpy. Please enter a value "},
        {{"5", "0x10", "1"}, "'Far' must be a number"},
        {{"5", "50", " "}, "Dropoff cannot be emtpy. Please enter a value "},
        {{"5", "50", "1.5"}, "Dropoff must be either 0, 1, or 2"},
        {{"5", "50", "3"}, "Dropoff must be either 0, 1, or 2"},
        {{"5", "50", "-1"}, "Dropoff must be either 0, 1, or 2"},
    };
    for (const auto& [texts, message] : refusals) {
        fill(panel, texts);
        button(panel, "Ok")->click();
        EXPECT_EQ(error(panel), message) << texts.join('|').toStdString();
        EXPECT_TRUE(isOpen(panel));
    }
    // A refused field keeps the fields before it; a whole dropoff out of
    // range is stored before it is refused (the last refusal was -1).
    EXPECT_EQ(world().getFog().near, 5.0);
    EXPECT_EQ(world().getFog().far, 50.0);
    EXPECT_EQ(world().getFog().dropOff, -1);
    fill(panel, {"5", "50", "3"});
    button(panel, "Ok")->click();
    EXPECT_EQ(world().getFog().dropOff, 3);
    EXPECT_FALSE(projectSaved());
}

TEST_F(EffectPanelsTest, GlareAcceptsItsRangesEndsAndRefusesBeyondThem)
{
    GlarePanel* panel = openGlare();
    EXPECT_EQ(panel->numberField(GlarePanel::ROW_BRIGHTNESS)->text(), "1.0");
    EXPECT_EQ(panel->numberField(GlarePanel::ROW_RADIUS)->text(), "16.0");
    EXPECT_EQ(panel->numberField(GlarePanel::ROW_NONLINEARITY)->text(), "0.5");
    EXPECT_EQ(panel->colourRow()->colourText()->text(), "Red=128, Green=179, Blue=255");

    const std::vector<std::pair<QStringList, QString>> refusals = {
        {{"", "5", "0.5"}, "Brightness cannot be emtpy. Please enter a value "},
        {{"bright", "5", "0.5"}, "'Brightness' must be a number between 0.0 and 2.0"},
        {{"2.01", "5", "0.5"}, "'Brightness' must be a number between 0.0 and 2.0"},
        {{"-0.1", "5", "0.5"}, "'Brightness' must be a number between 0.0 and 2.0"},
        {{"1.5", " ", "0.5"}, "Radius cannot be emtpy. Please enter a value "},
        {{"1.5", "wide", "0.5"}, "'Radius' must be a number"},
        {{"1.5", "-4", ""}, "Nonlinearity cannot be emtpy. Please enter a value "},
        {{"1.5", "-4", "1.01"}, "Nonlinearity must be between 0.0 and 1.0"},
        {{"1.5", "-4", "NaN"}, "Nonlinearity must be between 0.0 and 1.0"},
    };
    for (const auto& [texts, message] : refusals) {
        fill(panel, texts);
        button(panel, "Ok")->click();
        EXPECT_EQ(error(panel), message) << texts.join('|').toStdString();
    }
    // The radius has no range; a refused nonlinearity leaves it stored. A
    // number out of range is stored before it is refused; one that does not
    // parse is not.
    EXPECT_EQ(world().getGlare().brightness, 1.5);
    EXPECT_EQ(world().getGlare().radius, -4.0);
    EXPECT_EQ(world().getGlare().nonlinear, 1.01);

    fill(panel, {"2.0", "20", "1.0"});
    panel->controlPanelBox()->setChecked(true);
    button(panel, "Ok")->click();
    EXPECT_EQ(error(panel), " ");
    EXPECT_EQ(world().getGlare().brightness, 2.0);
    EXPECT_EQ(world().getGlare().nonlinear, 1.0);
    EXPECT_EQ(world().getGlare().colourg, 0.7);
    EXPECT_TRUE(world().getGlare().addControlPanelButtonOffOn);
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
}

TEST_F(EffectPanelsTest, GlareSlidersWriteTheirFieldsButNotTheModel)
{
    GlarePanel* panel = openGlare();
    QSlider* brightness = panel->slider(GlarePanel::ROW_BRIGHTNESS);
    QSlider* nonlinearity = panel->slider(GlarePanel::ROW_NONLINEARITY);
    // Loading leaves the sliders where they were.
    EXPECT_EQ(brightness->value(), 50);

    const std::vector<std::pair<int, QString>> brightnessSteps = {{200, "2.0"}, {0, "0.0"}, {29, "0.29"}, {137, "1.37"}};
    for (const auto& [value, text] : brightnessSteps) {
        brightness->setValue(value);
        EXPECT_EQ(panel->numberField(GlarePanel::ROW_BRIGHTNESS)->text(), text);
    }
    nonlinearity->setValue(75);
    EXPECT_EQ(panel->numberField(GlarePanel::ROW_NONLINEARITY)->text(), "0.75");
    nonlinearity->setValue(100);
    EXPECT_EQ(panel->numberField(GlarePanel::ROW_NONLINEARITY)->text(), "1.0");
    EXPECT_EQ(world().getGlare().brightness, 1.0);
    EXPECT_EQ(world().getGlare().nonlinear, 0.5);

    button(panel, "Ok")->click();
    EXPECT_EQ(world().getGlare().brightness, 1.37);
    EXPECT_EQ(world().getGlare().nonlinear, 1.0);
}

TEST_F(EffectPanelsTest, TheColourChooserChangesTheShownColourAndOkStoresIt)
{
    FogPanel* panel = openFog();
    gui::ColourChooserRow* row = panel->colourRow();
    button(panel, "Choose Colour...")->click();
    QColorDialog* chooser = row->chooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowTitle(), "Fog Colour");
    EXPECT_TRUE(chooser->isModal());
    EXPECT_EQ(chooser->currentColor(), QColor(204, 204, 255));
    chooser->setCurrentColor(QColor(255, 0, 0));
    chooser->reject();
    EXPECT_EQ(row->colourText()->text(), "Red=204, Green=204, Blue=255");

    button(panel, "Choose Colour...")->click();
    row->chooser()->setCurrentColor(QColor(255, 128, 0));
    row->chooser()->accept();
    EXPECT_EQ(row->colourText()->text(), "Red=255, Green=128, Blue=0");
    EXPECT_EQ(world().getFog().colourr, 0.8);

    button(panel, "Ok")->click();
    EXPECT_EQ(world().getFog().colourr, 1.0);
    EXPECT_EQ(world().getFog().colourg, 0.5);
    EXPECT_EQ(world().getFog().colourb, 0.0);
    EXPECT_EQ(row->chooser(), nullptr);
}

TEST_F(EffectPanelsTest, CancelClosesWithoutStoring)
{
    GlarePanel* panel = openGlare();
    fill(panel, {"0.25", "3", "0.75"});
    button(panel, "Cancel")->click();
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
    EXPECT_EQ(world().getGlare().brightness, 1.0);
    EXPECT_EQ(world().getGlare().radius, 16.0);
}

TEST(ColourChooserRowTest, ComponentsAndFractionsRoundAsTheModelExpects)
{
    EXPECT_EQ(gui::ColourChooserRow::component(0.5), 128);
    EXPECT_EQ(gui::ColourChooserRow::component(0.8), 204);
    EXPECT_EQ(gui::ColourChooserRow::component(1.0), 255);
    EXPECT_EQ(gui::ColourChooserRow::component(1.7), 255);
    EXPECT_EQ(gui::ColourChooserRow::component(-0.2), 0);
    EXPECT_EQ(gui::ColourChooserRow::fraction(128), 0.5);
    EXPECT_EQ(gui::ColourChooserRow::fraction(255), 1.0);
    EXPECT_EQ(gui::ColourChooserRow::fraction(204), 0.8);
    EXPECT_EQ(gui::ColourChooserRow::fraction(0), 0.0);
}

} // namespace
} // namespace scenewright::test
