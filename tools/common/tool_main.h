// SPDX-License-Identifier: GPL-3.0-or-later
// How the data tools end: a line on standard error naming the tool and what went wrong, and the
// exit status 2 for bad arguments or an output that is not a regular file, 1 for any other
// failure.
#pragma once

#include "atomic_file.h"

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace vesk::tools {

// Bad arguments.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// run()'s status, or the status of the exception it throws, reported as "NAME: what".
template <typename Run> int runTool(const char* name, const Run& run) {
    try {
        return run();
    } catch (const UsageError& error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return 2;
    } catch (const OutputRefused& error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return 1;
    }
}

} // namespace vesk::tools
