// SPDX-License-Identifier: GPL-3.0-or-later
#include "delta_t_report.h"

#include <nlohmann/json.hpp>
#include <string>

namespace vesk {

namespace {

// Ranges as a list of [from, to] in whole seconds; an end not followed to where the range ends
// is null: the range goes on beyond it.
Json intervalsJson(const std::vector<DeltaTInterval>& intervals) {
    Json list = Json::array();
    for (const DeltaTInterval& i : intervals)
        list.push_back({i.openBelow ? Json(nullptr) : roundedJson(i.from, 0),
                        i.openAbove ? Json(nullptr) : roundedJson(i.to, 0)});
    return list;
}

Json durationJson(const std::optional<double>& hours) {
    if (!hours)
        return nullptr;
    return {{"hours", roundedJson(*hours, 3)},
            {"time_degrees", roundedJson(*hours * timeDegreesPerHour, 1)}};
}

const char* centralPhaseName(CentralPhase phase) {
    return phase == CentralPhase::total ? "total" : "annular";
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

Json deltaTSourceJson(const std::optional<DeltaTSource>& source) {
    if (!source)
        return {{"delta_t_model", nullptr},
                {"ndot", nullptr},
                {"ndot_to_de431", nullptr},
                {"ndot_corrected", false}};
    return {{"delta_t_model", std::string(deltaTModelName(source->choice.model))},
            {"ndot", roundedJson(source->ndot, 2)},
            {"ndot_to_de431", roundedJson(source->toDe431, 2)},
            {"ndot_corrected", source->choice.ndotCorrected}};
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

Json deltaTJson(const PlaceDeltaT& report) {
    Json members{{"delta_t_sigma", roundedJson(report.sigma, 1)}};
    if (!report.ranges)
        return members;
    const DeltaTRanges& r = *report.ranges;
    members.update({{"central_delta_t", intervalsJson(r.central)},
                    {"p_central", roundedJson(r.pCentral, 3)},
                    {"visible_delta_t", intervalsJson(r.visible)},
                    {"p_visible", roundedJson(r.pVisible, 3)}});
    if (r.limbCorrected)
        members.update({{"central_delta_t_limb", intervalsJson(r.limbCorrected->central)},
                        {"p_central_limb", roundedJson(r.limbCorrected->pCentral, 3)}});
    members["central_phase"] =
        r.centralPhase ? Json(centralPhaseName(*r.centralPhase)) : Json(nullptr);
    members["solar_time"] = nullptr;
    if (report.solar)
        members["solar_time"] = {{"apparent", roundedJson(report.solar->apparentSolarHours, 3)},
                                 {"since_sunrise", durationJson(report.solar->sinceSunrise)},
                                 {"until_sunset", durationJson(report.solar->untilSunset)}};
    return members;
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
