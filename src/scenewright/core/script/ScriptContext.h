#pragma once

#include "scenewright/core/script/SynchronisationTable.h"

namespace scenewright::core::script {

// What the fragments of one script read and write while it is generated:
// whether the script is localised to the object it is attached to, whether
// triggers synchronise through shared objects, and the table in which
// synchronised triggers register their actions' code. Each generation has
// its own, so two scripts can be generated at once.
class ScriptContext {
public:
    explicit ScriptContext(bool localised = false, bool synchronised = false)
        : localised_(localised), synchronised_(synchronised)
    {
    }

    bool localised() const { return localised_; }
    bool synchronised() const { return synchronised_; }
    SynchronisationTable& synchronisation() { return synchronisation_; }
    const SynchronisationTable& synchronisation() const { return synchronisation_; }

private:
    bool localised_;
    bool synchronised_;
    SynchronisationTable synchronisation_;
};

} // namespace scenewright::core::script
