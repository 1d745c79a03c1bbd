// SPDX-License-Identifier: GPL-3.0-or-later
// KML of the eclipse path for a globe viewer. The curves of the path geometry become placemark
// fragments (limits, central line, partial limits, magnitude curves, sunrise/sunset curves and
// curves of equal time), joined with the header "echead.prn" and, for central eclipses, the
// shadow polygon into two documents: the earth document (everything) and the path document
// (limits, central line and shadow). The documents are written whole or not at all.
#pragma once

#include "data_paths.h"
#include "delta_t_band.h"
#include "file_sink.h"
#include "path_geometry.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vesk {

struct KmlPoint {
    double lon = 0, lat = 0, altitude = 0;
};

// Where the segment from (lon0, lat0) to (lon1, lat1), which crosses the 180th meridian (its
// longitudes more than 180 degrees apart), meets it: the meridian's longitude on lon0's side
// (+180 or -180) and the latitude there, interpolated linearly in longitude across it.
struct DateLineCrossing {
    double edge, lat;
};
DateLineCrossing dateLineCrossing(double lon0, double lat0, double lon1, double lat1);

// Cuts a ring (its last point joins its first) at the 180th meridian: the piece east of it and
// the piece west of it, each closed (its first point repeated at its end), with the crossing
// points interpolated onto +180 and -180. A ring that does not cross comes back as one closed
// piece.
std::vector<std::vector<KmlPoint>> splitRingAtDateLine(const std::vector<KmlPoint>& ring);

// The stem of the exports' default file names for year Y (astronomical) and month M: "YYYYMM"
// ("202404") from the year 1 on; before it the year before Christ and the month, "0763BC-06" for
// -762, so that no name begins with "-" and reads as an option to the shell's tools.
std::string exportFileStem(int year, int month);

// The step (hours) of the geometry the KML documents are written from.
constexpr double kmlStepHours = 0.01;

// What an export did: the documents written, or why none were.
struct ExportOutcome {
    std::vector<std::filesystem::path> documents;
    std::string failure;
};

// Writes the earth and path documents of the eclipse of record from its path geometry (traced at
// kmlStepHours) to outDir through the sink; the header "echead.prn" is found through paths. A
// partial eclipse has no path document: an earlier one of the month goes. With a band, both
// documents also hold its outline as polygons.
// The band of Delta T's uncertainty the documents hold beside the central path, and its name;
// and the limits corrected for the lunar limb, as named lines after the others (none: without).
struct KmlBand {
    const DeltaTBand* band = nullptr;
    std::string name;
    const CorrectedLimits* correctedLimits = nullptr;
};
ExportOutcome writeKmlDocuments(const EclipseRecord& record, const PathGeometry& geometry,
                                const DataPaths& paths, const std::filesystem::path& outDir,
                                FileSink& sink, const KmlBand& band = {});

} // namespace vesk
