#include "scenewright/core/io/RemoveOnSignal.h"

#include <atomic>
#include <iterator>
#include <mutex>
#include <pthread.h>
#include <unistd.h>

namespace scenewright::core::io {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
// More saves at once than the program ever makes; a save beyond them goes
// unwatched.
constexpr int kSlots = 8;

// A signal handler reaches no object: the watched files, and the handlers to
// put back, are kept here. The handler reads only the files (atomics) and the
// handlers put back, which are written before it is installed.
std::atomic<const char*> watchedFiles[kSlots];
struct sigaction previousActions[std::size(kSignals)];
bool installed[std::size(kSignals)];
std::mutex bookkeeping;
std::size_t watching = 0;

void removeAndRaise(int signal)
{
    for (std::atomic<const char*>& file : watchedFiles)
        if (const char* path = file.exchange(nullptr))
            ::unlink(path);
    for (std::size_t k = 0; k < std::size(kSignals); ++k)
        if (kSignals[k] == signal)
            sigaction(signal, &previousActions[k], nullptr);
    // Delivered to the handler put back as soon as this one returns.
    raise(signal);
}

sigset_t watchedSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : kSignals)
        sigaddset(&signals, signal);
    return signals;
}

void installHandlers()
{
    struct sigaction action {};
    action.sa_handler = removeAndRaise;
    action.sa_mask = watchedSignals();
    for (std::size_t k = 0; k < std::size(kSignals); ++k) {
        installed[k] = sigaction(kSignals[k], nullptr, &previousActions[k]) == 0
            && previousActions[k].sa_handler != SIG_IGN && sigaction(kSignals[k], &action, nullptr) == 0;
    }
}

void restoreHandlers()
{
    for (std::size_t k = 0; k < std::size(kSignals); ++k)
        if (installed[k])
            sigaction(kSignals[k], &previousActions[k], nullptr);
}

} // namespace

RemoveOnSignal::RemoveOnSignal()
{
    const sigset_t signals = watchedSignals();
    holding_ = pthread_sigmask(SIG_BLOCK, &signals, &heldBefore_) == 0;
}

RemoveOnSignal::~RemoveOnSignal()
{
    if (slot_ >= 0) {
        const std::lock_guard lock(bookkeeping);
        watchedFiles[slot_] = nullptr;
        if (--watching == 0)
            restoreHandlers();
    }
    release();
}

void RemoveOnSignal::watch(const char* path)
{
    {
        const std::lock_guard lock(bookkeeping);
        for (int k = 0; k < kSlots && slot_ < 0; ++k) {
            const char* free = nullptr;
            if (watchedFiles[k].compare_exchange_strong(free, path))
                slot_ = k;
        }
        if (slot_ >= 0 && watching++ == 0)
            installHandlers();
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
