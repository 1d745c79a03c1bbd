#include "path_map.h"

#include "checked_int.h"
#include "palette.h"
#include "saros.h"
#include "scaled_surface.h"
#include "timescales.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace vesk {

namespace {

constexpr Rgb whiteText{255, 255, 255};
constexpr Rgb regionalText{204, 255, 255};
constexpr const char* degreeSign = "゜";
// The KML pass always traces at this step (hours).
constexpr double kmlStepHours = 0.01;

// Curves of equal time: the magnitude sweep's step and the value below which it counts as 0.
constexpr double sweepStep = 1.0 / 30;
constexpr double sweepFloor = 0.04;
constexpr double magnitudeLevels[4] = {0.2, 0.4, 0.6, 0.8};

// Palette indices of the curves.
struct CurveColours {
    int central = red, umbra = rose, penumbra = yellow, riseSet = green, maxRiseSet = paleGreen;
};

template <typename... Args> std::string format(const char* pattern, Args... args) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// "hh:mm:ss.s" fields of the UT of t hours from t0.
std::string clockText(const char* pattern, const EclipseState& e, double t) {
    double h = 0, m = 0, s = 0;
    splitHoursToTenths(e.t0 + t - e.deltaTHours, h, m, s);
    return format(pattern, h, m, s);
}

void text(DrawSurface& surface, int x, int y, const std::string& line) {
    surface.textOut(x, y, line);
}

std::string positionText(const char* pattern, double lon, double lat) {
    return format(pattern, std::fabs(lon), degreeSign, std::fabs(lat), degreeSign);
}

void drawPanel(MapCanvas& c, const PathMapInputs& in) {
    const ViewState& v = c.view;
    const EclipseState& e = in.eclipse;
    const int type = static_cast<int>(e.typeCode);
    const char* typeName = eclipseTypeName(mapPanelTypeNames, e.typeCode);
    const std::string date = format("DATE(UT) : %4.0f %2.0f %2.0f%s", v.year, v.month, e.day,
                                    julianMark(v.year, v.month, e.day));
    if (v.projection == 1 && v.mapRange != 0) {
        frameRect(c.surface, v.mapLeft, v.mapTop, v.mapRight, v.mapBottom, brown);
        c.surface.setTextColour(regionalText);
        text(c.surface, 30, 32, date);
        text(c.surface, 30, 48, typeName);
        return;
    }
    if (v.searchMode == searchPlace && e.localMagnitude > v.searchMinMagnitude &&
        e.localSunAlt > -15) {
        text(c.surface, v.mapRight - 90, v.mapBottom - 30,
             format("Mag. : %5.3f", e.localMagnitude));
        text(c.surface, v.mapRight - 90, v.mapBottom - 16, format("Alt. : %5.1f", e.localSunAlt));
    }
    ScaledSurface surface(c.surface, v.textScale); // the panel grows with the text size
    frameRect(surface, 5, 5, 220, 389, brown);
    surface.setTextColour(whiteText);
    text(surface, 10, 16, "CANON OF SOLAR ECLIPSE");
    text(surface, 10, 48, date);
    text(surface, 10, 64, typeName);
    text(surface, 10, 96,
         format("JD/Saros : %10.2f/%3.0f/%2d", e.jd, e.saros, sarosMember(v.year, e.saros)));
    text(surface, 10, 112, format("Delta T  : %6.1f sec.", e.deltaT));
    text(surface, 20, 144, "GREATEST ECLIPSE");
    text(surface, 30, 160, clockText("Time     : %02.0f:%02.0f:%04.1f UT", e, e.curveTime));
    const MapProjection& p = c.projection;
    if (v.mapRange == 0) {
        text(surface, 30, 176, "Location :");
        text(surface, 110, 176,
             format(" %3.0f%s%4.1f'", p.centreLonDeg, degreeSign, p.centreLonMin));
        text(surface, 190, 176, p.centreWest ? " W" : " E");
        text(surface, 110, 192,
             format(" %3.0f%s%4.1f'", p.centreLatDeg, degreeSign, p.centreLatMin));
        text(surface, 190, 192, p.centreSouth ? " S" : " N");
    } else {
        text(surface, 100, 176, positionText("%5.1f%s /%4.1f%s", e.greatestLon, e.greatestLat));
        text(surface, 125, 176, e.greatestLon < 0 ? "W" : "E");
        text(surface, 200, 176, e.greatestLat < 0 ? "S" : "N");
    }
    if (type != typePartial)
        text(surface, 30, 208, format("Ratio: %6.4f r:%8.5f", e.magnitude, e.greatestR));
    if (type != typePartial && type != typeNonCentralTotal && type != typeNonCentralAnnular) {
        double hours = 0, minutes = 0, seconds = 0;
        splitHoursToTenths(std::fabs(e.centralDuration), hours, minutes, seconds);
        text(surface, 30, 224,
             format("Dura.:%2.0f:%04.1f w: %5.1fkm ", minutes, seconds, e.pathWidth));
    }
    if (type == typePartial)
        text(surface, 30, 224, format("Magnitude: %8.4f", e.magnitude));
    text(surface, 20, 256, "FIRST CONTACT");
    text(surface, 30, 272, clockText("Penumbra : %02.0f:%02.0f:%04.1f UT", e, e.firstContactTime));
    if (type != typePartial) {
        text(surface, 30, 288,
             clockText("Umbra    : %02.0f:%02.0f:%04.1f UT", e, e.umbraFirstTime));
        text(surface, 100, 304,
             positionText("%5.1f%s  /%4.1f%s ", e.umbraFirstLon, e.umbraFirstLat));
        text(surface, 140, 304, e.umbraFirstLon < 0 ? "W" : "E");
        text(surface, 195, 304, e.umbraFirstLat < 0 ? "S" : "N");
    }
    text(surface, 20, 320, "LAST CONTACT");
    if (type != typePartial) {
        text(surface, 30, 336, clockText("Umbra    : %02.0f:%02.0f:%04.1f UT", e, e.umbraLastTime));
        text(surface, 100, 352, positionText("%5.1f%s  /%4.1f%s ", e.umbraLastLon, e.umbraLastLat));
        text(surface, 140, 352, e.umbraLastLon < 0 ? "W" : "E");
        text(surface, 195, 352, e.umbraLastLat < 0 ? "S" : "N");
        text(surface, 30, 368,
             clockText("Penumbra : %02.0f:%02.0f:%04.1f UT", e, e.lastContactTime));
    } else {
        text(surface, 30, 336,
             clockText("Penumbra : %02.0f:%02.0f:%04.1f UT", e, e.lastContactTime));
    }
}

// Greatest eclipse and the contacts of the shadow with the Earth, marked in a colour.
void markContacts(PathTracer& tracer, double deltaT, int colour) {
    EclipseState& e = tracer.state;
    greatestEclipse(tracer, e.curveTime, deltaT, static_cast<int>(e.typeCode), true, colour);
    e.firstContactTime = penumbralContactOnEarth(tracer, e.curveTime, deltaT, -1, colour).time;
    e.lastContactTime = penumbralContactOnEarth(tracer, e.curveTime, deltaT, +1, colour).time;
    if (static_cast<int>(e.typeCode) == typePartial)
        return;
    const EarthContact first = umbralContactOnEarth(tracer, e.curveTime, deltaT, -1, colour);
    const EarthContact last = umbralContactOnEarth(tracer, e.curveTime, deltaT, +1, colour);
    e.umbraFirstTime = first.time;
    e.umbraFirstLon = first.point.lon;
    e.umbraFirstLat = first.point.lat;
    e.umbraLastTime = last.time;
    e.umbraLastLon = last.point.lon;
    e.umbraLastLat = last.point.lat;
}

void drawCityLabels(MapCanvas& c, const CityTable& cities) {
    const ViewState& v = c.view;
    c.surface.setBackgroundOpaque(false);
    const double zoom = v.baseRadius > 0 ? c.projection.mapRadius / v.baseRadius : 1;
    if (v.mapRange == 0 || zoom < 10)
        return;
    for (const City& city : cities.rows)
        drawPlaceLabel(c, city.lon, city.lat, city.name, red);
}

// The curve of equal time at the current instant: a magnitude sweep across the penumbra.
void drawSameTimeCurve(PathTracer& tracer, double deltaT, const CurveColours& colours,
                       PathMapObserver* observer) {
    std::vector<TracedPoint> points;
    for (double m = 0; m <= 0.98; m += sweepStep) {
        const TracedPoint p = magnitudeCurvePoint(tracer, 0, deltaT, m, +1, colours.penumbra);
        if (p.status == 1)
            points.push_back(p);
    }
    const std::size_t firstSide = points.size();
    for (double m = 1; m >= 0; m -= sweepStep) {
        const TracedPoint p =
            magnitudeCurvePoint(tracer, 0, deltaT, m < sweepFloor ? 0 : m, -1, colours.penumbra);
        if (p.status == 1)
            points.push_back(p);
    }
    // Where the curve does not reach the penumbra's edge it ends on the curve of greatest
    // eclipse at sunrise/sunset.
    TracedPoint ends[2][2]; // [side +1, side -1][maxAtRiseSet -1, +1]
    const int sides[2] = {+1, -1};
    for (int i = 0; i < 2; ++i) {
        const TracedPoint edge =
            magnitudeCurvePoint(tracer, 0, deltaT, 0, sides[i], colours.penumbra);
        if (edge.status != 1 && (i == 0 ? firstSide : points.size() - firstSide) > 0) {
            ends[i][0] = maxAtRiseSetPoint(tracer, 0, deltaT, -1, colours.maxRiseSet);
            ends[i][1] = maxAtRiseSetPoint(tracer, 0, deltaT, +1, colours.maxRiseSet);
        }
    }
    if (observer != nullptr)
        observer->sameTimeCurve(points, ends[0][0], ends[0][1], ends[1][0], ends[1][1]);
}

using EdgeTracer = TracedPoint (*)(PathTracer&, double, double, int, int);
using EdgeReport = void (PathMapObserver::*)(int, const TracedPoint&);

// Draws the points of both edges (sign +1 and -1) of one curve at time t and passes those
// that were drawn to the observer.
void traceBothEdges(PathTracer& tracer, double t, double dT, int pen, EdgeTracer trace,
                    PathMapObserver* observer, EdgeReport report) {
    for (const int sign : {+1, -1}) {
        const TracedPoint point = trace(tracer, t, dT, sign, pen);
        if (observer != nullptr && point.status == 1)
            (observer->*report)(sign, point);
    }
}

} // namespace

