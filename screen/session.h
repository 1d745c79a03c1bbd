// SPDX-License-Identifier: GPL-3.0-or-later
// The process-wide records of one running program: created once by main and handed to the
// operations that need them (tests may create as many as they like).
#pragma once

#include "catalog.h"
#include "city_table.h"
#include "data_paths.h"
#include "view_state.h"

#include <functional>
#include <vector>

namespace vesk {

// One eclipse found by a search: UT date, type and Saros series.
struct SearchHit {
    double year = 0, month = 0, day = 0, typeCode = 0, saros = 0;
    double centralProbability = -1; // of a search by that probability; -1: none
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

    ViewState view;
    Catalog catalog;     // the current eclipse record and the open catalog file
    ChosenEclipse shown; // the eclipse of the last repaint
    CityTable cities;    // the observing places of "location.new"
    std::vector<SearchHit> searchHits;
    int selectedHit = -1; // the hit opened from the list, or -1
    // The probability that the current eclipse was central at the view's observer under the
    // uncertainty of Delta T: the program gives it (it needs the local circumstances); empty,
    // the place search cannot search by it. The last value it gave, or -1.
    std::function<double(Session&)> centralProbability;
    double lastCentralProbability = -1;
};

} // namespace vesk
