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

std::string drawCentralTable(DrawSurface& surface, EclipseState& s, const PathGeometry& path,
                             const ViewState& view, double deltaT, FileSink* sink,
                             const std::filesystem::path& outDir) {
    const EclipseRecord& r = *s.record;
    surface.setTextColour(white);
    s.obsLonWest = -view.tableLon;
    s.obsLat = 0;
    s.obsHeight = 0;
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

    for (int row = 0; row < tableRows; ++row) {
        const double lon = -s.obsLonWest + 0.0; // + 0.0: no "-0.00" at the prime meridian
        const IterationStart start = crossingStart(path, lon);
        const CentralPoint c = centralPointAt(s, deltaT, start);
        // The limits start from the central point: near the poles not from the equator.
        const IterationStart central{c.lat, c.t};
        const double north =
            c.sunAltitude <= centralSunLimit ? notConverged : limitPointAt(s, deltaT, +1, central);
        const double south =
            north == notConverged ? notConverged : limitPointAt(s, deltaT, -1, central);
        if (south == notConverged) {
            std::snprintf(line, sizeof line,
                          " %8.2f  =========  No Central Calculation Available   =========  ", lon);
        } else {
            const double ut = r.t0 + c.t - deltaT / 3600;
            const Clock utClock = clockOf(ut), lmt = clockOf(ut - s.obsLonWest / 15);
            const Clock duration = clockOf(std::fabs(c.duration));
            // Where the axis misses the Earth at the central instant there is no width.
            char width[16] = "      ";
            if (c.hasWidth)
                std::snprintf(width, sizeof width, "%6.1f", c.width);
            std::snprintf(
                line, sizeof line,
                " %8.2f  %8.4f  %8.4f  %8.4f  %02.0f:%02.0f  %02.0f:%02.0f  %2.0f:%04.1f  %s  "
                "%5.1f",
                lon, north, c.lat, south, utClock.h, utClock.m, lmt.h, lmt.m, duration.m,
                duration.s, width, c.sunAltitude);
        }
        surface.textOut(textX, linePitch * (11 + row), line);
        file += std::string(line) + "\n";
        s.obsLonWest -= view.tableStep;
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
