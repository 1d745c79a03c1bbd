// SPDX-License-Identifier: GPL-3.0-or-later
#include "kml.h"

#include "palette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>

namespace vesk {

namespace {

constexpr const char* closing = "</coordinates>\n</LineString>\n</Placemark>\n";
constexpr const char* orangeStyle = "<styleUrl>#orangeLinePoly</styleUrl>";
constexpr const char* yellowStyle = "<styleUrl>#yellowLinePoly</styleUrl>";
constexpr const char* yellow3Style = "<styleUrl>#yellowLinePoly3</styleUrl>";
constexpr const char* greenStyle = "<styleUrl>#greenLinePoly</styleUrl>";
constexpr const char* aquaStyle = "<styleUrl>#aquaLinePoly</styleUrl>";
constexpr const char* riseSetName = "SunRiseSet Line";
constexpr const char* maxRiseSetName = "SunRiseSet Max Line";
// Distances between points, in degrees of the (longitude, latitude) plane.
constexpr double maxLineJump = 20;  // a curve of greatest eclipse at the limb breaks here
constexpr double riseSetBreak = 20; // with a latitude step of more than riseSetLatStep
constexpr double riseSetLatStep = 1.5;
constexpr double riseSetFarBreak = 100; // a sunrise/sunset curve breaks here whatever
constexpr std::size_t riseSetSegmentPoints = 600;
constexpr double riseSetJoin = 25, riseSetPolarLat = 75, riseSetPolarLatStep = 7.5;
constexpr double breakJoin = 15;
constexpr double sameTimeLatLimit = 15;

double distance(const TracedPoint& a, const TracedPoint& b) {
    double dlon = a.lon - b.lon;
    if (dlon > 300)
        dlon -= 360;
    if (dlon < -300)
        dlon += 360;
    return std::hypot(dlon, a.lat - b.lat);
}

bool valid(const TracedPoint& p) {
    return p.found;
}

std::string pointLine(double lon, double lat, const char* altitude) {
    char text[64];
    std::snprintf(text, sizeof text, " %012.6f,%012.6f,%s\n", lon, lat, altitude);
    return text;
}

bool readFile(const std::filesystem::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (path.empty() || !in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return true;
}

} // namespace

DateLineCrossing dateLineCrossing(double lon0, double lat0, double lon1, double lat1) {
    const double edge = lon0 >= 0 ? 180 : -180;
    const double unwrapped = lon1 + (lon0 >= 0 ? 360 : -360);
    const double f = (edge - lon0) / (unwrapped - lon0);
    return {edge, lat0 + f * (lat1 - lat0)};
}

std::vector<std::vector<KmlPoint>> splitRingAtDateLine(const std::vector<KmlPoint>& ring) {
    const std::size_t n = ring.size();
    const auto crosses = [](const KmlPoint& a, const KmlPoint& b) {
        return std::fabs(b.lon - a.lon) > 180;
    };
    std::size_t first = n;
    for (std::size_t i = 0; i < n && first == n; ++i)
        if (crosses(ring[i], ring[(i + 1) % n]))
            first = i;
    if (first == n) {
        std::vector<KmlPoint> closed = ring;
        if (!n || closed.front().lon != closed.back().lon ||
            closed.front().lat != closed.back().lat)
            closed.push_back(ring.front());
        return {closed};
    }
    // Walk the ring from just after a crossing: each side's points come in runs that end on the
    // meridian, where the crossing point is interpolated (linearly in longitude across it).
    std::vector<KmlPoint> east, west;
    for (std::size_t step = 1; step <= n; ++step) {
        const KmlPoint& a = ring[(first + step) % n];
        const KmlPoint& b = ring[(first + step + 1) % n];
        const bool aEast = a.lon >= 0;
        (aEast ? east : west).push_back(a);
        if (!crosses(a, b))
            continue;
        const auto [edge, lat] = dateLineCrossing(a.lon, a.lat, b.lon, b.lat);
        (aEast ? east : west).push_back({edge, lat, a.altitude});
        (aEast ? west : east).push_back({-edge, lat, a.altitude});
    }
    // The walk began with the point after the first crossing, whose far-side crossing point
    // was added last: rotate it to the front of its side.
    std::vector<KmlPoint>& startSide = ring[(first + 1) % n].lon >= 0 ? east : west;
    std::rotate(startSide.rbegin(), startSide.rbegin() + 1, startSide.rend());
    for (std::vector<KmlPoint>* side : {&east, &west})
        if (!side->empty())
            side->push_back(side->front());
    return {east, west};
}

std::string exportFileStem(int year, int month) {
    char stem[32];
    if (year >= 1)
        std::snprintf(stem, sizeof stem, "%d%02d", year, month);
    else
        std::snprintf(stem, sizeof stem, "%04dBC-%02d", 1 - year, month);
    return stem;
}

namespace {

// The placemark fragments of the two documents, filled from the path geometry.
class KmlBuilder {
  public:
    KmlBuilder(const EclipseRecord& record, const PathGeometry& geometry, const KmlBand& extras)
        : record(record), geometry(geometry), band(extras.band), bandName(extras.name),
          correctedLimits(extras.correctedLimits) {}
    void build();
    // The bodies of the earth and the path document, between the header and the end.
    std::string earthBody() const;
    std::string pathBody() const;

