#include "FreshProgramTest.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/WorldFirstLoadsTrigger.h"
#include "scenewright/core/script/ScriptNaming.h"

#include <memory>
#include <string>
#include <vector>

namespace scenewright::test {
namespace {

using namespace core;
using action::AtmoAction;
using action::ConstantRotationAction;
using action::MovePositionAction;
using action::OnclickTrigger;
using action::ProximityTrigger;

// An action that only brings on-load code, which no motion action has.
class LoadingAction : public AtmoAction {
public:
    LoadingAction(IAtmoObject* owner, std::string onLoad, bool active) : AtmoAction(owner), onLoad_(std::move(onLoad))
    {
        setName(std::string("Load"));
        setActive(active);
    }

    const char* className() const override { return "LoadingAction"; }
    const action::FieldTable& fieldTable() const override
    {
        static const action::FieldTable table;
        return table;
    }
    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, core::IdCounter&) const override
    {
        return std::make_shared<LoadingAction>(owner, "", false);
    }
    std::string getOnLoadScript(const script::ScriptContext&) const override { return onLoad_; }
    std::string exitTriggerScript(const script::ScriptContext&) const override { return {}; }
    std::string doTriggerScript(const script::ScriptContext&) const override { return {}; }
    std::string doScript(const script::ScriptContext&) const override { return {}; }

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<LoadingAction>(*this); }

private:
    std::string onLoad_;
};

const char* const kHostileName = "a'b\\c\nd\re\u2028f\u2029g";
const char* const kHostileLiteral = "a\\'b\\\\c\\nd\\re\\u2028f\\u2029g";

template <class Kind>
std::shared_ptr<Kind> named(const std::string& name)
{
    auto object = std::make_shared<Kind>();
    object->setName(name);
    return object;
}

class SceneObjectTest : public FreshProgramTest {
protected:
    // The object's declaration, after the object is named as it would be
    // before a script is generated.
    std::string declared(const std::shared_ptr<IAtmoObject>& object);
};

std::string SceneObjectTest::declared(const std::shared_ptr<IAtmoObject>& object)
{
    script::ScriptNaming::nameObjects({object}, ids);
    return object->getAtmoObjectDeclaration(sceneContext());
}

TEST_F(SceneObjectTest, SetNameDropsOnePrefixOnly)
{
    auto object = std::make_shared<PrimitiveObj>();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"./door", "door"},       {".../door", "door"}, {"././door", "./door"}, {".../.../door", ".../door"},
        {"../door", "../door"},   {"..door", "..door"}, {"door", "door"},       {"./", ""},
    };
    for (const auto& [given, stored] : cases) {
        object->setName(given);
        EXPECT_EQ(object->getName(), stored) << given;
    }
}

TEST_F(SceneObjectTest, DisplayNamesShowNameAndType)
{
    EXPECT_EQ(named<PrimitiveObj>("door")->getDisplayName(), "door <primitive>");
    EXPECT_EQ(named<ModelObj>("fan")->toString(), "fan <model.aer/.atmo>");
    EXPECT_EQ(named<SolidObjectObj>("3")->toString(), "3 <solid-object>");
    EXPECT_EQ(named<ViewpointObj>("cam")->toString(), "cam <viewpoint>");
    EXPECT_EQ(Actor(ids).toString(), "actor <actor>");
    EXPECT_EQ(World().toString(), "world <world>");
}

TEST_F(SceneObjectTest, ActorAndWorldHaveFixedNamesAndDeclareNothing)
{
    Actor actor(ids);
    World world;
    EXPECT_EQ(static_cast<IAtmoObject&>(actor).getInnerScriptName(sceneContext()), "theActor");
    EXPECT_EQ(actor.getAtmoObjectDeclaration(sceneContext()), "");
    EXPECT_EQ(static_cast<IAtmoObject&>(world).getInnerScriptName(sceneContext()), "theWorld");
    EXPECT_EQ(world.getAtmoObjectDeclaration(sceneContext()), "");
    ASSERT_EQ(actor.getAtmoActionSize(), 1);
    EXPECT_NE(actor.getAtmoAction(typeid(MovePositionAction)), nullptr);
    EXPECT_EQ(actor.getAtmoAction(0)->getOwnerObject(), &actor);
}

