#include "scenewright/core/io/RemoveOnSignal.h"

#include <atomic>
#include <cstddef>
#include <pthread.h>
#include <unistd.h>

namespace scenewright::core::io {

namespace {

// A signal handler reaches no object: the file and the handlers to put back
// are kept here while a file is watched.
std::atomic<const char*> pathToRemove {nullptr};
struct sigaction previousActions[std::size(RemoveOnSignal::kSignals)];

void removeAndRaise(int signal)
{
    if (const char* path = pathToRemove.exchange(nullptr))
        ::unlink(path);
    for (std::size_t k = 0; k < std::size(RemoveOnSignal::kSignals); ++k)
        if (RemoveOnSignal::kSignals[k] == signal)
            sigaction(signal, &previousActions[k], nullptr);
    // Delivered to the handler put back as soon as this one returns.
    raise(signal);
}

sigset_t watchedSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : RemoveOnSignal::kSignals)
        sigaddset(&signals, signal);
    return signals;
}

} // namespace

RemoveOnSignal::RemoveOnSignal()
{
    const sigset_t signals = watchedSignals();
    holding_ = pthread_sigmask(SIG_BLOCK, &signals, &heldBefore_) == 0;
}

RemoveOnSignal::~RemoveOnSignal()
{
    pathToRemove = nullptr;
    for (std::size_t k = 0; k < std::size(kSignals); ++k)
        if (installed_[k])
            sigaction(kSignals[k], &previousActions[k], nullptr);
    release();
}

void RemoveOnSignal::watch(const char* path)
{
    pathToRemove = path;
    struct sigaction action {};
    action.sa_handler = removeAndRaise;
    action.sa_mask = watchedSignals();
    for (std::size_t k = 0; k < std::size(kSignals); ++k) {
        struct sigaction current {};
        if (sigaction(kSignals[k], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        previousActions[k] = current;
        installed_[k] = sigaction(kSignals[k], &action, nullptr) == 0;
    }
    release();
}

void RemoveOnSignal::release()
{
    if (holding_)
        pthread_sigmask(SIG_SETMASK, &heldBefore_, nullptr);
    holding_ = false;
}

} // namespace scenewright::core::io
