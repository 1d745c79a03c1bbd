// SPDX-License-Identifier: GPL-3.0-or-later
// The times of the page to cite against the Swiss Ephemeris (DE431): the local apparent time of
// each contact is the Sun's hour angle there and 12 hours, and differs from local mean time by
// the equation of time.
#include "citation_report.h"

#include "swiss_ephemeris.h"

#include <cmath>

namespace vesk {
namespace {

using testing::CatalogEclipse;
using testing::SwissEphemeris;

// Hours apart on a 24-hour dial, -12 to 12.
double hoursApart(double a, double b) {
    return std::remainder(a - b, 24);
}

// Nineveh in 763 BC, Rome in 1567 (Julian), Dallas in 2024: every contact the place sees.
TEST_F(SwissEphemeris, ApparentTimeIsTheSunsHourAngleAndMeanTimeDiffersByTheEquationOfTime) {
    const struct {
        double year, month, lon, lat;
    } places[] = {{-762, 6, 43.153, 36.359}, {1567, 4, 12.486, 41.892}, {2024, 4, -96.797, 32.777}};
    constexpr double oneSecond = 1.0 / 3600;
    for (const auto& place : places) {
        const CatalogEclipse eclipse(place.year, place.month);
        ASSERT_TRUE(eclipse.found);
        const EclipseRecord& record = eclipse.catalog.record;
        const Observer observer = observerAt(place.lon, place.lat);
        const LocalCircumstances local = localCircumstances(record, observer, eclipse.deltaT);
        const std::vector<ReportEvent> events =
            reportEvents(record, observer, local, eclipse.deltaT);
        ASSERT_GE(events.size(), 3u) << place.year;
        for (const ReportEvent& event : events) {
            // the Sun's hour angle with the catalog's turn of the Earth (catalogTurn)
            const double turn = testing::catalogTurn(event.jdUt, eclipse.deltaT);
            double sun[6];
            char error[AS_MAXCH];
            ASSERT_GE(swe_calc_ut(event.jdUt, SE_SUN, SEFLG_SWIEPH | SEFLG_EQUATORIAL, sun, error),
                      0)
                << error;
            const double hourAngle = swe_sidtime(event.jdUt) * 15 + place.lon + turn - sun[0];
            EXPECT_NEAR(hoursApart(event.solar.apparentSolarHours, 12 + hourAngle / 15), 0,
                        2 * oneSecond)
                << place.year << " " << event.name;
            // mean time runs with UT at the longitude; the equation of time (at -762 with the
            // catalog's turn added) is apparent less mean time
            double equation = 0;
            ASSERT_EQ(swe_time_equ(event.jdUt, &equation, error), 0) << error;
            EXPECT_NEAR(hoursApart(event.solar.apparentSolarHours - event.meanSolarHours,
                                   equation * 24 + turn / 15),
                        0, 2 * oneSecond)
                << place.year << " " << event.name;
        }
    }
}

} // namespace
} // namespace vesk
