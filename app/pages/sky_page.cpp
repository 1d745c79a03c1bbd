// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_page.h"

#include "angles.h"
#include "civil_time.h"
#include "eclipse_list.h"
#include "limb_correction.h"
#include "local_circumstances.h"
#include "messages.h"
#include "palette.h"
#include "scaled_surface.h"
#include "sky_positions.h"
#include "sky_view.h"
#include "text_lines.h"
#include "timescales.h"
#include "translation.h"

namespace vesk {

namespace {

// The local circumstances of the frame's observer when central there (the surface is then
// filled black for the drawing); none elsewhere.
std::optional<LocalCircumstances> centralAtMaximum(const ScreenFrame& frame, DrawSurface& surface) {
    LocalCircumstances local = frameLocalCircumstances(frame);
    if (!local.nearest || !local.central)
        return std::nullopt;
    surface.fillSolidRect(0, 0, surface.width(), surface.height(), {0, 0, 0});
    return local;
}

// The sky of the frame's observer at t: the Moon drawn over the Sun while the place is inside
// the umbra or antumbra.
EclipseSky skyAt(const AppState& state, const ScreenFrame& frame, const LocalCircumstances& local,
                 double t) {
    IgnoredFiles passedOver; // a damaged planet file gives way to the next folder's
    const EclipseRecord& record = frame.eclipse.record;
    const double deltaT = frame.eclipse.deltaT;
    const std::optional<EclipsePlanets> planets =
        findPlanetPlaces(findDataFile(state.session.catalog.paths, planetPlaceFileName, passedOver,
                                      planetFileRefusal),
                         record.jdTT);
    EclipseSky sky = eclipseSky(record, local.observer, t, deltaT, planets);
    const ObservedShadow shadow = observeShadow(record, local.observer, t, deltaT);
    if (shadow.central())
        sky.moonToSunRatio = shadow.diameterRatio; // the Moon's and the Sun's sizes then
    return sky;
}

} // namespace

std::optional<EclipseSky> skyOnScreen(const AppState& state, const ScreenFrame& frame) {
    const LocalCircumstances local = frameLocalCircumstances(frame);
    if (!local.nearest || !local.central)
        return std::nullopt;
    return skyAt(state, frame, local, placeScreenInstant(frame, local));
}

bool drawSkyAtMaximum(AppState& state, const ScreenFrame& frame, DrawSurface& target) {
    const ViewSettings& v = frame.settings;
    const double deltaT = frame.eclipse.deltaT;
    ScaledSurface surface(target, v.textScale);
    const std::optional<LocalCircumstances> local = centralAtMaximum(frame, surface);
    if (!local)
        return false;
    const EclipseRecord& record = frame.eclipse.record;
    // the maximum, or the time slider's instant
    const double t = placeScreenInstant(frame, *local);
    // The zone date of the instant for this eclipse and place, as the local report gives it.
    const double jdUt = instantJdUt(record, t, deltaT);
    const auto [year, month, day, hour] = jdToCalendar(jdUt, 1, v.observerLon);
    const PlaceClocks clocks = placeClocks(observerPlace(v, *state.places), v.observerLon);
    drawSkyView(surface, packedDate(year, month, day), utHours(record, t, deltaT), v.observerLon,
                v.observerLat, skyAt(state, frame, *local, t),
                clocks.clockAt ? clocks.clockAt(jdUt) : std::nullopt, !v.shadowAt.has_value());
    return true;
}

std::vector<std::string> wrappedCommand(const DrawSurface& surface, const std::string& command,
                                        int width) {
    return linesWithin(surface, command, width, " \\");
}

std::vector<std::string> lunarGridMissingLines(const Failure& failure, Language language,
                                               const DrawSurface& surface, int width) {
    std::vector<std::string> lines;
    for (const std::string& line : failureLines(failure, translationTo(language)))
        for (std::string& part : line == lunarGridCommand ? wrappedCommand(surface, line, width)
                                                          : std::vector<std::string>{line})
            lines.push_back(std::move(part));
    return lines;
}

LimbOutcome drawLimbAtMaximum(AppState& state, const ScreenFrame& frame, DrawSurface& target) {
    const ViewSettings& v = frame.settings;
    ScaledSurface surface(target, v.textScale);
    const std::optional<LocalCircumstances> local = centralAtMaximum(frame, surface);
    if (!local)
        return LimbOutcome::notCentral;
    if (const Outcome failure = loadLunarGrid(state.limb, state.session.catalog.paths)) {
        surface.setTextColour(palette[white]);
        surface.setBackgroundOpaque(false);
        int line = lunarGridTextTop;
        for (const std::string& text : lunarGridMissingLines(
                 *failure, state.language, surface, surface.width() - 2 * lunarGridTextLeft)) {
            surface.textOut(lunarGridTextLeft, line, text);
            line += lunarGridLineSpacing;
        }
        return LimbOutcome::noLunarGrid;
    }
    frameRect(surface, 5, 5, 190, 215, brown);
    drawLimbCorrection(surface, frame.eclipse.record, *local, state.limb, frame.eclipse.deltaT,
                       placeClocks(observerPlace(v, *state.places), v.observerLon).clockAt);
    return LimbOutcome::drawn;
}

} // namespace vesk
