// SPDX-License-Identifier: GPL-3.0-or-later
// Whole repaints of the eclipse map, as the window and vesk render run them: a 1000 x 700
// whole-globe map of 2024 April 8 with relief and every curve, a regional map at
// magnification 20 with the vector coasts, rivers and boundaries, and the repaint of a
// 1280 x 1000 window (whole globe with relief) of the same view (the relief raster kept), of a
// new view each time (goal: 40 ms of CPU) and of a step of a drag (goal: 16 ms); zoomed globes at
// several latitudes and magnifications.
#include "app_state.h"
#include "qt_draw_surface.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vesk;

void repaint(benchmark::State& run, BaseMapKind baseMap, double magnification, int width = 1000,
             int height = 700) {
    AppState state(DataPaths{{std::filesystem::path(VESK_SOURCE_DIR) / "data"}});
    AppServices services(state);
    ViewSettings& view = state.session.view;
    view.year = 2024;
    view.month = 4;
    view.baseMap = baseMap;
    if (magnification > 1) {
        view.mapRange = MapRange::centred;
        view.centreLon = -97;
        view.centreLat = 33;
        view.magnification = magnification;
    }
    QtDrawSurface surface(width, height);
    for (auto _ : run) {
        if (!redrawView(state.session, state.session.view, {}, surface, services).rendered)
            run.SkipWithError("nothing drawn (data files missing?)");
    }
}

void wholeGlobeWithRelief(benchmark::State& run) {
    repaint(run, BaseMapKind::relief, 1);
}
BENCHMARK(wholeGlobeWithRelief)->Unit(benchmark::kMillisecond);

void regionalVectorMap(benchmark::State& run) {
    repaint(run, BaseMapKind::vector, 20);
}
BENCHMARK(regionalVectorMap)->Unit(benchmark::kMillisecond);

void windowRepaint(benchmark::State& run) {
    repaint(run, BaseMapKind::relief, 1, 1280, 1000);
}
BENCHMARK(windowRepaint)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Repaints of a view that change(view, step) alters before each one, after a first repaint that
// reads the data files (once in a window's life, and not to be spread over a count of
// iterations that the benchmark library chooses).
template <typename Change>
void repaintChanging(benchmark::State& run, AppState& state, DrawSurface& surface,
                     const Change& change, RedrawRequest request = {}) {
    AppServices services(state);
    redrawView(state.session, state.session.view, request, surface, services);
    int step = 0;
    for (auto _ : run) {
        change(state.session.view, step++);
        if (!redrawView(state.session, state.session.view, request, surface, services).rendered)
            run.SkipWithError("nothing drawn (data files missing?)");
    }
}

// The same window stepping between two eclipses: every repaint shows another part of the
// globe, so the relief raster is drawn anew each time.
void windowRepaintNewView(benchmark::State& run) {
    AppState state(DataPaths{{std::filesystem::path(VESK_SOURCE_DIR) / "data"}});
    QtDrawSurface surface(1280, 1000);
    repaintChanging(run, state, surface, [](ViewSettings& view, int step) {
        view.year = 2024;
        view.month = step % 2 == 0 ? 4 : 10;
    });
}
BENCHMARK(windowRepaintNewView)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// A step of a drag in the same window: the eclipse stays, the globe's centre moves a degree and
// the relief is the coarse one the window draws while the pointer moves. The goal is 16 ms of
// CPU (a picture every frame of a 60 Hz screen).
void windowRepaintDrag(benchmark::State& run) {
    AppState state(DataPaths{{std::filesystem::path(VESK_SOURCE_DIR) / "data"}});
    ViewSettings& view = state.session.view;
    view.year = 2024;
    view.month = 4;
    QtDrawSurface surface(1280, 1000);
    view.mapRange = MapRange::centred;
    view.magnification = 1;
    view.centreLat = 30;
    repaintChanging(run, state, surface,
                    [](ViewSettings& v, int step) { v.centreLon = -100 + step % 2; },
                    {RedrawAction::show, true});
}
BENCHMARK(windowRepaintDrag)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace

namespace {

// A 1000 x 700 globe centred at latitude range(0) and magnified range(1) times, with relief
// drawn anew at each repaint (the centre alternates between two longitudes): the time must not
// grow with the latitude or the magnification.
void zoomedGlobe(benchmark::State& run) {
    AppState state(DataPaths{{std::filesystem::path(VESK_SOURCE_DIR) / "data"}});
    ViewSettings& view = state.session.view;
    view.year = 2024;
    view.month = 4;
    view.mapRange = MapRange::centred;
    view.centreLat = static_cast<double>(run.range(0));
    view.magnification = static_cast<double>(run.range(1));
    QtDrawSurface surface(1000, 700);
    repaintChanging(run, state, surface,
                    [](ViewSettings& v, int step) { v.centreLon = step % 2 == 0 ? 10 : 11; });
}
BENCHMARK(zoomedGlobe)
    ->ArgsProduct({{0, 45, 75, 89}, {1, 100, 1000}})
    ->ArgNames({"lat", "scale"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

} // namespace
