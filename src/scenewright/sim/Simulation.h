#pragma once

#include "scenewright/sim/SimLogEntry.h"
#include "scenewright/sim/SimulatedScene.h"

#include <QString>

#include <utility>
#include <vector>

namespace scenewright::sim {

// What a test run asks of a simulated world. The desktop program reaches
// the world through this alone, so the JavaScript engine behind it can live
// in a module loaded on first use.
class Simulation {
public:
    virtual ~Simulation() = default;

    // Starts again from the beginning: a fresh world runs the script at t=0.
    virtual void reset() = 0;
    virtual void step() = 0;
    // Runs the frames that fill the given simulated time.
    virtual void runSeconds(double seconds) = 0;

    // The user steps; false when the scene has no such object or toggle.
    virtual bool click(const QString& name) = 0;
    virtual bool approach(const QString& name, double distance) = 0;
    virtual bool setToggle(const QString& label, bool on) = 0;
    virtual void setConnected(bool connected) = 0;

    virtual double time() const = 0;
    // The actor's distance from the object (its straight-line distance).
    virtual double actorDistance(const QString& name) const = 0;
    virtual const SimulatedScene& scene() const = 0;
    // The control-panel toggles the script added so far, with their states.
    virtual std::vector<std::pair<QString, bool>> toggles() const = 0;
    virtual const std::vector<SimLogEntry>& log() const = 0;
};

} // namespace scenewright::sim
