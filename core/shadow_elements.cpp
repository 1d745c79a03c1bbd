// SPDX-License-Identifier: GPL-3.0-or-later
#include "shadow_elements.h"

#include "angles.h"
#include <cmath>

namespace vesk {

ShadowElements evaluateElements(const EclipseRecord& r, double t) {
    ShadowElements s;
    s.t = t;
    s.x = r.x0 + t * (r.x1 + t * (r.x2 + t * r.x3));
    s.y = r.y0 + t * (r.y1 + t * (r.y2 + t * r.y3));
    s.d = (r.d0 + t * (r.d1 + t * r.d2)) * degToRad;
    s.mu = r.mu0 + r.mu1 * t;
    s.l1 = r.l1c0 + t * (r.l1c1 + t * r.l1c2);
    s.l2 = r.l2c0 + t * (r.l2c1 + t * r.l2c2);
    s.tanF1 = r.tanF1;
    s.tanF2 = r.tanF2;

    s.xRate = r.x1 + 2 * r.x2 * t + 3 * r.x3 * t * t;
    s.yRate = r.y1 + 2 * r.y2 * t + 3 * r.y3 * t * t;
    s.dRate = (r.d1 + 2 * r.d2 * t) * degToRad;
    s.muRate = r.mu1 * degToRad;
    s.l1Rate = r.l1c1 + 2 * r.l1c2 * t;
    s.l2Rate = r.l2c1 + 2 * r.l2c2 * t;

    s.sinD = std::sin(s.d);
    s.cosD = std::cos(s.d);
    s.rho1 = std::sqrt(1 - earthE2 * s.cosD * s.cosD);
    s.rho2 = std::sqrt(1 - earthE2 * s.sinD * s.sinD);
    s.invRho1 = 1 / s.rho1;
    s.rho1Rho2 = s.rho1 * s.rho2;
    const double sqrtOneMinusE2 = std::sqrt(earthOneMinusE2);
    s.sinD1 = s.sinD / s.rho1;
    s.cosD1 = sqrtOneMinusE2 * s.cosD / s.rho1;
    s.sinD2 = sqrtOneMinusE2 * s.sinD / s.rho2;
    s.cosD2 = s.cosD / s.rho2;
    s.sinD1MinusD2 = earthE2 * s.sinD * s.cosD / s.rho1Rho2;
    s.cosD1MinusD2 = sqrtOneMinusE2 / s.rho1Rho2;

    s.aPrimePen = -s.l1Rate - s.muRate * s.x * r.tanF1 * s.cosD;
    s.aPrimeUmb = -s.l2Rate - s.muRate * s.x * r.tanF2 * s.cosD;
    s.bPrime = -s.yRate + s.muRate * s.x * s.sinD;
    s.cPrimePen = s.xRate + s.muRate * s.y * s.sinD + s.muRate * s.l1 * r.tanF1 * s.cosD;
    s.cPrimeUmb = s.xRate + s.muRate * s.y * s.sinD + s.muRate * s.l2 * r.tanF2 * s.cosD;
    s.bPrimeRate = -2 * r.y2 + s.muRate * r.x1 * s.sinD;
    s.cPrimePenRate = 2 * r.x2 + s.muRate * r.y1 * s.sinD + s.muRate * r.l1c1 * r.tanF1 * s.cosD;
    s.cPrimeUmbRate = 2 * r.x2 + s.muRate * r.y1 * s.sinD + s.muRate * r.l2c1 * r.tanF2 * s.cosD;
    s.nPen = std::sqrt(s.bPrime * s.bPrime + s.cPrimePen * s.cPrimePen);
    s.nUmb = std::sqrt(s.bPrime * s.bPrime + s.cPrimeUmb * s.cPrimeUmb);
    return s;
}

double sunAltitude(const ShadowElements& e, double h, double phi) {
    return std::asin(std::cos(h) * std::cos(phi) * e.cosD + std::sin(phi) * e.sinD);
}

double moonHeight(const EclipseRecord& record, const ShadowElements& elements) {
    const double cosF1 = 1 / std::sqrt(1 + record.tanF1 * record.tanF1);
    return (elements.l1 - moonRadiusPenumbra / cosF1) / record.tanF1;
}

double sunRadiusOfArcseconds(double arcseconds) {
    return astronomicalUnitKm * std::tan(arcseconds / 3600 * degToRad);
}

double sunRadiusOf(const EclipseRecord& record) {
    const double sinF1 = std::sin(std::atan(record.tanF1)),
                 sinF2 = std::sin(std::atan(record.tanF2));
    const double radius = (moonRadiusPenumbra * sinF2 + moonRadiusUmbra * sinF1) / (sinF1 - sinF2);
    return radius * (sunRadiusKm / sunRadiusEarthRadii);
}

EclipseRecord withSunRadius(const EclipseRecord& record, double radiusKm) {
    const double f1 = std::atan(record.tanF1);
    const double sunMoon = (sunRadiusEarthRadii + moonRadiusPenumbra) / std::sin(f1);
    const double radius = radiusKm / (sunRadiusKm / sunRadiusEarthRadii);
    const double newF1 = std::asin((radius + moonRadiusPenumbra) / sunMoon);
    const double newF2 = std::asin((radius - moonRadiusUmbra) / sunMoon);
    // the Moon's height z = z0 + z1 t + z2 t^2 from the penumbra's radius
    const double z0 = (record.l1c0 - moonRadiusPenumbra / std::cos(f1)) / record.tanF1;
    const double z1 = record.l1c1 / record.tanF1, z2 = record.l1c2 / record.tanF1;
    EclipseRecord r = record;
    r.tanF1 = std::tan(newF1);
    r.tanF2 = std::tan(newF2);
    r.l1c0 = z0 * r.tanF1 + moonRadiusPenumbra / std::cos(newF1);
    r.l1c1 = z1 * r.tanF1;
    r.l1c2 = z2 * r.tanF1;
    r.l2c0 = z0 * r.tanF2 - moonRadiusUmbra / std::cos(newF2);
    r.l2c1 = z1 * r.tanF2;
    r.l2c2 = z2 * r.tanF2;
    return r;
}

} // namespace vesk
