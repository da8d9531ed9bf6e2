#include "SimulationLoader.h"

#include "scenewright/sim/SimulationModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace scenewright::gui {

namespace {

// Where the module may be, in the order it is looked for.
QStringList moduleCandidates()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString name = QStringLiteral(SCENEWRIGHT_SIMULATION_MODULE_NAME);
    return {QDir::cleanPath(programFolder + "/" + SCENEWRIGHT_SIMULATION_MODULE_FROM_PROGRAM + "/" + name),
            QDir::cleanPath(programFolder + "/" + name)};
}

} // namespace

std::unique_ptr<sim::Simulation> SimulationLoader::start(sim::SimulatedScene scene)
{
    const QStringList candidates = moduleCandidates();
    QString reason;
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path))
            continue;
        // The library stays loaded after this object goes: the worlds it
        // made run its code.
        QLibrary module(path);
        auto startSimulation = reinterpret_cast<sim::StartSimulation>(module.resolve(sim::kStartSimulation));
        if (startSimulation)
            return std::unique_ptr<sim::Simulation>(startSimulation(&scene));
        reason = module.errorString();
        break;
    }
    if (reason.isEmpty())
        reason = QCoreApplication::translate("SimulationLoader", "%1 is not installed.")
                     .arg(QDir::toNativeSeparators(candidates.front()));
    throw Unavailable(QCoreApplication::translate("SimulationLoader", "The simulated world cannot be started: %1")
                          .arg(reason)
                          .toStdString());
}

} // namespace scenewright::gui
