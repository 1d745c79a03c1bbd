// SPDX-License-Identifier: GPL-3.0-or-later
// "vesk report" as a historian uses it: the page of Nineveh's eclipse of 763 BC as PDF and SVG,
// read back as a reader of the document would (its text, its picture), and refused inputs.
#include "test_support.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

using namespace vesk::testing;

namespace {

CommandResult runVesk(const std::vector<std::string>& args, const std::filesystem::path& dir) {
    return runProgram(VESK_EXECUTABLE, args, dir);
}

const std::vector<std::string> nineveh = {"--year", "-762", "--month", "6", "--place", "Nineveh"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The PDF's text holds what a citation needs, as info computes it; its map marks the place at
// the map's centre.
TEST(ReportCommand, ThePageCitesTheEclipseThePlaceTheRangesAndTheSources) {
    ScratchDir dir;
    const CommandResult made =
        runVesk(with({"report"}, with(nineveh, {"--out", "n.pdf"})), dir.path());
    ASSERT_EQ(made.status, 0) << made.err;
    const CommandResult text =
        runProgram("/usr/bin/pdftotext", {"-layout", "n.pdf", "-"}, dir.path());
    ASSERT_EQ(text.status, 0) << text.err;
    const CommandResult info = runVesk(with({"info", "--json"}, nineveh), dir.path());
    ASSERT_EQ(info.status, 0) << info.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(info.out)).object();
    const QJsonArray central = json["central_delta_t"].toArray()[0].toArray();
    char range[96];
    std::snprintf(range, sizeof range, "for Delta T %.0f to %.0f s (P = %.3f)",
                  central[0].toDouble(), central[1].toDouble(), json["p_central"].toDouble());
    for (const std::string& expected :
         {std::string("Nineveh (historical site)"), std::string("763 BC"),
          std::string("Julian calendar"), std::string(range), std::string("smh2020"),
          std::string("Morrison & Stephenson 2004"), std::string("JPL DE431"),
          std::string("Wikipedia, \"Nineveh\""), std::string("0.2722810"),
          std::string("since sunrise"), std::string("vesk ")})
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected << "\n" << text.out;

    // the page at 96 dots an inch is the layout's pixels: the place's red mark at the map's
    // centre (the observer's cyan, the page inverted to white paper)
    const CommandResult page = runProgram(
        "/usr/bin/pdftoppm", {"-r", "96", "-png", "-singlefile", "n.pdf", "page"}, dir.path());
    ASSERT_EQ(page.status, 0) << page.err;
    const QImage image(QString::fromStdString((dir.path() / "page.png").string()));
    ASSERT_FALSE(image.isNull());
    int marked = 0;
    for (int y = 280 - 6; y <= 280 + 6; ++y)
        for (int x = 397 - 6; x <= 397 + 6; ++x) {
            const QRgb c = image.pixel(x, y);
            marked += qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
        }
    EXPECT_GE(marked, 6) << "the place's mark at the map's centre";

    const CommandResult svg =
        runVesk(with({"report"}, with(nineveh, {"--out", "n.svg"})), dir.path());
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(runProgram("/usr/bin/xmllint", {"--noout", "n.svg"}, dir.path()).status, 0);
    EXPECT_NE(readFile(dir.path() / "n.svg").find("763 BC"), std::string::npos);
}

// Wrong inputs are refused by name, with nothing written.
TEST(ReportCommand, RefusesWhatItCannotReport) {
    ScratchDir dir;
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {with(nineveh, {"--out", "n.png"}), 2, "--out must name a .pdf or .svg file"},
        {{"--year", "-762", "--month", "6", "--out", "n.pdf"}, 2, "give --place"},
        {with(nineveh, {}), 2, "--out FILE.pdf"},
        {{"--month", "6", "--place", "Nineveh", "--out", "n.pdf"}, 2, "--year and --month"},
        {{"--year", "-762", "--month", "6", "--place", "Atlantis of old", "--out", "n.pdf"},
         2,
         "no place called"},
        {with(nineveh, {"--out", "missing/n.pdf"}), 1, "cannot write missing/n.pdf"},
        {with(nineveh, {"--out", "n.pdf", "--scale", "0"}), 2, "--scale"},
    };
    for (const auto& c : cases) {
        const CommandResult r = runVesk(with({"report"}, c.args), dir.path());
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
