// SPDX-License-Identifier: GPL-3.0-or-later
#include "central_table.h"

#include "angles.h"
#include "path_tracers.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vesk {

namespace {

constexpr double timeTolerance = 0.00001, latitudeTolerance = 0.001;
constexpr int maxIterations = 40;
constexpr double notConverged = 100;
constexpr double centralSunLimit = -0.9; // rows with the Sun this low get no central point
constexpr int tableRows = 13, textX = 10, linePitch = 15;
constexpr Rgb white{255, 255, 255};
constexpr double earthDiameterKm = 12756;

// The observer's geocentric coordinates at latitude phi (degrees) and the state's height.
void placeObserverAt(EclipseState& s, double phi) {
    s.obsLat = phi;
    const GeocentricPlace place = geocentricPlace(phi, s.obsHeight);
    s.rhoSinPhi = place.rhoSinPhi;
    s.rhoCosPhi = place.rhoCosPhi;
}

// Iterates time and latitude until the observer is at the given offset across the shadow's
// motion (0 for the axis, +-|L2| for the limits): until both the time and the latitude
// correction are small. False after too many iterations, or when the latitude reached is not
// one (beyond +-90 degrees).
bool solveLatitude(EclipseState& s, double deltaT, int sign, bool limit, IterationStart start,
                   double& phi, double& t) {
    phi = start.lat;
    t = start.t;
    double tau = 100, dPhi = 90;
    for (int i = 1; std::fabs(tau) > timeTolerance || std::fabs(dPhi) > latitudeTolerance; ++i) {
        placeObserverAt(s, phi);
        observeAt(s, t, deltaT);
        tau = -(s.u * s.a + s.v * s.b) / (s.n * s.n);
        t += tau;
        const double sinH = std::sin(s.hourAngle), cosH = std::cos(s.hourAngle);
        const double rate = (sinH * s.b * s.rhoSinPhi +
                             s.a * (cosH * s.sinD * s.rhoSinPhi + s.cosD * s.rhoCosPhi)) /
                            (s.n * tableRadToDeg);
        const double across = (s.v * s.a - s.u * s.b) / s.n;
        dPhi = ((limit ? sign * std::fabs(s.obsL2) : 0) + across) / rate;
        phi += dPhi;
        if (i > maxIterations || !std::isfinite(phi))
            return false;
    }
    return std::fabs(phi) <= 90;
}

struct Clock {
    double h, m, s;
};
Clock clockOf(double hours) {
    Clock c{};
    splitHoursToTenths(hours, c.h, c.m, c.s);
    return c;
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

CentralPoint centralPointAt(EclipseState& s, double deltaT, IterationStart start) {
    s.status = 1;
    CentralPoint point;
    if (!solveLatitude(s, deltaT, 0, false, start, point.lat, point.t)) {
        point.lat = notConverged;
        point.sunAltitude = -notConverged;
        return point;
    }
    observeAt(s, point.t, deltaT);
    const double phi = point.lat * degToRad;
    point.sunAltitude = sunAltitude(s, s.hourAngle, phi) * radToDeg;
    point.duration = 2 * s.obsL2 / s.n;
    const double r = s.y / s.rho1;
    const double q = 1 - s.x * s.x - r * r;
    if (q < 0) {
        s.status = -1;
        return point;
    }
    const double k = s.x * s.a + s.y * s.b;
    point.width = std::fabs(s.obsL2) * earthDiameterKm / std::sqrt(q + k * k / (s.n * s.n));
    point.hasWidth = true;
    return point;
}

double limitPointAt(EclipseState& s, double deltaT, int sign, IterationStart start) {
    double phi = 0, t = 0;
    return solveLatitude(s, deltaT, sign, true, start, phi, t) ? phi : notConverged;
}

std::vector<CentralTableRow> centralTableRows(EclipseState& s, const PathGeometry& path,
                                              const ViewState& view, double deltaT) {
    const EclipseRecord& r = *s.record;
    s.obsLonWest = -view.tableLon;
    s.obsLat = 0;
    s.obsHeight = 0;
    std::vector<CentralTableRow> rows;
    for (int row = 0; row < tableRows; ++row) {
        CentralTableRow out;
        out.lon = -s.obsLonWest + 0.0; // + 0.0: no "-0.00" at the prime meridian
        const CentralPoint c = centralPointAt(s, deltaT, crossingStart(path, out.lon));
        // The limits start from the central point: near the poles not from the equator.
        const IterationStart central{c.lat, c.t};
        const double north =
            c.sunAltitude <= centralSunLimit ? notConverged : limitPointAt(s, deltaT, +1, central);
        const double south =
            north == notConverged ? notConverged : limitPointAt(s, deltaT, -1, central);
        if (south != notConverged) {
            const double ut = r.t0 + c.t - deltaT / 3600;
            const auto ofDay = [](double hours) { return hours - 24 * std::floor(hours / 24); };
            out.north = north;
            out.centre = c.lat;
            out.south = south;
            out.utHours = ofDay(ut);
            out.lmtHours = ofDay(ut - s.obsLonWest / 15);
            out.durationSeconds = std::fabs(c.duration) * 3600;
            if (c.hasWidth) // where the axis misses the Earth at the central instant, no width
                out.widthKm = c.width;
            out.sunAltitude = c.sunAltitude;
        }
        rows.push_back(out);
        s.obsLonWest -= view.tableStep;
    }
    return rows;
}

namespace {

// The fields of a row in the order of the CSV header and of the JSON keys.
constexpr const char* rowFields[] = {"lon",         "north",     "centre",           "south",
                                     "ut_hours",    "lmt_hours", "duration_seconds", "width_km",
                                     "sun_altitude"};

std::vector<std::optional<double>> valuesOf(const CentralTableRow& r) {
    return {r.lon,      r.north,           r.centre,  r.south,      r.utHours,
            r.lmtHours, r.durationSeconds, r.widthKm, r.sunAltitude};
}

std::string valueText(const std::optional<double>& value, const char* missing) {
    if (!value)
        return missing;
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
    const Clock utClock = clockOf(*row.utHours), lmt = clockOf(*row.lmtHours);
    const Clock duration = clockOf(*row.durationSeconds / 3600);
    char width[16] = "      ";
    if (row.widthKm)
        std::snprintf(width, sizeof width, "%6.1f", *row.widthKm);
    std::snprintf(line, sizeof line,
                  " %8.2f  %8.4f  %8.4f  %8.4f  %02.0f:%02.0f  %02.0f:%02.0f  %2.0f:%04.1f  %s  "
                  "%5.1f",
                  row.lon, *row.north, *row.centre, *row.south, utClock.h, utClock.m, lmt.h, lmt.m,
                  duration.m, duration.s, width, *row.sunAltitude);
    return line;
}

} // namespace

std::string centralTableCsv(const std::vector<CentralTableRow>& rows) {
    std::string text;
    for (const char* field : rowFields) {
        if (!text.empty())
            text += ',';
        text += field;
    }
    text += "\r\n";
    for (const CentralTableRow& row : rows) {
        std::string line;
        const std::vector<std::optional<double>> values = valuesOf(row);
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0)
                line += ',';
            line += valueText(values[i], "");
        }
        text += line + "\r\n";
    }
    return text;
}

