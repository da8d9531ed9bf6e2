#pragma once

#include "scenewright/core/SceneChange.h"

namespace scenewright::core {

// Where the scene editor hands every change it made, so that it can be
// undone and redone; the window keeps them on its undo stack.
class ISceneHistory {
public:
    virtual ~ISceneHistory() = default;
    // The change is applied already; recording it must not apply it again.
    virtual void record(SceneChange change) = 0;
};

} // namespace scenewright::core
