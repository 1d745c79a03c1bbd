// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_report.h"

#include "angles.h"
#include "checked_int.h"
#include "local_contacts.h"
#include "palette.h"
#include "path_tracers.h"
#include "sun_position.h"
#include "timescales.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace vesk {

namespace {

constexpr int textX = 10, rowPitch = 15;
// The row of the line that names the civil time's zone: below the horizon chart.
constexpr int civilNoteRow = 28;
// The rows of the lines of Delta T's uncertainty, under it.
constexpr int deltaTRow = 29;
constexpr Rgb whiteText{255, 255, 255};
constexpr int chartX0 = 185, chartY0 = 390;
constexpr double chartScale = 31.477886784533865;      // pixels per Earth radius in the chart
constexpr double appearanceScale = 110.17260374586853; // and in the picture at maximum
constexpr double moonRadius = 0.2723;                  // Earth radii
constexpr const char* compassLetters[4][4] = {
    {"N", "E", "S", "W"}, {"E", "S", "W", "N"}, {"S", "W", "N", "E"}, {"W", "N", "E", "S"}};

template <typename... Args> std::string format(const char* pattern, Args... args) {
    char text[200];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

int roundPixel(double v) {
    return clampedInt(v + 0.5);
}

// The observer's maximum from the report's start, and the Sun's azimuth there.
struct Maximum {
    double t = 0, altitude = 0, magnitude = 0;
    int central = 0;
    double azimuth = 0;
};

Maximum findMaximum(EclipseState& s, double deltaT) {
    Maximum m;
    localMaximum(s, localSearchStart(s), deltaT, m.t, m.altitude, m.magnitude, m.central);
    double sunAltitude = 0;
    sunAltAz(s, m.t, deltaT, sunAltitude, m.azimuth);
    return m;
}

// The clock fields of one report line.
struct LineTimes {
    double utH, utM, utS, stdH, stdM, stdS, lmtH, lmtM, lmtS;
};

LineTimes lineTimes(const EclipseState& s, double t, double deltaT, double zone, double lonEast) {
    LineTimes c{};
    const double ut = s.t0 + t - deltaT / 3600;
    splitHoursToTenths(ut, c.utH, c.utM, c.utS);
    splitHours(ut + zone, c.stdH, c.stdM, c.stdS);
    splitHours(ut + lonEast / 15, c.lmtH, c.lmtM, c.lmtS);
    return c;
}

struct Report {
    DrawSurface& surface;
    EclipseState& s;
    double deltaT, zone, lonEast;
    CivilClockAt civil;         // the place's clocks (empty: no zone)
    std::string civilHeadClock; // the abbreviation of the column's head; empty: no column

    void row(int r, const std::string& text) { surface.textOut(textX, rowPitch * r, text); }

    // The civil time column of a line at t: the clock's time, with the zone's abbreviation when
    // it is not the head's (a change of the clocks during the eclipse).
    std::string civilField(double t) const {
        if (civilHeadClock.empty())
            return "";
        const double jd = instantJdUt(s, t, deltaT);
        const std::optional<CivilClock> clock = civil(jd);
        if (!clock)
            return "";
        double h = 0, m = 0, sec = 0;
        splitHours(s.t0 + t - deltaT / 3600 + clock->offsetSeconds / 3600.0, h, m, sec);
        return format(" %02.0f:%02.0f:%02.0f", h, m, std::floor(sec)) +
               (clock->abbreviation == civilHeadClock ? "" : " " + clock->abbreviation);
    }

    // A contact line: the instant's times, the element altitude, P, V and the azimuth.
    void contactLine(int r, const char* label, double t, double altitude, double azimuth) {
        const LineTimes c = lineTimes(s, t, deltaT, zone, lonEast);
        row(r,
            format(
                " %s %02.0f:%02.0f:%04.1f %02.0f:%02.0f:%02.0f  %02.0f:%02.0f:%02.0f  %5.1f        "
                "%5.1f %5.1f %4.0f",
                label, c.utH, c.utM, c.utS, c.stdH, c.stdM, std::floor(c.stdS), c.lmtH, c.lmtM,
                std::floor(c.lmtS), altitude, s.contactPA, s.vertexAngle, azimuth) +
                civilField(t));
    }

    // A line with the magnitude after the altitude (maximum, sunrise, sunset).
    void magnitudeLine(int r, const char* label, double t, double altitude, double magnitude,
                       double azimuth) {
        const LineTimes c = lineTimes(s, t, deltaT, zone, lonEast);
        row(r,
            format(
                " %s %02.0f:%02.0f:%04.1f %02.0f:%02.0f:%02.0f  %02.0f:%02.0f:%02.0f  %5.1f %6.3f "
                "%5.1f %5.1f %4.0f",
                label, c.utH, c.utM, c.utS, c.stdH, c.stdM, std::floor(c.stdS), c.lmtH, c.lmtM,
                std::floor(c.lmtS), altitude, shownMagnitude(magnitude), s.contactPA, s.vertexAngle,
                azimuth) +
                civilField(t));
    }
};

using ContactFunction = void (*)(EclipseState&, double, double, int, double&, double&);

// A contact from the maximum; false (and nothing set) when there is none.
bool contactFrom(EclipseState& s, ContactFunction contact, double from, double deltaT, int sign,
                 double& t, double& altitude) {
    contact(s, from, deltaT, sign, t, altitude);
    return s.status == 1;
}

} // namespace

double localSearchStart(EclipseState& s) {
    return closestApproach(*s.record, 0);
}

void drawHorizonChart(DrawSurface& surface, EclipseState& s, double altitude, double azimuth,
                      double t, double deltaT, int mode) {
    const double azMax = findMaximum(s, deltaT).azimuth;
    observeAt(s, t, deltaT);
    if (mode == horizonFrame) {
        for (int a = 0; a <= 270; a += 30)
            drawLine(surface, chartX0 + a * 3 / 2, chartY0, chartX0 + a * 3 / 2, 210, silver);
        for (int a = 0; a <= 90; a += 10) {
            drawLine(surface, chartX0, chartY0 - 2 * a, 590, chartY0 - 2 * a, silver);
            surface.textOut(598, chartY0 - 2 * a - 5, format("%2.0f", static_cast<double>(a)));
        }
        int quadrant = -1;
        if (azMax > 90 && azMax < 180)
            quadrant = 0;
        else if (azMax > 180 && azMax < 270)
            quadrant = 1;
        else if (azMax > 270 && azMax < 360)
            quadrant = 2;
        else if (azMax > 0 && azMax < 90)
            quadrant = 3;
        if (quadrant >= 0)
            for (int i = 0; i < 4; ++i)
                surface.textOut(chartX0 + 135 * i - 3, 395, compassLetters[quadrant][i]);
        return;
    }
    double chartAzimuth = azimuth;
    if (azMax > 180 && azMax < 270)
        chartAzimuth -= 90;
    else if (azMax > 270 && azMax < 360)
        chartAzimuth -= 180;
    else if (azMax > 0 && azMax < 90)
        chartAzimuth -= 270;
    if (chartAzimuth < 0)
        chartAzimuth += 360;
    const int xs = roundPixel(chartX0 + 1.5 * chartAzimuth);
    const int ys = roundPixel(chartY0 - 2 * altitude);
    fillCircle(surface, xs, ys, roundPixel(moonRadius * chartScale / s.diameterRatio), red);
    const double v = s.vertexAngle * degToRad;
    const int mx = roundPixel(xs - std::sin(v) * s.axisDistance * chartScale);
    const int my = roundPixel(ys - std::cos(v) * s.axisDistance * chartScale);
    const int rm = roundPixel(moonRadius * chartScale);
    if (mode == horizonBodiesHalo)
        fillCircle(surface, mx, my, rm + 1, yellow);
    fillCircle(surface, mx, my, rm, navy);
}

void drawEclipseAppearance(DrawSurface& surface, EclipseState& s, const LocalReportState& report,
                           int cx, int cy, double t, double deltaT) {
    observeAt(s, t, deltaT);
    double h = 0, m = 0, sec = 0;
    splitHours(s.t0 + t - deltaT / 3600, h, m, sec);
    surface.textOut(cx - 20, 225, format("%02.0f:%02.0f", h, m));
    // The instant's geometry, kept before the maximum is searched again.
    const double v = s.vertexAngle * degToRad, distance = s.axisDistance;
    const double ratio = s.diameterRatio, q = s.zenithPA;
    const int rs = roundPixel(moonRadius * appearanceScale / ratio);
    const int rm = roundPixel(moonRadius * appearanceScale);
    fillCircle(surface, cx, cy, rs, red);
    const Maximum maximum = findMaximum(s, deltaT);
    const int mx = roundPixel(cx - std::sin(v) * distance * appearanceScale);
    const int my = roundPixel(cy - std::cos(v) * distance * appearanceScale);
    if (maximum.central == 1 && maximum.magnitude >= 1)
        fillCircle(surface, mx, my, rm + 1, yellow);
    fillCircle(surface, mx, my, rm, navy);
    const auto at = [&](double angleDeg, double r, int& x, int& y) {
        x = roundPixel(cx + std::sin(angleDeg * degToRad) * r);
        y = roundPixel(cy - std::cos(angleDeg * degToRad) * r);
    };
    int x = 0, y = 0;
    if (maximum.central == 1) {
        const struct {
            double angle;
            int colour;
            const char* mark;
        } marks[] = {{q, green, "N"},
                     {q - report.secondContactAngle, red, "2"},
                     {q - report.thirdContactAngle, red, "3"}};
        for (const auto& mark : marks) {
            at(mark.angle, 1.4 * rs, x, y);
            drawLine(surface, cx, cy, x, y, mark.colour);
            at(mark.angle, 1.7 * rs, x, y);
            surface.textOut(x, y, mark.mark);
        }
    } else {
        int x0 = 0, y0 = 0;
        at(q, 1.0 * rs, x0, y0);
        at(q, 1.2 * rs, x, y);
        drawLine(surface, x0, y0, x, y, green);
    }
}

namespace {

// One drawing of the report: the lines, the contacts and the horizon chart, in the order of the
// screen (the contacts find the Sun's place of their instant in the state).
class ReportDrawing {
  public:
    ReportDrawing(DrawSurface& surface, EclipseState& s, LocalReportState& report,
                  const ViewState& view, double deltaT, const PlaceClocks& civil)
        : surface(surface), s(s), report(report), view(view), deltaT(deltaT), place(civil.place),
          r{surface, s, deltaT, zoneHours(view.observerLon), view.observerLon, civil.clockAt, ""} {}

