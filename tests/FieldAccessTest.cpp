#include "FreshProgramTest.h"
#include "InteractionFixtures.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/WorldFirstLoadsTrigger.h"

#include <algorithm>
#include <stdexcept>

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

using FieldAccessTest = FreshProgramTest;

std::string typeName(const AtmoInteraction& interaction, const std::string& field)
{
    auto type = interaction.getType(field);
    return type ? fieldTypeName(*type) : "(none)";
}

TEST_F(FieldAccessTest, ProximityTriggerFieldsAreTypedAndHoldTheirDefaults)
{
    ProximityTrigger trigger(ids);
    EXPECT_EQ(typeName(trigger, "distance"), "double");
    EXPECT_EQ(typeName(trigger, "continuous"), "boolean");
    EXPECT_EQ(typeName(trigger, "usesSynch"), "boolean");
    EXPECT_EQ(std::get<double>(trigger.get("distance")), 5.0);
    EXPECT_EQ(std::get<bool>(trigger.get("continuous")), true);
    EXPECT_EQ(std::get<bool>(trigger.get("usesSynch")), true);
}

TEST_F(FieldAccessTest, OtherTriggersReachTheirSynchronisationFlagByName)
{
    OnclickTrigger onclick(ids);
    WorldFirstLoadsTrigger firstLoads(ids);
    onclick.set("usesSynch", false);
    EXPECT_FALSE(onclick.usesSynch);
    EXPECT_EQ(std::get<bool>(firstLoads.get("usesSynch")), true);
}

TEST_F(FieldAccessTest, RotationListsItsFourDoubleFieldsInDisplayOrder)
{
    ConstantRotationAction rotation(ids);
    const std::vector<std::string> expected = {"xrevolutions", "yrevolutions", "zrevolutions", "maxtime"};
    ASSERT_EQ(rotation.getFields(), expected);
    const std::vector<double> defaults = {0.0, 5.0, 0.0, 0.0};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(typeName(rotation, expected[k]), "double") << expected[k];
        EXPECT_EQ(std::get<double>(rotation.get(expected[k])), defaults[k]) << expected[k];
    }
}

TEST_F(FieldAccessTest, MoveListsItsEditableFieldsAndStillReachesSpeedAndAnchors)
{
    MovePositionAction move(ids);
    const std::vector<std::string> expected = {"xdirection", "ydirection", "zdirection", "usesAnchors",
                                               "smoothTransition"};
    EXPECT_EQ(move.getFields(), expected);
    EXPECT_EQ(typeName(move, "usesAnchors"), "boolean");
    EXPECT_EQ(typeName(move, "smoothTransition"), "boolean");
    EXPECT_EQ(std::get<double>(move.get("speed")), 1.0);
    EXPECT_TRUE(move.setValue("anchors", std::vector<std::string>{"a1", "a2"}));
    EXPECT_EQ(move.anchors, (std::vector<std::string>{"a1", "a2"}));
    EXPECT_EQ(std::get<std::vector<std::string>>(move.get("anchors")).size(), 2u);
}

TEST_F(FieldAccessTest, VerifyFieldNamesTheFieldThatDoesNotHoldANumber)
{
    ProximityTrigger trigger(ids);
    MarkerAction marker("a");
    EXPECT_EQ(trigger.verifyField("distance", "abc"), "distance must contain an real number");
    EXPECT_EQ(marker.verifyField("repeats", "2.5"), "repeats must contain an integer");
    EXPECT_EQ(marker.verifyField("repeats", "7"), std::nullopt);
    EXPECT_EQ(trigger.verifyField("distance", "12.5"), std::nullopt);
    EXPECT_EQ(trigger.verifyField("distance", "1e2"), std::nullopt);
    EXPECT_EQ(trigger.verifyField("continuous", "abc"), std::nullopt);
    EXPECT_EQ(marker.verifyField("label", "2.5 or anything"), std::nullopt);
}

