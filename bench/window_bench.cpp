// SPDX-License-Identifier: GPL-3.0-or-later
// How long the window's event loop goes unanswered while it pages through 20 eclipses as fast as
// a user clicks and while the eclipse list searches 2000 years (goal: 50 ms at most, each). Run
// on the offscreen platform; prints the longest gaps in milliseconds.
#include "event_loop_gaps.h"
#include "main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace vesk;
using testing::EventLoopGaps;

constexpr qint64 goalMs = 50;

void waitWhileWorking(MapView* view) {
    while (view->working())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    AppState state(DataPaths{{std::filesystem::path(VESK_SOURCE_DIR) / "data"}});
    state.session.view.year = 2024;
    state.session.view.month = 4;
    MainWindow frame(
        state, [](QWidget*, const QString&) {}, RedrawAction::show);
    MapView* view = frame.view();
    frame.resize(1000, 760);
    frame.show();
    QApplication::processEvents();
    view->repaintNow();
    waitWhileWorking(view);

    EventLoopGaps paging;
    QTimer clicks;
    int clicked = 0;
    QObject::connect(&clicks, &QTimer::timeout, [&] {
        if (clicked++ < 20)
            view->nextEclipse();
    });
    clicks.start(30);
    while (clicked <= 20 || view->working())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    clicks.stop();
    const qint64 pagingMs = paging.longestMs();

    view->eclipseList();
    EclipseListDialog* list = view->listDialog();
    list->startEdit->setText("1");
    list->periodEdit->setText("2000");
    EventLoopGaps searching;
    list->search();
    waitWhileWorking(view);
    const qint64 searchingMs = searching.longestMs();

    std::printf("longest event-loop gap while paging:        %4lld ms (goal %lld ms)\n",
                static_cast<long long>(pagingMs), static_cast<long long>(goalMs));
    std::printf("longest event-loop gap while the list searched: %4lld ms (goal %lld ms)\n",
                static_cast<long long>(searchingMs), static_cast<long long>(goalMs));
    return pagingMs <= goalMs && searchingMs <= goalMs ? 0 : 1;
}
