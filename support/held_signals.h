// SPDX-License-Identifier: GPL-3.0-or-later
// The signals that end a run from the terminal or the system (SIGINT, SIGTERM, SIGHUP), held
// back while a write that must leave no temporary file or half-replaced folder behind goes on,
// and acted on when it ends.
//
// A program with threads calls takeEndingSignalsInOneThread() first in main, before any other
// thread starts: every thread then inherits the signals blocked, and one thread takes them with
// sigwait and ends the process as the signal would have, once no HeldSignals lives. Without it
// (a single-threaded tool), HeldSignals blocks the signals on the calling thread instead. A
// HeldSignals inside another on the same thread adds nothing.
#pragma once

#include <csignal>
#include <shared_mutex>

namespace vesk {

void takeEndingSignalsInOneThread();

class HeldSignals {
  public:
    HeldSignals();
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

  private:
    std::shared_lock<std::shared_mutex> gate;
    sigset_t previous;
    bool masked = false;
};

} // namespace vesk
