#pragma once

namespace scenewright::core {

class IAtmoObject;

// What a change of a scene document touched, so that each view refreshes
// what changed. An undo or redo tells the same change again.
struct DocumentChange {
    enum class Kind {
        // The object joined the list at `index`.
        ObjectAdded,
        // The object left the list from `index`.
        ObjectRemoved,
        // The object's name changed.
        ObjectRenamed,
        // A property of the object itself (its physical model, a
        // primitive's solid object), or the whole set of its triggers and
        // actions (a copy from another object).
        ObjectChanged,
        // A trigger or action of the object: switched on or off, a field,
        // a trigger's action list.
        InteractionChanged,
        // The world's settings: welcome message, fog, glare, sounds.
        WorldChanged,
        // The project's flags: whether its script is localised.
        FlagsChanged,
        // Whether the project is saved; no scene content changed.
        SavedStateChanged,
    };

    Kind kind;
    // The object concerned; null for flags and the saved state.
    const IAtmoObject* object = nullptr;
    // The object's place in the list for additions and removals, else -1.
    int index = -1;

    // Whether the change alters what the scene holds (everything but the
    // saved state does).
    bool changesScene() const { return kind != Kind::SavedStateChanged; }
};

} // namespace scenewright::core
