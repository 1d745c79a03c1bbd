// SPDX-License-Identifier: GPL-3.0-or-later
// The local circumstances screen drawn on a recording surface.
#include "app_state.h"
#include "local_report.h"
#include "palette.h"
#include "recording_surface.h"
#include "test_support.h"
#include "timescales.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vesk;
using namespace vesk::testing;

namespace {

struct Report {
    Catalog catalog;
    ViewSettings view;
    CityTable cities;
    RecordingSurface surface;

    Report(double year, double month, double lon, double lat,
           std::optional<int> cityIndex = std::nullopt) {
        catalog.paths.dirs = {sourceDataDir()};
        EXPECT_EQ(catalogFind(catalog, year, month), std::nullopt);
        IgnoredFiles ignored;
        loadCityTable(cities, catalog.paths, ignored);
        view.observerLon = lon;
        view.observerLat = lat;
        view.observerCityIndex = cityIndex;
        const double dT = recordDeltaT(catalog.record);
        drawLocalCircumstances(surface, catalog.record,
                               localCircumstances(catalog.record, viewObserver(view), dT),
                               locationLine(view, cities, ObserverPlace{}), dT);
    }

    // The text of a report row (y = 15 * row at x = 10), or empty.
    std::string row(int r) const {
        for (const auto& t : surface.texts)
            if (t.x == 10 && t.y == 15 * r)
                return t.text;
        return "";
    }
    bool hasText(const std::string& text) const {
        for (const auto& t : surface.texts)
            if (t.text == text)
                return true;
        return false;
    }
    int discs(int index, int radius) const {
        int n = 0;
        for (const auto& s : surface.shapes)
            n += s.round && !s.brush.hollow && s.brush.colour == palette[index] &&
                 s.right - s.left == 2 * radius;
        return n;
    }
};

} // namespace

TEST(LocalReport, InsideThePathOfTotality) {
    Report r(2024, 4, -96.80, 32.78); // Dallas
    EXPECT_EQ(r.row(2).rfind(" Date : 2024/ 4/ 8 12.71h(Zone time) : CENTRAL TOTAL ECLIPSE", 0),
              0u);
    EXPECT_EQ(r.row(3), " Location : Coordinates         Lon: -96.80° Lat:  32.78° Height:   0.0");
    EXPECT_EQ(r.row(4), " Duration :  3min.50.8sec. ");
    EXPECT_EQ(r.row(8).substr(0, 35), " First Penumbra Contact 17:23:18.7 ");
    EXPECT_EQ(r.row(9).substr(0, 35), " First Umbra    Contact 18:40:43.7 ");
    EXPECT_EQ(r.row(10).substr(0, 35), " Max.  Eclipse          18:42:39.1 ");
    EXPECT_EQ(r.row(11).substr(0, 35), " Last  Umbra    Contact 18:44:34.5 ");
    EXPECT_EQ(r.row(12).substr(0, 35), " Last  Penumbra Contact 20:02:41.6 ");
    EXPECT_EQ(r.row(13), "");
    // Zone time is UT - 6 h at 96.8 W.
    EXPECT_EQ(r.row(8).substr(35, 8), "11:23:19"); // 11:23:18.7 to the nearest second
    // The picture at maximum marks north and the two inner contacts; magnitude >= 1 adds the
    // yellow ring one pixel wider than the Moon (radius 30 in the picture, 9 on the chart).
    EXPECT_TRUE(r.hasText("N"));
    EXPECT_TRUE(r.hasText("2"));
    EXPECT_TRUE(r.hasText("3"));
    EXPECT_EQ(r.discs(yellow, 31), 1);
    EXPECT_EQ(r.discs(yellow, 10), 1);
    const auto markAt = [&](const std::string& mark) {
        for (const auto& t : r.surface.texts)
            if (t.text == mark)
                return std::pair{t.x, t.y};
        return std::pair{-1, -1};
    };
    EXPECT_NE(markAt("2"), markAt("3")) << "each inner contact at its own position angle";
}

