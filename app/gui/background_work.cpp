// SPDX-License-Identifier: GPL-3.0-or-later
#include "background_work.h"

#include <QMetaObject>

namespace vesk {

BackgroundWork::~BackgroundWork() {
    stop();
}

void BackgroundWork::start(Kind kind, std::function<void(std::stop_token)> work, Done whenDone) {
    stop();
    done = std::move(whenDone);
    running = true;
    runningKind = kind;
    const unsigned piece = ++pieces;
    thread = std::jthread([this, work = std::move(work), piece](std::stop_token stop) {
        work(stop);
        // told on the window's thread; the join there orders the work's writes before its reads
        QMetaObject::invokeMethod(
            context,
            [this, piece] {
                if (running && piece == pieces)
                    finish();
            },
            Qt::QueuedConnection);
    });
}

void BackgroundWork::stop() {
    if (!running)
        return;
    thread.request_stop();
    finish();
}

void BackgroundWork::wait() {
    if (running)
        finish();
}

void BackgroundWork::finish() {
    const bool completed = !thread.get_stop_token().stop_requested();
    thread.join();
    running = false;
    const Done whenDone = std::exchange(done, {});
    if (whenDone)
        whenDone(completed);
    if (afterEach)
        afterEach(runningKind, completed);
}

} // namespace vesk
