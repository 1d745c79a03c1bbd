// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_options.h"

#include "qt_draw_surface.h"
#include "redraw_pipeline.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vesk {

namespace {

// The band of Delta T's uncertainty: K standard errors by default, at most maxBandSigmas.
constexpr const char* defaultBandSigmas = "2";
constexpr double maxBandSigmas = 5;

// Qt's messages less the warning that XDG_RUNTIME_DIR is not set, which says nothing about a
// picture drawn without a display.
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context,
                                 const QString& message) {
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    std::fputs(qFormatLogMessage(type, context, message).toLocal8Bit().append('\n').constData(),
               stderr);
}

} // namespace

std::string applyYearMonthOptions(const CommandLine& options, ViewSettings& view) {
    std::string error;
    const std::optional<double> year = options.year("--year", error);
    const std::optional<double> month = options.eclipseMonth(error);
    if (!error.empty())
        return error;
    if (year.has_value() != month.has_value())
        return "--year and --month go together";
    if (year) {
        if (std::string bad = checkYearMonth(*year, *month); !bad.empty())
            return bad;
        view.year = *year;
        view.month = *month;
    }
    return {};
}

std::string applyMapOptions(const CommandLine& options, ViewSettings& view) {
    const std::string range = options.value("--range").value_or("globe");
    if (range == "globe")
        view.mapRange = MapRange::globe;
    else if (range == "asia")
        view.mapRange = MapRange::asia;
    else if (range == "europe")
        view.mapRange = MapRange::europe;
    else
        return "--range must be globe, asia or europe";
    view.projection = options.hasFlag("--mercator") ? Projection::mercator : Projection::globe;
    if (options.hasFlag("--relief") && options.hasFlag("--vector"))
        return "--relief and --vector exclude each other";
    view.baseMap = options.hasFlag("--vector") ? BaseMapKind::vector : BaseMapKind::relief;
    view.gridLines = options.hasFlag("--grid");
    view.kmlOutput = options.hasFlag("--kml");
    if (options.hasFlag("--legend") && options.hasFlag("--no-legend"))
        return "--legend and --no-legend exclude each other";
    view.legend = options.hasFlag("--legend")      ? MapLegend::always
                  : options.hasFlag("--no-legend") ? MapLegend::never
                                                   : MapLegend::globes;
    view.fillCentralPath = options.hasFlag("--fill-path");
    view.durationCurves = options.hasFlag("--durations");
    std::string error;
    const std::optional<double> band = options.number("--delta-t-band", error);
    if (!error.empty() || (band && !(*band > 0 && *band <= maxBandSigmas)))
        return "--delta-t-band K must lie above 0 and at most 5 standard errors";
    view.deltaTBandSigmas = band.value_or(0);
    const std::optional<double> solarRadius = options.number("--solar-radius", error);
    if (!error.empty() || (solarRadius && !(*solarRadius >= minSolarRadiusArcsec &&
                                            *solarRadius <= maxSolarRadiusArcsec)))
        return "--solar-radius ARCSEC must lie from 900 to 1000 arcseconds (at 1 au)";
    view.solarRadiusArcsec = solarRadius;
    return {};
}

std::string applyCentreOptions(const CommandLine& options, ViewSettings& view) {
    if (options.has("--centre") != options.has("--scale"))
        return "--centre and --scale go together";
    const auto centre = options.value("--centre");
    if (!centre)
        return {};
    std::string error;
    const auto lonLat = numberPair(*centre, ',');
    const std::optional<double> scale = options.number("--scale", error);
    if (!lonLat || std::fabs(lonLat->first) > 180 || std::fabs(lonLat->second) > 90)
        return "--centre must be LON,LAT in degrees";
    if (!scale || !(*scale >= 0.1 && *scale <= 1000))
        return error.empty() ? "--scale must lie from 0.1 to 1000" : error;
    if (view.projection != Projection::globe)
        return "--centre works on the globe only";
    view.mapRange = MapRange::centred;
    view.centreLon = lonLat->first;
    view.centreLat = lonLat->second;
    view.magnification = *scale; // of the whole globe's radius
    return {};
}

std::string applySizeOption(const CommandLine& options, int largest, int& width, int& height) {
    const auto size = options.value("--size");
    if (!size)
        return {};
    const auto wh = numberPair(*size, 'x');
    if (!wh || wh->first < 300 || wh->second < 300 || wh->first > largest || wh->second > largest)
        return "--size must be WIDTHxHEIGHT, each from 300 to " + std::to_string(largest);
    width = static_cast<int>(wh->first);
    height = static_cast<int>(wh->second);
    return {};
}

std::vector<std::string> withBandSigmas(const std::vector<std::string>& args) {
    std::vector<std::string> full;
    for (std::size_t i = 0; i < args.size(); ++i) {
        full.push_back(args[i]);
        const bool valueFollows = i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0;
        if (args[i] == "--delta-t-band" && !valueFollows)
            full.push_back(defaultBandSigmas);
    }
    return full;
}

RedrawRequest commandRequest(const CommandLine& options) {
    return {options.has("--year") ? RedrawAction::show : RedrawAction::fromClock};
}

std::optional<RedrawOutcome> redrawForCommand(AppState& state, const RedrawRequest& request,
                                              DrawSurface& surface, AppServices& services,
                                              const char* command, std::FILE* err) {
    RedrawOutcome outcome =
        redrawView(state.session, state.session.view, request, surface, services);
    for (const std::string& note : outcome.ignoredFiles)
        std::fprintf(err, "vesk: %s\n", note.c_str());
    if (outcome.rendered)
        return outcome;
    for (const std::string& message : outcome.messages)
        std::fprintf(err, "%s\n", messageIn(state.language, message.c_str()).c_str());
    if (outcome.messages.empty())
        std::fprintf(err, "vesk %s: no eclipse to draw\n", command);
    return std::nullopt;
}

OffscreenApplication::OffscreenApplication() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(withoutRuntimeFolderWarning);
    application = std::make_unique<QGuiApplication>(argc, argv);
    clearUpperVectorRegisters();
}

OffscreenApplication::~OffscreenApplication() = default;

} // namespace vesk
