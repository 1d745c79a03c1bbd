// SPDX-License-Identifier: GPL-3.0-or-later
// The records a view's repaints and searches work on: the settings of the work under way (a copy
// of the window's, or the command line's own), the catalog reader, the eclipse shown, the city
// table and the hits of the list's search. In the window only its background work touches them.
#pragma once

#include "catalog.h"
#include "city_table.h"
#include "data_paths.h"
#include "view_settings.h"

#include <functional>
#include <optional>
#include <vector>

namespace vesk {

// The local maximum that a place search found at the view's observer: its UT Julian date, the
// magnitude, the obscuration and the Sun's altitude (degrees, from the elements).
struct PlaceMaximum {
    double jdUt = 0, magnitude = 0, obscuration = 0, sunAltitude = 0;
};

// One eclipse found by a search: UT date, type and Saros series.
struct SearchHit {
    double year = 0, month = 0, day = 0, typeCode = 0, saros = 0;
    double centralProbability = -1;                     // of a search by that probability; -1: none
    std::optional<PlaceMaximum> atPlace = std::nullopt; // of a place search
};

// The eclipse shown and the Delta T it is shown with (seconds): chosen before anything is drawn.
struct ChosenEclipse {
    EclipseRecord record;
    double deltaT = 0;
};

struct Session {
    explicit Session(DataPaths dataPaths) { catalog.paths = std::move(dataPaths); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ViewSettings view;   // the settings of the repaint or search under way
    Catalog catalog;     // the current eclipse record and the open catalog file
    ChosenEclipse shown; // the eclipse of the last repaint
    // The Julian date of the eclipse of the last screen drawn (none before the first): a screen
    // of another one is a new eclipse chosen, which the map follows.
    std::optional<double> drawnJd;
    CityTable cities; // the observing places of "location.new"
    std::vector<SearchHit> searchHits;
    int selectedHit = -1; // the hit opened from the list, or -1
    // The probability that the current eclipse was central at the view's observer under the
    // uncertainty of Delta T (or, for the search by a record's evidence, that the place saw what
    // the record says): the program gives it (it needs the local circumstances); empty, the place
    // search cannot search by it.
    std::function<double(const Session&)> centralProbability;
};

} // namespace vesk
