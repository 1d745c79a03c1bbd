// SPDX-License-Identifier: GPL-3.0-or-later
// The usage texts of the command line: of the program as a whole (vesk --help) and of each
// command (vesk COMMAND --help).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The usage of every command, with the exit statuses.
std::string programUsage();

// The usage of one command with its options explained; empty for a name that is no command.
std::string commandUsage(std::string_view command);

// Whether the arguments after a command ask for its usage.
bool asksForHelp(const std::vector<std::string>& args);

} // namespace vesk
