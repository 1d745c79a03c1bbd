// vesk: solar eclipses of the years -13000 to 16999.
#include "app_state.h"
#include "info_command.h"
#include "main_frame.h"
#include "render_command.h"
#include "search_commands.h"
#include "session.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* usage =
    "usage: vesk             (the window; without a display, this month's map into vesk.png)\n"
    "       vesk --screenshot FILE.png\n"
    "       vesk info [--year Y --month M] [--lon E --lat N [--height M]] [--json]\n"
    "       vesk render [--year Y --month M] [--mode map|table|local|sky|limb] [--lon E --lat N\n"
    "                   [--height M]] [--table-lon L] [--table-step S]\n"
    "                   [--range globe|asia|europe] [--centre LON,LAT --scale K]\n"
    "                   [--mercator] [--relief|--vector] [--grid] [--kml] [--size WxH]\n"
    "                   [--out FILE.png|FILE.svg|FILE.pdf] [--dpr RATIO] [--text]\n"
    "       vesk list [--from YEAR] [--years N] [--type CODE | --place LON,LAT [--min-mag M] |\n"
    "                 --saros S] [--limit K]\n"
    "       vesk next|prev [--year Y --month M] [--type CODE | --place LON,LAT [--min-mag M] |\n"
    "                      --saros S]\n";

} // namespace

// Whether a window can be shown: a display, or a platform chosen explicitly.
bool windowSystemAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

int main(int argc, char** argv) {
    vesk::AppState state(vesk::processDataPaths());
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || (args[0] == "--screenshot" && args.size() == 2)) {
        if (args.empty() && !windowSystemAvailable()) {
            std::fputs("vesk: no display; this month's eclipse map goes to vesk.png\n", stderr);
            return vesk::runRenderCommand(state, {}, stdout, stderr);
        }
        const QString screenshot = args.empty() ? QString() : QString::fromStdString(args[1]);
        return vesk::runWindowProgram(state, argc - static_cast<int>(args.size()), argv,
                                      screenshot);
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::fputs(usage, stdout);
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "info")
        return vesk::runInfoCommand(state.session, rest, stdout, stderr);
    if (args[0] == "render")
        return vesk::runRenderCommand(state, rest, stdout, stderr);
    if (args[0] == "list")
        return vesk::runListCommand(state.session, rest, stdout, stderr);
    if (args[0] == "next" || args[0] == "prev")
        return vesk::runStepCommand(state.session, rest, args[0] == "next" ? 1 : -1, stdout,
                                    stderr);
    std::fprintf(stderr, "vesk: unknown command '%s'\n%s", args[0].c_str(), usage);
    return 2;
}
