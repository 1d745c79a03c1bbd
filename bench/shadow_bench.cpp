// The shadow geometry's hot paths: every path curve of the 2024 April 8 map traced over the
// whole eclipse at the default 0.1-minute step onto a 1000 x 700 picture, and the local maximum
// with the four contacts for 100,000 places.
#include "catalog.h"
#include "local_contacts.h"
#include "palette.h"
#include "path_tracers.h"
#include "qt_draw_surface.h"
#include "timescales.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vesk;

struct Eclipse2024 {
    Catalog catalog;
    EclipseState state;
    double deltaT = 0;
    Eclipse2024() {
        catalog.paths.dirs = {std::filesystem::path(VESK_SOURCE_DIR) / "data"};
        state.record = &catalog.record;
        catalogFind(catalog, 2024, 4);
        loadEclipseSummary(state);
        deltaT = vesk::deltaT((catalog.record.jd - 2451545) / 36525);
    }
};

void traceAllCurves(benchmark::State& run) {
    Eclipse2024 e;
    QtDrawSurface surface(1000, 700);
    MapProjection projection;
    ViewState view;
    view.baseRadius = view.mapScale = 340;
    view.mapCentreX = 610, view.mapCentreY = 350;
    view.mapLeft = 270, view.mapRight = 950, view.mapTop = 10, view.mapBottom = 690;
    MapCanvas canvas{surface, projection, view};
    PathTracer tracer{e.state, &canvas};
    setMapCentre(projection, view, -104.1, 25.3);
    const double first = penumbralContactOnEarth(tracer, 0, e.deltaT, -1, red).time;
    const double last = penumbralContactOnEarth(tracer, 0, e.deltaT, +1, red).time;
    const double step = view.drawStepHours;
    long points = 0;
    for (auto _ : run) {
        points = 0;
        for (double t = first; t <= last; t += step) {
            for (const int side : {+1, -1}) {
                points += centralLinePoint(tracer, t, e.deltaT, red).status == 1;
                points += umbralLimitPoint(tracer, t, e.deltaT, side, rose).status == 1;
                points += penumbralLimitPoint(tracer, t, e.deltaT, side, yellow).status == 1;
                for (const double m : {0.2, 0.4, 0.6, 0.8})
                    points += magnitudeCurvePoint(tracer, t, e.deltaT, m, side, yellow).status == 1;
                points += riseSetCurvePoint(tracer, t, e.deltaT, side, green).status == 1;
                points += maxAtRiseSetPoint(tracer, t, e.deltaT, side, paleGreen).status == 1;
            }
        }
    }
    run.counters["points"] = static_cast<double>(points);
}
BENCHMARK(traceAllCurves)->Unit(benchmark::kMillisecond);

void localCircumstancesOfManyPlaces(benchmark::State& run) {
    Eclipse2024 e;
    ViewState view;
    constexpr int places = 100000;
    for (auto _ : run) {
        int central = 0;
        for (int i = 0; i < places; ++i) {
            view.observerLon = -130 + 70.0 * (i % 1000) / 1000;
            view.observerLat = 10 + 45.0 * (i / 1000) / 100;
            central += computeLocalContacts(e.state, view, e.deltaT).central;
        }
        benchmark::DoNotOptimize(central);
    }
    run.counters["places"] = places;
}
BENCHMARK(localCircumstancesOfManyPlaces)->Unit(benchmark::kMillisecond);

} // namespace
