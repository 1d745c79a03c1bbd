// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_report.h"

#include "angles.h"
#include "checked_int.h"
#include "eclipse_series.h"
#include "local_circumstances.h"
#include "palette.h"
#include "path_tracers.h"
#include "sun_position.h"
#include "text_format.h"
#include "timescales.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace vesk {

namespace {

constexpr int textX = 10, rowPitch = 15;
// The row of the line that names the civil time's zone: below the horizon chart.
constexpr int civilNoteRow = 28;
// The rows of the lines of Delta T's uncertainty, under it, and of the limb-corrected phase.
constexpr int deltaTRow = 29, limbCorrectedRow = 32;
constexpr int chartX0 = 185, chartY0 = 390;
constexpr double chartScale = 31.477886784533865;      // pixels per Earth radius in the chart
constexpr double appearanceScale = 110.17260374586853; // and in the picture at maximum
constexpr double moonRadius = 0.2723;                  // Earth radii
constexpr const char* compassLetters[4][4] = {
    {"N", "E", "S", "W"}, {"E", "S", "W", "N"}, {"S", "W", "N", "E"}, {"W", "N", "E", "S"}};

int roundPixel(double v) {
    return clampedInt(v + 0.5);
}

// The clocks of one report line: UT (to tenths of a second), zone time and local mean time.
struct LineTimes {
    ClockReading ut, zone, localMean;
};

LineTimes lineTimes(const EclipseRecord& record, double t, double deltaT, double zone,
                    double lonEast) {
    const double ut = utHours(record, t, deltaT);
    return {splitHoursToTenths(ut), splitHoursToSeconds(ut + zone),
            splitHoursToSeconds(ut + lonEast / 15)};
}

// The altitude (from the elements) of an event, or -90 where there is none: a contact that does
// not exist counts as one with the Sun below the horizon.
double altitudeOf(const std::optional<LocalEvent>& event) {
    constexpr double below = -90;
    return event ? event->shadow.sunAltitude : below;
}

// Whether the Sun is up at an event.
bool sunUp(const LocalEvent& event) {
    return event.sun.altitude > sunriseAltitude;
}

// One drawing of the report from the local circumstances, in the order of the screen.
class ReportDrawing {
  public:
    ReportDrawing(DrawSurface& surface, const EclipseRecord& record,
                  const LocalCircumstances& local, double deltaT, const PlaceClocks& civil)
        : surface(surface), record(record), local(local), deltaT(deltaT), civil(civil),
          zone(zoneHours(local.observer.lonEast)),
          maximumAzimuth(local.nearest ? local.nearest->sun.azimuth : 0) {}

    void headLines(const std::string& location);
    void contacts();
    void horizonMoment();
    void maximumLines();
    void seriesOnChart(const std::vector<SeriesPoint>& series);
    void instantOnChart(double t);

  private:
    void row(int r, const std::string& text) { surface.textOut(textX, rowPitch * r, text); }
    std::string civilField(double t) const;
    void eventLine(int r, const char* label, const LocalEvent& event, double altitude,
                   std::optional<double> magnitude);
    void civilHead(double tMax);
    void horizonFrame();
    void bodiesOnChart(const LocalEvent& event, bool halo);
    double chartX(double azimuth) const;
    int appearance(const LocalEvent& maximum, int cx, int cy);

