// SPDX-License-Identifier: GPL-3.0-or-later
// The central line table: for 13 longitudes the latitudes of the northern limit, the central
// line and the southern limit of the umbral path, the time of central eclipse in UT and local
// mean time, the duration on the central line, the path width and the Sun's altitude; on the
// screen and, when asked, in the text file "central.prn".
#pragma once

#include "draw_surface.h"
#include "eclipse_state.h"
#include "file_sink.h"
#include "path_geometry.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// A point of the central line at the longitude of the state's observer (obsLonWest).
struct CentralPoint {
    double lat = 0;         // degrees; 100 when the iteration does not converge
    double t = 0;           // hours from t0
    double duration = 0;    // hours, signed (negative where total)
    double width = 0;       // km, valid when hasWidth
    bool hasWidth = false;  // false when the axis misses the Earth at t
    double sunAltitude = 0; // degrees; -100 when the iteration does not converge
};

// Where the iterations of a row start: latitude in degrees and t in hours from t0.
struct IterationStart {
    double lat = 0, t = 0;
};

// The start at the crossing of an east longitude by the central line of the eclipse's path
// geometry: interpolated between its points, the crossing nearest greatest eclipse when there are
// two. Latitude 0 and t 0 when the line does not cross it. Iterations from there reach central
// lines near the poles, which they miss from the equator.
IterationStart crossingStart(const PathGeometry& path, double lonEast);

CentralPoint centralPointAt(EclipseState& state, double deltaT, IterationStart start = {});

// The latitude of the northern (+1) or southern (-1) limit at the observer's longitude; 100
// when the iteration does not converge.
double limitPointAt(EclipseState& state, double deltaT, int sign, IterationStart start = {});

// A row of the table: its longitude (degrees east) and, where the central line is found there,
// the latitudes of the northern limit, the central line and the southern limit (degrees), the
// UT and local mean time of central eclipse (hours of the day), the duration on the central line
// (seconds), the path's width (km; none where the axis misses the Earth) and the Sun's altitude
// (degrees), unrounded.
struct CentralTableRow {
    double lon = 0;
    std::optional<double> north, centre, south, utHours, lmtHours, durationSeconds, widthKm,
        sunAltitude;
};

// The table's rows from the view's first longitude and step; the rows start from the crossings
// of the central line of path (the eclipse's geometry).
std::vector<CentralTableRow> centralTableRows(EclipseState& state, const PathGeometry& path,
                                              const ViewState& view, double deltaT);

// The rows as CSV (RFC 4180, a header line, an empty field where a value is missing) and as a
// JSON array of objects (null where a value is missing).
std::string centralTableCsv(const std::vector<CentralTableRow>& rows);
std::string centralTableJson(const std::vector<CentralTableRow>& rows);

// Draws the table with the surface's current font and, when sink is given, writes the same lines
// to outDir/"central.prn" through it. Returns an error text when the file could not be written
// (a line below the table says so), else an empty text.
// The rows start from the crossings of the central line of path (the eclipse's geometry).
std::string drawCentralTable(DrawSurface& surface, EclipseState& state, const PathGeometry& path,
                             const ViewState& view, double deltaT, FileSink* sink,
                             const std::filesystem::path& outDir);

} // namespace vesk
