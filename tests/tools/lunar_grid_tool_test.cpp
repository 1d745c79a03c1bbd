// SPDX-License-Identifier: GPL-3.0-or-later
// vesk-make-lro against hostile labels and servers (a server of the test's own on 127.0.0.1),
// and outputs that are special files.
#include "label.h"
#include "local/lunar_grid.h"
#include "local_http_server.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

// The label of a product of 2 lines of 4 samples (16 bytes), with extra lines at its end.
std::string tinyLabel(const std::string& image = "\"TINY.IMG\"", const std::string& extra = "") {
    return "PDS_VERSION_ID = \"PDS3\"\n^IMAGE = " + image +
           "\n  LINES = 2\n  LINE_SAMPLES = 4\n  SAMPLE_TYPE = LSB_INTEGER\n"
           "  SAMPLE_BITS = 16\n  SCALING_FACTOR = 0.5\n  MAXIMUM_LATITUDE = 90 <deg>\n"
           "  MINIMUM_LATITUDE = -90 <deg>\n  WESTERNMOST_LONGITUDE = 0 <deg>\n" +
           extra + "END\n";
}
const std::string tinyImage("\x10\x00\x20\x00\x30\x00\x40\x00\x50\x00\x60\x00\x70\x00\x80\x00", 16);

lro::LunarProduct productOfText(const std::string& text) {
    std::istringstream in(text);
    return lro::productOf(lro::parseLabel(in));
}

std::string refusalOf(const std::string& text) {
    try {
        productOfText(text);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "accepted";
}

CommandResult makeGrid(const std::vector<std::string>& how, const std::filesystem::path& out) {
    std::vector<std::string> args = how;
    args.insert(args.end(), {"--out", out.string()});
    return runProgram(VESK_MAKE_LRO, args, out.parent_path());
}

} // namespace

TEST(LunarLabel, ReadsTheLolaLabelAndRefusesWhatNoProductHolds) {
    const std::filesystem::path lola = ephemerisDir().parent_path() / "moon" / "LDEM_4.LBL";
    if (std::filesystem::exists(lola)) {
        const lro::LunarProduct product = productOfText(readFile(lola));
        EXPECT_EQ(product.lines, 720);
        EXPECT_EQ(product.samples, 1440);
        EXPECT_EQ(product.scale, 0.5);
        EXPECT_EQ(product.westernmost, 0);
        EXPECT_EQ(product.image, "LDEM_4.IMG");
    }
    EXPECT_EQ(productOfText(tinyLabel()).imageBytes(), 16u);
    // Each refusal names the key at fault.
    const std::pair<std::string, std::string> faults[] = {
        {"  SCALING_FACTOR = nan\n", "SCALING_FACTOR"},
        {"  SCALING_FACTOR = 0\n", "SCALING_FACTOR"},
        {"  WESTERNMOST_LONGITUDE = 1e300\n", "WESTERNMOST_LONGITUDE"},
        {"  LINES = many\n", "LINES"},
        {"  LINES = 1.5\n", "LINES"},
        {"  LINE_SAMPLES = 5 <pix> extra\n", "LINE_SAMPLES"},
        {"  SAMPLE_BITS = 8\n", "SAMPLE_BITS"},
        {"  MAXIMUM_LATITUDE = 60\n", "MAXIMUM_LATITUDE"}};
    for (const auto& [line, key] : faults) {
        // The first value of a key counts: the fault goes before the good line.
        const std::string refusal = refusalOf(line + tinyLabel());
        EXPECT_NE(refusal.find(key), std::string::npos) << line << refusal;
    }
    EXPECT_NE(refusalOf("LINES = 2\n").find("SAMPLE_TYPE"), std::string::npos);
    std::string noImage = tinyLabel();
    noImage.erase(noImage.find("^IMAGE"),
                  noImage.find('\n', noImage.find("^IMAGE")) - noImage.find("^IMAGE") + 1);
    EXPECT_NE(refusalOf(noImage).find("^IMAGE"), std::string::npos) << refusalOf(noImage);
    for (const char* image : {"\"../../../../tmp/x\"", "\"/etc/x\"", "\".hidden\"", "\"a/b.img\"",
                              "\"..\"", "\"\"", "(\"LDEM.IMG\", 1)", "\"%2e%2e%2fsecret.bin\"",
                              "\"a?b.img\"", "\"a#b.img\"", "\"a\\b.img\""})
        EXPECT_NE(refusalOf(tinyLabel(image)).find("bare file name"), std::string::npos) << image;
    // A line of 50 KB is refused, not matched.
    const std::string longLine = "DESCRIPTION = \"" + std::string(50000, 'x') + "\"\n";
    EXPECT_NE(refusalOf(longLine + tinyLabel()).find("line 1 is longer"), std::string::npos);
}

