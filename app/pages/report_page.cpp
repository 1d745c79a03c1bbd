// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_page.h"

#include "citation_report.h"
#include "civil_time.h"
#include "delta_t_report.h"
#include "picture_output.h"
#include "saros.h"
#include "shadow_elements.h"
#include "text_lines.h"
#include "timescales.h"

#include <cmath>
#include <numbers>

namespace vesk {

namespace {

// The text block under the map: its left margin, first line and line heights.
constexpr int textLeft = 28, textTop = reportMapHeight + 14;
constexpr int lineHeight = 17, headingHeight = 24, sectionGap = 9;
// The text's width: the page's within its margins.
constexpr int textWidth = reportWidth - 2 * textLeft;
const Font headingFont{FontRole::panel, -17, 700};
const Font sectionFont{FontRole::panel, -14, 700};
const Font bodyFont{FontRole::panel, -13, 400};
const Font tableFont{FontRole::mono, -13, 400};
// On the page (printed white, every colour inverted): black text, and the headings' blue.
constexpr Rgb textColour{255, 255, 255}, headingColour{255, 255, 0};

// The lines of the page's text, each with its font and colour.
struct PageLine {
    std::string text;
    const Font* font = &bodyFont;
    Rgb colour = textColour;
};

std::string hoursAndDegrees(const std::optional<double>& hours) {
    if (!hours)
        return "—";
    char text[40];
    std::snprintf(text, sizeof text, "%5.2f h %6.1f°", *hours, *hours * timeDegreesPerHour);
    return text;
}

std::string degreesNorthEast(double lat, double lon) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f° %c, %.4f° %c", std::fabs(lat), lat < 0 ? 'S' : 'N',
                  std::fabs(lon), lon < 0 ? 'W' : 'E');
    return text;
}

// The heading, the eclipse and the place.
void addEclipseLines(const EclipseRecord& e, const ViewSettings& view, const ObserverPlace& place,
                     std::vector<PageLine>& lines) {
    static constexpr const char* monthNames[] = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};
    const long long year = std::llround(e.year);
    const std::optional<std::string> bc = yearBeforeChrist(e.year);
    std::string date = std::to_string(static_cast<int>(e.day)) + " " +
                       monthNames[static_cast<int>(e.month) - 1] + " " +
                       bc.value_or(std::to_string(year)) + " (";
    if (bc)
        date += "year " + std::to_string(year) + ", ";
    date +=
        isJulianCalendarDate(e.year, e.month, e.day) ? "Julian calendar)" : "Gregorian calendar)";
    lines.push_back(
        {"Solar eclipse of " + date + ": " + eclipseTypeName(eclipseTypeNames, e.typeCode),
         &headingFont, headingColour});
    char detail[160];
    std::snprintf(detail, sizeof detail,
                  "Saros %d, member %d; greatest eclipse JD %.5f (UT), magnitude %.5f",
                  static_cast<int>(e.saros), sarosMember(e.year, e.saros), e.jd, e.magnitude);
    lines.push_back({detail});
    const std::string name = place.name.empty() ? "The place" : place.name;
    char height[48];
    std::snprintf(height, sizeof height, ", %.0f m", view.observerHeight);
    lines.push_back({"Seen from " + name + ", " +
                     degreesNorthEast(view.observerLat, view.observerLon) + height +
                     heightSourceNote(place.heightSource)});
    lines.push_back({"Position: " + (place.positionSource.empty() ? std::string("as given")
                                                                  : place.positionSource)});
}

