// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support.h"

#include <gtest/gtest.h>

#include "timescales.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vesk::testing {

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder");
    dir = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code error;
    std::filesystem::remove_all(dir, error);
}

std::filesystem::path ScratchDir::write(const std::string& name, const std::string& text) const {
    const std::filesystem::path file = dir / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

std::map<std::string, std::string> folderContents(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files[entry.path().filename().string()] = readFile(entry.path());
    return files;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

CommandResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workingDir,
                         const std::vector<std::string>& environment) {
    ScratchDir capture;
    const std::filesystem::path outPath = capture.path() / "out";
    const std::filesystem::path errPath = capture.path() / "err";
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(workingDir.c_str()) != 0)
            _exit(127);
        if (!freopen(outPath.c_str(), "w", stdout) || !freopen(errPath.c_str(), "w", stderr))
            _exit(127);
        // the program's cache in the scratch folder, unless the test gives its own
        setenv("XDG_CACHE_HOME", (capture.path() / "cache").c_str(), 1);
        for (const std::string& setting : environment)
            putenv(const_cast<char*>(setting.c_str()));
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(child, &wstatus, 0);
    CommandResult result;
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

SpecialFiles makeSpecialFiles(const ScratchDir& dir, const std::string& suffix) {
    SpecialFiles files;
    files.fifo = dir.path() / ("fifo" + suffix);
    if (mkfifo(files.fifo.c_str(), 0600) != 0)
        throw std::runtime_error("cannot make a FIFO in the scratch folder");
    std::filesystem::create_symlink(files.fifo, dir.path() / ("to-fifo" + suffix));
    files.paths = {files.fifo, dir.path() / ("to-fifo" + suffix)};
    const std::filesystem::path device = dir.path() / ("full" + suffix);
    if (mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 7)) == 0) {
        files.device = device;
        std::filesystem::create_symlink(device, dir.path() / ("to-device" + suffix));
        files.paths.push_back(device);
        files.paths.push_back(dir.path() / ("to-device" + suffix));
    }
    return files;
}

bool SpecialFiles::untouched() const {
    return std::filesystem::is_fifo(fifo) &&
           (device.empty() || std::filesystem::is_character_file(device));
}

std::string catalogEntry(int year, int month, int day, int type, int saros, double x0,
                         double hour) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "%d %d %d %d 1.01 0.3 %.6f 100 %d 12\n"
                  "%.6g 0.5 0 0 0.2 0.1 0 0 7.5 0.01 0\n"
                  "90 15.004 0.53 0 0 -0.01 0 0 0.0046 0.0046\n",
                  year, month, day, type, calendarToJd(year, month, day, hour, 0, 0), saros, x0);
    return text;
}

std::filesystem::path sourceDataDir() {
    return std::filesystem::path(VESK_SOURCE_DIR) / "data";
}

std::filesystem::path ephemerisDir() {
    return VESK_EPHE_DIR;
}

CatalogEclipse::CatalogEclipse(double year, double month) {
    catalog.paths.dirs = {sourceDataDir()};
    found = catalogFind(catalog, year, month) == 1;
    EXPECT_TRUE(found) << "no eclipse in " << year << "/" << month;
    deltaT = recordDeltaT(catalog.record);
}

} // namespace vesk::testing
