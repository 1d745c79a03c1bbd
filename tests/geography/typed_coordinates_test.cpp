// SPDX-License-Identifier: GPL-3.0-or-later
#include "typed_coordinates.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// Nineveh as the web's maps and books copy it: every form gives the same position.
TEST(TypedCoordinates, EveryCommonFormGivesOnePosition) {
    const double lon = 43 + 9 / 60.0, lat = 36 + 22 / 60.0;
    for (const char* text :
         {"36°22′N 43°09′E", "43°09′E 36°22′N", "36°22'N, 43°9'E", "36 22 N 43 09 E",
          "N36°22′ E43°09′", "N 36 22, E 43 9", "36°22′00″N 43°09′00″E", "36.366667N 43.15E",
          "n36.366667 e43.15", "43.15E;36.366667N", "43.15, 36.366667", "43.15 36.366667",
          "43°09′, 36°22′", "+43.15,+36.366667"}) {
        SCOPED_TRACE(text);
        const std::optional<TypedCoordinates> read = parseCoordinates(text);
        ASSERT_TRUE(read);
        EXPECT_NEAR(read->lon, lon, 1e-6);
        EXPECT_NEAR(read->lat, lat, 1e-6);
    }
    EXPECT_TRUE(parseCoordinates("36.36N 43.15E")->namedHemispheres);
    EXPECT_FALSE(parseCoordinates("43.15, 36.36")->namedHemispheres);
}

TEST(TypedCoordinates, SouthAndWestAreNegative) {
    const auto rio = parseCoordinates("22°54′30″S 43°11′47″W");
    ASSERT_TRUE(rio);
    EXPECT_NEAR(rio->lat, -(22 + 54 / 60.0 + 30 / 3600.0), 1e-9);
    EXPECT_NEAR(rio->lon, -(43 + 11 / 60.0 + 47 / 3600.0), 1e-9);
    const auto dallas = parseCoordinates("-96.8, 32.78");
    ASSERT_TRUE(dallas);
    EXPECT_DOUBLE_EQ(dallas->lon, -96.8);
    EXPECT_DOUBLE_EQ(parseCoordinates("−96.8 −32.78")->lat, -32.78); // the minus sign U+2212
    EXPECT_DOUBLE_EQ(parseCoordinates("-0 30, 10")->lon, -0.5);      // the sign covers the minutes
}

// Names, half-read pairs and out-of-range values are no coordinates: the caller then looks for
// a place of that name or refuses the text.
TEST(TypedCoordinates, RefusesWhatIsNoPosition) {
    for (const char* text : {"",
                             "Nineveh",
                             "Luxor, EG",
                             "N",
                             "43.15",
                             "43.15, 36.36, 10",
                             "36N 43N",
                             "43E 36W",
                             "36.36N 43.15",
                             "N36 43E",
                             "-36N 43E",
                             "36 60 N 43 E",
                             "36°22°N 43E",
                             "36′N 43E",
                             "95N 10E",
                             "10N 181E",
                             "10, 91",
                             "361, 0",
                             "1e5, 3",
                             "43.15,,36.36",
                             ", 43 36",
                             "36°22′N 43°09′E 5",
                             "nan, 3",
                             "36.36N\x01 43E",
                             "43.15 36.36 "
                             "12"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseCoordinates(text));
    }
    EXPECT_TRUE(parseCoordinates("90S 180W"));
    EXPECT_TRUE(parseCoordinates("359.5, -90"));
}

TEST(TypedCoordinates, ReadBackAsEastAndNorth) {
    EXPECT_EQ(coordinatesText(43.15, 36.36), "43.15° E, 36.36° N");
    EXPECT_EQ(coordinatesText(-96.8, -32.78), "96.8° W, 32.78° S");
    EXPECT_EQ(coordinatesText(350, 0), "10° W, 0° N");
    EXPECT_EQ(coordinatesText(43 + 9 / 60.0, 36 + 22 / 60.0), "43.15° E, 36.3667° N");
}

} // namespace
} // namespace vesk
