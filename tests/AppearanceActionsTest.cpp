#include "FreshProgramTest.h"
#include "TestScene.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/OpacityAction.h"
#include "scenewright/core/action/ProximityTrigger.h"

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

using AnimateTextureActionTest = FreshProgramTest;
using OpacityActionTest = FreshProgramTest;

// A texture action numbered 7 on the object.
std::shared_ptr<AnimateTextureAction> textureAction(core::IdCounter& ids, IAtmoObject& owner)
{
    auto action = std::make_shared<AnimateTextureAction>(ids, &owner);
    action->setNumbers({7});
    return action;
}

// An opacity action numbered 9 on the object.
std::shared_ptr<OpacityAction> opacityAction(core::IdCounter& ids, IAtmoObject& owner)
{
    auto action = std::make_shared<OpacityAction>(ids, &owner);
    action->setNumbers({9});
    return action;
}

TEST_F(AnimateTextureActionTest, DeclaresAndFiresTheTextureListOfAPrimitive)
{
    startProject(false);
    auto door = addObject<PrimitiveObj>("door", 12);
    auto action = textureAction(ids, *door);
    action->textures = {"a.jpg", "b.jpg"};
    action->maxrevolutions = 3;
    action->findfaces = std::vector<int>{2, 3, 5};

    EXPECT_EQ(action->doScript(sceneContext()),
              lines({"// Texture animation for door <primitive>. Loading textures....",
                     "primitiveobj12.triggerlist7=Array(2);",
                     "primitiveobj12.triggerlist7[0] = Texture();",
                     "primitiveobj12.triggerlist7[0].URL = 'a.jpg';",
                     "primitiveobj12.triggerlist7[1] = Texture();",
                     "primitiveobj12.triggerlist7[1].URL = 'b.jpg';",
                     "// .texturelist.faces is an array of faces to texture animate",
                     "primitiveobj12.triggerlist7.faces = [];",
                     "// .texturelist.thetime maintains time since last animation",
                     "primitiveobj12.triggerlist7.thetime=0;",
                     "// .texturelist.ind maintains current image texture ",
                     "primitiveobj12.triggerlist7.ind=0;",
                     "primitiveobj12.triggerlist7.maxrevolutions = 0;",
                     "// .texturelist.timestep runs the whole animation sequence",
                     "primitiveobj12.triggerlist7.timestep = function(w,d) {",
                     "this.added = true;",
                     "// Assemble the faces to animate first...",
                     "if(this.faces.length==0 && primitiveobj12.loaded) {",
                     "for(i=0; i < primitiveobj12.getFaceCount(); i++) {",
                     "if(primitiveobj12.getFace(i).getSurfaceTexture()!=undefined && (2==i || 3==i || 5==i)) {",
                     "this.faces.push(primitiveobj12.getFace(i).getSurfaceTexture());",
                     "}",
                     "}",
                     "// Do the animation of the textures on the this.faces list ",
                     "}",
                     "if(this.faces.length>0) { ",
                     "this.thetime+=d;",
                     "if(this.thetime>0.05) {",
                     "this.thetime = 0.0;",
                     "if(this.ind==this.length-1) {",
                     "this.ind=0;",
                     "this.maxrevolutions++;",
                     "if(this.maxrevolutions>=3) { this.maxrevolutions=0;",
                     "removeAnimator(this);",
                     "this.added = false;",
                     "return;",
                     "}",
                     " } else {",
                     "this.ind++;",
                     "}",
                     "for(i=0;i<this.faces.length;i++) { ",
                     "this.faces[i].texture = this[this.ind];",
                     "}",
                     "}",
                     "}",
                     "}"}));
    EXPECT_EQ(action->doTriggerScript(sceneContext()),
              lines({"// Trigger door <primitive> texture animation here...",
                     "if(!primitiveobj12.triggerlist7.added) {", "addAnimator(primitiveobj12.triggerlist7);", "}"}));
    EXPECT_EQ(action->exitTriggerScript(sceneContext()), "");
    EXPECT_EQ(action->getOnLoadScript(sceneContext()), "");
}

