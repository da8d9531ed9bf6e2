#pragma once

#include "scenewright/core/ISceneHistory.h"

#include <QUndoStack>

#include <memory>

namespace scenewright::core {
class SceneDocument;
}

namespace scenewright::gui {

// The undo history of the document the window shows: every change the
// document makes becomes one command on it; undoing and redoing run the
// change back and forth through the document. Consecutive changes that
// carry the same merge key (one slider's moves) become one command.
class SceneUndoStack : public QUndoStack, public core::ISceneHistory {
    Q_OBJECT
public:
    explicit SceneUndoStack(QObject* parent = nullptr);
    ~SceneUndoStack() override;

    // Empties the history and records the document's changes from now on
    // (none: nothing is recorded).
    void setDocument(std::shared_ptr<core::SceneDocument> document);
    const std::shared_ptr<core::SceneDocument>& document() const { return document_; }

    void record(core::SceneChange change) override;

private:
    std::shared_ptr<core::SceneDocument> document_;
};

} // namespace scenewright::gui