TEST(LunarGridTool, WritesOnlyUnderItsOwnNames) {
    ScratchDir source, target;
    // The label names the program's own data file and a file outside the output's folder.
    source.write("TINY.LBL", tinyLabel("\"location.new\""));
    source.write("location.new", tinyImage);
    const std::filesystem::path cities = target.write("location.new", "Tokyo,139.7,35.7,0,0\n");
    CommandResult r =
        makeGrid({"--url", fileUrl(source.path() / "TINY.LBL")}, target.path() / "LRO.dat");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(cities), "Tokyo,139.7,35.7,0,0\n");
    EXPECT_EQ(readFile(target.path() / "LRO.dat.img"), tinyImage);
    EXPECT_EQ(std::filesystem::file_size(target.path() / "LRO.dat"), 5760u * 2880 * 2);

    const std::filesystem::path victim = source.write("victim", "kept");
    source.write("EVIL.LBL", tinyLabel("\"../" + source.path().filename().string() + "/victim\""));
    r = makeGrid({"--url", fileUrl(source.path() / "EVIL.LBL")}, target.path() / "EVIL.dat");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("bare file name"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(victim), "kept");
    EXPECT_FALSE(std::filesystem::exists(target.path() / "EVIL.dat"));
    EXPECT_FALSE(std::filesystem::exists(target.path() / "EVIL.dat.img.part"));

    // An address of a folder, or of no known kind, is refused before anything is fetched.
    for (const std::string& url :
         {fileUrl(source.path()) + "/", std::string("gopher://x/y.lbl"),
          std::string("ftp://x/y.lbl"), std::string("http://192.0.2.1/ldem_4.lbl")}) {
        r = makeGrid({"--url", url}, target.path() / "F.dat");
        EXPECT_EQ(r.status, 2) << url;
        EXPECT_NE(r.err.find("--url must be"), std::string::npos) << r.err;
    }
}

TEST(LunarGridTool, HostileAndFailingServers) {
    LocalHttpServer server;
    ScratchDir dir;
    const std::filesystem::path out = dir.path() / "LRO.dat";
    server.answer("/tiny/TINY.LBL", {200, tinyLabel()});

    // A missing image or label: the status in the message, no empty partial file.
    CommandResult r = makeGrid({"--url", server.url("/tiny/TINY.LBL")}, out);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("HTTP 404"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "LRO.dat.img.part"));
    server.answer("/broken/TINY.LBL", {500, "trouble"});
    r = makeGrid({"--url", server.url("/broken/TINY.LBL")}, out);
    EXPECT_NE(r.err.find("HTTP 500"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "LRO.dat.lbl.part"));

    // An image far larger than the label states is cut off at the stated size, and dropped.
    server.answer("/tiny/TINY.IMG", {200, std::string(10'000'000, 'x')});
    r = makeGrid({"--url", server.url("/tiny/TINY.LBL")}, out);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("sends more than the 16 bytes the label states"), std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "LRO.dat.img.part"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "LRO.dat.img"));

    // A server that cannot resume: the partial download is begun again, and the grid is made.
    server.answer("/tiny/TINY.IMG", {200, tinyImage, false});
    dir.write("LRO.dat.img.part", tinyImage.substr(0, 6));
    r = makeGrid({"--url", server.url("/tiny/TINY.LBL")}, out);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir.path() / "LRO.dat.img"), tinyImage);
    EXPECT_NE(server.rangesAsked().find("6 -"), std::string::npos) << server.rangesAsked();

    // A server that goes silent ends the run after the timeout.
    server.answer("/stall/TINY.LBL", {200, tinyLabel(), true, true});
    r = makeGrid({"--url", server.url("/stall/TINY.LBL"), "--timeout", "1"}, dir.path() / "S.dat");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot fetch"), std::string::npos) << r.err;
    // What arrived is kept and continued by the next run, as the message says; a run into a
    // folder that does not exist yet (a new account's ~/.local/share/vesk) makes it.
    ASSERT_NE(r.err.find("continued by the next run"), std::string::npos) << r.err;
    const std::string arrived = readFile(dir.path() / "S.dat.lbl.part");
    ASSERT_FALSE(arrived.empty());
    server.answer("/stall/TINY.LBL", {200, tinyLabel()});
    server.answer("/stall/TINY.IMG", {200, tinyImage});
    const std::filesystem::path deeper = dir.path() / "new" / "share" / "vesk" / "S.dat";
    r = runProgram(VESK_MAKE_LRO,
                   {"--url", server.url("/stall/TINY.LBL"), "--out", deeper.string()}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("written to " + deeper.string()), std::string::npos) << r.out;
    EXPECT_EQ(std::filesystem::file_size(deeper), 5760u * 2880 * 2);
    dir.write("S.dat.lbl.part", arrived);
    r = makeGrid({"--url", server.url("/stall/TINY.LBL")}, dir.path() / "S.dat");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(server.rangesAsked().find(std::to_string(arrived.size()) + " -"), std::string::npos)
        << server.rangesAsked();
}

TEST(LunarGridTool, OutputNeverReplacesASpecialFile) {
    ScratchDir dir;
    dir.write("TINY.LBL", tinyLabel());
    dir.write("TINY.IMG", tinyImage);
    const std::string label = (dir.path() / "TINY.LBL").string();
    const SpecialFiles specials = makeSpecialFiles(dir, ".dat");
    for (const std::filesystem::path& special : specials.paths) {
        const CommandResult r = makeGrid({"--label", label}, special);
        EXPECT_EQ(r.status, 2) << special;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(specials.untouched());
    // A link to a regular file has its target replaced; the link stays.
    const std::filesystem::path real = dir.write("real.dat", "old");
    std::filesystem::create_symlink(real, dir.path() / "to-real.dat");
    ASSERT_EQ(makeGrid({"--label", label}, dir.path() / "to-real.dat").status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "to-real.dat"));
    EXPECT_EQ(std::filesystem::file_size(real), 5760u * 2880 * 2);
}
