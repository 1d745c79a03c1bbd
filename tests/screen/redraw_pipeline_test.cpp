// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages.h"
#include "path_tracers.h"
#include "recording_surface.h"
#include "redraw_pipeline.h"
#include "scaled_surface.h"
#include "test_support.h"
#include "timescales.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

// Records what the pipeline asked of the rest of the program.
struct FakeServices : RedrawServices {
    int pathMaps = 0, tables = 0, locals = 0, views = 0, baseLoads = 0;
    Outcome baseFault;
    Outcome loadBaseMapData(IgnoredFiles&) override {
        ++baseLoads;
        return baseFault;
    }
    Font fontAtRender;
    MapProjection drawPathMap(DrawSurface& surface, const ScreenFrame&) override {
        ++pathMaps;
        fontAtRender = surface.selectFont({});
        surface.selectFont(fontAtRender);
        return {};
    }
    void drawCentralTable(DrawSurface&, const ScreenFrame&) override { ++tables; }
    void drawLocalCircumstances(DrawSurface&, const ScreenFrame&) override { ++locals; }
    void drawViewFromPlace(DrawSurface&, const ScreenFrame&) override { ++views; }
    CalendarMonth currentMonth() override { return {2030, 3}; }
};

struct PipelineFixture : ::testing::Test {
    ScratchDir dir;
    DataPaths paths{{dir.path()}};
    Session session{paths};
    RecordingSurface surface{1000, 700};
    FakeServices services;

    void SetUp() override { dir.write("location.new", "Here,135,35,0,0\n"); }

    bool showedMessage(const char* text) const {
        for (const auto& t : surface.texts)
            if (t.text == text)
                return true;
        return false;
    }
};

} // namespace

TEST(ScaledSurface, DrawsTheLayoutLargerAndRestoresTheFont) {
    RecordingSurface inner(1000, 700);
    inner.selectFont({FontRole::panel, -11, 500});
    {
        ScaledSurface panel(inner, 1.5);
        EXPECT_EQ(panel.width(), 667);
        panel.textOut(10, 16, "CANON OF SOLAR ECLIPSE");
        EXPECT_EQ(panel.selectFont({FontRole::mono, -12, 500}).height, -11);
        panel.moveTo(10, 20);
        panel.lineTo(30, 20);
        panel.setPixel(4, 4, Rgb{1, 2, 3});
    }
    ASSERT_EQ(inner.texts.size(), 1u);
    EXPECT_EQ(inner.texts[0].x, 15);
    EXPECT_EQ(inner.texts[0].y, 24);
    EXPECT_EQ(inner.texts[0].font.height, -17) << "-11 x 1.5, rounded";
    EXPECT_EQ(inner.lines.at(0).from.x, 15);
    EXPECT_EQ(inner.lines.at(0).to.x, 45);
    EXPECT_EQ(inner.pixels.size(), 4u) << "one layout pixel, 1.5 device pixels rounded to 2 x 2";
    EXPECT_EQ(inner.selectFont({}).height, -11) << "restored";
}

TEST_F(PipelineFixture, FirstRepaintShowsTheEclipseOfTheCurrentMonth) {
    dir.write("ecp00001p03000.prn",
              catalogEntry(2030, 6, 1, 3, 128) + catalogEntry(2030, 11, 25, 2, 133));
    const RedrawOutcome outcome =
        redrawView(session, session.view, {RedrawAction::fromClock}, surface, services);
    EXPECT_TRUE(outcome.rendered);
    EXPECT_EQ(services.pathMaps, 1);
    EXPECT_EQ(services.baseLoads, 1);
    EXPECT_EQ(outcome.reached.year, 2030);
    EXPECT_EQ(outcome.reached.month, 6);
    const ChosenEclipse& shown = outcome.frame.eclipse;
    EXPECT_EQ(shown.record.saros, 128);
    EXPECT_NEAR(shown.deltaT, deltaT((shown.record.jd - 2451545) / 36525), 1e-9);
    EXPECT_EQ(outcome.frame.layout, layoutView(session.view, 1000, 700));
    ASSERT_EQ(outcome.frame.cities.rows.size(), 1u);
    EXPECT_EQ(services.fontAtRender, panelFont());
    EXPECT_EQ(surface.font, Font{}) << "the previous font is selected again afterwards";
}

