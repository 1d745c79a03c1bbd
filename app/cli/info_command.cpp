// SPDX-License-Identifier: GPL-3.0-or-later
#include "info_command.h"

#include "civil_time.h"
#include "clock.h"
#include "command_line.h"
#include "delta_t_report.h"
#include "eclipse_series.h"
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

void printCivilJson(const EclipseRecord& e, const LocalCircumstances& local,
                    const PlaceClocks& clocks, double dt, std::FILE* out) {
    const std::optional<CivilClock> clock = clockAtMaximum(e, local, clocks, dt);
    if (!clock) {
        std::fprintf(out, ", \"civil\": null");
        return;
    }
    std::fprintf(out,
                 ", \"civil\": {\"zone\": %s, \"zone_source\": \"%s\", \"abbreviation\": %s, "
                 "\"offset\": %d",
                 clocks.place.zone.empty() ? "null" : jsonString(clocks.place.zone).c_str(),
                 zoneSourceName(clocks.place.zoneSource), jsonString(clock->abbreviation).c_str(),
                 clock->offsetSeconds);
    for (const NamedLocalEvent& event : namedLocalEvents(local)) {
        const std::optional<std::string> time =
            event.event ? civilTimeOf(e, *event.event, clocks, dt) : std::nullopt;
        std::fprintf(out, ", \"%s\": %s", jsonName(event.name).c_str(),
                     time ? jsonString(*time).c_str() : "null");
    }
    std::fprintf(out, "}");
}

void printLocalJson(const EclipseRecord& e, const ViewSettings& view,
                    const LocalCircumstances& local, const PlaceClocks& clocks, double dt,
                    std::FILE* out) {
    std::fprintf(out,
                 ", \"local\": {\"place\": %s, \"lon\": %s, \"lat\": %s, \"height\": %.1f, "
                 "\"height_source\": \"%s\", ",
                 clocks.place.name.empty() ? "null" : jsonString(clocks.place.name).c_str(),
                 jsonNumber(view.observerLon, 5).c_str(), jsonNumber(view.observerLat, 5).c_str(),
                 view.observerHeight, heightSourceName(clocks.place.heightSource));
    for (const NamedLocalEvent& event : namedLocalEvents(local)) {
        const std::string name = jsonName(event.name);
        if (!event.event) {
            std::fprintf(out, "\"%s\": null, ", name.c_str());
            continue;
        }
        std::fprintf(out, "\"%s\": {\"ut\": \"%s\", \"alt\": %s, \"az\": %s}, ", name.c_str(),
                     utTimestamp(instantJdUt(e, event.event->shadow.t, dt)).c_str(),
                     jsonNumber(event.event->shadow.sunAltitude, 2).c_str(),
                     jsonNumber(event.event->sun.azimuth, 2).c_str());
    }
    std::fprintf(out, "\"magnitude\": %s, \"obscuration\": %s, \"central\": %s}",
                 jsonNumber(shownMagnitude(local.magnitude), 4).c_str(),
                 jsonNumber(local.obscuration, 4).c_str(), local.central ? "true" : "false");
    printCivilJson(e, local, clocks, dt, out);
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
    std::fprintf(out, "local mag.  %.4f%s\nobscuration %.4f (%.1f %% of the Sun's disk)\n",
                 shownMagnitude(local.magnitude), local.central ? " (central)" : "",
                 local.obscuration, 100 * local.obscuration);
    if (const std::string note = civilTimeNote(clocks.place, clockAtMaximum(e, local, clocks, dt),
                                               local.maximum.has_value());
        !note.empty())
        std::fprintf(out, "%s\n", note.c_str() + 1);
}

// The eclipse at the place a minute apart, as the members of a JSON array.
void printSeriesJson(const EclipseRecord& e, const std::vector<SeriesPoint>& series, double dt,
                     std::FILE* out) {
    std::fprintf(out, ", \"series\": [");
    for (std::size_t i = 0; i < series.size(); ++i) {
        const SeriesPoint& p = series[i];
        std::fprintf(out,
                     "%s{\"ut\": \"%s\", \"obscuration\": %s, \"magnitude\": %s, \"alt\": %s, "
                     "\"az\": %s}",
                     i == 0 ? "" : ", ", utTimestamp(instantJdUt(e, p.t, dt)).c_str(),
                     jsonNumber(p.obscuration, 4).c_str(), jsonNumber(p.magnitude, 4).c_str(),
                     jsonNumber(p.altitude, 2).c_str(), jsonNumber(p.azimuth, 2).c_str());
    }
    std::fprintf(out, "]");
}

// The same as a CSV table with a header line.
void printSeriesCsv(const EclipseRecord& e, const std::vector<SeriesPoint>& series, double dt,
                    std::FILE* out) {
    std::fprintf(out, "ut,obscuration,magnitude,alt,az\n");
    for (const SeriesPoint& p : series)
        std::fprintf(out, "%s,%.4f,%.4f,%.2f,%.2f\n", utTimestamp(instantJdUt(e, p.t, dt)).c_str(),
                     p.obscuration, p.magnitude, p.altitude, p.azimuth);
}

} // namespace

std::string jsonNumber(double value, int decimals) {
    if (!std::isfinite(value))
        return "null";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

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
    std::fprintf(out,
                 "{\"date_ut\": \"%s\", \"type_code\": %d, \"type\": \"%s\", "
                 "\"magnitude\": %.5f, \"jd_ut\": %.6f, \"saros\": %d, \"saros_member\": %d, "
                 "\"t0\": %.0f, \"delta_t\": %.2f, \"jd_tt\": %.6f, \"calendar\": \"%s\"",
                 isoDate(record.year, record.month, record.day).c_str(),
                 static_cast<int>(record.typeCode),
                 eclipseTypeName(eclipseTypeNames, record.typeCode), record.magnitude, record.jd,
                 static_cast<int>(record.saros), sarosMember(record.year, record.saros), record.t0,
                 r.deltaT, record.jdTT, julian ? "julian" : "gregorian");
    if (const std::optional<std::string> beforeChrist = yearBeforeChrist(record.year))
        std::fprintf(out, ", \"year_bc\": \"%s\"", beforeChrist->c_str());
    printDeltaTSourceJson(r.source, out);
    printDeltaTJson(r.uncertainty, out);
    if (r.local) {
        printLocalJson(record, r.view, *r.local, r.clocks, r.deltaT, out);
        printSeriesJson(record, r.series, r.deltaT, out);
    }
    std::fprintf(out, "}\n");
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
    if (!state.limb.grid.empty() || loadLunarGrid(state.limb, state.session.catalog.paths))
        return true;
    printMissingLunarGrid("vesk info", state.language, err);
    return false;
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
    const int found = catalogFind(session.catalog, asked.year, asked.month);
    for (const std::string& note : session.catalog.ignored)
        std::fprintf(err, "vesk: %s\n", note.c_str());
    if (found < 0) {
        printCatalogFailure(session.catalog, found, err, state.language);
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
