// SPDX-License-Identifier: GPL-3.0-or-later
#include "redraw_pipeline.h"

#include "eclipse_search.h"
#include "messages.h"
#include "palette.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// Draws a message in the window's language on a line of the surface.
void drawMessageLine(DrawSurface& surface, const RedrawServices& services, int x, int line,
                     const char* text) {
    surface.setTextColour(palette[white]);
    surface.setBackgroundOpaque(false);
    surface.textOut(x, line * messageLineHeight, services.translated(text));
}

// Draws a message in place of the screen; the outcome keeps it as written.
void drawMessage(DrawSurface& surface, RedrawOutcome& outcome, const RedrawServices& services,
                 int x, int line, const char* text) {
    drawMessageLine(surface, services, x, line, text);
    outcome.messages.emplace_back(text);
}

// The message after the catalog's last eclipse; the user's year and month are kept.
void drawCatalogEnded(DrawSurface& surface, RedrawOutcome& outcome,
                      const RedrawServices& services) {
    drawMessage(surface, outcome, services, 10, 1, messageCatalogEnded);
}

// The current record as the eclipse shown, and its year and month into the view.
void takeRecord(Session& s) {
    s.shown.record = s.catalog.record;
    s.view.year = s.catalog.record.year;
    s.view.month = s.catalog.record.month;
}

// Steps forward through the catalog to the next matching eclipse. False when the repaint ends
// with a message instead: the catalog has ended, a file is missing, or a Saros series does not
// come.
bool searchForward(Session& s, DrawSurface& surface, RedrawOutcome& outcome,
                   const RedrawServices& services) {
    ViewSettings& v = s.view;
    int line = 0;
    const SearchMessage message = [&](int, int, const char* text) {
        drawMessage(surface, outcome, services, 50, ++line, text);
    };
    if (findNextMatch(s, message, viewSearchCriteria(v, v.searchSaros)) == 0) {
        takeRecord(s);
        return true;
    }
    if (outcome.messages.empty()) {
        // The last file has ended.
        drawCatalogEnded(surface, outcome, services);
    } else if (outcome.messages.front() == messageNoCatalogDuringSearch) {
        outcome.askForMonth = true;
    }
    return false;
}

// Steps back to the year and month of the eclipse before the one shown: the last match of the
// search before it, or the entry read before it. Where the search finds none, the settings stay.
void stepBack(Session& s, DrawSurface& surface, const RedrawServices& services) {
    ViewSettings& v = s.view;
    if (v.searchMode == searchAll) {
        v.year = s.catalog.prevYear;
        v.month = s.catalog.prevMonth;
        return;
    }
    int line = 0;
    const SearchMessage message = [&](int, int, const char* text) {
        drawMessageLine(surface, services, 50, ++line, text);
    };
    double year = v.year, month = v.month;
    findPreviousMatch(s, message, v.year, s.shown.record.jd,
                      viewSearchCriteria(v, s.shown.record.saros), year, month);
    v.year = year;
    v.month = month;
}

} // namespace

Font panelFont() {
    return {FontRole::panel, -11, 500};
}

