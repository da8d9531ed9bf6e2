#pragma once

#include "scenewright/sim/Simulation.h"

#include <memory>
#include <stdexcept>

namespace scenewright::gui {

// Starts simulated worlds from the module that holds them. The module brings
// Qt's JavaScript engine with it, so the program loads it only when a test
// run first needs it rather than at every start. It is looked for where the
// program is installed beside it, then in the program's own folder (as in
// the build tree).
class SimulationLoader {
public:
    // The module is missing or broken; what() says why, in plain words.
    class Unavailable : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // A world running the scene. Throws Unavailable when the module cannot
    // be loaded.
    static std::unique_ptr<sim::Simulation> start(sim::SimulatedScene scene);
};

} // namespace scenewright::gui
