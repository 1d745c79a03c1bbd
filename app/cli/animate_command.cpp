// SPDX-License-Identifier: GPL-3.0-or-later
#include "animate_command.h"

#include "command_line.h"
#include "map_options.h"
#include "output_path.h"
#include "parallel_rows.h"
#include "path_geometry.h"
#include "picture_output.h"
#include "place_options.h"
#include "qt_draw_surface.h"
#include "save_files.h"
#include "shadow_layer.h"
#include "webp_animation.h"

#include <QBuffer>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace vesk {

namespace {

constexpr double defaultStepMinutes = 5, minStepMinutes = 0.5, maxStepMinutes = 60;
// A frame's side at most, pixels (WebP allows 16383; the frames in hand stay below 1 GB).
constexpr int largestFrameSide = 4000;
// Each frame is shown this long.
constexpr int frameMilliseconds = 100;
constexpr int progressBarWidth = 40;
// The pixels of all frames of a folder at most, which are kept as PNG files in memory until the
// last is done (700 frames of 1000x700 pixels, a step of half a minute, fit).
constexpr double maxFolderPixels = 1.5e9;

// Where the frames go: an animated WebP file, or PNG files in a folder.
struct AnimationOutput {
    std::filesystem::path path;
    bool folder = false;
};

// Whether a name is one of a frame of a run: "frame" and four or more digits, ".png".
bool isFrameName(const std::string& name) {
    constexpr std::string_view prefix = "frame", suffix = ".png";
    constexpr std::size_t leastDigits = 4;
    if (name.size() < prefix.size() + leastDigits + suffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(suffix))
        return false;
    const std::string_view digits(name.data() + prefix.size(),
                                  name.size() - prefix.size() - suffix.size());
    return digits.find_first_not_of("0123456789") == std::string_view::npos;
}

// --out: a folder (named with a final "/", or one that exists) that holds nothing but frames of
// an earlier run, or a .webp file; an error text, or empty.
std::string outputOf(const CommandLine& options, AnimationOutput& output) {
    const std::string out = options.value("--out").value_or("vesk.webp");
    std::error_code error;
    output.path = out;
    output.folder = out.ends_with('/') || std::filesystem::is_directory(output.path, error);
    if (output.folder)
        return folderReplacementRefusal(output.path, isFrameName);
    if (lowercaseExtension(output.path) != ".webp")
        return "--out must name a .webp file or a folder (ending in /)";
    return outputPathRefusal(output.path);
}

// --mode map (the shadow over the map) or view (the view from the place of --place, --lon and
// --lat), and --north-up with the view; an error text, or empty.
std::string applyModeOptions(const CommandLine& options, AppState& state, std::FILE* err) {
    ViewSettings& view = state.session.view;
    const std::string mode = options.value("--mode").value_or("map");
    if (mode != "map" && mode != "view")
        return "--mode must be map or view";
    view.displayMode = mode == "view" ? displayPlaceView : displayPathMap;
    const ObserverOptions place = applyObserverOptions(options, state, err);
    if (!place.error.empty())
        return place.error;
    if (mode == "view" && !place.given)
        return "--mode view needs the place: --place, or --lon and --lat";
    if (options.hasFlag("--north-up")) {
        if (mode != "view")
            return "--north-up goes with --mode view";
        view.northUp = true;
    }
    return {};
}

// The options into the view, the picture's size, the step (hours) and the output; an error
// text, or empty.
std::string applyOptions(const CommandLine& options, AppState& state, int& width, int& height,
                         double& stepHours, AnimationOutput& output, std::FILE* err) {
    ViewSettings& view = state.session.view;
    for (const auto& apply : {applyYearMonthOptions, applyMapOptions, applyDeltaTOptions})
        if (std::string error = apply(options, view); !error.empty())
            return error;
    if (std::string error = applyModeOptions(options, state, err); !error.empty())
        return error;
    if (std::string error = applySizeOption(options, largestFrameSide, width, height);
        !error.empty())
        return error;
    if (std::string error = applyCentreOptions(options, view); !error.empty())
        return error;
    std::string error;
    const double minutes = options.number("--step", error).value_or(defaultStepMinutes);
    if (!error.empty() || !(minutes >= minStepMinutes && minutes <= maxStepMinutes))
        return "--step must lie from 0.5 to 60 minutes";
    stepHours = minutes / 60;
    return outputOf(options, output);
}

// The instants of the frames, hours of UT: the first contact and every step after it up to the
// last contact (the shadow's with the Earth, or the place's); none where the contacts are not
// found.
std::vector<double> frameInstants(std::pair<double, double> span, double stepHours) {
    const auto [first, last] = span;
    std::vector<double> instants;
    if (!(last > first && last - first < maxContactSpanHours))
        return instants;
    const auto frames = static_cast<std::size_t>(std::floor((last - first) / stepHours));
    for (std::size_t k = 0; k <= frames; ++k)
        instants.push_back(first + static_cast<double>(k) * stepHours);
    return instants;
}

// Prints a failure of the command and returns its exit status.
int failure(std::FILE* err, const std::string& error, int status) {
    std::fprintf(err, "vesk animate: %s\n", error.c_str());
    return status;
}

// The screen drawn at the first instant, what it shows and the map's projection; and the
// services that draw a view from the place whole at each instant.
struct DrawnMap {
    const QtDrawSurface& picture;
    ScreenFrame frame;
    MapProjection projection;
    AppServices& services;
    bool placeView() const { return frame.settings.displayMode == displayPlaceView; }
};

// The frame of an instant: the map drawn without the shadow and the shadow over it; or the view
// from the place at the instant, as the repaint draws it.
QImage drawFrame(const DrawnMap& map, double utHours) {
    QtDrawSurface frame(map.picture.width(), map.picture.height());
    if (map.placeView()) {
        ScreenFrame at = map.frame;
        at.settings.shadowAt = ShadowInstant{utHours, false};
        frame.fillSolidRect(0, 0, frame.width(), frame.height(), Rgb{0, 0, 0});
        drawScreen(at, frame, map.services);
        return frame.image().convertToFormat(QImage::Format_RGBA8888);
    }
    frame.blit(0, 0, map.picture.width(), map.picture.height(), map.picture, 0, 0);
    MapProjection projection = map.projection;
    MapCanvas canvas{frame, projection, map.frame.settings, map.frame.layout};
    const EclipseRecord& r = map.frame.eclipse.record;
    const double deltaT = map.frame.eclipse.deltaT;
    drawShadowAt(canvas, r, shadowHours(r, ShadowInstant{utHours, false}, deltaT), deltaT);
    return frame.image().convertToFormat(QImage::Format_RGBA8888);
}

// A bar of frames done on the terminal, when err is one.
class ProgressBar {
  public:
    ProgressBar(std::FILE* err, std::size_t total)
        : err(err), total(total), shown(isatty(fileno(err)) == 1) {}
    void show(std::size_t done) const {
        if (!shown)
            return;
        const auto filled = static_cast<int>(progressBarWidth * done / total);
        std::fprintf(err, "\rvesk animate: [%s%s] %zu/%zu frames", std::string(filled, '#').c_str(),
                     std::string(progressBarWidth - filled, '.').c_str(), done, total);
        if (done == total)
            std::fputc('\n', err);
        std::fflush(err);
    }

