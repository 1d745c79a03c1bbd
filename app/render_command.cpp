// SPDX-License-Identifier: GPL-3.0-or-later
#include "render_command.h"

#include "command_line.h"
#include "output_path.h"
#include "picture_output.h"
#include "place_options.h"
#include "sky_command.h"
#include "text_recording_surface.h"

#include <QGuiApplication>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

namespace vesk {

namespace {

constexpr int defaultWidth = 1000, defaultHeight = 700;
constexpr int largestSide = 10000;
// The device pixels of one picture (--size times --dpr squared): 1.6 GB of image at the most.
constexpr double maxDevicePixels = 400e6;

// "HH:MM[:SS]" of UT on the eclipse's day (hours 0 to 47), or a Julian date (UT).
std::optional<ShadowInstant> shadowInstantOf(const std::string& text) {
    int h = 0, m = 0, s = 0;
    char end = 0;
    if (text.find(':') != std::string::npos) {
        const int read = std::sscanf(text.c_str(), "%d:%d:%d%c", &h, &m, &s, &end);
        if (read < 2 || read > 3 || h < 0 || h > 47 || m < 0 || m > 59 || s < 0 || s > 59)
            return std::nullopt;
        return ShadowInstant{h + m / 60.0 + s / 3600.0, false};
    }
    char* rest = nullptr;
    const double jd = std::strtod(text.c_str(), &rest);
    if (rest == text.c_str() || *rest != '\0' || !(jd > -3e6 && jd < 9e6))
        return std::nullopt;
    return ShadowInstant{jd, true};
}

// The options of the command into the view state; an error text, or empty.
// --year and --month, --mode, --table-lon and --table-step.
std::string applyWhatOptions(const CommandLine& options, ViewState& view) {
    std::string error;
    const std::optional<double> year = options.number("--year", error);
    const std::optional<double> month = options.number("--month", error);
    if (!error.empty())
        return error;
    if (year.has_value() != month.has_value())
        return "--year and --month go together";
    if (year) {
        if (std::string bad = checkYearMonth(*year, *month); !bad.empty())
            return bad;
        view.year = *year;
        view.month = *month;
        view.redrawAction = redrawShow;
    }
    const std::string mode = options.value("--mode").value_or("map");
    if (mode == "map")
        view.displayMode = displayPathMap;
    else if (mode == "table")
        view.displayMode = displayCentralTable;
    else if (mode == "local" || mode == "sky" || mode == "limb")
        view.displayMode = displayLocal;
    else
        return "--mode must be map, table, local, sky or limb";
    if (const auto at = options.value("--at")) {
        if (view.displayMode != displayPathMap)
            return "--at goes with the map";
        std::optional<ShadowInstant> instant = shadowInstantOf(*at);
        if (!instant)
            return "--at must be HH:MM or HH:MM:SS of UT on the eclipse's day, or a Julian date";
        view.shadowAt = instant;
    }
    if (const auto table = options.value("--table-format")) {
        if (*table != "csv" && *table != "json")
            return "--table-format must be csv or json";
        if (view.displayMode != displayCentralTable)
            return "--table-format goes with --mode table";
    }
    const std::optional<double> tableLon = options.number("--table-lon", error);
    const std::optional<double> tableStep = options.number("--table-step", error);
    if (tableLon) {
        if (!(*tableLon >= -360 && *tableLon <= 360))
            return "--table-lon must lie from -360 to 360 degrees";
        view.tableLon = *tableLon;
    }
    if (tableStep) {
        if (!(*tableStep > 0 && *tableStep <= 30))
            return "--table-step must lie above 0 and at most 30 degrees";
        view.tableStep = *tableStep;
    }
    return error;
}

// The band of Delta T's uncertainty: K standard errors by default, at most maxBandSigmas.
constexpr const char* defaultBandSigmas = "2";
constexpr double maxBandSigmas = 5;

// --range, --mercator, --relief, --vector, --grid, --kml, --legend, --no-legend, --fill-path and
// --delta-t-band.
std::string applyMapOptions(const CommandLine& options, ViewState& view) {
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
    view.useCiaMap = options.hasFlag("--vector") ? BaseMapKind::vector : BaseMapKind::relief;
    view.gridLines = options.hasFlag("--grid");
    view.kmlOutput = options.hasFlag("--kml");
    if (options.hasFlag("--legend") && options.hasFlag("--no-legend"))
        return "--legend and --no-legend exclude each other";
    view.legend = options.hasFlag("--legend")      ? MapLegend::always
                  : options.hasFlag("--no-legend") ? MapLegend::never
                                                   : MapLegend::regional;
    view.fillCentralPath = options.hasFlag("--fill-path");
    std::string error;
    const std::optional<double> band = options.number("--delta-t-band", error);
    if (!error.empty() || (band && !(*band > 0 && *band <= maxBandSigmas)))
        return "--delta-t-band K must lie above 0 and at most 5 standard errors";
    view.deltaTBandSigmas = band.value_or(0);
    return {};
}

// The arguments with the default K after a --delta-t-band given without one.
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

// --centre and --scale, for a screen of width x height.
std::string applyCentreOptions(const CommandLine& options, ViewState& view, int width, int height) {
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
    // The magnification multiplies the radius of the whole-globe layout.
    ViewState whole = view;
    whole.mapRange = MapRange::globe;
    layoutView(whole, width, height);
    view.baseRadius = whole.baseRadius;
    view.mapScale = whole.baseRadius * *scale;
    return {};
}

std::string applyOptions(const CommandLine& options, AppState& state, int& width, int& height,
                         std::string& out, std::FILE* err) {
    ViewState& view = state.session.view;
    for (const auto& apply : {applyWhatOptions, applyMapOptions, applyDeltaTOptions})
        if (std::string error = apply(options, view); !error.empty())
            return error;
    if (std::string error = applyObserverOptions(options, state, err).error; !error.empty())
        return error;
    if (const auto size = options.value("--size")) {
        const auto wh = numberPair(*size, 'x');
        if (!wh || wh->first < 300 || wh->second < 300 || wh->first > largestSide ||
            wh->second > largestSide)
            return "--size must be WIDTHxHEIGHT, each from 300 to 10000";
        width = static_cast<int>(wh->first);
        height = static_cast<int>(wh->second);
    }
    if (std::string error = applyCentreOptions(options, view, width, height); !error.empty())
        return error;
    out = options.value("--out").value_or("vesk.png");
    if (!pictureFormatOf(out))
        return "--out must name a .png, .svg or .pdf file";
    return outputPathRefusal(out);
}

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

int runRenderCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                     std::FILE* err) {
    CommandLine options;
    std::string error;
    if (!options.parse(
            withBandSigmas(args),
            {"--year",    "--month",          "--mode",         "--range",        "--centre",
             "--scale",   "--size",           "--out",          "--lon",          "--lat",
             "--height",  "--place",          "--table-lon",    "--table-step",   "--dpr",
             "--delta-t", "--delta-t-adjust", "--delta-t-band", "--table-format", "--at"},
            {"--mercator", "--relief", "--vector", "--grid", "--kml", "--text", "--legend",
             "--no-legend", "--fill-path", "--geojson"},
            error)) {
        std::fprintf(err, "vesk render: %s\n", error.c_str());
        return 2;
    }
    int width = defaultWidth, height = defaultHeight;
    std::string outPath;
    error = applyOptions(options, state, width, height, outPath, err);
    const std::optional<double> ratio = options.number("--dpr", error);
    if (error.empty() && ratio && !(*ratio >= minPixelRatio && *ratio <= maxPixelRatio))
        error = "--dpr must lie from 1 to 4";
    const double devicePixels = width * height * ratio.value_or(1) * ratio.value_or(1);
    if (error.empty() && devicePixels > maxDevicePixels)
        error = "--size and --dpr make a picture of " +
                std::to_string(std::lround(devicePixels / 1e6)) +
                " million device pixels; the most is " +
                std::to_string(std::lround(maxDevicePixels / 1e6)) + " million";
    if (!error.empty()) {
        std::fprintf(err, "vesk render: %s\n", error.c_str());
        return 2;
    }
    const double pixelRatio = ratio.value_or(1);

    // Text needs a GUI application; the offscreen platform needs no display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "vesk";
    char* argv[] = {name, nullptr};
    qInstallMessageHandler(withoutRuntimeFolderWarning);
    QGuiApplication application(argc, argv);
    clearUpperVectorRegisters();

    PictureOutput picture(*pictureFormatOf(outPath), width, height, pixelRatio);
    std::vector<std::string> texts;
    TextRecordingSurface surface(picture.surface(), texts);
    AppServices services(state);
    services.exportDir = std::filesystem::absolute(outPath).parent_path();
    const RedrawOutcome outcome = redrawView(state.session, surface, services);
    for (const std::string& note : outcome.ignoredFiles)
        std::fprintf(err, "vesk: %s\n", note.c_str());
    if (!outcome.rendered) {
        for (const std::string& message : outcome.messages)
            std::fprintf(err, "%s\n", message.c_str());
        if (services.yearMonthDialogRequested || outcome.messages.empty())
            std::fprintf(err, "vesk render: no eclipse to draw\n");
        return 1;
    }
    const std::string mode = options.value("--mode").value_or("map");
    const std::size_t screenTexts = texts.size();
    const LimbOutcome limb =
        mode == "limb" ? drawLimbAtMaximum(state, surface) : LimbOutcome::drawn;
    if ((mode == "sky" && !drawSkyAtMaximum(state, surface)) || limb == LimbOutcome::notCentral) {
        std::fprintf(err, "vesk render: the place is not inside the central path\n");
        return 1;
    }
    if (limb == LimbOutcome::noLunarGrid) {
        // the screen's message about the missing grid, on standard error; no picture
        for (std::size_t i = screenTexts; i < texts.size(); ++i)
            std::fprintf(err, "%s\n", texts[i].c_str());
        return 1;
    }
    if (options.hasFlag("--geojson") && services.exportFailure.empty())
        services.exportFailure = services.writeGeoJson(services.exportDir);
    if (const auto table = options.value("--table-format"); table && services.exportFailure.empty())
        services.exportFailure = services.writeCentralTable(
            services.exportDir,
            *table == "csv" ? AppServices::TableFormat::csv : AppServices::TableFormat::json);
    if (!services.exportFailure.empty()) {
        std::fprintf(err, "vesk render: %s\n", services.exportFailure.c_str());
        return 1;
    }
    if (const std::string failure = picture.save(outPath); !failure.empty()) {
        std::fprintf(err, "vesk render: %s\n", failure.c_str());
        return 1;
    }
    if (options.hasFlag("--text"))
        for (const std::string& text : texts)
            std::fprintf(out, "%s\n", text.c_str());
    return 0;
}

} // namespace vesk
