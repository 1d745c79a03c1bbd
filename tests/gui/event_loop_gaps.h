// SPDX-License-Identifier: GPL-3.0-or-later
// The longest wait between two turns of the Qt event loop, seen by a timer of 1 ms while the
// object lives (the window tests and the window benchmark).
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

namespace vesk::testing {

class EventLoopGaps {
  public:
    EventLoopGaps() {
        clock.start();
        QObject::connect(&ticks, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        ticks.start(1);
    }
    qint64 longestMs() const { return longest; }

  private:
    QTimer ticks;
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
};

} // namespace vesk::testing
