// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages.h"
#include "recording_surface.h"
#include "redraw_pipeline.h"
#include "scaled_surface.h"
#include "test_support.h"
#include "timescales.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

// Records what the pipeline asked of the rest of the program.
struct FakeServices : RedrawServices {
    int pathMaps = 0, tables = 0, locals = 0, dialogs = 0, baseLoads = 0;
    std::string baseFault;
    std::string loadBaseMapData(IgnoredFiles&) override {
        ++baseLoads;
        return baseFault;
    }
    void resetProjection(MapRange) override {}
    Font fontAtRender;
    void drawPathMap(DrawSurface& surface, bool) override {
        ++pathMaps;
        fontAtRender = surface.selectFont({});
        surface.selectFont(fontAtRender);
    }
    void drawCentralTable(DrawSurface&, double) override { ++tables; }
    void drawLocalCircumstances(DrawSurface&, double, double) override { ++locals; }
    void openYearMonthDialog() override { ++dialogs; }
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

TEST(LayoutView, GlobeAndMercatorOfAThousandBySevenHundredWindow) {
    ViewState view;
    layoutView(view, 1000, 700);
    EXPECT_EQ(view.baseRadius, 340);
    EXPECT_EQ(view.mapCentreX, 610);
    EXPECT_EQ(view.mapCentreY, 350);
    EXPECT_EQ(view.mapLeft, 270);
    EXPECT_EQ(view.mapBottom, 690);
    view.projection = Projection::mercator;
    layoutView(view, 1000, 700);
    EXPECT_NEAR(view.baseRadius, 770 / 3.1415926536 / 2, 1e-9);
    EXPECT_EQ(view.mapCentreY, 5 + 298);
    EXPECT_TRUE(view.mercatorLayout);
    // Back to a regional globe: the base radius is recomputed after a Mercator layout.
    view.projection = Projection::globe;
    view.mapRange = MapRange::asia;
    layoutView(view, 1000, 700);
    EXPECT_EQ(view.mapScale, 340);
    EXPECT_EQ(view.mapCentreX, 500);
    EXPECT_FALSE(view.mercatorLayout);
}

TEST(LayoutView, ThePanelWidensWithTheTextSize) {
    ViewState view;
    view.textScale = 1.5;
    layoutView(view, 1000, 700);
    EXPECT_EQ(view.mapCentreX, (1000 - 330) / 2 + 330);
    EXPECT_EQ(view.baseRadius, 325);
    view.projection = Projection::mercator;
    layoutView(view, 1000, 700);
    EXPECT_EQ(view.mapLeft, 335) << "the map right of the wider panel";
}

TEST(ScaledSurface, DrawsTheLayoutLargerAndRestoresTheFont) {
    RecordingSurface inner(1000, 700);
    inner.selectFont({"ＭＳ　明朝", -11, 500, true});
    {
        ScaledSurface panel(inner, 1.5);
        EXPECT_EQ(panel.width(), 667);
        panel.textOut(10, 16, "CANON OF SOLAR ECLIPSE");
        EXPECT_EQ(panel.selectFont({"Courier New", -12, 500, true}).height, -11);
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
    const RedrawOutcome outcome = redrawView(session, surface, services);
    EXPECT_TRUE(outcome.rendered);
    EXPECT_EQ(services.pathMaps, 1);
    EXPECT_EQ(services.baseLoads, 1);
    EXPECT_EQ(session.view.year, 2030);
    EXPECT_EQ(session.view.month, 6);
    EXPECT_EQ(session.view.redrawAction, redrawShow);
    EXPECT_EQ(session.shown.record.saros, 128);
    EXPECT_NEAR(session.shown.deltaT, deltaT((session.shown.record.jd - 2451545) / 36525), 1e-9);
    EXPECT_EQ(services.fontAtRender, panelFont());
    EXPECT_EQ(surface.font, Font{}) << "the previous font is selected again afterwards";
}

TEST_F(PipelineFixture, MissingFilesStopTheRepaintWithMessages) {
    RedrawOutcome outcome = redrawView(session, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_TRUE(showedMessage(messageNoCatalog));
    EXPECT_TRUE(showedMessage(messageStartHere));
    EXPECT_TRUE(session.view.dateResetPending);
    // The next repaint resets the date to the clock and asks for a year and month.
    outcome = redrawView(session, surface, services);
    EXPECT_EQ(services.dialogs, 1);
    EXPECT_FALSE(session.view.dateResetPending);
    EXPECT_EQ(session.view.year, 2030);
    EXPECT_EQ(services.pathMaps, 0);

    std::filesystem::remove(dir.path() / "location.new");
    outcome = redrawView(session, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_EQ(outcome.messages.front(), "都市情報(location.new)ファイルがありません！");
    EXPECT_EQ(services.baseLoads, 2) << "nothing else is loaded";

    dir.write("location.new", "Here,135,35,0,0\n");
    services.baseFault = "color.txt: line 3: a colour value outside 0 to 255";
    outcome = redrawView(session, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_EQ(outcome.messages,
              (std::vector<std::string>{messageDamagedDataFile, services.baseFault}));
}

TEST_F(PipelineFixture, TypeSearchCrossesIntoTheNextFile) {
    dir.write("ecp00001p03000.prn",
              catalogEntry(2999, 3, 10, 2, 1) + catalogEntry(3000, 5, 10, 1, 2));
    dir.write("ecp03001p08000.prn",
              catalogEntry(3001, 2, 5, 1, 3) + catalogEntry(3001, 8, 5, 2, 4));
    session.view.year = 2999;
    session.view.month = 3;
    session.view.redrawAction = redrawShow;
    redrawView(session, surface, services);
    ASSERT_EQ(session.shown.record.saros, 1);
    session.view.searchMode = searchType;
    session.view.searchType = 2;
    session.view.redrawAction = redrawNextMatch;
    const RedrawOutcome outcome = redrawView(session, surface, services);
    EXPECT_TRUE(outcome.rendered);
    EXPECT_EQ(session.view.year, 3001);
    EXPECT_EQ(session.view.month, 8);
    EXPECT_EQ(session.shown.record.saros, 4);
}

TEST_F(PipelineFixture, SearchesEndWithTheirMessages) {
    std::string file;
    for (int year = 2001; year < 2500; year += 2)
        file += catalogEntry(year, 6, 10, 1, 7);
    dir.write("ecp00001p03000.prn", file);
    session.view.year = 2001;
    session.view.month = 6;
    session.view.redrawAction = redrawShow;
    session.view.searchMode = searchSarosNumber;
    session.view.searchSaros = 99;
    RedrawOutcome outcome = redrawView(session, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_TRUE(showedMessage(messageSarosNotFound));
    EXPECT_GT(session.view.year, 2401);
    EXPECT_LT(session.view.year, 2405);

    // A type that never comes runs off the end of the catalog.
    session.view.searchMode = searchType;
    session.view.searchType = 4;
    session.view.redrawAction = redrawNextMatch;
    outcome = redrawView(session, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_TRUE(showedMessage(messageNoCatalogDuringSearch));
    EXPECT_TRUE(session.view.dateResetPending);
}

// After the catalog's last eclipse: the catalog has ended (no file is missing), and the
// user's year and month stay as typed.
TEST_F(PipelineFixture, MonthsAfterTheLastEclipseEndTheCatalog) {
    dir.write("ecp13001p16999.prn",
              catalogEntry(16996, 6, 15, 2, 665) + catalogEntry(16996, 11, 29, 2, 666));
    session.view.year = 16998;
    session.view.month = 3;
    session.view.redrawAction = redrawShow;
    RedrawOutcome outcome = redrawView(session, surface, services);
    EXPECT_FALSE(outcome.rendered);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{messageCatalogEnded});
    EXPECT_EQ(session.view.year, 16998);
    EXPECT_EQ(session.view.month, 3);
    EXPECT_FALSE(session.view.dateResetPending);
    redrawView(session, surface, services);
    EXPECT_EQ(services.dialogs, 0) << "no reset to the clock";

    // A search that runs off the last file says the same.
    session.view.year = 16996;
    session.view.month = 6;
    redrawView(session, surface, services);
    ASSERT_EQ(session.shown.record.saros, 665);
    session.view.searchMode = searchType;
    session.view.searchType = 4;
    session.view.redrawAction = redrawNextMatch;
    outcome = redrawView(session, surface, services);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{messageCatalogEnded});
    EXPECT_FALSE(session.view.dateResetPending);
}
