// SPDX-License-Identifier: GPL-3.0-or-later
#include "eclipse_search.h"

#include "messages.h"
#include "saros.h"
#include "timescales.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// The place search takes a maximum with the Sun up to this far below the horizon.
constexpr double placeSunLimit = -15;
// A Saros search gives up this many years after its start (or after the first eclipse of the
// series, where that comes later).
constexpr double sarosSearchYears = 400;
constexpr int lineSpacing = 15;

// Whether an entry comes before the eclipse shown: half a day apart at least (two eclipses are
// a fortnight apart at the least).
bool isBefore(const EclipseRecord& r, double shownJd) {
    return r.jd < shownJd - 0.5;
}

// Whether a walk says that it reached the catalog's end (a search for the next match), or ends
// there quietly (a list, a search back).
enum class CatalogEnd { said, quiet };

// Reads the next entry, going on into the next file at the end of one. False when the walk
// has to end: after the last file, and with the failure's message when a file is missing or
// damaged.
bool readOn(Session& s, const SearchMessage& message, CatalogEnd end = CatalogEnd::quiet) {
    const auto say = [&message](const Failure& failure) {
        int y = 0;
        for (const std::string& line : failureLines(failure))
            message(messageLeft(failure.what), y += lineSpacing, line.c_str());
        return false;
    };
    const Outcome read = catalogReadNext(s.catalog);
    if (!read)
        return true;
    if (read->what == FailureKind::damagedFile)
        return say(*read);
    const std::optional<double> next = nextFileYear(s.catalog);
    if (!next) {
        const Failure ended{FailureKind::catalogEnded, s.catalog.fileName, std::nullopt, ""};
        catalogClose(s.catalog);
        return end == CatalogEnd::said && say(ended);
    }
    catalogClose(s.catalog);
    if (Outcome failure = catalogFind(s.catalog, *next, 1)) {
        if (failure->what == FailureKind::catalogMissing)
            failure->what = FailureKind::catalogMissingInSearch;
        return say(*failure);
    }
    return true;
}

} // namespace

SearchCriteria viewSearchCriteria(const ViewSettings& v, double saros) {
    const double leastChance = v.searchEvidence && v.searchMinCentralProbability <= 0
                                   ? defaultSightingProbability
                                   : v.searchMinCentralProbability;
    return {v.searchMode,          v.searchType,           v.searchMinMagnitude, saros,
            v.searchTypePastYears, v.searchPlacePastYears, leastChance};
}

std::optional<ObservedShadow> placeSearchMaximum(const EclipseRecord& record,
                                                 const ViewSettings& view) {
    return localMaximum(record, viewObserver(view), 0, viewDeltaT(record, view));
}

std::optional<SearchHit> matchOf(const Session& s, const SearchCriteria& c) {
    const EclipseRecord& r = s.catalog.record;
    SearchHit hit{r.year, r.month, r.day, r.typeCode, r.saros, -1};
    if (c.mode == searchType)
        return std::trunc(r.typeCode) == c.type ? std::optional(hit) : std::nullopt;
    if (c.mode == searchSarosNumber)
        return r.saros == c.saros ? std::optional(hit) : std::nullopt;
    if (c.mode != searchPlace)
        return hit;
    const std::optional<ObservedShadow> maximum = placeSearchMaximum(r, s.view);
    if (c.minCentralProbability > 0 && s.centralProbability) {
        hit.centralProbability = s.centralProbability(s);
        if (hit.centralProbability < c.minCentralProbability)
            return std::nullopt;
    } else if (!maximum || maximum->magnitude() <= c.minMagnitude ||
               maximum->sunAltitude <= placeSunLimit) {
        return std::nullopt;
    }
    if (maximum)
        hit.atPlace = PlaceMaximum{instantJdUt(r, maximum->t, viewDeltaT(r, s.view)),
                                   std::max(0.0, maximum->magnitude()), maximum->obscuration(),
                                   maximum->sunAltitude};
    return hit;
}