  private:
    struct BreakPoint {
        TracedPoint point;
        int tag;
    };
    enum Fragment {
        north,
        center,
        south,
        partialSouth,
        partialNorth,                        // 11.prn and 12.prn follow south
        magnitude20South,                    // 13.prn; the magnitude curves run to 20.prn
        riseSetJoins = magnitude20South + 8, // 21.prn
        riseSetLines,                        // 22.prn
        maxRiseSetPlus,                      // 23.prn
        maxRiseSetMinus,                     // 24.prn
        sameTime,                            // 25.prn
        fragmentCount
    };

    void start();
    void head(int fragment, const char* name);
    void point(int fragment, const TracedPoint& p, const char* altitude = "0.0");
    void close(int fragment);
    void twoPointLine(int fragment, const char* name, const TracedPoint& a, const TracedPoint& b);
    void limbPoints(const LimbEnds& ends, int side);
    void curvePoints();
    void maxAtRiseSetPoint(int sign, const TracedPoint& p);
    void sameTimeCurve(const SameTimeCurve& curve);
    void writeRiseSetLines();
    void writeBreakJoins();
    void finish();
    // The placemarks of a polygon, cut at the 180th meridian ("(East)", "(West)").
    std::string polygonPlacemarks(const std::vector<KmlPoint>& ring, const std::string& name) const;
    // The central path's polygon, and the band's when there is one.
    std::string shadowPolygon() const;
    // The limits corrected for the lunar limb, one line a side, limit and piece.
    std::string correctedLimitLines() const;
    std::string description() const;

