// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_command.h"

#include "command_line.h"
#include "map_options.h"
#include "output_path.h"
#include "picture_output.h"
#include "place_options.h"
#include "report_page.h"

namespace vesk {

namespace {

// What the command was asked for: the report's settings, its file and whether to print its texts.
struct ReportRequest {
    ViewSettings view;
    std::filesystem::path out;
    bool printTexts = false;
};

// The --out option: a .pdf or .svg file that may be written; an error text, or empty.
std::string checkReportPath(const std::optional<std::string>& outPath) {
    if (!outPath)
        return "--out FILE.pdf or FILE.svg names the report";
    const std::optional<PictureFormat> format = pictureFormatOf(*outPath);
    if (format != PictureFormat::pdf && format != PictureFormat::svg)
        return "--out must name a .pdf or .svg file";
    return outputPathRefusal(*outPath);
}

// The options read into the request (the observer into the state's view); an error text, or empty.
std::string readReportOptions(const CommandLine& options, AppState& state, std::FILE* err,
                              ReportRequest& request) {
    ViewSettings& view = state.session.view;
    std::string error = applyYearMonthOptions(options, view);
    if (error.empty() && !options.has("--year"))
        error = "--year and --month name the eclipse to report";
    if (error.empty())
        error = applyMapOptions(options, view);
    if (error.empty())
        error = applyDeltaTOptions(options, view);
    const std::optional<double> scale = options.number("--scale", error);
    if (error.empty() && scale && !(*scale >= 0.1 && *scale <= 1000))
        error = "--scale must lie from 0.1 to 1000";
    ObserverOptions place;
    if (error.empty()) {
        place = applyObserverOptions(options, state, err);
        error = place.error;
    }
    if (error.empty() && !place.given)
        error = "the report is of a place: give --place, or --lon and --lat";
    if (error.empty())
        error = checkReportPath(options.value("--out"));
    if (!error.empty())
        return error;
    request.view = reportView(view);
    request.view.magnification = scale.value_or(reportMagnification);
    if (options.hasFlag("--relief"))
        request.view.baseMap = BaseMapKind::relief;
    request.out = *options.value("--out");
    request.printTexts = options.hasFlag("--text");
    return {};
}

} // namespace

int runReportCommand(AppState& state, const std::vector<std::string>& args, std::FILE* out,
                     std::FILE* err) {
    CommandLine options;
    std::string error;
    const std::set<std::string> values = {
        "--year",          "--month",        "--day",   "--place",       "--lon",
        "--lat",           "--height",       "--out",   "--delta-t",     "--delta-t-adjust",
        "--delta-t-model", "--delta-t-band", "--scale", "--solar-radius"};
    ReportRequest request;
    if (!options.parse(args, values, {"--ndot-correction", "--text", "--relief", "--grid"},
                       error) ||
        !(error = readReportOptions(options, state, err, request)).empty()) {
        std::fprintf(err, "vesk report: %s\n", error.c_str());
        return 2;
    }
    const OffscreenApplication application;
    std::vector<RecordedText> texts;
    if (const std::string failure = writeEclipseReport(state, request.view, request.out, texts);
        !failure.empty()) {
        std::fprintf(err, "vesk report: %s\n", failure.c_str());
        return 1;
    }
    if (request.printTexts)
        for (const RecordedText& text : texts)
            std::fprintf(out, "%s\n", text.text.c_str());
    return 0;
}

} // namespace vesk
