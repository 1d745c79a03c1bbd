// SPDX-License-Identifier: GPL-3.0-or-later
#include "redraw_pipeline.h"

#include "angles.h"
#include "eclipse_search.h"
#include "messages.h"
#include "palette.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// ln(tan 85 degrees): the Mercator map reaches 85 degrees of latitude.
const double mercatorExtent = std::log(std::tan(1.4835298642));

// Draws a message in the window's language; the outcome keeps it as written.
void drawMessage(DrawSurface& surface, RedrawOutcome& outcome, const RedrawServices& services,
                 int x, int line, const char* text) {
    surface.setTextColour(palette[white]);
    surface.setBackgroundOpaque(false);
    surface.textOut(x, line * messageLineHeight, services.translated(text));
    outcome.messages.emplace_back(text);
}

// The message after the catalog's last eclipse; the user's year and month are kept.
void drawCatalogEnded(DrawSurface& surface, RedrawOutcome& outcome, const RedrawServices& services,
                      ViewState& v) {
    drawMessage(surface, outcome, services, 10, 1, messageCatalogEnded);
    v.redrawAction = redrawShow;
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
    ViewState& v = s.view;
    int line = 0;
    const SearchMessage message = [&](int, int, const char* text) {
        drawMessage(surface, outcome, services, 50, ++line, text);
    };
    if (findNextMatch(s, message, viewSearchCriteria(v, v.searchSaros)) == 0) {
        takeRecord(s);
        return true;
    }
    v.redrawAction = redrawShow;
    if (outcome.messages.empty()) {
        // The last file has ended.
        drawCatalogEnded(surface, outcome, services, v);
    } else if (outcome.messages.front() == messageNoCatalogDuringSearch) {
        v.dateResetPending = true;
    }
    return false;
}

} // namespace

Font panelFont() {
    return {"ＭＳ　明朝", -11, 500, true};
}

