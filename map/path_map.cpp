// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_map.h"

#include "checked_int.h"
#include "map_legend.h"
#include "palette.h"
#include "place_names_layer.h"
#include "saros.h"
#include "scaled_surface.h"
#include "shadow_layer.h"
#include "text_format.h"
#include "timescales.h"
#include "true_limits_layer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace vesk {

namespace {

constexpr Rgb regionalText{204, 255, 255};
constexpr const char* degreeSign = "゜";
// Palette indices of the curves.
// "hh:mm:ss.s" fields of the UT of t hours from t0.
std::string clockText(const char* pattern, double t0, const PathGeometry& g, double t) {
    const auto [h, m, s] = splitHoursToTenths(t0 + t - g.deltaT / 3600);
    return format(pattern, h, m, s);
}

void text(DrawSurface& surface, int x, int y, const std::string& line) {
    surface.textOut(x, y, line);
}

// " 15.8° W/13.5° S": a place on a line of the panel, in one text.
std::string positionText(double lon, double lat) {
    return format("%5.1f%s %c/%4.1f%s %c", std::fabs(lon), degreeSign, lon < 0 ? 'W' : 'E',
                  std::fabs(lat), degreeSign, lat < 0 ? 'S' : 'N');
}

// The time of an umbral contact with the Earth at line y and its place on the next line.
void umbralContactLines(DrawSurface& surface, int y, double t0, const PathGeometry& g,
                        const TimedPoint& contact) {
    text(surface, 30, y, clockText("Umbra    : %02.0f:%02.0f:%04.1f UT", t0, g, contact.time));
    const TracedPoint& p = contact.point;
    text(surface, 100, y + 16, positionText(p.lon, p.lat));
}

// The panel's date line. Its width holds the year before Christ alone (every date of one is
// Julian).
std::string panelDate(const ViewSettings& v, const EclipseRecord& e) {
    const std::optional<std::string> beforeChrist = yearBeforeChrist(v.year);
    const std::string note =
        beforeChrist ? " (" + *beforeChrist + ")" : calendarNote(v.year, v.month, e.day);
    return format("DATE(UT) : %4.0f %2.0f %2.0f%s", v.year, v.month, e.day, note.c_str());
}

// The panel's lines of greatest eclipse: its time and place (on the whole globe the map's
// centre, in degrees and minutes), ratio, duration and width, or magnitude.
void greatestEclipseLines(DrawSurface& surface, const MapCanvas& c, const EclipseRecord& e,
                          const PathGeometry& g) {
    const int type = static_cast<int>(e.typeCode);
    text(surface, 20, 144, "GREATEST ECLIPSE");
    text(surface, 30, 160,
         clockText("Time     : %02.0f:%02.0f:%04.1f UT", e.t0, g, g.greatest.time));
    if (c.view.mapRange == MapRange::globe) { // the map is centred on it
        const auto degreesMinutes = [](double angle) {
            const double degrees = std::floor(std::fabs(angle));
            return format(" %3.0f%s%4.1f'", degrees, degreeSign, (std::fabs(angle) - degrees) * 60);
        };
        const double lon = mapCentreLon(c.projection), lat = mapCentreLat(c.projection);
        text(surface, 30, 176, "Location :");
        text(surface, 110, 176, degreesMinutes(lon));
        text(surface, 190, 176, lon < 0 ? " W" : " E");
        text(surface, 110, 192, degreesMinutes(lat));
        text(surface, 190, 192, lat < 0 ? " S" : " N");
    } else {
        text(surface, 100, 176, positionText(g.greatest.point.lon, g.greatest.point.lat));
    }
    if (type != typePartial)
        text(surface, 30, 208,
             format("Ratio: %6.4f r:%8.5f", g.greatest.ratioOrMagnitude, g.greatest.gamma));
    if (type != typePartial && type != typeNonCentralTotal && type != typeNonCentralAnnular) {
        const auto [hours, minutes, seconds] = splitHoursToTenths(std::fabs(g.greatest.duration));
        text(surface, 30, 224,
             format("Dura.:%2.0f:%04.1f w: %5.1fkm ", minutes, seconds, g.greatest.width));
    }
    if (type == typePartial)
        text(surface, 30, 224, format("Magnitude: %8.4f", g.greatest.ratioOrMagnitude));
}

// The panel's lines of the first and last contacts of the penumbra and the umbra.
void contactLines(DrawSurface& surface, const EclipseRecord& e, const PathGeometry& g) {
    const bool partial = static_cast<int>(e.typeCode) == typePartial;
    text(surface, 20, 256, "FIRST CONTACT");
    text(surface, 30, 272,
         clockText("Penumbra : %02.0f:%02.0f:%04.1f UT", e.t0, g, g.firstContact.time));
    if (!partial)
        umbralContactLines(surface, 288, e.t0, g, g.umbraFirst);
    text(surface, 20, 320, "LAST CONTACT");
    if (!partial)
        umbralContactLines(surface, 336, e.t0, g, g.umbraLast);
    text(surface, 30, partial ? 336 : 368,
         clockText("Penumbra : %02.0f:%02.0f:%04.1f UT", e.t0, g, g.lastContact.time));
}

void drawPanel(MapCanvas& c, const PathMapInputs& in) {
    const ViewSettings& v = c.view;
    const MapLayout& l = c.layout;
    const EclipseRecord& e = in.record;
    const char* typeName = eclipseTypeName(mapPanelTypeNames, e.typeCode);
    const std::string date = panelDate(v, e);
    if (v.projection == Projection::globe && !showsWholeGlobe(v)) {
        frameRect(c.surface, l.mapLeft, l.mapTop, l.mapRight, l.mapBottom, brown);
        c.surface.setTextColour(regionalText);
        fixedText(c, 30, 32, date);
        fixedText(c, 30, 48, typeName);
        return;
    }
    if (const std::optional<ObservedShadow>& found = in.placeSearchMaximum;
        found && found->magnitude() > v.searchMinMagnitude && found->sunAltitude > -15) {
        fixedText(c, l.mapRight - 90, l.mapBottom - 30, format("Mag. : %5.3f", found->magnitude()));
        fixedText(c, l.mapRight - 90, l.mapBottom - 16, format("Alt. : %5.1f", found->sunAltitude));
    }
    ScaledSurface surface(c.surface, c.layout.panelScale); // grows with the text size
    frameRect(surface, panelMargin, panelMargin, panelWidth, panelBottom, brown);
    surface.setTextColour(palette[white]);
    text(surface, 10, 16, "CANON OF SOLAR ECLIPSE");
    text(surface, 10, 48, date);
    text(surface, 10, 64, typeName);
    text(surface, 10, 96,
         format("JD/Saros : %10.2f/%3.0f/%2d", e.jd, e.saros, sarosMember(v.year, e.saros)));
    text(surface, 10, 112, format("Delta T  : %6.1f sec.", in.geometry.deltaT));
    greatestEclipseLines(surface, c, e, in.geometry);
    contactLines(surface, e, in.geometry);
}

// Greatest eclipse and the contacts of the shadow with the Earth, marked with rings.
void markContacts(MapCanvas& c, const PathGeometry& g, bool partial) {
    const auto ring = [&c](const TracedPoint& p) {
        if (p.found)
            plotRing(c, p.lon, p.lat, markedPointColour, markedPointRadius);
    };
    ring(g.greatest.point);
    ring(g.firstContact.point);
    ring(g.lastContact.point);
    if (partial)
        return;
    ring(g.umbraFirst.point);
    ring(g.umbraLast.point);
}

// The radius of the observer's dot, pixels.
constexpr int observerDotRadius = 4;

// The observer's place: a cyan dot in a black ring, named beside it where there is room.
void markObserver(MapCanvas& c, const MarkedPlace& place) {
    const ViewPixel at = viewPixel(c, place.lon, place.lat);
    if (!at.visible)
        return;
    constexpr int radius = observerDotRadius;
    fillCircle(c.surface, at.x, at.y, radius, cyan);
    frameCircle(c.surface, at.x, at.y, radius, black);
    c.labels.reserve({at.x - radius, at.y - radius, at.x + radius + 1, at.y + radius + 1});
    c.surface.setBackgroundOpaque(false);
    labelBesideDot(c, at.x, at.y, place.name);
}

// The city table's places on a magnified regional globe, but for the observer's (marked already).
void drawCityLabels(MapCanvas& c, const CityTable& cities,
                    const std::optional<MarkedPlace>& observer) {
    const ViewSettings& v = c.view;
    c.surface.setBackgroundOpaque(false);
    if (v.mapRange == MapRange::globe || magnification(c) < 10)
        return;
    // a city under the observer's dot is the observer's place, named already
    const ViewPixel marked = observer ? viewPixel(c, observer->lon, observer->lat) : ViewPixel{};
    for (const City& city : cities.rows) {
        const ViewPixel at = viewPixel(c, city.lon, city.lat);
        if (!marked.visible || std::abs(at.x - marked.x) > observerDotRadius ||
            std::abs(at.y - marked.y) > observerDotRadius)
            drawPlaceLabel(c, city.lon, city.lat, cityName(city, v.englishNames), red);
    }
}

template <typename Point> void strokePieces(MapCanvas& c, const Pieces<Point>& pieces, int colour) {
    for (const std::vector<Point>& piece : pieces)
        strokeCurve(c, piece, colour);
}

// The curves of equal time: each sweep joined, with the points of greatest eclipse at
// sunrise/sunset that may close it.
void drawSameTimeCurves(MapCanvas& c, const PathGeometry& g, const CurveColours& colours) {
    for (const SameTimeCurve& curve : g.sameTimeCurves) {
        strokeCurve(c, curve.points, colours.penumbra);
        for (const auto& side : curve.ends)
            for (const TracedPoint& end : side)
                if (end.found)
                    plotDot(c, end.lon, end.lat, colours.maxRiseSet);
    }
}

// The umbral limits, red where the path is annular.
void drawUmbralLimits(MapCanvas& c, const PathGeometry& g, int type, const CurveColours& colours) {
    const bool annularType = type == typeAnnular || type == typeNonCentralAnnular;
    for (const Pieces<UmbralLimitPoint>& limit : g.umbralLimits)
        for (const std::vector<UmbralLimitPoint>& piece : limit)
            strokeCurveColoured(c, piece, [&](const UmbralLimitPoint& p) {
                const bool annular = annularType || (type == typeAnnularTotal && p.umbralL2 > 0);
                return annular ? colours.annularUmbra : colours.umbra;
            });
}

void drawCurves(MapCanvas& c, const PathGeometry& g, int type) {
    const CurveColours colours;
    strokePieces(c, g.centralLine, colours.central);
    drawUmbralLimits(c, g, type, colours);
    for (const auto& limit : g.penumbralLimits)
        strokePieces(c, limit, colours.penumbra);
    for (const auto& level : g.magnitudeCurves)
        for (const auto& curve : level)
            strokePieces(c, curve, colours.penumbra);
    drawSameTimeCurves(c, g, colours);
    for (const auto& curve : g.riseSetCurves)
        strokePieces(c, curve, colours.riseSet);
    for (const auto& curve : g.maxAtRiseSetCurves)
        strokePieces(c, curve, colours.maxRiseSet);
}

} // namespace