TEST_F(FieldAccessTest, VerifyFieldRefusesNumbersOutsideThePlainDecimalGrammar)
{
    ProximityTrigger trigger(ids);
    MarkerAction marker("a");
    for (const char* text : {"", " 5", "5 ", "NaN", "Infinity", "inf", "0x10", "1e400", "1,5", "e5", ".", "1e+", "5d"})
        EXPECT_EQ(trigger.verifyField("distance", text), "distance must contain an real number") << text;
    for (const char* text : {"-.5", "+3", "5.", ".5", "1E-2"})
        EXPECT_EQ(trigger.verifyField("distance", text), std::nullopt) << text;
    for (const char* text : {"2147483648", "1e2", " 7", "0x7", "7.0", "+-1", "-", ""})
        EXPECT_EQ(marker.verifyField("repeats", text), "repeats must contain an integer") << text;
    EXPECT_EQ(marker.verifyField("repeats", "-2147483648"), std::nullopt);
}

TEST_F(FieldAccessTest, SetFromTextParsesIntsAndDoublesAndStoresStrings)
{
    ProximityTrigger trigger(ids);
    MarkerAction marker("a");
    marker.set("repeats", std::string("7"));
    trigger.set("distance", std::string("1e2"));
    marker.set("label", std::string("door"));
    EXPECT_EQ(marker.repeats, 7);
    EXPECT_EQ(trigger.distance, 100.0);
    EXPECT_EQ(marker.label, "door");
}

TEST_F(FieldAccessTest, SetFromALiteralTextIsTheSameAsSetFromAString)
{
    ProximityTrigger trigger(ids);
    MarkerAction marker("a");
    trigger.set("distance", "1e2");
    marker.set("repeats", "7");
    trigger.set("continuous", "false");
    EXPECT_EQ(trigger.distance, 100.0);
    EXPECT_EQ(marker.repeats, 7);
    // A boolean field is not set from text, whatever the text says.
    EXPECT_TRUE(trigger.continuous);
    trigger.continuous = false;
    trigger.set("continuous", "true");
    EXPECT_FALSE(trigger.continuous);
}

TEST_F(FieldAccessTest, SetFromMalformedTextThrowsAndKeepsTheValue)
{
    ProximityTrigger trigger(ids);
    MarkerAction marker("a");
    EXPECT_THROW(trigger.set("distance", std::string("abc")), std::invalid_argument);
    EXPECT_THROW(marker.set("repeats", std::string("2.5")), std::invalid_argument);
    EXPECT_EQ(trigger.distance, 5.0);
    EXPECT_EQ(marker.repeats, 1);
}

TEST_F(FieldAccessTest, SetOfABooleanStoresItAndRefusesOtherFieldTypes)
{
    ProximityTrigger trigger(ids);
    trigger.set("continuous", false);
    EXPECT_FALSE(trigger.continuous);
    testing::internal::CaptureStderr();
    trigger.set("distance", true);
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(trigger.distance, 5.0);
    EXPECT_FALSE(trigger.setValue("distance", 3));
    EXPECT_EQ(trigger.distance, 5.0);
}

TEST_F(FieldAccessTest, UnknownFieldsAreReportedAndChangeNothing)
{
    ProximityTrigger trigger(ids);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(std::holds_alternative<std::monostate>(trigger.get("radius")));
    EXPECT_EQ(trigger.getType("radius"), std::nullopt);
    trigger.set("radius", true);
    trigger.set("radius", std::string("3"));
    EXPECT_FALSE(trigger.setValue("radius", 3.0));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 5) << errors;
    EXPECT_NE(errors.find("radius"), std::string::npos);
    EXPECT_EQ(trigger.distance, 5.0);
    EXPECT_TRUE(trigger.continuous);
    EXPECT_TRUE(trigger.usesSynch);
}

TEST_F(FieldAccessTest, SaveStringNamesTheQualifiedClass)
{
    EXPECT_EQ(ProximityTrigger(ids).getSaveString(), "class scenewright.core.action.ProximityTrigger\n");
    EXPECT_EQ(OnclickTrigger(ids).getSaveString(), "class scenewright.core.action.OnclickTrigger\n");
    EXPECT_EQ(WorldFirstLoadsTrigger(ids).getSaveString(), "class scenewright.core.action.WorldFirstLoadsTrigger\n");
    EXPECT_EQ(ConstantRotationAction(ids).getSaveString(), "class scenewright.core.action.ConstantRotationAction\n");
    EXPECT_EQ(MovePositionAction(ids).getSaveString(), "class scenewright.core.action.MovePositionAction\n");
}