TEST_F(AnimateTextureActionTest, LocalisedPrimitiveHangsItselfOnTheTextureList)
{
    startProject(true);
    auto door = addObject<PrimitiveObj>("door", 12);
    auto action = textureAction(ids, *door);

    EXPECT_EQ(action->doScript(sceneContext()),
              lines({"// Texture animation for door <primitive>. Loading textures....",
                     "this.triggerlist7=Array(0);",
                     "// .texturelist.faces is an array of faces to texture animate",
                     "this.triggerlist7.faces = [];",
                     "// .texturelist.thetime maintains time since last animation",
                     "this.triggerlist7.thetime=0;",
                     "// .texturelist.ind maintains current image texture ",
                     "this.triggerlist7.ind=0;",
                     "this.triggerlist7.localisedparent = this;",
                     "// .texturelist.timestep runs the whole animation sequence",
                     "this.triggerlist7.timestep = function(w,d) {",
                     "this.added = true;",
                     "// Assemble the faces to animate first...",
                     "if(this.faces.length==0 && this.localisedparent.loaded) {",
                     "for(i=0; i < this.localisedparent.getFaceCount(); i++) {",
                     "if(this.localisedparent.getFace(i).getSurfaceTexture()!=undefined) {",
                     "this.faces.push(this.localisedparent.getFace(i).getSurfaceTexture());",
                     "}",
                     "}",
                     "// Do the animation of the textures on the this.faces list ",
                     "}",
                     "if(this.faces.length>0) { ",
                     "this.thetime+=d;",
                     "if(this.thetime>0.05) {",
                     "this.thetime = 0.0;",
                     "if(this.ind==this.length-1) {",
                     "this.ind=0;",
                     " } else {",
                     "this.ind++;",
                     "}",
                     "for(i=0;i<this.faces.length;i++) { ",
                     "this.faces[i].texture = this[this.ind];",
                     "}",
                     "}",
                     "}",
                     "}"}));
    EXPECT_EQ(action->doTriggerScript(sceneContext()), lines({"// Trigger door <primitive> texture animation here...",
                                                              "if(!this.localisedparent.triggerlist7.added) {",
                                                              "addAnimator(this.localisedparent.triggerlist7);", "}"}));
}

TEST_F(AnimateTextureActionTest, ModelOwnerAnimatesTheNamedPrimitiveInside)
{
    startProject(false);
    auto ship = addObject<ModelObj>("ship", 3);
    auto action = textureAction(ids, *ship);
    action->primitiveName = std::string("hull");
    action->findtextureurl = std::string("a.jpg");

    const std::string declaration = action->doScript(sceneContext());
    EXPECT_NE(declaration.find(lines({"if(this.faces.length==0 && modelobj3.loaded) {",
                                      "var prim = modelobj3.getPrimitive('hull');",
                                      "for(i=0; i < prim.getFaceCount(); i++) {",
                                      "if(prim.getFace(i).getSurfaceTexture()!=undefined && "
                                      "prim.getFace(i).getSurfaceTexture().texture.URL=='a.jpg') {",
                                      "this.faces.push(prim.getFace(i).getSurfaceTexture());", "}", "}"})),
              std::string::npos)
        << declaration;
    // Models are never localised: the same text either way.
    currentDocument()->setLocaliseScript(true);
    EXPECT_NE(action->doScript(sceneContext()).find("var prim = modelobj3.getPrimitive('hull');\n"), std::string::npos);
}

TEST_F(AnimateTextureActionTest, SelectsFacesByNumberThenByTextureAddress)
{
    struct Case {
        std::optional<std::vector<int>> findfaces;
        std::optional<std::string> findtextureurl;
        std::string condition;
    };
    const std::vector<Case> cases = {
        {std::vector<int>{2, 3, 5}, std::string("a.jpg"), " && (2==i || 3==i || 5==i)"},
        {std::vector<int>{4}, std::string(), " && (4==i)"},
        // An empty list stands for no list.
        {std::vector<int>{}, std::string(), ""},
        {std::vector<int>{}, std::string("a.jpg"), " && p.getFace(i).getSurfaceTexture().texture.URL=='a.jpg'"},
        {std::nullopt, std::string("a.jpg"), " && p.getFace(i).getSurfaceTexture().texture.URL=='a.jpg'"},
        {std::nullopt, std::string(), ""},
        {std::nullopt, std::nullopt, ""},
        {std::nullopt, std::string("it's\\x"), " && p.getFace(i).getSurfaceTexture().texture.URL=='it\\'s\\\\x'"},
    };
    startProject(false);
    auto primitive = addObject<PrimitiveObj>("p", 1);
    primitive->scriptname = "p";
    for (const Case& c : cases) {
        auto action = textureAction(ids, *primitive);
        action->findfaces = c.findfaces;
        action->findtextureurl = c.findtextureurl;
        const std::string test = "if(p.getFace(i).getSurfaceTexture()!=undefined" + c.condition + ") {\n";
        EXPECT_NE(action->doScript(sceneContext()).find(test), std::string::npos) << test;
    }
}

