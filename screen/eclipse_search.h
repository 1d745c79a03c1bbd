// SPDX-License-Identifier: GPL-3.0-or-later
// Searches of the catalog with the criteria of the view (all eclipses, a type, a place with a
// least magnitude, a Saros series): the latest match before the eclipse shown, and every match
// of a span of years. Both walk the catalog forward across its files and leave the reader and
// the view's year and month where the walk ended.
#pragma once

#include "session.h"

#include <functional>
#include <stop_token>

namespace vesk {

// The window's list holds at most this many hits.
constexpr int maxSearchHits = 100;

struct SearchCriteria {
    SearchMode mode = searchAll;
    int type = 2;
    double minMagnitude = 0.5;
    double saros = 0; // the Saros series of the eclipse shown (mode 3)
    double typePastYears = 20, placePastYears = 50;
    // The place search by the probability of a central eclipse under the uncertainty of Delta T:
    // at least this (0: by the magnitude instead); needs Session::centralProbability.
    double minCentralProbability = 0;
};

// The least chance of a record's sighting that the place search lists when none is asked for.
constexpr double defaultSightingProbability = 0.01;

// The criteria of the view with a Saros series (the eclipse shown's for the commands and the
// list, the one chosen in the search dialog for the repaint).
SearchCriteria viewSearchCriteria(const ViewSettings& view, double saros);

// A message of the search (ended catalog, missing file, Saros not found) at a position of the
// view; the window draws it, the command line prints it.
using SearchMessage = std::function<void(int x, int y, const char* text)>;

// The current record as a hit of the search when it matches, else nothing: with the place
// search's local maximum (of the view's observer from t = 0, placeSearchMaximum) and the
// probability that decided a search by it.
std::optional<SearchHit> matchOf(const Session& session, const SearchCriteria& criteria);

// The local maximum that the place search judges an eclipse by: of the view's observer, from
// t = 0, with the view's Delta T; none when it does not converge.
std::optional<ObservedShadow> placeSearchMaximum(const EclipseRecord& record,
                                                 const ViewSettings& view);

// The last matching eclipse before the one shown, of the year and UT Julian date given,
// looking back over the past range of the criteria (not before the catalog's first eclipse).
// Returns 0 with the match in foundYear/foundMonth, the month with the day as a fraction
// (day / 32) that picks it out of a month with two eclipses (untouched when there is none); -1
// when the catalog cannot be read there or the range holds nothing before the eclipse shown.
// The whole record of the match goes to hit when one is given.
int findPreviousMatch(Session& session, const SearchMessage& message, double year, double shownJd,
                      const SearchCriteria& criteria, double& foundYear, double& foundMonth,
                      SearchHit* hit = nullptr);

// Steps forward from the current record to the next entry that matches, the view's year and month
// following the walk. Returns 0 with that entry current, or -1 when the catalog ends first (with
// a message when a file is missing) or, for a Saros series, with a message when none of it comes
// within 400 years of the start or of the series' first eclipse, whichever is later; the view's
// year and month are then where the walk ended.
// The match found is given in hit when one is asked for.
int findNextMatch(Session& session, const SearchMessage& message, const SearchCriteria& criteria,
                  SearchHit* hit = nullptr);

// The year a walk has reached, told as it goes (for a progress bar).
using SearchProgress = std::function<void(double year)>;

// Every match of the years from..from + span into session.searchHits, at most maxHits of them.
// Returns 0, or -1 when a file cannot be opened (the hits found before it are kept). A stop
// asked for ends the walk with the hits found so far.
int collectMatches(Session& session, const SearchMessage& message, double from, double span,
                   const SearchCriteria& criteria, int maxHits = maxSearchHits,
                   std::stop_token stop = {}, const SearchProgress& progress = {});

// The hits of a search by a record's evidence in the order a historian weighs them: the likeliest
// first (the order of the years among equals).
void sortByProbability(std::vector<SearchHit>& hits);

} // namespace vesk