int curveSteps(double firstContact, double lastContact, double step) {
    if (!(step > 0))
        return -1;
    return clampedInt(std::ceil(std::fmin(lastContact - firstContact, maxContactSpanHours) / step));
}

void drawPathMap(MapCanvas& c, PathMapInputs& in, PathMapObserver* observer) {
    ViewState& v = c.view;
    EclipseState& e = in.eclipse;
    MapProjection& p = c.projection;
    p.plotColour = red;
    e.deltaT = recordDeltaT(in.record) + v.deltaTAdjust;
    e.deltaTHours = e.deltaT / 3600;
    const double dT = e.deltaT;
    const int type = static_cast<int>(e.typeCode);

    PathTracer computing{e};
    const GreatestEclipse g = greatestEclipse(computing, e.curveTime, dT, type, false, black);
    e.curveTime = g.time;
    e.greatestLon = g.point.lon;
    e.greatestLat = g.point.lat;
    e.magnitude = g.ratioOrMagnitude;
    e.centralDuration = g.duration;
    e.pathWidth = g.width;
    e.greatestR = g.gamma;

    if (v.mapRange == 0)
        setMapCentre(p, v, e.greatestLon, e.greatestLat);
    else if (v.mapRange == 1)
        setMapCentre(p, v, 125, 36);
    else if (v.mapRange == 2)
        setMapCentre(p, v, 25, 40);
    else
        setMapCentre(p, v, v.centreLon, v.centreLat);

    PathTracer tracer{e, &c};
    markContacts(tracer, dT, black);
    drawMapBackground(c, in.relief, in.paths);
    drawPanel(c, in);
    p.plotColour = red;
    markContacts(tracer, dT, red);
    if (v.projection == 1)
        drawCityLabels(c, in.cities);

    const CurveColours colours;
    const double step = observer != nullptr ? kmlStepHours : v.drawStepHours;
    if (observer != nullptr)
        observer->start(tracer, dT);
    // A step that is not positive would never reach the last contact: no curves then.
    const int steps = curveSteps(e.firstContactTime, e.lastContactTime, step);
    double previousUt = e.firstContactTime - e.deltaTHours;
    int index = 0;
    for (double t = e.firstContactTime; index <= steps && t < e.lastContactTime;
         t += step, ++index) {
        e.curveTime = t;
        const TracedPoint centre = centralLinePoint(tracer, t, dT, colours.central);
        const bool annularPart = type == typeAnnular || type == typeNonCentralAnnular ||
                                 (type == typeAnnularTotal && e.pathL2 > 0);
        const int umbraColour = annularPart ? red : colours.umbra;
        if (observer != nullptr && centre.status == 1)
            observer->centralPoint(centre);
        for (const int sign : {+1, -1}) {
            const TracedPoint limit = umbralLimitPoint(tracer, t, dT, sign, umbraColour);
            if (observer != nullptr && limit.status == 1)
                observer->umbralLimitPoint(
                    umbralLimitSide(centre.status == 1 ? e.pathL2 : e.l2, sign), limit);
        }
        traceBothEdges(tracer, t, dT, colours.penumbra, penumbralLimitPoint, observer,
                       &PathMapObserver::penumbralLimitPoint);
        if (index % 2 == 0) {
            for (int m = 0; m < 4; ++m) {
                for (const int sign : {+1, -1}) {
                    const TracedPoint point = magnitudeCurvePoint(tracer, t, dT, magnitudeLevels[m],
                                                                  sign, colours.penumbra);
                    if (observer != nullptr && point.status == 1)
                        observer->magnitudePoint(m, sign, point);
                }
            }
        }
        const double ut = t - e.deltaTHours;
        if (std::trunc(2 * ut) - std::trunc(2 * previousUt) == 1 || (previousUt < 0 && ut >= 0))
            drawSameTimeCurve(tracer, dT, colours, observer);
        previousUt = ut;
        traceBothEdges(tracer, t, dT, colours.riseSet, riseSetCurvePoint, observer,
                       &PathMapObserver::riseSetPoint);
        traceBothEdges(tracer, t, dT, colours.maxRiseSet, maxAtRiseSetPoint, observer,
                       &PathMapObserver::maxAtRiseSetPoint);
    }
    // The field of the progress clock, blank in the finished picture. The picture is shown only
    // when complete, so the clock's times along the way are not drawn.
    if (index > 0) {
        c.surface.setBackgroundOpaque(true);
        c.surface.setTextColour(whiteText);
    }
    c.surface.textOut(v.mapRight - 85, 16, "         ");
    if (observer != nullptr)
        observer->finish(tracer, dT);
}

} // namespace vesk