TEST_F(AnimateTextureActionTest, EscapesTextureAddressesAndPrimitiveNames)
{
    startProject(false);
    auto ship = addObject<ModelObj>("ship", 3);
    auto action = textureAction(ids, *ship);
    action->textures = {"it's\\a.jpg", "line\nbreak\xE2\x80\xA8.jpg"};
    action->primitiveName = std::string("o'hull");

    const std::string declaration = action->doScript(sceneContext());
    EXPECT_NE(declaration.find("modelobj3.triggerlist7[0].URL = 'it\\'s\\\\a.jpg';\n"), std::string::npos);
    EXPECT_NE(declaration.find("modelobj3.triggerlist7[1].URL = 'line\\nbreak\\u2028.jpg';\n"), std::string::npos);
    EXPECT_NE(declaration.find("modelobj3.getPrimitive('o\\'hull');\n"), std::string::npos);
}

TEST_F(AnimateTextureActionTest, BelongsOnlyOnPrimitivesAndModels)
{
    const AnimateTextureAction action(ids);
    EXPECT_TRUE(action.allowedForAtmoObject(std::make_shared<PrimitiveObj>().get()));
    EXPECT_TRUE(action.allowedForAtmoObject(std::make_shared<ModelObj>().get()));
    EXPECT_FALSE(action.allowedForAtmoObject(std::make_shared<SolidObjectObj>().get()));
    EXPECT_FALSE(action.allowedForAtmoObject(std::make_shared<ViewpointObj>().get()));
    EXPECT_FALSE(action.allowedForAtmoObject(std::make_shared<Actor>(ids).get()));
    EXPECT_FALSE(action.allowedForAtmoObject(std::make_shared<World>().get()));
    EXPECT_FALSE(action.allowedForAtmoObject(nullptr));
}

TEST_F(AnimateTextureActionTest, KeepsItsFieldsForThePanelAndItsListNameWhenCloned)
{
    AnimateTextureAction action(ids);
    EXPECT_TRUE(action.getFields().empty());
    EXPECT_EQ(action.numbers(), std::vector<int>{0});
    EXPECT_EQ(action.getName(), std::optional<std::string>("Animate textures on object"));

    EXPECT_EQ(action.getType("textures"), FieldType::StringList);
    EXPECT_EQ(action.getType("animateDelay"), FieldType::Double);
    EXPECT_EQ(action.getType("maxrevolutions"), FieldType::Int);
    EXPECT_EQ(action.getType("primitiveName"), FieldType::String);
    EXPECT_EQ(action.getType("findfaces"), FieldType::IntList);
    EXPECT_EQ(action.getType("findtextureurl"), FieldType::String);
    EXPECT_EQ(action.getType("triggername"), std::nullopt);

    EXPECT_EQ(action.verifyField("maxrevolutions", "2.5"), "maxrevolutions must contain an integer");
    EXPECT_EQ(action.verifyField("animateDelay", "soon"), "animateDelay must contain an real number");
    action.set("animateDelay", "0.25");
    EXPECT_TRUE(action.setValue("findfaces", std::optional<std::vector<int>>(std::vector<int>{1, 4})));
    EXPECT_TRUE(action.setValue("textures", std::vector<std::string>{"x.gif"}));
    EXPECT_EQ(action.animateDelay, 0.25);
    EXPECT_EQ(action.findfaces, (std::vector<int>{1, 4}));
    EXPECT_EQ(action.textures, std::vector<std::string>{"x.gif"});

    ModelObj other;
    auto copy = action.cloneit(&other);
    EXPECT_EQ(copy->numbers(), std::vector<int>{0});
    EXPECT_EQ(copy->getOwnerObject(), &other);
    EXPECT_EQ(copy->get("findfaces"), action.get("findfaces"));
    EXPECT_FALSE(action.setNumbers({1, 2}));
    EXPECT_TRUE(action.setNumbers({5}));
    EXPECT_EQ(action.numbers(), std::vector<int>{5});
}

