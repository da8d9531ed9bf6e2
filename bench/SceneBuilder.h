#pragma once

#include <memory>

namespace scenewright::core {
class IdCounter;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::bench {

// A default project plus `objects` models, each with three active actions
// and two active triggers firing them; one of the two triggers takes part in
// synchronisation. The objects are named, as before a script is generated.
std::shared_ptr<core::SceneDocument> buildScene(core::IdCounter& ids, int objects);

} // namespace scenewright::bench