// The contacts and the maximum in UT, local mean and apparent time and time-degrees.
void addLocalLines(const std::vector<ReportEvent>& events, const LocalCircumstances& local,
                   double deltaT, std::vector<PageLine>& lines) {
    char heading[96];
    std::snprintf(heading, sizeof heading, "Local circumstances with ΔT = %.0f s", deltaT);
    lines.push_back({heading, &sectionFont, headingColour});
    if (events.empty()) {
        lines.push_back({"The place does not see the eclipse with this ΔT."});
        return;
    }
    lines.push_back({"       UT        mean time  apparent   since sunrise    until sunset  "
                     "   Sun alt     az",
                     &tableFont});
    for (const ReportEvent& event : events) {
        char row[200];
        std::snprintf(
            row, sizeof row, "%-5s  %s  %s   %s   %s  %s  %7.2f° %7.2f°", event.name.c_str(),
            hmsOfHours(localMeanHours(event.jdUt, 0)).c_str(), // UT: Greenwich's mean time
            hmsOfHours(event.meanSolarHours).c_str(),
            hmsOfHours(event.solar.apparentSolarHours).c_str(),
            hoursAndDegrees(event.solar.sinceSunrise).c_str(),
            hoursAndDegrees(event.solar.untilSunset).c_str(), event.sunAltitude, event.sunAzimuth);
        lines.push_back({row, &tableFont});
    }
    char magnitude[80];
    std::snprintf(magnitude, sizeof magnitude, "Magnitude %.4f%s, obscuration %.1f %%",
                  shownMagnitude(local.magnitude), local.central ? " (central)" : "",
                  100 * local.obscuration);
    std::string summary = magnitude;
    if (const std::optional<double> seconds = centralPhaseSeconds(local))
        summary +=
            "; " +
            std::string(centralPhaseNoun(centralPhaseOf(local).value_or(CentralPhase::total))) +
            " lasts " + minutesAndSeconds(*seconds);
    lines.push_back({summary});
    lines.push_back({"Mean time: UT and the longitude at 15° an hour; apparent time: the Sun's "
                     "hour angle and 12 h; 1 time-degree = 4 min"});
}

// The contacts and the maximum on the place's clocks: the zone's abbreviation and offset, or
// why they are not known (as the local screen says it).
void addCivilLines(const EclipseRecord& e, const std::vector<ReportEvent>& events,
                   const LocalCircumstances& local, double deltaT, const PlaceClocks& clocks,
                   std::vector<PageLine>& lines) {
    if (events.empty() || !clocks.clockAt)
        return;
    const std::optional<CivilClock> atMaximum =
        local.maximum ? clocks.clockAt(instantJdUt(e, local.maximum->shadow.t, deltaT))
                      : std::nullopt;
    lines.push_back(
        {civilTimeNote(clocks.place, atMaximum, true).substr(1), &sectionFont, headingColour});
    for (const ReportEvent& event : events)
        if (const std::optional<CivilClock> clock = clocks.clockAt(event.jdUt)) {
            std::string stamp = civilTimestamp(event.jdUt, *clock); // 2027-08-02T13:02:07+03:00
            stamp = stamp.substr(0, 10) + " " + stamp.substr(11, 8);
            char row[120];
            std::snprintf(row, sizeof row, "%-5s  %s %s", event.name.c_str(), stamp.c_str(),
                          clock->abbreviation.c_str());
            lines.push_back({row, &tableFont});
        }
}

// The Delta T model, its standard error and lunar acceleration, and the ranges at the place.
void addDeltaTLines(const EclipseRecord& e, const ViewSettings& view,
                    const LocalCircumstances& local, double deltaT, std::vector<PageLine>& lines) {
    lines.push_back({"ΔT and its uncertainty", &sectionFont, headingColour});
    const std::optional<DeltaTSource> source =
        view.userDeltaT ? std::nullopt : std::optional(deltaTSource(e, view.deltaTChoice));
    lines.push_back({"ΔT model: " + deltaTSourceText(source)});
    if (source)
        lines.push_back({"Model: " + std::string(deltaTModelReference(source->choice.model))});
    const PlaceDeltaT ranges = placeDeltaT(e, local, deltaT);
    char sigma[120];
    std::snprintf(sigma, sizeof sigma,
                  "Standard error σ = %.1f s (Morrison & Stephenson 2004); map band ±%g σ",
                  ranges.sigma, view.deltaTBandSigmas);
    lines.push_back({sigma});
    if (ranges.ranges)
        for (std::string& line : deltaTRangeLines(e, *ranges.ranges))
            lines.push_back({std::move(line)});
}