// The chart carries the obscuration over the Sun's track, to the line of 90 degrees in
// totality; the time slider's instant rings the Sun where the chart draws it, with its UT.
TEST(LocalReport, ChartShowsTheObscurationAndTheSlidersInstant) {
    Catalog catalog;
    catalog.paths.dirs = {sourceDataDir()};
    ASSERT_EQ(catalogFind(catalog, 2024, 4), std::nullopt);
    const double dT = recordDeltaT(catalog.record);
    const LocalCircumstances local =
        localCircumstances(catalog.record, observerAt(-96.80, 32.78), dT);
    ASSERT_TRUE(local.maximum);
    RecordingSurface surface;
    drawLocalCircumstances(surface, catalog.record, local, "", dT, {}, nullptr,
                           local.maximum->shadow.t);
    int orangeLines = 0, highest = 1000;
    for (const RecordedLine& line : surface.lines)
        if (line.pen.colour == palette[orange]) {
            ++orangeLines;
            highest = std::min({highest, line.from.y, line.to.y});
        }
    EXPECT_GT(orangeLines, 100);
    EXPECT_NEAR(highest, 210, 1) << "the whole disk at the line of 90 degrees";
    const auto said = [&](const std::string& text) {
        return std::any_of(surface.texts.begin(), surface.texts.end(),
                           [&](const RecordedText& t) { return t.text == text; });
    };
    EXPECT_TRUE(said("Obscuration 100%"));
    EXPECT_TRUE(said("18:42:39"));
    // the ring about the red Sun of the maximum on the chart (radius 10)
    std::optional<std::pair<int, int>> sun, ring;
    for (const RecordedShape& shape : surface.shapes) {
        const std::pair centre{(shape.left + shape.right) / 2, (shape.top + shape.bottom) / 2};
        if (!shape.brush.hollow && shape.brush.colour == palette[red] && shape.left > 185)
            sun = centre;
        if (shape.brush.hollow && shape.pen.colour == palette[cyan])
            ring = centre;
    }
    ASSERT_TRUE(sun && ring);
    EXPECT_NEAR(sun->first, ring->first, 1);
    EXPECT_NEAR(sun->second, ring->second, 1);
}

// South of the Sun the north point of the picture at the maximum points down: its letter and the
// obscuration's line under the picture do not overlap.
TEST(LocalReport, TheObscurationLineKeepsBelowTheNorthPoint) {
    const Report report(2027, 2, -48.48, -31.30);
    const RecordingSurface& surface = report.surface;
    const auto find = [&](const std::string& prefix, int left, int right) {
        return std::find_if(surface.texts.begin(), surface.texts.end(), [&](const auto& t) {
            return t.text.starts_with(prefix) && t.x >= left && t.x <= right;
        });
    };
    const auto north = find("N", 40, 160), obscuration = find("Obscuration ", 30, 50);
    ASSERT_NE(north, surface.texts.end());
    ASSERT_NE(obscuration, surface.texts.end());
    EXPECT_GT(north->y, 300) << "the north point below the picture's centre";
    EXPECT_LE(north->y + surface.textSize(north->text).height, obscuration->y);
}

TEST(LocalReport, OutsideThePathAndACity) {
    Report r(2024, 4, -74.01, 40.71, 0); // New York, no row chosen: no location line
    EXPECT_EQ(r.row(3), "");
    EXPECT_EQ(r.row(8).substr(0, 23), " First Penumbra Contact");
    EXPECT_EQ(r.row(9).substr(0, 14), " Max.  Eclipse");
    EXPECT_EQ(r.row(10).substr(0, 23), " Last  Penumbra Contact");
    EXPECT_EQ(r.row(11), "");
    EXPECT_EQ(r.row(4), "");
    EXPECT_FALSE(r.hasText("2"));
    EXPECT_EQ(r.discs(yellow, 31), 0);

    Report tokyo(2035, 9, 139.767, 35.683, 2); // row 2 of the shipped list
    EXPECT_EQ(tokyo.row(3).rfind(" Location : 東京 Lon: 139.77° Lat:  35.68° Height: 40.0", 0), 0u);
}

TEST(LocalReport, EclipseAtSunsetAndSunrise) {
    Report sunset(2024, 4, -9.05, 53.27); // Galway
    EXPECT_EQ(sunset.row(13).substr(0, 22), " Magnitude at Sun Set ");
    EXPECT_EQ(sunset.row(10), "") << "the last contact is below the horizon";
    // The altitude printed on the sunset line is the horizon's -0.8 degree.
    EXPECT_NE(sunset.row(13).find(" -0.8 "), std::string::npos) << sunset.row(13);

    Report sunrise(2024, 4, -165, 15);
    EXPECT_EQ(sunrise.row(13).substr(0, 22), " Magnitude at Sun Rise");
    EXPECT_EQ(sunrise.row(8), "") << "the first contact is below the horizon";

    Report none(2024, 4, 139.7, 35.7); // Tokyo at night
    EXPECT_EQ(none.row(13), " =====    No Eclipse Visible        ===== ");
    EXPECT_NE(none.row(9), "") << "the maximum line is always drawn";
    // Where the penumbra misses the place the magnitude is 0, not the formula's negative value.
    Report missed(2024, 4, 0, -80);
    EXPECT_EQ(missed.row(13), " =====    No Eclipse Visible        ===== ");
    EXPECT_NE(missed.row(9).find(" 0.000 "), std::string::npos) << missed.row(9);
    EXPECT_EQ(missed.row(9).find("-1."), std::string::npos) << missed.row(9);
}

// In remote epochs the Sun's direction comes from the elements: at -12990 (March 26 UT) the
// last contact happens with the Sun 3 degrees up and has its line, without a sunset line in its
// place.
TEST(LocalReport, RemoteEpochContactsFollowTheSunsAltitude) {
    const Report r(-12990, 3, -37.375, -46.4214);
    EXPECT_EQ(r.row(12).rfind(" Last  Penumbra Contact", 0), 0u) << r.row(12);
    for (const auto& t : r.surface.texts)
        EXPECT_EQ(t.text.find("Sun Set"), std::string::npos) << t.text;
}
