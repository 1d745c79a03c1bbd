// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_state.h"

#include "central_table.h"
#include "civil_time.h"
#include "corrected_limits.h"
#include "delta_t_ranges.h"
#include "eclipse_search.h"
#include "geojson.h"
#include "kml.h"
#include "local_circumstances.h"
#include "local_report.h"
#include "messages.h"
#include "path_map.h"
#include "printable_text.h"
#include "scaled_surface.h"
#include "shadow_layer.h"
#include "sighting_evidence.h"
#include "text_format.h"
#include "timescales.h"
#include "translation.h"
#include "typed_coordinates.h"
#include "view_from_place_screen.h"

namespace vesk {

std::string AppServices::translated(const char* message) const {
    return messageIn(language, message);
}

AppServices::AppServices(const AppState& state)
    : paths(state.session.catalog.paths), places(state.places), language(state.language) {}

Outcome AppServices::loadBaseMapData(IgnoredFiles& ignored) {
    loadRelief(relief, paths, ignored);
    return loadReliefColours(relief, paths, ignored);
}

MapProjection AppServices::drawPathMap(DrawSurface& surface, const ScreenFrame& frame) {
    const ViewSettings& v = frame.settings;
    const EclipseRecord& record = frame.eclipse.record;
    const double deltaT = frame.eclipse.deltaT;
    MapProjection projection;
    MapCanvas canvas{surface, projection, v, frame.layout, {}, stop, frame.coarseRelief};
    const PathGeometry& path = mapPath.geometry(record, deltaT, v.drawStepHours, stop);
    const std::optional<DeltaTBandLayer> band =
        v.deltaTBandSigmas > 0 ? std::optional(deltaTBandLayer(
                                     path, deltaT, deltaTSigma(record.year), v.deltaTBandSigmas))
                               : std::nullopt;
    const Gazetteer* named = v.mapRange == MapRange::globe ? nullptr : places->gazetteer.get();
    const std::vector<DurationCurve>* durations =
        v.durationCurves ? &mapPath.durationCurves(record, deltaT, v.drawStepHours, stop) : nullptr;
    const std::optional<ObservedShadow> placeSearch =
        v.searchMode == searchPlace ? placeSearchMaximum(record, v) : std::nullopt;
    std::optional<MarkedPlace> observer;
    if (v.observerMarked)
        observer = MarkedPlace{v.observerLon, v.observerLat, observerName(v, frame.cities)};
    const CorrectedLimits* corrected = v.trueLimits ? correctedLimits(frame) : nullptr;
    vesk::drawPathMap(canvas, {record, placeSearch, path, frame.cities, relief, paths,
                               band ? &*band : nullptr, named, durations, observer, corrected});
    return projection;
}

Outcome AppServices::missingFromPicture(const ScreenFrame& frame) {
    return frame.settings.trueLimits ? lunarGridRead() : std::nullopt;
}

ExportOutcome AppServices::writeScreenExports(const ScreenFrame& frame) {
    if (!frame.settings.kmlOutput)
        return {};
    if (frame.settings.displayMode == displayPathMap)
        return writeKml(frame, exportDir);
    if (frame.settings.displayMode != displayCentralTable)
        return {};
    const ViewSettings& v = frame.settings;
    const double deltaT = frame.eclipse.deltaT;
    const PathGeometry& path = mapPath.geometry(frame.eclipse.record, deltaT, v.drawStepHours);
    const std::filesystem::path prn = exportDir / "central.prn";
    const std::string failure = files->writeTogether(
        {{prn, centralTablePrn(frame.eclipse.record,
                               centralTableRows(frame.eclipse.record, path, v.tableLon, v.tableStep,
                                                deltaT))}});
    return failure.empty() ? ExportOutcome{{prn}, ""} : ExportOutcome{{}, failure};
}

Outcome AppServices::lunarGridRead() {
    return lunarGrid.grid.empty() ? loadLunarGrid(lunarGrid, paths) : std::nullopt;
}

GroundHeights AppServices::groundHeights(bool atSeaLevel) {
    if (atSeaLevel)
        return {};
    if (relief.grid->heights.empty()) {
        IgnoredFiles ignored; // the map's own reading of the grid tells of a file passed over
        loadRelief(relief, paths, ignored);
    }
    if (relief.grid->heights.empty())
        return {};
    return {GroundHeightSource::reliefGrid, [grid = relief.grid](double lonEast, double lat) {
                return static_cast<double>(std::max(0, sampleRelief(*grid, lat, lonEast)));
            }};
}

const CorrectedLimits* AppServices::correctedLimits(const ScreenFrame& frame) {
    const EclipseRecord& record = frame.eclipse.record;
    const double deltaT = frame.eclipse.deltaT;
    const bool atSeaLevel = frame.settings.limitsAtSeaLevel;
    if (keptCorrectedLimits && keptCorrectedLimits->jdTT == record.jdTT &&
        keptCorrectedLimits->tanF2 == record.tanF2 && keptCorrectedLimits->deltaT == deltaT &&
        keptCorrectedLimits->atSeaLevel == atSeaLevel)
        return &keptCorrectedLimits->limits;
    if (lunarGridRead())
        return nullptr;
    const PathGeometry& path = mapPath.geometry(record, deltaT, frame.settings.drawStepHours, stop);
    CorrectedLimits limits =
        traceCorrectedLimits(record, path, deltaT, lunarGrid, groundHeights(atSeaLevel), stop);
    if (stop.stop_requested())
        return nullptr; // unfinished: traced again when next asked for
    keptCorrectedLimits =
        KeptCorrectedLimits{record.jdTT, record.tanF2, deltaT, atSeaLevel, std::move(limits)};
    return &keptCorrectedLimits->limits;
}

ExportOutcome AppServices::writeKml(const ScreenFrame& frame, const std::filesystem::path& dir) {
    const EclipseRecord& record = frame.eclipse.record;
    const double deltaT = frame.eclipse.deltaT;
    const PathGeometry& path = kmlPath.geometry(record, deltaT, kmlStepHours);
    const double sigmas = frame.settings.deltaTBandSigmas;
    std::optional<DeltaTBand> kmlBand;
    char bandName[64] = "";
    if (sigmas > 0) {
        const double halfWidth = sigmas * deltaTSigma(record.year);
        kmlBand = deltaTBand(path, halfWidth);
        std::snprintf(bandName, sizeof bandName, "Delta T %.0f +- %.0f s (%g sigma)", deltaT,
                      halfWidth, sigmas);
    }
    const CorrectedLimits* corrected = frame.settings.trueLimits ? correctedLimits(frame) : nullptr;
    return writeKmlDocuments(record, path, paths, dir, *files,
                             {kmlBand ? &*kmlBand : nullptr, bandName, corrected});
}

std::string AppServices::writeGeoJson(const ScreenFrame& frame, const std::filesystem::path& dir) {
    const EclipseRecord& record = frame.eclipse.record;
    const PathGeometry& path = kmlPath.geometry(record, frame.eclipse.deltaT, kmlStepHours);
    const std::string stem =
        exportFileStem(static_cast<int>(record.year), static_cast<int>(record.month));
    return files->writeTogether(
        {{dir / (stem + ".geojson"),
          pathGeoJson(record, path,
                      frame.settings.trueLimits ? correctedLimits(frame) : nullptr)}});
}

std::string AppServices::writeCentralTable(const ScreenFrame& frame,
                                           const std::filesystem::path& dir, TableFormat format) {
    const ViewSettings& v = frame.settings;
    const double deltaT = frame.eclipse.deltaT;
    const PathGeometry& path = mapPath.geometry(frame.eclipse.record, deltaT, v.drawStepHours);
    std::vector<CentralTableRow> rows =
        centralTableRows(frame.eclipse.record, path, v.tableLon, v.tableStep, deltaT);
    TableColumns columns = TableColumns::smooth;
    if (v.trueLimits) { // the central phase with the lunar limb at each row's central point
        if (const Outcome failure = lunarGridRead())
            return failureText(*failure, [this](const char* text) { return translated(text); });
        columns = TableColumns::limbCorrected;
        for (CentralTableRow& row : rows)
            if (row.centre)
                row.correctedDurationSeconds = correctedCentralSeconds(
                    frame.eclipse.record,
                    localCircumstances(frame.eclipse.record, observerAt(row.lon, *row.centre),
                                       deltaT),
                    deltaT, lunarGrid);
    }
    const bool csv = format == TableFormat::csv;
    OutputFile file;
    file.path = dir / (csv ? "central.csv" : "central.json");
    file.bytes = csv ? centralTableCsv(rows, columns) : centralTableJson(rows, columns);
    return files->writeTogether({file});
}

void AppServices::drawCentralTable(DrawSurface& target, const ScreenFrame& frame) {
    const ViewSettings& v = frame.settings;
    ScaledSurface surface(target, v.textScale);
    const double deltaT = frame.eclipse.deltaT;
    const PathGeometry& path =
        mapPath.geometry(frame.eclipse.record, deltaT, v.drawStepHours, stop);
    vesk::drawCentralTable(
        surface, frame.eclipse.record,
        centralTableRows(frame.eclipse.record, path, v.tableLon, v.tableStep, deltaT),
        v.solarRadiusArcsec);
}

namespace {

// The row of the city table that the settings observe from, if any.
const City* observedCity(const ViewSettings& view, const CityTable& cities) {
    const std::optional<int> index = view.observerCityIndex;
    if (!index || *index < 1 || *index > static_cast<int>(cities.rows.size()))
        return nullptr;
    return &cities.rows[static_cast<std::size_t>(*index - 1)];
}

} // namespace

std::string observerName(const ViewSettings& view, const CityTable& cities) {
    if (const City* city = observedCity(view, cities))
        return cityName(*city, view.englishNames);
    if (!view.observerCityIndex && !view.observerPlace.name.empty())
        return view.observerPlace.name;
    return coordinatesText(view.observerLon, view.observerLat);
}

std::string locationLine(const ViewSettings& view, const CityTable& cities,
                         const ObserverPlace& place) {
    // the longest name the line shows: a longer one is cut, the numbers never
    constexpr std::size_t longestName = 60;
    const auto line = [](const std::string& name, const std::string& numbers) {
        return " Location : " + elidedText(name, longestName) + numbers;
    };
    if (const City* city = observedCity(view, cities))
        return line(
            cityName(*city, view.englishNames),
            format(" Lon:%7.2f° Lat:%7.2f° Height:%5.1f", city->lon, city->lat, city->height));
    if (view.observerCityIndex)
        return "";
    return line(place.name.empty() ? "Coordinates        " : place.name,
                format(" Lon:%7.2f° Lat:%7.2f° Height:%6.1f", view.observerLon, view.observerLat,
                       view.observerHeight) +
                    heightSourceNote(place.heightSource));
}

LocalCircumstances frameLocalCircumstances(const ScreenFrame& frame) {
    return localCircumstances(frame.eclipse.record, viewObserver(frame.settings),
                              frame.eclipse.deltaT);
}

void AppServices::drawLocalCircumstances(DrawSurface& target, const ScreenFrame& frame) {
    const ViewSettings& v = frame.settings;
    ScaledSurface surface(target, v.textScale);
    const EclipseRecord& record = frame.eclipse.record;
    const double deltaT = frame.eclipse.deltaT;
    const LocalCircumstances local = frameLocalCircumstances(frame);
    // what the uncertainty of Delta T means at the place: with its band on, or where it leaves
    // the central phase in doubt
    std::optional<PlaceDeltaT> uncertainty =
        placeDeltaT(record, local, deltaT, v.trueLimits && !lunarGridRead() ? &lunarGrid : nullptr);
    if (v.deltaTBandSigmas <= 0 && !centralChanceInDoubt(*uncertainty))
        uncertainty.reset();
    const PlaceClocks clocks = placeClocks(observerPlace(v, *places), v.observerLon);
    const std::optional<double> instant =
        v.shadowAt ? std::optional(placeScreenInstant(frame, local)) : std::nullopt;
    // with the limits corrected for the lunar limb asked for, the place's corrected phase
    std::optional<LimbCorrectedPhase> limbCorrected;
    if (v.trueLimits && !lunarGridRead())
        limbCorrected =
            LimbCorrectedPhase{correctedCentralSeconds(record, local, deltaT, lunarGrid),
                               heightEdgeShiftKm(record, local.observer, deltaT)};
    vesk::drawLocalCircumstances(surface, record, local,
                                 locationLine(v, frame.cities, clocks.place), deltaT, clocks,
                                 uncertainty ? &*uncertainty : nullptr, instant, limbCorrected);
}

double placeScreenInstant(const ScreenFrame& frame, const LocalCircumstances& local) {
    const ChosenEclipse& eclipse = frame.eclipse;
    if (frame.settings.shadowAt)
        return shadowHours(eclipse.record, *frame.settings.shadowAt, eclipse.deltaT);
    return local.nearest ? local.nearest->shadow.t : 0;
}

std::optional<std::pair<double, double>> placeSpanUt(const ScreenFrame& frame) {
    const LocalCircumstances local = frameLocalCircumstances(frame);
    if (!local.first || !local.fourth)
        return std::nullopt;
    const ChosenEclipse& e = frame.eclipse;
    return std::pair{dayHoursOf(e.record, local.first->shadow.t, e.deltaT),
                     dayHoursOf(e.record, local.fourth->shadow.t, e.deltaT)};
}

void AppServices::drawViewFromPlace(DrawSurface& target, const ScreenFrame& frame) {
    const ViewSettings& v = frame.settings;
    ScaledSurface surface(target, v.textScale);
    const LocalCircumstances local = frameLocalCircumstances(frame);
    const EclipseRecord& record = frame.eclipse.record;
    const double deltaT = frame.eclipse.deltaT;
    const double t = placeScreenInstant(frame, local);
    std::optional<LimbProfile> limb;
    if (!lunarGridRead()) {
        const LibrationResult libration = librationAt(record, local.observer, t, deltaT);
        limb = limbProfile(lunarGrid, libration.l, libration.b, libration.positionAngle);
    }
    PlaceViewScreen screen;
    screen.clocks = placeClocks(observerPlace(v, *places), v.observerLon);
    screen.location = locationLine(v, frame.cities, screen.clocks.place);
    screen.up = v.northUp ? ViewUp::north : ViewUp::zenith;
    screen.limb = limb ? &*limb : nullptr;
    if (const PlaceDeltaT uncertainty = placeDeltaT(record, local, deltaT);
        centralChanceInDoubt(uncertainty))
        screen.doubtfulCentral = uncertainty.ranges;
    vesk::drawViewFromPlace(surface, record, local,
                            viewFromPlace(record, local.observer, t, deltaT), deltaT, screen);
}

PlaceRecords::PlaceRecords(const DataPaths& paths)
    : gazetteer(paths), zoneBoundaries(paths, ZoneBoundaries::load) {}

IgnoredFiles PlaceRecords::untoldNotes() {
    const std::lock_guard lock(notesGuard);
    IgnoredFiles untold;
    // the reading's notes are complete once the boundaries are there to be asked
    IgnoredFiles all = zoneBoundaries.loaded() ? zoneBoundaries.notes : IgnoredFiles{};
    all.insert(all.end(), passedOver.begin(), passedOver.end());
    for (std::string& note : all)
        if (std::find(told.begin(), told.end(), note) == told.end()) {
            told.push_back(note);
            untold.push_back(std::move(note));
        }
    return untold;
}

void PlaceRecords::noteFilePassedOver(const std::string& note) {
    const std::lock_guard lock(notesGuard);
    if (std::find(passedOver.begin(), passedOver.end(), note) == passedOver.end())
        passedOver.push_back(note);
}

AppState::AppState(DataPaths paths) : AppState(paths, std::make_shared<PlaceRecords>(paths)) {}

AppState::AppState(DataPaths paths, std::shared_ptr<PlaceRecords> shared)
    : session(std::move(paths)), places(std::move(shared)) {
    setLanguage(chooseLanguage({}));
    // the place search by the probability of a record's sighting, or of a central eclipse there
    session.centralProbability = [](const Session& s) {
        const EclipseRecord& record = s.catalog.record;
        if (const ViewSettings& v = s.view; v.searchEvidence)
            return sightingChance(record, viewObserver(v), *v.searchEvidence, viewDeltaT(record, v),
                                  v.searchSigma.value_or(deltaTSigma(record.year)))
                .probability;
        const int type = static_cast<int>(std::trunc(record.typeCode));
        if (type < typeTotal || type > typeAnnularTotal) // no central phase anywhere
            return 0.0;
        return deltaTRanges(record, viewObserver(s.view), viewDeltaT(record, s.view),
                            deltaTSigma(record.year), false)
            .pCentral;
    };
}

std::unique_ptr<AppState> AppState::newView() const {
    auto opened = std::make_unique<AppState>(session.catalog.paths, places);
    opened->setLanguage(language);
    opened->keepsWindowSettings = keepsWindowSettings;
    return opened;
}

void AppState::setLanguage(Language chosen) {
    language = chosen;
    session.view.englishNames = chosen == Language::english;
}

ObserverPlace positionPlace(PlaceRecords& places, double lonEast, double lat) {
    // the gazetteer, read whole, only where the boundaries cannot tell the zone
    ObserverPlace place = observerPlaceAt(
        places.zoneBoundaries.get(), [&places] { return places.gazetteer.get(); }, lonEast, lat);
    if (!place.zoneFault.empty())
        places.noteFilePassedOver(place.zoneFault + "; the zone of the nearest place is taken");
    return place;
}

ObserverPlace observerPlace(const ViewSettings& v, PlaceRecords& places) {
    const ObserverPlace& kept = v.observerPlace;
    const bool here = kept.lon == v.observerLon && kept.lat == v.observerLat;
    if (here && kept.zoneSource != ZoneSource::none)
        return kept;
    ObserverPlace place = positionPlace(places, v.observerLon, v.observerLat);
    if (here)
        place.heightSource = kept.heightSource;
    return place;
}

double groundHeightAt(const AppState& state, double lon, double lat) {
    return std::max(0, reliefHeightAt(state.session.catalog.paths, lat, lon));
}

} // namespace vesk