TEST_F(OpacityActionTest, SetsTheStartingOpacityWhileTheWorldLoads)
{
    startProject(false);
    auto ship = addObject<ModelObj>("ship", 3);
    auto view = addObject<ViewpointObj>("view", 4);
    auto rock = addObject<SolidObjectObj>("rock", 5);
    auto door = addObject<PrimitiveObj>("door", 6);

    EXPECT_EQ(
        opacityAction(ids, *ship)->getOnLoadScript(sceneContext()),
        lines({"for(j=0;j<modelobj3.getSolidObjectCount();j++) {", "modelobj3.getSolidObject(j).opacity=1.0;", "}"}));
    EXPECT_EQ(opacityAction(ids, *view)->getOnLoadScript(sceneContext()),
              lines({"for(j=0;j<viewptobj4.scene.getInstanceCount();j++) {",
                     "viewptobj4.scene.getInstance(j).opacity=1.0;", "}"}));
    EXPECT_EQ(opacityAction(ids, *rock)->getOnLoadScript(sceneContext()), "solidobject5.opacity = 1.0;\n");
    EXPECT_EQ(opacityAction(ids, *door)->getOnLoadScript(sceneContext()), "");
}

TEST_F(OpacityActionTest, DeclaresTheFadeAnimatorOfAModel)
{
    startProject(false);
    auto ship = addObject<ModelObj>("ship", 3);
    EXPECT_EQ(opacityAction(ids, *ship)->doScript(sceneContext()),
              lines({"obj9= Object();",
                     "obj9.currtime=0;",
                     "obj9.divbit = -0.05;",
                     "obj9.added = false;",
                     "obj9.finalopacity = 0.5;",
                     "obj9.fadestep = function(o) {",
                     "var next = o + this.divbit;",
                     "if((this.finalopacity - next) * this.divbit <= this.divbit * this.divbit / 2) {",
                     "this.reached = true;",
                     "return this.finalopacity;",
                     "}",
                     "return next;",
                     "}",
                     "obj9.timestep = function(w,d) {",
                     "this.currtime+=d;",
                     "if(this.currtime>0.5){",
                     "this.currtime=0;",
                     "if(modelobj3.loaded) {",
                     "this.added = true;",
                     "this.reached = false;",
                     "for(j=0; j<modelobj3.getSolidObjectCount(); j++) {",
                     "modelobj3.getSolidObject(j).opacity = this.fadestep(modelobj3.getSolidObject(j).opacity);",
                     "}",
                     "for(j=0;j<modelobj3.getViewpointObjectCount();j++) {",
                     "vpooj=modelobj3.getViewpointObject(j);",
                     "for(d=0;d<vpooj.scene.getInstanceCount();d++) {",
                     "vpooj.scene.getInstance(d).opacity = this.fadestep(vpooj.scene.getInstance(d).opacity);",
                     "}",
                     "}",
                     "if(this.reached) {",
                     " removeAnimator(this);",
                     "this.added = false;",
                     "}",
                     "}",
                     "}",
                     "}"}));
}

TEST_F(OpacityActionTest, DeclaresTheFadeAnimatorOfAViewpointAndASolidObject)
{
    startProject(false);
    auto view = addObject<ViewpointObj>("view", 4);
    auto rock = addObject<SolidObjectObj>("rock", 5);
    auto fadeIn = opacityAction(ids, *view);
    fadeIn->initialOpacity = 0.2;
    fadeIn->finalOpacity = 0.8;

    const std::string opening = lines({"obj9.timestep = function(w,d) {", "this.currtime+=d;",
                                       "if(this.currtime>0.5){", "this.currtime=0;"});
    auto fadeStep = [](const std::string& finalOpacity) {
        return lines({"obj9.finalopacity = " + finalOpacity + ";", "obj9.fadestep = function(o) {",
                      "var next = o + this.divbit;",
                      "if((this.finalopacity - next) * this.divbit <= this.divbit * this.divbit / 2) {",
                      "this.reached = true;", "return this.finalopacity;", "}", "return next;", "}"});
    };
    const std::string ending = lines({"if(this.reached) {", " removeAnimator(this);", "this.added = false;", "}", "}",
                                      "}", "}"});
    EXPECT_EQ(
        fadeIn->doScript(sceneContext()),
        lines({"obj9= Object();", "obj9.currtime=0;", "obj9.divbit = 0.06000000000000001;", "obj9.added = false;"})
            + fadeStep("0.8") + opening
            + lines(
                {"if(viewptobj4.loaded) {", "this.added = true;", "this.reached = false;",
                 "for(j=0;j<viewptobj4.scene.getInstanceCount();j++) {",
                 "viewptobj4.scene.getInstance(j).opacity = this.fadestep(viewptobj4.scene.getInstance(j).opacity);",
                 "}"})
            + ending);
    EXPECT_EQ(opacityAction(ids, *rock)->doScript(sceneContext()),
              lines({"obj9= Object();", "obj9.currtime=0;", "obj9.divbit = -0.05;", "obj9.added = false;"})
                  + fadeStep("0.5") + opening
                  + lines({"if(solidobject5.loaded) {", "this.added = true;", "this.reached = false;",
                           "solidobject5.opacity = this.fadestep(solidobject5.opacity);"})
                  + ending);
}

