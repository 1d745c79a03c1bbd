// SPDX-License-Identifier: GPL-3.0-or-later
// The globe (orthographic, centred on a chosen point) and the Mercator map: longitude and
// latitude to view pixels, the map plotter that joins successive points into lines with its
// far-side and frame tests, the inverse mapping of a pixel on the globe, the globe outline and
// the latitude/longitude grid.
#pragma once

#include <optional>
#include <utility>

#include "draw_surface.h"
#include "label_placement.h"
#include "map_layout.h"
#include "palette.h"

#include <stop_token>
#include <vector>

namespace vesk {

// The plotter's pen in one drawing of the map: whether the next point is joined to the last one,
// where that one went, and the line's colour.
struct MapPen {
    bool down = false;
    double lastX = 0, lastY = 0;   // the last point, to fractions of a view pixel
    int colour = 0;                // palette index of the line being drawn
    bool drawingParallels = false; // while the Mercator parallels are drawn
};

// What the map drawing works on: the surface, the projection, the view's settings and the map's
// place in the view, and the pen of this drawing.
struct MapCanvas {
    DrawSurface& surface;
    MapProjection& projection;
    const ViewSettings& view;
    const MapLayout& layout;
    LabelPlacer labels{};      // the labels of this drawing of the map
    std::stop_token stop{};    // asked when a newer picture is wanted: the drawing may end early
    bool coarseRelief = false; // the globe's relief at a quarter of the pixels (while dragging)
    MapPen pen{};
};

// The map's radius in radii of the whole globe's map (1 on the globe, 2.7 on the Asia map).
double magnification(const MapCanvas& canvas);

// Near-side limits of the globe's depth: curves and data, and grid lines (which reach the rim).
constexpr int nearSideDepth = 12;
constexpr int gridNearSideDepth = 14;
// The depth of every Mercator point (always visible).
constexpr int mercatorDepth = 11;

// Centres the map on (lon, lat), degrees east and north, for the layout's projection and radius.
void setMapCentre(MapProjection& projection, const MapLayout& layout, double lon, double lat);

// The longitude of the map centre from its degree/minute form (east positive).
double mapCentreLon(const MapProjection& projection);
// The latitude of the map's centre, degrees north.
double mapCentreLat(const MapProjection& projection);

struct GeoPoint {
    double lon = 0, lat = 0; // degrees east, north
};

// The centre of an orthographic globe from which the point (lon, lat) is seen at the offset
// (east, north) from the centre, in radii of the globe; of the two such centres, the one nearer
// to near. Nothing where no centre sees the point there (an offset of 1 or more, or more east or
// west than the point's parallel reaches). From the orthographic projection (J. P. Snyder, Map
// Projections: A Working Manual, 1987, eq. 20-3 and 20-4) solved for the centre: the east offset
// gives the longitude difference, and the north and depth offsets are the point's turned by the
// centre's latitude.
std::optional<GeoPoint> orthographicCentreSeeing(GeoPoint point, double east, double north,
                                                 GeoPoint near);

// Map offsets from the centre in pixels (y up), truncated, and the depth (negative: near side).
void projectGlobe(const MapProjection& projection, double lon, double lat, int& x, int& y,
                  int& depth);
void projectMercator(const MapProjection& projection, double lon, double lat, int& x, int& y,
                     int& depth);
// The Mercator map's offsets from the centre to fractions of a pixel (y up).
void projectMercatorExact(const MapProjection& projection, double lon, double lat, double& x,
                          double& y);

// Plots a map offset: joined to the previous point while the pen is down, a single pixel
// otherwise; points outside the frame (or not finite) only lift the pen.
void plotMapPoint(MapCanvas& canvas, double x, double y, int colour);

// A dot, or a ring of radius r, at a longitude and latitude.
void plotDot(MapCanvas& canvas, double lon, double lat, int colour);
void plotRing(MapCanvas& canvas, double lon, double lat, int colour, int r);

// Where a longitude and latitude fall in the view, and whether they are drawn there (on the
// globe's near side, inside the map frame).
struct ViewPixel {
    int x = 0, y = 0;
    bool visible = false;
    double exactX = 0, exactY = 0; // the point to fractions of a pixel (x, y: its pixel)
    bool nearSide = false;         // on the map's side of the globe, in the frame or not
};
ViewPixel viewPixel(const MapCanvas& canvas, double lon, double lat);

// How the map drawn turns the globe into view pixels and back: the projection's kind, its
// rotation and scale (centre and radius), the map's place in the view and its range. The picture
// on the screen keeps the one it was drawn with; hit tests and the pointer's read-out use it.
struct Projector {
    Projection kind = Projection::globe;
    MapProjection projection;
    MapLayout layout;
    MapRange range = MapRange::globe;
    // The view pixel of a longitude and latitude (not visible on the globe's far side).
    ViewPixel toView(double lon, double lat) const;
    // Whether a view pixel lies on the map: within the globe's disc (and the regional map's
    // square), or within the Mercator map's frame.
    bool contains(int x, int y) const;
    // The longitude (-180 to 180) and latitude under a view pixel of the map; none off it.
    std::optional<GeoPoint> toGeo(int x, int y) const;
};

// Whether two consecutive visible points of a curve are joined by a line: not across the
// Mercator map's edges.
bool joinsOnMap(const MapCanvas& canvas, const ViewPixel& a, const ViewPixel& b);

// Strokes a curve (points with lon and lat): consecutive visible points joined, a single visible
// point as a dot; colourOf(point) gives the palette index of the line that ends at a point.
template <typename Point, typename ColourOf>
void strokeCurveColoured(MapCanvas& canvas, const std::vector<Point>& points, ColourOf colourOf) {
    ViewPixel previous;
    const bool betweenPixels = canvas.surface.drawsBetweenPixels();
    for (const Point& point : points) {
        const ViewPixel here = viewPixel(canvas, point.lon, point.lat);
        const bool joined = here.visible && previous.visible && joinsOnMap(canvas, previous, here);
        if (joined && betweenPixels)
            drawLineBetween(canvas.surface, previous.exactX, previous.exactY, here.exactX,
                            here.exactY, colourOf(point));
        else if (joined)
            drawLine(canvas.surface, previous.x, previous.y, here.x, here.y, colourOf(point));
        else if (here.visible)
            plotPixel(canvas.surface, here.x, here.y, colourOf(point));
        previous = here;
    }
}

template <typename Point>
void strokeCurve(MapCanvas& canvas, const std::vector<Point>& points, int colour) {
    strokeCurveColoured(canvas, points, [colour](const Point&) { return colour; });
}

// The longitude and latitude of a pixel on the globe; none off the globe or where the inversion
// finds no point on the near side. The longitude may lie outside +-180.
std::optional<std::pair<double, double>> pixelToLonLat(const MapProjection& projection,
                                                       const MapLayout& layout, int px, int py);

// The longitude (-180..180) and latitude of a pixel of the Mercator map.
std::pair<double, double> mercatorLonLat(const MapCanvas& canvas, int px, int py);

// The longitude and latitude of a pixel of the map in either projection; none off the globe.
std::optional<std::pair<double, double>> lonLatAtPixel(const MapCanvas& canvas, int px, int py);

// The inverse of the globe's orthographic projection for the pixels of one view (J. P. Snyder,
// Map Projections: A Working Manual, 1987, eqs. 20-14 and 20-15): the longitude (-180..180) and
// latitude of a pixel whose depth below the rim is at least minDepth of the radius.
class GlobeInverse {
  public:
    GlobeInverse(const MapProjection& projection, const MapLayout& layout, double minDepth);
    std::optional<std::pair<double, double>> lonLat(int px, int py) const;

  private:
    double sinPhi0, cosPhi0, centreLon, radius, centreX, centreY, minDepthSquared;
};

void drawGlobeOutline(MapCanvas& canvas);
void drawGrid(MapCanvas& canvas);

// The meridians and parallels drawGrid draws: at origin + k * spacing degrees (the whole-globe
// grid's meridians about the map's centre, the zoomed grid's from the frame's corner).
struct GridLines {
    double lonOrigin = 0, lonSpacing = 10, latOrigin = 0, latSpacing = 10;
};
std::optional<GridLines> gridLinesOf(const MapCanvas& canvas);

} // namespace vesk
