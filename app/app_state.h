// SPDX-License-Identifier: GPL-3.0-or-later
// The records of one window's view (its session: view settings, catalog, the eclipse shown, city
// table; the map's projection and relief data) and those every window of the process shares (the
// world's places and the time zones' boundaries). The command line runs on one.
#pragma once

#include "base_map.h"
#include "gazetteer.h"
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
#include <string>
#include <vector>

namespace vesk {

// The world's places by name and the time zones' boundaries, each read when first asked for.
struct PlaceRecords {
    explicit PlaceRecords(const DataPaths& paths);
    KeptGazetteer gazetteer;
    KeptData<ZoneBoundaries> zoneBoundaries;
};

struct AppState {
    explicit AppState(DataPaths paths);
    AppState(DataPaths paths, std::shared_ptr<PlaceRecords> shared);
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;
    // Another view on the same records, starting from a copy of this one's view settings.
    std::unique_ptr<AppState> newView() const;

    Session session;
    MapProjection projection;
    ReliefData relief;
    LimbData limb;                        // the lunar grid of the last limb correction
    PathGeometryCache mapPath;            // the path of the map, at the view's step
    PathGeometryCache kmlPath;            // the path of the KML documents, at their own step
    int pendingSearchType = 2;            // the type chosen in the search dialog's list
    std::shared_ptr<PlaceRecords> places; // shared with the views opened from this one
    KeptGazetteer& gazetteer;
    KeptData<ZoneBoundaries>& zoneBoundaries;
    Language language = Language::japanese; // of the window and the commands' texts
    // Sets the language, and the view's names of places with it.
    void setLanguage(Language chosen);

    // The observer's place of the view: as chosen by name, else with the zone of its position.
    ObserverPlace observerPlace();
};

// The local report's line of the observing place: a row of the city table or a typed place (with
// the name it was chosen by and the source of its height); empty for neither.
std::string locationLine(const ViewState& view, const CityTable& cities,
                         const ObserverPlace& place);

// The pipeline's connections to the map, the reports and the dialogs of this program.
class AppServices : public RedrawServices {
  public:
    explicit AppServices(AppState& state) : state(state) {}

    std::string loadBaseMapData(IgnoredFiles& ignored) override;
    void resetProjection(MapRange mapRange) override;
    void drawPathMap(DrawSurface& surface, bool kmlOutput) override;
    // Writes the KML documents of the eclipse shown into a folder: their names in kmlDocuments,
    // or what went wrong in exportFailure.
    void writeKml(const std::filesystem::path& dir);
    // Writes the GeoJSON document of the eclipse shown, YYYYMM.geojson, into a folder; empty, or
    // what went wrong.
    std::string writeGeoJson(const std::filesystem::path& dir);
    // Writes the central line table of the eclipse shown, at full precision, as central.csv or
    // central.json into a folder; empty, or what went wrong.
    enum class TableFormat { csv, json };
    std::string writeCentralTable(const std::filesystem::path& dir, TableFormat format);
    void drawCentralTable(DrawSurface& surface, double deltaT) override;
    void drawLocalCircumstances(DrawSurface& surface, double t0, double deltaT) override;
    void openYearMonthDialog() override { yearMonthDialogRequested = true; }
    std::string translated(const char* message) const override;

    bool yearMonthDialogRequested = false;
    // Where the map writes its KML documents and the table "central.prn", and what went wrong
    // with the last of these exports.
    std::filesystem::path exportDir = ".";
    std::string exportFailure;
    std::vector<std::filesystem::path> kmlDocuments;
    SaveFileSink files;
    // Asked when the picture being drawn is no longer wanted (the window's newer request).
    std::stop_token stop;

  private:
    AppState& state;
};

} // namespace vesk
