#pragma once

namespace scenewright::bench {

// Replaces the registry with a default project plus `objects` models, each
// with three active actions and two active triggers firing them; one of the
// two triggers takes part in synchronisation.
void buildScene(int objects);

} // namespace scenewright::bench
