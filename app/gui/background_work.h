// SPDX-License-Identifier: GPL-3.0-or-later
// The window's heavy work off its thread, one piece at a time, in the manner of Qt's Mandelbrot
// example: a repaint or a list search runs on a thread of its own with a stop token, and what it
// found is taken over on the window's thread when it ends. The thread is a std::jthread, started
// for the piece and joined before its result is taken: its start and its join order what the two
// threads hand each other, in a way the thread sanitizer sees (it cannot see into Qt's locking).
#pragma once

#include <QObject>
#include <functional>
#include <stop_token>
#include <thread>

namespace vesk {

class BackgroundWork {
  public:
    // done callbacks and afterEach run on the thread of context.
    explicit BackgroundWork(QObject* context) : context(context) {}
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // What a piece of work is to a newer repaint: a repaint gives way to it (stopped), a list
    // search is waited for.
    enum class Kind { repaint, search };

    // Runs work(stop) on a thread of its own, then done(completed) here: completed is false when
    // the work was stopped.
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
    // Joins the piece's thread and runs its done and afterEach.
    void finish();

    QObject* context;
    std::jthread thread;
    Done done;
    bool running = false;
    Kind runningKind = Kind::repaint;
    unsigned pieces = 0; // pieces started: the end of an older one, told late, is passed over
};

} // namespace vesk
