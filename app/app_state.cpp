// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_state.h"

#include "central_table.h"
#include "civil_time.h"
#include "delta_t_ranges.h"
#include "eclipse_search.h"
#include "geojson.h"
#include "kml.h"
#include "local_circumstances.h"
#include "local_report.h"
#include "path_map.h"
#include "scaled_surface.h"
#include "timescales.h"
#include "translation.h"

namespace vesk {

std::string AppServices::translated(const char* message) const {
    return vesk::translated(message);
}

std::string AppServices::loadBaseMapData(IgnoredFiles& ignored) {
    loadRelief(state.relief, state.session.catalog.paths, ignored);
    return loadReliefColours(state.relief, state.session.catalog.paths, ignored);
}

void AppServices::resetProjection(MapRange mapRange) {
    vesk::resetProjection(state.projection, state.session.view, mapRange);
}

void AppServices::drawPathMap(DrawSurface& surface, bool kmlOutput) {
    Session& s = state.session;
    MapCanvas canvas{surface, state.projection, s.view, {}, stop};
    const PathGeometry& path =
        state.mapPath.geometry(s.catalog.record, s.shown.deltaT, s.view.drawStepHours, stop);
    const std::optional<DeltaTBandLayer> band =
        s.view.deltaTBandSigmas > 0
            ? std::optional(deltaTBandLayer(path, s.shown.deltaT,
                                            deltaTSigma(s.catalog.record.year),
                                            s.view.deltaTBandSigmas))
            : std::nullopt;
    const Gazetteer* places = s.view.mapRange == MapRange::globe ? nullptr : state.gazetteer.get();
    const std::vector<DurationCurve>* durations =
        s.view.durationCurves ? &state.mapPath.durationCurves(s.catalog.record, s.shown.deltaT,
                                                              s.view.drawStepHours, stop)
                              : nullptr;
    const std::optional<ObservedShadow> placeSearch =
        s.view.searchMode == searchPlace ? placeSearchMaximum(s.catalog.record, s.view)
                                         : std::nullopt;
    vesk::drawPathMap(canvas, {s.catalog.record, placeSearch, path, s.cities, state.relief,
                               s.catalog.paths, band ? &*band : nullptr, places, durations});
    exportFailure.clear();
    kmlDocuments.clear();
    if (kmlOutput && !stop.stop_requested())
        writeKml(exportDir);
}

void AppServices::writeKml(const std::filesystem::path& dir) {
    Session& s = state.session;
    const EclipseRecord& record = s.catalog.record;
    const double deltaT = s.shown.deltaT;
    const PathGeometry& kmlPath = state.kmlPath.geometry(record, deltaT, kmlStepHours);
    const double sigmas = s.view.deltaTBandSigmas;
    std::optional<DeltaTBand> kmlBand;
    char bandName[64] = "";
    if (sigmas > 0) {
        const double halfWidth = sigmas * deltaTSigma(record.year);
        kmlBand = deltaTBand(kmlPath, halfWidth);
        std::snprintf(bandName, sizeof bandName, "Delta T %.0f +- %.0f s (%g sigma)", deltaT,
                      halfWidth, sigmas);
    }
    const KmlOutcome kml = writeKmlDocuments(record, kmlPath, s.catalog.paths, dir, files,
                                             {kmlBand ? &*kmlBand : nullptr, bandName});
    kmlDocuments = kml.documents;
    exportFailure = kml.failure;
}

std::string AppServices::writeGeoJson(const std::filesystem::path& dir) {
    Session& s = state.session;
    const EclipseRecord& record = s.catalog.record;
    const PathGeometry& path = state.kmlPath.geometry(record, s.shown.deltaT, kmlStepHours);
    const long code = kmlFileCode(static_cast<int>(record.year), static_cast<int>(record.month));
    return files.writeTogether(
        {{dir / (std::to_string(code) + ".geojson"), pathGeoJson(record, path)}});
}

std::string AppServices::writeCentralTable(const std::filesystem::path& dir, TableFormat format) {
    Session& s = state.session;
    const double deltaT = s.shown.deltaT;
    const PathGeometry& path =
        state.mapPath.geometry(s.catalog.record, deltaT, s.view.drawStepHours);
    const std::vector<CentralTableRow> rows =
        centralTableRows(s.catalog.record, path, s.view.tableLon, s.view.tableStep, deltaT);
    const bool csv = format == TableFormat::csv;
    OutputFile file;
    file.path = dir / (csv ? "central.csv" : "central.json");
    file.bytes = csv ? centralTableCsv(rows) : centralTableJson(rows);
    return files.writeTogether({file});
}

void AppServices::drawCentralTable(DrawSurface& target, double deltaT) {
    Session& s = state.session;
    ScaledSurface surface(target, s.view.textScale);
    const PathGeometry& path =
        state.mapPath.geometry(s.catalog.record, deltaT, s.view.drawStepHours, stop);
    exportFailure =
        vesk::drawCentralTable(surface, s.catalog.record, path, s.view.tableLon, s.view.tableStep,
                               deltaT, s.view.kmlOutput ? &files : nullptr, exportDir);
}

std::string locationLine(const ViewState& view, const CityTable& cities,
                         const ObserverPlace& place) {
    char line[200] = "";
    const std::optional<int> cityIndex = view.observerCityIndex;
    if (cityIndex && *cityIndex >= 1 && *cityIndex <= static_cast<int>(cities.rows.size())) {
        const City& city = cities.rows[static_cast<std::size_t>(*cityIndex - 1)];
        std::snprintf(line, sizeof line, " Location : %s Lon:%7.2f°Lat:%7.2f° Height:%5.1f",
                      cityName(city, view.englishNames).c_str(), city.lon, city.lat, city.height);
    } else if (!cityIndex) {
        const std::string& name = place.name;
        std::snprintf(line, sizeof line, " Location : %s Lon:%7.2f°Lat:%7.2f° Height:%6.1f%s",
                      name.empty() ? "Selected City      " : name.c_str(), view.observerLon,
                      view.observerLat, view.observerHeight,
                      heightSourceNote(place.heightSource).c_str());
    }
    return line;
}

void AppServices::drawLocalCircumstances(DrawSurface& target, double /*t0*/, double deltaT) {
    Session& s = state.session;
    ScaledSurface surface(target, s.view.textScale);
    const EclipseRecord& record = s.catalog.record;
    const LocalCircumstances local = localCircumstances(record, viewObserver(s.view), deltaT);
    // with the band of Delta T on, what its uncertainty means at the place
    std::optional<PlaceDeltaT> uncertainty;
    if (s.view.deltaTBandSigmas > 0)
        uncertainty = placeDeltaT(record, local, deltaT);
    const PlaceClocks clocks = placeClocks(state.observerPlace(), s.view.observerLon);
    vesk::drawLocalCircumstances(surface, record, local,
                                 locationLine(s.view, s.cities, clocks.place), deltaT, clocks,
                                 uncertainty ? &*uncertainty : nullptr);
}

PlaceRecords::PlaceRecords(const DataPaths& paths)
    : gazetteer(paths), zoneBoundaries(paths, ZoneBoundaries::load) {}

AppState::AppState(DataPaths paths) : AppState(paths, std::make_shared<PlaceRecords>(paths)) {}

AppState::AppState(DataPaths paths, std::shared_ptr<PlaceRecords> shared)
    : session(std::move(paths)), places(std::move(shared)), gazetteer(places->gazetteer),
      zoneBoundaries(places->zoneBoundaries) {
    setLanguage(chooseLanguage({}));
    // the place search by the probability of a central eclipse there
    session.centralProbability = [](Session& s) {
        const EclipseRecord& record = s.catalog.record;
        return deltaTRanges(record, viewObserver(s.view), viewDeltaT(record, s.view),
                            deltaTSigma(record.year), false)
            .pCentral;
    };
}

std::unique_ptr<AppState> AppState::newView() const {
    auto opened = std::make_unique<AppState>(session.catalog.paths, places);
    opened->session.view = session.view;
    opened->language = language;
    return opened;
}

void AppState::setLanguage(Language chosen) {
    language = chosen;
    session.view.englishNames = chosen == Language::english;
}

ObserverPlace AppState::observerPlace() {
    const ViewState& v = session.view;
    const ObserverPlace& kept = v.observerPlace;
    const bool here = kept.lon == v.observerLon && kept.lat == v.observerLat;
    if (here && kept.zoneSource != ZoneSource::none)
        return kept;
    ObserverPlace place =
        observerPlaceAt(zoneBoundaries.get(), gazetteer.get(), v.observerLon, v.observerLat);
    if (here)
        place.heightSource = kept.heightSource;
    return place;
}

} // namespace vesk