std::string centralTableJson(const std::vector<CentralTableRow>& rows) {
    std::string text = "[";
    for (const CentralTableRow& row : rows) {
        if (text.size() > 1)
            text += ',';
        text += "\n{";
        const std::vector<std::optional<double>> values = valuesOf(row);
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0)
                text += ',';
            text += std::string("\"") + rowFields[i] + "\":" + valueText(values[i], "null");
        }
        text += '}';
    }
    return text + "\n]\n";
}

std::string drawCentralTable(DrawSurface& surface, EclipseState& s, const PathGeometry& path,
                             const ViewState& view, double deltaT, FileSink* sink,
                             const std::filesystem::path& outDir) {
    const EclipseRecord& r = *s.record;
    surface.setTextColour(white);
    std::string file;
    char line[200];
    std::snprintf(line, sizeof line, " Date     :%5.0f %2.0f %2.0f%s :  %s ", r.year, r.month,
                  r.day, julianMark(r.year, r.month, r.day),
                  eclipseTypeName(eclipseTypeNames, std::trunc(r.typeCode)));
    surface.textOut(textX, 45, line);
    file += std::string(line) + "\n";
    const char* header[3] = {
        "   LON.     NORTH     CENTER    SOUTH    TIME   TIME   DURAT.   WIDTH    SUN ",
        "            LIMIT     LINE      LIMIT    (UT)   (LMT)  (m:s)    (km)     ALT ",
        " --------  --------  --------  --------  -----  -----  -------  ------  ----- "};
    for (int i = 0; i < 3; ++i)
        surface.textOut(textX, 105 + linePitch * i, header[i]);
    file += std::string("\n") + header[0] + "\n" + header[1] + "\n" +
            " --------  --------  --------  --------  -----  -----  -------  ------  -----\n";
    const std::vector<CentralTableRow> rows = centralTableRows(s, path, view, deltaT);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string text = tableLine(rows[row]);
        surface.textOut(textX, linePitch * (11 + static_cast<int>(row)), text);
        file += text + "\n";
    }
    if (sink == nullptr)
        return "";
    const std::string failure = sink->writeTogether({{outDir / "central.prn", file}});
    if (!failure.empty())
        surface.textOut(textX, linePitch * (12 + tableRows),
                        "central.prnファイルを作成できません。");
    return failure;
}

} // namespace vesk
