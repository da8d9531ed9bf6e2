#pragma once

#include <array>

namespace scenewright::core::io {

// The names of the project file's members, spelled once for the reader and
// the writer, and the member lists the reader accepts, each in the order the
// writer puts the members in the file. The members of value records and of
// object kinds are listed with their records and kinds.
struct ProjectKey {
    // What the file says it is, in its "format" and "version" members.
    static constexpr const char* formatName = "scenewright-project";
    static constexpr int formatVersion = 1;

    static constexpr const char* format = "format";
    static constexpr const char* version = "version";
    static constexpr const char* name = "name";
    static constexpr const char* localiseScript = "localiseScript";
    static constexpr const char* objects = "objects";

    static constexpr const char* type = "type";
    static constexpr const char* id = "id";
    static constexpr const char* actions = "actions";
    static constexpr const char* triggers = "triggers";

    static constexpr const char* welcomeMessage = "welcomeMessage";
    static constexpr const char* welcomeEnabled = "welcomeEnabled";
    static constexpr const char* fogEnabled = "fogEnabled";
    static constexpr const char* glareEnabled = "glareEnabled";
    static constexpr const char* fog = "fog";
    static constexpr const char* glare = "glare";
    static constexpr const char* soundid = "soundid";
    static constexpr const char* sounds = "sounds";

    static constexpr const char* className = "class";
    static constexpr const char* active = "active";
    static constexpr const char* ids = "ids";
    static constexpr const char* fields = "fields";

    static constexpr const char* object = "object";
    static constexpr const char* action = "action";

    // The file's top object.
    static constexpr std::array<const char*, 5> documentMembers{format, version, name, localiseScript, objects};
    // What the world and the actor hold; the world adds its settings.
    static constexpr std::array<const char*, 4> fixedObjectMembers{type, name, actions, triggers};
    static constexpr std::array<const char*, 8> worldSettings{welcomeMessage, welcomeEnabled, fogEnabled,
                                                              glareEnabled,   fog,            glare,
                                                              soundid,        sounds};
    // What every user object holds besides its kind's own members.
    static constexpr std::array<const char*, 5> userObjectMembers{type, name, id, actions, triggers};
    // An action; a trigger adds the references to the actions it fires.
    static constexpr std::array<const char*, 4> actionMembers{className, active, ids, fields};
    static constexpr std::array<const char*, 5> triggerMembers{className, active, ids, fields, actions};
    // One reference from a trigger to an action.
    static constexpr std::array<const char*, 2> referenceMembers{object, action};
};

} // namespace scenewright::core::io
