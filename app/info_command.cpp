#include "info_command.h"

#include "clock.h"
#include "command_line.h"
#include "messages.h"
#include "saros.h"
#include "timescales.h"

#include <cmath>

namespace vesk {

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
    if (!options.parse(args, {"--year", "--month"}, {"--json"}, error)) {
        std::fprintf(err, "vesk info: %s\n", error.c_str());
        return 2;
    }
    const CalendarMonth now = currentLocalMonth();
    const double year = options.number("--year", error).value_or(now.year);
    const double month = options.number("--month", error).value_or(now.month);
    if (!error.empty()) {
        std::fprintf(err, "vesk info: %s\n", error.c_str());
        return 2;
    }
    if (!(month >= 1 && month < 13)) {
        std::fprintf(err, "vesk info: --month must lie from 1 to 12\n");
        return 2;
    }

    ViewState& view = session.view;
    view.year = year;
    view.month = month;
    view.catalogStatus = catalogFind(session.catalog, 0, view.year, view.month);
    if (view.catalogStatus < 0) {
        std::fprintf(err, "%s\n%s\n", messageNoCatalog, messageStartHere);
        return 1;
    }
    const EclipseRecord& record = session.catalog.record;
    view.year = record.year;
    view.month = record.month;
    const double dt = deltaT((record.jd - 2451545) / 36525) + view.deltaTAdjust;
    const std::string date = isoDate(record.year, record.month, record.day);
    const char* type = eclipseTypeName(eclipseTypeNames, record.typeCode);
    const int member = sarosMember(record.year, record.saros);

    if (options.hasFlag("--json")) {
        std::fprintf(out,
                     "{\"date_ut\": \"%s\", \"type_code\": %d, \"type\": \"%s\", "
                     "\"magnitude\": %.5f, \"jd_ut\": %.6f, \"saros\": %d, \"saros_member\": %d, "
                     "\"t0\": %.0f, \"delta_t\": %.2f}\n",
                     date.c_str(), static_cast<int>(record.typeCode), type, record.magnitude,
                     record.jd, static_cast<int>(record.saros), member, record.t0, dt);
    } else {
        std::fprintf(out,
                     "date (UT)   %s\ntype        %s\nmagnitude   %.5f\nJD (UT)     %.6f\n"
                     "Saros       %d/%d\nt0          %.0f h TT\nDelta T     %.2f s\n",
                     date.c_str(), type, record.magnitude, record.jd,
                     static_cast<int>(record.saros), member, record.t0, dt);
    }
    return 0;
}

} // namespace vesk
