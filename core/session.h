// The process-wide records of one running program: created once by main and handed to the
// operations that need them (tests may create as many as they like).
#pragma once

#include "catalog.h"
#include "city_table.h"
#include "data_paths.h"
#include "eclipse_state.h"
#include "view_state.h"

#include <vector>

namespace vesk {

// One eclipse found by a search: UT date, type and Saros series.
struct SearchHit {
    double year = 0, month = 0, day = 0, typeCode = 0, saros = 0;
};

struct Session {
    explicit Session(DataPaths dataPaths) {
        catalog.paths = std::move(dataPaths);
        eclipse.record = &catalog.record;
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ViewState view;
    Catalog catalog;      // the current eclipse record and the open catalog file
    EclipseState eclipse; // the shadow geometry of the current record
    CityTable cities;     // the observing places of "location.new"
    std::vector<SearchHit> searchHits;
    int selectedHit = -1; // the hit opened from the list, or -1
};

} // namespace vesk
