// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_command.h"

#include "civil_time.h"
#include "eclipse_list.h"
#include "limb_correction.h"
#include "local_contacts.h"
#include "messages.h"
#include "palette.h"
#include "scaled_surface.h"
#include "sky_view.h"
#include "timescales.h"
#include "translation.h"

namespace vesk {

namespace {

// The observer's local maximum; true inside the umbra or antumbra (the surface is then filled
// black for the drawing).
bool centralAtMaximum(Session& s, DrawSurface& surface) {
    EclipseState& e = s.eclipse;
    e.deltaTHours = e.deltaT / 3600;
    setObserver(e, s.view);
    restoreObserver(e);
    localMaximum(e, localSearchStart(e), e.deltaT, e.localMaxTime, e.localSunAlt, e.localMagnitude,
                 e.localCentral);
    if (e.localCentral != 1)
        return false;
    surface.fillSolidRect(0, 0, surface.width(), surface.height(), {0, 0, 0});
    return true;
}

} // namespace

bool drawSkyAtMaximum(AppState& state, DrawSurface& target) {
    Session& s = state.session;
    ScaledSurface surface(target, s.view.textScale);
    EclipseState& e = s.eclipse;
    if (!centralAtMaximum(s, surface))
        return false;
    // The zone date of the maximum for this eclipse and place, as the local report finds it
    // (the one it last stored may belong to another eclipse or place).
    double year = 0, month = 0, day = 0, hour = 0;
    jdToCalendar(instantJdUt(e, e.localMaxTime, e.deltaT), 1, s.view.observerLon, year, month, day,
                 hour);
    state.localReport.maxZoneYear = year;
    state.localReport.maxZoneMonth = month;
    state.localReport.maxZoneDay = day;
    IgnoredFiles passedOver; // a damaged planet file gives way to the next folder's
    const std::optional<EclipsePlanets> planets = findPlanetPlaces(
        findDataFile(s.catalog.paths, planetPlaceFileName, passedOver, planetFileRefusal),
        e.record->jdTT);
    const PlaceClocks clocks = placeClocks(state.observerPlace(), s.view.observerLon);
    SolarSystemSky sky = solarSystemSky(e, e.localMaxTime, e.deltaT, planets);
    observeAt(e, e.localMaxTime, e.deltaT); // the Moon's and the Sun's sizes at the maximum
    sky.moonToSunRatio = e.diameterRatio;
    drawSkyView(surface, packedDate(year, month, day), e.t0 + e.localMaxTime - e.deltaTHours,
                s.view.observerLon, s.view.observerLat, sky,
                clocks.clockAt ? clocks.clockAt(instantJdUt(e, e.localMaxTime, e.deltaT))
                               : std::nullopt);
    return true;
}

LimbOutcome drawLimbAtMaximum(AppState& state, DrawSurface& target) {
    Session& s = state.session;
    ScaledSurface surface(target, s.view.textScale);
    if (!centralAtMaximum(s, surface))
        return LimbOutcome::notCentral;
    if (!loadLunarGrid(state.limb, s.catalog.paths)) {
        surface.setTextColour({255, 255, 255});
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
    drawLimbCorrection(surface, s.eclipse, state.limb, s.view.observerLon, s.view.observerLat,
                       s.eclipse.deltaT,
                       placeClocks(state.observerPlace(), s.view.observerLon).clockAt);
    return LimbOutcome::drawn;
}

} // namespace vesk
