#pragma once

#include <csignal>

namespace scenewright::core::io {

// Removes a save's temporary file when the program is stopped by SIGINT,
// SIGTERM or SIGHUP while the file exists, then ends the program as the
// signal would have: the handlers in place before are put back and the
// signal raised again. A signal the program ignores stays ignored. Saves on
// several threads (the recovery file's and the user's) are watched at once.
class RemoveOnSignal {
public:
    // Holds the signals back on this thread until watch(), so that none sent
    // to it arrives between the file's creation and its watch.
    RemoveOnSignal();
    // Stops watching, and lets held signals through.
    ~RemoveOnSignal();

    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

    // Removes `path` on a signal from now on; it must stay valid while the
    // object exists.
    void watch(const char* path);

private:
    void release();

    sigset_t heldBefore_ {};
    bool holding_ = false;
    // Where the handler finds the file; none (-1) until watch().
    int slot_ = -1;
};

} // namespace scenewright::core::io
