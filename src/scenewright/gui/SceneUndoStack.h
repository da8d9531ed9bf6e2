#pragma once

#include "scenewright/core/ISceneHistory.h"

#include <QUndoStack>

namespace scenewright::gui {

// The window's undo stack of scene changes: while it lives, every change the
// scene editor makes becomes one command on it; undoing and redoing run the
// change back and forth through the scene editor. Consecutive changes that
// carry the same merge key (one slider's moves) become one command.
class SceneUndoStack : public QUndoStack, public core::ISceneHistory {
    Q_OBJECT
public:
    explicit SceneUndoStack(QObject* parent = nullptr);
    ~SceneUndoStack() override;

    void record(core::SceneChange change) override;
};

} // namespace scenewright::gui