TEST_F(PipelineFixture, MissingFilesStopTheRepaintWithMessages) {
    RedrawOutcome outcome =
        redrawView(session, session.view, {RedrawAction::fromClock}, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_TRUE(showedMessage(messageNoCatalog));
    EXPECT_TRUE(showedMessage(messageStartHere));
    EXPECT_TRUE(outcome.askForMonth) << "the window asks for another month";
    EXPECT_EQ(services.pathMaps, 0);

    std::filesystem::remove(dir.path() / "location.new");
    outcome = redrawView(session, session.view, {}, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_EQ(outcome.messages.front(), messageNoCityTable);
    EXPECT_EQ(services.baseLoads, 1) << "nothing else is loaded";

    dir.write("location.new", "Here,135,35,0,0\n");
    services.baseFault =
        Failure{FailureKind::damagedFile, "color.txt", 3, "a colour value outside 0 to 255"};
    outcome = redrawView(session, session.view, {}, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_EQ(outcome.messages,
              (std::vector<std::string>{messageDamagedDataFile,
                                        "color.txt: line 3: a colour value outside 0 to 255"}));
}

TEST_F(PipelineFixture, TypeSearchCrossesIntoTheNextFile) {
    dir.write("ecp00001p03000.prn",
              catalogEntry(2999, 3, 10, 2, 1) + catalogEntry(3000, 5, 10, 1, 2));
    dir.write("ecp03001p08000.prn",
              catalogEntry(3001, 2, 5, 1, 3) + catalogEntry(3001, 8, 5, 2, 4));
    session.view.year = 2999;
    session.view.month = 3;
    ASSERT_EQ(redrawView(session, session.view, {}, surface, services).frame.eclipse.record.saros,
              1);
    session.view.searchMode = searchType;
    session.view.searchType = 2;
    const RedrawOutcome outcome =
        redrawView(session, session.view, {RedrawAction::nextMatch}, surface, services);
    EXPECT_TRUE(outcome.rendered);
    EXPECT_EQ(outcome.reached.year, 3001);
    EXPECT_EQ(outcome.reached.month, 8);
    EXPECT_EQ(outcome.frame.eclipse.record.saros, 4);

    // and back: the last total eclipse before it, across the files again (looking back two
    // years, from the first entry of the test's file)
    session.view = outcome.frame.settings;
    session.view.searchTypePastYears = 2;
    const RedrawOutcome back =
        redrawView(session, session.view, {RedrawAction::previousMatch}, surface, services);
    EXPECT_EQ(back.frame.eclipse.record.saros, 1);
    EXPECT_EQ(back.reached.year, 2999);
    // without a search, the entry read before the one shown
    session.view = back.frame.settings;
    session.view.searchMode = searchAll;
    session.view.year = 3001;
    session.view.month = 8;
    ASSERT_EQ(redrawView(session, session.view, {}, surface, services).frame.eclipse.record.saros,
              4);
    EXPECT_EQ(redrawView(session, session.view, {RedrawAction::previousMatch}, surface, services)
                  .frame.eclipse.record.saros,
              3);
}

TEST_F(PipelineFixture, SearchesEndWithTheirMessages) {
    std::string file;
    for (int year = 2001; year < 2500; year += 2)
        file += catalogEntry(year, 6, 10, 1, 7);
    dir.write("ecp00001p03000.prn", file);
    session.view.year = 2001;
    session.view.month = 6;
    session.view.searchMode = searchSarosNumber;
    session.view.searchSaros = 99;
    RedrawOutcome outcome = redrawView(session, session.view, {}, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_TRUE(showedMessage(messageSarosNotFound));
    EXPECT_GT(outcome.reached.year, 2401) << "where the walk ended";
    EXPECT_LT(outcome.reached.year, 2405);

    // A type that never comes runs off the end of the catalog.
    session.view.searchMode = searchType;
    session.view.searchType = 4;
    outcome = redrawView(session, session.view, {RedrawAction::nextMatch}, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_TRUE(showedMessage(messageNoCatalogDuringSearch));
    EXPECT_TRUE(outcome.askForMonth);
}

// After the catalog's last eclipse: the catalog has ended (no file is missing), and the
// user's year and month stay as typed.
TEST_F(PipelineFixture, MonthsAfterTheLastEclipseEndTheCatalog) {
    dir.write("ecp13001p16999.prn",
              catalogEntry(16996, 6, 15, 2, 665) + catalogEntry(16996, 11, 29, 2, 666));
    session.view.year = 16998;
    session.view.month = 3;
    RedrawOutcome outcome = redrawView(session, session.view, {}, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{messageCatalogEnded});
    EXPECT_EQ(outcome.reached.year, 16998);
    EXPECT_EQ(outcome.reached.month, 3);
    EXPECT_FALSE(outcome.askForMonth) << "no reset to the clock";

    // A search that runs off the last file says the same.
    session.view.year = 16996;
    session.view.month = 6;
    ASSERT_EQ(redrawView(session, session.view, {}, surface, services).frame.eclipse.record.saros,
              665);
    session.view.searchMode = searchType;
    session.view.searchType = 4;
    outcome = redrawView(session, session.view, {RedrawAction::nextMatch}, surface, services);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{messageCatalogEnded});
    EXPECT_FALSE(outcome.askForMonth);
}

// A zoomed map follows the eclipse chosen when it leaves out the new path (Egypt, then 2024 April
// over Mexico); pinned, it stays and says where the path went. The first screen keeps the centre
// it was asked for, as the command line's --centre does.
TEST(Pipeline, TheMapFollowsTheEclipseUnlessPinned) {
    for (const bool pinned : {false, true}) {
        Session session{DataPaths{{sourceDataDir()}}};
        FakeServices services;
        ViewSettings v;
        v.mapRange = MapRange::centred;
        v.centreLon = 31;
        v.centreLat = 27;
        v.magnification = 8;
        v.viewPinned = pinned;
        const auto draw = [&](double year, double month) {
            v.year = year;
            v.month = month;
            RecordingSurface surface;
            const RedrawOutcome outcome = redrawView(session, v, {}, surface, services);
            EXPECT_TRUE(outcome.rendered);
            v = outcome.frame.settings;
            return std::ranges::count(surface.texts, std::string(messagePathOutsideView),
                                      &RecordedText::text);
        };
        EXPECT_EQ(draw(2024, 4), 0) << "the first screen stays where it was asked to be";
        EXPECT_EQ(v.centreLon, 31);
        EXPECT_EQ(draw(2027, 8), 0) << "2027 crosses Egypt";
        EXPECT_EQ(draw(2024, 4), pinned ? 1 : 0);
        const GreatestEclipse greatest =
            greatestEclipse(session.shown.record, 0, session.shown.deltaT);
        EXPECT_EQ(v.centreLon, pinned ? 31 : greatest.point.lon);
        EXPECT_EQ(v.centreLat, pinned ? 27 : greatest.point.lat);
    }
}
