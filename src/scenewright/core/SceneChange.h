#pragma once

#include "scenewright/core/DocumentChange.h"

#include <functional>
#include <string>
#include <vector>

namespace scenewright::core {

// One reversible change of the scene, already applied when it is made:
// `undo` puts back what the scene held before, `redo` applies the change
// again. Both restore the very objects the change took or dropped (objects,
// interactions, sounds), so numbers those took for generated names stay the
// same after a redo.
class SceneChange {
public:
    using Apply = std::function<void()>;

    // `text` names the change for the user ("Rename Object"). Consecutive
    // changes with the same non-empty `mergeKey` (one slider moved step by
    // step) may merge into one.
    SceneChange(std::string text, Apply undo, Apply redo, std::string mergeKey = {});
    // The changes as one: undone last to first, redone first to last.
    static SceneChange group(std::string text, std::vector<SceneChange> changes);

    const std::string& text() const { return text_; }
    // What the change touches, as its document tells its listeners.
    const std::vector<DocumentChange>& touched() const { return touched_; }
    void setTouched(std::vector<DocumentChange> touched) { touched_ = std::move(touched); }
    const std::string& mergeKey() const { return mergeKey_; }
    void undo() const { undo_(); }
    void redo() const { redo_(); }
    // Takes over the later change's redo, so that one undo goes back past
    // both; false, with nothing changed, unless both carry the same key.
    bool mergeWith(const SceneChange& later);

private:
    std::string text_;
    Apply undo_;
    Apply redo_;
    std::string mergeKey_;
    std::vector<DocumentChange> touched_;
};

} // namespace scenewright::core
