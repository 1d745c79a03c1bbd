// SPDX-License-Identifier: GPL-3.0-or-later
// The signals that end a run from the terminal or the system (SIGINT, SIGTERM, SIGHUP), held
// back on the calling thread while an object lives and delivered when it ends: a write that
// must leave no temporary file behind holds them for its few milliseconds.
#pragma once

#include <csignal>

namespace vesk {

class HeldSignals {
  public:
    HeldSignals() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &previous);
    }
    ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &previous, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

  private:
    sigset_t previous;
};

} // namespace vesk
