#pragma once

#include <QString>

namespace scenewright::sim {

// One line of a simulated run: a call the script made to the world (or a
// user step, or a script error) at a simulated time.
struct SimLogEntry {
    double time = 0.0;
    QString call;
    QString arguments;
    // The line of the generated script an error was raised on; 0 for
    // everything that is not an error.
    int line = 0;

    bool isError() const { return call == QLatin1String("error"); }

    // "t=SECONDS CALL ARGUMENTS", the time with two decimals.
    QString text() const
    {
        QString out = QStringLiteral("t=") + QString::number(time, 'f', 2) + QLatin1Char(' ') + call;
        if (!arguments.isEmpty())
            out += QLatin1Char(' ') + arguments;
        return out;
    }
};

} // namespace scenewright::sim