TEST_F(FieldAccessTest, NewInteractionsStartInactiveWithTheirNamesAndDescriptions)
{
    auto door = primitiveNamed("door", "door");
    ProximityTrigger proximity(ids, door.get());
    OnclickTrigger onclick(ids, door.get());
    WorldFirstLoadsTrigger firstLoads(ids, door.get());
    ConstantRotationAction rotation(ids, door.get());
    MovePositionAction move(ids, door.get());

    EXPECT_FALSE(proximity.getActive() || onclick.getActive() || firstLoads.getActive() || rotation.getActive()
                 || move.getActive());
    EXPECT_EQ(proximity.getName(), "Proximity trigger");
    EXPECT_EQ(proximity.getDescription(),
              "You can set up actions to be set off whenever your Avatar comes close to 'door <primitive>'");
    EXPECT_EQ(ProximityTrigger(ids).getDescription(),
              "You can set up actions to be set off whenever your Avatar comes close to 'null'");
    EXPECT_EQ(onclick.getName(), "On click trigger");
    EXPECT_EQ(onclick.getDescription(), std::nullopt);
    EXPECT_EQ(firstLoads.getName(), "When world first loads");
    EXPECT_EQ(firstLoads.getDescription(), std::nullopt);
    EXPECT_EQ(rotation.getName(), "Rotate constantly");
    EXPECT_EQ(rotation.getDescription(),
              "Set your object to constantly rotate. x/y/zrevolutions measures the speed of the rotation "
              "(revolutions per minute). Eg \"yrevolution=5.0\" means 5 revolutions per minute around Y axis. "
              "Maxtime is the maximum time in seconds the rotation will go for. (zero = forever).");
    EXPECT_EQ(move.getName(), "Move to a position/direction");
    EXPECT_EQ(move.getDescription(), "Select the postion(s) or direction to move the when triggered. ");
}

TEST_F(FieldAccessTest, TextFormNamesTheOwnerOrTriggerObjectWhenThereIsOne)
{
    auto fan = modelNamed("fan");
    EXPECT_EQ(ConstantRotationAction(ids, fan.get()).toString(), "Rotate constantly (fan <model.aer/.atmo>)");
    EXPECT_EQ(ConstantRotationAction(ids).toString(), "Rotate constantly");
    EXPECT_EQ(ProximityTrigger(ids, fan.get()).toString(), "Proximity trigger (fan <model.aer/.atmo>)");
    EXPECT_EQ(OnclickTrigger(ids).toString(), "On click trigger");

    MovePositionAction unnamed(ids, fan.get());
    unnamed.setName(std::nullopt);
    EXPECT_EQ(unnamed.toString(), "null (fan <model.aer/.atmo>)");
}

TEST_F(FieldAccessTest, ConstructorsTakeTheirNumbersInOrder)
{
    auto fan = modelNamed("fan");
    ProximityTrigger trigger(ids);
    ConstantRotationAction rotation(ids);
    MovePositionAction move(ids, fan.get());
    EXPECT_EQ(trigger.synchTriggerName(), "synchtrigger0");
    EXPECT_EQ(rotation.numbers(), std::vector<int>{1});
    EXPECT_EQ(move.numbers(), (std::vector<int>{2, 3}));
    EXPECT_EQ(ids.peek(), 4);

    move.usesAnchors = true;
    move.anchors = {"a1"};
    const std::string declaration = move.doScript(sceneContext());
    EXPECT_NE(declaration.find("beginanch2 = Object();\n"), std::string::npos);
    EXPECT_NE(declaration.find("this.setupmoveanch3=function(theanch,nextid) {\n"), std::string::npos);
}