    void headLines(const CityTable& cities);
    void civilHead();
    void contacts();
    void horizonMoment();
    void maximumLines();

  private:
    // The Sun's altitude and azimuth at t (in sunAltitude and azimuth); whether it is up.
    bool sunAt(double t) {
        observeAt(s, t, deltaT);
        sunAltAz(s, t, deltaT, sunAltitude, azimuth);
        return sunAltitude > sunriseAltitude;
    }
    void outerContact(int sign, int row, const char* label, double& t, double& h);
    void innerContacts();
    void horizonMomentFrom(double tFrom, double hFrom, double slope, const char* label);

    DrawSurface& surface;
    EclipseState& s;
    LocalReportState& report;
    const ViewState& view;
    double deltaT;
    const ObserverPlace& place;
    Report r;
    Maximum maximum;
    // A contact that does not exist counts as one with the Sun below the horizon.
    static constexpr double below = -90;
    double t1 = 0, h1 = below, t4 = 0, h4 = below;
    double sunAltitude = 0, azimuth = 0;
};

// The date and type, the place and the column heads; the maximum is found here.
void ReportDrawing::headLines(const CityTable& cities) {
    surface.setTextColour(whiteText);
    maximum = findMaximum(s, deltaT);
    double year = 0, month = 0, day = 0, hour = 0;
    jdToCalendar(instantJdUt(s, maximum.t, deltaT), 1, view.observerLon, year, month, day, hour);
    report.maxZoneYear = year;
    report.maxZoneMonth = month;
    report.maxZoneDay = day;
    r.row(2, format(" Date :%5.0f/%2.0f/%2.0f%s %4.2fh(Zone time) : %s ", year, month, day,
                    julianMark(year, month, day), hour,
                    eclipseTypeName(eclipseTypeNames, s.typeCode)));
    const int cityIndex = view.observerCityIndex;
    if (cityIndex >= 1 && cityIndex <= static_cast<int>(cities.rows.size())) {
        const City& city = cities.rows[cityIndex - 1];
        r.row(3,
              format(" Location : %s Lon:%7.2f°Lat:%7.2f° Height:%5.1f",
                     cityName(city, view.englishNames).c_str(), city.lon, city.lat, city.height));
    } else if (cityIndex == typedPlaceIndex) {
        const std::string& name = place.name;
        r.row(3, format(" Location : %s Lon:%7.2f°Lat:%7.2f° Height:%6.1f%s",
                        name.empty() ? "Selected City      " : name.c_str(), view.observerLon,
                        view.observerLat, view.observerHeight,
                        heightSourceNote(place.heightSource).c_str()));
    }
    civilHead();
    r.row(5,
          "                        Universal  Local               Sun    Mag.   Pm     Z     Az" +
              std::string(r.civilHeadClock.empty() ? "" : "    Civil"));
    r.row(6, "                        Time(UT)   STD Time    LMT     Alt                        " +
                 (r.civilHeadClock.empty() ? "" : " " + r.civilHeadClock));
    r.row(7,
          "                        ---------- --------  --------  ----- ------ ----- ----- -----" +
              std::string(r.civilHeadClock.empty() ? "" : " --------"));
    drawHorizonChart(surface, s, 0, 0, 0, deltaT, horizonFrame);
}

// The lines of what the uncertainty of Delta T means at the place.
void drawDeltaTLines(DrawSurface& surface, const PlaceDeltaT& u, double deltaT) {
    if (!u.ranges)
        return;
    const auto row = [&](int r, const std::string& text) {
        surface.textOut(textX, rowPitch * r, text);
    };
    row(deltaTRow,
        format(" ΔT %.0f s ± %.0f s : central for ΔT %s (P=%.3f), visible P=%.3f", deltaT, u.sigma,
               intervalsText(u.ranges->central).c_str(), u.ranges->pCentral, u.ranges->pVisible));
    if (!u.solar)
        return;
    const double h = u.solar->apparentSolarHours;
    std::string line = format(" Apparent solar time %02.0f:%02.0f", std::floor(h),
                              std::floor((h - std::floor(h)) * 60));
    for (const auto& [hours, what] : {std::pair{u.solar->sinceSunrise, "after sunrise"},
                                      std::pair{u.solar->untilSunset, "before sunset"}})
        if (hours)
            line += format(", %.2fh (%.1f°) %s", *hours, *hours * timeDegreesPerHour, what);
    row(deltaTRow + 1, line);
}

// The civil time at the maximum: the column's head and the line that names the zone.
void ReportDrawing::civilHead() {
    if (!r.civil)
        return;
    const std::optional<CivilClock> clock = r.civil(instantJdUt(s, maximum.t, deltaT));
    if (clock)
        r.civilHeadClock = clock->abbreviation;
    r.row(civilNoteRow, civilTimeNote(place, clock, true));
}

// An outer contact: a line and the bodies on the chart while the Sun is up.
void ReportDrawing::outerContact(int sign, int row, const char* label, double& t, double& h) {
    double altitude = 0;
    if (!contactFrom(s, penumbralContact, maximum.t, deltaT, sign, t, altitude))
        return;
    h = altitude;
    if (sunAt(t)) {
        drawHorizonChart(surface, s, sunAltitude, azimuth, t, deltaT, horizonBodies);
        observeAt(s, t, deltaT);
        r.contactLine(row, label, t, h, azimuth);
    }
}

// The second and third contacts of a central eclipse, and the duration between them.
void ReportDrawing::innerContacts() {
    double t2 = 0, t3 = 0, altitude = 0;
    bool second = false;
    if (contactFrom(s, umbralContact, maximum.t, deltaT, -1, t2, altitude)) {
        second = true;
        const bool up = sunAt(t2);
        report.secondContactAngle = s.contactPA;
        if (up)
            r.contactLine(9, "First Umbra    Contact", t2, altitude, azimuth);
    }
    if (!contactFrom(s, umbralContact, maximum.t, deltaT, +1, t3, altitude))
        return;
    const bool up = sunAt(t3);
    report.thirdContactAngle = s.contactPA;
    if (!up)
        return;
    r.contactLine(11, "Last  Umbra    Contact", t3, altitude, azimuth);
    if (second) {
        double h = 0, m = 0, sec = 0;
        splitHoursToTenths(t3 - t2, h, m, sec);
        r.row(4, format(" Duration : %2.0fmin.%4.1fsec. ", m, sec));
    }
}

void ReportDrawing::contacts() {
    if (maximum.magnitude > 0)
        outerContact(-1, 8, "First Penumbra Contact", t1, h1);
    if (maximum.central == 1)
        innerContacts();
    if (maximum.magnitude > 0)
        outerContact(+1, 10 + 2 * maximum.central, "Last  Penumbra Contact", t4, h4);
}

// The moment the Sun's element altitude is -0.8, found by two secant steps from tFrom.
void ReportDrawing::horizonMomentFrom(double tFrom, double hFrom, double slope, const char* label) {
    double t = tFrom + slope * (sunriseAltitude - hFrom);
    double magnitude = 0, h = 0;
    localMagnitudeAt(s, t, deltaT, magnitude, h);
    t += slope * (sunriseAltitude - h);
    localMagnitudeAt(s, t, deltaT, magnitude, h);
    sunAt(t);
    r.magnitudeLine(13, label, t, h, magnitude, azimuth);
    drawHorizonChart(surface, s, sunAltitude, azimuth, t, deltaT, horizonBodies);
}

// The eclipse at sunset or sunrise: from the maximum towards the contact below the horizon.
void ReportDrawing::horizonMoment() {
    const double tMax = maximum.t, hMax = maximum.altitude;
    if (maximum.magnitude > 0 && h4 < sunriseAltitude && h1 > sunriseAltitude)
        horizonMomentFrom(tMax, hMax, (t4 - tMax) / (h4 - hMax), "Magnitude at Sun Set  ");
    else if (maximum.magnitude > 0 && h1 < sunriseAltitude && h4 > sunriseAltitude)
        horizonMomentFrom(t1, h1, (tMax - t1) / (hMax - h1), "Magnitude at Sun Rise ");
}

// The maximum's line, its bodies and appearance while the Sun is up, or no eclipse visible.
void ReportDrawing::maximumLines() {
    const double tMax = maximum.t, gMax = maximum.magnitude;
    findMaximum(s, deltaT);
    const bool sunUp = sunAt(tMax);
    r.magnitudeLine(9 + maximum.central, "Max.  Eclipse         ", tMax, maximum.altitude, gMax,
                    azimuth);
    if (sunUp && gMax > 0) {
        const double maxAltitude = sunAltitude, maxAzimuth = azimuth;
        drawHorizonChart(surface, s, maxAltitude, maxAzimuth, tMax, deltaT, horizonBodies);
        drawEclipseAppearance(surface, s, report, 95, 300, tMax, deltaT);
        if (gMax > 1)
            drawHorizonChart(surface, s, maxAltitude, maxAzimuth, tMax, deltaT, horizonBodiesHalo);
    }
    if ((h1 < sunriseAltitude && h4 < sunriseAltitude) || gMax < 0)
        r.row(13, " =====    No Eclipse Visible        ===== ");
}

} // namespace

void drawLocalCircumstances(DrawSurface& surface, EclipseState& s, LocalReportState& report,
                            const ViewState& view, const CityTable& cities, double deltaT,
                            const PlaceClocks& civil, const PlaceDeltaT* uncertainty) {
    setObserver(s, view);
    ReportDrawing drawing(surface, s, report, view, deltaT, civil);
    drawing.headLines(cities);
    if (uncertainty != nullptr)
        drawDeltaTLines(surface, *uncertainty, deltaT);
    drawing.contacts();
    drawing.horizonMoment();
    drawing.maximumLines();
}

} // namespace vesk
