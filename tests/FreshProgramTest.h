#pragma once

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptContext.h"
#include "scenewright/core/script/ScriptGenerator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scenewright::test {

// A test that starts from the state of a freshly started program: its own
// id counter at 0, no document yet, synchronisation off.
class FreshProgramTest : public ::testing::Test {
protected:
    // The program's id counter.
    core::IdCounter ids;
    // Whether triggers are synchronised, as the program's switch says.
    bool synchronise = false;

    // The document the test works on; an empty one (no world, no actor)
    // until the test starts a project.
    core::SceneDocument& document()
    {
        if (!document_)
            document_ = std::make_shared<core::SceneDocument>(ids);
        return *document_;
    }
    const std::shared_ptr<core::SceneDocument>& currentDocument() const { return document_; }
    // Makes a new default project the document, as New does.
    const std::shared_ptr<core::SceneDocument>& createDefaultProject()
    {
        document_ = core::SceneDocument::createDefault(ids);
        return document_;
    }
    // Makes the document the test's document, as the window shows a
    // document it reopened.
    const std::shared_ptr<core::SceneDocument>& adopt(std::shared_ptr<core::SceneDocument> document)
    {
        document_ = std::move(document);
        return document_;
    }
    // Opens the project file as the document, as Open does; null (and the
    // document kept) on a refusal.
    std::shared_ptr<core::SceneDocument> openProject(const std::string& path, std::string& error)
    {
        auto opened = core::SceneDocument::open(path, ids, error);
        if (opened)
            document_ = opened;
        return opened;
    }

    // Makes a default project the document, its script localised or not.
    void startProject(bool localised) { createDefaultProject()->setLocaliseScript(localised); }
    // Makes a default project the document and localises its script.
    void localiseScript() { startProject(true); }
    // An object of the kind with the name and global number (which gives it
    // its script names), appended to the document.
    template <class Kind>
    std::shared_ptr<Kind> addObject(const std::string& name, int id)
    {
        auto object = std::make_shared<Kind>();
        object->setName(name);
        object->setGlobalId(id);
        document().appendObject(object);
        return object;
    }
    // Makes the action active, puts it in its owner's pool and has the
    // owner's active trigger of the given kind (added when missing) fire it.
    template <class Trigger>
    void fire(const std::shared_ptr<core::action::AtmoAction>& action)
    {
        core::IAtmoObject* owner = action->getOwnerObject();
        action->setActive(true);
        owner->addAtmoAction(action);
        auto trigger = owner->getAtmoTrigger(typeid(Trigger));
        if (!trigger) {
            trigger = std::make_shared<Trigger>(ids, owner);
            trigger->setActive(true);
            owner->addAtmoTrigger(trigger);
        }
        trigger->addAction(action);
    }

    // The context in which the document and the synchronisation switch
    // generate a script, for tests that ask objects for their fragments.
    core::script::ScriptContext sceneContext() const
    {
        return core::script::ScriptContext(document_ && document_->localiseScript(), synchronise);
    }
    // The trigger's whole fragment, generated in a context of its own.
    std::string triggerScript(const core::action::AtmoTrigger& trigger) const
    {
        core::script::ScriptContext context = sceneContext();
        return trigger.doScript(context);
    }
    // The document's whole script, as the script view generates it: the
    // objects are named first.
    std::string generateAtmoScript()
    {
        document().nameObjects();
        return core::script::ScriptGenerator::generate(document().objects(),
                                                       {document().localiseScript(), synchronise});
    }

private:
    std::shared_ptr<core::SceneDocument> document_;
};

// Records what a save-state label following the document shows: true for
// black, false for red.
class RecordingLabel {
public:
    explicit RecordingLabel(core::SceneDocument& document) : document_(document)
    {
        listener_ = document.addChangeListener([this](const core::DocumentChange& change) {
            if (change.kind == core::DocumentChange::Kind::SavedStateChanged)
                shown.push_back(document_.isSaved());
        });
    }
    ~RecordingLabel() { document_.removeChangeListener(listener_); }
    RecordingLabel(const RecordingLabel&) = delete;
    RecordingLabel& operator=(const RecordingLabel&) = delete;

    std::vector<bool> shown;

private:
    core::SceneDocument& document_;
    int listener_;
};

// A fresh program state with an empty temporary directory of the test's
// own, removed again afterwards.
class FreshProgramInDirectoryTest : public FreshProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The names of the files in the directory, sorted.
    std::vector<std::string> entries() const;

    std::filesystem::path directory_;
};

// The bytes of a file; empty when it cannot be read.
std::string fileContent(const std::filesystem::path& path);

// Whether `node --check` accepts the script; on refusal node's message is
// written to `diagnostics` when given.
bool nodeAccepts(const std::string& script, std::string* diagnostics = nullptr);

// What node writes to standard output when it runs the script; no value
// when node fails.
std::optional<std::string> nodeOutput(const std::string& script);

// Whether both scripts parse to the same syntax tree, source positions
// aside (acorn, latest ECMAScript). Empty when acorn cannot be loaded; false
// when either does not parse.
std::optional<bool> sameSyntaxTree(const std::string& a, const std::string& b);

} // namespace scenewright::test
