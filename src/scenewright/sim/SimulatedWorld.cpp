#include "SimulatedWorld.h"

#include "scenewright/sim/RuntimeScript.h"

#include <cmath>
#include <limits>

namespace scenewright::sim {

namespace {

const QString kScriptFile = QStringLiteral("script.js");

} // namespace

SimulatedWorld::SimulatedWorld(SimulatedScene scene)
    : scene_(std::move(scene))
{
    start();
}

SimulatedWorld::~SimulatedWorld() = default;

void SimulatedWorld::reset()
{
    log_.clear();
    hadError_ = false;
    start();
}

void SimulatedWorld::start()
{
    engine_ = std::make_unique<QJSEngine>();
    QJSValue runtime = engine_->evaluate(QString::fromUtf8(runtimeScript()), QStringLiteral("runtime.js"));
    if (runtime.isError())
        qFatal("The simulated platform does not load: %s", qPrintable(runtime.toString()));

    QJSValue objects = engine_->newArray(static_cast<uint>(scene_.objects.size()));
    for (std::size_t i = 0; i < scene_.objects.size(); ++i) {
        QJSValue pair = engine_->newArray(2);
        pair.setProperty(0, QString::fromStdString(scene_.objects[i].first));
        pair.setProperty(1, QString::fromStdString(scene_.objects[i].second));
        objects.setProperty(static_cast<quint32>(i), pair);
    }
    const QString script = QString::fromStdString(scene_.script);
    sim("setUp").call({objects, script});

    // A localised script runs as a function of the object it is attached
    // to. The wrapper opens on the script's first line, so line numbers stay.
    QJSValue result;
    if (scene_.localised) {
        QJSValue body = engine_->evaluate(QStringLiteral("(function () {") + script + QStringLiteral("\n})"), kScriptFile);
        if (body.isError()) {
            result = body;
        } else {
            const std::string& name = scene_.attachedTo.empty() ? std::string("world") : scene_.attachedTo;
            result = body.callWithInstance(sim("object").call({QString::fromStdString(name)}));
        }
    } else {
        result = engine_->evaluate(script, kScriptFile);
    }
    if (result.isError())
        reportError(result);
    drain();
}

QJSValue SimulatedWorld::sim(const char* member) const
{
    return engine_->globalObject().property(QStringLiteral("__sim")).property(QString::fromLatin1(member));
}

void SimulatedWorld::reportError(const QJSValue& error)
{
    sim("report").call({error, error.property(QStringLiteral("lineNumber"))});
}

void SimulatedWorld::drain()
{
    QJSValue entries = sim("drain").call();
    const int count = entries.property(QStringLiteral("length")).toInt();
    for (int i = 0; i < count; ++i) {
        QJSValue entry = entries.property(static_cast<quint32>(i));
        SimLogEntry out;
        out.time = entry.property(0).toNumber();
        out.call = entry.property(1).toString();
        out.arguments = entry.property(2).toString();
        out.line = entry.property(3).toInt();
        if (out.isError())
            hadError_ = true;
        log_.push_back(std::move(out));
    }
}

void SimulatedWorld::step()
{
    sim("step").call();
    drain();
}

void SimulatedWorld::runFrames(int frames)
{
    QJSValue stepper = sim("step");
    for (int i = 0; i < frames; ++i)
        stepper.call();
    drain();
}

std::optional<int> SimulatedWorld::framesIn(double seconds)
{
    const double frames = std::round(seconds / kFrame);
    if (!(frames >= 0.0 && frames <= static_cast<double>(std::numeric_limits<int>::max())))
        return std::nullopt;
    return static_cast<int>(frames);
}

void SimulatedWorld::runSeconds(double seconds)
{
    if (std::optional<int> frames = framesIn(seconds))
        runFrames(*frames);
}

bool SimulatedWorld::click(const QString& name)
{
    if (!scene_.hasObject(name.toStdString()))
        return false;
    sim("click").call({name});
    drain();
    return true;
}

bool SimulatedWorld::approach(const QString& name, double distance)
{
    if (!scene_.hasObject(name.toStdString()))
        return false;
    sim("approach").call({name, distance});
    drain();
    return true;
}

bool SimulatedWorld::setToggle(const QString& label, bool on)
{
    const bool found = sim("setToggle").call({label, on}).toBool();
    drain();
    return found;
}

void SimulatedWorld::setConnected(bool connected)
{
    sim("setConnected").call({connected});
    drain();
}

double SimulatedWorld::time() const
{
    return sim("time").call().toNumber();
}

double SimulatedWorld::actorDistance(const QString& name) const
{
    if (!scene_.hasObject(name.toStdString()))
        return 0.0;
    return sim("actorDistance").call({name}).toNumber();
}

std::vector<std::pair<QString, bool>> SimulatedWorld::toggles() const
{
    std::vector<std::pair<QString, bool>> out;
    QJSValue list = sim("toggles").call();
    const int count = list.property(QStringLiteral("length")).toInt();
    for (int i = 0; i < count; ++i) {
        QJSValue toggle = list.property(static_cast<quint32>(i));
        out.emplace_back(toggle.property(0).toString(), toggle.property(1).toBool());
    }
    return out;
}

} // namespace scenewright::sim
