// KML of the eclipse path for a globe viewer. While the map is drawn, KmlPass collects the
// traced curves as placemark fragments (limits, central line, partial limits, magnitude curves,
// sunrise/sunset curves and curves of equal time); at the end the fragments are joined with the
// header "echead.prn" and, for central eclipses, the shadow polygon into two documents: the
// earth document (everything) and the path document (limits, central line and shadow). The
// documents are written whole or not at all.
#pragma once

#include "file_sink.h"
#include "path_map.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vesk {

struct KmlPoint {
    double lon = 0, lat = 0, altitude = 0;
};

// Cuts a ring (its last point joins its first) at the 180th meridian: the piece east of it and
// the piece west of it, each closed (its first point repeated at its end), with the crossing
// points interpolated onto +180 and -180. A ring that does not cross comes back as one closed
// piece.
std::vector<std::vector<KmlPoint>> splitRingAtDateLine(const std::vector<KmlPoint>& ring);

// The number that names the documents: sign(Y) * (|Y| * 100 + M) for year Y and month M.
long kmlFileCode(int year, int month);

class KmlPass : public PathMapObserver {
  public:
    // The documents go to outDir through the sink; the header is found through paths.
    KmlPass(const EclipseRecord& record, DataPaths paths, std::filesystem::path outDir,
            FileSink& sink);

    void start(PathTracer& tracer, double deltaT) override;
    void centralPoint(const TracedPoint& point) override;
    void umbralLimitPoint(int side, const TracedPoint& point) override;
    void penumbralLimitPoint(int sign, const TracedPoint& point) override;
    void magnitudePoint(int index, int sign, const TracedPoint& point) override;
    void riseSetPoint(int sign, const TracedPoint& point) override;
    void maxAtRiseSetPoint(int sign, const TracedPoint& point) override;
    void sameTimeCurve(const std::vector<TracedPoint>& points, const TracedPoint& startMinus,
                       const TracedPoint& startPlus, const TracedPoint& endMinus,
                       const TracedPoint& endPlus) override;
    void finish(PathTracer& tracer, double deltaT) override;

    // After finish: whether the documents were written, and an error text if not.
    bool written() const { return error.empty() && finished; }
    const std::string& failure() const { return error; }
    std::vector<std::filesystem::path> documents() const;

  private:
    struct BreakPoint {
        TracedPoint point;
        int tag;
    };
    enum Fragment {
        north,
        center,
        south,
        partialSouth,
        partialNorth,                        // 11.prn and 12.prn follow south
        magnitude20South,                    // 13.prn; the magnitude curves run to 20.prn
        riseSetJoins = magnitude20South + 8, // 21.prn
        riseSetLines,                        // 22.prn
        maxRiseSetPlus,                      // 23.prn
        maxRiseSetMinus,                     // 24.prn
        sameTime,                            // 25.prn
        fragmentCount
    };

    void head(int fragment, const char* name);
    void point(int fragment, const TracedPoint& p, const char* altitude = "0.0");
    void close(int fragment);
    void twoPointLine(int fragment, const char* name, const TracedPoint& a, const TracedPoint& b);
    void limbPoints(PathTracer& tracer, double deltaT, int side);
    void writeRiseSetLines();
    void writeBreakJoins();
    void assemble();
    std::string shadowPolygon() const;
    std::string description() const;

    const EclipseRecord& record;
    DataPaths paths;
    std::filesystem::path outDir;
    FileSink& sink;
    std::vector<std::string> fragments = std::vector<std::string>(fragmentCount);
    // Where each fragment's open placemark begins, and how many points it has.
    std::vector<std::size_t> openAt = std::vector<std::size_t>(fragmentCount);
    std::vector<int> openPoints = std::vector<int>(fragmentCount);
    std::vector<TracedPoint> riseSet[2]; // sides +1, -1
    std::vector<TracedPoint> limbEnds;   // penumbral limits at the limb
    std::vector<BreakPoint> breakPoints; // of the curves of greatest eclipse at the limb
    TracedPoint lastMax[2];              // last point written to 23.prn / 24.prn
    int nextTag[2] = {11, 21};
    std::string error;
    bool finished = false;
};

} // namespace vesk
