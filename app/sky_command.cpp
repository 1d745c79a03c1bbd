#include "sky_command.h"

#include "local_contacts.h"
#include "sky_view.h"
#include "timescales.h"

namespace vesk {

bool drawSkyAtMaximum(AppState& state, DrawSurface& surface) {
    Session& s = state.session;
    EclipseState& e = s.eclipse;
    e.deltaTHours = e.deltaT / 3600;
    setObserver(e, s.view);
    restoreObserver(e);
    localMaximum(e, localSearchStart(e), e.deltaT, e.localMaxTime, e.localSunAlt, e.localMagnitude,
                 e.localCentral);
    if (e.localCentral != 1)
        return false;
    surface.fillSolidRect(0, 0, surface.width(), surface.height(), {0, 0, 0});
    // The zone date of the maximum for this eclipse and place, as the local report finds it
    // (the one it last stored may belong to another eclipse or place).
    double year = 0, month = 0, day = 0, hour = 0;
    jdToCalendar(instantJdUt(e, e.localMaxTime, e.deltaT), 1, s.view.observerLon, year, month, day,
                 hour);
    state.localReport.maxZoneYear = year;
    state.localReport.maxZoneMonth = month;
    state.localReport.maxZoneDay = day;
    drawSkyView(surface, packedCalendarDate(year, month, day),
                e.t0 + e.localMaxTime - e.deltaTHours, s.view.observerLon, s.view.observerLat);
    return true;
}

} // namespace vesk
