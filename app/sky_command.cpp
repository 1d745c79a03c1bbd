// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_command.h"

#include "civil_time.h"
#include "eclipse_list.h"
#include "limb_correction.h"
#include "local_circumstances.h"
#include "messages.h"
#include "palette.h"
#include "scaled_surface.h"
#include "sky_view.h"
#include "timescales.h"
#include "translation.h"

namespace vesk {

namespace {

// The local circumstances of the view's observer when central there (the surface is then
// filled black for the drawing); none elsewhere.
std::optional<LocalCircumstances> centralAtMaximum(const Session& s, DrawSurface& surface) {
    LocalCircumstances local =
        localCircumstances(s.catalog.record, viewObserver(s.view), s.shown.deltaT);
    if (!local.nearest || !local.central)
        return std::nullopt;
    surface.fillSolidRect(0, 0, surface.width(), surface.height(), {0, 0, 0});
    return local;
}

} // namespace

bool drawSkyAtMaximum(AppState& state, DrawSurface& target) {
    Session& s = state.session;
    ScaledSurface surface(target, s.view.textScale);
    const std::optional<LocalCircumstances> local = centralAtMaximum(s, surface);
    if (!local)
        return false;
    const EclipseRecord& record = s.catalog.record;
    const ObservedShadow& maximum = local->nearest->shadow;
    // The zone date of the maximum for this eclipse and place, as the local report gives it.
    const double jdUt = instantJdUt(record, maximum.t, s.shown.deltaT);
    const auto [year, month, day, hour] = jdToCalendar(jdUt, 1, s.view.observerLon);
    IgnoredFiles passedOver; // a damaged planet file gives way to the next folder's
    const std::optional<EclipsePlanets> planets = findPlanetPlaces(
        findDataFile(s.catalog.paths, planetPlaceFileName, passedOver, planetFileRefusal),
        record.jdTT);
    const PlaceClocks clocks = placeClocks(state.observerPlace(), s.view.observerLon);
    SolarSystemSky sky =
        solarSystemSky(record, local->observer, maximum.t, s.shown.deltaT, planets);
    sky.moonToSunRatio = maximum.diameterRatio; // the Moon's and the Sun's sizes at the maximum
    drawSkyView(surface, packedDate(year, month, day), utHours(record, maximum.t, s.shown.deltaT),
                s.view.observerLon, s.view.observerLat, sky,
                clocks.clockAt ? clocks.clockAt(jdUt) : std::nullopt);
    return true;
}

LimbOutcome drawLimbAtMaximum(AppState& state, DrawSurface& target) {
    Session& s = state.session;
    ScaledSurface surface(target, s.view.textScale);
    const std::optional<LocalCircumstances> local = centralAtMaximum(s, surface);
    if (!local)
        return LimbOutcome::notCentral;
    if (!loadLunarGrid(state.limb, s.catalog.paths)) {
        surface.setTextColour(palette[white]);
        surface.setBackgroundOpaque(false);
        int line = 40;
        for (const std::string& text :
             {translated(messageNoLunarGrid), translated(messageLunarGridTool),
              std::string(lunarGridCommand)}) {
            surface.textOut(50, line, text);
            line += 20;
        }
        return LimbOutcome::noLunarGrid;
    }
    frameRect(surface, 5, 5, 190, 215, brown);
    drawLimbCorrection(surface, s.catalog.record, *local, state.limb, s.shown.deltaT,
                       placeClocks(state.observerPlace(), s.view.observerLon).clockAt);
    return LimbOutcome::drawn;
}

} // namespace vesk
