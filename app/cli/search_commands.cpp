// SPDX-License-Identifier: GPL-3.0-or-later
#include "search_commands.h"

#include "civil_time.h"
#include "clock.h"
#include "command_line.h"
#include "csv_record.h"
#include "eclipse_list.h"
#include "eclipse_search.h"
#include "info_command.h"
#include "json_values.h"
#include "place_options.h"
#include "saros.h"
#include "sighting_options.h"
#include "text_format.h"
#include "timescales.h"
#include "translation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>

namespace vesk {

namespace {

const std::vector<std::string> filterOptions = {"--type",           "--place",        "--min-mag",
                                                "--p-central",      "--saros",        "--delta-t",
                                                "--delta-t-adjust", "--delta-t-model"};

// The search filter of the options into the criteria and the view's observer; an error text.
// The type code of a --type value: a name, or the code itself.
std::optional<int> typeCodeOf(const std::string& text) {
    for (int code = 1; code <= 6; ++code)
        if (text == englishTypeNames[static_cast<std::size_t>(code)] ||
            text == std::to_string(code))
            return code;
    return std::nullopt;
}

std::string applyFilter(const CommandLine& options, AppState& state, SearchCriteria& c,
                        std::FILE* err) {
    std::string error;
    int filters = 0;
    if (const auto type = options.value("--type")) {
        const std::optional<int> code = typeCodeOf(*type);
        if (!code)
            return "--type must be partial, total, annular, hybrid, noncentral-total, "
                   "noncentral-annular or a type code from 1 to 6";
        c.mode = searchType;
        c.type = *code;
        ++filters;
    }
    if (options.has("--place")) {
        if (const std::string bad = applyObserverOptions(options, state, err).error; !bad.empty())
            return bad;
        c.mode = searchPlace;
        c.minMagnitude = options.number("--min-mag", error).value_or(c.minMagnitude);
        c.minCentralProbability = options.number("--p-central", error).value_or(0);
        if (error.empty() && options.has("--p-central") &&
            !(c.minCentralProbability > 0 && c.minCentralProbability <= 1))
            return "--p-central must lie above 0 and at most 1";
        ++filters;
    } else if (options.has("--min-mag") || options.has("--p-central")) {
        return "--min-mag and --p-central go with --place";
    }
    if (const auto saros = options.wholeValue("--saros", error)) {
        c.mode = searchSarosNumber;
        c.saros = *saros;
        ++filters;
    }
    if (error.empty())
        error = applyDeltaTOptions(options, state.session.view);
    if (!error.empty())
        return error;
    if (filters > 1)
        return "give one of --type, --place and --saros";
    return applySightingOptions(options, state, c);
}

// The clocks of the view's observer (the place of a place search).
PlaceClocks observerClocks(AppState& state) {
    const ViewSettings& v = state.session.view;
    return placeClocks(observerPlace(v, *state.places), v.observerLon);
}

SearchMessage printTo(std::FILE* err) {
    return [err](int, int, const char* text) { std::fprintf(err, "%s\n", text); };
}

// The place search's maximum at the observer: its UT and civil timestamps (the civil one empty
// where the place's clocks are not known at the date), magnitude, obscuration and the Sun's
// altitude.
struct PlaceFields {
    std::string ut, civil, magnitude, obscuration, sunAltitude;
};

PlaceFields placeFields(const PlaceMaximum& at, const PlaceClocks& clocks) {
    PlaceFields fields{utTimestamp(at.jdUt), "", format("%.4f", at.magnitude),
                       format("%.4f", at.obscuration), format("%.1f", at.sunAltitude)};
    if (const auto clock = clocks.clockAt ? clocks.clockAt(at.jdUt) : std::nullopt)
        fields.civil = civilTimestamp(at.jdUt, *clock);
    return fields;
}

// A line of the list, with the type's name in the language of the names, the probability of a
// central eclipse in a search by it, and the maximum at the place of a place search.
void printHit(std::FILE* out, const SearchHit& hit, TypeNames names, const PlaceClocks& clocks) {
    std::string line = listLine(hit, names);
    if (hit.centralProbability >= 0) {
        char probability[32];
        std::snprintf(probability, sizeof probability, "  P=%.3f", hit.centralProbability);
        line += probability;
    }
    if (hit.atPlace) {
        const PlaceFields at = placeFields(*hit.atPlace, clocks);
        line += "  max " + at.ut + (at.civil.empty() ? "" : " (" + at.civil + ")") + "  mag " +
                at.magnitude + "  obscuration " + at.obscuration + "  Sun " + at.sunAltitude + "°";
    }
    std::fprintf(out, "%s\n", line.c_str());
}

// The list for scripts: CSV (a header line) or a JSON array, one eclipse each with its date
// (astronomical year, the calendar of the date: Julian before 1582 October 15), its type by
// name and code, its Saros series and member, and the probability of a search by it (empty or
// null otherwise) under probabilityName: p_central, or p_seen for a record's evidence.
enum class ListForm { lines, csv, json };

// What a hit's CSV record and JSON object share: its date, calendar and type.
struct HitIdentity {
    std::string date;
    const char* calendar;
    const char* type;
    int typeCode;
};

HitIdentity hitIdentity(const SearchHit& hit) {
    const int type = static_cast<int>(std::trunc(hit.typeCode));
    return {format("%.0f-%02.0f-%02.0f", hit.year, hit.month, hit.day),
            isJulianCalendarDate(hit.year, hit.month, hit.day) ? "julian" : "gregorian",
            englishTypeNames[type >= 0 && type <= 6 ? static_cast<std::size_t>(type) : 0], type};
}

std::string hitCsvRecord(const SearchHit& hit, const PlaceClocks& clocks) {
    const HitIdentity id = hitIdentity(hit);
    const PlaceFields at = hit.atPlace ? placeFields(*hit.atPlace, clocks) : PlaceFields{};
    return csvRecord({id.date, id.calendar, id.type, std::to_string(id.typeCode),
                      format("%.0f", hit.saros), std::to_string(sarosMember(hit.year, hit.saros)),
                      hit.centralProbability >= 0 ? format("%.6f", hit.centralProbability) : "",
                      at.ut, at.civil, at.magnitude, at.obscuration, at.sunAltitude});
}

Json hitJson(const SearchHit& hit, const PlaceClocks& clocks, const char* probabilityName) {
    const HitIdentity id = hitIdentity(hit);
    Json object{{"date", id.date},
                {"calendar", id.calendar},
                {"type", id.type},
                {"type_code", id.typeCode},
                {"saros", roundedJson(hit.saros, 0)},
                {"saros_member", sarosMember(hit.year, hit.saros)},
                {probabilityName, hit.centralProbability >= 0
                                      ? roundedJson(hit.centralProbability, 6)
                                      : Json(nullptr)},
                {"local", nullptr}};
    if (hit.atPlace) {
        const PlaceMaximum& at = *hit.atPlace;
        const PlaceFields fields = placeFields(at, clocks);
        object["local"] = {{"max_ut", fields.ut},
                           {"max_civil", fields.civil.empty() ? Json(nullptr) : Json(fields.civil)},
                           {"magnitude", roundedJson(at.magnitude, 4)},
                           {"obscuration", roundedJson(at.obscuration, 4)},
                           {"sun_alt", roundedJson(at.sunAltitude, 1)}};
    }
    return object;
}

void printHits(std::FILE* out, const std::vector<SearchHit>& hits, ListForm form, TypeNames names,
               const PlaceClocks& clocks, const char* probabilityName) {
    if (form == ListForm::lines) {
        for (const SearchHit& hit : hits)
            printHit(out, hit, names, clocks);
    } else if (form == ListForm::csv) {
        std::fputs(csvRecord({"date", "calendar", "type", "type_code", "saros", "saros_member",
                              probabilityName, "max_ut", "max_civil", "magnitude", "obscuration",
                              "sun_alt"})
                       .c_str(),
                   out);
        for (const SearchHit& hit : hits)
            std::fputs(hitCsvRecord(hit, clocks).c_str(), out);
    } else {
        Json list = Json::array();
        for (const SearchHit& hit : hits)
            list.push_back(hitJson(hit, clocks, probabilityName));
        std::fprintf(out, "%s\n", jsonText(list).c_str());
    }
}

} // namespace

int runListCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                   std::FILE* err) {
    Session& s = state.session;
    CommandLine options;
    std::string error;
    std::vector<std::string> valued = {"--from", "--years", "--limit"};
    valued.insert(valued.end(), filterOptions.begin(), filterOptions.end());
    valued.insert(valued.end(), sightingOptions.begin(), sightingOptions.end());
    if (!options.parse(args, {valued.begin(), valued.end()},
                       {"--csv", "--json", "--ndot-correction"}, error)) {
        std::fprintf(err, "vesk list: %s\n", error.c_str());
        return 2;
    }
    if (options.hasFlag("--csv") && options.hasFlag("--json")) {
        std::fprintf(err, "vesk list: --csv and --json exclude each other\n");
        return 2;
    }
    const ListForm form = options.hasFlag("--csv")    ? ListForm::csv
                          : options.hasFlag("--json") ? ListForm::json
                                                      : ListForm::lines;
    SearchCriteria criteria;
    error = applyFilter(options, state, criteria, err);
    const double from = options.year("--from", error).value_or(currentLocalMonth().year);
    const double years = options.wholeValue("--years", error).value_or(10);
    const double limit = options.wholeValue("--limit", error).value_or(maxSearchHits);
    if (error.empty())
        error = checkYearMonth(from, 1);
    if (error.empty() && !(years >= 1 && years <= 30000))
        error = "--years must lie from 1 to 30000";
    if (error.empty() && !(limit >= 1 && limit <= 100000))
        error = "--limit must lie from 1 to 100000";
    if (!error.empty()) {
        std::fprintf(err, "vesk list: %s\n", error.c_str());
        return 2;
    }
    const int status =
        collectMatches(s, printTo(err), from, years, criteria, static_cast<int>(limit));
    const bool bySighting = options.has("--seen");
    if (bySighting)
        sortByProbability(s.searchHits);
    printHits(out, s.searchHits, form, typeNamesOf(state.language), observerClocks(state),
              bySighting ? "p_seen" : "p_central");
    if (status < 0) {
        std::fprintf(err, "vesk list: a catalog file is missing: the list ends at %.0f\n",
                     s.view.year);
        return 1;
    }
    return 0;
}

