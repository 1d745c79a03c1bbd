// SPDX-License-Identifier: GPL-3.0-or-later
#include "delta_t_report.h"

#include <string>

namespace vesk {

namespace {

std::string jsonIntervals(const std::vector<DeltaTInterval>& intervals) {
    std::string list = "[";
    for (const DeltaTInterval& i : intervals) {
        // an end not followed to where the range ends is null: the range goes on beyond it
        const auto end = [](double value, bool open) {
            char number[32];
            std::snprintf(number, sizeof number, "%.0f", value);
            return open ? std::string("null") : std::string(number);
        };
        list += (list.size() > 1 ? ", [" : "[") + end(i.from, i.openBelow) + ", " +
                end(i.to, i.openAbove) + "]";
    }
    return list + "]";
}

std::string jsonDuration(const std::optional<double>& hours) {
    if (!hours)
        return "null";
    char text[80];
    std::snprintf(text, sizeof text, "{\"hours\": %.3f, \"time_degrees\": %.1f}", *hours,
                  *hours * timeDegreesPerHour);
    return text;
}

void printDuration(const char* label, const std::optional<double>& hours, std::FILE* out) {
    if (hours)
        std::fprintf(out, "%-12s%.2f h (%.1f time-degrees)\n", label, *hours,
                     *hours * timeDegreesPerHour);
}

} // namespace

DeltaTSource deltaTSource(const EclipseRecord& record, const DeltaTChoice& choice) {
    const double t = (record.jd - 2451545) / 36525; // Julian centuries from J2000
    return {choice, modelNdot(choice.model, 2000 + 100 * t), correctionToDe431(t, choice.model)};
}

void printDeltaTSourceJson(const std::optional<DeltaTSource>& source, std::FILE* out) {
    if (!source) {
        std::fprintf(out, ", \"delta_t_model\": null, \"ndot\": null, \"ndot_to_de431\": null, "
                          "\"ndot_corrected\": false");
        return;
    }
    char ndot[32] = "null";
    if (source->ndot)
        std::snprintf(ndot, sizeof ndot, "%.2f", *source->ndot);
    std::fprintf(out,
                 ", \"delta_t_model\": \"%s\", \"ndot\": %s, \"ndot_to_de431\": %.2f, "
                 "\"ndot_corrected\": %s",
                 std::string(deltaTModelName(source->choice.model)).c_str(), ndot, source->toDe431,
                 source->choice.ndotCorrected ? "true" : "false");
}

std::string deltaTSourceText(const std::optional<DeltaTSource>& source) {
    if (!source)
        return "none: Delta T as given";
    const std::string model(deltaTModelName(source->choice.model));
    if (!source->ndot)
        return model + " (n-dot: none, from the Earth's rotation measured)";
    char text[160];
    std::snprintf(text, sizeof text, "%s, n-dot %.2f\"/cy^2 (to DE431's %.2f: %+.2f s, %s)",
                  model.c_str(), *source->ndot, de431Ndot, source->toDe431,
                  source->choice.ndotCorrected ? "applied" : "not applied");
    return text;
}

void printDeltaTSourceText(const std::optional<DeltaTSource>& source, std::FILE* out) {
    std::fprintf(out, "model       %s\n", deltaTSourceText(source).c_str());
}

void printDeltaTJson(const PlaceDeltaT& report, std::FILE* out) {
    std::fprintf(out, ", \"delta_t_sigma\": %.1f", report.sigma);
    if (!report.ranges)
        return;
    const DeltaTRanges& r = *report.ranges;
    std::fprintf(out,
                 ", \"central_delta_t\": %s, \"p_central\": %.3f, \"visible_delta_t\": %s, "
                 "\"p_visible\": %.3f",
                 jsonIntervals(r.central).c_str(), r.pCentral, jsonIntervals(r.visible).c_str(),
                 r.pVisible);
    if (r.limbCorrected)
        std::fprintf(out, ", \"central_delta_t_limb\": %s, \"p_central_limb\": %.3f",
                     jsonIntervals(r.limbCorrected->central).c_str(), r.limbCorrected->pCentral);
    std::fprintf(out, ", \"central_phase\": %s",
                 r.centralPhase == CentralPhase::total     ? "\"total\""
                 : r.centralPhase == CentralPhase::annular ? "\"annular\""
                                                           : "null");
    if (report.solar)
        std::fprintf(out,
                     ", \"solar_time\": {\"apparent\": %.3f, \"since_sunrise\": %s, "
                     "\"until_sunset\": %s}",
                     report.solar->apparentSolarHours,
                     jsonDuration(report.solar->sinceSunrise).c_str(),
                     jsonDuration(report.solar->untilSunset).c_str());
    else
        std::fprintf(out, ", \"solar_time\": null");
}

void printDeltaTText(const EclipseRecord& record, const PlaceDeltaT& report, std::FILE* out) {
    std::fprintf(out, "Delta T sd  %.1f s\n", report.sigma);
    if (!report.ranges)
        return;
    for (const std::string& line : deltaTRangeLines(record, *report.ranges))
        std::fprintf(out, "%s\n", line.c_str());
    if (!report.solar)
        return;
    const double h = report.solar->apparentSolarHours;
    std::fprintf(out, "solar time  %02d:%02d local apparent time at the maximum\n",
                 static_cast<int>(h), static_cast<int>((h - static_cast<int>(h)) * 60));
    printDuration("sunrise +", report.solar->sinceSunrise, out);
    printDuration("sunset -", report.solar->untilSunset, out);
}

std::vector<std::string> deltaTRangeLines(const EclipseRecord& record, const DeltaTRanges& r) {
    const auto rangeLine = [](const char* label, const std::vector<DeltaTInterval>& ranges,
                              double p) {
        char chance[32];
        std::snprintf(chance, sizeof chance, " (P = %.3f)", p);
        return label + intervalsText(ranges) + chance;
    };
    std::vector<std::string> lines{rangeLine("central     for Delta T ", r.central, r.pCentral),
                                   rangeLine("visible     for Delta T ", r.visible, r.pVisible)};
    if (r.limbCorrected)
        lines.push_back(rangeLine("central     with the lunar limb for Delta T ",
                                  r.limbCorrected->central, r.limbCorrected->pCentral));
    for (std::string sentence :
         {centralChanceText(record, r), limbChanceText(record, r), visibleChanceText(record, r)})
        if (!sentence.empty())
            lines.push_back(std::move(sentence));
    return lines;
}

} // namespace vesk
