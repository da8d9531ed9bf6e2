#pragma once

#include <string>

namespace scenewright::core {

// The physical properties of a model, solid object or viewpoint object.
struct PhysicalModel {
    double friction = 0.5;
    double inertia = 1.0;
    double initialmass = 10.0;
    // Whether the physical-model block is written at all.
    bool active = false;
    bool collisions = true;
    bool fixed = false;
    bool useForOverlaps = true;

    // The block that creates and sets up the physical model of the object
    // whose variable is `variable`; `massText` is the createPhysicalModel
    // argument as written into the script.
    std::string block(const std::string& variable, const std::string& objectText,
                      const std::string& massText) const;
};

} // namespace scenewright::core
