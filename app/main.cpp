// vesk: solar eclipses of the years -13000 to 16999.
#include "info_command.h"
#include "session.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* usage = "usage: vesk info [--year Y] [--month M] [--json]\n";

} // namespace

int main(int argc, char** argv) {
    vesk::Session session(vesk::processDataPaths());
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(usage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "info")
        return vesk::runInfoCommand(session, rest, stdout, stderr);
    std::fprintf(stderr, "vesk: unknown command '%s'\n%s", args[0].c_str(), usage);
    return 2;
}
