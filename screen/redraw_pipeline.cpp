// SPDX-License-Identifier: GPL-3.0-or-later
#include "redraw_pipeline.h"

#include "eclipse_search.h"
#include "messages.h"
#include "palette.h"
#include "path_tracers.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// A message of the picture: its text (a message of messages.h, or a file's fault), its column in
// pixels and its line, and whether the outcome keeps it (the search's notes while it steps back
// are only drawn). The choice collects them; they are drawn once it is made.
struct PlacedMessage {
    std::string text;
    int x = 0, line = 0;
    bool kept = true;
};
using PlacedMessages = std::vector<PlacedMessage>;

// Draws the messages in the window's language; without messages the surface's text colour and
// background stay as the screen expects them.
void drawMessages(DrawSurface& surface, const PlacedMessages& messages,
                  const RedrawServices& services) {
    if (messages.empty())
        return;
    surface.setTextColour(palette[white]);
    surface.setBackgroundOpaque(false);
    for (const PlacedMessage& m : messages)
        surface.textOut(m.x, m.line * messageLineHeight, services.translated(m.text.c_str()));
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
bool searchForward(Session& s, PlacedMessages& said, RedrawOutcome& outcome) {
    ViewSettings& v = s.view;
    const std::size_t first = said.size(); // the search's own messages follow
    int line = 0;
    const SearchMessage message = [&](int x, int, const char* text) {
        said.push_back({text, x, ++line});
    };
    if (findNextMatch(s, message, viewSearchCriteria(v, v.searchSaros)) == 0) {
        takeRecord(s);
        return true;
    }
    outcome.askForMonth = said.size() > first && said[first].text == messageNoCatalogDuringSearch;
    return false;
}

// Steps back to the year and month of the eclipse before the one shown: the last match of the
// search before it, or the entry read before it. Where the search finds none, the settings stay.
void stepBack(Session& s, PlacedMessages& said) {
    ViewSettings& v = s.view;
    if (v.searchMode == searchAll) {
        v.year = s.catalog.prevYear;
        v.month = s.catalog.prevMonth;
        return;
    }
    int line = 0;
    const SearchMessage message = [&](int x, int, const char* text) {
        said.push_back({text, x, ++line, false});
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
bool loadScreenData(Session& s, PlacedMessages& said, RedrawOutcome& outcome,
                    RedrawServices& services) {
    Outcome failure = loadCityTable(s.cities, s.catalog.paths, outcome.ignoredFiles);
    if (!failure)
        failure = services.loadBaseMapData(outcome.ignoredFiles);
    if (!failure)
        return true;
    int line = 0;
    for (const std::string& text : failureLines(*failure))
        said.push_back({text, messageLeft(failure->what), ++line});
    return false;
}

// The catalog entry of the settings' year and month (this month's after a clock request). False
// when the repaint ends with messages instead.
bool findAskedEntry(Session& s, RedrawAction action, PlacedMessages& said, RedrawOutcome& outcome,
                    RedrawServices& services) {
    ViewSettings& v = s.view;
    if (action == RedrawAction::fromClock) {
        const CalendarMonth now = services.currentMonth();
        v.year = now.year;
        v.month = now.month;
    }
    s.catalog.deltaTChoice = v.deltaTChoice;
    const Outcome failure = catalogFind(s.catalog, v.year, v.month);
    if (!failure) {
        takeRecord(s);
        return true;
    }
    // the end of the catalog is said at the left; for any other failure the month is asked again
    int line = 0;
    for (const std::string& text : failureLines(*failure))
        said.push_back({text, messageLeft(failure->what), ++line});
    outcome.askForMonth = failure->what != FailureKind::catalogEnded;
    return false;
}

// Choose: the eclipse of the settings (the entry asked for, or the next or previous one that
// matches the search) and its Delta T, before anything is drawn. False when the repaint ends
// with messages.
bool chooseEclipse(Session& s, RedrawAction action, PlacedMessages& said, RedrawOutcome& outcome,
                   RedrawServices& services) {
    ViewSettings& v = s.view;
    if (action == RedrawAction::previousMatch)
        stepBack(s, said);
    if (action != RedrawAction::nextMatch && !findAskedEntry(s, action, said, outcome, services))
        return false;
    if (v.searchMode != searchAll && !matchOf(s, viewSearchCriteria(v, v.searchSaros)))
        action = RedrawAction::nextMatch;
    if (action == RedrawAction::nextMatch && !searchForward(s, said, outcome))
        return false;
    s.shown.deltaT = viewDeltaT(s.catalog.record, s.view);
    return true;
}

// The greatest eclipse of the eclipse shown where the path map of the settings leaves it out.
std::optional<TracedPoint> greatestOutsideMap(const Session& s, const MapLayout& layout) {
    if (s.view.displayMode != displayPathMap)
        return std::nullopt;
    const TracedPoint greatest = greatestEclipse(s.shown.record, 0, s.shown.deltaT).point;
    if (!greatest.found || centredMapShows(s.view, layout, greatest.lon, greatest.lat))
        return std::nullopt;
    return greatest;
}

// A line over the map's lower left corner, white on black.
void sayOverMap(DrawSurface& surface, const MapLayout& layout, const std::string& text) {
    constexpr int inset = 8, lineHeight = 18;
    surface.setTextColour(palette[white]);
    surface.setBackgroundOpaque(true);
    surface.textOut(layout.mapLeft + inset, layout.mapBottom - inset - lineHeight, text);
}

RedrawOutcome redrawSteps(Session& s, const RedrawRequest& request, DrawSurface& surface,
                          RedrawServices& services) {
    RedrawOutcome outcome;
    PlacedMessages said;
    const bool chosen = loadScreenData(s, said, outcome, services) &&
                        chooseEclipse(s, request.action, said, outcome, services);
    // the choice made, the drawing: the messages, and the screen over them
    surface.fillSolidRect(0, 0, surface.width(), surface.height(), Rgb{0, 0, 0});
    drawMessages(surface, said, services);
    for (const PlacedMessage& message : said)
        if (message.kept)
            outcome.messages.push_back(message.text);
    if (!chosen)
        return outcome;
    const bool newEclipse = s.drawnJd && *s.drawnJd != s.shown.record.jd;
    s.drawnJd = s.shown.record.jd;
    outcome.frame.eclipse = s.shown;
    if (s.view.solarRadiusArcsec)
        outcome.frame.eclipse.record =
            withSunRadius(s.shown.record, sunRadiusOfArcseconds(*s.view.solarRadiusArcsec));
    outcome.frame.layout = layoutView(s.view, surface.width(), surface.height());
    const std::optional<TracedPoint> outside =
        newEclipse ? greatestOutsideMap(s, outcome.frame.layout) : std::nullopt;
    if (outside && !s.view.viewPinned) { // the map follows the eclipse chosen
        s.view.centreLon = outside->lon;
        s.view.centreLat = outside->lat;
    }
    outcome.frame.cities = s.cities;
    outcome.frame.coarseRelief = request.coarseRelief;
    outcome.frame.settings = s.view;
    outcome.projection = drawScreen(outcome.frame, surface, services);
    outcome.rendered = true;
    if (outside && s.view.viewPinned)
        sayOverMap(surface, outcome.frame.layout, services.translated(messagePathOutsideView));
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

RedrawOutcome redrawView(Session& s, const ViewSettings& asked, const RedrawRequest& request,
                         DrawSurface& surface, RedrawServices& services) {
    s.view = asked;
    RedrawOutcome outcome = redrawSteps(s, request, surface, services);
    outcome.frame.settings = s.view;
    outcome.reached = {s.view.year, s.view.month};
    // The catalog files passed over by the reads and walks of this repaint, each once.
    for (std::string& note : s.catalog.ignored)
        if (std::find(outcome.ignoredFiles.begin(), outcome.ignoredFiles.end(), note) ==
            outcome.ignoredFiles.end())
            outcome.ignoredFiles.push_back(std::move(note));
    s.catalog.ignored.clear();
    return outcome;
}

} // namespace vesk
