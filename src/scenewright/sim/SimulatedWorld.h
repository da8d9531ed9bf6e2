#pragma once

#include "scenewright/sim/SimLogEntry.h"
#include "scenewright/sim/SimulatedScene.h"
#include "scenewright/sim/Simulation.h"

#include <QJSEngine>
#include <QJSValue>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace scenewright::sim {

// Runs a generated script against a simulated world in Qt's JavaScript
// engine and records every call the script makes to the world.
//
// The world's clock moves in frames of 1/30 s; every frame calls
// `timestep(w, d)` of each animator. The objects of the scene load 0.5 s
// after the start. The actor starts far from every object; `approach`
// moves it. The chat starts connected.
class SimulatedWorld : public Simulation {
public:
    static constexpr double kFrame = 1.0 / 30.0;
    // The longest run, in whole seconds, whose frames an int can count.
    static constexpr int kLongestRun = 71582788;

    // The frames that fill the simulated time; none when they are more than
    // an int can count (or the time is not a number of seconds).
    static std::optional<int> framesIn(double seconds);

    explicit SimulatedWorld(SimulatedScene scene);
    ~SimulatedWorld() override;

    // Starts again from the beginning: a fresh world runs the script at t=0.
    void reset() override;

    void step() override;
    void runFrames(int frames);
    // Runs the frames that fill the given simulated time (see framesIn;
    // a time with too many frames runs none).
    void runSeconds(double seconds) override;

    // The user steps; false when the scene has no such object or toggle.
    bool click(const QString& name) override;
    bool approach(const QString& name, double distance) override;
    bool setToggle(const QString& label, bool on) override;
    void setConnected(bool connected) override;

    double time() const override;
    // The actor's distance from the object (its straight-line distance).
    double actorDistance(const QString& name) const override;
    const SimulatedScene& scene() const override { return scene_; }
    // The control-panel toggles the script added so far, with their states.
    std::vector<std::pair<QString, bool>> toggles() const override;

    const std::vector<SimLogEntry>& log() const override { return log_; }
    bool hadScriptError() const { return hadError_; }

private:
    void start();
    QJSValue sim(const char* member) const;
    // Moves what the runtime recorded into the log.
    void drain();
    void reportError(const QJSValue& error);

    SimulatedScene scene_;
    std::unique_ptr<QJSEngine> engine_;
    std::vector<SimLogEntry> log_;
    bool hadError_ = false;
};

} // namespace scenewright::sim