TEST_F(OpacityActionTest, LocalisedFadeAnimatorHangsOnItsOwner)
{
    startProject(true);
    auto ship = addObject<ModelObj>("ship", 3);
    auto view = addObject<ViewpointObj>("view", 4);
    auto byIndex = addObject<SolidObjectObj>("3", 5);
    auto byName = addObject<SolidObjectObj>("rock's", 6);
    auto door = addObject<PrimitiveObj>("door", 7);

    // Models are never localised: their animator hangs on the global name.
    EXPECT_EQ(
        opacityAction(ids, *ship)
            ->doScript(sceneContext())
            .find(lines({"modelobj3.obj9= Object();", "modelobj3.obj9.currtime=0;", "modelobj3.obj9.divbit = -0.05;",
                         "modelobj3.obj9.added = false;", "modelobj3.obj9.finalopacity = 0.5;"})),
        0u);
    EXPECT_NE(opacityAction(ids, *ship)
                  ->doScript(sceneContext())
                  .find(lines({"modelobj3.obj9.modelobj3=modelobj3;", "modelobj3.obj9.timestep = function(w,d) {"})),
              0u);
    EXPECT_NE(opacityAction(ids, *view)
                  ->doScript(sceneContext())
                  .find("}\n"
                        "this.obj9.localisedparent=this;\n"
                        "this.obj9.timestep = function(w,d) {\n"),
              std::string::npos);
    EXPECT_NE(opacityAction(ids, *byIndex)
                  ->doScript(sceneContext())
                  .find("this.obj9.localisedparent=theStage.getSolidObject(3);\n"),
              std::string::npos);
    EXPECT_EQ(opacityAction(ids, *byName)->doScript(sceneContext()),
              lines({"this.obj9= Object();",
                     "this.obj9.currtime=0;",
                     "this.obj9.divbit = -0.05;",
                     "this.obj9.added = false;",
                     "this.obj9.finalopacity = 0.5;",
                     "this.obj9.fadestep = function(o) {",
                     "var next = o + this.divbit;",
                     "if((this.finalopacity - next) * this.divbit <= this.divbit * this.divbit / 2) {",
                     "this.reached = true;",
                     "return this.finalopacity;",
                     "}",
                     "return next;",
                     "}",
                     "this.obj9.localisedparent=theStage.getSolidObject('rock\\'s');",
                     "this.obj9.timestep = function(w,d) {",
                     "this.currtime+=d;",
                     "if(this.currtime>0.5){",
                     "this.currtime=0;",
                     "if(this.localisedparent.loaded) {",
                     "this.added = true;",
                     "this.reached = false;",
                     "this.localisedparent.opacity = this.fadestep(this.localisedparent.opacity);",
                     "if(this.reached) {",
                     " removeAnimator(this);",
                     "this.added = false;",
                     "}",
                     "}",
                     "}",
                     "}"}));
    // An owner it cannot fade gets the animator without a fade step.
    EXPECT_NE(opacityAction(ids, *door)
                  ->doScript(sceneContext())
                  .find("if(this.localisedparent.loaded) {\nthis.added = true;\n}\n}\n}\n"),
              std::string::npos);
}

