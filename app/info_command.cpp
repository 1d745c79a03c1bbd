#include "info_command.h"

#include "clock.h"
#include "command_line.h"
#include "local_contacts.h"
#include "messages.h"
#include "saros.h"
#include "timescales.h"

#include <cmath>

namespace vesk {

namespace {

// "YYYY-MM-DDTHH:MM:SS.sZ" of a UT Julian date, rounded to a tenth of a second.
std::string utTimestamp(double jd) {
    double dayStart = std::floor(jd + 0.5) - 0.5;
    long long tenths = std::llround((jd - dayStart) * 864000);
    if (tenths >= 864000) {
        dayStart += 1;
        tenths -= 864000;
    }
    double year = 0, month = 0, day = 0, hour = 0;
    jdToCalendar(dayStart, 0, 0, year, month, day, hour);
    char text[40];
    std::snprintf(text, sizeof text, "T%02lld:%02lld:%04.1fZ", tenths / 36000, tenths / 600 % 60,
                  static_cast<double>(tenths % 600) / 10);
    return isoDate(year, month, day) + text;
}

struct NamedEvent {
    const char* name;
    const std::optional<LocalEvent>& event;
};

// A JSON number with the given decimals; null for what is not a finite number.
std::string jsonNumber(double value, int decimals) {
    if (!std::isfinite(value))
        return "null";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void printLocalJson(const EclipseState& state, const LocalContacts& local, double dt,
                    std::FILE* out) {
    const NamedEvent events[] = {{"c1", local.first},
                                 {"c2", local.second},
                                 {"max", local.maximum},
                                 {"c3", local.third},
                                 {"c4", local.fourth}};
    std::fprintf(out, ", \"local\": {");
    for (const NamedEvent& e : events) {
        if (!e.event) {
            std::fprintf(out, "\"%s\": null, ", e.name);
            continue;
        }
        std::fprintf(out, "\"%s\": {\"ut\": \"%s\", \"alt\": %s, \"az\": %s}, ", e.name,
                     utTimestamp(instantJdUt(state, e.event->t, dt)).c_str(),
                     jsonNumber(e.event->altitude, 2).c_str(),
                     jsonNumber(e.event->azimuth, 2).c_str());
    }
    std::fprintf(out, "\"magnitude\": %s, \"central\": %s}",
                 jsonNumber(shownMagnitude(local.magnitude), 4).c_str(),
                 local.central ? "true" : "false");
}

void printLocalText(const EclipseState& state, const ViewState& view, const LocalContacts& local,
                    double dt, std::FILE* out) {
    std::fprintf(out, "place       %.4f E %.4f N %.0f m\n", view.observerLon, view.observerLat,
                 view.observerHeight);
    const NamedEvent events[] = {{"C1", local.first},
                                 {"C2", local.second},
                                 {"max", local.maximum},
                                 {"C3", local.third},
                                 {"C4", local.fourth}};
    for (const NamedEvent& e : events) {
        if (!e.event)
            continue;
        std::fprintf(out, "%-4s        %s  Sun alt %6.2f az %6.2f\n", e.name,
                     utTimestamp(instantJdUt(state, e.event->t, dt)).c_str(), e.event->altitude,
                     e.event->azimuth);
    }
    std::fprintf(out, "local mag.  %.4f%s\n", shownMagnitude(local.magnitude),
                 local.central ? " (central)" : "");
}

} // namespace

std::string isoDate(double year, double month, double day) {
    char text[48];
    const long long y = std::llround(year);
    std::snprintf(text, sizeof text, "%s%04lld-%02d-%02d", y < 0 ? "-" : "", y < 0 ? -y : y,
                  static_cast<int>(month), static_cast<int>(day));
    return text;
}

int runInfoCommand(Session& session, const std::vector<std::string>& args, std::FILE* out,
                   std::FILE* err) {
    CommandLine options;
    std::string error;
    if (!options.parse(args, {"--year", "--month", "--lon", "--lat", "--height"}, {"--json"},
                       error)) {
        std::fprintf(err, "vesk info: %s\n", error.c_str());
        return 2;
    }
    const CalendarMonth now = currentLocalMonth();
    const double year = options.number("--year", error).value_or(now.year);
    const double month = options.number("--month", error).value_or(now.month);
    const std::optional<double> lon = options.number("--lon", error);
    const std::optional<double> lat = options.number("--lat", error);
    const double height = options.number("--height", error).value_or(0);
    if (error.empty())
        error = checkYearMonth(year, month);
    if (error.empty())
        error = checkHeight(height);
    if (error.empty() && lon.has_value() != lat.has_value())
        error = "--lon and --lat go together";
    if (error.empty() && lon && !(*lon >= -180 && *lon <= 360 && *lat >= -90 && *lat <= 90))
        error = "--lon must lie from -180 to 360 and --lat from -90 to 90";
    if (!error.empty()) {
        std::fprintf(err, "vesk info: %s\n", error.c_str());
        return 2;
    }

    ViewState& view = session.view;
    view.year = year;
    view.month = month;
    view.catalogStatus = catalogFind(session.catalog, view.year, view.month);
    for (const std::string& note : session.catalog.ignored)
        std::fprintf(err, "vesk: %s\n", note.c_str());
    if (view.catalogStatus < 0) {
        printCatalogFailure(session.catalog, view.catalogStatus, err);
        return 1;
    }
    const EclipseRecord& record = session.catalog.record;
    view.year = record.year;
    view.month = record.month;
    const double dt = viewDeltaT(record, view);
    const std::string date = isoDate(record.year, record.month, record.day);
    const char* type = eclipseTypeName(eclipseTypeNames, record.typeCode);
    const int member = sarosMember(record.year, record.saros);
    EclipseState& state = session.eclipse;
    loadEclipseSummary(state);
    state.deltaT = dt;
    state.deltaTHours = dt / 3600;
    std::optional<LocalContacts> local;
    if (lon) {
        view.observerLon = *lon;
        view.observerLat = *lat;
        view.observerHeight = height;
        view.observerCityIndex = typedPlaceIndex;
        local = computeLocalContacts(state, view, dt);
    }

    const bool julian = isJulianCalendarDate(record.year, record.month, record.day);
    if (options.hasFlag("--json")) {
        std::fprintf(out,
                     "{\"date_ut\": \"%s\", \"type_code\": %d, \"type\": \"%s\", "
                     "\"magnitude\": %.5f, \"jd_ut\": %.6f, \"saros\": %d, \"saros_member\": %d, "
                     "\"t0\": %.0f, \"delta_t\": %.2f, \"jd_tt\": %.6f, \"calendar\": \"%s\"",
                     date.c_str(), static_cast<int>(record.typeCode), type, record.magnitude,
                     record.jd, static_cast<int>(record.saros), member, record.t0, dt, record.jdTT,
                     julian ? "julian" : "gregorian");
        if (local)
            printLocalJson(state, *local, dt, out);
        std::fprintf(out, "}\n");
    } else {
        std::fprintf(out,
                     "date (UT)   %s%s\ntype        %s\nmagnitude   %.5f\nJD (UT)     %.6f\n"
                     "Saros       %d/%d\nt0          %.0f h TT\nDelta T     %.2f s\n",
                     date.c_str(), julian ? " (Julian)" : "", type, record.magnitude, record.jd,
                     static_cast<int>(record.saros), member, record.t0, dt);
        if (local)
            printLocalText(state, view, *local, dt, out);
    }
    return 0;
}

} // namespace vesk
