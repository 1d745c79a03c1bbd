// SPDX-License-Identifier: GPL-3.0-or-later
#include "limb_margins.h"

#include "angles.h"
#include "checked_int.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace vesk {

namespace {

constexpr int limbSamples = 3600; // the Sun's limb every tenth of a degree
constexpr double sampleRadians = 2 * std::numbers::pi / limbSamples;

// The profile's entry at the sky position angle of a point of the Sun's limb (x, y).
double profileRadiusAt(const LimbProfile& profile, double x, double y) {
    int index = static_cast<int>(std::trunc(10 * std::atan2(x, y) / chartDegToRad + 1800 + 0.5));
    if (index < 0)
        index += 3600;
    if (index > 3600)
        index -= 3600;
    return profile.radius[static_cast<std::size_t>(index)];
}

// Visits the samples of the Sun's limb whose distance r from the Moon's centre satisfies
// r >= bound (atLeast) or r <= bound (otherwise), with their profile radius R: visit(r, R).
// Only the arc that can satisfy it is sampled: |c + S e(theta)|^2 = c^2 + S^2 + 2 S c cos(theta -
// theta_c).
template <typename Visit>
void visitLimb(const LimbProfile& profile, const SunAgainstLimb& sun, double bound, bool atLeast,
               Visit visit) {
    const double c = std::hypot(sun.x, sun.y), s = sun.sunRadius;
    double centre = 0, halfWidth = std::numbers::pi;
    if (c * s > 0) {
        const double k = std::clamp((bound * bound - c * c - s * s) / (2 * s * c), -1.0, 1.0);
        const double towardsCentre = std::acos(k); // the arc about theta_c where r >= bound
        centre = std::atan2(sun.y, sun.x) + (atLeast ? 0 : std::numbers::pi);
        halfWidth = atLeast ? towardsCentre : std::numbers::pi - towardsCentre;
    }
    const int first = clampedInt(std::floor((centre - halfWidth) / sampleRadians)) - 1;
    const int last = std::min(first + limbSamples - 1,
                              clampedInt(std::ceil((centre + halfWidth) / sampleRadians)) + 1);
    static const auto circle = [] {
        std::array<std::array<double, 2>, limbSamples> points{};
        for (int sample = 0; sample < limbSamples; ++sample) {
            const double theta = sample * 0.1 * chartDegToRad;
            points[static_cast<std::size_t>(sample)] = {std::cos(theta), std::sin(theta)};
        }
        return points;
    }();
    for (int i = first; i <= last; ++i) {
        const auto& [cosine, sine] =
            circle[static_cast<std::size_t>(((i % limbSamples) + limbSamples) % limbSamples)];
        const double x = s * cosine + sun.x, y = s * sine + sun.y;
        const double r = std::hypot(x, y);
        if (atLeast ? r >= bound : r <= bound)
            visit(r, profileRadiusAt(profile, x, y));
    }
}

} // namespace

SunAgainstLimb sunAgainstLimb(const ObservedShadow& s) {
    const double moon = (s.l1 - s.l2) / 2, sun = (s.l1 + s.l2) / 2;
    const double scale = moonMeanLimbKm / moon;
    return {scale * s.u, scale * s.v, scale * sun, scale, moon > sun};
}

double interiorMargin(const LimbProfile& profile, const SunAgainstLimb& sun) {
    const double sign = sun.total ? 1 : -1;
    // the samples that the profile's extremes leave in doubt
    double interior = std::numeric_limits<double>::infinity();
    const auto lower = [&](double r, double radius) {
        interior = std::min(interior, sign * (radius - r));
    };
    if (sun.total)
        visitLimb(profile, sun, profile.lowest, true, lower);
    else
        visitLimb(profile, sun, profile.highest, false, lower);
    if (interior == std::numeric_limits<double>::infinity()) { // every sample certain
        const double c = std::hypot(sun.x, sun.y), s = sun.sunRadius;
        interior = sun.total ? profile.lowest - (c + s) : std::fabs(s - c) - profile.highest;
    }
    return interior;
}

double exteriorMargin(const LimbProfile& profile, const SunAgainstLimb& sun) {
    const double c = std::hypot(sun.x, sun.y), s = sun.sunRadius;
    const double sign = sun.total ? 1 : -1;
    double exterior = -std::numeric_limits<double>::infinity();
    const auto higher = [&](double r, double radius) {
        exterior = std::max(exterior, sign * (radius - r));
    };
    if (sun.total)
        visitLimb(profile, sun, c + s - grazeDepthKm, true, higher);
    else
        visitLimb(profile, sun, std::fabs(s - c) + grazeDepthKm, false, higher);
    return exterior;
}

