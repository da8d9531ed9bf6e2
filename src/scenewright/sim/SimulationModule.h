#pragma once

#include "scenewright/sim/Simulation.h"

namespace scenewright::sim {

// The module that holds the simulated world exports this one function, by
// this name: it starts a world running the scene (taking the scene over)
// and hands it to the caller, who deletes it.
extern "C" {
using StartSimulation = Simulation* (*)(SimulatedScene* scene);
}
inline constexpr char kStartSimulation[] = "scenewright_start_simulation";

} // namespace scenewright::sim