void drawPathMap(MapCanvas& c, const PathMapInputs& in) {
    const ViewSettings& v = c.view;
    const PathGeometry& g = in.geometry;
    MapProjection& p = c.projection;
    c.pen.colour = red;
    if (v.mapRange == MapRange::globe)
        setMapCentre(p, c.layout, g.greatest.point.lon, g.greatest.point.lat);
    else if (v.mapRange == MapRange::asia)
        setMapCentre(p, c.layout, 125, 36);
    else if (v.mapRange == MapRange::europe)
        setMapCentre(p, c.layout, 25, 40);
    else
        setMapCentre(p, c.layout, v.centreLon, v.centreLat);

    const int type = static_cast<int>(in.record.typeCode);
    drawMapBackground(c, in.relief, in.paths);
    if (v.fillCentralPath)
        fillCentralPath(c, g, palette[type == typeAnnular ? red : rose]);
    if (in.band != nullptr)
        drawDeltaTBand(c, *in.band);
    if (in.correctedLimits != nullptr)
        shadeGrazeZones(c, *in.correctedLimits);
    drawPanel(c, in);
    c.pen.colour = red;
    markContacts(c, g, type == typePartial);
    const bool legend = legendShown(v);
    const std::vector<LegendEntry> entries =
        legend ? legendEntries(type, in.band ? in.band->sigmas : 0, in.durations != nullptr,
                               in.correctedLimits != nullptr
                                   ? std::optional(in.correctedLimits->heights)
                                   : std::nullopt,
                               v.solarRadiusArcsec)
               : std::vector<LegendEntry>{};
    if (legend) // names and labels keep off the legend's box
        c.labels.reserve(legendBox(c, entries));
    if (v.shadowAt) // and off the shadow's caption, drawn last
        c.labels.reserve(shadowCaptionBox(c));
    if (in.observer)
        markObserver(c, *in.observer);
    if (v.projection == Projection::globe)
        drawCityLabels(c, in.cities, in.observer);
    drawPlaceNames(c, in.gazetteer);
    drawCurves(c, g, type);
    if (in.correctedLimits != nullptr)
        strokeInteriorLimits(c, *in.correctedLimits);
    if (in.durations != nullptr)
        drawDurationCurves(c, *in.durations);
    if (in.band != nullptr)
        labelDeltaTBand(c, *in.band, g);
    if (legend) {
        labelCurves(c, g, in.record.t0);
        drawLegend(c, entries);
    }
    if (v.shadowAt)
        drawShadowAt(c, in.record, shadowHours(in.record, *v.shadowAt, g.deltaT), g.deltaT);
}

} // namespace vesk