TEST_F(SceneObjectTest, PrimitiveDeclaresItselfAsInTheWorkedExample)
{
    auto door = named<PrimitiveObj>("door");
    EXPECT_EQ(door->getAtmoObjectScriptName(sceneContext()), "null");
    EXPECT_EQ(declared(door), "primitiveobj0 = theStage.getSolidObject(0).rootPrimitive.find('.../door');\n");
    EXPECT_EQ(door->getAtmoObjectScriptName(sceneContext()), "primitiveobj0");
    EXPECT_EQ(static_cast<IAtmoObject&>(*door).getInnerScriptName(sceneContext()), "primitiveobj0");
    EXPECT_EQ(door->getInnerScriptName(sceneContext(), true), "primitiveobj0");
}

TEST_F(SceneObjectTest, PrimitiveQuotesEverySolidObjectIndexThatIsNotAnInteger)
{
    const std::vector<std::pair<std::optional<std::string>, std::string>> cases = {
        {"3", "(3)"}, {"-2", "(-2)"}, {"010", "('010')"}, {"3 ", "('3 ')"}, {"hall", "('hall')"},
        {std::nullopt, "('null')"}, {"it's", "('it\\'s')"},
    };
    for (const auto& [index, written] : cases) {
        auto door = named<PrimitiveObj>("door");
        door->setGlobalId(5);
        door->solidObjectIndex = index;
        EXPECT_EQ(declared(door),
                  "primitiveobj5 = theStage.getSolidObject" + written + ".rootPrimitive.find('.../door');\n");
    }
}

TEST_F(SceneObjectTest, SolidObjectIsAddressedByIndexOrByName)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"3", "(3)"}, {"-2", "(-2)"}, {"door", "('door')"}, {"3 ", "('3 ')"}, {"010", "('010')"},
        {"2147483648", "('2147483648')"},
    };
    for (const auto& [name, written] : cases) {
        auto box = named<SolidObjectObj>(name);
        box->setGlobalId(1);
        EXPECT_EQ(declared(box), "solidobject1 = theStage.getSolidObject" + written + ";\n");
    }
}

TEST_F(SceneObjectTest, ModelIsLoadedAsSceneGroupOrFoundInTheStage)
{
    auto house = named<ModelObj>("house.aer");
    EXPECT_EQ(declared(house), "if(typeof(modelobj0)=='undefined') {\nmodelobj0 = SceneGroup('house.aer').add();\n}\n");
    house->tobeloaded = false;
    EXPECT_EQ(declared(house), "if(typeof(modelobj0)=='undefined') {\n"
                               "modelobj0 = theStage.getSolidObject(0).rootPrimitive.find('.../house.aer');\n}\n");
}

TEST_F(SceneObjectTest, ViewpointObjectIsFoundByName)
{
    EXPECT_EQ(declared(named<ViewpointObj>("cam")), "viewptobj0 = theStage.getViewpointObject('cam');\n");
}

TEST_F(SceneObjectTest, ObjectsTakeTheirNumberWhenFirstNamedAndKeepIt)
{
    auto first = named<PrimitiveObj>("a");
    auto second = named<SolidObjectObj>("b");
    auto model = named<ModelObj>("c");
    declared(first);
    ConstantRotationAction takesANumber(ids, model.get());
    declared(second);
    declared(model);
    declared(first);
    EXPECT_EQ(first->getAtmoObjectScriptName(sceneContext()), "primitiveobj0");
    EXPECT_EQ(second->getAtmoObjectScriptName(sceneContext()), "solidobject2");
    EXPECT_EQ(model->getAtmoObjectScriptName(sceneContext()), "modelobj3");
    EXPECT_EQ(ids.next(), 4);
}