int findPreviousMatch(Session& s, const SearchMessage& message, double year, double shownJd,
                      const SearchCriteria& c, double& foundYear, double& foundMonth,
                      SearchHit* hit) {
    double start = year - 1;
    if (c.mode == searchType)
        start = year - c.typePastYears;
    else if (c.mode == searchPlace)
        start = year - c.placePastYears;
    else if (c.mode == searchSarosNumber)
        start = year - 20;
    start = std::max(start, firstCatalogYear);
    catalogClose(s.catalog);
    s.catalog.deltaTChoice = s.view.deltaTChoice;
    if (catalogFind(s.catalog, start, 1))
        return -1;
    const EclipseRecord& r = s.catalog.record;
    if (!isBefore(r, shownJd)) { // nothing before it in the range
        foundYear = r.year;
        foundMonth = r.month;
        return -1;
    }
    // Every match before the eclipse shown is recorded: the last one is the previous eclipse.
    while (isBefore(r, shownJd)) {
        if (const std::optional<SearchHit> match = matchOf(s, c)) {
            foundYear = r.year;
            foundMonth = r.month + r.day / 32;
            if (hit != nullptr)
                *hit = *match;
        } else if (c.mode == searchSarosNumber && start + sarosSearchYears < r.year) {
            message(messageIndent, lineSpacing, messageSarosNotFound);
            catalogClose(s.catalog);
            break;
        }
        if (!readOn(s, message))
            break;
    }
    s.view.year = r.year;
    s.view.month = r.month;
    return 0;
}

int findNextMatch(Session& s, const SearchMessage& message, const SearchCriteria& c,
                  SearchHit* hit) {
    // a series that begins after the start is looked for from its beginning on
    s.catalog.deltaTChoice = s.view.deltaTChoice;
    double start = s.catalog.record.year;
    if (const std::optional<double> seriesStart = sarosStartYear(c.saros);
        c.mode == searchSarosNumber && seriesStart)
        start = std::max(start, *seriesStart);
    std::optional<SearchHit> match;
    do {
        if (!readOn(s, message, CatalogEnd::said))
            return -1;
        s.view.year = s.catalog.record.year;
        s.view.month = s.catalog.record.month;
        if (c.mode == searchSarosNumber && s.catalog.record.saros != c.saros &&
            start + sarosSearchYears < s.view.year) {
            message(messageIndent, lineSpacing, messageSarosNotFound);
            return -1;
        }
        match = matchOf(s, c);
    } while (!match);
    if (hit != nullptr)
        *hit = *match;
    return 0;
}

int collectMatches(Session& s, const SearchMessage& reporter, double from, double span,
                   const SearchCriteria& c, int maxHits, std::stop_token stop,
                   const SearchProgress& progress) {
    // A message of the walk means a missing file: the hits before it are kept all the same.
    bool failed = false;
    const SearchMessage message = [&](int x, int y, const char* text) {
        failed = true;
        reporter(x, y, text);
    };
    // Reads on, telling the year reached; false at a stop as at the catalog's end.
    const auto next = [&] {
        if (progress)
            progress(s.catalog.record.year);
        return !stop.stop_requested() && readOn(s, message);
    };
    s.view.year = from;
    s.view.month = 1;
    s.searchHits.clear();
    catalogClose(s.catalog);
    s.catalog.deltaTChoice = s.view.deltaTChoice;
    if (catalogOpenFirst(s.catalog, from))
        return -1;
    const EclipseRecord& r = s.catalog.record;
    bool more = true;
    while (more && from + span >= r.year) {
        std::optional<SearchHit> match;
        while (!(match = matchOf(s, c))) {
            if (!(more = next()))
                break;
        }
        s.view.year = r.year;
        s.view.month = r.month;
        if (!more)
            break;
        if (r.year >= from && r.year <= from + span)
            s.searchHits.push_back(*match);
        if (static_cast<int>(s.searchHits.size()) >= maxHits)
            break;
        more = next();
    }
    return failed ? -1 : 0;
}

void sortByProbability(std::vector<SearchHit>& hits) {
    std::stable_sort(hits.begin(), hits.end(), [](const SearchHit& a, const SearchHit& b) {
        return a.centralProbability > b.centralProbability;
    });
}

} // namespace vesk
