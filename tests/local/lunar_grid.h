// SPDX-License-Identifier: GPL-3.0-or-later
// The lunar grid of the tests: LRO.dat made by the program's tool from NASA's LDEM_4 product,
// which lies beside the ephemeris.
#pragma once

#include "test_support.h"

#include <gtest/gtest.h>

namespace vesk::testing {

// The label of the LDEM_4 product, and the file URL of a path.
inline std::filesystem::path ldemLabel() {
    return ephemerisDir().parent_path() / "moon" / "LDEM_4.LBL";
}

inline std::string fileUrl(const std::filesystem::path& path) {
    return "file://" + std::filesystem::absolute(path).string();
}

// LRO.dat made by the tool from LDEM_4, fetched by its address into a scratch folder.
inline bool makeLunarGrid(const ScratchDir& dir) {
    const CommandResult r = runProgram(
        VESK_MAKE_LRO, {"--url", fileUrl(ldemLabel()), "--out", (dir.path() / "LRO.dat").string()},
        dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0;
}

} // namespace vesk::testing
