#include "app_state.h"

#include "kml.h"
#include "path_map.h"

namespace vesk {

void AppServices::loadBaseMapData() {
    loadRelief(state.relief, state.session.catalog.paths);
    loadReliefColours(state.relief, state.session.catalog.paths);
}

void AppServices::resetProjection(int mapRange) {
    vesk::resetProjection(state.projection, state.session.view, mapRange);
}

void AppServices::drawPathMap(DrawSurface& surface, int kmlOutput) {
    Session& s = state.session;
    MapCanvas canvas{surface, state.projection, s.view};
    PathMapInputs inputs{s.eclipse, s.catalog.record, s.cities, state.relief, s.catalog.paths};
    kmlFailure.clear();
    kmlDocuments.clear();
    if (kmlOutput != 1) {
        vesk::drawPathMap(canvas, inputs, nullptr);
        return;
    }
    KmlPass kml(s.catalog.record, s.catalog.paths, kmlDir);
    vesk::drawPathMap(canvas, inputs, &kml);
    if (kml.written())
        kmlDocuments = kml.documents();
    else
        kmlFailure = kml.failure();
}

void AppServices::drawCentralTable(DrawSurface& /*surface*/, double /*deltaT*/) {}

void AppServices::drawLocalCircumstances(DrawSurface& /*surface*/, double /*t0*/,
                                         double /*deltaT*/) {}

} // namespace vesk
