// SPDX-License-Identifier: GPL-3.0-or-later
// The records of one view (its session: the settings of the repaint under way, the catalog
// reader, the eclipse shown, the city table) and those every window of the process shares (the
// world's places and the time zones' boundaries); and the services that draw a screen from
// values. The command line runs on one view.
#pragma once

#include "base_map.h"
#include "gazetteer.h"
#include "kml.h"
#include "limb_correction.h"
#include "local_report.h"
#include "map_projection.h"
#include "path_geometry.h"
#include "redraw_pipeline.h"
#include "save_files.h"
#include "session.h"
#include "translation.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vesk {

// The world's places by name and the time zones' boundaries, each read when first asked for.
struct PlaceRecords {
    explicit PlaceRecords(const DataPaths& paths);
    KeptGazetteer gazetteer;
    KeptData<ZoneBoundaries> zoneBoundaries;
    // The notes of the files passed over, each once and not yet told: the time zones' file
    // refused when read, the damaged parts of it that lookups found, and the others noted.
    IgnoredFiles untoldNotes();
    // Keeps the note of a file, or a part of one, passed over, to be told.
    void noteFilePassedOver(const std::string& note);

  private:
    std::mutex notesGuard;
    IgnoredFiles told, passedOver;
};

struct AppState {
    explicit AppState(DataPaths paths);
    AppState(DataPaths paths, std::shared_ptr<PlaceRecords> shared);
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;
    // Another view on the same place records, with a catalog reader of its own.
    std::unique_ptr<AppState> newView() const;

    Session session;
    LimbData limb;                          // the lunar grid of the last limb correction
    std::shared_ptr<PlaceRecords> places;   // shared with the views opened from this one
    Language language = Language::japanese; // of the window and the commands' texts
    // The window's settings are kept between runs (the window without --no-settings; never the
    // commands)
    bool keepsWindowSettings = false;
    // Sets the language, and the session's names of places with it.
    void setLanguage(Language chosen);
};

// The observer's place at a position: the zone of the zones' boundaries there, the gazetteer (read
// only then) giving the nearest place's where they cannot; a damaged part of the boundaries is
// noted in places.
ObserverPlace positionPlace(PlaceRecords& places, double lonEast, double lat);

// The observer's place of the settings: as chosen by name, else with the zone of its position.
ObserverPlace observerPlace(const ViewSettings& settings, PlaceRecords& places);

// What to call the observer's place: its name in the gazetteer or the city table, else its
// coordinates ("43.15° E, 36.36° N").
std::string observerName(const ViewSettings& settings, const CityTable& cities);

// The local report's line of the observing place: a row of the city table or a typed place (with
// the name it was chosen by and the source of its height); empty for neither.
std::string locationLine(const ViewSettings& view, const CityTable& cities,
                         const ObserverPlace& place);

// The local circumstances at the frame's observer for its eclipse.
LocalCircumstances frameLocalCircumstances(const ScreenFrame& frame);

// The instant (hours from t0, TT) of the screens of the observing place: the settings' shadowAt,
// else the local maximum.
double placeScreenInstant(const ScreenFrame& frame, const LocalCircumstances& local);

// The first and the last contact at the frame's observer, hours of UT on the day of greatest
// eclipse (as the time slider and --at count them); none where the place sees no eclipse.
std::optional<std::pair<double, double>> placeSpanUt(const ScreenFrame& frame);

// The pipeline's connections to the map, the reports and the exports of this program. Each
// draws from the frame it is given and keeps its own relief data and traced paths, so that the
// window's repaints and its printing each use one of their own.
class AppServices : public RedrawServices {
  public:
    explicit AppServices(const AppState& state);

    Outcome loadBaseMapData(IgnoredFiles& ignored) override;
    // The map; the projection it was drawn with.
    MapProjection drawPathMap(DrawSurface& surface, const ScreenFrame& frame) override;
    void drawCentralTable(DrawSurface& surface, const ScreenFrame& frame) override;
    void drawLocalCircumstances(DrawSurface& surface, const ScreenFrame& frame) override;
    void drawViewFromPlace(DrawSurface& surface, const ScreenFrame& frame) override;
    std::string translated(const char* message) const override;
    // The limits of the frame's eclipse corrected for the lunar limb, for observers on the
    // relief grid's ground (at sea level where the settings ask, or without the grid), traced
    // when first asked for and kept while the eclipse, Delta T and the heights stay the same;
    // none without the lunar grid.
    const CorrectedLimits* correctedLimits(const ScreenFrame& frame);
    // Nothing when the lunar grid is there (read when first asked for), else why it is not.
    Outcome lunarGridRead();
    // Writes the KML documents of the frame's eclipse into a folder: their names, or what went
    // wrong.
    ExportOutcome writeKml(const ScreenFrame& frame, const std::filesystem::path& dir);
    // The files the settings ask to be written with a screen once it is drawn ("Write KML
    // files", --kml): the map's KML documents, the table's central.prn, into exportDir. Their
    // names, or what went wrong.
    ExportOutcome writeScreenExports(const ScreenFrame& frame);
    // Why a picture drawn of the frame lacks something (the corrected limits without the lunar
    // grid); nothing when it lacks nothing.
    Outcome missingFromPicture(const ScreenFrame& frame);
    // Writes the GeoJSON document of the frame's eclipse, YYYYMM.geojson, into a folder; empty,
    // or what went wrong.
    std::string writeGeoJson(const ScreenFrame& frame, const std::filesystem::path& dir);
    // Writes the central line table of the frame's eclipse, at full precision, as central.csv
    // or central.json into a folder; empty, or what went wrong.
    enum class TableFormat { csv, json };
    std::string writeCentralTable(const ScreenFrame& frame, const std::filesystem::path& dir,
                                  TableFormat format);

    // Where the screen's exports are written.
    std::filesystem::path exportDir = ".";
    // Where the exports go: written at once, or to a sink that keeps them to be written together
    // with the picture.
    SaveFileSink savedFiles;
    FileSink* files = &savedFiles;
    // Asked when the picture being drawn is no longer wanted (the window's newer request).
    std::stop_token stop;

  private:
    DataPaths paths;
    std::shared_ptr<PlaceRecords> places;
    Language language;
    ReliefData relief;
    LimbData lunarGrid; // read when the view from the place or the corrected limits ask for it
    struct KeptCorrectedLimits {
        double jdTT, tanF2, deltaT;
        bool atSeaLevel;
        CorrectedLimits limits;
    };
    // The ground the corrected limits are traced for: the relief grid's heights (read when
    // first asked for), or sea level.
    GroundHeights groundHeights(bool atSeaLevel);
    std::optional<KeptCorrectedLimits> keptCorrectedLimits;
    PathGeometryCache mapPath; // the path of the map, at the view's step
    PathGeometryCache kmlPath; // the path of the KML documents, at their own step
};

// The ground's height at a place from the relief grid: metres above the sea, 0 at sea.
double groundHeightAt(const AppState& state, double lon, double lat);

} // namespace vesk
