// SPDX-License-Identifier: GPL-3.0-or-later
// What the uncertainty of Delta T means at a place: normal probabilities, and the ranges of
// Delta T in which Nineveh sees the eclipse of -762 June 15 as total, against the umbral limits
// traced at the model's Delta T and turned with the Earth.
#include "app_state.h"
#include "delta_t_band.h"
#include "delta_t_ranges.h"
#include "eclipse_search.h"
#include "local_circumstances.h"
#include "path_geometry.h"
#include "timescales.h"

#include "parsed_output.h"
#include "test_support.h"

#include <QImage>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vesk {
namespace {

// Textbook values of the standard normal distribution.
TEST(DeltaTRanges, NormalProbabilities) {
    EXPECT_NEAR(probabilityWithin({{-1, 1}}, 0, 1), 0.682689, 1e-6);
    EXPECT_NEAR(probabilityWithin({{0, 1.96}}, 0, 1), 0.475002, 1e-6);
    EXPECT_NEAR(probabilityWithin({{-300, -100}, {100, 300}}, 0, 100), 2 * 0.157305, 1e-6);
    EXPECT_NEAR(probabilityWithin({{600, 1000}}, 500, 100), 0.158655, 1e-6);
    EXPECT_EQ(probabilityWithin({{1, 2}}, 1.5, 0), 1);
    EXPECT_EQ(probabilityWithin({}, 0, 1), 0);
}

// The longitude at which a limit crosses a latitude (the first crossing), by linear
// interpolation between its traced points.
std::optional<double> crossingLongitude(const Pieces<UmbralLimitPoint>& limit, double lat) {
    for (const auto& piece : limit)
        for (std::size_t i = 1; i < piece.size(); ++i) {
            const UmbralLimitPoint &a = piece[i - 1], &b = piece[i];
            if ((a.lat - lat) * (b.lat - lat) <= 0 && a.lat != b.lat)
                return a.lon + (b.lon - a.lon) * (lat - a.lat) / (b.lat - a.lat);
        }
    return std::nullopt;
}

// A change of Delta T turns the Earth under the shadow at the sidereal rate: the place is in the
// path for the changes that bring one limit and then the other across it.
TEST(DeltaTRanges, NinevehIsTotalForTheDeltaTThatBringsThePathOverIt) {
    testing::CatalogEclipse eclipse(-762, 6);
    ASSERT_TRUE(eclipse.found);
    constexpr double lon = 43.15, lat = 36.36;
    constexpr double degreesPerSecond = 360.98564736629 / 86400;
    const PathGeometry path = tracePathGeometry(eclipse.catalog.record, eclipse.deltaT, 1.0 / 600);
    const std::optional<double> north = crossingLongitude(path.umbralLimits[0], lat);
    const std::optional<double> south = crossingLongitude(path.umbralLimits[1], lat);
    ASSERT_TRUE(north && south);
    const double west = std::min(*north, *south), east = std::max(*north, *south);
    EXPECT_LT(east, lon) << "the path passes west of Nineveh at the model's Delta T";
    const double expectedFrom = eclipse.deltaT + (lon - east) / degreesPerSecond;
    const double expectedTo = eclipse.deltaT + (lon - west) / degreesPerSecond;

    const double sigma = deltaTSigma(-762);
    const DeltaTRanges ranges =
        deltaTRanges(eclipse.catalog.record, observerAt(lon, lat), eclipse.deltaT, sigma);
    ASSERT_EQ(ranges.central.size(), 1u);
    EXPECT_NEAR(ranges.central[0].from, expectedFrom, 10);
    EXPECT_NEAR(ranges.central[0].to, expectedTo, 10);
    // about 650 s more than the model's Delta T: 1.2 standard errors
    EXPECT_NEAR((ranges.central[0].from - eclipse.deltaT) / sigma, 1.2, 0.1);
    EXPECT_NEAR(ranges.pCentral, probabilityWithin(ranges.central, eclipse.deltaT, sigma), 1e-12);
    EXPECT_GT(ranges.pCentral, 0.05);
    EXPECT_LT(ranges.pCentral, 0.2);
    EXPECT_GT(ranges.pVisible, 0.999) << "the partial phase is seen whatever Delta T";
}

// The chances in words name what the place sees (the phase found inside the central range, else
// the eclipse's type), past or future by the Delta T model's present, with grouped seconds; a
// partial eclipse has no central phase to speak of. The phase of a hybrid eclipse is the place's
// own: total at Exmouth in 2023 (published: about a minute of totality).
TEST(DeltaTRanges, ChancesInPlainWords) {
    EclipseRecord record;
    record.year = -762;
    record.typeCode = typeAnnular;
    DeltaTRanges ranges;
    ranges.deltaT = 21262.97;
    ranges.sigma = 533.3;
    ranges.central = {{21896, 23690}, {40000, 0, false, true}};
    ranges.pCentral = 0.004;
    ranges.pVisible = 0.9996;
    EXPECT_EQ(centralChanceText(record, ranges),
              "Chance that the eclipse was annular here: <1 % (annular if ΔT was 21,896–23,690 s "
              "or 40,000 s or more; the model gives 21,263 ± 533 s)");
    EXPECT_EQ(visibleChanceText(record, ranges),
              "Chance that it was seen here at all (any phase, the Sun up): >99 %");
    record.year = 2100;
    record.typeCode = typeAnnularTotal;
    ranges = {116.4, 0.93, {}, {}, 0, 0, std::nullopt, std::nullopt};
    EXPECT_EQ(centralChanceText(record, ranges),
              "Chance that the eclipse will be total or annular here: 0 % (not total or annular "
              "for any ΔT near the model's 116 ± 0.9 s)");
    ranges.central = {{-453, 251}};
    ranges.pCentral = 1;
    ranges.centralPhase = CentralPhase::total;
    EXPECT_EQ(centralChanceText(record, ranges),
              "Chance that the eclipse will be total here: 100 % (total if ΔT is -453 to 251 s; "
              "the model gives 116 ± 0.9 s)");
    record.typeCode = typePartial;
    EXPECT_EQ(centralChanceText(record, ranges), "");

    testing::CatalogEclipse exmouth(2023, 4);
    ASSERT_TRUE(exmouth.found);
    ASSERT_EQ(exmouth.catalog.record.typeCode, typeAnnularTotal);
    const DeltaTRanges there =
        deltaTRanges(exmouth.catalog.record, observerAt(114.1, -21.9), exmouth.deltaT, 0.1);
    EXPECT_EQ(there.centralPhase, CentralPhase::total);
    EXPECT_EQ(centralChanceText(exmouth.catalog.record, there)
                  .rfind("Chance that the eclipse was total here: 100 %", 0),
              0u);
}

// A range is followed past the window of 5 standard errors to where it ends: where the standard
// error is small (Dallas in 2024, Luxor in 2027: inside the path, whatever the error) and where it
// is large (Babylon, -9 June 30: central well below the window's lower end, 9194 s; the
// published lower limit is 8640 s).
TEST(DeltaTRanges, RangesAreFollowedPastTheWindowToTheirEnds) {
    struct Case {
        int year, month;
        double lon, lat;
    };
    for (const Case c : {Case{2024, 4, -96.797, 32.7767}, Case{2027, 8, 32.6421, 25.6872}}) {
        testing::CatalogEclipse eclipse(c.year, c.month);
        ASSERT_TRUE(eclipse.found);
        const Observer place = observerAt(c.lon, c.lat);
        const EclipseRecord& record = eclipse.catalog.record;
        const double sigma = deltaTSigma(c.year);
        const DeltaTRanges ranges = deltaTRanges(record, place, eclipse.deltaT, sigma);
        ASSERT_EQ(ranges.central.size(), 1u) << c.year;
        const DeltaTInterval& central = ranges.central[0];
        // the place is well inside the path: the Earth turns it out of it over minutes
        EXPECT_LT(central.from, eclipse.deltaT - 5 * sigma - 60) << c.year;
        EXPECT_GT(central.to, eclipse.deltaT + 5 * sigma + 60) << c.year;
        EXPECT_FALSE(central.openBelow || central.openAbove);
        EXPECT_EQ(ranges.pCentral, 1) << c.year;
        // each end is an end: central a second inside it, not a second outside
        for (const auto& [inside, outside] : {std::pair{central.from + 1, central.from - 1},
                                              std::pair{central.to - 1, central.to + 1}}) {
            EXPECT_TRUE(localCircumstances(record, place, inside).central) << inside;
            EXPECT_FALSE(localCircumstances(record, place, outside).central) << outside;
        }
    }
    testing::CatalogEclipse babylon(-9, 6);
    ASSERT_TRUE(babylon.found);
    const double sigma = deltaTSigma(-9);
    const DeltaTRanges ranges =
        deltaTRanges(babylon.catalog.record, observerAt(44.42, 32.54), babylon.deltaT, sigma);
    ASSERT_EQ(ranges.central.size(), 1u);
    EXPECT_LT(ranges.central[0].from, babylon.deltaT - 5 * sigma - 300);
    EXPECT_NEAR(ranges.central[0].from, 8640, 60);
    EXPECT_FALSE(ranges.central[0].openBelow);
    EXPECT_EQ(intervalsText(ranges.central).find("from below"), std::string::npos);

    // Near the pole, where the path of 2015 March 20 ended, the Earth's turning hardly moves the
    // place: central whatever Delta T, a range with no end within a day, and said so.
    testing::CatalogEclipse march2015(2015, 3);
    ASSERT_TRUE(march2015.found);
    const DeltaTRanges pole = deltaTRanges(march2015.catalog.record, observerAt(0, 89.9),
                                           march2015.deltaT, deltaTSigma(2015));
    ASSERT_EQ(pole.central.size(), 1u);
    EXPECT_TRUE(pole.central[0].openBelow && pole.central[0].openAbove);
    EXPECT_EQ(pole.pCentral, 1);
    EXPECT_EQ(intervalsText(pole.central).find("from below "), 0u) << intervalsText(pole.central);
}

// The local apparent solar time is 12 h when the Sun crosses the meridian, and the day's length
// is the time from sunrise to sunset.
TEST(DeltaTRanges, ApparentSolarTimeAndTheDaylight) {
    testing::CatalogEclipse eclipse(2024, 4);
    ASSERT_TRUE(eclipse.found);
    const Observer dallas = observerAt(-96.8, 32.78);
    const LocalCircumstances local =
        localCircumstances(eclipse.catalog.record, dallas, eclipse.deltaT);
    ASSERT_TRUE(local.maximum);
    const SolarTimeOfDay day =
        solarTimeOfDay(eclipse.catalog.record, dallas, local.maximum->shadow.t, eclipse.deltaT);
    // 18:42:38 UT at 96.8 W is 12:15:26 mean time; the equation of time on April 8 is -2 min.
    EXPECT_NEAR(day.apparentSolarHours, 12 + 13.4 / 60, 1.0 / 60);
    ASSERT_TRUE(day.sinceSunrise && day.untilSunset);
    // The sunrise equation, cos H0 = (sin h0 - sin phi sin d) / (cos phi cos d), with the
    // horizon h0 = -0.8 degrees and the Sun's declination that day, +7.44 degrees: 12.77 h.
    constexpr double rad = std::numbers::pi / 180, phi = 32.78 * rad, d = 7.44 * rad;
    const double h0 = std::acos((std::sin(-0.8 * rad) - std::sin(phi) * std::sin(d)) /
                                (std::cos(phi) * std::cos(d)));
    EXPECT_NEAR(*day.sinceSunrise + *day.untilSunset, 2 * h0 / rad / 15, 2 / 60.0);
}

} // namespace
} // namespace vesk

