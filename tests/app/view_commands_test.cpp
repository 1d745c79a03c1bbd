// SPDX-License-Identifier: GPL-3.0-or-later
// What the view's commands do to the view settings, without a window.
#include "view_commands.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// Zooming and moving act on the path map only, and a drag of nothing moves nothing; the zoom
// doubles the radius of the map shown (here the Asian map's, 2.7 whole globes).
TEST(ViewCommands, MapCommandsActOnTheMapOnly) {
    ViewSettings view;
    Projector map;
    map.layout.baseRadius = 300;
    map.projection.mapRadius = 810;
    view.displayMode = displayLocal;
    zoomMap(view, map, 2);
    EXPECT_EQ(view.magnification, 1);
    EXPECT_FALSE(panMap(view, map, 10, 0));
    view.displayMode = displayPathMap;
    EXPECT_FALSE(panMap(view, map, 0, 0));
    zoomMap(view, map, 2);
    EXPECT_DOUBLE_EQ(view.magnification, 5.4);
}

} // namespace
} // namespace vesk
