#include "scenewright/gui/SceneUndoStack.h"

#include "scenewright/core/SceneEditor.h"

#include <QUndoCommand>

#include <utility>

namespace scenewright::gui {

namespace {

// Commands that may merge share one id; the changes' own keys decide.
constexpr int mergeableId = 1;

class SceneChangeCommand : public QUndoCommand {
public:
    explicit SceneChangeCommand(core::SceneChange change)
        : QUndoCommand(QString::fromStdString(change.text())), change_(std::move(change))
    {
    }

    void undo() override { core::SceneEditor::getInstance().undo(change_); }
    void redo() override
    {
        // The stack redoes what it is given; the change is applied already.
        if (applied_) {
            applied_ = false;
            return;
        }
        core::SceneEditor::getInstance().redo(change_);
    }
    int id() const override { return change_.mergeKey().empty() ? -1 : mergeableId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        return change_.mergeWith(static_cast<const SceneChangeCommand*>(other)->change_);
    }

private:
    core::SceneChange change_;
    bool applied_ = true;
};

} // namespace

SceneUndoStack::SceneUndoStack(QObject* parent) : QUndoStack(parent)
{
    core::SceneEditor::getInstance().setHistory(this);
}

SceneUndoStack::~SceneUndoStack()
{
    core::SceneEditor& editor = core::SceneEditor::getInstance();
    if (editor.getHistory() == this)
        editor.setHistory(nullptr);
}

void SceneUndoStack::record(core::SceneChange change)
{
    push(new SceneChangeCommand(std::move(change)));
}

} // namespace scenewright::gui
