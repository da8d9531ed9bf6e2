#pragma once

#include "scenewright/core/PhysicalModel.h"
#include "scenewright/core/World.h"
#include "scenewright/core/script/Sounds.h"

#include <array>
#include <optional>
#include <string>
#include <variant>

namespace scenewright::core::io {

// One member of a value record in the project file: its key and where it
// lives. The reader and the writer both walk these tables, so a key is
// written once and the file's member order is the table's order.
template <class Record>
struct RecordField {
    using Member = std::variant<double Record::*, int Record::*, bool Record::*, std::optional<std::string> Record::*>;

    const char* key;
    Member member;
    // A whole number that names something (a sound's id): the reader refuses
    // what could never have been handed out.
    bool isId = false;
};

inline const std::array<RecordField<PhysicalModel>, 7> physicalModelFields{{
    {"friction", &PhysicalModel::friction},
    {"inertia", &PhysicalModel::inertia},
    {"initialmass", &PhysicalModel::initialmass},
    {"active", &PhysicalModel::active},
    {"collisions", &PhysicalModel::collisions},
    {"fixed", &PhysicalModel::fixed},
    {"useForOverlaps", &PhysicalModel::useForOverlaps},
}};

inline const std::array<RecordField<World::Fog>, 7> fogFields{{
    {"dropOff", &World::Fog::dropOff},
    {"colourr", &World::Fog::colourr},
    {"colourg", &World::Fog::colourg},
    {"colourb", &World::Fog::colourb},
    {"near", &World::Fog::near},
    {"far", &World::Fog::far},
    {"addControlPanelButtonOffOn", &World::Fog::addControlPanelButtonOffOn},
}};

inline const std::array<RecordField<World::Glare>, 7> glareFields{{
    {"brightness", &World::Glare::brightness},
    {"colourr", &World::Glare::colourr},
    {"colourg", &World::Glare::colourg},
    {"colourb", &World::Glare::colourb},
    {"radius", &World::Glare::radius},
    {"nonlinear", &World::Glare::nonlinear},
    {"addControlPanelButtonOffOn", &World::Glare::addControlPanelButtonOffOn},
}};

inline const std::array<RecordField<script::Sounds>, 11> soundFields{{
    {"id", &script::Sounds::id, true},
    {"filename", &script::Sounds::filename},
    {"volume", &script::Sounds::volume},
    {"repeats", &script::Sounds::repeats},
    {"near", &script::Sounds::near},
    {"far", &script::Sounds::far},
    {"x", &script::Sounds::x},
    {"y", &script::Sounds::y},
    {"z", &script::Sounds::z},
    {"addControlPanelButtons", &script::Sounds::addControlPanelButtons},
    {"enablePositions", &script::Sounds::enablePositions},
}};

} // namespace scenewright::core::io