  private:
    std::FILE* err;
    std::size_t total;
    bool shown;
};

// The frames, drawn a batch at a time on all cores (the views from the place one after another:
// their services keep the lunar grid), handed in order to take.
template <typename Take>
void drawFrames(const DrawnMap& map, const std::vector<double>& at, const ProgressBar& progress,
                const Take& take) {
    const std::size_t batch = 2 * std::max(1u, std::thread::hardware_concurrency());
    std::vector<QImage> frames;
    for (std::size_t first = 0; first < at.size(); first += batch) {
        frames.assign(std::min(batch, at.size() - first), QImage());
        const auto draw = [&](std::size_t i) { frames[i] = drawFrame(map, at[first + i]); };
        if (map.placeView())
            for (std::size_t i = 0; i < frames.size(); ++i)
                draw(i);
        else
            forEachRowInParallel(frames.size(), draw, 1);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            take(frames[i]);
            progress.show(first + i + 1);
        }
    }
}

// Why a folder cannot take the frames: more pixels than maxFolderPixels; or empty.
std::string folderRefusal(std::size_t frames, int width, int height) {
    const double pixels = static_cast<double>(frames) * width * height;
    if (pixels <= maxFolderPixels)
        return {};
    return std::to_string(frames) + " frames of " + std::to_string(width) + "x" +
           std::to_string(height) + " make " + std::to_string(std::lround(pixels / 1e6)) +
           " million pixels; a folder takes at most " +
           std::to_string(std::lround(maxFolderPixels / 1e6)) +
           " million: a larger --step or a smaller --size";
}

