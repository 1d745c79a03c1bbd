// SPDX-License-Identifier: GPL-3.0-or-later
// The screens that read a catalog entry, over entries whose every number lies in the range the
// reader accepts: the map with its KML documents, the central line table with "central.prn", the
// local circumstances, the sky and the limb correction at the maximum, and `vesk info --json`.
#include "../recording_surface.h"
#include "app_state.h"
#include "catalog.h"
#include "fuzz_support.h"
#include "info_command.h"
#include "sky_page.h"
#include "timescales.h"

#include <cstdio>
#include <fuzzer/FuzzedDataProvider.h>

using namespace vesk;

namespace {

// The entry's 31 numbers in file order: the date integral, day 3 to 25 so that its month
// selects it, the Julian date that of the date and t0 (TT), the rest anywhere in their ranges.
std::array<double, catalogEntryNumbers> plausibleValues(FuzzedDataProvider& input) {
    std::array<double, catalogEntryNumbers> v{};
    for (int i = 0; i < catalogEntryNumbers; ++i)
        v[i] = input.ConsumeFloatingPointInRange(plausibleRanges[i].low, plausibleRanges[i].high);
    v[0] = input.ConsumeIntegralInRange(-12999, 16995);
    v[1] = input.ConsumeIntegralInRange(1, 12);
    v[2] = input.ConsumeIntegralInRange(3, 25);
    v[3] = input.ConsumeIntegralInRange(1, 6);
    v[8] = input.ConsumeIntegralInRange(-999, 999);
    v[6] = calendarToJd(v[0], v[1], v[2], v[9], 0, 0);
    return v;
}

void writeEntry(const std::array<double, catalogEntryNumbers>& v) {
    for (const auto& file : std::filesystem::directory_iterator(fuzzing::scratchDir()))
        if (file.path().extension() == ".prn")
            std::filesystem::remove(file.path());
    std::string text;
    char number[40];
    for (int i = 0; i < catalogEntryNumbers; ++i) {
        std::snprintf(number, sizeof number, "%.17g%s", v[i], i == 9 || i == 20 ? "\n" : " ");
        text += number;
    }
    text += "\n";
    fuzzing::writeScratchFile(catalogFileForYear(v[0]),
                              reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// The city file and a flat lunar grid beside the catalog entry.
bool prepareScratch() {
    std::filesystem::copy_file(fuzzing::sourceDataDir() / "location.new",
                               fuzzing::scratchDir() / "location.new",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::create_directory(fuzzing::scratchDir() / "out");
    const std::vector<std::uint8_t> flat(2 * lunarGridRows * lunarGridColumns);
    fuzzing::writeScratchFile("LRO.dat", flat.data(), flat.size());
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    [[maybe_unused]] static const bool prepared = prepareScratch();
    static std::FILE* sink = std::fopen("/dev/null", "w");
    FuzzedDataProvider input(data, size);
    const std::array<double, catalogEntryNumbers> values = plausibleValues(input);
    const double lon = input.ConsumeFloatingPointInRange(-180.0, 180.0);
    const double lat = input.ConsumeFloatingPointInRange(-90.0, 90.0);
    writeEntry(values);

    AppState state(DataPaths{{fuzzing::scratchDir()}});
    ViewSettings& view = state.session.view;
    view.year = values[0];
    view.month = values[1];
    view.kmlOutput = true;
    view.observerLon = lon;
    view.observerLat = lat;
    view.observerCityIndex = std::nullopt;
    AppServices services(state);
    services.exportDir = fuzzing::scratchDir() / "out";
    for (const DisplayMode mode : {displayPathMap, displayCentralTable, displayLocal}) {
        testing::RecordingSurface surface;
        view.displayMode = mode;
        const RedrawOutcome outcome =
            redrawView(state.session, state.session.view, {}, surface, services);
        if (!outcome.rendered)
            continue;
        if (mode == displayLocal) {
            drawSkyAtMaximum(state, outcome.frame, surface);
            drawLimbAtMaximum(state, outcome.frame, surface);
        }
    }
    runInfoCommand(state,
                   {"--year", std::to_string(values[0]), "--month", std::to_string(values[1]),
                    "--lon", std::to_string(lon), "--lat", std::to_string(lat), "--json"},
                   sink, sink);
    return 0;
}
