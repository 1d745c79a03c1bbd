// SPDX-License-Identifier: GPL-3.0-or-later
#include "central_table.h"

#include "angles.h"
#include "csv_record.h"
#include "json_values.h"
#include "palette.h"
#include "path_tracers.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>

namespace vesk {

namespace {

constexpr double timeTolerance = 0.00001, latitudeTolerance = 0.001;
constexpr int maxIterations = 40;
constexpr double centralSunLimit = -0.9; // rows with the Sun this low get no central point
constexpr int tableRows = 13, textX = 10, linePitch = 15;
constexpr int solarRadiusLineY = 75; // between the date and the header

// Which curve a row's iteration finds: the central line or a limit of the umbral path.
enum class PathCurve { central = 0, northLimit = 1, southLimit = -1 };

// Iterates time and latitude at an east longitude (on the ellipsoid) until the observer is at the
// curve's offset across the shadow's motion (0 for the axis, +-|L2| for the limits): until both
// the time and the latitude correction are small. The latitude (degrees) and t reached; none
// after too many iterations, or when the latitude reached is not one (beyond +-90 degrees).
std::optional<IterationStart> solveLatitude(const EclipseRecord& r, double lonEast, double deltaT,
                                            PathCurve curve, IterationStart start) {
    double phi = start.lat, t = start.t;
    double tau = 100, dPhi = 90;
    for (int i = 1; std::fabs(tau) > timeTolerance || std::fabs(dPhi) > latitudeTolerance; ++i) {
        const Observer o = observerAt(lonEast, phi);
        const ObservedShadow s = observeShadow(r, o, t, deltaT);
        const ShadowElements e = evaluateElements(r, t);
        tau = -(s.u * s.a + s.v * s.b) / (s.n * s.n);
        t += tau;
        const double rhoSinPhi = o.geocentric.rhoSinPhi, rhoCosPhi = o.geocentric.rhoCosPhi;
        const double sinH = std::sin(s.hourAngle), cosH = std::cos(s.hourAngle);
        const double rate =
            (sinH * s.b * rhoSinPhi + s.a * (cosH * e.sinD * rhoSinPhi + e.cosD * rhoCosPhi)) /
            (s.n * tableRadToDeg);
        const double across = (s.v * s.a - s.u * s.b) / s.n;
        dPhi = (static_cast<int>(curve) * std::fabs(s.l2) + across) / rate;
        phi += dPhi;
        if (i > maxIterations || !std::isfinite(phi))
            return std::nullopt;
    }
    if (std::fabs(phi) > 90)
        return std::nullopt;
    return IterationStart{phi, t};
}

} // namespace

IterationStart crossingStart(const PathGeometry& path, double lonEast) {
    IterationStart start;
    double nearest = std::numeric_limits<double>::infinity();
    for (const std::vector<CentralPathPoint>& piece : path.centralLine) {
        for (std::size_t i = 1; i < piece.size(); ++i) {
            const CentralPathPoint &a = piece[i - 1], &b = piece[i];
            const double step = std::remainder(b.lon - a.lon, 360.0);
            const double offset = std::remainder(lonEast - a.lon, 360.0);
            if (step == 0 || offset / step < 0 || offset / step > 1)
                continue;
            const double f = offset / step;
            const double t = a.t + f * (b.t - a.t);
            if (std::fabs(t - path.greatest.time) < nearest) {
                nearest = std::fabs(t - path.greatest.time);
                start = {a.lat + f * (b.lat - a.lat), t};
            }
        }
    }
    return start;
}

std::optional<CentralPoint> centralPointAt(const EclipseRecord& r, double lonEast, double deltaT,
                                           IterationStart start) {
    const std::optional<IterationStart> found =
        solveLatitude(r, lonEast, deltaT, PathCurve::central, start);
    if (!found)
        return std::nullopt;
    CentralPoint point;
    point.lat = found->lat;
    point.t = found->t;
    const ObservedShadow s = observeShadow(r, observerAt(lonEast, point.lat), point.t, deltaT);
    const ShadowElements e = evaluateElements(r, point.t);
    point.sunAltitude = s.sunAltitude;
    point.duration = 2 * s.l2 / s.n;
    const double y1 = e.y / e.rho1;
    const double q = 1 - e.x * e.x - y1 * y1;
    if (q < 0)
        return point;
    const double k = e.x * s.a + e.y * s.b;
    point.width = std::fabs(s.l2) * earthDiameterKm / std::sqrt(q + k * k / (s.n * s.n));
    return point;
}

std::optional<double> limitPointAt(const EclipseRecord& r, double lonEast, double deltaT,
                                   PathLimit limit, IterationStart start) {
    const std::optional<IterationStart> found = solveLatitude(
        r, lonEast, deltaT,
        limit == PathLimit::north ? PathCurve::northLimit : PathCurve::southLimit, start);
    if (!found)
        return std::nullopt;
    return found->lat;
}

std::vector<CentralTableRow> centralTableRows(const EclipseRecord& r, const PathGeometry& path,
                                              double firstLon, double step, double deltaT) {
    std::vector<CentralTableRow> rows;
    double lonEast = firstLon;
    for (int row = 0; row < tableRows; ++row, lonEast += step) {
        CentralTableRow out;
        out.lon = lonEast + 0.0; // + 0.0: no "-0.00" at the prime meridian
        const std::optional<CentralPoint> c =
            centralPointAt(r, lonEast, deltaT, crossingStart(path, out.lon));
        if (!c || c->sunAltitude <= centralSunLimit) {
            rows.push_back(out);
            continue;
        }
        // The limits start from the central point: near the poles not from the equator.
        const IterationStart central{c->lat, c->t};
        const std::optional<double> north =
            limitPointAt(r, lonEast, deltaT, PathLimit::north, central);
        const std::optional<double> south =
            north ? limitPointAt(r, lonEast, deltaT, PathLimit::south, central) : std::nullopt;
        if (south) {
            const double ut = r.t0 + c->t - deltaT / 3600;
            const auto ofDay = [](double hours) { return hours - 24 * std::floor(hours / 24); };
            out.north = north;
            out.centre = c->lat;
            out.south = south;
            out.utHours = ofDay(ut);
            out.lmtHours = ofDay(ut + lonEast / 15);
            out.durationSeconds = std::fabs(c->duration) * 3600;
            out.widthKm = c->width; // none where the axis misses the Earth at the central instant
            out.sunAltitude = c->sunAltitude;
        }
        rows.push_back(out);
    }
    return rows;
}

namespace {

// The fields of a row in the order of the CSV header and of the JSON keys.
constexpr const char* rowFields[] = {"lon",
                                     "north",
                                     "centre",
                                     "south",
                                     "ut_hours",
                                     "lmt_hours",
                                     "duration_seconds",
                                     "width_km",
                                     "sun_altitude",
                                     "corrected_duration_seconds"};

// The fields of a row: the last only for the limb-corrected columns.
std::vector<std::optional<double>> valuesOf(const CentralTableRow& r, TableColumns columns) {
    std::vector<std::optional<double>> values{
        r.lon,      r.north,           r.centre,  r.south,      r.utHours,
        r.lmtHours, r.durationSeconds, r.widthKm, r.sunAltitude};
    if (columns == TableColumns::limbCorrected)
        values.push_back(r.correctedDurationSeconds);
    return values;
}

// A value at full precision: "%.17g" reads back as the same double.
std::string valueText(const std::optional<double>& value) {
    if (!value)
        return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", *value);
    return text;
}

// The line of a row in the table's fixed layout.
std::string tableLine(const CentralTableRow& row) {
    char line[200];
    if (!row.south) {
        std::snprintf(line, sizeof line,
                      " %8.2f  =========  No Central Calculation Available   =========  ", row.lon);
        return line;
    }
    const ClockReading utClock = splitHoursToTenths(*row.utHours);
    const ClockReading lmt = splitHoursToTenths(*row.lmtHours);
    const ClockReading duration = splitHoursToTenths(*row.durationSeconds / 3600);
    char width[16] = "      ";
    if (row.widthKm)
        std::snprintf(width, sizeof width, "%6.1f", *row.widthKm);
    std::snprintf(line, sizeof line,
                  " %8.2f  %8.4f  %8.4f  %8.4f  %02.0f:%02.0f  %02.0f:%02.0f  %2.0f:%04.1f  %s  "
                  "%5.1f",
                  row.lon, *row.north, *row.centre, *row.south, utClock.hours, utClock.minutes,
                  lmt.hours, lmt.minutes, duration.minutes, duration.seconds, width,
                  *row.sunAltitude);
    return line;
}

} // namespace

std::string centralTableCsv(const std::vector<CentralTableRow>& rows, TableColumns columns) {
    const std::size_t fields = valuesOf({}, columns).size();
    std::string text = csvRecord({std::begin(rowFields), std::begin(rowFields) + fields});
    for (const CentralTableRow& row : rows) {
        std::vector<std::string> line;
        for (const std::optional<double>& value : valuesOf(row, columns))
            line.push_back(valueText(value));
        text += csvRecord(line);
    }
    return text;
}

std::string centralTableJson(const std::vector<CentralTableRow>& rows, TableColumns columns) {
    Json table = Json::array();
    for (const CentralTableRow& row : rows) {
        Json object = Json::object();
        const std::vector<std::optional<double>> values = valuesOf(row, columns);
        for (std::size_t i = 0; i < values.size(); ++i)
            object[rowFields[i]] = values[i] ? Json(*values[i]) : Json(nullptr);
        table.push_back(std::move(object));
    }
    return jsonText(table, 1) + "\n";
}

namespace {

// The table's heading: three lines, the last as the file writes it (without its trailing blank).
constexpr const char* tableHeader[3] = {
    "   LON.     NORTH     CENTER    SOUTH    TIME   TIME   DURAT.   WIDTH    SUN ",
    "            LIMIT     LINE      LIMIT    (UT)   (LMT)  (m:s)    (km)     ALT ",
    " --------  --------  --------  --------  -----  -----  -------  ------  ----- "};

std::string dateLine(const EclipseRecord& r) {
    char line[200];
    std::snprintf(line, sizeof line, " Date     :%5.0f %2.0f %2.0f%s :  %s ", r.year, r.month,
                  r.day, calendarNote(r.year, r.month, r.day).c_str(),
                  eclipseTypeName(eclipseTypeNames, std::trunc(r.typeCode)));
    return line;
}

} // namespace

std::string centralTablePrn(const EclipseRecord& r, const std::vector<CentralTableRow>& rows) {
    std::string file = dateLine(r) + "\n\n" + tableHeader[0] + "\n" + tableHeader[1] + "\n";
    const std::string_view rule = tableHeader[2];
    file += std::string(rule.substr(0, rule.size() - 1)) + "\n";
    for (const CentralTableRow& row : rows)
        file += tableLine(row) + "\n";
    return file;
}

void drawCentralTable(DrawSurface& surface, const EclipseRecord& r,
                      const std::vector<CentralTableRow>& rows,
                      std::optional<double> solarRadiusArcsec) {
    surface.setTextColour(palette[white]);
    surface.textOut(textX, 45, dateLine(r));
    if (solarRadiusArcsec) {
        char line[200];
        std::snprintf(line, sizeof line, " Sun's radius : %.2f\" (%.0f km)", *solarRadiusArcsec,
                      sunRadiusOfArcseconds(*solarRadiusArcsec));
        surface.textOut(textX, solarRadiusLineY, line);
    }
    for (int i = 0; i < 3; ++i)
        surface.textOut(textX, 105 + linePitch * i, tableHeader[i]);
    for (std::size_t row = 0; row < rows.size(); ++row)
        surface.textOut(textX, linePitch * (11 + static_cast<int>(row)), tableLine(rows[row]));
}

} // namespace vesk
