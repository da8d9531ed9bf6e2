#pragma once

namespace scenewright::app {

// The choices that belong to the program run rather than to a project: they
// survive New and Open, and each script is generated with them.
class ProgramChoices {
public:
    // Whether triggers are synchronised between users through shared objects.
    bool synchronise() const { return synchronise_; }
    void setSynchronise(bool on) { synchronise_ = on; }

private:
    bool synchronise_ = false;
};

} // namespace scenewright::app