BestMargin bestInteriorMargin(const LimbProfile& profile, const EclipseRecord& record,
                              const Observer& place, double deltaT, double t, double halfHours,
                              double stepHours) {
    const auto marginAt = [&](double when) {
        return interiorMargin(profile, sunAgainstLimb(observeShadow(record, place, when, deltaT)));
    };
    const int samples = std::max(1, static_cast<int>(std::ceil(halfHours / stepHours)));
    const double step = halfHours / samples;
    std::vector<BestMargin> sampled;
    for (int i = -samples; i <= samples; ++i)
        sampled.push_back({t + i * step, marginAt(t + i * step)});
    const auto best = std::max_element(sampled.begin(), sampled.end(),
                                       [](auto& a, auto& b) { return a.interior < b.interior; });
    // Between samples the margin may rise above them: every sampled peak within the distance
    // the Sun moves in a step of the best one is refined.
    const ObservedShadow here = observeShadow(record, place, t, deltaT);
    const double stepKm = step * std::hypot(here.a, here.b) * sunAgainstLimb(here).moonToPlane;
    BestMargin found = *best;
    for (std::size_t i = 0; i < sampled.size(); ++i) {
        const bool peak =
            (i == 0 || sampled[i].interior >= sampled[i - 1].interior) &&
            (i + 1 == sampled.size() || sampled[i].interior >= sampled[i + 1].interior);
        if (!peak || sampled[i].interior < best->interior - stepKm)
            continue;
        // golden sections about the sampled peak
        constexpr double golden = 0.6180339887498949;
        constexpr int refinePasses = 20;
        double a = sampled[i].t - step, b = sampled[i].t + step;
        BestMargin x1{b - golden * (b - a), 0}, x2{a + golden * (b - a), 0};
        x1.interior = marginAt(x1.t);
        x2.interior = marginAt(x2.t);
        for (int pass = 0; pass < refinePasses; ++pass) {
            if (x1.interior > x2.interior) {
                b = x2.t;
                x2 = x1;
                x1.t = b - golden * (b - a);
                x1.interior = marginAt(x1.t);
            } else {
                a = x1.t;
                x1 = x2;
                x2.t = a + golden * (b - a);
                x2.interior = marginAt(x2.t);
            }
        }
        for (const BestMargin& candidate : {sampled[i], x1, x2})
            if (candidate.interior > found.interior)
                found = candidate;
    }
    return found;
}

namespace {

constexpr double gridSeconds = 0.05, gridStartSeconds = -17;
constexpr int maxGridSteps = 72000; // an hour either way
constexpr int maxSpanSeconds = 3600;

// The instants of a grid of 0.05 s steps anchored at a contact: anchor + (-17 + 0.05 k) s.
struct ContactGrid {
    double anchor;
    double seconds(int k) const { return gridStartSeconds + gridSeconds * k; }
    double at(int k) const { return anchor + seconds(k) / 3600; }
    int nearest(double t) const {
        return clampedInt(std::round(((t - anchor) * 3600 - gridStartSeconds) / gridSeconds));
    }
};

} // namespace

CorrectedContacts correctedContacts(const LimbProfile& profile, const EclipseRecord& record,
                                    const LocalCircumstances& local, double deltaT) {
    if (!local.nearest)
        return {};
    const auto sunAt = [&](double t) {
        return sunAgainstLimb(observeShadow(record, local.observer, t, deltaT));
    };
    const auto interiorAt = [&](double t) { return interiorMargin(profile, sunAt(t)); };
    // Whether the central phase can happen at t at all: every point of the Sun's limb within the
    // profile's highest radius (total) or beyond its lowest (annular).
    const auto possible = [&](double t) {
        const SunAgainstLimb sun = sunAt(t);
        const double c = std::hypot(sun.x, sun.y);
        return sun.total ? c + sun.sunRadius <= profile.highest
                         : sun.sunRadius - c >= profile.lowest;
    };
    // The span where the phase is possible, found a second at a time; the best instant in it,
    // sampled on the grid's step (the margin jumps as the Sun's limb crosses the profile's
    // entries).
    const double tMax = local.nearest->shadow.t;
    double halfHours = 0;
    for (int second = 1; second < maxSpanSeconds; ++second) {
        if (!possible(tMax - second / 3600.0) && !possible(tMax + second / 3600.0))
            break;
        halfHours = second / 3600.0;
    }
    if (halfHours == 0 && !possible(tMax))
        return {};
    const double best = bestInteriorMargin(profile, record, local.observer, deltaT, tMax, halfHours,
                                           gridSeconds / 3600)
                            .t;
    if (interiorAt(best) < 0)
        return {};
    const auto contactOn = [&](const std::optional<LocalEvent>& smooth, int direction) {
        const ContactGrid grid{smooth ? smooth->shadow.t : tMax};
        int k = grid.nearest(best);
        // the run of the central phase on the grid about the best instant
        if (interiorAt(grid.at(k)) < 0) {
            if (interiorAt(grid.at(k - 1)) >= 0) {
                k -= 1;
            } else if (interiorAt(grid.at(k + 1)) >= 0) {
                k += 1;
            } else { // a central phase shorter than the grid's step: both contacts at its best
                CorrectedContact instant{best, std::nullopt};
                if (smooth)
                    instant.shiftSeconds = (best - grid.anchor) * 3600;
                return std::optional(instant);
            }
        }
        // step by step: a flicker of the central phase ends the run
        int walked = 0;
        while (walked < maxGridSteps && interiorAt(grid.at(k + direction)) >= 0) {
            k += direction;
            ++walked;
        }
        // the second contact is the run's first instant, the third the first instant after it
        if (direction > 0)
            k += 1;
        CorrectedContact contact{grid.at(k), std::nullopt};
        if (smooth)
            contact.shiftSeconds = grid.seconds(k);
        return std::optional(contact);
    };
    return {contactOn(local.second, -1), contactOn(local.third, 1)};
}

} // namespace vesk
