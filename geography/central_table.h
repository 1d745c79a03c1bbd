// SPDX-License-Identifier: GPL-3.0-or-later
// The central line table: for 13 longitudes the latitudes of the northern limit, the central
// line and the southern limit of the umbral path, the time of central eclipse in UT and local
// mean time, the duration on the central line, the path width and the Sun's altitude; on the
// screen and in the text file "central.prn".
#pragma once

#include "draw_surface.h"
#include "observed_shadow.h"
#include "path_geometry.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// A point of the central line at a longitude.
struct CentralPoint {
    double lat = 0;              // degrees
    double t = 0;                // hours from t0
    double duration = 0;         // hours, signed (negative where total)
    std::optional<double> width; // km; none where the axis misses the Earth at t
    double sunAltitude = 0;      // degrees
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

// The central line's point at an east longitude (degrees) of an eclipse record with deltaT
// seconds, on the ellipsoid; none when the iteration does not converge.
std::optional<CentralPoint> centralPointAt(const EclipseRecord& record, double lonEast,
                                           double deltaT, IterationStart start = {});

enum class PathLimit { north, south };

// The latitude of the northern or southern limit of the umbral path at an east longitude; none
// when the iteration does not converge.
std::optional<double> limitPointAt(const EclipseRecord& record, double lonEast, double deltaT,
                                   PathLimit limit, IterationStart start = {});

// A row of the table: its longitude (degrees east) and, where the central line is found there,
// the latitudes of the northern limit, the central line and the southern limit (degrees), the
// UT and local mean time of central eclipse (hours of the day), the duration on the central line
// (seconds), the path's width (km; none where the axis misses the Earth) and the Sun's altitude
// (degrees), unrounded.
struct CentralTableRow {
    double lon = 0;
    std::optional<double> north, centre, south, utHours, lmtHours, durationSeconds, widthKm,
        sunAltitude;
    // The central phase with the lunar limb's profile at the row's central point, where asked.
    std::optional<double> correctedDurationSeconds;
};

// The table's rows from a first east longitude by a step (degrees) for an eclipse record with
// deltaT seconds; the rows start from the crossings of the central line of path (the eclipse's
// geometry).
std::vector<CentralTableRow> centralTableRows(const EclipseRecord& record, const PathGeometry& path,
                                              double firstLon, double step, double deltaT);

// The rows as CSV (RFC 4180, a header line, an empty field where a value is missing) and as a
// JSON array of objects (null where a value is missing); with the corrected duration as a last
// column where the limb corrected it.
enum class TableColumns { smooth, limbCorrected };
std::string centralTableCsv(const std::vector<CentralTableRow>& rows,
                            TableColumns columns = TableColumns::smooth);
std::string centralTableJson(const std::vector<CentralTableRow>& rows,
                             TableColumns columns = TableColumns::smooth);

// The table as the text file "central.prn": the date and type line, the heading and the rows.
std::string centralTablePrn(const EclipseRecord& record, const std::vector<CentralTableRow>& rows);

// Draws the lines of the table (centralTablePrn's) with the surface's current font. With a solar
// radius (arcseconds at 1 au) other than the catalog's, the screen's heading says which (the
// file keeps its format).
void drawCentralTable(DrawSurface& surface, const EclipseRecord& record,
                      const std::vector<CentralTableRow>& rows,
                      std::optional<double> solarRadiusArcsec = std::nullopt);

} // namespace vesk