void layoutView(ViewState& v, int width, int height) {
    const int left = 0, top = 0, right = width, bottom = height;
    // the text panel widens with the text size
    const int panel = static_cast<int>(std::lround(panelWidth * v.textScale));
    if (v.projection == Projection::globe && v.mapRange != MapRange::globe &&
        v.displayMode == displayPathMap) {
        v.mapLeft = left + 5;
        v.mapRight = right - 5;
        v.mapTop = top + 5;
        v.mapBottom = bottom - 5;
        v.mapCentreX = (v.mapRight - v.mapLeft) / 2 + 5;
        v.mapCentreY = (v.mapBottom - v.mapTop) / 2 + 5;
        // The magnifications of the ranges multiply the radius of the whole-globe layout, which
        // a first repaint in a regional range has not laid out yet.
        v.baseRadius = std::min(right - left - panel, bottom - top) / 2 - 10;
        if (v.mercatorLayout) {
            v.mercatorLayout = false;
            v.mapScale = v.baseRadius;
        }
    } else if (v.projection == Projection::globe) {
        const int w = right - left - panel, h = bottom - top;
        v.baseRadius = std::min(w, h) / 2 - 10;
        v.mapCentreX = w / 2 + panel;
        v.mapCentreY = h / 2;
        const int r = static_cast<int>(v.baseRadius);
        v.mapLeft = v.mapCentreX - r;
        v.mapRight = v.mapCentreX + r;
        v.mapTop = v.mapCentreY - r;
        v.mapBottom = v.mapCentreY + r;
        v.mercatorLayout = false;
    } else {
        v.mapLeft = left + panel + 5;
        v.mapRight = right - 5;
        v.mapTop = top + 5;
        v.baseRadius = v.mapScale = (v.mapRight - v.mapLeft) / roundedPi / 2;
        v.mapCentreX = (v.mapRight - v.mapLeft) / 2 + panel + 5;
        const int extent = static_cast<int>(mercatorExtent * v.baseRadius);
        v.mapCentreY = extent + v.mapTop;
        const int halfWidth = static_cast<int>(v.baseRadius * roundedPi);
        v.mapLeft = v.mapCentreX - halfWidth;
        v.mapRight = v.mapCentreX + halfWidth;
        v.mapTop = v.mapCentreY - extent - 1;
        v.mapBottom = v.mapCentreY + extent + 1;
        v.mercatorLayout = true;
    }
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

// The catalog entry of the view's year and month (this month's after a clock request). False
// when the repaint ends with messages instead (or asks for another month after a failure).
bool findAskedEntry(Session& s, DrawSurface& surface, RedrawOutcome& outcome,
                    RedrawServices& services) {
    ViewState& v = s.view;
    if (v.dateResetPending) {
        const CalendarMonth now = services.currentMonth();
        v.year = now.year;
        v.month = now.month;
        v.dateResetPending = false;
        v.redrawAction = redrawShow;
        services.openYearMonthDialog();
        return false;
    }
    if (v.redrawAction == redrawFromClock) {
        const CalendarMonth now = services.currentMonth();
        v.year = now.year;
        v.month = now.month;
    }
    v.catalogStatus = catalogFind(s.catalog, v.year, v.month);
    if (v.catalogStatus == catalogEndReached) {
        drawCatalogEnded(surface, outcome, services, v);
        return false;
    }
    if (v.catalogStatus < 0) {
        drawMessage(surface, outcome, services, 50, 1, messageNoCatalog);
        drawMessage(surface, outcome, services, 50, 2, messageStartHere);
        if (!s.catalog.fault.empty())
            drawMessage(surface, outcome, services, 50, 3, s.catalog.fault.c_str());
        v.redrawAction = redrawShow;
        v.dateResetPending = true;
        return false;
    }
    takeRecord(s);
    return true;
}

// Choose: the eclipse of the view (the entry asked for, or the next one that matches the
// search) and its Delta T, before anything is drawn. False when the repaint ends with messages.
bool chooseEclipse(Session& s, DrawSurface& surface, RedrawOutcome& outcome,
                   RedrawServices& services) {
    ViewState& v = s.view;
    if (v.redrawAction != redrawNextMatch && !findAskedEntry(s, surface, outcome, services))
        return false;
    if (v.searchMode != searchAll && !matchesCriteria(s, viewSearchCriteria(v, v.searchSaros)))
        v.redrawAction = redrawNextMatch;
    if (v.redrawAction == redrawNextMatch && !searchForward(s, surface, outcome, services))
        return false;
    s.shown.deltaT = viewDeltaT(s.catalog.record, s.view);
    return true;
}

// Draw: the screen of the display mode, in the panel font.
void drawScreen(Session& s, DrawSurface& surface, RedrawServices& services) {
    const ViewState& v = s.view;
    const Font previous = surface.selectFont(panelFont());
    if (v.displayMode == displayPathMap)
        services.drawPathMap(surface, v.kmlOutput);
    else if (v.displayMode == displayCentralTable)
        services.drawCentralTable(surface, s.shown.deltaT);
    else if (v.displayMode == displayLocal)
        services.drawLocalCircumstances(surface, s.shown.record.t0, s.shown.deltaT);
    surface.selectFont(previous);
}

RedrawOutcome redrawSteps(Session& s, DrawSurface& surface, RedrawServices& services) {
    RedrawOutcome outcome;
    surface.fillSolidRect(0, 0, surface.width(), surface.height(), Rgb{0, 0, 0});
    layoutView(s.view, surface.width(), surface.height());
    if (!loadScreenData(s, surface, outcome, services))
        return outcome;
    services.resetProjection(s.view.mapRange);
    if (!chooseEclipse(s, surface, outcome, services))
        return outcome;
    drawScreen(s, surface, services);
    outcome.rendered = true;
    s.view.redrawAction = redrawShow;
    return outcome;
}

} // namespace

RedrawOutcome redrawView(Session& s, DrawSurface& surface, RedrawServices& services) {
    RedrawOutcome outcome = redrawSteps(s, surface, services);
    // The catalog files passed over by the reads and walks of this repaint, each once.
    for (std::string& note : s.catalog.ignored)
        if (std::find(outcome.ignoredFiles.begin(), outcome.ignoredFiles.end(), note) ==
            outcome.ignoredFiles.end())
            outcome.ignoredFiles.push_back(std::move(note));
    s.catalog.ignored.clear();
    return outcome;
}

} // namespace vesk
