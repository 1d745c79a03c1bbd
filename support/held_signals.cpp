// SPDX-License-Identifier: GPL-3.0-or-later
#include "held_signals.h"

#include <atomic>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace vesk {

namespace {

// Writes in progress hold it shared; the signal thread takes it whole before it ends the process.
std::shared_mutex writesInProgress;
std::atomic<bool> signalThreadRunning{false};
// How many HeldSignals live on this thread: the outermost holds.
thread_local int heldOnThisThread = 0;

sigset_t endingSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&signals, signal);
    return signals;
}

} // namespace

void takeEndingSignalsInOneThread() {
    if (signalThreadRunning.exchange(true))
        return;
    const sigset_t signals = endingSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals] {
        int signal = 0;
        while (sigwait(&signals, &signal) != 0) {
        }
        // no write is under way from here on: the process ends as the signal would have ended it
        const std::unique_lock noMoreWrites(writesInProgress);
        std::signal(signal, SIG_DFL);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, signal);
        pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
        raise(signal);
    }).detach();
}

HeldSignals::HeldSignals() : gate(writesInProgress, std::defer_lock) {
    if (heldOnThisThread++ > 0)
        return;
    gate.lock();
    if (signalThreadRunning)
        return;
    const sigset_t signals = endingSignals();
    pthread_sigmask(SIG_BLOCK, &signals, &previous);
    masked = true;
}

HeldSignals::~HeldSignals() {
    --heldOnThisThread;
    if (masked)
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

} // namespace vesk
