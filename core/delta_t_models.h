// SPDX-License-Identifier: GPL-3.0-or-later
// The models of Delta T a user can choose, the lunar tidal acceleration (n-dot) each was derived
// with, and the correction that brings a Delta T to the tidal acceleration of the catalog's lunar
// ephemeris (DE431).
//
// Delta T before the telescope is found from eclipses and occultations computed with a lunar
// ephemeris: a Moon whose secular acceleration differs puts the same record at another instant of
// TT, and so at another Delta T. A model of Delta T is consistent with the ephemeris whose n-dot
// it was derived with; used with another, it wants the correction ndotCorrection.
#pragma once

#include <optional>
#include <string_view>

namespace vesk {

enum class DeltaTModel {
    // The model of deltaT: the spline of Stephenson, Morrison & Hohenkerk (Proc. R. Soc. A 472,
    // 20160404, 2016) as updated in 2020 (Morrison, Stephenson, Hohenkerk & Zawilski, J. Hist.
    // Astron. 52, 2021: 58 rows, -720 to 2019), the parabola of Morrison & Stephenson (2004)
    // outside it, the tables and the mirrored spline of deltaT. The default.
    smh2020,
    // The original 2016 spline (the paper's Table S15: 54 rows, -720 to 2016); outside those years
    // the branches of smh2020.
    smh2016,
    // The polynomials of Espenak & Meeus (Five Millennium Canon of Solar Eclipses, NASA TP-2006-
    // 214141, 2006), defined for -1999 to 3000; their outer branches, the parabola of Morrison &
    // Stephenson (2004), go on beyond.
    em2006,
};

// The Delta T a user chose: a model, and whether it is corrected to DE431's n-dot.
struct DeltaTChoice {
    DeltaTModel model = DeltaTModel::smh2020;
    bool ndotCorrected = false;
    bool operator==(const DeltaTChoice&) const = default;
};

// Lunar tidal accelerations, arcseconds per century squared, as the Swiss Ephemeris's header
// (swephexp.h) gives them with their sources.
// DE431: Folkner, Williams, Boggs, Park & Kuchynka, IPN Progress Report 42-196 (2014), p. 15.
constexpr double de431Ndot = -25.80;
// DE430: JPL Interoffice Memorandum of 9 July 2013 on the DE430 lunar orbit. Stephenson, Morrison
// & Hohenkerk (2016) reduced their eclipses with DE430's lunar ephemeris; the Swiss Ephemeris
// labels their value -25.85 (SE_TIDAL_STEPHENSON_2016).
constexpr double de430Ndot = -25.82;
// The value Morrison & Stephenson (2004) and Espenak & Meeus (2006) state for their Delta T.
constexpr double classicalNdot = -26;

// Delta T of a model, seconds, t Julian centuries from J2000 (TT); smh2020 is deltaT(t).
double modelDeltaT(double t, DeltaTModel model);

// The n-dot a model's Delta T in a decimal year was derived with, by branch: the SMH splines
// (and the table and mirrored spline of smh2020) de430Ndot, the parabola and Espenak & Meeus
// classicalNdot. None where the value does not rest on the lunar ephemeris: smh2020's observed and
// predicted tables of 2019 to 2100, and Espenak & Meeus from 1955 to 2005 (atomic time, which the
// canon leaves uncorrected).
std::optional<double> modelNdot(DeltaTModel model, double year);

// Seconds to add to a Delta T derived with tidal acceleration ndotFrom to have it for ndotTo:
// Delta T(n2) = Delta T(n1) - 0.000091 (n2 - n1) (year - 1955)^2, the form of the Astronomical
// Almanac (written there for n1 = -26). A less negative n-dot (a Moon slowing less) asks for a
// smaller Delta T: -25.80 against -25.82 is -7.95 s at -135.
double ndotCorrection(double year, double ndotFrom, double ndotTo);

// Seconds that bring a model's Delta T at t Julian centuries from J2000 to de431Ndot from the
// n-dot of its branch there; 0 where the branch has none.
double correctionToDe431(double t, DeltaTModel model);

// Delta T of the user's choice, seconds: the model's, corrected from its n-dot to de431Ndot when
// asked (where the model has one).
double deltaT(double t, const DeltaTChoice& choice);

// "smh2020", "smh2016", "em2006"; parseDeltaTModel reads them back (nullopt for any other text).
std::string_view deltaTModelName(DeltaTModel model);
std::optional<DeltaTModel> parseDeltaTModel(std::string_view name);
// The publication of a model, as a reference cites it.
std::string_view deltaTModelReference(DeltaTModel model);

} // namespace vesk
