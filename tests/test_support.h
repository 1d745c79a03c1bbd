// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the tests: scratch folders, files, and running the program's executables.
#pragma once

#include "catalog.h"
#include "failure.h"
#include "observed_shadow.h"

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace vesk {

// A failure as a test's message prints it: its kind's number and its detail.
void PrintTo(const Failure& failure, std::ostream* out);

} // namespace vesk

namespace vesk::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return dir; }
    std::filesystem::path write(const std::string& name, const std::string& text) const;

  private:
    std::filesystem::path dir;
};

// Special files of the test's own in a scratch folder, as outputs must never replace them: a FIFO,
// a link to it and, where the test may make one (as root), a character device with the numbers
// of /dev/full and a link to it. Each name ends with suffix.
struct SpecialFiles {
    std::vector<std::filesystem::path> paths;
    std::filesystem::path fifo, device; // device: empty when none could be made
    // Whether the FIFO and the device are still what they were.
    bool untouched() const;
};
SpecialFiles makeSpecialFiles(const ScratchDir& dir, const std::string& suffix);

struct CommandResult {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out, err;
};

// Runs a program with arguments in a working folder and an extra environment (NAME=value).
CommandResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workingDir,
                         const std::vector<std::string>& environment = {});

std::string readFile(const std::filesystem::path& path);

// The files of a folder by name, with their contents.
std::map<std::string, std::string> folderContents(const std::filesystem::path& dir);

// The text of one catalog entry at an hour TT of a date, with a type code, a Saros series and
// the first coefficient of x (tests use it to tell entries apart).
std::string catalogEntry(int year, int month, int day, int type = 2, int saros = 145, double x0 = 0,
                         double hour = 12);

// The repository's data folder and the ephemeris folder of the reference tests.
std::filesystem::path sourceDataDir();
std::filesystem::path ephemerisDir();

// The eclipse of a year and month in the committed catalog, with the program's Delta T; found
// is false (and the test fails) when the catalog has none.
struct CatalogEclipse {
    Catalog catalog;
    double deltaT = 0;
    bool found = false;

    CatalogEclipse(double year, double month);
    CatalogEclipse(const CatalogEclipse&) = delete;
    CatalogEclipse& operator=(const CatalogEclipse&) = delete;
};

} // namespace vesk::testing