TEST_F(SceneObjectTest, LocalisedObjectsAreScriptedThroughThisButModelsAreNot)
{
    createDefaultProject()->setLocaliseScript(true);
    auto door = named<PrimitiveObj>("door");
    auto box = named<SolidObjectObj>("box");
    auto cam = named<ViewpointObj>("cam");
    auto fan = named<ModelObj>("fan");
    EXPECT_EQ(declared(door), "");
    EXPECT_EQ(declared(box), "");
    EXPECT_EQ(declared(cam), "");
    EXPECT_EQ(declared(fan), "if(typeof(modelobj5)=='undefined') {\nmodelobj5 = SceneGroup('fan').add();\n}\n");
    for (IAtmoObject* object : {static_cast<IAtmoObject*>(door.get()), static_cast<IAtmoObject*>(box.get()),
                                static_cast<IAtmoObject*>(cam.get())}) {
        EXPECT_EQ(object->getAtmoObjectScriptName(sceneContext()), "this");
        EXPECT_EQ(object->getInnerScriptName(sceneContext(), true), "localisedparent");
        EXPECT_EQ(object->getInnerScriptName(sceneContext(), false), "this.localisedparent");
        EXPECT_EQ(object->getInnerScriptName(sceneContext()), "this.localisedparent");
    }
    EXPECT_EQ(fan->getInnerScriptName(sceneContext(), true), "modelobj5");

    currentDocument()->setLocaliseScript(false);
    EXPECT_EQ(declared(door), "primitiveobj2 = theStage.getSolidObject(0).rootPrimitive.find('.../door');\n");
    EXPECT_EQ(door->getInnerScriptName(sceneContext(), true), "primitiveobj2");
}

std::string physicalModelBlock(const std::string& v, const std::string& object, const std::string& mass)
{
    return "// We initialise the physical model for " + object + " here\n"
           "if(" + v + ".getPhysicalModel()==undefined) {\n"
           + v + ".pm = " + v + ".createPhysicalModel(" + mass + ");\n"
           + v + ".pm.collide = false;\n"
           + v + ".pm.fixed = true;\n"
           + v + ".pm.friction = 0.25;\n"
           + v + ".pm.inertia = 1.0E7;\n"
           + v + ".pm.useForOverlaps = true;\n"
           "}\n";
}

void setUpPhysicalModel(PhysicalModel& pm)
{
    pm.active = true;
    pm.collisions = false;
    pm.fixed = true;
    pm.friction = 0.25;
    pm.inertia = 1.0e7;
    pm.initialmass = 2.5;
}

TEST_F(SceneObjectTest, ModelWithPhysicalModelAndNoActionsKeepsTheBlockInsideItsTypeofTest)
{
    auto fan = named<ModelObj>("fan");
    setUpPhysicalModel(fan->pm);
    EXPECT_EQ(declared(fan), "if(typeof(modelobj0)=='undefined') {\nmodelobj0 = SceneGroup('fan').add();\n"
                                 + physicalModelBlock("modelobj0", "fan <model.aer/.atmo>", "2.5") + "}\n");
}

TEST_F(SceneObjectTest, ViewpointWithPhysicalModelAndNoActionsPutsTheBlockAtTopLevelWithAFixedMass)
{
    auto cam = named<ViewpointObj>("cam");
    setUpPhysicalModel(cam->pm);
    EXPECT_EQ(declared(cam), "viewptobj0 = theStage.getViewpointObject('cam');\n"
                                 + physicalModelBlock("viewptobj0", "cam <viewpoint>", "10"));
}

TEST_F(SceneObjectTest, ActivePhysicalModelMakesEveryActionQualifyForTheOnLoadFunction)
{
    auto fan = named<ModelObj>("fan");
    setUpPhysicalModel(fan->pm);
    fan->addAtmoAction(std::make_shared<LoadingAction>(fan.get(), "a.load();", true));
    fan->addAtmoAction(std::make_shared<ConstantRotationAction>(ids, fan.get())); // inactive, no on-load code
    auto inactiveLoader = std::make_shared<LoadingAction>(fan.get(), "b.load();", false);
    auto cam = named<ViewpointObj>("cam");
    setUpPhysicalModel(cam->pm);
    cam->addAtmoAction(inactiveLoader);

    EXPECT_EQ(declared(fan), "if(typeof(modelobj1)=='undefined') {\nmodelobj1 = SceneGroup('fan').add();\n"
                             "modelobj1.onLoad = function() {\na.load();\n"
                                 + physicalModelBlock("modelobj1", "fan <model.aer/.atmo>", "2.5")
                                 + "this.onLoad = undefined;\nremoveAnimator(this);\n}\naddAnimator(modelobj1);\n}\n");
    EXPECT_EQ(declared(cam), "viewptobj2 = theStage.getViewpointObject('cam');\n"
                             "if(!viewptobj2.loaded) {\nviewptobj2.onLoad = function() {\nb.load();\n"
                                 + physicalModelBlock("viewptobj2", "cam <viewpoint>", "10")
                                 + "this.onLoad = undefined;\nremoveAnimator(this);\n}\naddAnimator(viewptobj2);\n}\n");
}