int runStepCommand(AppState& state, const std::vector<std::string>& args, int direction,
                   std::FILE* out, std::FILE* err) {
    Session& s = state.session;
    const char* name = direction > 0 ? "vesk next" : "vesk prev";
    CommandLine options;
    std::string error;
    std::vector<std::string> valued = {"--year", "--month", "--day"};
    valued.insert(valued.end(), filterOptions.begin(), filterOptions.end());
    valued.insert(valued.end(), sightingOptions.begin(), sightingOptions.end());
    if (!options.parse(args, {valued.begin(), valued.end()}, {"--ndot-correction"}, error)) {
        std::fprintf(err, "%s: %s\n", name, error.c_str());
        return 2;
    }
    SearchCriteria criteria;
    error = applyFilter(options, state, criteria, err);
    const CalendarMonth now = currentLocalMonth();
    const double year = options.year("--year", error).value_or(now.year);
    const double month = options.eclipseMonth(error).value_or(now.month);
    if (error.empty())
        error = checkYearMonth(year, month);
    if (!error.empty()) {
        std::fprintf(err, "%s: %s\n", name, error.c_str());
        return 2;
    }
    s.catalog.deltaTChoice = s.view.deltaTChoice;
    if (const Outcome failure = catalogFind(s.catalog, year, month)) {
        printFailure(name, *failure, state.language, err);
        return 1;
    }
    const EclipseRecord& r = s.catalog.record;
    if (direction > 0) {
        // one line says why nothing was found (the catalog's end, a file missing or damaged, a
        // Saros series that does not come): the search's own message, in the user's language
        std::string why;
        const SearchMessage keep = [&](int, int, const char* text) {
            if (why.empty())
                why = messageIn(state.language, text);
        };
        SearchHit hit;
        if (findNextMatch(s, keep, criteria, &hit) < 0) {
            std::fprintf(err, "%s: %s\n", name, why.c_str());
            return 1;
        }
        printHit(out, hit, typeNamesOf(state.language), observerClocks(state));
        return 0;
    }
    double foundYear = NAN, foundMonth = NAN;
    SearchHit hit;
    if (findPreviousMatch(s, printTo(err), r.year, r.jd, criteria, foundYear, foundMonth, &hit) <
            0 ||
        std::isnan(foundYear)) {
        std::fprintf(err, "%s: no matching eclipse in the years searched before\n", name);
        return 1;
    }
    printHit(out, hit, typeNamesOf(state.language), observerClocks(state));
    return 0;
}

} // namespace vesk
