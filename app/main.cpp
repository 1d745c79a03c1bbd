// SPDX-License-Identifier: GPL-3.0-or-later
// vesk: solar eclipses of the years -13000 to 16999.
#include "animate_command.h"
#include "app_state.h"
#include "command_help.h"
#include "held_signals.h"
#include "info_command.h"
#include "main_window.h"
#include "output_path.h"
#include "picture_output.h"
#include "render_command.h"
#include "report_command.h"
#include "save_files.h"
#include "search_commands.h"
#include "session.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Whether a window can be shown: a platform chosen explicitly, a Wayland display, or an X
// display (a local one ":N" only while its socket exists).
bool windowSystemAvailable() {
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return false;
    if (display[0] != ':')
        return true;
    const std::string number = std::string(display + 1).substr(0, std::strcspn(display + 1, "."));
    std::error_code error;
    return std::filesystem::exists("/tmp/.X11-unix/X" + number, error);
}

// The window program, or without a display the same eclipse drawn headless (into the
// screenshot's file, or vesk.png).
int runWindowOrPicture(vesk::AppState& state, char** argv, const std::string& screenshot,
                       const QString& language) {
    if (!screenshot.empty()) {
        const std::filesystem::path shot = screenshot;
        if (vesk::pictureFormatOf(shot) != vesk::PictureFormat::png) {
            std::fprintf(stderr, "vesk: --screenshot must name a .png file\n");
            return 2;
        }
        if (const std::string refusal = vesk::outputPathRefusal(shot); !refusal.empty()) {
            std::fprintf(stderr, "vesk: %s\n", refusal.c_str());
            return 2;
        }
    }
    if (!windowSystemAvailable()) {
        const std::string out = screenshot.empty() ? "vesk.png" : screenshot;
        std::fprintf(stderr, "vesk: no display; this month's eclipse map goes to %s\n",
                     out.c_str());
        return vesk::runRenderCommand(state, {"--out", out}, stdout, stderr);
    }
    int windowArgc = 1; // the program's name; its own arguments are not Qt's
    return vesk::runWindowProgram(state, windowArgc, argv, QString::fromStdString(screenshot),
                                  language);
}

// Runs the headless command; its exit status.
int runCommand(vesk::AppState& state, const std::string& command,
               const std::vector<std::string>& rest) {
    if (command == "info")
        return vesk::runInfoCommand(state, rest, stdout, stderr);
    if (command == "render")
        return vesk::runRenderCommand(state, rest, stdout, stderr);
    if (command == "report")
        return vesk::runReportCommand(state, rest, stdout, stderr);
    if (command == "animate")
        return vesk::runAnimateCommand(state, rest, stdout, stderr);
    if (command == "list")
        return vesk::runListCommand(state, rest, stdout, stderr);
    if (command == "next" || command == "prev")
        return vesk::runStepCommand(state, rest, command == "next" ? 1 : -1, stdout, stderr);
    std::fprintf(stderr, "vesk: unknown command '%s'\n%s", command.c_str(),
                 vesk::programUsage().c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // before any thread starts: the signals that end a run wait for the writes under way
    vesk::takeEndingSignalsInOneThread();
    // past a file size limit (ulimit -f) a write fails with EFBIG ("File too large"), which the
    // writers report with the file's name and clean up after, instead of ending the process
    std::signal(SIGXFSZ, SIG_IGN);
    vesk::DataPaths paths = vesk::processDataPaths();
    paths.cacheFiles = std::make_shared<vesk::CacheFileSink>();
    vesk::AppState state(std::move(paths));
    std::vector<std::string> args(argv + 1, argv + argc);
    // --lang en|ja chooses the window's language over the locale's
    QString language;
    if (args.size() >= 2 && args[0] == "--lang") {
        if (args[1] != "en" && args[1] != "ja") {
            std::fprintf(stderr, "vesk: --lang must be en or ja\n");
            return 2;
        }
        language = QString::fromStdString(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    // --no-settings starts from the defaults and keeps nothing; a screenshot, a scripted run,
    // neither reads nor keeps the window's settings
    const bool noSettings = !args.empty() && args[0] == "--no-settings";
    if (noSettings)
        args.erase(args.begin());
    if (args.empty() || (args[0] == "--screenshot" && args.size() == 2)) {
        state.keepsWindowSettings = args.empty() && !noSettings;
        return runWindowOrPicture(state, argv, args.empty() ? std::string() : args[1], language);
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::fputs(vesk::programUsage().c_str(), stdout);
        return 0;
    }
    if (args[0] == "--version") {
        std::printf("vesk %s\n", VESK_VERSION);
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (const std::string help = vesk::commandUsage(args[0]);
        !help.empty() && vesk::asksForHelp(rest)) {
        std::fputs(help.c_str(), stdout);
        return 0;
    }
    const int status = runCommand(state, args[0], rest);
    // the place records' files passed over while the command ran
    for (const std::string& note : state.places->untoldNotes())
        std::fprintf(stderr, "vesk: %s\n", note.c_str());
    return status;
}