// The radii, the program and the sources of its data.
void addSourceLines(const ViewSettings& view, std::vector<PageLine>& lines) {
    lines.push_back({"Radii and sources", &sectionFont, headingColour});
    char moon[160];
    std::snprintf(moon, sizeof moon,
                  "Moon: k = %.7f (outer contacts) and %.7f (inner contacts, the mean limb), "
                  "IAU 1982",
                  moonRadiusPenumbra, moonRadiusUmbra);
    lines.push_back({moon});
    const double sunKm =
        view.solarRadiusArcsec ? sunRadiusOfArcseconds(*view.solarRadiusArcsec) : sunRadiusKm;
    char sun[120];
    std::snprintf(sun, sizeof sun, "Sun: %.0f km, %.2f\" at 1 au%s", sunKm,
                  std::atan(sunKm / astronomicalUnitKm) * 180 / std::numbers::pi * 3600,
                  view.solarRadiusArcsec ? " (chosen)" : " (the catalog's)");
    lines.push_back({sun});
    char program[200];
    std::snprintf(program, sizeof program,
                  "vesk %s: Besselian elements computed by vesk from JPL DE431 (n-dot %.2f\"/cy²)",
                  VESK_VERSION, de431Ndot);
    lines.push_back({program});
    lines.push_back(
        {std::string("Map: shorelines, rivers and borders GSHHG 2.3 (Wessel & Smith); ") +
         (view.baseMap == BaseMapKind::relief ? "relief ETOPO5 (NOAA); " : "") +
         "place names GeoNames (CC BY 4.0)"});
}

void drawLines(DrawSurface& page, const std::vector<PageLine>& lines) {
    int y = textTop;
    const Font previous = page.selectFont(bodyFont);
    for (const PageLine& line : lines) {
        if (line.font == &sectionFont)
            y += sectionGap;
        page.selectFont(*line.font);
        page.setTextColour(line.colour);
        for (const std::string& part : linesWithin(page, line.text, textWidth, "", "  ")) {
            page.textOut(textLeft, y, part);
            y += line.font == &headingFont ? headingHeight : lineHeight;
        }
    }
    page.selectFont(previous);
}

} // namespace

ViewSettings reportView(ViewSettings view) {
    view.displayMode = displayPathMap;
    view.mapRange = MapRange::centred;
    view.projection = Projection::globe;
    view.baseMap = BaseMapKind::vector;
    view.centreLon = view.observerLon;
    view.centreLat = view.observerLat;
    view.magnification = reportMagnification;
    view.shadowAt.reset();
    view.kmlOutput = false;
    if (view.deltaTBandSigmas <= 0)
        view.deltaTBandSigmas = reportBandSigmas;
    return view;
}

std::string writeEclipseReport(AppState& state, const ViewSettings& view,
                               const std::filesystem::path& path,
                               std::vector<RecordedText>& texts) {
    const std::optional<PictureFormat> format = pictureFormatOf(path);
    if (format != PictureFormat::pdf && format != PictureFormat::svg)
        return "the report is written as a .pdf or .svg document: " + path.string();
    PictureOutput picture(*format, reportWidth, reportHeight, 1, PageLayout{{}, true});
    TextRecordingSurface page(picture.surface(), texts);
    SurfacePart map(page, reportWidth, reportMapHeight);
    AppServices services(state);
    RedrawOutcome outcome = redrawView(state.session, view, {RedrawAction::show}, map, services);
    if (!outcome.rendered) {
        std::string why;
        for (const std::string& message : outcome.messages) {
            if (!why.empty())
                why += ' ';
            why += messageIn(state.language, message.c_str());
        }
        return why.empty() ? "no eclipse to report" : why;
    }
    const ScreenFrame& frame = outcome.frame;
    const EclipseRecord& record = frame.eclipse.record;
    std::vector<PageLine> lines;
    addEclipseLines(record, frame.settings, frame.settings.observerPlace, lines);
    const double deltaT = frame.eclipse.deltaT;
    const LocalCircumstances local =
        localCircumstances(record, viewObserver(frame.settings), deltaT);
    // the contacts and the maximum the place sees, for both tables
    const std::vector<ReportEvent> events =
        reportEvents(record, viewObserver(frame.settings), local, deltaT);
    addLocalLines(events, local, deltaT, lines);
    addCivilLines(record, events, local, deltaT,
                  placeClocks(frame.settings.observerPlace, frame.settings.observerLon), lines);
    addDeltaTLines(record, frame.settings, local, deltaT, lines);
    addSourceLines(frame.settings, lines);
    page.fillSolidRect(0, reportMapHeight, reportWidth, reportHeight, Rgb{0, 0, 0});
    drawLines(page, lines);
    return picture.save(path);
}

} // namespace vesk
