// SPDX-License-Identifier: GPL-3.0-or-later
// Tests that draw with Qt, and the window tests, run under a QApplication on the offscreen
// platform, with the window's default language (Japanese) installed.
#include "window_language.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#ifdef VESK_SANITIZED_BUILD
// LeakSanitizer's check at the exit of a window test crashed reading a dynamic TLS range that it
// had tracked through __tls_get_addr and that went stale when the window's drawing thread ended
// (a fault of the check, not a leak): that tracking is left out in this program.
extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
#endif

namespace vesk::testing {

namespace {
std::vector<std::unique_ptr<QTranslator>> japaneseTexts;
} // namespace

void useJapanese(bool japanese) {
    japaneseTexts = japanese ? installLanguage(Language::japanese)
                             : std::vector<std::unique_ptr<QTranslator>>{};
}

} // namespace vesk::testing

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    vesk::testing::useJapanese(true);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    vesk::testing::useJapanese(false);
    return status;
}
