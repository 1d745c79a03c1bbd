// SPDX-License-Identifier: GPL-3.0-or-later
// The headless command line as a script uses it: run the installed executable.
#include "delta_t_models.h"
#include "local/lunar_grid.h"
#include "local_circumstances.h"
#include "messages.h"
#include "parsed_output.h"
#include "recording_surface.h"
#include "sky_page.h"
#include "test_support.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace vesk::testing;

namespace {

CommandResult runVesk(const std::vector<std::string>& args, const std::filesystem::path& dir,
                      const std::vector<std::string>& environment = {}) {
    return runProgram(VESK_EXECUTABLE, args, dir, environment);
}

} // namespace

TEST(InfoCommand, PrintsTheEclipseOfAMonth) {
    ScratchDir elsewhere; // no catalog here: the data folder beside the executable is used
    CommandResult r = runVesk({"info", "--year", "2035", "--month", "9"}, elsewhere.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("2035-09-02"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("CENTRAL TOTAL ECLIPSE"), std::string::npos);
    EXPECT_NE(r.out.find("145/23"), std::string::npos);

    // A month without an eclipse gives the next one.
    r = runVesk({"info", "--year", "2024", "--month", "5", "--json"}, elsewhere.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject next = parsedJson(r.out).object();
    EXPECT_EQ(next["date_ut"].toString(), "2024-10-02") << r.out;
    EXPECT_EQ(next["type_code"].toInt(), 3);
}

// The JSON of one eclipse uses one Delta T: jd_tt - jd_ut is delta_t, to the printed digits.
TEST(InfoCommand, JsonJulianDatesDifferByTheDeltaTItStates) {
    ScratchDir dir;
    for (const char* year : {"-12990", "-5000", "-500", "2024", "8000", "16774"}) {
        const CommandResult r =
            runVesk({"info", "--year", year, "--month", "11", "--json"}, dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        const QJsonObject info = parsedJson(r.out).object();
        const double days = info["jd_tt"].toDouble(NAN) - info["jd_ut"].toDouble(NAN);
        // jd to 6 decimals, delta_t to 2
        EXPECT_NEAR(days, info["delta_t"].toDouble(NAN) / 86400, 1.1e-6) << year << ": " << r.out;
    }
}

TEST(InfoCommand, JsonCarriesEveryField) {
    ScratchDir dir;
    const CommandResult r =
        runVesk({"info", "--year", "-100", "--month", "5", "--json"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject info = parsedJson(r.out).object();
    EXPECT_TRUE(info["date_ut"].toString().startsWith("-0100-05-")) << r.out;
    EXPECT_TRUE(info["type"].isString());
    for (const char* key :
         {"type_code", "magnitude", "jd_ut", "saros", "saros_member", "t0", "delta_t", "jd_tt"})
        EXPECT_TRUE(info[key].isDouble()) << key << " in " << r.out;
    EXPECT_EQ(r.out.back(), '\n');
}

// The Delta T model and its n-dot are stated; another model or the n-dot correction changes the
// Delta T by what the models and the correction give, and the eclipse's UT with it; the
// options are checked.
TEST(InfoCommand, StatesTheDeltaTModelAndItsNdot) {
    ScratchDir dir;
    const auto info = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"info",  "--year", "-135",  "--month", "4",
                                         "--lon", "44.42",  "--lat", "32.54",   "--json"};
        args.insert(args.end(), extra.begin(), extra.end());
        const CommandResult r = runVesk(args, dir.path());
        EXPECT_EQ(r.status, 0) << r.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    };
    const QJsonObject standard = info({});
    EXPECT_EQ(standard["delta_t_model"].toString(), "smh2020");
    EXPECT_EQ(standard["ndot"].toDouble(), vesk::de430Ndot);
    EXPECT_NEAR(standard["ndot_to_de431"].toDouble(), -7.95, 0.01);
    EXPECT_FALSE(standard["ndot_corrected"].toBool());
    ASSERT_TRUE(standard["central_delta_t"].isArray());
    const QJsonObject corrected = info({"--ndot-correction"});
    EXPECT_TRUE(corrected["ndot_corrected"].toBool());
    EXPECT_NEAR(corrected["delta_t"].toDouble() - standard["delta_t"].toDouble(), -7.95, 0.02);
    // the ranges are geometry: no model moves them
    EXPECT_EQ(corrected["central_delta_t"], standard["central_delta_t"]);
    const QJsonObject canon = info({"--delta-t-model", "em2006"});
    EXPECT_EQ(canon["ndot"].toDouble(), vesk::classicalNdot);
    const double jdTT = standard["jd_tt"].toDouble();
    EXPECT_NEAR(
        canon["delta_t"].toDouble(),
        vesk::modelDeltaT((canon["jd_ut"].toDouble() - 2451545) / 36525, vesk::DeltaTModel::em2006),
        0.01);
    EXPECT_NEAR(canon["jd_tt"].toDouble(), jdTT, 1e-6);
    EXPECT_NEAR((canon["jd_tt"].toDouble() - canon["jd_ut"].toDouble()) * 86400,
                canon["delta_t"].toDouble(), 0.1);
    EXPECT_TRUE(info({"--delta-t", "11000"})["delta_t_model"].isNull());

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--delta-t-model", "smh2021"},
          {"--delta-t", "11000", "--delta-t-model", "em2006"},
          {"--delta-t", "11000", "--ndot-correction"}}) {
        std::vector<std::string> args = {"info", "--year", "-135", "--month", "4"};
        args.insert(args.end(), bad.begin(), bad.end());
        const CommandResult r = runVesk(args, dir.path());
        EXPECT_EQ(r.status, 2) << bad[1];
        EXPECT_NE(r.err.find("--delta-t"), std::string::npos) << r.err;
    }
    // the ranges with the limb need the lunar grid, and a place
    CommandResult r =
        runVesk({"info", "--year", "-135", "--month", "4", "--limb-ranges"}, dir.path());
    EXPECT_EQ(r.status, 2);
    r = runVesk({"info", "--year", "-135", "--month", "4", "--lon", "44.42", "--lat", "32.54",
                 "--limb-ranges"},
                dir.path(), {"VESK_DATA=" + dir.path().string()});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find(vesk::lunarGridCommand), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

// With a place, the JSON's series runs a minute apart from the first contact to the last, and
// --csv writes the same numbers as a table; --csv wants a place and excludes --json.
TEST(InfoCommand, SeriesRunsFromTheFirstContactToTheLast) {
    ScratchDir dir;
    const std::vector<std::string> dallas = {"info",  "--year", "2024",  "--month", "4",
                                             "--lon", "-96.8",  "--lat", "32.78"};
    const auto with = [&](const char* flag) {
        std::vector<std::string> args = dallas;
        args.push_back(flag);
        return runVesk(args, dir.path());
    };
    const CommandResult json = with("--json");
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonObject info = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    const QJsonArray series = info["series"].toArray();
    const QJsonObject local = info["local"].toObject();
    ASSERT_GT(series.size(), 150);
    EXPECT_EQ(series.first()["ut"], local["c1"]["ut"]);
    EXPECT_EQ(series.last()["ut"], local["c4"]["ut"]);
    double largest = 0;
    for (const QJsonValue& point : series)
        largest = std::max(largest, point["obscuration"].toDouble());
    EXPECT_DOUBLE_EQ(largest, 1) << "totality at Dallas";

    const CommandResult csv = with("--csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<std::vector<std::string>> rows = parsedCsv(csv.out);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(series.size()) + 1);
    const std::vector<std::string> header = {"ut", "obscuration", "magnitude", "alt", "az"};
    EXPECT_EQ(rows.front(), header);
    for (const int i : {0, 60, 100}) {
        const QJsonObject p = series[i].toObject();
        const std::vector<std::string>& row = rows[static_cast<std::size_t>(i) + 1];
        ASSERT_EQ(row.size(), header.size());
        EXPECT_EQ(row[0], p["ut"].toString().toStdString());
        for (std::size_t column = 1; column < header.size(); ++column)
            EXPECT_EQ(std::stod(row[column]), p[header[column].c_str()].toDouble())
                << header[column] << " at " << row[0];
    }
    CommandResult r = runVesk({"info", "--year", "2024", "--month", "4", "--csv"}, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--place"), std::string::npos) << r.err;
    std::vector<std::string> both = dallas;
    both.insert(both.end(), {"--csv", "--json"});
    r = runVesk(both, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("exclude"), std::string::npos) << r.err;
}

// A year, month, count or limit with a fraction is refused, naming the option, rather than cut to
// a whole number (which moved --from 2024.9 past both eclipses of 2024); a zero prints unsigned.
TEST(CommandLine, FractionsAreRefusedWhereWholeNumbersAreMeant) {
    ScratchDir dir;
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"info", "--year", "2024.5", "--month", "1"}, "--year needs a whole year, not '2024.5'"},
        {{"info", "--year", "2024", "--month", "1.9"}, "--month needs a whole number, not '1.9'"},
        {{"list", "--from", "2024.9", "--years", "1"}, "--from needs a whole year"},
        {{"list", "--from", "2024", "--years", "1.5"}, "--years needs a whole number"},
        {{"list", "--from", "2024", "--limit", "2.5"}, "--limit needs a whole number"},
        {{"list", "--from", "2024", "--saros", "139.5"}, "--saros needs a whole number"},
        {{"render", "--year", "2024", "--month", "4.5", "--text"}, "--month needs a whole number"},
        {{"info", "--year", "2000", "--month", "7", "--day", "32"}, "--day must lie from 1 to 31"},
    };
    for (const auto& [args, message] : refused) {
        const CommandResult r = runVesk(args, dir.path());
        EXPECT_EQ(r.status, 2) << args[1] << ' ' << args[2];
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
    const CommandResult r =
        runVesk({"info", "--year", "2024", "--month", "4", "--place", "-0,-0"}, dir.path());
    EXPECT_NE(r.out.find("place       0.0000 E 0.0000 N"), std::string::npos) << r.out;
}

// Control characters in a place's name (the gazetteer's, the user's city list's) reach neither the
// terminal nor an SVG document: they are replaced when the name is read. A name of 300
// characters is cut on the local screen, never the coordinates after it.
TEST(InfoCommand, HostileNamesArePrintedSafely) {
    ScratchDir dir;
    const std::string hostile = "Bad\x1b[31mTown\x07\x01";
    dir.write("cities15000.txt", "1\t" + hostile + "\tBadtown\t\t32.78\t-96.80\tP\tPPL\tUS\t\tTX" +
                                     "\t\t\t\t100000\t\t139\tAmerica/Chicago\t2020-01-01\n");
    const std::vector<std::string> place = {"--year", "2024", "--month", "4", "--place", "Badtown"};
    std::vector<std::string> args = {"info"};
    args.insert(args.end(), place.begin(), place.end());
    CommandResult r = runVesk(args, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Bad\xEF\xBF\xBD[31mTown\xEF\xBF\xBD\xEF\xBF\xBD"), std::string::npos)
        << r.out;
    for (const char c : r.out + r.err)
        EXPECT_FALSE((c >= 0 && c < 0x20 && c != '\n') || c == 0x7f) << static_cast<int>(c);
    args = {"report", "--out", "r.svg"};
    args.insert(args.end(), place.begin(), place.end());
    r = runVesk(args, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(runProgram("/usr/bin/xmllint", {"--noout", "r.svg"}, dir.path()).status, 0);

    std::string longName;
    for (int i = 0; i < 300; ++i)
        longName += "東";
    dir.write("cities15000.txt", "2\t" + longName +
                                     "\tLongname\t\t35.69\t139.69\tP\tPPL\tJP\t\t40" +
                                     "\t\t\t\t100000\t\t40\tAsia/Tokyo\t2020-01-01\n");
    r = runVesk({"render", "--year", "2035", "--month", "9", "--mode", "local", "--place",
                 "Longname", "--text", "--out", "l.png"},
                dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::size_t at = r.out.find(" Location : ");
    ASSERT_NE(at, std::string::npos) << r.out;
    const std::string line = r.out.substr(at, r.out.find('\n', at) - at);
    EXPECT_NE(line.find("…"), std::string::npos) << line;
    EXPECT_NE(line.find("Lon: 139.69"), std::string::npos) << line;
    EXPECT_NE(line.find("Lat:  35.69"), std::string::npos) << line;
    EXPECT_EQ(QString::fromStdString(line).toStdString(), line) << "valid UTF-8";
}

// The place search lists the eclipses whose maximum there has a magnitude above --min-mag with
// the Sun no more than 15 degrees below the horizon: every eclipse of 40 years, its maximum at
// Tokyo computed here, is listed exactly when it passes; some pass with the Sun below the
// horizon, and some with a magnitude fail for a Sun lower than -15 degrees.
TEST(ListCommand, PlaceSearchTakesTheSunDownToFifteenDegreesBelowTheHorizon) {
    ScratchDir dir;
    const auto dates = [&](const std::vector<std::string>& args) {
        const CommandResult r = runVesk(args, dir.path());
        EXPECT_EQ(r.status, 0) << r.err;
        std::set<std::string> found;
        for (const QJsonValue hit :
             QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).array())
            found.insert(hit["date"].toString().toStdString());
        return found;
    };
    const std::set<std::string> all = dates({"list", "--from", "1990", "--years", "40", "--json"});
    const std::set<std::string> listed = dates({"list", "--place", "139.69,35.69", "--from", "1990",
                                                "--years", "40", "--min-mag", "0.1", "--json"});
    ASSERT_GT(all.size(), 80u);
    const vesk::Observer tokyo = vesk::observerAt(139.69, 35.69, 0);
    int twilight = 0, tooLow = 0;
    for (const std::string& date : all) {
        const CatalogEclipse eclipse(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)));
        ASSERT_TRUE(eclipse.found) << date;
        const std::optional<vesk::ObservedShadow> maximum =
            vesk::localMaximum(eclipse.catalog.record, tokyo, 0, eclipse.deltaT);
        const bool deep = maximum && maximum->magnitude() > 0.1;
        const bool passes = deep && maximum->sunAltitude > -15;
        EXPECT_EQ(listed.count(date) == 1, passes) << date;
        twilight += passes && maximum->sunAltitude < 0;
        tooLow += deep && !passes;
    }
    EXPECT_GT(twilight, 0) << "an eclipse with the Sun between 0 and -15 degrees";
    EXPECT_GT(tooLow, 0) << "an eclipse with the Sun below -15 degrees";
}

// Julian dates say so: in the text, the JSON's calendar and the screens' texts.
TEST(InfoCommand, JulianDatesSaySo) {
    ScratchDir dir;
    CommandResult r = runVesk({"info", "--year", "-762", "--month", "6"}, dir.path());
    EXPECT_EQ(r.out.rfind("date (UT)   -0762-06-15 (763 BC, Julian)\n", 0), 0u) << r.out;
    r = runVesk({"info", "--year", "-762", "--month", "6", "--json"}, dir.path());
    EXPECT_EQ(parsedJson(r.out)["calendar"].toString(), "julian") << r.out;
    EXPECT_EQ(parsedJson(r.out)["year_bc"].toString(), "763 BC") << r.out;
    // A historian's year: "763 BC" and "763BC" are -762, for --year and --from.
    for (const char* year : {"763 BC", "763BC"}) {
        r = runVesk({"info", "--year", year, "--month", "6"}, dir.path());
        EXPECT_EQ(r.out.rfind("date (UT)   -0762-06-15 (763 BC, Julian)\n", 0), 0u) << r.out;
    }
    r = runVesk({"list", "--from", "763 BC", "--years", "1", "--type", "total"}, dir.path());
    EXPECT_EQ(r.out.rfind("   -762.0615", 0), 0u) << r.out;
    r = runVesk({"info", "--year", "0 BC", "--month", "6"}, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--year needs a year such as -762 or 763 BC, not '0 BC'"),
              std::string::npos)
        << r.err;
    r = runVesk({"info", "--year", "2024", "--month", "4", "--json"}, dir.path());
    EXPECT_EQ(parsedJson(r.out)["calendar"].toString(), "gregorian") << r.out;
    r = runVesk({"render", "--year", "-762", "--month", "6", "--mode", "table", "--text"},
                dir.path());
    EXPECT_EQ(r.out.rfind(" Date     : -762  6 15 (763 BC, Julian) :  CENTRAL TOTAL ECLIPSE", 0),
              0u)
        << r.out;
}

// JSON booleans are true and false: central at Nazas, not at New York.
TEST(InfoCommand, JsonCentralIsABoolean) {
    ScratchDir dir;
    for (const auto& [lon, lat, central] :
         {std::tuple{"-104.14", "25.29", true}, {"-74.01", "40.71", false}}) {
        const CommandResult r = runVesk(
            {"info", "--year", "2024", "--month", "4", "--lon", lon, "--lat", lat, "--json"},
            dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        const QJsonValue value = parsedJson(r.out)["local"]["central"];
        EXPECT_TRUE(value.isBool()) << r.out;
        EXPECT_EQ(value.toBool(), central);
    }
}

TEST(InfoCommand, WorkingDirectoryComesBeforeTheDataFolder) {
    ScratchDir dir;
    dir.write("ecp00001p03000.prn", "2030 3 10 2 1.5 0.3 2462571.0 100 999 12\n"
                                    "0 0.5 0 0 0.2 0.1 0 0 7.5 0.01 0\n"
                                    "90 15.004 0.53 0 0 -0.01 0 0 0.0046 0.0046\n");
    const CommandResult r = runVesk({"info", "--year", "2030", "--month", "3"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("999/"), std::string::npos) << r.out;
}

TEST(InfoCommand, FailuresAreReportedWithAStatus) {
    ScratchDir dir;
    CommandResult r;

    // After the catalog's last eclipse (16996 November 29) the catalog has ended.
    r = runVesk({"info", "--year", "16998", "--month", "1"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vesk info: ベッセル要素ファイルが終了しました。\n");
    EXPECT_TRUE(r.out.empty());

    r = runVesk({"info", "--year", "2024", "--month", "4"}, dir.path(),
                {"VESK_DATA=" + dir.path().string()});
    EXPECT_EQ(r.status, 0) << "the folder beside the executable still answers";

    for (const auto& args : std::vector<std::vector<std::string>>{{"info", "--year", "abc"},
                                                                  {"info", "--month", "13"},
                                                                  {"info", "--year"},
                                                                  {"info", "--colour"},
                                                                  {"info", "--year", "17000"},
                                                                  {"info", "--height", "1e308"},
                                                                  {"inform"}}) {
        r = runVesk(args, dir.path());
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
}

namespace {

// Width and height from a PNG's header, or (0, 0) when the file is no PNG.
std::pair<int, int> pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0)
        return {0, 0};
    const auto be32 = [&](std::size_t at) {
        int v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {be32(16), be32(20)};
}

} // namespace

TEST(CommandLine, HelpAndVersionEverywhere) {
    ScratchDir dir;
    CommandResult r = runVesk({"--version"}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "vesk 0.1\n");
    r = runVesk({"--help"}, dir.path());
    EXPECT_EQ(r.status, 0);
    for (const char* command : {"info", "render", "list", "next|prev"})
        EXPECT_NE(r.out.find(std::string("vesk ") + command + " ["), std::string::npos) << command;
    for (const char* command : {"info", "render", "report", "list", "next", "prev"}) {
        r = runVesk({command, "--year", "2024", "--help"}, dir.path());
        EXPECT_EQ(r.status, 0) << command;
        const std::string word = std::string(command) == "prev" ? "next" : command;
        EXPECT_EQ(r.out.rfind("usage: vesk " + word, 0), 0u) << r.out;
        EXPECT_NE(r.out.find("Exit status"), std::string::npos);
    }
    EXPECT_NE(runVesk({"render", "--help"}, dir.path()).out.find("--dpr R"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "help draws nothing";
    r = runVesk({"--lang", "fr"}, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--lang must be en or ja"), std::string::npos);
    EXPECT_EQ(runVesk({"--lang", "en", "--version"}, dir.path()).out, "vesk 0.1\n");
    r = runVesk({"draw"}, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown command 'draw'"), std::string::npos);
    // The manual page is well-formed for groff.
    const CommandResult man =
        runProgram("/usr/bin/groff",
                   {"-man", "-ww", "-z", std::string(VESK_SOURCE_DIR) + "/app/vesk.1"}, dir.path());
    EXPECT_EQ(man.status, 0);
    EXPECT_EQ(man.err, "");
}

TEST(RenderCommand, WritesTheMapAndItsKml) {
    ScratchDir dir;
    const CommandResult r = runVesk({"render", "--year", "2024", "--month", "4", "--size",
                                     "800x600", "--kml", "--out", "map.png"},
                                    dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pngSize(readFile(dir.path() / "map.png")), (std::pair{800, 600}));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "202404_earth.kml"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "202404.kml"));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 3u) << "no fragments or temporary files left";
}

// The same screen at twice the pixel density, and as SVG and PDF documents whose text is text.
TEST(RenderCommand, PixelRatioAndVectorDocuments) {
    ScratchDir dir;
    const std::vector<std::string> eclipse{"render", "--year", "2024",   "--month",
                                           "4",      "--size", "600x400"};
    const auto render = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = eclipse;
        args.insert(args.end(), extra.begin(), extra.end());
        const CommandResult r = runVesk(args, dir.path());
        EXPECT_EQ(r.status, 0) << r.err;
    };
    render({"--out", "one.png"});
    render({"--dpr", "2", "--out", "two.png"});
    render({"--dpr", "1.5", "--out", "half.png"});
    EXPECT_EQ(pngSize(readFile(dir.path() / "one.png")), (std::pair{600, 400}));
    EXPECT_EQ(pngSize(readFile(dir.path() / "two.png")), (std::pair{1200, 800}));
    EXPECT_EQ(pngSize(readFile(dir.path() / "half.png")), (std::pair{900, 600}));
    // The layout is the same: the panel's frame line lies at twice its place.
    const QImage one(QString::fromStdString((dir.path() / "one.png").string()));
    const QImage two(QString::fromStdString((dir.path() / "two.png").string()));
    int frameOne = -1, frameTwo = -1;
    for (int x = 0; x < 300 && frameOne < 0; ++x)
        if (one.pixel(x, 200) != one.pixel(0, 200))
            frameOne = x;
    for (int x = 0; x < 600 && frameTwo < 0; ++x)
        if (two.pixel(x, 400) != two.pixel(0, 400))
            frameTwo = x;
    EXPECT_NEAR(frameTwo, 2 * frameOne, 2);
    // The relief is sampled at the device's pixels: its 2 x 2 blocks of land differ within.
    int landBlocks = 0, detailed = 0;
    for (int y = 0; y + 1 < two.height(); y += 2)
        for (int x = 2 * frameOne + 4; x + 1 < two.width(); x += 2) {
            const QRgb block[4] = {two.pixel(x, y), two.pixel(x + 1, y), two.pixel(x, y + 1),
                                   two.pixel(x + 1, y + 1)};
            const bool land = std::all_of(std::begin(block), std::end(block), [](QRgb c) {
                return qGreen(c) > 80 && qGreen(c) > qRed(c) && qGreen(c) > qBlue(c);
            });
            landBlocks += land;
            detailed +=
                land && !(block[0] == block[1] && block[0] == block[2] && block[0] == block[3]);
        }
    ASSERT_GT(landBlocks, 1000);
    EXPECT_GT(detailed, landBlocks / 4) << detailed << " of " << landBlocks;

    render({"--out", "map.svg"});
    render({"--mode", "table", "--out", "table.pdf"});
    const std::string svg = readFile(dir.path() / "map.svg");
    EXPECT_EQ(runProgram("/usr/bin/xmllint", {"--noout", "map.svg"}, dir.path()).status, 0);
    EXPECT_NE(svg.find(">CANON OF SOLAR ECLIPSE</text>"), std::string::npos);
    EXPECT_NE(svg.find("<path"), std::string::npos) << "curves as paths";
    EXPECT_LT(std::count(svg.begin(), svg.end(), '<'), 1000) << "one path per pen, not per dot";
    const CommandResult pdf =
        runProgram("/usr/bin/pdftotext", {"-layout", "table.pdf", "-"}, dir.path());
    ASSERT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_NE(pdf.out.find("2024"), std::string::npos) << pdf.out;
    EXPECT_NE(pdf.out.find("LON."), std::string::npos) << pdf.out;
}

// The regional maps are drawn from the command line as in the window, whose first repaint is the
// whole globe: the relief fills the map, not an empty frame.
TEST(RenderCommand, RegionalMapsAreDrawnOnAFirstRepaint) {
    ScratchDir dir;
    for (const char* range : {"asia", "europe"}) {
        const CommandResult r = runVesk(
            {"render", "--year", "2035", "--month", "9", "--range", range, "--out", "map.png"},
            dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        const QImage image(QString::fromStdString((dir.path() / "map.png").string()));
        ASSERT_FALSE(image.isNull());
        long coloured = 0;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4)
                coloured += (image.pixel(x, y) & 0xffffff) != 0;
        EXPECT_GT(coloured, image.width() * image.height() / 16 / 3) << range;
    }
}

// --text prints what the screen draws: the panel of the map, the rows of the table.
TEST(RenderCommand, TextOfTheScreen) {
    ScratchDir dir;
    CommandResult r = runVesk({"render", "--year", "2024", "--month", "4", "--text"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out.rfind("CANON OF SOLAR ECLIPSE\nDATE(UT) : 2024  4  8\nCENTRAL TOTAL ECLIPSE\n", 0),
        0u)
        << r.out.substr(0, 200);
    EXPECT_NE(r.out.find("Dura.: 4:28.0 w: 197.4km"), std::string::npos);
    // the degree sign of copied text; the SVG document's text the same
    EXPECT_NE(r.out.find(" 104° 8.9'"), std::string::npos) << r.out.substr(0, 400);
    EXPECT_EQ(r.out.find("゜"), std::string::npos);
    ASSERT_EQ(
        runVesk({"render", "--year", "2024", "--month", "4", "--out", "m.svg"}, dir.path()).status,
        0);
    const std::string svg = readFile(dir.path() / "m.svg");
    EXPECT_NE(svg.find(" 104° 8.9'"), std::string::npos);
    EXPECT_EQ(svg.find("゜"), std::string::npos);
    r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "table", "--table-lon",
                 "-105", "--table-step", "5", "--text"},
                dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n  -105.00 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" Date     : 2024  4  8 :  CENTRAL TOTAL ECLIPSE \n"), std::string::npos);
    r = runVesk({"render", "--year", "2024", "--month", "4"}, dir.path());
    EXPECT_TRUE(r.out.empty()) << "nothing without --text";
}

// The curves of equal duration are labelled and named in the legend when asked for, and only then.
TEST(RenderCommand, DurationCurvesWhenAskedFor) {
    ScratchDir dir;
    const std::vector<std::string> nearDallas = {"render", "--year",   "2024",     "--month",
                                                 "4",      "--centre", "-97,32.5", "--scale",
                                                 "20",     "--text"};
    CommandResult r = runVesk(nearDallas, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("Equal duration"), std::string::npos);
    EXPECT_EQ(r.out.find("m00s"), std::string::npos);
    std::vector<std::string> args = nearDallas;
    args.push_back("--durations");
    r = runVesk(args, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Equal duration of totality\n"), std::string::npos);
    for (const char* label : {"1m00s\n", "2m00s\n", "3m00s\n", "4m00s\n"})
        EXPECT_NE(r.out.find(label), std::string::npos) << label;
}

namespace {

// Runs vesk with files limited to a size (as on a disk that fills up): writes beyond it fail, and
// the signal the system sends for them (SIGXFSZ) would end a program that did not ignore it.
CommandResult runVeskWithFileLimit(const std::vector<std::string>& args,
                                   const std::filesystem::path& dir, int kilobytes) {
    std::string command = "ulimit -f " + std::to_string(kilobytes * 2) + "; exec '" +
                          std::string(VESK_EXECUTABLE) + "'";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    return runProgram("/bin/sh", {"-c", command}, dir, {"QT_QPA_PLATFORM=offscreen"});
}

} // namespace

// A full disk, and renders that write one file at once: the earlier files stay whole or a new
// one is whole, a failure ends with status 1 and a message naming the file, and no temporary
// file is left.
TEST(RenderCommand, OutputsAreWrittenWholeOrNotAtAll) {
    ScratchDir dir;
    const std::vector<std::string> map = {"render", "--year", "2024",  "--month",
                                          "4",      "--kml",  "--out", "map.png"};
    ASSERT_EQ(runVesk(map, dir.path()).status, 0);
    const auto before = folderContents(dir.path());
    ASSERT_EQ(before.size(), 3u);
    // Room for the path document but not for the earth document or the picture.
    CommandResult r = runVeskWithFileLimit(map, dir.path(), 100);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("202404_earth.kml"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    EXPECT_EQ(folderContents(dir.path()), before) << "both documents stay as they were";
    // Room for both documents (53 and 161 kB) but not for the picture (278 kB): the documents
    // are not replaced either, so that the picture and its documents stay of one run.
    dir.write("202404.kml", "old path");
    dir.write("202404_earth.kml", "old earth");
    const auto older = folderContents(dir.path());
    r = runVeskWithFileLimit(map, dir.path(), 200);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("map.png: File too large"), std::string::npos) << r.err;
    EXPECT_EQ(folderContents(dir.path()), older) << "the documents stay with their picture";
    ASSERT_EQ(runVesk(map, dir.path()).status, 0);
    ASSERT_EQ(folderContents(dir.path()), before);
    r = runVeskWithFileLimit({"render", "--year", "2035", "--month", "9", "--out", "map.png"},
                             dir.path(), 100);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("map.png"), std::string::npos) << r.err;
    EXPECT_EQ(folderContents(dir.path()), before);
    r = runVeskWithFileLimit({"render", "--year", "2024", "--month", "4", "--mode", "table",
                              "--kml", "--out", "table.png"},
                             dir.path(), 1);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(folderContents(dir.path()), before);

    // Four renders into one file at once: one of them is the file, whole.
    const std::string many = "for m in 3 4 5 6; do '" + std::string(VESK_EXECUTABLE) +
                             "' render --year 2030 --month $m --out same.png & done; wait";
    ASSERT_EQ(runProgram("/bin/sh", {"-c", many}, dir.path()).status, 0);
    const QImage same(QString::fromStdString((dir.path() / "same.png").string()));
    EXPECT_EQ(same.size(), QSize(1000, 700));
    EXPECT_EQ(folderContents(dir.path()).size(), 4u) << "no temporary files";

    // A folder of frames: no new folder is left beside it.
    r = runVeskWithFileLimit(
        {"animate", "--year", "2024", "--month", "4", "--step", "60", "--out", "fr/"}, dir.path(),
        10);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    EXPECT_EQ(folderContents(dir.path()).size(), 4u) << "nothing left of the frames";

    // The window's screenshot too.
    r = runVeskWithFileLimit({"--screenshot", "shot.png"}, dir.path(), 10);
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "shot.png"));
    EXPECT_EQ(folderContents(dir.path()).size(), 4u);
}

// Outputs never replace a device node or a FIFO (the test's own, in its scratch folder), a
// signal during a render leaves no temporary file, and stale second names of an earlier run
// killed outright are cleared by the next write.
TEST(RenderCommand, OutputsReplaceOnlyRegularFilesAndSurviveSignals) {
    ScratchDir dir;
    const SpecialFiles specials = makeSpecialFiles(dir, ".png");
    for (const std::filesystem::path& special : specials.paths) {
        const CommandResult r =
            runVesk({"render", "--out", special.filename().string()}, dir.path());
        EXPECT_EQ(r.status, 2) << special;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(specials.untouched());
    const std::filesystem::path real = dir.write("real.png", "old");
    std::filesystem::create_symlink(real, dir.path() / "to-real.png");
    ASSERT_EQ(runVesk({"render", "--out", "to-real.png"}, dir.path()).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "to-real.png"));
    EXPECT_EQ(pngSize(readFile(real)), (std::pair{1000, 700}));

    ScratchDir kml;
    // A second name of a process that no longer runs (no process has an id above the system's
    // largest, 2^22) is stale; one of a live process (this test's) belongs to a write going on.
    const std::filesystem::path stale = kml.write("map.png.vesk-backup-999999999-Ab12Cd", "stale");
    const std::filesystem::path live =
        kml.write("map.png.vesk-backup-" + std::to_string(getpid()) + "-Zz99Yy", "live");
    const std::filesystem::path mine = kml.write("map.png.backup", "the user's");
    ASSERT_EQ(runVesk({"render", "--year", "2024", "--month", "4", "--out", "map.png"}, kml.path())
                  .status,
              0);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
    std::filesystem::remove(live);
    EXPECT_EQ(readFile(mine), "the user's");
    // SIGTERM at moments spread over a render with KML: afterwards the folder holds
    // the finished files only.
    for (const char* delay : {"0.2", "0.4", "0.6", "0.8", "1.0", "1.2", "1.5"}) {
        const std::string run = "\"$0\" render --year 2024 --month 4 --kml --out map.png & "
                                "sleep $1; kill -TERM $! 2>/dev/null; wait";
        runProgram("/bin/sh", {"-c", run, VESK_EXECUTABLE, delay}, kml.path());
        for (const auto& [name, bytes] : folderContents(kml.path()))
            EXPECT_TRUE(name == "map.png" || name == "map.png.backup" || name == "202404.kml" ||
                        name == "202404_earth.kml")
                << name << " after a signal at " << delay << " s";
    }
}

// Data files in the working folder that are damaged, of the wrong size or unreadable are named
// with their full path on standard error and passed over: the next folder supplies the file.
// The user's data folder comes right after the working folder.
TEST(RenderCommand, DataFilesPassedOverAreNamedAndTheNextFolderServes) {
    ScratchDir dir, home;
    dir.write("color.txt", "this is another program's colour table\n");
    dir.write("globe04.dat", std::string(4096, '\0'));
    const std::vector<std::string> local = {"render", "--year", "2024",   "--month", "4",
                                            "--mode", "local",  "--text", "--out",   "l.png"};
    CommandResult r = runVesk(local, dir.path(), {"XDG_DATA_HOME=" + home.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string here = std::filesystem::canonical(dir.path()).string();
    EXPECT_NE(r.err.find("vesk: " + here + "/color.txt: line 1: four numbers expected"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(here + "/globe04.dat: holds 4096 bytes, not the 29160000"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("Location : 西脇 日本へそ公園"), std::string::npos) << "the shipped list";
    // A user's own city list, and places no observer can stand at left out with their line.
    std::filesystem::create_directories(home.path() / "vesk");
    home.write("vesk/location.new", "Nowhere,400,0\nLuxor,32.64,25.69,80,0\n");
    r = runVesk(local, dir.path(), {"XDG_DATA_HOME=" + home.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Location : Luxor"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("vesk/location.new line 1: longitude outside -180 to 360"),
              std::string::npos)
        << r.err;

    // Unreadable (to a user who is not root): named as such, and the next folder serves.
    ScratchDir open, clean;
    for (const ScratchDir* folder : {&open, &clean})
        std::filesystem::permissions(folder->path(), std::filesystem::perms::all);
    open.write("location.new", "Secret,1,2\n");
    std::filesystem::permissions(open.path() / "location.new", std::filesystem::perms::none);
    const auto asNobody = [&](const std::vector<std::string>& args, const ScratchDir& in) {
        std::vector<std::string> all = {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                        VESK_EXECUTABLE};
        all.insert(all.end(), args.begin(), args.end());
        return runProgram("/usr/bin/setpriv", all, in.path(), {"HOME=/nonexistent"});
    };
    // The same render in a folder of nothing of the test's own tells whether nobody can run the
    // program and read its data here (not where the clone lies in a folder only root may enter).
    if (getuid() != 0 || asNobody(local, clean).status != 0) {
        std::printf("(not checked: the user nobody cannot run the program or read its data "
                    "here)\n");
        return;
    }
    r = asNobody(local, open);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find(std::filesystem::canonical(open.path()).string() +
                         "/location.new cannot be read: Permission denied"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("Location : 西脇 日本へそ公園"), std::string::npos);
}

// A Saros series looked for from before it began is found; one that has ended says so once, in
// the user's language.
TEST(StepCommand, SarosSeriesFromBeforeItBeganAndAfterItEnded) {
    ScratchDir dir;
    CommandResult r =
        runVesk({"next", "--year", "1100", "--month", "1", "--saros", "139"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("1501.0517"), std::string::npos) << r.out;
    r = runVesk({"next", "--year", "2800", "--month", "1", "--saros", "139"}, dir.path(),
                {"LANGUAGE=en"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vesk next: This Saros series has no eclipse within 400 years.\n");
    r = runVesk({"next", "--year", "2800", "--month", "1", "--saros", "139"}, dir.path());
    EXPECT_EQ(r.err, "vesk next: このサロスは４００年の間にありませんでした。\n");
}

// An empty catalog file in the working folder is named as damaged and the next folder's serves;
// a write that runs into the size limit says so in the system's words.
TEST(RenderCommand, EmptyCatalogAndFileTooLargeAreNamed) {
    ScratchDir dir;
    dir.write("ecp00001p03000.prn", "");
    CommandResult r = runVesk({"info", "--year", "2024", "--month", "4"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("2024-04-08"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("ecp00001p03000.prn: damaged"), std::string::npos) << r.err;

    std::filesystem::remove(dir.path() / "ecp00001p03000.prn");
    // 20 blocks of 1024 bytes: too small for the map, and SIGXFSZ ignored as a shell can set it
    r = runProgram("/bin/bash",
                   {"-c",
                    "ulimit -f 20; trap '' XFSZ; exec \"$0\" render --year 2024 --month 4 "
                    "--out big.png",
                    VESK_EXECUTABLE},
                   dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("big.png: File too large"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "big.png"));
}

// Without a display the screenshot is the headless picture; a screenshot is a PNG file.
TEST(Window, ScreenshotWithoutADisplayIsTheHeadlessPicture) {
    ScratchDir dir;
    CommandResult r = runVesk({"--screenshot", "shot.png"}, dir.path(),
                              {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("no display"), std::string::npos);
    EXPECT_EQ(pngSize(readFile(dir.path() / "shot.png")), (std::pair{1000, 700}));
    for (const char* name : {"shot.jpg", "shot", "notes.txt"}) {
        r = runVesk({"--screenshot", name}, dir.path());
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_NE(r.err.find("--screenshot must name a .png file"), std::string::npos);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(RenderCommand, SkyViewOnlyInsideTheCentralPath) {
    ScratchDir dir;
    CommandResult r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "sky", "--lon",
                               "-104.14", "--lat", "25.29", "--out", "sky.png"},
                              dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pngSize(readFile(dir.path() / "sky.png")), (std::pair{1000, 700}));
    r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "sky", "--lon", "-74",
                 "--lat", "40.7", "--out", "nyc.png"},
                dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "nyc.png"));
}

// --json lists every object of the sky chart: the Sun, the Moon, the five planets and the stars
// down to magnitude 4, below the horizon too, each with its numbers; "up" is a positive altitude,
// and the planets up are those the chart names in its line. --json goes with --mode sky only.
TEST(RenderCommand, SkyJsonListsEveryObjectOfTheChart) {
    ScratchDir dir;
    CommandResult r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "sky", "--lon",
                               "-96.8", "--lat", "32.78", "--out", "sky.png", "--json", "--text"},
                              dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::size_t end = r.out.find("]\n");
    ASSERT_NE(end, std::string::npos) << r.out;
    const QJsonArray objects =
        QJsonDocument::fromJson(QByteArray::fromStdString(r.out.substr(0, end + 1))).array();
    ASSERT_GT(objects.size(), 60);
    QStringList names, planetsUp;
    for (const QJsonValue& object : objects) {
        names << object["name"].toString();
        for (const char* key : {"alt", "az", "ra", "dec"})
            EXPECT_TRUE(object[key].isDouble()) << key;
        EXPECT_EQ(object["magnitude"].isNull(), object["name"] == "Moon") << "the new Moon's none";
        EXPECT_EQ(object["up"].toBool(), object["alt"].toDouble() > 0);
        EXPECT_GE(object["az"].toDouble(), 0);
        EXPECT_LT(object["az"].toDouble(), 360);
        const QString name = object["name"].toString();
        if (QStringList{"Mercury", "Venus", "Mars", "Jupiter", "Saturn"}.contains(name) &&
            object["up"].toBool())
            planetsUp << name;
    }
    EXPECT_EQ(names.mid(0, 7),
              (QStringList{"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn"}));
    EXPECT_TRUE(names.contains("Sirius") && names.contains("Vega"));
    EXPECT_NE(r.out.find("\n   " + planetsUp.join(", ").toStdString() + "\n"), std::string::npos)
        << "the chart's line of the planets up";
    // the Sun in the south-south-west, 64.6 degrees up, as the local circumstances give it
    EXPECT_NEAR(objects[0]["alt"].toDouble(), 64.6, 0.1);
    EXPECT_NEAR(objects[0]["az"].toDouble(), 188, 0.5);
    r = runVesk({"render", "--year", "2024", "--month", "4", "--json", "--out", "map.png"},
                dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--json goes with --mode sky"), std::string::npos) << r.err;
}

// The view from the place is drawn at --at within the eclipse; an instant outside its contacts
// with the Earth, where the elements no longer hold, is refused and nothing is written.
TEST(RenderCommand, ViewOnlyWithinTheEclipse) {
    ScratchDir dir;
    const auto view = [&](const char* at) {
        return runVesk({"render", "--year", "2024", "--month", "4", "--mode", "view", "--lon",
                        "-96.8", "--lat", "32.78", "--at", at, "--out", "view.png"},
                       dir.path());
    };
    CommandResult r = view("2460000.5");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--at must lie within the eclipse, from 15:42:14 to 20:52:21"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "view.png"));
    r = view("18:00");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pngSize(readFile(dir.path() / "view.png")), (std::pair{1000, 700}));
}

// A globe turned but not magnified keeps the whole panel beside it, and its legend; magnified,
// the regional map names only the date and type.
TEST(RenderCommand, ATurnedGlobeKeepsItsPanel) {
    ScratchDir dir;
    for (const auto& [scale, whole] : {std::pair{"1", true}, {"2", false}}) {
        const CommandResult r = runVesk({"render", "--year", "2027", "--month", "8", "--centre",
                                         "80,10", "--scale", scale, "--text", "--out", "t.png"},
                                        dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.find("GREATEST ECLIPSE") != std::string::npos, whole) << scale;
        EXPECT_NE(r.out.find("Central line"), std::string::npos) << "the legend, at " << scale;
        EXPECT_NE(r.out.find("CENTRAL TOTAL ECLIPSE"), std::string::npos) << scale;
    }
}

TEST(RenderCommand, LimbScreenWithoutTheLunarGridNamesTheTool) {
    ScratchDir dir;
    const CommandResult r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "limb",
                                     "--lon", "-104.14", "--lat", "25.29", "--text"},
                                    dir.path(), {"VESK_DATA=" + dir.path().string()});
    EXPECT_EQ(r.status, 1) << "no limb screen without the grid";
    EXPECT_NE(r.err.find("vesk render: 月の標高ファイル(LRO.dat)がありません！\n"
                         "  vesk-tools パッケージの vesk-make-lro で"),
              std::string::npos)
        << r.err;
    // the command that makes the grid, with the product's address, on a line of its own
    EXPECT_NE(r.err.find("\n  " + std::string(vesk::lunarGridCommand) + "\n"), std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "vesk.png"));
    EXPECT_EQ(r.err.find("XDG_RUNTIME_DIR"), std::string::npos) << "no Qt runtime-folder warning";
}

// The map with the limits corrected for the lunar limb needs the grid: without it the map is
// refused with the limb screen's message and nothing is written; the option is the map's only.
TEST(RenderCommand, TrueLimitsNeedTheLunarGrid) {
    ScratchDir dir;
    CommandResult r = runVesk({"render", "--year", "2024", "--month", "4", "--centre", "-84,40",
                               "--scale", "40", "--true-limits", "--geojson"},
                              dir.path(), {"VESK_DATA=" + dir.path().string()});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("月の標高ファイル(LRO.dat)がありません！"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(vesk::lunarGridCommand), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "vesk.png"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "202404.geojson"));
    r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "sky", "--true-limits"},
                dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--true-limits goes with the map, --mode table and --mode local"),
              std::string::npos)
        << r.err;
}

// With the grid, --true-limits draws the graze zones on a regional map and writes the corrected
// limits to GeoJSON, the corrected duration as the table's last column, and the local screen's
// line on the corrected path.
TEST(RenderCommand, TrueLimitsOnTheMapTheTableAndTheLocalScreen) {
    if (!std::filesystem::exists(ldemLabel()))
        GTEST_SKIP() << "no LDEM_4 product";
    ScratchDir dir;
    ASSERT_TRUE(makeLunarGrid(dir));
    const std::vector<std::string> data{"VESK_DATA=" + dir.path().string()};
    const std::vector<std::string> april{"render", "--year", "2024", "--month", "4"};
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), april.begin(), april.end());
        return runVesk(args, dir.path(), data);
    };
    CommandResult r = run({"--centre", "-84,40", "--scale", "40", "--true-limits", "--geojson",
                           "--text", "--out", "map.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Graze zones (Baily's beads)"), std::string::npos) << r.out;
    const std::string geojson = readFile(dir.path() / "202404.geojson");
    for (const char* name :
         {"North limit, limb-corrected (interior)", "North limit, limb-corrected (exterior)",
          "South limit, limb-corrected (interior)", "South limit, limb-corrected (exterior)"})
        EXPECT_NE(geojson.find(name), std::string::npos) << name;
    r = run({"--mode", "table", "--table-format", "csv", "--table-lon", "-105", "--table-step", "5",
             "--true-limits", "--out", "table.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = readFile(dir.path() / "central.csv");
    EXPECT_NE(csv.find(",sun_altitude,corrected_duration_seconds\r\n"), std::string::npos);
    r = run({"--mode", "local", "--place", "-104.14,25.29", "--true-limits", "--text", "--out",
             "local.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(
        r.out.find(" Inside the corrected path: totality 4 m 27.4 s (smooth Moon 4 m 28.0 s)"),
        std::string::npos)
        << r.out;
}

// The Sun's radius is a setting: the legend and the table's heading say which was used; a radius
// no Sun has is refused.
TEST(RenderCommand, SolarRadiusIsStatedInTheLegend) {
    ScratchDir dir;
    CommandResult r = runVesk({"render", "--year", "2024", "--month", "4", "--solar-radius",
                               "959.95", "--text", "--out", "map.png"},
                              dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Sun's radius 959.95\" (696229 km)"), std::string::npos) << r.out;
    r = runVesk({"render", "--year", "2024", "--month", "4", "--text", "--out", "map.png"},
                dir.path());
    EXPECT_EQ(r.out.find("Sun's radius"), std::string::npos) << "the catalog's radius is not said";
    r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "table", "--solar-radius",
                 "959.95", "--text", "--out", "table.png"},
                dir.path());
    EXPECT_NE(r.out.find(" Sun's radius : 959.95\" (696229 km)\n"), std::string::npos) << r.out;
    r = runVesk({"render", "--year", "2024", "--month", "4", "--solar-radius", "96"}, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--solar-radius"), std::string::npos) << r.err;
}

// A command broken to a width: every line fits, and the lines joined as a shell joins them give
// the command back, whether the breaks fall between words or, for a word longer than the width,
// within it.
TEST(RenderCommand, CommandsWrapWhereAShellJoinsThem) {
    vesk::testing::RecordingSurface surface;
    surface.selectFont({vesk::FontRole::mono, 14, 400}); // 7 pixels a character
    for (const int width : {2000, 600, 300, 120}) {
        const std::vector<std::string> lines =
            vesk::wrappedCommand(surface, vesk::lunarGridCommand, width);
        std::string joined;
        for (const std::string& line : lines) {
            EXPECT_LE(surface.textSize(line).width, width) << line;
            joined += line + "\n";
        }
        for (std::size_t at; (at = joined.find("\\\n")) != std::string::npos;)
            joined.erase(at, 2);
        EXPECT_EQ(joined, std::string(vesk::lunarGridCommand) + "\n") << width;
        EXPECT_EQ(lines.size() == 1, width == 2000);
    }
}

// --geojson writes the path as GeoJSON beside the picture, through the same writer as the other
// outputs: a FIFO at its name is refused and left as it is.
TEST(RenderCommand, GeoJsonBesideThePicture) {
    ScratchDir dir;
    CommandResult r = runVesk(
        {"render", "--year", "2024", "--month", "4", "--geojson", "--out", "m.png"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir.path() / "202404.geojson").rfind("{\"type\":\"FeatureCollection\"", 0),
              0u);
    ScratchDir fifo;
    ASSERT_EQ(mkfifo((fifo.path() / "202404.geojson").c_str(), 0600), 0);
    r = runVesk({"render", "--year", "2024", "--month", "4", "--geojson", "--out", "m.png"},
                fifo.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("202404.geojson"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_fifo(fifo.path() / "202404.geojson"));
}

// --at takes a Julian date as well as a time of the eclipse's day.
TEST(RenderCommand, ShadowAtAJulianDate) {
    ScratchDir dir;
    const CommandResult r =
        runVesk({"render", "--year", "2024", "--month", "4", "--at", "2460409.27083333", "--text"},
                dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n18:30:00 UT\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Shadow: 0."), std::string::npos);
}

// --table-format writes the central line table at full precision beside the picture; it goes
// with the table only.
TEST(RenderCommand, CentralTableForScripts) {
    ScratchDir dir;
    CommandResult r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "table",
                               "--table-format", "csv", "--out", "t.png"},
                              dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = readFile(dir.path() / "central.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 14) << "a header and 13 rows";
    r = runVesk({"render", "--year", "2024", "--month", "4", "--mode", "table", "--table-format",
                 "json", "--out", "t.png"},
                dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        QJsonDocument::fromJson(QByteArray::fromStdString(readFile(dir.path() / "central.json")))
            .array()
            .size(),
        13);
    EXPECT_EQ(runVesk({"render", "--table-format", "csv", "--out", "m.png"}, dir.path()).status, 2)
        << "not with the map";
}

TEST(RenderCommand, RefusesBadRequestsWithoutWriting) {
    ScratchDir dir;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"render", "--size", "10x10"},
             {"render", "--range", "moon"},
             {"render", "--at", "25:99"},
             {"render", "--at", "noon"},
             {"render", "--mode", "table", "--at", "18:00"},
             {"render", "--centre", "200,0", "--scale", "2"},
             {"render", "--centre", "10,10"},
             {"render", "--relief", "--vector"},
             {"render", "--year", "2024"},
             {"render", "--mode", "moon"},
             {"render", "--out", ""},
             {"render", "--out", "map.jpg"},
             {"render", "--out", ".svg"},
             {"render", "--dpr", "0.5"},
             {"render", "--dpr", "5"},
             {"render", "--dpr", "two"},
             {"render", "--out", "folder/"},
             {"render", "--year", "-13001", "--month", "1"},
             {"render", "--lon", "0", "--lat", "0", "--height", "1e308"},
             {"render", "--table-lon", "1e308"},
             {"render", "--table-lon", "-361"},
             {"render", "--size", "10000x10000", "--dpr", "4"},
             {"render", "--size", "10000x10000", "--dpr", "2.01"}}) {
        const CommandResult r = runVesk(args, dir.path());
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Which eclipse was it: with the evidence of the records the literature identifies, their
// eclipse comes first in its century, and the list is ordered by the probability it gives.
TEST(SearchCommands, TheRecordsEclipseComesFirst) {
    ScratchDir dir;
    struct Record {
        std::vector<std::string> evidence;
        const char* identified;
    };
    const Record records[] = {
        {{"--place", "44.42,32.54", "--seen", "total", "--from", "-200"}, "-135-04-15"}, // Babylon
        {{"--place", "43.15,36.36", "--seen", "magnitude:0.9", "--from", "-800"},
         "-762-06-15"}, // Nineveh
        {{"--place", "12.48,41.90", "--seen", "central", "--from", "1500"}, "1567-04-09"}, // Rome
        // the same places by the names of the historical list
        {{"--place", "Babylon", "--seen", "total", "--from", "-200"}, "-135-04-15"},
        {{"--place", "Nineveh", "--seen", "magnitude:0.9", "--from", "-800"}, "-762-06-15"},
        {{"--place", "Rome, historical", "--seen", "central", "--from", "1500"}, "1567-04-09"},
    };
    for (const Record& record : records) {
        std::vector<std::string> args = {"list", "--years", "100", "--json"};
        args.insert(args.end(), record.evidence.begin(), record.evidence.end());
        const CommandResult r = runVesk(args, dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
        const QJsonArray hits = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).array();
        ASSERT_FALSE(hits.isEmpty()) << r.out;
        EXPECT_EQ(hits[0].toObject()["date"].toString().toStdString(), record.identified) << r.out;
        for (qsizetype i = 1; i < hits.size(); ++i)
            EXPECT_LE(hits[i].toObject()["p_seen"].toDouble(),
                      hits[i - 1].toObject()["p_seen"].toDouble());
        EXPECT_GE(hits.last().toObject()["p_seen"].toDouble(), 0.01);
    }
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--seen", "total"},
          {"--place", "44.42,32.54", "--seen", "totality"},
          {"--place", "44.42,32.54", "--seen", "magnitude:2"},
          {"--place", "44.42,32.54", "--seen", "total", "--solar-time", "14..9"},
          {"--place", "44.42,32.54", "--seen", "total", "--p-min", "0"},
          {"--place", "44.42,32.54", "--after-sunrise", "1..2"}}) {
        std::vector<std::string> args = {"list", "--from", "-200", "--years", "10"};
        args.insert(args.end(), bad.begin(), bad.end());
        const CommandResult r = runVesk(args, dir.path());
        EXPECT_EQ(r.status, 2) << bad.back();
        EXPECT_NE(r.err.find("--"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST(SearchCommands, ListNextAndPrevious) {
    ScratchDir dir;
    CommandResult r =
        runVesk({"list", "--from", "1600", "--years", "3000", "--saros", "145", "--limit", "3"},
                dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "   1639.0104   部分日蝕    145/ 1\n   1657.0114   部分日蝕    145/ 2\n"
                     "   1675.0125   部分日蝕    145/ 3\n");
    r = runVesk({"list", "--from", "2035", "--years", "1", "--place", "139.767,35.683"},
                dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("  max")), "   2035.0902   皆既日蝕    145/23")
        << "Tokyo above magnitude 0.5";
    // the maximum there, as info gives it, with the time on Tokyo's clocks
    EXPECT_NE(r.out.find("max 2035-09-02T01:08:55.0Z (2035-09-02T10:08:55+09:00)  mag 0.9929  "
                         "obscuration 0.9950  Sun 55.3°\n"),
              std::string::npos)
        << r.out;
    const QJsonObject tokyo =
        QJsonDocument::fromJson(
            QByteArray::fromStdString(runVesk({"info", "--year", "2035", "--month", "9", "--place",
                                               "139.767,35.683", "--json"},
                                              dir.path())
                                          .out))
            .object()["local"]
            .toObject();
    EXPECT_EQ(tokyo["magnitude"].toDouble(), 0.9929);
    EXPECT_EQ(tokyo["obscuration"].toDouble(), 0.995);
    EXPECT_EQ(tokyo["max"].toObject()["ut"].toString(), QStringLiteral("2035-09-02T01:08:55.0Z"));

    r = runVesk({"next", "--year", "2024", "--month", "4", "--type", "2"}, dir.path());
    EXPECT_EQ(r.out, "   2026.0812   皆既日蝕    126/48\n") << r.err;
    // Types by name as well as by code.
    EXPECT_EQ(
        runVesk({"next", "--year", "2024", "--month", "4", "--type", "total"}, dir.path()).out,
        r.out);
    r = runVesk({"next", "--year", "2024", "--month", "4", "--type", "hybrid"}, dir.path());
    EXPECT_EQ(r.out.substr(0, 15), "   2031.1114   ") << r.out << r.err;
    // for scripts: CSV with a header, or JSON, whatever the locale
    r = runVesk({"list", "--from", "2024", "--years", "1", "--csv"}, dir.path());
    EXPECT_EQ(r.out, "date,calendar,type,type_code,saros,saros_member,p_central,max_ut,max_civil,"
                     "magnitude,obscuration,sun_alt\r\n"
                     "2024-04-08,gregorian,total,2,139,30,,,,,,\r\n"
                     "2024-10-02,gregorian,annular,3,144,17,,,,,,\r\n"
                     "2025-03-29,gregorian,partial,1,149,21,,,,,,\r\n"
                     "2025-09-21,gregorian,partial,1,154,7,,,,,,\r\n")
        << r.err;
    r = runVesk({"list", "--from", "2024", "--years", "1", "--place", "-74.006,40.713", "--csv"},
                dir.path());
    EXPECT_NE(r.out.find("2024-04-08,gregorian,total,2,139,30,,2024-04-08T19:25:35.8Z,"
                         "2024-04-08T15:25:36-04:00,0.9105,0.8988,43.4\r\n"),
              std::string::npos)
        << r.out << r.err;
    r = runVesk({"list", "--from", "-763", "--years", "1", "--place", "43.15,36.36", "--p-central",
                 "0.05", "--json"},
                dir.path());
    const QJsonArray nineveh = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).array();
    ASSERT_EQ(nineveh.size(), 1) << r.out << r.err;
    EXPECT_EQ(nineveh[0].toObject()["date"].toString(), QStringLiteral("-762-06-15"));
    EXPECT_EQ(nineveh[0].toObject()["calendar"].toString(), QStringLiteral("julian"));
    EXPECT_NEAR(nineveh[0].toObject()["p_central"].toDouble(), 0.118, 0.001);
    const QJsonObject atNineveh = nineveh[0].toObject()["local"].toObject();
    EXPECT_EQ(atNineveh["max_civil"].toString(), QString()) << "no civil time in 763 BC";
    EXPECT_GT(atNineveh["obscuration"].toDouble(), 0.9);
    EXPECT_EQ(runVesk({"list", "--csv", "--json"}, dir.path()).status, 2);
    // the type's name in the locale's language: English for every language but Japanese
    for (const char* locale : {"LC_ALL=en_US.UTF-8", "LANGUAGE=de"})
        EXPECT_EQ(runVesk({"next", "--year", "2024", "--month", "4", "--type", "total"}, dir.path(),
                          {locale})
                      .out,
                  "   2026.0812   total                 126/48\n")
            << locale;
    r = runVesk({"prev", "--year", "2035", "--month", "9", "--saros", "145"}, dir.path());
    EXPECT_EQ(r.out, "   2017.0821   皆既日蝕    145/22\n") << r.err;
    r = runVesk({"prev", "--year", "2024", "--month", "4"}, dir.path());
    EXPECT_EQ(r.out, "   2023.1014   金環日蝕    134/44\n") << r.err;
    // July 2000 has two eclipses: before the second comes the first.
    r = runVesk({"prev", "--year", "2000", "--month", "7", "--day", "31"}, dir.path());
    EXPECT_EQ(r.out, "   2000.0701   部分日蝕    117/68\n") << r.err;
    // Looking back from the catalog's second eclipse (September 30 UT) stops at its first.
    r = runVesk({"prev", "--year", "-12999", "--month", "9", "--type", "1"}, dir.path());
    EXPECT_EQ(r.out, " -12999.0831   部分日蝕   -347/ 1   (13000 BC, Julian)\n") << r.err;

    for (const auto& args :
         std::vector<std::vector<std::string>>{{"list", "--type", "7"},
                                               {"list", "--type", "ring"},
                                               {"list", "--type", "2", "--saros", "145"},
                                               {"list", "--min-mag", "0.5"},
                                               {"list", "--place", "139"},
                                               {"list", "--place", "abc,20"},
                                               {"list", "--from", "17000"},
                                               {"prev", "--year", "-13001", "--month", "1"},
                                               {"next", "--month", "0"}}) {
        r = runVesk(args, dir.path());
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_TRUE(r.out.empty());
    }
}
