// SPDX-License-Identifier: GPL-3.0-or-later
#include "info_command.h"

#include "civil_time.h"
#include "clock.h"
#include "command_line.h"
#include "csv_record.h"
#include "delta_t_report.h"
#include "eclipse_series.h"
#include "json_values.h"
#include "limb_correction.h"
#include "local_circumstances.h"
#include "messages.h"
#include "place_options.h"
#include "saros.h"
#include "text_format.h"
#include "timescales.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <nlohmann/json.hpp>

namespace vesk {

std::string utTimestamp(double jd) {
    double dayStart = std::floor(jd + 0.5) - 0.5;
    long long tenths = std::llround((jd - dayStart) * 864000);
    if (tenths >= 864000) {
        dayStart += 1;
        tenths -= 864000;
    }
    const auto [year, month, day, hour] = jdToCalendar(dayStart, 0, 0);
    char text[40];
    std::snprintf(text, sizeof text, "T%02lld:%02lld:%04.1fZ", tenths / 36000, tenths / 600 % 60,
                  static_cast<double>(tenths % 600) / 10);
    return isoDate(year, month, day) + text;
}

namespace {

// An event's name in JSON: "c1" ... "c4", "max".
std::string jsonName(const char* name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The civil clock at the local maximum (nothing: no zone, or not known at the date).
std::optional<CivilClock> clockAtMaximum(const EclipseRecord& e, const LocalCircumstances& local,
                                         const PlaceClocks& clocks, double dt) {
    if (!clocks.clockAt || !local.maximum)
        return std::nullopt;
    return clocks.clockAt(instantJdUt(e, local.maximum->shadow.t, dt));
}

// The civil time of an event, or nothing where it is not known.
std::optional<std::string> civilTimeOf(const EclipseRecord& e, const LocalEvent& event,
                                       const PlaceClocks& clocks, double dt) {
    if (!clocks.clockAt)
        return std::nullopt;
    const double jd = instantJdUt(e, event.shadow.t, dt);
    const std::optional<CivilClock> clock = clocks.clockAt(jd);
    return clock ? std::optional(civilTimestamp(jd, *clock)) : std::nullopt;
}

// The "civil" member: the place's zone and the civil times of the events; null without a clock.
Json civilJson(const EclipseRecord& e, const LocalCircumstances& local, const PlaceClocks& clocks,
               double dt) {
    const std::optional<CivilClock> clock = clockAtMaximum(e, local, clocks, dt);
    if (!clock)
        return nullptr;
    Json civil{{"zone", clocks.place.zone.empty() ? Json(nullptr) : Json(clocks.place.zone)},
               {"zone_source", zoneSourceName(clocks.place.zoneSource)},
               {"abbreviation", clock->abbreviation},
               {"offset", clock->offsetSeconds}};
    for (const NamedLocalEvent& event : namedLocalEvents(local)) {
        const std::optional<std::string> time =
            event.event ? civilTimeOf(e, *event.event, clocks, dt) : std::nullopt;
        civil[jsonName(event.name)] = time ? Json(*time) : Json(nullptr);
    }
    return civil;
}

// The "local" member: the place, its events in UT with the Sun's altitude and azimuth, the
// magnitude, the obscuration and whether the eclipse is central there.
Json localJson(const EclipseRecord& e, const ViewSettings& view, const LocalCircumstances& local,
               const PlaceClocks& clocks, double dt) {
    Json place{{"place", clocks.place.name.empty() ? Json(nullptr) : Json(clocks.place.name)},
               {"lon", roundedJson(view.observerLon, 5)},
               {"lat", roundedJson(view.observerLat, 5)},
               {"height", roundedJson(view.observerHeight, 1)},
               {"height_source", heightSourceName(clocks.place.heightSource)}};
    for (const NamedLocalEvent& event : namedLocalEvents(local)) {
        Json& member = place[jsonName(event.name)];
        if (event.event)
            member = {{"ut", utTimestamp(instantJdUt(e, event.event->shadow.t, dt))},
                      {"alt", roundedJson(event.event->shadow.sunAltitude, 2)},
                      {"az", roundedJson(event.event->sun.azimuth, 2)}};
    }
    place["duration"] = roundedJson(centralPhaseSeconds(local), 1);
    place["magnitude"] = roundedJson(shownMagnitude(local.magnitude), 4);
    place["obscuration"] = roundedJson(local.obscuration, 4);
    place["central"] = local.central;
    return place;
}

void printLocalText(const EclipseRecord& e, const ViewSettings& view,
                    const LocalCircumstances& local, const PlaceClocks& clocks, double dt,
                    std::FILE* out) {
    std::fprintf(out, "place       %.4f E %.4f N %.0f m%s\n",
                 withoutNegativeZero(view.observerLon, 4), withoutNegativeZero(view.observerLat, 4),
                 view.observerHeight, heightSourceNote(clocks.place.heightSource).c_str());
    if (!clocks.place.name.empty())
        std::fprintf(out, "name        %s\n", clocks.place.name.c_str());
    for (const NamedLocalEvent& event : namedLocalEvents(local)) {
        if (!event.event)
            continue;
        const std::optional<std::string> civil = civilTimeOf(e, *event.event, clocks, dt);
        std::fprintf(out, "%-4s        %s  Sun alt %6.2f az %6.2f%s%s\n", event.name,
                     utTimestamp(instantJdUt(e, event.event->shadow.t, dt)).c_str(),
                     event.event->shadow.sunAltitude, event.event->sun.azimuth,
                     civil ? "  civil " : "", civil ? civil->c_str() : "");
    }
    if (const std::optional<double> seconds = centralPhaseSeconds(local))
        std::fprintf(out, "duration    %.1f s (%s of %s)\n", *seconds,
                     minutesAndSeconds(*seconds).c_str(),
                     centralPhaseNoun(centralPhaseOf(local).value_or(CentralPhase::total)));
    std::fprintf(out, "local mag.  %.4f%s\nobscuration %.4f (%.1f %% of the Sun's disk)\n",
                 shownMagnitude(local.magnitude), local.central ? " (central)" : "",
                 local.obscuration, 100 * local.obscuration);
    if (const std::string note = civilTimeNote(clocks.place, clockAtMaximum(e, local, clocks, dt),
                                               local.maximum.has_value());
        !note.empty())
        std::fprintf(out, "%s\n", note.c_str() + 1);
}

// The eclipse at the place a minute apart, as a JSON array.
Json seriesJson(const EclipseRecord& e, const std::vector<SeriesPoint>& series, double dt) {
    Json list = Json::array();
    for (const SeriesPoint& p : series)
        list.push_back({{"ut", utTimestamp(instantJdUt(e, p.t, dt))},
                        {"obscuration", roundedJson(p.obscuration, 4)},
                        {"magnitude", roundedJson(p.magnitude, 4)},
                        {"alt", roundedJson(p.altitude, 2)},
                        {"az", roundedJson(p.azimuth, 2)}});
    return list;
}

// The same as a CSV table with a header line.
void printSeriesCsv(const EclipseRecord& e, const std::vector<SeriesPoint>& series, double dt,
                    std::FILE* out) {
    std::fputs(csvRecord({"ut", "obscuration", "magnitude", "alt", "az"}).c_str(), out);
    for (const SeriesPoint& p : series)
        std::fputs(csvRecord({utTimestamp(instantJdUt(e, p.t, dt)), format("%.4f", p.obscuration),
                              format("%.4f", p.magnitude), format("%.2f", p.altitude),
                              format("%.2f", p.azimuth)})
                       .c_str(),
                   out);
}

} // namespace

std::string isoDate(double year, double month, double day) {
    char text[48];
    const long long y = std::llround(year);
    std::snprintf(text, sizeof text, "%s%04lld-%02d-%02d", y < 0 ? "-" : "", y < 0 ? -y : y,
                  static_cast<int>(month), static_cast<int>(day));
    return text;
}

namespace {

// What vesk info is asked: the month and the place (with the view's settings applied to state).
struct InfoRequest {
    double year = 0, month = 0;
    ObserverOptions place;
};

// The request of the options; empty, or why they cannot be taken.
std::string infoRequestOf(const CommandLine& options, AppState& state, InfoRequest& asked,
                          std::FILE* err) {
    std::string error;
    const CalendarMonth now = currentLocalMonth();
    asked.year = options.year("--year", error).value_or(now.year);
    asked.month = options.eclipseMonth(error).value_or(now.month);
    if (error.empty())
        error = checkYearMonth(asked.year, asked.month);
    if (error.empty())
        error = applyDeltaTOptions(options, state.session.view);
    if (error.empty())
        asked.place = applyObserverOptions(options, state, err);
    if (error.empty())
        error = asked.place.error;
    if (error.empty() && options.hasFlag("--csv") && options.hasFlag("--json"))
        error = "--csv and --json exclude each other";
    if (error.empty() && options.hasFlag("--limb-ranges") && !asked.place.given)
        error = "--limb-ranges gives the ranges of Delta T at a place: it needs --place, or --lon "
                "and --lat";
    if (error.empty() && options.hasFlag("--csv") && !asked.place.given)
        error = "--csv writes the eclipse at a place over time: it needs --place, or --lon and "
                "--lat";
    return error;
}

// What vesk info prints of an eclipse (and of the place, where one is given).
struct InfoReport {
    const EclipseRecord& record;
    const ViewSettings& view;
    double deltaT;
    std::optional<LocalCircumstances> local{};
    PlaceClocks clocks{};
    PlaceDeltaT uncertainty{};
    std::optional<DeltaTSource> source{};
    std::vector<SeriesPoint> series{};
};

void printInfoJson(const InfoReport& r, std::FILE* out) {
    const EclipseRecord& record = r.record;
    const bool julian = isJulianCalendarDate(record.year, record.month, record.day);
    Json info{{"date_ut", isoDate(record.year, record.month, record.day)},
              {"type_code", static_cast<int>(record.typeCode)},
              {"type", eclipseTypeName(eclipseTypeNames, record.typeCode)},
              {"magnitude", roundedJson(record.magnitude, 5)},
              {"jd_ut", roundedJson(record.jd, 6)},
              {"saros", static_cast<int>(record.saros)},
              {"saros_member", sarosMember(record.year, record.saros)},
              {"t0", roundedJson(record.t0, 0)},
              {"delta_t", roundedJson(r.deltaT, 2)},
              {"jd_tt", roundedJson(record.jdTT, 6)},
              {"calendar", julian ? "julian" : "gregorian"}};
    if (const std::optional<std::string> beforeChrist = yearBeforeChrist(record.year))
        info["year_bc"] = *beforeChrist;
    info.update(deltaTSourceJson(r.source));
    info.update(deltaTJson(r.uncertainty));
    if (r.local) {
        info["local"] = localJson(record, r.view, *r.local, r.clocks, r.deltaT);
        info["civil"] = civilJson(record, *r.local, r.clocks, r.deltaT);
        info["series"] = seriesJson(record, r.series, r.deltaT);
    }
    std::fprintf(out, "%s\n", jsonText(info).c_str());
}

void printInfoText(const InfoReport& r, std::FILE* out) {
    const EclipseRecord& record = r.record;
    std::fprintf(out,
                 "date (UT)   %s%s\ntype        %s\nmagnitude   %.5f\nJD (UT)     %.6f\n"
                 "Saros       %d/%d\nt0          %.0f h TT\nDelta T     %.2f s\n",
                 isoDate(record.year, record.month, record.day).c_str(),
                 calendarNote(record.year, record.month, record.day).c_str(),
                 eclipseTypeName(eclipseTypeNames, record.typeCode), record.magnitude, record.jd,
                 static_cast<int>(record.saros), sarosMember(record.year, record.saros), record.t0,
                 r.deltaT);
    printDeltaTSourceText(r.source, out);
    if (r.local)
        printLocalText(record, r.view, *r.local, r.clocks, r.deltaT, out);
    printDeltaTText(record, r.uncertainty, out);
}

// The lunar grid for --limb-ranges, read when first asked for; false, with the limb screen's
// message on err, without it.
bool lunarGridForRanges(AppState& state, std::FILE* err) {
    if (!state.limb.grid.empty())
        return true;
    const Outcome failure = loadLunarGrid(state.limb, state.session.catalog.paths);
    if (failure)
        printFailure("vesk info", *failure, state.language, err);
    return !failure;
}

} // namespace

int runInfoCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                   std::FILE* err) {
    Session& session = state.session;
    CommandLine options;
    std::string error;
    InfoRequest asked;
    if (!options.parse(args,
                       {"--year", "--month", "--day", "--lon", "--lat", "--height", "--place",
                        "--delta-t", "--delta-t-adjust", "--delta-t-model"},
                       {"--json", "--csv", "--ndot-correction", "--limb-ranges"}, error) ||
        !(error = infoRequestOf(options, state, asked, err)).empty()) {
        std::fprintf(err, "vesk info: %s\n", error.c_str());
        return 2;
    }
    ViewSettings& view = session.view;
    session.catalog.deltaTChoice = view.deltaTChoice;
    const Outcome failure = catalogFind(session.catalog, asked.year, asked.month);
    for (const std::string& note : session.catalog.ignored)
        std::fprintf(err, "vesk: %s\n", note.c_str());
    if (failure) {
        printFailure("vesk info", *failure, state.language, err);
        return 1;
    }
    const EclipseRecord& record = session.catalog.record;
    view.year = record.year;
    view.month = record.month;
    const double dt = viewDeltaT(record, view);
    session.shown = {record, dt};
    const bool limbRanges = options.hasFlag("--limb-ranges");
    if (limbRanges && !lunarGridForRanges(state, err))
        return 1;
    InfoReport report{record, view, dt};
    if (asked.place.given) {
        report.local = localCircumstances(record, viewObserver(view), dt);
        // the place's clocks only with a place: without one, no gazetteer or zone file is read
        report.clocks = placeClocks(observerPlace(view, *state.places), view.observerLon);
        report.series = eclipseSeries(record, *report.local, dt);
    }
    report.uncertainty = placeDeltaT(record, report.local, dt, limbRanges ? &state.limb : nullptr);
    if (!view.userDeltaT)
        report.source = deltaTSource(record, view.deltaTChoice);
    if (options.hasFlag("--csv"))
        printSeriesCsv(record, report.series, dt, out);
    else if (options.hasFlag("--json"))
        printInfoJson(report, out);
    else
        printInfoText(report, out);
    return 0;
}

} // namespace vesk