TEST_F(SceneObjectTest, WithoutPhysicalModelOnlyActiveActionsWithOnLoadCodeQualify)
{
    // A copy holds several actions of one kind, which is how these loaders
    // get into one pool.
    auto source = named<SolidObjectObj>("source");
    auto trigger = std::make_shared<OnclickTrigger>(ids, source.get());
    trigger->addAction(std::make_shared<LoadingAction>(source.get(), "", true));
    trigger->addAction(std::make_shared<LoadingAction>(source.get(), "c.load();", false));
    trigger->addAction(std::make_shared<LoadingAction>(source.get(), " \t", true));
    trigger->addAction(std::make_shared<LoadingAction>(source.get(), "a.load();", true));
    source->addAtmoTrigger(trigger);
    auto fan = named<ModelObj>("fan");
    auto cam = named<ViewpointObj>("cam");
    fan->copy(*source, ids);
    cam->copy(*source, ids);
    createDefaultProject()->setLocaliseScript(true);

    EXPECT_EQ(declared(fan), "if(typeof(modelobj5)=='undefined') {\nmodelobj5 = SceneGroup('fan').add();\n"
                             "modelobj5.onLoad = function() {\na.load();\n"
                             "this.onLoad = undefined;\nremoveAnimator(this);\n}\naddAnimator(modelobj5);\n}\n");
    EXPECT_EQ(declared(cam), "if(!this.loaded) {\nthis.onLoad = function() {\na.load();\n"
                             "this.onLoad = undefined;\nremoveAnimator(this);\n}\naddAnimator(this);\n}\n");
}

TEST_F(SceneObjectTest, HostileNamesStayInsideTheirLiteralsAndComments)
{
    auto model = named<ModelObj>(kHostileName);
    setUpPhysicalModel(model->pm);
    auto found = named<ModelObj>(kHostileName);
    found->tobeloaded = false;
    auto door = named<PrimitiveObj>(kHostileName);
    door->solidObjectIndex = kHostileName;
    auto box = named<SolidObjectObj>(kHostileName);
    auto cam = named<ViewpointObj>(kHostileName);
    const std::string e = kHostileLiteral;

    std::string script = declared(model);
    EXPECT_NE(script.find("modelobj0 = SceneGroup('" + e + "').add();\n"), std::string::npos);
    EXPECT_NE(script.find("// We initialise the physical model for a'b\\c d e f g <model.aer/.atmo> here\n"),
              std::string::npos);
    std::string declaration = declared(found);
    EXPECT_NE(declaration.find("modelobj1 = theStage.getSolidObject(0).rootPrimitive.find('.../" + e + "');\n"),
              std::string::npos);
    script += declaration;
    declaration = declared(door);
    EXPECT_EQ(declaration, "primitiveobj2 = theStage.getSolidObject('" + e + "').rootPrimitive.find('.../" + e + "');\n");
    script += declaration;
    declaration = declared(box);
    EXPECT_EQ(declaration, "solidobject3 = theStage.getSolidObject('" + e + "');\n");
    script += declaration;
    declaration = declared(cam);
    EXPECT_EQ(declaration, "viewptobj4 = theStage.getViewpointObject('" + e + "');\n");
    script += declaration;
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics << script;
}

TEST_F(SceneObjectTest, StatusPadsLaterTriggerLinesOnlyForNamesLongerThanEightCharacters)
{
    const std::string lines = "\t==Trigger ==>  On click trigger\t== Actions ==>  No Actions Defined\n";
    const std::string proximity = "\t==Trigger ==>  Proximity trigger\t== Actions ==>  No Actions Defined\n";
    for (const auto& [name, pad] : std::vector<std::pair<std::string, std::string>>{
             {"abcdefgh", ""}, {"abcdefghi", "\t"}, {"T\u00fcr-tor1", ""}, {"T\u00fcr-tor12", "\t"}}) {
        auto object = named<SolidObjectObj>(name);
        auto click = std::make_shared<OnclickTrigger>(ids, object.get());
        auto near = std::make_shared<ProximityTrigger>(ids, object.get());
        click->setActive(true);
        near->setActive(true);
        object->addAtmoTrigger(click);
        object->addAtmoTrigger(near);
        EXPECT_EQ(object->updateStatus(), name + lines + pad + proximity) << name;
    }
}

