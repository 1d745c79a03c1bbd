// SPDX-License-Identifier: GPL-3.0-or-later
#include "delta_t_band.h"

#include "angles.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// The outline of the central path: the northern limit, then the southern one back; longitudes
// unwrapped along it, so that a path across the antimeridian stays one ring.
std::vector<PathPoint> centralPathRing(const PathGeometry& g) {
    std::vector<PathPoint> ring;
    for (const auto& piece : g.umbralLimits[0])
        ring.insert(ring.end(), piece.begin(), piece.end());
    std::vector<PathPoint> south;
    for (const auto& piece : g.umbralLimits[1])
        south.insert(south.end(), piece.begin(), piece.end());
    ring.insert(ring.end(), south.rbegin(), south.rend());
    for (std::size_t i = 1; i < ring.size(); ++i)
        ring[i].lon -= 360 * std::round((ring[i].lon - ring[i - 1].lon) / 360);
    return ring;
}

// Sorted intervals with their overlaps merged.
std::vector<std::pair<double, double>> merged(std::vector<std::pair<double, double>> spans) {
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<double, double>> out;
    for (const auto& s : spans) {
        if (!out.empty() && s.first <= out.back().second)
            out.back().second = std::max(out.back().second, s.second);
        else
            out.push_back(s);
    }
    return out;
}

} // namespace

bool DeltaTBand::contains(double lon, double lat) const {
    const double row = std::round((lat - firstLat) / bandRowStep);
    if (!(row >= 0 && row < static_cast<double>(rows.size())))
        return false;
    for (const auto& [from, to] : rows[static_cast<std::size_t>(row)])
        for (const double turn : {-360.0, 0.0, 360.0})
            if (lon + turn >= from && lon + turn <= to)
                return true;
    return false;
}

DeltaTBand deltaTBand(const PathGeometry& g, double reachSeconds) {
    DeltaTBand band;
    const std::vector<PathPoint> ring = centralPathRing(g);
    if (ring.size() < 3)
        return band;
    const auto [low, high] = std::minmax_element(
        ring.begin(), ring.end(), [](const auto& a, const auto& b) { return a.lat < b.lat; });
    band.firstLat = low->lat;
    const auto rowCount = static_cast<std::size_t>((high->lat - low->lat) / bandRowStep) + 1;
    std::vector<std::vector<double>> crossings(rowCount);
    // each edge of the closed ring adds its crossing to the rows whose latitude it spans
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const PathPoint& a = ring[i];
        const PathPoint& b = ring[(i + 1) % ring.size()];
        const double lo = std::min(a.lat, b.lat), hi = std::max(a.lat, b.lat);
        for (auto row = static_cast<std::size_t>(std::ceil((lo - band.firstLat) / bandRowStep));
             row < rowCount; ++row) {
            const double lat = band.firstLat + row * bandRowStep;
            if (lat >= hi)
                break;
            crossings[row].push_back(a.lon + (b.lon - a.lon) * (lat - a.lat) / (b.lat - a.lat));
        }
    }
    const double reach = std::fabs(reachSeconds) * pathDegreesPerDeltaTSecond;
    band.rows.resize(rowCount);
    for (std::size_t row = 0; row < rowCount; ++row) {
        std::vector<double>& lons = crossings[row];
        std::sort(lons.begin(), lons.end());
        std::vector<std::pair<double, double>> spans;
        for (std::size_t k = 0; k + 1 < lons.size(); k += 2)
            spans.emplace_back(lons[k] - reach, lons[k + 1] + reach);
        band.rows[row] = merged(std::move(spans));
    }
    return band;
}

std::vector<std::vector<std::pair<double, double>>> bandOutlines(const DeltaTBand& band) {
    struct Strip {
        std::vector<std::pair<double, double>> west, east;
        std::pair<double, double> last; // the interval of its last row
        bool open = true;
    };
    std::vector<Strip> strips;
    for (std::size_t row = 0; row < band.rows.size(); ++row) {
        const double lat = band.firstLat + row * bandRowStep;
        std::vector<bool> continued(strips.size(), false);
        for (const auto& interval : band.rows[row]) {
            auto strip = std::find_if(strips.begin(), strips.end(), [&](const Strip& s) {
                return s.open && !continued[&s - strips.data()] &&
                       interval.first <= s.last.second && interval.second >= s.last.first;
            });
            if (strip == strips.end()) {
                strips.push_back({});
                continued.push_back(false);
                strip = strips.end() - 1;
            }
            continued[strip - strips.begin()] = true;
            strip->west.emplace_back(interval.first, lat);
            strip->east.emplace_back(interval.second, lat);
            strip->last = interval;
        }
        for (std::size_t i = 0; i < strips.size(); ++i)
            strips[i].open = strips[i].open && continued[i];
    }
    std::vector<std::vector<std::pair<double, double>>> rings;
    for (Strip& s : strips) {
        std::vector<std::pair<double, double>> ring = std::move(s.west);
        ring.insert(ring.end(), s.east.rbegin(), s.east.rend());
        for (auto& [lon, lat] : ring)
            lon = wrappedLongitude(lon);
        rings.push_back(std::move(ring));
    }
    return rings;
}

} // namespace vesk
