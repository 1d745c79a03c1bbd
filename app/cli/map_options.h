// SPDX-License-Identifier: GPL-3.0-or-later
// The options of the commands that draw the eclipse map without a window (render, animate): the
// eclipse, the map's range and layers, Delta T, the picture's size; and the Qt application they
// draw under.
#pragma once

#include "app_state.h"
#include "command_line.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vesk {

constexpr int defaultWidth = 1000, defaultHeight = 700;

// The options of the map that both commands take, with values and as flags.
inline const std::set<std::string> mapValueOptions = {
    "--year",           "--month",        "--day",          "--range",
    "--centre",         "--scale",        "--size",         "--delta-t",
    "--delta-t-adjust", "--delta-t-band", "--solar-radius", "--delta-t-model"};
inline const std::set<std::string> mapFlagOptions = {
    "--mercator",  "--relief",    "--vector",    "--grid",           "--legend",
    "--no-legend", "--fill-path", "--durations", "--ndot-correction"};

// Each applies options to the view: an error text naming the option, or empty.
// --year and --month.
std::string applyYearMonthOptions(const CommandLine& options, ViewSettings& view);
// --range, --mercator, --relief, --vector, --grid, --kml, --legend, --no-legend, --fill-path,
// --durations and --delta-t-band.
std::string applyMapOptions(const CommandLine& options, ViewSettings& view);
// --centre and --scale, for a screen of width x height.
std::string applyCentreOptions(const CommandLine& options, ViewSettings& view);

// --size WIDTHxHEIGHT, each from 300 to largest, into width and height (left as they are
// without the option); an error text, or empty.
std::string applySizeOption(const CommandLine& options, int largest, int& width, int& height);

// The arguments with the default K after a --delta-t-band given without one.
std::vector<std::string> withBandSigmas(const std::vector<std::string>& args);

// The eclipse a command shows: that of --year and --month, else this month's.
RedrawRequest commandRequest(const CommandLine& options);

// One repaint of the view for a command: the data files passed over go to err and, where the
// repaint ends with messages in place of the picture, those messages and that there is no
// eclipse to draw. What was drawn, or none.
std::optional<RedrawOutcome> redrawForCommand(AppState& state, const RedrawRequest& request,
                                              DrawSurface& surface, AppServices& services,
                                              const char* command, std::FILE* err);

// The Qt application of a command that draws without a window: text needs one, and the offscreen
// platform needs no display. Qt's warning that XDG_RUNTIME_DIR is not set, which says nothing
// about a picture drawn without a display, is left out of standard error.
class OffscreenApplication {
  public:
    OffscreenApplication();
    ~OffscreenApplication();
    OffscreenApplication(const OffscreenApplication&) = delete;
    OffscreenApplication& operator=(const OffscreenApplication&) = delete;

  private:
    int argc = 1;
    char name[5] = "vesk";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> application;
};

} // namespace vesk