TEST_F(SceneObjectTest, StatusListsOnlyActiveTriggersAndTheirActiveActions)
{
    auto fan = named<ModelObj>("fan");
    EXPECT_EQ(fan->updateStatus(), "fan\t==Trigger ==>  No Triggers Defined");

    auto rotate = std::make_shared<ConstantRotationAction>(ids, fan.get());
    auto move = std::make_shared<MovePositionAction>(ids, fan.get());
    auto load = std::make_shared<LoadingAction>(fan.get(), "", false);
    auto click = std::make_shared<OnclickTrigger>(ids, fan.get());
    auto near = std::make_shared<ProximityTrigger>(ids, fan.get());
    fan->addAtmoTrigger(near);
    fan->addAtmoTrigger(click);
    click->addAction(rotate);
    click->addAction(move);
    click->addAction(load);
    EXPECT_EQ(fan->updateStatus(), "fan\t==Trigger ==>  No Triggers Defined");

    click->setActive(true);
    EXPECT_EQ(fan->updateStatus(), "fan\t==Trigger ==>  On click trigger\t== Actions ==>  \n");
    rotate->setActive(true);
    load->setActive(true);
    EXPECT_EQ(fan->updateStatus(), "fan\t==Trigger ==>  On click trigger\t== Actions ==>  "
                                   "[Rotate constantly (fan <model.aer/.atmo>), Load (fan <model.aer/.atmo>)]\n");
    EXPECT_EQ(Actor(ids).updateStatus(), "actor\t========  ");
}

TEST_F(SceneObjectTest, HoldsAtMostOneTriggerAndOneActionOfEachKind)
{
    auto fan = named<ModelObj>("fan");
    auto click = std::make_shared<OnclickTrigger>(ids, fan.get());
    auto rotate = std::make_shared<ConstantRotationAction>(ids, fan.get());
    fan->addAtmoTrigger(click);
    fan->addAtmoTrigger(std::make_shared<OnclickTrigger>(ids, fan.get()));
    fan->addAtmoTrigger(std::make_shared<ProximityTrigger>(ids, fan.get()));
    fan->addAtmoAction(rotate);
    fan->addAtmoAction(std::make_shared<ConstantRotationAction>(ids, fan.get()));
    fan->addAtmoAction(std::make_shared<MovePositionAction>(ids, fan.get()));

    ASSERT_EQ(fan->getAtmoTriggerSize(), 2);
    EXPECT_EQ(fan->getAtmoTrigger(0), click);
    EXPECT_EQ(fan->getAtmoTrigger(typeid(OnclickTrigger)), click);
    EXPECT_EQ(fan->getAtmoTrigger(typeid(action::WorldFirstLoadsTrigger)), nullptr);
    ASSERT_EQ(fan->getAtmoActionSize(), 2);
    EXPECT_EQ(fan->getAtmoAction(typeid(ConstantRotationAction)), rotate);
    EXPECT_EQ(fan->getAtmoAction(typeid(LoadingAction)), nullptr);
}

// A model whose proximity trigger fires its rotation and its move and whose
// on-click trigger fires the move; a third action is fired by no trigger.
struct CopySource {
    explicit CopySource(core::IdCounter& ids)
        : rotate(std::make_shared<ConstantRotationAction>(ids, fan.get())),
          move(std::make_shared<MovePositionAction>(ids, fan.get())),
          near(std::make_shared<ProximityTrigger>(ids, fan.get())),
          click(std::make_shared<OnclickTrigger>(ids, fan.get()))
    {
        build();
    }

    std::shared_ptr<ModelObj> fan = named<ModelObj>("fan");
    std::shared_ptr<ConstantRotationAction> rotate;
    std::shared_ptr<MovePositionAction> move;
    std::shared_ptr<ProximityTrigger> near;
    std::shared_ptr<OnclickTrigger> click;

    void build()
    {
        rotate->setActive(true);
        rotate->yrevolutions = 9.0;
        fan->addAtmoAction(rotate);
        fan->addAtmoAction(move);
        fan->addAtmoAction(std::make_shared<LoadingAction>(fan.get(), "x();", true));
        near->distance = 12.5;
        near->setActive(true);
        near->addAction(rotate);
        near->addAction(move);
        click->addAction(move);
        fan->addAtmoTrigger(near);
        fan->addAtmoTrigger(click);
    }
};