TEST_F(OpacityActionTest, FadesOrJumpsWhenTriggered)
{
    startProject(false);
    auto ship = addObject<ModelObj>("ship", 3);
    auto view = addObject<ViewpointObj>("view", 4);
    auto rock = addObject<SolidObjectObj>("rock", 5);
    auto door = addObject<PrimitiveObj>("door", 6);
    const std::string comment = "// Starts the opacity fade....\n";

    EXPECT_EQ(opacityAction(ids, *rock)->doTriggerScript(sceneContext()),
              comment + lines({"if(!obj9.added) {", "addAnimator(obj9);", "}"}));

    auto jump = [this](std::shared_ptr<OpacityAction> action) {
        action->fadeInOpacity = false;
        return action->doTriggerScript(sceneContext());
    };
    EXPECT_EQ(
        jump(opacityAction(ids, *ship)),
        comment
            + lines({"for(j=0;j<modelobj3.getSolidObjectCount();j++) {", "modelobj3.getSolidObject(j).opacity=0.5;",
                     "}", "for(j=0;j<modelobj3.getViewpointObjectCount();j++) {",
                     "vpooj=modelobj3.getViewpointObject(j);", "for(d=0;d<vpooj.scene.getInstanceCount();d++) {",
                     "vpooj.scene.getInstance(d).opacity=0.5;", "}", "}"}));
    EXPECT_EQ(jump(opacityAction(ids, *view)), comment
                                                   + lines({"for(j=0;j<viewptobj4.scene.getInstanceCount();j++) {",
                                                            "viewptobj4.scene.getInstance(j).opacity=0.5;", "}"}));
    EXPECT_EQ(jump(opacityAction(ids, *rock)), comment + "solidobject5.opacity = 0.5;\n");
    // The comment ends its line, so it cannot swallow the code after it.
    EXPECT_EQ(jump(opacityAction(ids, *door)), comment + "// Couldn't assign opacity to Atmo object - primitive\n");
    EXPECT_EQ(opacityAction(ids, *door)->exitTriggerScript(sceneContext()), "");
}

TEST_F(OpacityActionTest, LocalisedOwnerIsReachedThroughTheInnerNameWhenTriggered)
{
    startProject(true);
    auto ship = addObject<ModelObj>("ship", 3);
    auto view = addObject<ViewpointObj>("view", 4);
    auto rock = addObject<SolidObjectObj>("rock", 5);
    EXPECT_EQ(opacityAction(ids, *rock)->doTriggerScript(sceneContext()),
              lines({"// Starts the opacity fade....", "if(!this.localisedparent.obj9.added) {",
                     "addAnimator(this.localisedparent.obj9);", "}"}));
    EXPECT_EQ(
        opacityAction(ids, *ship)->doTriggerScript(sceneContext()),
        lines({"// Starts the opacity fade....", "if(!modelobj3.obj9.added) {", "addAnimator(modelobj3.obj9);", "}"}));

    // Trigger code runs with "this" bound to the trigger's object, so the
    // owner's script name "this" would miss it.
    auto jump = [this](std::shared_ptr<OpacityAction> action) {
        action->fadeInOpacity = false;
        return action->doTriggerScript(sceneContext());
    };
    EXPECT_EQ(jump(opacityAction(ids, *view)),
              lines({"// Starts the opacity fade....", "for(j=0;j<this.localisedparent.scene.getInstanceCount();j++) {",
                     "this.localisedparent.scene.getInstance(j).opacity=0.5;", "}"}));
    EXPECT_EQ(jump(opacityAction(ids, *rock)),
              lines({"// Starts the opacity fade....", "this.localisedparent.opacity = 0.5;"}));
    EXPECT_EQ(jump(opacityAction(ids, *ship))
                  .find("// Starts the opacity fade....\nfor(j=0;j<modelobj3.getSolidObjectCount()"),
              0u);
}

TEST_F(OpacityActionTest, LocalisedJumpChangesTheOwnerWhenClicked)
{
    startProject(true);
    auto rock = addObject<SolidObjectObj>("rock", 5);
    auto action = std::make_shared<OpacityAction>(ids, rock.get());
    action->fadeInOpacity = false;
    fire<OnclickTrigger>(action);

    // Stand-ins for the platform; the script is attached to the rock, which
    // is "this" at the top level.
    const std::string platform = "function MouseEventHandler() { return { setFilterOnClick: function(o) {} }; }\n"
                                 "var theStage = { getSolidObject: function(n) { return {}; } };\n"
                                 "function addAnimator(a) {}\nfunction removeAnimator(a) {}\n";
    const std::string click = "this.mouse.onEvent(null, this);\nprocess.stdout.write(String(this.opacity));\n";
    EXPECT_EQ(nodeOutput(platform + generateAtmoScript() + click), std::optional<std::string>("0.5"));
}

