// SPDX-License-Identifier: GPL-3.0-or-later
// The headless commands with any arguments (one per line of the input) over the repository's
// catalog; render is left out, its drawing is the screens harness's work.
#include "app_state.h"
#include "fuzz_support.h"
#include "info_command.h"
#include "search_commands.h"

#include <cstdio>
#include <sstream>

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::FILE* sink = std::fopen("/dev/null", "w");
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    std::string command, word;
    std::getline(lines, command);
    std::vector<std::string> args;
    while (args.size() < 16 && std::getline(lines, word))
        args.push_back(word);
    AppState state(DataPaths{{fuzzing::sourceDataDir()}});
    if (command == "info")
        runInfoCommand(state, args, sink, sink);
    else if (command == "list")
        runListCommand(state, args, sink, sink);
    else if (command == "next" || command == "prev")
        runStepCommand(state, args, command == "next" ? 1 : -1, sink, sink);
    return 0;
}