namespace vesk {
namespace {

// The user's Delta T on the command line, and what the commands say of its uncertainty.
TEST(DeltaTCommands, UsersDeltaTRangesAndTheSearchByProbability) {
    testing::ScratchDir dir;
    const auto run = [&](const std::vector<std::string>& args) {
        return testing::runProgram(VESK_EXECUTABLE, args, dir.path());
    };
    const std::vector<std::string> nineveh = {"info",  "--year", "-762",  "--month", "6",
                                              "--lon", "43.15",  "--lat", "36.36",   "--json"};
    testing::CommandResult r = run(nineveh);
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonObject info = testing::parsedJson(r.out).object();
    EXPECT_EQ(info["delta_t_sigma"].toDouble(), 533.3) << r.out;
    EXPECT_EQ(std::floor(info.value("central_delta_t")[0][0].toDouble() / 1000), 21) << r.out;
    EXPECT_EQ(std::floor(info["p_central"].toDouble() * 10), 1) << r.out;
    EXPECT_FALSE(info.value("local")["central"].toBool(true));
    // With a Delta T inside the central range Nineveh sees the eclipse total.
    std::vector<std::string> given = nineveh;
    given.insert(given.end(), {"--delta-t", "22500"});
    r = run(given);
    ASSERT_EQ(r.status, 0) << r.err;
    info = testing::parsedJson(r.out).object();
    EXPECT_EQ(info["delta_t"].toDouble(), 22500) << r.out;
    EXPECT_TRUE(info.value("local")["central"].toBool()) << r.out;
    std::vector<std::string> adjusted = nineveh;
    adjusted.insert(adjusted.end(), {"--delta-t-adjust", "1000"});
    r = run(adjusted);
    EXPECT_TRUE(testing::parsedJson(r.out)["local"]["central"].toBool()) << r.out;
    adjusted.insert(adjusted.end(), {"--delta-t", "1"});
    EXPECT_EQ(run(adjusted).status, 2) << "the two exclude each other";
    EXPECT_EQ(run({"info", "--delta-t", "1e9"}).status, 2);
    EXPECT_EQ(run({"info", "--delta-t", "x"}).status, 2);

    r = run({"list", "--place", "43.15,36.36", "--p-central", "0.1", "--from", "-800", "--years",
             "100"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("-762.0615"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("P=0.118"), std::string::npos) << r.out;
    EXPECT_EQ(run({"list", "--p-central", "0.5"}).status, 2) << "needs a place";
    r = run(
        {"next", "--place", "43.15,36.36", "--p-central", "0.1", "--year", "-800", "--month", "1"});
    EXPECT_EQ(r.out.rfind("   -762.0615", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("P=0.118"), std::string::npos) << r.out;
    // The local screen tells the same, band of Delta T or not, where the chance is in doubt; the
    // view from the place gives the chance in a line.
    const std::vector<std::string> local = {"render", "--mode",
                                            "local",  "--year",
                                            "-762",   "--month",
                                            "6",      "--lon",
                                            "43.15",  "--lat",
                                            "36.36",  "--text",
                                            "--out",  (dir.path() / "n.png").string()};
    const std::string withoutBand = run(local).out;
    std::vector<std::string> withBand = local;
    withBand.push_back("--delta-t-band");
    r = run(withBand);
    EXPECT_EQ(withoutBand, r.out);
    std::vector<std::string> view = local;
    view[2] = "view";
    EXPECT_NE(run(view).out.find("Chance of totality: 12 % (ΔT 21,263 ± 533 s)"),
              std::string::npos);
    const char* const answer = "Chance that the eclipse was total here: 12 % (total if ΔT was "
                               "21,896–23,690 s; the model gives 21,263 ± 533 s)";
    EXPECT_NE(r.out.find(answer), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Chance that it was seen here at all (any phase, the Sun up): 100 %"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Apparent solar time 10:48"), std::string::npos) << r.out;
    r = run({"info", "--year", "-762", "--month", "6", "--lon", "43.15", "--lat", "36.36"});
    EXPECT_NE(r.out.find(answer), std::string::npos) << r.out;
    r = run(
        {"info", "--year", "-762", "--month", "6", "--lon", "43.15", "--lat", "36.36", "--json"});
    EXPECT_EQ(testing::parsedJson(r.out)["central_phase"].toString(), "total") << r.out;
    EXPECT_EQ(run({"list", "--place", "0,0", "--p-central", "2"}).status, 2);
}

} // namespace
} // namespace vesk

namespace vesk {
namespace {

// The central line traced anew at Delta T + K sigma lies where the model's central line, turned
// by the Earth over K sigma, lies (within 0.01 degree), which is what the band assumes; and the
// band holds Nineveh for the Delta T that make the eclipse total there, and only for those.
TEST(DeltaTBand, TurnedPathAgreesWithThePathTracedAtTheOtherDeltaT) {
    testing::CatalogEclipse eclipse(-762, 6);
    ASSERT_TRUE(eclipse.found);
    const EclipseRecord& r = eclipse.catalog.record;
    const double sigma = deltaTSigma(-762), step = 1.0 / 600;
    const PathGeometry model = tracePathGeometry(r, eclipse.deltaT, step);
    for (const double k : {-2.0, 2.0}) {
        const PathGeometry moved = tracePathGeometry(r, eclipse.deltaT + k * sigma, step);
        const double turn = k * sigma * pathDegreesPerDeltaTSecond;
        int compared = 0;
        for (const auto& piece : moved.centralLine)
            for (const CentralPathPoint& p : piece)
                for (const auto& other : model.centralLine)
                    for (const CentralPathPoint& q : other)
                        if (std::fabs(p.t - q.t) < 1e-9) {
                            double dLon = p.lon - (q.lon + turn);
                            dLon -= 360 * std::round(dLon / 360);
                            EXPECT_LT(std::fabs(dLon), 0.01) << p.t;
                            EXPECT_LT(std::fabs(p.lat - q.lat), 0.01) << p.t;
                            ++compared;
                        }
        EXPECT_GT(compared, 100);
    }
    constexpr double lon = 43.15, lat = 36.36;
    EXPECT_TRUE(deltaTBand(model, 2 * sigma).contains(lon, lat)) << "total for +1.2 sigma";
    EXPECT_FALSE(deltaTBand(model, 1 * sigma).contains(lon, lat));
    EXPECT_TRUE(deltaTBand(model, 0).contains(model.greatest.point.lon, model.greatest.point.lat));
    EXPECT_GT(deltaTBand(model, 0).rows.size(), 100u);
    // The outlines written to KML hold the same ground (an even-odd test on their rings).
    const auto inOutlines = [&](double k) {
        bool inside = false;
        for (const auto& ring : bandOutlines(deltaTBand(model, k * sigma)))
            for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
                if ((ring[i].second > lat) != (ring[j].second > lat) &&
                    lon < ring[j].first + (ring[i].first - ring[j].first) * (lat - ring[j].second) /
                                              (ring[i].second - ring[j].second))
                    inside = !inside;
        return inside;
    };
    EXPECT_TRUE(inOutlines(2));
    EXPECT_FALSE(inOutlines(1));
}

} // namespace
} // namespace vesk

namespace vesk {
namespace {

// The band is drawn only when asked for; it shades the ground around the path, not elsewhere.
TEST(DeltaTBand, MapShowsTheBandOnlyWhenAskedFor) {
    testing::ScratchDir dir;
    const auto render = [&](const std::string& name, std::vector<std::string> extra) {
        // without the legend, whose yellow labels over the red line may blend into the band's
        // colour
        std::vector<std::string> args = {
            "render",  "--year", "-762",        "--month", "6",
            "--range", "europe", "--no-legend", "--out",   (dir.path() / name).string()};
        args.insert(args.end(), extra.begin(), extra.end());
        const testing::CommandResult r = testing::runProgram(VESK_EXECUTABLE, args, dir.path());
        EXPECT_EQ(r.status, 0) << r.err;
        return QImage(QString::fromStdString((dir.path() / name).string()));
    };
    const auto bandPixels = [](const QImage& image, QRect area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixel(x, y) == qRgb(255, 96, 0);
        return count;
    };
    const QImage plain = render("plain.png", {"--kml"});
    const std::string plainKml = testing::readFile(dir.path() / "0763BC-06.kml");
    const QImage band = render("band.png", {"--delta-t-band", "--kml"});
    const std::string bandKml = testing::readFile(dir.path() / "0763BC-06.kml");
    EXPECT_EQ(plainKml.find("<name>Delta T 21263 +- 1067 s (2 sigma)"), std::string::npos);
    EXPECT_NE(bandKml.find("<name>Delta T 21263 +- 1067 s (2 sigma)"), std::string::npos);
    const QImage one = render("one.png", {"--delta-t-band", "1"});
    ASSERT_FALSE(plain.isNull() || band.isNull() || one.isNull());
    const QRect whole = plain.rect().adjusted(1, 1, -1, -1);
    EXPECT_EQ(bandPixels(plain, whole), 0);
    EXPECT_GT(bandPixels(band, whole), bandPixels(one, whole)) << "+-2 sigma covers more";
    EXPECT_GT(bandPixels(one, whole), 1000);
    EXPECT_EQ(bandPixels(band, QRect(100, 100, 200, 100)), 0) << "nothing over Britain";
    EXPECT_EQ(
        testing::runProgram(VESK_EXECUTABLE, {"render", "--delta-t-band", "0"}, dir.path()).status,
        2);
}

} // namespace
} // namespace vesk

namespace vesk {
namespace {

// The search by the probability of a central eclipse is the core search's (the list, the paging
// of the window and the commands share it): the program gives it the probability, and an
// eclipse partial at the model's Delta T is found when it may have been central.
TEST(DeltaTSearch, CoreSearchTakesTheProgramsProbability) {
    AppState state(DataPaths{{testing::sourceDataDir()}});
    Session& s = state.session;
    s.view.observerLon = 43.15;
    s.view.observerLat = 36.36;
    SearchCriteria criteria;
    criteria.mode = searchPlace;
    criteria.minCentralProbability = 0.1;
    const auto quiet = [](int, int, const char*) {};
    ASSERT_GE(collectMatches(s, quiet, -800, 100, criteria), 0);
    ASSERT_EQ(s.searchHits.size(), 2u);
    EXPECT_EQ(s.searchHits[0].year, -762);
    EXPECT_NEAR(s.searchHits[0].centralProbability, 0.118, 0.001);
    // without the program's probability the search is by the magnitude, as before
    Session plain(DataPaths{{testing::sourceDataDir()}});
    plain.view = s.view;
    ASSERT_GE(collectMatches(plain, quiet, -800, 100, criteria), 0);
    for (const SearchHit& hit : plain.searchHits)
        EXPECT_EQ(hit.centralProbability, -1);
}

} // namespace
} // namespace vesk
