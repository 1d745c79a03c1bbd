// The process-wide records of one running program: created once by main and handed to the
// operations that need them (tests may create as many as they like).
#pragma once

#include "catalog.h"
#include "city_table.h"
#include "data_paths.h"
#include "eclipse_state.h"
#include "view_state.h"

namespace vesk {

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
};

} // namespace vesk