// Makes the frames, as numbered PNG files (frame0001.png, ...), the whole content of a folder.
// The files are kept in memory until every frame is done.
std::string writeFolder(const DrawnMap& map, const std::vector<double>& at,
                        const ProgressBar& progress, const std::filesystem::path& folder) {
    std::vector<OutputFile> files;
    drawFrames(map, at, progress, [&](const QImage& frame) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        frame.save(&buffer, "PNG");
        char name[24];
        std::snprintf(name, sizeof name, "frame%04zu.png", files.size() + 1);
        files.push_back({name, png.toStdString()});
    });
    return replaceFolder(folder, files, isFrameName);
}

// Writes the frames as an animated WebP file.
std::string writeWebp(const DrawnMap& map, const std::vector<double>& at,
                      const ProgressBar& progress, const std::filesystem::path& path) {
    WebpAnimation animation(map.picture.width(), map.picture.height());
    std::string error;
    drawFrames(map, at, progress, [&](const QImage& frame) {
        if (error.empty())
            error = animation.add(frame.constBits(), frameMilliseconds);
    });
    const std::string bytes = error.empty() ? animation.finish(error) : std::string();
    if (!error.empty())
        return path.string() + ": " + error;
    return SaveFileSink().writeTogether({{path, bytes}});
}

} // namespace

int runAnimateCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                      std::FILE* err) {
    CommandLine options;
    std::set<std::string> valueOptions = mapValueOptions;
    valueOptions.insert({"--step", "--out", "--mode", "--place", "--lon", "--lat", "--height"});
    std::set<std::string> flagOptions = mapFlagOptions;
    flagOptions.insert("--north-up");
    std::string error;
    int width = defaultWidth, height = defaultHeight;
    double stepHours = 0;
    AnimationOutput output;
    if (options.parse(withBandSigmas(args), valueOptions, flagOptions, error))
        error = applyOptions(options, state, width, height, stepHours, output, err);
    if (!error.empty())
        return failure(err, error, 2);
    const OffscreenApplication application;
    QtDrawSurface picture(width, height);
    AppServices services(state);
    std::optional<RedrawOutcome> drawn =
        redrawForCommand(state, commandRequest(options), picture, services, "animate", err);
    if (!drawn)
        return 1;
    picture.image(); // every stroke on the image before the frames copy it
    const DrawnMap map{picture, std::move(drawn->frame),
                       drawn->projection.value_or(MapProjection{}), services};
    const ChosenEclipse& eclipse = map.frame.eclipse;
    std::pair<double, double> span = contactSpanUt(eclipse.record, eclipse.deltaT);
    if (map.placeView()) {
        const std::optional<std::pair<double, double>> atPlace = placeSpanUt(map.frame);
        if (!atPlace)
            return failure(err, "the place does not see the eclipse", 1);
        span = *atPlace;
    }
    const std::vector<double> at = frameInstants(span, stepHours);
    if (at.empty())
        return failure(err, "the shadow's contacts with the Earth were not found", 1);
    if (output.folder && !(error = folderRefusal(at.size(), width, height)).empty())
        return failure(err, error, 2);
    const ProgressBar progress(err, at.size());
    error = output.folder ? writeFolder(map, at, progress, output.path)
                          : writeWebp(map, at, progress, output.path);
    if (!error.empty())
        return failure(err, error, 1);
    std::fprintf(out, "%s: %zu frames of %dx%d, %g min apart\n", output.path.c_str(), at.size(),
                 width, height, stepHours * 60);
    return 0;
}

} // namespace vesk
