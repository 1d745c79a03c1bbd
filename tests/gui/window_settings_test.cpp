// SPDX-License-Identifier: GPL-3.0-or-later
// The window's settings kept between runs, in a configuration folder of the test's own.
#include "main_window.h"
#include "map_view.h"
#include "test_support.h"
#include "window_settings.h"

#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

struct KeptSettings : ::testing::Test {
    ScratchDir home; // Qt's test mode keeps the settings under $HOME/.qttest
    QByteArray before = qgetenv("HOME");
    void SetUp() override {
        qputenv("HOME", QByteArray::fromStdString(home.path().string()));
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(windowSettingsPath().startsWith(QString::fromStdString(home.path())));
        std::filesystem::create_directories(file().parent_path());
    }
    void TearDown() override {
        QStandardPaths::setTestModeEnabled(false);
        qputenv("HOME", before);
    }
    std::filesystem::path file() const { return windowSettingsPath().toStdString(); }
};

} // namespace

// A window closed keeps its eclipse, place and map; read again they are the same, each checked:
// a value out of its range leaves the default.
TEST_F(KeptSettings, AClosedWindowIsOpenedAgainAsItWas) {
    AppState state(DataPaths{{sourceDataDir()}});
    state.keepsWindowSettings = true;
    {
        MainWindow window(state, messageBoxReporter(), RedrawAction::show);
        ViewSettings& v = window.view()->settings();
        v.year = -762;
        v.month = 6;
        v.observerLon = v.observerPlace.lon = 43.153;
        v.observerLat = v.observerPlace.lat = 36.359;
        v.observerPlace.name = "Nineveh (Iraq)";
        v.observerPlace.zone = "Asia/Baghdad";
        v.observerPlace.zoneSource = ZoneSource::gazetteer;
        v.mapRange = MapRange::centred;
        v.centreLon = 40;
        v.centreLat = 35;
        v.magnification = 6;
        v.viewPinned = true;
        window.close();
    }
    const Result<KeptWindow> kept = keptWindow(ViewSettings{});
    ASSERT_TRUE(std::holds_alternative<KeptWindow>(kept));
    const ViewSettings& v = std::get<KeptWindow>(kept).view;
    EXPECT_EQ(v.year, -762);
    EXPECT_EQ(v.month, 6);
    EXPECT_EQ(v.observerLon, 43.153);
    EXPECT_EQ(v.observerPlace.name, "Nineveh (Iraq)");
    EXPECT_EQ(v.observerPlace.zone, "Asia/Baghdad");
    EXPECT_EQ(v.mapRange, MapRange::centred);
    EXPECT_EQ(v.centreLon, 40);
    EXPECT_EQ(v.magnification, 6);
    EXPECT_TRUE(v.viewPinned);
    EXPECT_FALSE(std::get<KeptWindow>(kept).geometry.isEmpty());

    const std::string text = readFile(file());
    QFile edited(windowSettingsPath());
    ASSERT_TRUE(edited.open(QIODevice::Append));
    edited.write("\n[eclipse]\nyear=99999\n[observer]\nzone=../../etc/passwd\n");
    edited.close();
    const ViewSettings defaults;
    const ViewSettings checked = std::get<KeptWindow>(keptWindow(defaults)).view;
    EXPECT_EQ(checked.year, defaults.year) << "a year outside the catalog";
    EXPECT_TRUE(checked.observerPlace.name.empty()) << "a zone that is no zone's name";
    forgetWindow();
    EXPECT_FALSE(std::filesystem::exists(file()));
}

// A settings file that is a FIFO or a folder is passed over, naming it, without waiting on it;
// garbage gives the defaults.
TEST_F(KeptSettings, HostileFilesGiveTheDefaults) {
    ASSERT_EQ(mkfifo(file().c_str(), 0600), 0);
    Result<KeptWindow> kept = keptWindow(ViewSettings{});
    ASSERT_TRUE(std::holds_alternative<Failure>(kept));
    EXPECT_EQ(std::get<Failure>(kept).where, file().string());
    keepWindow({ViewSettings{}, {}}); // never opened for writing
    std::filesystem::remove(file());
    std::filesystem::create_directory(file());
    EXPECT_TRUE(std::holds_alternative<Failure>(keptWindow(ViewSettings{})));
    std::filesystem::remove(file());
    constexpr char bytes[] = "\x01\xff[[[=\n\0year=2024\nmonth="; // with a NUL inside
    home.write(std::filesystem::relative(file(), home.path()),
               std::string(bytes, sizeof bytes - 1));
    const Result<KeptWindow> garbage = keptWindow(ViewSettings{});
    const ViewSettings defaults;
    if (const auto* read = std::get_if<KeptWindow>(&garbage)) {
        EXPECT_EQ(read->view.year, defaults.year);
        EXPECT_EQ(read->view.observerLon, defaults.observerLon);
    }
}