    DrawSurface& surface;
    const EclipseRecord& record;
    const LocalCircumstances& local;
    double deltaT;
    const PlaceClocks& civil;
    double zone;                // hours of the nautical zone of the observer's longitude
    double maximumAzimuth;      // the Sun's at the maximum: it turns the horizon chart
    std::string civilHeadClock; // the abbreviation of the civil column's head; empty: no column
};

// The civil time column of a line at t: the clock's time, with the zone's abbreviation when it is
// not the head's (a change of the clocks during the eclipse).
std::string ReportDrawing::civilField(double t) const {
    if (civilHeadClock.empty())
        return "";
    const std::optional<CivilClock> clock = civil.clockAt(instantJdUt(record, t, deltaT));
    if (!clock)
        return "";
    const auto [h, m, sec] =
        splitHoursToSeconds(utHours(record, t, deltaT) + clock->offsetSeconds / 3600.0);
    return format(" %02.0f:%02.0f:%02.0f", h, m, sec) +
           (clock->abbreviation == civilHeadClock ? "" : " " + clock->abbreviation);
}

// A line of the report: the instant's times, the altitude, the magnitude (maximum, sunrise,
// sunset; none for a contact), P, V and the azimuth.
void ReportDrawing::eventLine(int r, const char* label, const LocalEvent& event, double altitude,
                              std::optional<double> magnitude) {
    const double t = event.shadow.t;
    const LineTimes c = lineTimes(record, t, deltaT, zone, local.observer.lonEast);
    const std::string times =
        format(" %s %02.0f:%02.0f:%04.1f %02.0f:%02.0f:%02.0f  %02.0f:%02.0f:%02.0f  %5.1f", label,
               c.ut.hours, c.ut.minutes, c.ut.seconds, c.zone.hours, c.zone.minutes, c.zone.seconds,
               c.localMean.hours, c.localMean.minutes, c.localMean.seconds, altitude);
    const std::string middle =
        magnitude ? format(" %6.3f ", shownMagnitude(*magnitude)) : std::string("        ");
    row(r, times + middle +
               format("%5.1f %5.1f %4.0f", event.shadow.positionAngle, event.shadow.vertexAngle,
                      event.sun.azimuth) +
               civilField(t));
}

// The altitude/azimuth chart's frame, turned by the Sun's azimuth at maximum.
void ReportDrawing::horizonFrame() {
    for (int a = 0; a <= 270; a += 30)
        drawLine(surface, chartX0 + a * 3 / 2, chartY0, chartX0 + a * 3 / 2, 210, silver);
    for (int a = 0; a <= 90; a += 10) {
        drawLine(surface, chartX0, chartY0 - 2 * a, 590, chartY0 - 2 * a, silver);
        surface.textOut(598, chartY0 - 2 * a - 5, format("%2.0f", static_cast<double>(a)));
    }
    const double azMax = maximumAzimuth;
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
}

// The chart's x of an azimuth: the chart is turned by the quadrant of the Sun's azimuth at the
// maximum.
double ReportDrawing::chartX(double azimuth) const {
    const double azMax = maximumAzimuth;
    double chartAzimuth = azimuth;
    if (azMax > 180 && azMax < 270)
        chartAzimuth -= 90;
    else if (azMax > 270 && azMax < 360)
        chartAzimuth -= 180;
    else if (azMax > 0 && azMax < 90)
        chartAzimuth -= 270;
    if (chartAzimuth < 0)
        chartAzimuth += 360;
    return chartX0 + 1.5 * chartAzimuth;
}

// The Sun's track across the chart while it is up (yellow), and over the same azimuths the
// obscuration (orange), from 0 at the horizon's line to the whole disk at the line of 90 degrees,
// named at its highest point.
void ReportDrawing::seriesOnChart(const std::vector<SeriesPoint>& series) {
    const auto obscurationY = [](double obscuration) { return chartY0 - 180 * obscuration; };
    const SeriesPoint* highest = nullptr;
    for (std::size_t i = 1; i < series.size(); ++i) {
        const SeriesPoint &a = series[i - 1], &b = series[i];
        // a step across the chart's edge (the azimuth wrapping) is left out
        if (a.altitude < 0 || b.altitude < 0 ||
            std::fabs(chartX(a.azimuth) - chartX(b.azimuth)) > 90)
            continue;
        drawLineBetween(surface, chartX(a.azimuth), chartY0 - 2 * a.altitude, chartX(b.azimuth),
                        chartY0 - 2 * b.altitude, yellow);
        drawLineBetween(surface, chartX(a.azimuth), obscurationY(a.obscuration), chartX(b.azimuth),
                        obscurationY(b.obscuration), orange);
        if (highest == nullptr || b.obscuration > highest->obscuration)
            highest = &b;
    }
    if (highest == nullptr || highest->obscuration <= 0)
        return;
    surface.setTextColour(palette[orange]);
    surface.textOut(roundPixel(chartX(highest->azimuth)) - 30,
                    roundPixel(obscurationY(highest->obscuration)) - 14,
                    format("Obscuration %.0f%%", 100 * highest->obscuration));
    surface.setTextColour(palette[white]);
}

// The Sun at the instant t (the time slider's) on the chart: a ring in cyan and its UT.
void ReportDrawing::instantOnChart(double t) {
    const Horizontal sun = sunHorizontal(record, local.observer, t, deltaT);
    if (sun.altitude < 0)
        return;
    const int x = roundPixel(chartX(sun.azimuth)), y = roundPixel(chartY0 - 2 * sun.altitude);
    const int r = roundPixel(moonRadius * chartScale) + 3;
    surface.selectPen({PenStyle::solid, palette[cyan]});
    surface.selectBrush({true, {}});
    surface.ellipse(x - r, y - r, x + r + 1, y + r + 1);
    const auto [h, m, sec] = splitHoursToSeconds(utHours(record, t, deltaT));
    surface.setTextColour(palette[cyan]);
    surface.textOut(x + r + 2, y - r - 12, format("%02.0f:%02.0f:%02.0f", h, m, sec));
    surface.setTextColour(palette[white]);
}

// The Sun at its altitude and azimuth on the chart with the Moon as seen at the event (with a
// halo for the total phase).
void ReportDrawing::bodiesOnChart(const LocalEvent& event, bool halo) {
    const ObservedShadow& s = event.shadow;
    const int xs = roundPixel(chartX(event.sun.azimuth));
    const int ys = roundPixel(chartY0 - 2 * event.sun.altitude);
    fillCircle(surface, xs, ys, roundPixel(moonRadius * chartScale / s.diameterRatio), red);
    const double v = s.vertexAngle * degToRad;
    const int mx = roundPixel(xs - std::sin(v) * s.axisDistance * chartScale);
    const int my = roundPixel(ys - std::cos(v) * s.axisDistance * chartScale);
    const int rm = roundPixel(moonRadius * chartScale);
    if (halo)
        fillCircle(surface, mx, my, rm + 1, yellow);
    fillCircle(surface, mx, my, rm, navy);
}

// The Sun and Moon at the maximum, centred at (cx, cy), zenith up; with the marks of the north
// point and, for a central eclipse, of the second and third contacts. The lowest pixel row the
// marks' letters reach (0 without them).
int ReportDrawing::appearance(const LocalEvent& maximum, int cx, int cy) {
    const ObservedShadow& s = maximum.shadow;
    const auto [h, m, sec] = splitHours(utHours(record, s.t, deltaT));
    surface.textOut(cx - 20, 225, format("%02.0f:%02.0f", h, m));
    const double v = s.vertexAngle * degToRad, q = s.zenithAngle;
    const int rs = roundPixel(moonRadius * appearanceScale / s.diameterRatio);
    const int rm = roundPixel(moonRadius * appearanceScale);
    fillCircle(surface, cx, cy, rs, red);
    const int mx = roundPixel(cx - std::sin(v) * s.axisDistance * appearanceScale);
    const int my = roundPixel(cy - std::cos(v) * s.axisDistance * appearanceScale);
    if (local.central && local.magnitude >= 1)
        fillCircle(surface, mx, my, rm + 1, yellow);
    fillCircle(surface, mx, my, rm, navy);
    const auto at = [&](double angleDeg, double r) {
        return std::pair{roundPixel(cx + std::sin(angleDeg * degToRad) * r),
                         roundPixel(cy - std::cos(angleDeg * degToRad) * r)};
    };
    if (!local.central) {
        const auto [x0, y0] = at(q, 1.0 * rs);
        const auto [x, y] = at(q, 1.2 * rs);
        drawLine(surface, x0, y0, x, y, green);
        return 0;
    }
    struct Mark {
        double angle;
        int colour;
        const char* mark;
    };
    std::vector<Mark> marks{{q, green, "N"}};
    if (local.second)
        marks.push_back({q - local.second->shadow.positionAngle, red, "2"});
    if (local.third)
        marks.push_back({q - local.third->shadow.positionAngle, red, "3"});
    int lowest = 0;
    for (const Mark& mark : marks) {
        const auto [x, y] = at(mark.angle, 1.4 * rs);
        drawLine(surface, cx, cy, x, y, mark.colour);
        const auto [tx, ty] = at(mark.angle, 1.7 * rs);
        surface.textOut(tx, ty, mark.mark);
        lowest = std::max(lowest, ty + surface.textSize(mark.mark).height);
    }
    return lowest;
}

// The date and type, the place and the column heads, and the chart's frame.
void ReportDrawing::headLines(const std::string& location) {
    surface.setTextColour(palette[white]);
    const double tMax = local.nearest ? local.nearest->shadow.t : 0;
    const auto [year, month, day, hour] =
        jdToCalendar(instantJdUt(record, tMax, deltaT), 1, local.observer.lonEast);
    row(2, format(" Date :%5.0f/%2.0f/%2.0f%s %4.2fh(Zone time) : %s ", year, month, day,
                  calendarNote(year, month, day).c_str(), hour,
                  eclipseTypeName(eclipseTypeNames, record.typeCode)));
    if (!location.empty())
        row(3, location);
    civilHead(tMax);
    const bool civilColumn = !civilHeadClock.empty();
    row(5, "                        Universal  Local               Sun    Mag.   Pm     Z     Az" +
               std::string(civilColumn ? "    Civil" : ""));
    row(6, "                        Time(UT)   STD Time    LMT     Alt                        " +
               (civilColumn ? " " + civilHeadClock : ""));
    row(7, "                        ---------- --------  --------  ----- ------ ----- ----- -----" +
               std::string(civilColumn ? " --------" : ""));
    horizonFrame();
}

// The civil time at the maximum: the column's head and the line that names the zone.
void ReportDrawing::civilHead(double tMax) {
    if (!civil.clockAt)
        return;
    const std::optional<CivilClock> clock = civil.clockAt(instantJdUt(record, tMax, deltaT));
    if (clock)
        civilHeadClock = clock->abbreviation;
    row(civilNoteRow, civilTimeNote(civil.place, clock, true));
}

// The lines of what the uncertainty of Delta T means at the place; the row after them.
int drawDeltaTLines(DrawSurface& surface, const EclipseRecord& record, const PlaceDeltaT& u) {
    if (!u.ranges)
        return deltaTRow;
    const auto row = [&](int r, const std::string& text) {
        surface.textOut(textX, rowPitch * r, text);
    };
    int at = deltaTRow;
    for (const std::string& sentence :
         {centralChanceText(record, *u.ranges), limbChanceText(record, *u.ranges),
          visibleChanceText(record, *u.ranges)})
        if (!sentence.empty())
            row(at++, " " + sentence);
    if (!u.solar)
        return at;
    const double h = u.solar->apparentSolarHours;
    std::string line = format(" Apparent solar time %02.0f:%02.0f", std::floor(h),
                              std::floor((h - std::floor(h)) * 60));
    for (const auto& [hours, what] : {std::pair{u.solar->sinceSunrise, "after sunrise"},
                                      std::pair{u.solar->untilSunset, "before sunset"}})
        if (hours)
            line += format(", %.2fh (%.1f°) %s", *hours, *hours * timeDegreesPerHour, what);
    row(at, line);
    return at + 1;
}

// "inside the corrected path: totality 2 m 13.4 s (smooth Moon 2 m 15.1 s)", or outside it; below
// it, how far the place's height moves the path's near edge.
void drawLimbCorrectedLine(DrawSurface& surface, const LocalCircumstances& local,
                           const LimbCorrectedPhase& corrected, int atRow) {
    const auto duration = [](double seconds) {
        const auto [hours, minutes, rest] = splitHoursToTenths(seconds / 3600);
        return format("%.0f m %.1f s", 60 * hours + minutes, rest);
    };
    const std::optional<CentralPhase> phase = centralPhaseOf(local);
    const bool annular =
        phase ? *phase == CentralPhase::annular : local.nearest && local.nearest->shadow.l2 > 0;
    const char* name = centralPhaseNoun(annular ? CentralPhase::annular : CentralPhase::total);
    std::string smooth = "smooth Moon: none";
    if (const std::optional<double> seconds = centralPhaseSeconds(local))
        smooth = "smooth Moon " + duration(*seconds);
    const std::string line =
        corrected.seconds ? format(" Inside the corrected path: %s %s (%s)", name,
                                   duration(*corrected.seconds).c_str(), smooth.c_str())
                          : format(" Outside the corrected path: no %s (%s)", name, smooth.c_str());
    surface.textOut(textX, rowPitch * atRow, line);
    const double height = local.observer.height;
    if (corrected.heightEdgeShiftKm && height != 0)
        surface.textOut(textX, rowPitch * (atRow + 1),
                        format(" Height %.0f m moves the near edge of the path %.2f km %s", height,
                               std::fabs(*corrected.heightEdgeShiftKm),
                               *corrected.heightEdgeShiftKm > 0 ? "outward" : "inward"));
}

// The contacts while the Sun is up: the outer ones with the bodies on the chart, the inner ones
// of a central eclipse with the duration between them.
void ReportDrawing::contacts() {
    if (local.first && sunUp(*local.first)) {
        bodiesOnChart(*local.first, false);
        eventLine(8, "First Penumbra Contact", *local.first, altitudeOf(local.first), {});
    }
    if (local.central) {
        if (local.second && sunUp(*local.second))
            eventLine(9, "First Umbra    Contact", *local.second, altitudeOf(local.second), {});
        if (local.third && sunUp(*local.third)) {
            eventLine(11, "Last  Umbra    Contact", *local.third, altitudeOf(local.third), {});
            if (const std::optional<double> seconds = centralPhaseSeconds(local)) {
                const auto [h, m, sec] = splitHoursToTenths(*seconds / 3600);
                row(4, format(" Duration : %2.0fmin.%4.1fsec. ", m, sec));
            }
        }
    }
    if (local.fourth && sunUp(*local.fourth)) {
        bodiesOnChart(*local.fourth, false);
        eventLine(10 + 2 * local.central, "Last  Penumbra Contact", *local.fourth,
                  altitudeOf(local.fourth), {});
    }
}

// The eclipse at sunset or sunrise.
void ReportDrawing::horizonMoment() {
    if (!local.horizon)
        return;
    const char* label = local.horizonMoment == HorizonMoment::sunset ? "Magnitude at Sun Set  "
                                                                     : "Magnitude at Sun Rise ";
    eventLine(13, label, *local.horizon, local.horizon->shadow.sunAltitude,
              local.horizon->shadow.magnitude());
    bodiesOnChart(*local.horizon, false);
}

// The maximum's line, its bodies and appearance while the Sun is up, or no eclipse visible.
void ReportDrawing::maximumLines() {
    const double gMax = local.magnitude;
    if (local.nearest) {
        const LocalEvent& maximum = *local.nearest;
        eventLine(9 + local.central, "Max.  Eclipse         ", maximum, maximum.shadow.sunAltitude,
                  gMax);
        if (sunUp(maximum) && gMax > 0) {
            bodiesOnChart(maximum, false);
            // the line under the picture, lower where a mark's letter reaches down to it
            constexpr int obscurationTop = 345;
            const int marksBottom = appearance(maximum, 95, 300);
            surface.textOut(40, std::max(obscurationTop, marksBottom + 1),
                            format("Obscuration %5.1f%%", 100 * local.obscuration));
            if (gMax > 1)
                bodiesOnChart(maximum, true);
        }
    }
    const bool bothBelow =
        altitudeOf(local.first) < sunriseAltitude && altitudeOf(local.fourth) < sunriseAltitude;
    if (!local.nearest || bothBelow || gMax < 0)
        row(13, " =====    No Eclipse Visible        ===== ");
}

} // namespace

void drawLocalCircumstances(DrawSurface& surface, const EclipseRecord& record,
                            const LocalCircumstances& local, const std::string& location,
                            double deltaT, const PlaceClocks& civil, const PlaceDeltaT* uncertainty,
                            std::optional<double> instant,
                            std::optional<LimbCorrectedPhase> limbCorrected) {
    ReportDrawing drawing(surface, record, local, deltaT, civil);
    drawing.headLines(location);
    // the corrected phase's line below the lines of Delta T, with the limb's ranges among them
    const int belowDeltaT =
        uncertainty != nullptr ? drawDeltaTLines(surface, record, *uncertainty) : deltaTRow;
    if (limbCorrected)
        drawLimbCorrectedLine(surface, local, *limbCorrected,
                              std::max(limbCorrectedRow, belowDeltaT));
    drawing.seriesOnChart(eclipseSeries(record, local, deltaT));
    drawing.contacts();
    drawing.horizonMoment();
    drawing.maximumLines();
    if (instant)
        drawing.instantOnChart(*instant);
}

} // namespace vesk
