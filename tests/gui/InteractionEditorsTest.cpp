#include "scenewright/core/IdCounter.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/gui/AnimateTexturePanel.h"
#include "scenewright/gui/InteractionEditors.h"
#include "scenewright/gui/MovePositionActionPanel.h"
#include "scenewright/gui/ProximityTriggerPanel.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

// A panel as a test registers one.
class TestPanel : public QWidget {
public:
    explicit TestPanel(std::string kind) : kind(std::move(kind)) {}
    std::string kind;
};

gui::InteractionEditors::Factory panelFactory(const std::string& kind)
{
    return [kind] { return new TestPanel(kind); };
}

std::string panelKind(QWidget* panel)
{
    std::unique_ptr<QWidget> owned(panel);
    auto* testPanel = dynamic_cast<TestPanel*>(panel);
    return testPanel ? testPanel->kind : "none";
}

TEST(InteractionEditorsTest, HoldsTheEditorsOfTheKindsThatHaveTheirOwn)
{
    IdCounter ids;
    const gui::InteractionEditors editors;
    std::unique_ptr<QWidget> proximity(editors.create(ProximityTrigger(ids)));
    std::unique_ptr<QWidget> move(editors.create(MovePositionAction(ids)));
    std::unique_ptr<QWidget> texture(editors.create(AnimateTextureAction(ids)));
    EXPECT_NE(dynamic_cast<gui::ProximityTriggerPanel*>(proximity.get()), nullptr);
    EXPECT_NE(dynamic_cast<gui::MovePositionActionPanel*>(move.get()), nullptr);
    EXPECT_NE(dynamic_cast<gui::AnimateTexturePanel*>(texture.get()), nullptr);
    EXPECT_EQ(editors.create(OnclickTrigger(ids)), nullptr);
}

TEST(InteractionEditorsTest, MakesANewEditorPanelForExactlyTheRegisteredClass)
{
    IdCounter ids;
    gui::InteractionEditors registry;
    const ProximityTrigger proximity(ids);
    const OnclickTrigger onclick(ids);

    registry.registerFor(typeid(ProximityTrigger), panelFactory("proximity"));
    registry.registerFor(typeid(AnimateTextureAction), panelFactory("texture"));
    QWidget* first = registry.create(proximity);
    QWidget* second = registry.create(proximity);
    EXPECT_NE(first, second);
    EXPECT_EQ(panelKind(first), "proximity");
    EXPECT_EQ(panelKind(second), "proximity");
    EXPECT_EQ(panelKind(registry.create(AnimateTextureAction(ids))), "texture");
    EXPECT_EQ(registry.create(onclick), nullptr);

    // A registration for a base class covers none of its subclasses.
    registry.registerFor(typeid(AtmoTrigger), panelFactory("any trigger"));
    EXPECT_EQ(registry.create(onclick), nullptr);

    // A later registration replaces the earlier one.
    registry.registerFor(typeid(ProximityTrigger), panelFactory("replaced"));
    EXPECT_EQ(panelKind(registry.create(proximity)), "replaced");
}

TEST(InteractionEditorsTest, PanelThatCannotBeBuiltYieldsNothing)
{
    IdCounter ids;
    gui::InteractionEditors registry;
    registry.registerFor(typeid(ProximityTrigger), []() -> QWidget* { throw std::runtime_error("no display"); });
    registry.registerFor(typeid(MovePositionAction), gui::InteractionEditors::Factory());
    testing::internal::CaptureStderr();
    EXPECT_EQ(registry.create(ProximityTrigger(ids)), nullptr);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(registry.create(MovePositionAction(ids)), nullptr);
}

} // namespace
} // namespace scenewright::test
