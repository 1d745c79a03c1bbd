// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_layout.h"

#include <gtest/gtest.h>

using namespace vesk;

TEST(LayoutView, GlobeMercatorAndRegionalMapsOfAThousandBySevenHundredWindow) {
    ViewSettings view;
    MapLayout layout = layoutView(view, 1000, 700);
    EXPECT_EQ(layout.baseRadius, 340);
    EXPECT_EQ(layout.mapRadius, 340);
    EXPECT_EQ(layout.mapCentreX, 610);
    EXPECT_EQ(layout.mapCentreY, 350);
    EXPECT_EQ(layout.mapLeft, 270);
    EXPECT_EQ(layout.mapBottom, 690);
    EXPECT_FALSE(layout.mercator);

    view.projection = Projection::mercator;
    view.mapRange = MapRange::asia; // no magnification on Mercator
    layout = layoutView(view, 1000, 700);
    EXPECT_NEAR(layout.baseRadius, 770 / 3.1415926536 / 2, 1e-9);
    EXPECT_EQ(layout.mapRadius, layout.baseRadius);
    EXPECT_EQ(layout.mapCentreY, 5 + 298);
    EXPECT_TRUE(layout.mercator);

    // A regional globe fills the view; its range multiplies the whole globe's radius.
    view.projection = Projection::globe;
    layout = layoutView(view, 1000, 700);
    EXPECT_DOUBLE_EQ(layout.mapRadius, 340 * asiaMagnification);
    EXPECT_EQ(layout.mapCentreX, 500);
    EXPECT_FALSE(layout.mercator);
    view.mapRange = MapRange::centred;
    view.magnification = 100;
    EXPECT_EQ(layoutView(view, 1000, 700).mapRadius, 34000);
    // The other screens keep the whole globe's frame, with the range's radius.
    view.displayMode = displayLocal;
    layout = layoutView(view, 1000, 700);
    EXPECT_EQ(layout.mapCentreX, 610);
    EXPECT_EQ(layout.mapRadius, 34000);
}

TEST(LayoutView, ThePanelWidensWithTheTextSize) {
    ViewSettings view;
    view.textScale = 1.5;
    MapLayout layout = layoutView(view, 1000, 700);
    EXPECT_EQ(layout.mapCentreX, (1000 - 330) / 2 + 330);
    EXPECT_EQ(layout.baseRadius, 325);
    view.projection = Projection::mercator;
    layout = layoutView(view, 1000, 700);
    EXPECT_EQ(layout.mapLeft, 335) << "the map right of the wider panel";
}
