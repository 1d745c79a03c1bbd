// SPDX-License-Identifier: GPL-3.0-or-later
#include "render_command.h"

#include "command_line.h"
#include "map_options.h"
#include "messages.h"
#include "output_path.h"
#include "picture_output.h"
#include "place_options.h"
#include "shadow_layer.h"
#include "sky_json.h"
#include "sky_page.h"
#include "text_recording_surface.h"
#include "timescales.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

namespace vesk {

namespace {

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

// --mode into the view settings, and the options that go with some modes only (--json,
// --true-limits and --limits-height, --north-up); an error text, or empty.
std::string applyModeOptions(const CommandLine& options, ViewSettings& view) {
    const std::string mode = options.value("--mode").value_or("map");
    if (mode == "map")
        view.displayMode = displayPathMap;
    else if (mode == "table")
        view.displayMode = displayCentralTable;
    else if (mode == "local" || mode == "sky" || mode == "limb")
        view.displayMode = displayLocal;
    else if (mode == "view")
        view.displayMode = displayPlaceView;
    else
        return "--mode must be map, table, local, view, sky or limb";
    if (options.hasFlag("--json") && mode != "sky")
        return "--json goes with --mode sky";
    if (options.hasFlag("--true-limits")) {
        if (mode != "map" && mode != "table" && mode != "local")
            return "--true-limits goes with the map, --mode table and --mode local";
        view.trueLimits = true;
    }
    if (const auto heights = options.value("--limits-height")) {
        if (!view.trueLimits)
            return "--limits-height goes with --true-limits";
        if (*heights != "0" && *heights != "ground")
            return "--limits-height must be ground or 0 (sea level)";
        view.limitsAtSeaLevel = *heights == "0";
    }
    if (options.hasFlag("--north-up")) {
        if (view.displayMode != displayPlaceView)
            return "--north-up goes with --mode view";
        view.northUp = true;
    }
    return "";
}

// --table-format, --table-lon and --table-step into the view settings; an error text, or empty.
std::string applyTableOptions(const CommandLine& options, ViewSettings& view) {
    if (const auto table = options.value("--table-format")) {
        if (*table != "csv" && *table != "json")
            return "--table-format must be csv or json";
        if (view.displayMode != displayCentralTable)
            return "--table-format goes with --mode table";
    }
    std::string error;
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

// The options of the command into the view settings; an error text, or empty.
// --year and --month, --mode and what goes with it, --at and the table's options.
std::string applyWhatOptions(const CommandLine& options, ViewSettings& view) {
    if (std::string error = applyYearMonthOptions(options, view); !error.empty())
        return error;
    if (std::string error = applyModeOptions(options, view); !error.empty())
        return error;
    if (const auto at = options.value("--at")) {
        if (view.displayMode != displayPathMap && view.displayMode != displayPlaceView)
            return "--at goes with the map and --mode view";
        std::optional<ShadowInstant> instant = shadowInstantOf(*at);
        if (!instant)
            return "--at must be HH:MM or HH:MM:SS of UT on the eclipse's day, or a Julian date";
        view.shadowAt = instant;
    }
    return applyTableOptions(options, view);
}

std::string applyOptions(const CommandLine& options, AppState& state, int& width, int& height,
                         std::string& out, std::FILE* err) {
    ViewSettings& view = state.session.view;
    for (const auto& apply : {applyWhatOptions, applyMapOptions, applyDeltaTOptions})
        if (std::string error = apply(options, view); !error.empty())
            return error;
    if (std::string error = applyObserverOptions(options, state, err).error; !error.empty())
        return error;
    if (std::string error = applySizeOption(options, largestSide, width, height); !error.empty())
        return error;
    if (std::string error = applyCentreOptions(options, view); !error.empty())
        return error;
    out = options.value("--out").value_or("vesk.png");
    if (!pictureFormatOf(out))
        return "--out must name a .png, .svg or .pdf file";
    return outputPathRefusal(out);
}

// Why the view from the place cannot be drawn at --at: an instant outside the eclipse's first and
// last contact with the Earth, where its elements no longer hold; empty otherwise.
std::string viewInstantRefusal(const ScreenFrame& frame) {
    const ViewSettings& v = frame.settings;
    if (v.displayMode != displayPlaceView || !v.shadowAt)
        return {};
    const EclipseRecord& record = frame.eclipse.record;
    const double deltaT = frame.eclipse.deltaT;
    const double at = dayHoursOf(record, shadowHours(record, *v.shadowAt, deltaT), deltaT);
    const auto [first, last] = contactSpanUt(record, deltaT);
    if (at >= first && at <= last)
        return {};
    return "--at must lie within the eclipse, from " + hmsOfHours(first) + " to " +
           hmsOfHours(last) + " UT of its day (its first and last contact with the Earth)";
}

} // namespace

namespace {

// The picture asked for: its file, size in pixels and pixel ratio.
struct PictureRequest {
    std::string outPath;
    int width = defaultWidth, height = defaultHeight;
    double pixelRatio = 1;
};

// The picture of the options, with the view's settings applied to state; empty, or why the
// options cannot be taken.
std::string pictureRequestOf(const CommandLine& options, AppState& state, PictureRequest& picture,
                             std::FILE* err) {
    std::string error =
        applyOptions(options, state, picture.width, picture.height, picture.outPath, err);
    const std::optional<double> ratio = options.number("--dpr", error);
    if (error.empty() && ratio && !(*ratio >= minPixelRatio && *ratio <= maxPixelRatio))
        error = "--dpr must lie from 1 to 4";
    picture.pixelRatio = ratio.value_or(1);
    const double devicePixels =
        picture.width * picture.height * picture.pixelRatio * picture.pixelRatio;
    if (error.empty() && devicePixels > maxDevicePixels)
        error = "--size and --dpr make a picture of " +
                std::to_string(std::lround(devicePixels / 1e6)) +
                " million device pixels; the most is " +
                std::to_string(std::lround(maxDevicePixels / 1e6)) + " million";
    return error;
}

// Draws the sky or the limb over the screen where the mode asks for them; false, with the
// reason on err, where there is no picture to write (the place outside the central path, or
// the lunar grid missing).
bool drawOverlay(AppState& state, const ScreenFrame& frame, const std::string& mode,
                 TextRecordingSurface& surface, AppServices& services, std::FILE* err) {
    const LimbOutcome limb =
        mode == "limb" ? drawLimbAtMaximum(state, frame, surface) : LimbOutcome::drawn;
    if ((mode == "sky" && !drawSkyAtMaximum(state, frame, surface)) ||
        limb == LimbOutcome::notCentral) {
        std::fprintf(err, "vesk render: %s\n",
                     messageIn(state.language, messageNotCentral).c_str());
        return false;
    }
    if (const Outcome missing = services.missingFromPicture(frame)) {
        // the limb screen's message about the missing grid; no picture
        printFailure("vesk render", *missing, state.language, err);
        return false;
    }
    if (limb == LimbOutcome::noLunarGrid) {
        // why the screen has no limb, on standard error; no picture
        if (const Outcome failure = loadLunarGrid(state.limb, state.session.catalog.paths))
            printFailure("vesk render", *failure, state.language, err);
        return false;
    }
    return true;
}

// The exports the options ask for, into the services' files; empty, or what went wrong.
std::string renderExports(const CommandLine& options, const ScreenFrame& frame,
                          AppServices& services) {
    std::string notWritten = services.writeScreenExports(frame).failure;
    if (options.hasFlag("--geojson") && notWritten.empty())
        notWritten = services.writeGeoJson(frame, services.exportDir);
    if (const auto table = options.value("--table-format"); table && notWritten.empty())
        notWritten = services.writeCentralTable(frame, services.exportDir,
                                                *table == "csv" ? AppServices::TableFormat::csv
                                                                : AppServices::TableFormat::json);
    return notWritten;
}

// The screen's texts and the sky's JSON on out, as the options ask.
void printRenderTexts(const CommandLine& options, AppState& state, const ScreenFrame& frame,
                      const std::vector<RecordedText>& texts, std::FILE* out) {
    if (options.hasFlag("--json"))
        std::fputs(skyAtMaximumJson(state, frame).value_or("").c_str(), out);
    if (options.hasFlag("--text"))
        for (const RecordedText& text : texts)
            std::fprintf(out, "%s\n", text.text.c_str());
    if (options.hasFlag("--text-boxes"))
        for (const RecordedText& text : texts)
            if (text.box)
                std::fprintf(out, "%d %d %d %d\t%s\n", text.box->left, text.box->top,
                             text.box->right, text.box->bottom, text.text.c_str());
}

} // namespace

int runRenderCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                     std::FILE* err) {
    CommandLine options;
    std::string error;
    std::set<std::string> valueOptions = mapValueOptions, flagOptions = mapFlagOptions;
    valueOptions.insert({"--mode", "--out", "--lon", "--lat", "--height", "--place", "--table-lon",
                         "--table-step", "--dpr", "--table-format", "--at", "--limits-height"});
    flagOptions.insert(
        {"--kml", "--text", "--text-boxes", "--geojson", "--north-up", "--json", "--true-limits"});
    PictureRequest asked;
    if (!options.parse(withBandSigmas(args), valueOptions, flagOptions, error) ||
        !(error = pictureRequestOf(options, state, asked, err)).empty()) {
        std::fprintf(err, "vesk render: %s\n", error.c_str());
        return 2;
    }
    const OffscreenApplication application;
    PictureOutput picture(*pictureFormatOf(asked.outPath), asked.width, asked.height,
                          asked.pixelRatio);
    std::vector<RecordedText> texts;
    TextRecordingSurface surface(picture.surface(), texts);
    AppServices services(state);
    services.exportDir = std::filesystem::absolute(asked.outPath).parent_path();
    KeptFiles exports; // written with the picture: all new, or all as they were
    services.files = &exports;
    const std::optional<RedrawOutcome> drawn =
        redrawForCommand(state, commandRequest(options), surface, services, "render", err);
    if (!drawn)
        return 1;
    if (const std::string refusal = viewInstantRefusal(drawn->frame); !refusal.empty()) {
        std::fprintf(err, "vesk render: %s\n", refusal.c_str());
        return 2;
    }
    if (!drawOverlay(state, drawn->frame, options.value("--mode").value_or("map"), surface,
                     services, err))
        return 1;
    std::string failure = renderExports(options, drawn->frame, services);
    if (failure.empty())
        failure = picture.save(asked.outPath, exports.kept);
    if (!failure.empty()) {
        std::fprintf(err, "vesk render: %s\n", failure.c_str());
        return 1;
    }
    printRenderTexts(options, state, drawn->frame, texts, out);
    return 0;
}

} // namespace vesk
