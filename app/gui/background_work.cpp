// SPDX-License-Identifier: GPL-3.0-or-later
#include "background_work.h"

#include <QtConcurrent/QtConcurrentRun>

namespace vesk {

BackgroundWork::BackgroundWork(QObject* context) {
    pool.setMaxThreadCount(1);
    pool.setExpiryTimeout(0);
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, context, [this] { finished(); });
}

BackgroundWork::~BackgroundWork() {
    stop();
    pool.waitForDone();
}

void BackgroundWork::start(Kind kind, std::function<void(std::stop_token)> work, Done whenDone) {
    stop();
    source = std::stop_source();
    done = std::move(whenDone);
    running = true;
    runningKind = kind;
    watcher.setFuture(
        QtConcurrent::run(&pool, [this, work = std::move(work), token = source.get_token()] {
            work(token);
            piecesEnded.fetch_add(1, std::memory_order_release);
        }));
}

void BackgroundWork::stop() {
    if (!running)
        return;
    source.request_stop();
    watcher.waitForFinished();
    finished();
}

void BackgroundWork::wait() {
    if (!running)
        return;
    watcher.waitForFinished();
    finished();
}

void BackgroundWork::finished() {
    // A stopped piece ends here from stop(); its finished signal may still come, after it.
    if (!running || !watcher.isFinished())
        return;
    piecesEnded.load(std::memory_order_acquire);
    running = false;
    const Done whenDone = std::exchange(done, {});
    const bool completed = !source.stop_requested();
    if (whenDone)
        whenDone(completed);
    if (afterEach)
        afterEach(runningKind, completed);
}

} // namespace vesk