TEST_F(OpacityActionTest, BelongsOnlyOnModelsViewpointsAndSolidObjects)
{
    const OpacityAction action(ids);
    EXPECT_TRUE(action.allowedForAtmoObject(std::make_shared<ModelObj>().get()));
    EXPECT_TRUE(action.allowedForAtmoObject(std::make_shared<ViewpointObj>().get()));
    EXPECT_TRUE(action.allowedForAtmoObject(std::make_shared<SolidObjectObj>().get()));
    EXPECT_FALSE(action.allowedForAtmoObject(std::make_shared<PrimitiveObj>().get()));
    EXPECT_FALSE(action.allowedForAtmoObject(std::make_shared<Actor>(ids).get()));
    EXPECT_FALSE(action.allowedForAtmoObject(std::make_shared<World>().get()));
    EXPECT_FALSE(action.allowedForAtmoObject(nullptr));
}

TEST_F(OpacityActionTest, ReachesItsFieldsByName)
{
    OpacityAction action(ids);
    EXPECT_EQ(action.getFields(), (std::vector<std::string>{"initialOpacity", "finalOpacity", "fadeInOpacity"}));
    EXPECT_EQ(action.getType("initialOpacity"), FieldType::Double);
    EXPECT_EQ(action.getType("fadeInOpacity"), FieldType::Boolean);
    EXPECT_EQ(action.verifyField("finalOpacity", "half"), "finalOpacity must contain an real number");
    EXPECT_EQ(action.verifyField("fadeInOpacity", "half"), std::nullopt);
    action.set("finalOpacity", "1e-1");
    action.set("fadeInOpacity", false);
    EXPECT_EQ(action.get("finalOpacity"), FieldValue(0.1));
    EXPECT_EQ(action.get("fadeInOpacity"), FieldValue(false));
    EXPECT_EQ(action.getName(), std::optional<std::string>("Set Opacity"));
}

// Every appearance action on every object it is allowed for, inside a whole
// script, with hostile strings in every string field and object name.
class AppearanceScriptTest : public FreshProgramTest, public ::testing::WithParamInterface<bool> {};

TEST_P(AppearanceScriptTest, WholeScriptParses)
{
    const std::string hostile = "it's \\ \"odd\"\nline\r\xE2\x80\xA8 // end";
    startProject(GetParam());
    auto ship = addObject<ModelObj>(hostile, 3);
    auto view = addObject<ViewpointObj>(hostile, 4);
    auto rock = addObject<SolidObjectObj>(hostile, 5);
    auto door = addObject<PrimitiveObj>(hostile, 6);

    for (IAtmoObject* owner : {static_cast<IAtmoObject*>(ship.get()), static_cast<IAtmoObject*>(door.get())}) {
        auto texture = std::make_shared<AnimateTextureAction>(ids, owner);
        texture->textures = {hostile, "b.jpg"};
        texture->primitiveName = hostile;
        texture->findtextureurl = hostile;
        texture->maxrevolutions = 2;
        fire<ProximityTrigger>(texture);
    }
    auto faces = std::make_shared<AnimateTextureAction>(ids, door.get());
    faces->findfaces = std::vector<int>{};
    fire<OnclickTrigger>(faces);

    bool fade = true;
    for (IAtmoObject* owner : {static_cast<IAtmoObject*>(ship.get()), static_cast<IAtmoObject*>(view.get()),
                               static_cast<IAtmoObject*>(rock.get()), static_cast<IAtmoObject*>(door.get())}) {
        auto opacity = std::make_shared<OpacityAction>(ids, owner);
        opacity->fadeInOpacity = fade;
        fire<OnclickTrigger>(opacity);
        auto jump = std::make_shared<OpacityAction>(ids, owner);
        jump->fadeInOpacity = !fade;
        fire<ProximityTrigger>(jump);
        fade = !fade;
    }

    const std::string script = generateAtmoScript();
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics << script;
}

INSTANTIATE_TEST_SUITE_P(GlobalAndLocalised, AppearanceScriptTest, ::testing::Bool());

} // namespace
} // namespace scenewright::test
