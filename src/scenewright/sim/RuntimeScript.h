#pragma once

namespace scenewright::sim {

// The JavaScript text of the simulated platform (runtime.js), compiled in.
const char* runtimeScript();

} // namespace scenewright::sim