TEST_F(FieldAccessTest, NewInstanceIsADefaultInteractionWithFreshNumbers)
{
    auto fan = modelNamed("fan");
    ProximityTrigger prototype(ids);
    prototype.distance = 9.0;
    prototype.setActive(true);
    auto trigger = prototype.newInstance(fan.get(), ids);
    EXPECT_EQ(trigger->getTriggerObject(), fan.get());
    EXPECT_EQ(trigger->synchTriggerName(), "synchtrigger1");
    EXPECT_EQ(std::get<double>(trigger->get("distance")), 5.0);
    EXPECT_FALSE(trigger->getActive());

    MovePositionAction movePrototype(ids);
    auto move = movePrototype.newInstance(fan.get(), ids);
    EXPECT_EQ(move->getOwnerObject(), fan.get());
    EXPECT_EQ(move->numbers(), (std::vector<int>{4, 5}));
    EXPECT_EQ(ConstantRotationAction(ids).newInstance(nullptr, ids)->numbers(), std::vector<int>{7});
}

TEST_F(FieldAccessTest, ClonedActionKeepsFieldsFlagsAndGeneratedNamesUnderItsNewOwner)
{
    auto fan = modelNamed("fan");
    auto wheel = modelNamed("wheel");
    ConstantRotationAction rotation(ids, fan.get());
    rotation.maxtime = 30.0;
    rotation.setActive(true);
    rotation.setDescription(std::string("spins"));

    auto copy = rotation.cloneit(wheel.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getOwnerObject(), wheel.get());
    EXPECT_EQ(rotation.getOwnerObject(), fan.get());
    EXPECT_TRUE(copy->getActive());
    EXPECT_EQ(copy->getDescription(), "spins");
    EXPECT_EQ(std::get<double>(copy->get("maxtime")), 30.0);
    EXPECT_EQ(copy->numbers(), rotation.numbers());
    EXPECT_EQ(copy->doTriggerScript(sceneContext()), "// Fires the constant rotation action\n"
                                                     "wheel.revanim0.sincetime=0;\n"
                                                     "addAnimator(wheel.revanim0);\n");

    copy->set("maxtime", std::string("5"));
    EXPECT_EQ(rotation.maxtime, 30.0);
}

TEST_F(FieldAccessTest, ClonedMoveKeepsBothAnchorNamesAndItsOwnAnchorList)
{
    auto fan = modelNamed("fan");
    MovePositionAction move(ids, fan.get());
    move.anchors = {"a1"};
    auto copy = std::dynamic_pointer_cast<MovePositionAction>(move.cloneit(fan.get()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->numbers(), (std::vector<int>{0, 1}));
    copy->anchors.push_back("a2");
    EXPECT_EQ(move.anchors.size(), 1u);
}

TEST_F(FieldAccessTest, ClonedTriggerSharesTheActionListUntilGivenItsOwn)
{
    auto door = modelNamed("door");
    auto gate = modelNamed("gate");
    ProximityTrigger trigger(ids, door.get());
    trigger.distance = 12.5;
    trigger.continuous = false;
    trigger.usesSynch = false;
    trigger.setActive(true);

    auto copy = trigger.cloneit(gate.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getTriggerObject(), gate.get());
    EXPECT_EQ(trigger.getTriggerObject(), door.get());
    EXPECT_EQ(copy->synchTriggerName(), trigger.synchTriggerName());
    EXPECT_EQ(std::get<double>(copy->get("distance")), 12.5);
    EXPECT_FALSE(std::get<bool>(copy->get("continuous")));
    EXPECT_FALSE(copy->usesSynch);
    EXPECT_TRUE(copy->getActive());

    copy->addAction(std::make_shared<MarkerAction>("a", gate.get()));
    EXPECT_EQ(trigger.getActionSize(), 1);

    copy->setActionList(std::make_shared<AtmoTrigger::ActionList>());
    copy->addAction(std::make_shared<MarkerAction>("b", gate.get()));
    EXPECT_EQ(trigger.getActionSize(), 1);
    EXPECT_EQ(copy->getActionSize(), 1);
}

} // namespace
} // namespace scenewright::test
