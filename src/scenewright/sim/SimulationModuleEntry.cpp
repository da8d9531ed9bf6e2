// The entry point of the simulated-world module (see SimulationModule.h).
#include "scenewright/sim/SimulatedWorld.h"
#include "scenewright/sim/SimulationModule.h"

#include <QtGlobal>

#include <utility>

extern "C" Q_DECL_EXPORT scenewright::sim::Simulation* scenewright_start_simulation(
    scenewright::sim::SimulatedScene* scene)
{
    return new scenewright::sim::SimulatedWorld(std::move(*scene));
}