    const EclipseRecord& record;
    const PathGeometry& geometry;
    const DeltaTBand* band;
    std::string bandName;
    const CorrectedLimits* correctedLimits;
    std::vector<std::string> fragments = std::vector<std::string>(fragmentCount);
    // Where each fragment's open placemark begins, and how many points it has.
    std::vector<std::size_t> openAt = std::vector<std::size_t>(fragmentCount);
    std::vector<int> openPoints = std::vector<int>(fragmentCount);
    // The points written to the northern and southern limits: the shadow polygon's ring.
    std::vector<KmlPoint> limitPoints[2];
    std::vector<TracedPoint> riseSet[2]; // sides +1, -1
    std::vector<TracedPoint> limbEnds;   // penumbral limits at the limb
    std::vector<BreakPoint> breakPoints; // of the curves of greatest eclipse at the limb
    TracedPoint lastMax[2];              // last point written to 23.prn / 24.prn
    int nextTag[2] = {11, 21};
};

TracedPoint traced(const PathPoint& p) {
    return {p.lon, p.lat, 0, true};
}

bool centralType(int type) {
    return type == typeTotal || type == typeAnnular || type == typeAnnularTotal;
}

std::string KmlBuilder::description() const {
    char text[160];
    std::snprintf(text, sizeof text, "%6d/%02d/%02d %s", static_cast<int>(record.year),
                  static_cast<int>(record.month), static_cast<int>(record.day),
                  eclipseTypeName(mapPanelTypeNames, record.typeCode));
    return text;
}

void KmlBuilder::head(int f, const char* name) {
    const int type = static_cast<int>(record.typeCode);
    std::string style;
    bool clamp = true;
    if (f == center)
        style = type == typeTotal || type == typeAnnularTotal
                    ? "  <styleUrl>#redLinePoly</styleUrl>"
                    : std::string("  ") + orangeStyle;
    else if (f == north || f == south)
        style = orangeStyle;
    else if (f == partialSouth || f == partialNorth)
        style = yellow3Style;
    else if (f < riseSetJoins)
        style = yellowStyle;
    else {
        style = f == riseSetJoins || f == riseSetLines ? greenStyle : aquaStyle;
        clamp = false;
    }
    openAt[f] = fragments[f].size();
    openPoints[f] = 0;
    fragments[f] += "\n<Placemark>\n<name>" + std::string(name) + "</name>\n<description>" +
                    description() + "</description>\n" + style +
                    "\n<LineString>\n<extrude>1</extrude>\n<tessellate>1</tessellate>\n" +
                    (clamp ? "<altitudeMode>clampToGround</altitudeMode>\n" : "") +
                    "<coordinates>\n";
}

void KmlBuilder::point(int f, const TracedPoint& p, const char* altitude) {
    if (!valid(p))
        return;
    fragments[f] += pointLine(p.lon, p.lat, altitude);
    ++openPoints[f];
    // The shadow polygon's ring takes the limits' points as the documents give them.
    const auto written = [](double value) { return std::round(value * 1e6) / 1e6; };
    if (f == north || f == south)
        limitPoints[f == north ? 0 : 1].push_back({written(p.lon), written(p.lat), 0});
}

void KmlBuilder::close(int f) {
    // A line needs two points at least: a placemark with fewer is left out.
    if (openPoints[f] < 2) {
        fragments[f].erase(openAt[f]);
        if (f == north || f == south)
            limitPoints[f == north ? 0 : 1].clear();
    } else {
        fragments[f] += closing;
    }
    openPoints[f] = 0;
}

void KmlBuilder::twoPointLine(int f, const char* name, const TracedPoint& a, const TracedPoint& b) {
    head(f, name);
    point(f, a);
    point(f, b);
    close(f);
}

void KmlBuilder::limbPoints(const LimbEnds& ends, int side) {
    const int type = static_cast<int>(record.typeCode);
    const bool central = centralType(type);
    const bool umbra = central || type == typeNonCentralTotal || type == typeNonCentralAnnular;
    // Where the path begins (side +1) the limits start at the central line's end; where it ends
    // (side -1) they end there too.
    if (central) {
        point(center, ends.central);
        if (side > 0) {
            point(north, ends.central);
            point(south, ends.central);
        }
    }
    for (int i = 0; umbra && i < 2; ++i) {
        const TimedPoint& limit = ends.umbral[i];
        const double l2 = evaluateElements(record, limit.time).l2;
        point(umbralLimitSide(l2, i == 0 ? +1 : -1) > 0 ? north : south, limit.point);
    }
    if (central && side < 0) {
        point(north, ends.central);
        point(south, ends.central);
    }
    for (int i = 0; i < 2; ++i) {
        point(i == 0 ? partialSouth : partialNorth, ends.penumbral[i]);
        if (valid(ends.penumbral[i]))
            limbEnds.push_back(ends.penumbral[i]);
    }
    for (std::size_t m = 0; m < magnitudeLevels.size(); ++m)
        for (int i = 0; i < 2; ++i)
            point(magnitude20South + 2 * static_cast<int>(m) + i, ends.magnitudes[m][i]);
}

void KmlBuilder::start() {
    char title[64];
    std::snprintf(title, sizeof title, "<name>Eclipse %6d/%02d/%02d</name>\n",
                  static_cast<int>(record.year), static_cast<int>(record.month),
                  static_cast<int>(record.day));
    fragments[north] = std::string(title) + "<description>" + description() + "</description>\n";
    const char* names[] = {"North Limit Line",
                           "Central Line",
                           "South Limit Line",
                           "South Partial Limit Line",
                           "North Partial Limit Line",
                           "South 20pct. Partial Limit Line",
                           "North 20pct. Partial Limit Line",
                           "South 40pct. Partial Limit Line",
                           "North 40pct. Partial Limit Line",
                           "South 60pct. Partial Limit Line",
                           "North 60pct. Partial Limit Line",
                           "South 80pct. Partial Limit Line",
                           "North 80pct. Partial Limit Line"};
    for (int f = north; f < riseSetJoins; ++f)
        head(f, names[f]);
    head(maxRiseSetPlus, maxRiseSetName);
    head(maxRiseSetMinus, maxRiseSetName);
    head(sameTime, "Curve at same time Line");
    limbPoints(geometry.limbEnds[0], +1);
}

// The points of the curves in the order of their instants.
void KmlBuilder::curvePoints() {
    const auto each = [](const auto& pieces, auto write) {
        for (const auto& piece : pieces)
            for (const auto& p : piece)
                write(p);
    };
    each(geometry.centralLine, [&](const PathPoint& p) { point(center, traced(p)); });
    each(geometry.umbralLimits[0], [&](const PathPoint& p) { point(north, traced(p)); });
    each(geometry.umbralLimits[1], [&](const PathPoint& p) { point(south, traced(p)); });
    for (int i = 0; i < 2; ++i) {
        each(geometry.penumbralLimits[i],
             [&](const PathPoint& p) { point(i == 0 ? partialSouth : partialNorth, traced(p)); });
        for (std::size_t m = 0; m < magnitudeLevels.size(); ++m)
            each(geometry.magnitudeCurves[m][i], [&](const PathPoint& p) {
                point(magnitude20South + 2 * static_cast<int>(m) + i, traced(p));
            });
        each(geometry.riseSetCurves[i],
             [&](const PathPoint& p) { riseSet[i].push_back(traced(p)); });
    }
    // The curves of greatest eclipse at sunrise/sunset: both signs merged by instant, as their
    // break points are numbered in that order.
    std::vector<std::pair<PathPoint, int>> maxima;
    for (int i = 0; i < 2; ++i)
        each(geometry.maxAtRiseSetCurves[i], [&](const PathPoint& p) { maxima.push_back({p, i}); });
    std::stable_sort(maxima.begin(), maxima.end(), [](const auto& a, const auto& b) {
        return a.first.t < b.first.t || (a.first.t == b.first.t && a.second < b.second);
    });
    for (const auto& [p, i] : maxima)
        maxAtRiseSetPoint(i == 0 ? +1 : -1, traced(p));
    for (const SameTimeCurve& curve : geometry.sameTimeCurves)
        sameTimeCurve(curve);
}

void KmlBuilder::maxAtRiseSetPoint(int sign, const TracedPoint& p) {
    const int side = sign > 0 ? 0 : 1;
    const int f = sign > 0 ? maxRiseSetPlus : maxRiseSetMinus;
    if (!valid(lastMax[side])) {
        breakPoints.push_back({p, nextTag[side]});
    } else if (distance(p, lastMax[side]) > maxLineJump) {
        close(f);
        head(f, maxRiseSetName);
        breakPoints.push_back({lastMax[side], nextTag[side]++});
        breakPoints.push_back({p, nextTag[side]});
    }
    point(f, p);
    lastMax[side] = p;
}

void KmlBuilder::sameTimeCurve(const SameTimeCurve& curve) {
    const std::vector<TracedPoint>& points = curve.points;
    // The end of the curve on the curve of greatest eclipse at sunrise/sunset: the side -1
    // point when it is the nearer, else the side +1 point, each only near the curve's end.
    const auto chooseEnd = [](const TracedPoint& reference, const TracedPoint& minus,
                              const TracedPoint& plus) -> TracedPoint {
        const auto near = [&](const TracedPoint& p) {
            return valid(p) && std::fabs(p.lat - reference.lat) < sameTimeLatLimit &&
                   std::fabs(p.lat) < 90;
        };
        const double infinity = std::numeric_limits<double>::infinity();
        const double dMinus = valid(minus) ? distance(minus, reference) : infinity;
        const double dPlus = valid(plus) ? distance(plus, reference) : infinity;
        if (near(minus) && dMinus < dPlus)
            return minus;
        if (near(plus))
            return plus;
        return {};
    };
    if (!points.empty())
        point(sameTime, chooseEnd(points.front(), curve.ends[0][0], curve.ends[0][1]));
    for (const TracedPoint& p : points)
        point(sameTime, p, "3.0");
    if (!points.empty())
        point(sameTime, chooseEnd(points.back(), curve.ends[1][0], curve.ends[1][1]));
    close(sameTime);
    head(sameTime, "Curve of same time Line");
}

void KmlBuilder::writeRiseSetLines() {
    struct End {
        TracedPoint point;
        bool start;
        int segment;
    };
    std::vector<End> ends;
    int segmentCount = 0;
    for (const std::vector<TracedPoint>& list : riseSet) {
        std::vector<TracedPoint> segment;
        const auto flush = [&] {
            if (segment.size() > 1) {
                head(riseSetLines, riseSetName);
                for (const TracedPoint& p : segment)
                    point(riseSetLines, p);
                close(riseSetLines);
                ends.push_back({segment.front(), true, segmentCount});
                ends.push_back({segment.back(), false, segmentCount});
                ++segmentCount;
            }
            segment.clear();
        };
        for (std::size_t i = 0; i < list.size(); ++i) {
            segment.push_back(list[i]);
            const bool last = i + 1 == list.size();
            const double gap = last ? 0 : distance(list[i], list[i + 1]);
            const bool breaks = (gap > riseSetBreak && !last &&
                                 std::fabs(list[i].lat - list[i + 1].lat) > riseSetLatStep) ||
                                gap > riseSetFarBreak;
            if (last || breaks || segment.size() == riseSetSegmentPoints)
                flush();
        }
    }
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const End* nearest = nullptr;
        double best = std::numeric_limits<double>::infinity();
        for (std::size_t j = i + 1; j < ends.size(); ++j) {
            if (ends[j].start != ends[i].start || ends[j].segment == ends[i].segment)
                continue;
            const double d = distance(ends[i].point, ends[j].point);
            if (d < best) {
                best = d;
                nearest = &ends[j];
            }
        }
        if (nearest == nullptr)
            continue;
        const double meanLat = (std::fabs(ends[i].point.lat) + std::fabs(nearest->point.lat)) / 2;
        if (best < riseSetJoin ||
            (std::fabs(ends[i].point.lat - nearest->point.lat) < riseSetPolarLatStep &&
             meanLat > riseSetPolarLat))
            twoPointLine(riseSetJoins, riseSetName, ends[i].point, nearest->point);
    }
}

void KmlBuilder::writeBreakJoins() {
    const auto nearestBreak = [&](const TracedPoint& p, int excludedTag, double& best) {
        const BreakPoint* nearest = nullptr;
        best = std::numeric_limits<double>::infinity();
        for (const BreakPoint& b : breakPoints) {
            if (b.tag == excludedTag)
                continue;
            const double d = distance(p, b.point);
            if (d < best) {
                best = d;
                nearest = &b;
            }
        }
        return nearest;
    };
    // Two break points that are each other's nearest are joined by one line, not two.
    std::set<std::pair<const BreakPoint*, const BreakPoint*>> joined;
    double best = 0;
    for (const BreakPoint& b : breakPoints) {
        const BreakPoint* other = nearestBreak(b.point, b.tag, best);
        if (other == nullptr || best >= breakJoin || !joined.insert(std::minmax(&b, other)).second)
            continue;
        twoPointLine(maxRiseSetMinus, maxRiseSetName, b.point, other->point);
    }
    for (const TracedPoint& end : limbEnds) {
        const BreakPoint* other = nearestBreak(end, 0, best);
        if (other != nullptr && best < breakJoin)
            twoPointLine(maxRiseSetMinus, maxRiseSetName, end, other->point);
    }
}

void KmlBuilder::finish() {
    limbPoints(geometry.limbEnds[1], -1);
    for (int f = north; f < riseSetJoins; ++f)
        close(f);
    writeRiseSetLines();
    close(maxRiseSetPlus);
    close(maxRiseSetMinus);
    close(sameTime);
    writeBreakJoins();
}

void KmlBuilder::build() {
    start();
    curvePoints();
    finish();
}

std::string KmlBuilder::polygonPlacemarks(const std::vector<KmlPoint>& ring,
                                          const std::string& name) const {
    const auto text = [](const std::vector<KmlPoint>& points) {
        std::string lines;
        for (const KmlPoint& p : points) {
            char line[80];
            std::snprintf(line, sizeof line, " %012.6f,%012.6f,%3.1f\n", p.lon, p.lat, p.altitude);
            lines += line;
        }
        return lines;
    };
    const auto placemark = [&](const std::string& title, const std::vector<KmlPoint>& points) {
        return "\n<Placemark>\n<name>" + title + "</name>\n<description>" + description() +
               "</description>\n<styleUrl>#ShadeStyle</styleUrl><Polygon>\n<outerBoundaryIs>\n"
               "<LinearRing>\n<coordinates>\n" +
               text(points) +
               "</coordinates>\n</LinearRing>\n</outerBoundaryIs>\n</Polygon>\n"
               "</Placemark>\n";
    };
    if (ring.size() < 3)
        return "";
    const std::vector<std::vector<KmlPoint>> pieces = splitRingAtDateLine(ring);
    if (pieces.size() == 1)
        return placemark(name, pieces[0]);
    return placemark(name + "(East)", pieces[0]) + placemark(name + "(West)", pieces[1]);
}

std::string KmlBuilder::shadowPolygon() const {
    // The ring runs along the northern limit and back along the southern one.
    std::vector<KmlPoint> ring = limitPoints[0];
    ring.insert(ring.end(), limitPoints[1].rbegin(), limitPoints[1].rend());
    std::string polygons = polygonPlacemarks(ring, "Total Eclipse Shadow");
    if (band == nullptr)
        return polygons;
    for (const auto& outline : bandOutlines(*band)) {
        std::vector<KmlPoint> points;
        for (const auto& [lon, lat] : outline)
            points.push_back({lon, lat, 0});
        polygons += polygonPlacemarks(points, bandName);
    }
    return polygons;
}

std::string KmlBuilder::pathBody() const {
    const bool central = centralType(static_cast<int>(record.typeCode));
    return fragments[north] + fragments[center] + fragments[south] +
           (central ? shadowPolygon() + correctedLimitLines() : "");
}

std::string KmlBuilder::correctedLimitLines() const {
    if (correctedLimits == nullptr)
        return "";
    std::string lines;
    for (std::size_t side = 0; side < 2; ++side)
        for (const auto& [kind, pieces] : {std::pair{"interior", &correctedLimits->interior[side]},
                                           std::pair{"exterior", &correctedLimits->exterior[side]}})
            for (const auto& piece : *pieces) {
                if (piece.size() < 2)
                    continue;
                lines += "\n<Placemark>\n<name>" + std::string(side == 0 ? "North" : "South") +
                         " limit, limb-corrected (" + kind + ")</name>\n<description>" +
                         description() + " Lunar limb: LRO LOLA (LRO.dat); solar radius " +
                         std::to_string(std::lround(correctedLimits->sunRadiusKm)) +
                         (correctedLimits->heights == GroundHeightSource::reliefGrid
                              ? " km; for observers on the ground (relief grid)."
                              : " km; for observers at sea level.") +
                         "</description>\n" + aquaStyle +
                         "\n<LineString>\n<tessellate>1</tessellate>\n"
                         "<altitudeMode>clampToGround</altitudeMode>\n<coordinates>\n";
                for (const PathPoint& p : piece)
                    lines += pointLine(p.lon, p.lat, "0.0");
                lines += closing;
            }
    return lines;
}

std::string KmlBuilder::earthBody() const {
    std::string earth = fragments[north] + fragments[center] + fragments[south];
    for (int f = partialSouth; f < fragmentCount; ++f)
        earth += fragments[f];
    const bool central = centralType(static_cast<int>(record.typeCode));
    return earth + (central ? shadowPolygon() + correctedLimitLines() : "");
}

} // namespace

ExportOutcome writeKmlDocuments(const EclipseRecord& record, const PathGeometry& geometry,
                                const DataPaths& paths, const std::filesystem::path& outDir,
                                FileSink& sink, const KmlBand& band) {
    ExportOutcome outcome;
    std::string header;
    if (!readFile(findDataFile(paths, "echead.prn"), header)) {
        outcome.failure = "cannot read echead.prn: no KML written";
        return outcome;
    }
    KmlBuilder builder(record, geometry, band);
    builder.build();
    const std::string code =
        exportFileStem(static_cast<int>(record.year), static_cast<int>(record.month));
    const std::filesystem::path earth = outDir / (code + "_earth.kml"),
                                path = outDir / (code + ".kml");
    const std::string ending = "\n</Document>\n</kml>\n";
    if (static_cast<int>(record.typeCode) == typePartial) {
        outcome.failure = sink.writeTogether({{earth, header + builder.earthBody() + ending}});
        std::error_code ignored;
        if (outcome.failure.empty())
            std::filesystem::remove(path, ignored);
    } else {
        outcome.failure = sink.writeTogether({{earth, header + builder.earthBody() + ending},
                                              {path, header + builder.pathBody() + ending}});
    }
    if (outcome.failure.empty())
        outcome.documents = {earth};
    if (outcome.failure.empty() && static_cast<int>(record.typeCode) != typePartial)
        outcome.documents.push_back(path);
    return outcome;
}

} // namespace vesk
