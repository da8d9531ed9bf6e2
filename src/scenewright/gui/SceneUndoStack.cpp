#include "scenewright/gui/SceneUndoStack.h"

#include "scenewright/core/SceneDocument.h"

#include <QUndoCommand>

#include <utility>

namespace scenewright::gui {

namespace {

// Commands that may merge share one id; the changes' own keys decide.
constexpr int mergeableId = 1;

class SceneChangeCommand : public QUndoCommand {
public:
    SceneChangeCommand(core::SceneDocument& document, core::SceneChange change)
        : QUndoCommand(QString::fromStdString(change.text())), document_(document), change_(std::move(change))
    {
    }

    void undo() override { document_.undo(change_); }
    void redo() override
    {
        // The stack redoes what it is given; the change is applied already.
        if (applied_) {
            applied_ = false;
            return;
        }
        document_.redo(change_);
    }
    int id() const override { return change_.mergeKey().empty() ? -1 : mergeableId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        return change_.mergeWith(static_cast<const SceneChangeCommand*>(other)->change_);
    }

private:
    core::SceneDocument& document_;
    core::SceneChange change_;
    bool applied_ = true;
};

} // namespace

SceneUndoStack::SceneUndoStack(QObject* parent) : QUndoStack(parent) {}

SceneUndoStack::~SceneUndoStack()
{
    setDocument(nullptr);
}

void SceneUndoStack::setDocument(std::shared_ptr<core::SceneDocument> document)
{
    if (document_ && document_->history() == this)
        document_->setHistory(nullptr);
    // The commands belong to the document they were recorded in.
    clear();
    document_ = std::move(document);
    if (document_)
        document_->setHistory(this);
}

void SceneUndoStack::record(core::SceneChange change)
{
    if (document_)
        push(new SceneChangeCommand(*document_, std::move(change)));
}

} // namespace scenewright::gui
