// SPDX-License-Identifier: GPL-3.0-or-later
// The window's heavy work off its thread, one piece at a time, in the manner of Qt's Mandelbrot
// example: a repaint or a list search runs on a pool thread (QtConcurrent) with a stop token, and
// what it found is taken over on the window's thread when it ends.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <stop_token>

namespace vesk {

class BackgroundWork {
  public:
    // done callbacks and afterEach run on the thread of context.
    explicit BackgroundWork(QObject* context);
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // What a piece of work is to a newer repaint: a repaint gives way to it (stopped), a list
    // search is waited for.
    enum class Kind { repaint, search };

    // Runs work(stop) on a pool thread, then done(completed) here: completed is false when the
    // work was stopped.
    using Done = std::function<void(bool completed)>;
    void start(Kind kind, std::function<void(std::stop_token)> work, Done done);
    // Asks the running work (if any) to end and waits until it has, then runs its done.
    void stop();
    // Waits until the running work (if any) has ended by itself, then runs its done.
    void wait();
    bool busy() const { return running; }
    Kind kind() const { return runningKind; }
    // Runs after every piece of work that ended, with its kind and whether it was completed.
    std::function<void(Kind, bool completed)> afterEach;

  private:
    void finished();

    // The thread of the work, its own: it ends with this object (a thread of the global pool
    // would outlive the window, into the program's exit).
    QThreadPool pool;
    QFutureWatcher<void> watcher;
    // What the work hands back is published by a release of this count when it ends and seen by
    // an acquire of it here: the future's own locking would do, but the thread sanitizer cannot
    // see into Qt. (What this thread hands to the work is seen there through the creation of the
    // pool's thread, a new one for every piece.)
    std::atomic<unsigned> piecesEnded{0};
    std::stop_source source;
    Done done;
    bool running = false;
    Kind runningKind = Kind::repaint;
};

} // namespace vesk