TEST_F(SceneObjectTest, CopyClonesReferencedActionsAndTriggersWithFreshNumbersInOrder)
{
    CopySource source(ids); // numbers 0 to 4
    auto box = named<SolidObjectObj>("box");
    box->addAtmoTrigger(std::make_shared<ProximityTrigger>(ids, box.get())); // number 5
    box->addAtmoAction(std::make_shared<LoadingAction>(box.get(), "", true));

    box->copy(*source.fan, ids);

    ASSERT_EQ(box->getAtmoActionSize(), 2);
    auto rotate = std::dynamic_pointer_cast<ConstantRotationAction>(box->getAtmoAction(0));
    auto move = std::dynamic_pointer_cast<MovePositionAction>(box->getAtmoAction(1));
    ASSERT_TRUE(rotate && move);
    EXPECT_EQ(rotate->numbers(), std::vector<int>{6});
    EXPECT_EQ(move->numbers(), (std::vector<int>{7, 8}));
    EXPECT_EQ(rotate->getOwnerObject(), box.get());
    EXPECT_EQ(move->getOwnerObject(), box.get());
    EXPECT_TRUE(rotate->getActive());
    EXPECT_EQ(rotate->yrevolutions, 9.0);

    ASSERT_EQ(box->getAtmoTriggerSize(), 2);
    auto near = std::dynamic_pointer_cast<ProximityTrigger>(box->getAtmoTrigger(0));
    auto click = std::dynamic_pointer_cast<OnclickTrigger>(box->getAtmoTrigger(1));
    ASSERT_TRUE(near && click);
    EXPECT_EQ(near->numbers(), std::vector<int>{9});
    EXPECT_EQ(click->numbers(), std::vector<int>{10});
    EXPECT_EQ(near->getTriggerObject(), box.get());
    EXPECT_EQ(near->distance, 12.5);
    EXPECT_TRUE(near->getActive());
    EXPECT_EQ(near->getActionList(), (action::AtmoTrigger::ActionList{rotate, move}));
    EXPECT_EQ(click->getActionList(), action::AtmoTrigger::ActionList{move});

    near->clearActions();
    EXPECT_EQ(source.near->getActionList(), (action::AtmoTrigger::ActionList{source.rotate, source.move}));
    EXPECT_EQ(source.rotate->numbers(), std::vector<int>{0});
    EXPECT_EQ(source.fan->getAtmoActionSize(), 3);
}

TEST_F(SceneObjectTest, CopySkipsActionsTheTargetDoesNotAllowAndDropsTheirReferences)
{
    CopySource source(ids);
    auto door = named<PrimitiveObj>("door");
    door->copy(*source.fan, ids);

    EXPECT_EQ(door->getAtmoActionSize(), 0);
    ASSERT_EQ(door->getAtmoTriggerSize(), 2);
    EXPECT_EQ(door->getAtmoTrigger(0)->getActionSize(), 0);
    EXPECT_EQ(door->getAtmoTrigger(0)->numbers(), std::vector<int>{5});
    EXPECT_EQ(door->getAtmoTrigger(1)->numbers(), std::vector<int>{6});
}

TEST_F(SceneObjectTest, CopyClonesAnActionFiredTwiceOnceAndFiresTheCloneTwice)
{
    CopySource source(ids);
    source.click->addAction(source.move);
    auto box = named<SolidObjectObj>("box");
    box->copy(*source.fan, ids);

    ASSERT_EQ(box->getAtmoActionSize(), 2);
    const auto& move = box->getAtmoAction(1);
    EXPECT_EQ(box->getAtmoTrigger(1)->getActionList(), (action::AtmoTrigger::ActionList{move, move}));
}

TEST_F(SceneObjectTest, CopyOntoItselfKeepsTheObjectsTriggersAndActions)
{
    CopySource source(ids);
    source.fan->copy(*source.fan, ids);

    EXPECT_EQ(source.fan->getAtmoActionSize(), 3);
    ASSERT_EQ(source.fan->getAtmoTriggerSize(), 2);
    EXPECT_EQ(source.fan->getAtmoTrigger(0)->getActionSize(), 2);
}

} // namespace
} // namespace scenewright::test
