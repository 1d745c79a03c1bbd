// SPDX-License-Identifier: GPL-3.0-or-later
// What the settings dialogs do to the view, without a window: the observer from a city row or a
// typed place, the Saros search's restart and the field rules.
#include "dialog_fields.h"
#include "view_commands.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

CityTable twoCities() {
    CityTable cities;
    cities.rows = {{"西脇", 135.0, 35.0, 110, 0, "Nishiwaki"},
                   {"東京", 139.767, 35.683, 40, 0, "Tokyo"}};
    return cities;
}

DisplayFields localDisplay(const ViewSettings& view) {
    DisplayFields fields = loadDisplay(view, {}, 0);
    fields.displayMode = displayLocal;
    return fields;
}

// A city row puts the observer at the row's place; a typed place leaves the rows (none chosen),
// and choosing "from the list" again without a row keeps the typed place.
TEST(DialogFields, DisplayDialogTakesACityRowOrATypedPlace) {
    const CityTable cities = twoCities();
    ViewSettings view;
    DialogChoices choices;
    view.observerCityIndex = 2;
    storeDisplay(view, choices, localDisplay(view), cities);
    EXPECT_EQ(view.observerLon, 139.767);
    EXPECT_EQ(view.observerLat, 35.683);
    EXPECT_EQ(view.observerHeight, 40);

    DisplayFields typed = localDisplay(view);
    typed.observerInputMode = ObserverInput::typed;
    typed.observerLon = 31.13;
    typed.observerLat = 29.98;
    typed.observerHeight = 60;
    storeDisplay(view, choices, typed, cities);
    EXPECT_FALSE(view.observerCityIndex) << "a typed place names no row";
    EXPECT_EQ(choices.observerInput, ObserverInput::typed) << "the dialog opens on it next";
    EXPECT_EQ(view.observerLon, 31.13);

    DisplayFields fromList = localDisplay(view);
    fromList.observerInputMode = ObserverInput::cityTable;
    storeDisplay(view, choices, fromList, cities);
    EXPECT_EQ(view.observerLon, 31.13) << "no row chosen since: the observer stays";
    EXPECT_EQ(view.observerHeight, 60);

    placeObserver(view, -96.8, 32.78, 150, ObserverPlace{});
    EXPECT_FALSE(view.observerCityIndex);
    EXPECT_EQ(view.observerPlace.lon, -96.8) << "the place carries its position";
}

// The display dialog's limb-corrected limits and Sun's radius reach the view and come back; an
// empty radius (0) is the catalog's.
TEST(DialogFields, DisplayDialogCarriesTheLimbLimitsAndTheSunsRadius) {
    const CityTable cities = twoCities();
    ViewSettings view;
    DialogChoices choices;
    DisplayFields fields = loadDisplay(view, {}, 0);
    EXPECT_FALSE(fields.trueLimits);
    EXPECT_EQ(fields.solarRadiusArcsec, 0);
    fields.trueLimits = true;
    fields.solarRadiusArcsec = 959.95;
    storeDisplay(view, choices, fields, cities);
    EXPECT_TRUE(view.trueLimits);
    EXPECT_EQ(view.solarRadiusArcsec, 959.95);
    EXPECT_EQ(loadDisplay(view, choices, 0).solarRadiusArcsec, 959.95);
    fields.solarRadiusArcsec = 0;
    storeDisplay(view, choices, fields, cities);
    EXPECT_FALSE(view.solarRadiusArcsec);
    double value = 0;
    EXPECT_TRUE(validateField("96", solarRadiusRule, value)) << "no Sun is that small";
    EXPECT_FALSE(validateField("959.95", solarRadiusRule, value));
}

// A Saros search that starts more than 1262.1 years after its series began (series 145 begins
// in 1639) starts again a year before the series' first eclipse; a series the catalog does not
// hold leaves the year as it is.
TEST(DialogFields, SarosSearchRestartsBeforeItsSeries) {
    const CityTable cities = twoCities();
    ModeFields saros;
    saros.searchMode = searchSarosNumber;
    saros.saros = 145;
    ViewSettings view;
    DialogChoices choices;
    view.year = 3000;
    storeMode(view, choices, saros, cities);
    EXPECT_EQ(view.searchSaros, 145);
    EXPECT_EQ(view.year, 1638);
    view.year = 2800;
    storeMode(view, choices, saros, cities);
    EXPECT_EQ(view.year, 2800) << "within 1262.1 years of the series' start";
    saros.saros = 9999;
    view.year = 3000;
    storeMode(view, choices, saros, cities);
    EXPECT_EQ(view.year, 3000) << "no such series";
}

TEST(DialogFields, FieldRulesTakeNumbersWithinTheirBounds) {
    double value = 0;
    EXPECT_FALSE(validateField("2024", yearRule, value));
    EXPECT_EQ(value, 2024);
    EXPECT_FALSE(validateField(" 763 BC", yearRule, value));
    EXPECT_EQ(value, -762) << "the year dialog takes a year before Christ";
    for (const char* refused :
         {"", "abc", "2024.5", "17000", "-13001", "12 13", "nan", "13002 BC", "0 BC", "BC"})
        EXPECT_TRUE(validateField(refused, yearRule, value)) << '"' << refused << '"';
    EXPECT_TRUE(validateField("5 BC", monthRule, value)) << "only a year takes BC";
    EXPECT_FALSE(validateField("-123.25", lonRule, value));
    EXPECT_EQ(value, -123.25);
    EXPECT_TRUE(validateField("361", lonRule, value));
    EXPECT_EQ(roundTo(35.6789012, 100000), 35.6789);
}

} // namespace
} // namespace vesk
