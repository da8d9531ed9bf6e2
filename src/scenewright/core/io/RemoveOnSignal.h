#pragma once

#include <csignal>
#include <iterator>

namespace scenewright::core::io {

// Removes a save's temporary file when the program is stopped by SIGINT,
// SIGTERM or SIGHUP while the file exists, then ends the program as the
// signal would have: the handler in place before is put back and the signal
// raised again. A signal the program ignores stays ignored. Saves are made
// one after the other, so one file is watched at a time.
class RemoveOnSignal {
public:
    // Holds the signals back until watch(), so that none arrives between the
    // file's creation and its watch.
    RemoveOnSignal();
    // Puts the handlers back and lets held signals through.
    ~RemoveOnSignal();

    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

    // Removes `path` on a signal from now on; it must stay valid while the
    // object exists.
    void watch(const char* path);

    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

private:
    void release();

    sigset_t heldBefore_ {};
    bool holding_ = false;
    bool installed_[std::size(kSignals)] {};
};

} // namespace scenewright::core::io
