// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support.h"

#include <gtest/gtest.h>

#include "timescales.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

void vesk::PrintTo(const Failure& failure, std::ostream* out) {
    *out << "Failure " << static_cast<int>(failure.what) << " (" << failureDetail(failure) << ")";
}

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
    // Everything the child needs is made before the fork: between fork and exec a child of a
    // process with threads may only make calls that allocate nothing.
    std::vector<std::string> settings;
    const auto given = [&](std::string_view setting) {
        const std::string_view name = setting.substr(0, setting.find('='));
        return std::any_of(environment.begin(), environment.end(), [&](const std::string& e) {
            return e.compare(0, name.size() + 1, std::string(name) + "=") == 0;
        });
    };
    // the program's cache in the scratch folder, unless the test gives its own
    const std::string cache = "XDG_CACHE_HOME=" + (capture.path() / "cache").string();
    for (char** entry = environ; *entry != nullptr; ++entry)
        if (!given(*entry) && std::string_view(*entry).substr(0, 15) != "XDG_CACHE_HOME=")
            settings.emplace_back(*entry);
    if (!given(cache))
        settings.push_back(cache);
    settings.insert(settings.end(), environment.begin(), environment.end());
    std::vector<char*> envp, argv;
    for (std::string& setting : settings)
        envp.push_back(setting.data());
    envp.push_back(nullptr);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (chdir(workingDir.c_str()) != 0 || out < 0 || err < 0 || dup2(out, 1) < 0 ||
            dup2(err, 2) < 0)
            _exit(127);
        execve(program.c_str(), argv.data(), envp.data());
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
    found = !catalogFind(catalog, year, month);
    EXPECT_TRUE(found) << "no eclipse in " << year << "/" << month;
    deltaT = recordDeltaT(catalog.record);
}

} // namespace vesk::testing