namespace {

// The data of every screen: the city table and the base map's relief and colours. False when
// the repaint ends with messages instead.
bool loadScreenData(Session& s, DrawSurface& surface, RedrawOutcome& outcome,
                    RedrawServices& services) {
    if (loadCityTable(s.cities, s.catalog.paths, outcome.ignoredFiles) < 0) {
        drawMessage(surface, outcome, services, 50, 1, messageNoCityTable);
        drawMessage(surface, outcome, services, 50, 2, messageStartWithCityTable);
        return false;
    }
    if (const std::string fault = services.loadBaseMapData(outcome.ignoredFiles); !fault.empty()) {
        drawMessage(surface, outcome, services, 50, 1, messageDamagedDataFile);
        drawMessage(surface, outcome, services, 50, 2, fault.c_str());
        return false;
    }
    return true;
}

// The catalog entry of the settings' year and month (this month's after a clock request). False
// when the repaint ends with messages instead.
bool findAskedEntry(Session& s, RedrawAction action, DrawSurface& surface, RedrawOutcome& outcome,
                    RedrawServices& services) {
    ViewSettings& v = s.view;
    if (action == RedrawAction::fromClock) {
        const CalendarMonth now = services.currentMonth();
        v.year = now.year;
        v.month = now.month;
    }
    s.catalog.deltaTChoice = v.deltaTChoice;
    const int found = catalogFind(s.catalog, v.year, v.month);
    if (found == catalogEndReached) {
        drawCatalogEnded(surface, outcome, services);
        return false;
    }
    if (found < 0) {
        drawMessage(surface, outcome, services, 50, 1, messageNoCatalog);
        drawMessage(surface, outcome, services, 50, 2, messageStartHere);
        if (!s.catalog.fault.empty())
            drawMessage(surface, outcome, services, 50, 3, s.catalog.fault.c_str());
        outcome.askForMonth = true;
        return false;
    }
    takeRecord(s);
    return true;
}

// Choose: the eclipse of the settings (the entry asked for, or the next or previous one that
// matches the search) and its Delta T, before anything is drawn. False when the repaint ends
// with messages.
bool chooseEclipse(Session& s, RedrawAction action, DrawSurface& surface, RedrawOutcome& outcome,
                   RedrawServices& services) {
    ViewSettings& v = s.view;
    if (action == RedrawAction::previousMatch)
        stepBack(s, surface, services);
    if (action != RedrawAction::nextMatch && !findAskedEntry(s, action, surface, outcome, services))
        return false;
    if (v.searchMode != searchAll && !matchOf(s, viewSearchCriteria(v, v.searchSaros)))
        action = RedrawAction::nextMatch;
    if (action == RedrawAction::nextMatch && !searchForward(s, surface, outcome, services))
        return false;
    s.shown.deltaT = viewDeltaT(s.catalog.record, s.view);
    return true;
}

RedrawOutcome redrawSteps(Session& s, const RedrawRequest& request, DrawSurface& surface,
                          RedrawServices& services) {
    RedrawOutcome outcome;
    surface.fillSolidRect(0, 0, surface.width(), surface.height(), Rgb{0, 0, 0});
    if (!loadScreenData(s, surface, outcome, services) ||
        !chooseEclipse(s, request.action, surface, outcome, services))
        return outcome;
    outcome.frame.eclipse = s.shown;
    if (s.view.solarRadiusArcsec)
        outcome.frame.eclipse.record =
            withSunRadius(s.shown.record, sunRadiusOfArcseconds(*s.view.solarRadiusArcsec));
    outcome.frame.layout = layoutView(s.view, surface.width(), surface.height());
    outcome.frame.cities = s.cities;
    outcome.frame.coarseRelief = request.coarseRelief;
    outcome.frame.settings = s.view;
    outcome.projection = drawScreen(outcome.frame, surface, services);
    outcome.rendered = true;
    return outcome;
}

} // namespace

std::optional<MapProjection> drawScreen(const ScreenFrame& frame, DrawSurface& surface,
                                        RedrawServices& services) {
    const Font previous = surface.selectFont(panelFont());
    std::optional<MapProjection> projection;
    switch (frame.settings.displayMode) {
    case displayPathMap:
        projection = services.drawPathMap(surface, frame);
        break;
    case displayCentralTable:
        services.drawCentralTable(surface, frame);
        break;
    case displayLocal:
        services.drawLocalCircumstances(surface, frame);
        break;
    case displayPlaceView:
        services.drawViewFromPlace(surface, frame);
        break;
    }
    surface.selectFont(previous);
    return projection;
}

RedrawOutcome redrawView(Session& s, const RedrawRequest& request, DrawSurface& surface,
                         RedrawServices& services) {
    RedrawOutcome outcome = redrawSteps(s, request, surface, services);
    outcome.frame.settings = s.view; // also the year and month a failed search reached
    // The catalog files passed over by the reads and walks of this repaint, each once.
    for (std::string& note : s.catalog.ignored)
        if (std::find(outcome.ignoredFiles.begin(), outcome.ignoredFiles.end(), note) ==
            outcome.ignoredFiles.end())
            outcome.ignoredFiles.push_back(std::move(note));
    s.catalog.ignored.clear();
    return outcome;
}

} // namespace vesk
