// SPDX-License-Identifier: GPL-3.0-or-later
// The models of Delta T against the Swiss Ephemeris's own implementations of the same published
// models (its SEMOD_DELTAT_STEPHENSON_ETC_2016 and SEMOD_DELTAT_ESPENAK_MEEUS_2006, with the
// tidal acceleration each assumes, so that it adds no correction of its own), and the n-dot
// correction against the Swiss Ephemeris's adjustment of its model to the ephemeris's tidal
// acceleration.
#include "delta_t_models.h"
#include "timescales.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <string>

namespace vesk {
namespace {

constexpr double j2000 = 2451545;

// The Swiss Ephemeris's Delta T (seconds) with a model and tidal acceleration, at a Julian date;
// the library is left with its defaults.
double swissDeltaT(int model, double tidalAcceleration, double jd) {
    std::string models = std::to_string(model);
    swe_set_astro_models(models.data(), 0);
    swe_set_tid_acc(tidalAcceleration);
    char error[256] = "";
    const double days = swe_deltat_ex(jd, -1, error);
    swe_set_astro_models(std::string("0").data(), 0);
    swe_set_tid_acc(SE_TIDAL_AUTOMATIC);
    return days * 86400;
}

// The Julian date (TT, as our models read it) of a decimal Gregorian year as the Swiss Ephemeris
// counts it for its models (years of 365.2425 days from J2000).
double jdOfSwissYear(double year) {
    constexpr double daysPerGregorianYear = 365.2425;
    return j2000 + (year - 2000) * daysPerGregorianYear;
}

TEST(DeltaTModels, TheSplineOf2016AndEspenakMeeusAgreeWithTheSwissEphemeris) {
    // the libraries evaluate the same published coefficients at decimal years taken the Swiss
    // Ephemeris's way (Gregorian years from J2000; Julian years would put them 0.06 year apart
    // at -700, where the 2016 spline changes by 19 s a year); what is left of its own reading of
    // the year is under 0.015 s
    constexpr double tolerance = 0.02;
    for (double year = -700; year <= 1950; year += 37.5) {
        const double jd = jdOfSwissYear(year);
        const double t = (year - 2000) / 100; // our model at the year the Swiss Ephemeris reads
        EXPECT_NEAR(modelDeltaT(t, DeltaTModel::smh2016),
                    swissDeltaT(SEMOD_DELTAT_STEPHENSON_ETC_2016, SE_TIDAL_STEPHENSON_2016, jd),
                    tolerance)
            << year;
    }
    // Espenak & Meeus before the telescope (the Swiss Ephemeris takes its own table of measured
    // values from 1620 on)
    for (double year = -1999; year <= 1600; year += 61.7) {
        const double t = (year - 2000) / 100;
        EXPECT_NEAR(modelDeltaT(t, DeltaTModel::em2006),
                    swissDeltaT(SEMOD_DELTAT_ESPENAK_MEEUS_2006, SE_TIDAL_26, jdOfSwissYear(year)),
                    tolerance)
            << year;
    }
    // the default model is the one every screen used before the choice
    for (const double t : {-140.0, -25.0, -1.5, 0.0, 0.3, 2.0, 20.0, 140.0})
        EXPECT_EQ(modelDeltaT(t, DeltaTModel::smh2020), deltaT(t)) << t;
    // outside its span each model is what it says it falls back to
    EXPECT_EQ(modelDeltaT(-30, DeltaTModel::smh2016), deltaT(-30));
    EXPECT_EQ(modelDeltaT(0.18, DeltaTModel::smh2016), deltaT(0.18));
    EXPECT_NEAR(modelDeltaT(-140, DeltaTModel::em2006), -20 + 32 * 138.2 * 138.2, 1e-6);
}

TEST(DeltaTModels, TheNdotCorrectionIsTheSwissEphemerisAdjustmentToItsEphemeris) {
    // the Swiss Ephemeris adjusts its 2016 spline (n-dot -25.85) to the tidal acceleration of the
    // ephemeris it reads: the difference between two of them is the correction between them
    for (const double year : {-700.0, -135.0, 1000.0, 1567.0, 1900.0}) {
        const double jd = jdOfSwissYear(year);
        const double swiss = swissDeltaT(SEMOD_DELTAT_STEPHENSON_ETC_2016, SE_TIDAL_DE431, jd) -
                             swissDeltaT(SEMOD_DELTAT_STEPHENSON_ETC_2016, SE_TIDAL_DE430, jd);
        EXPECT_NEAR(ndotCorrection(year, de430Ndot, de431Ndot), swiss, 0.01) << year;
    }
    // the sign: DE431's Moon, slowing less than DE430's, asks for 7.95 s less at -135
    EXPECT_NEAR(ndotCorrection(-135, de430Ndot, de431Ndot), -7.95, 0.01);
}

TEST(DeltaTModels, TheCorrectionIsAppliedOnlyWhenAskedAndByTheBranchsNdot) {
    const double year = -12000, t = (year - 2000) / 100;
    // about an hour at -12000, where the parabola's n-dot is -26
    const double corrected = deltaT(t, DeltaTChoice{DeltaTModel::smh2020, true});
    EXPECT_NEAR(corrected - deltaT(t), ndotCorrection(year, classicalNdot, de431Ndot), 1e-6);
    EXPECT_LT(corrected - deltaT(t), -3500);
    EXPECT_EQ(deltaT(t, DeltaTChoice{}), deltaT(t));
    // the spline's branch with the paper's, the tables of 2019-2100 with none
    EXPECT_EQ(modelNdot(DeltaTModel::smh2020, -135), de430Ndot);
    EXPECT_EQ(modelNdot(DeltaTModel::smh2020, 2050), std::nullopt);
    EXPECT_EQ(deltaT(0.5, DeltaTChoice{DeltaTModel::smh2020, true}), deltaT(0.5));
    EXPECT_EQ(modelNdot(DeltaTModel::em2006, 1980), std::nullopt);
    EXPECT_EQ(modelNdot(DeltaTModel::em2006, -135), classicalNdot);
    for (const DeltaTModel model :
         {DeltaTModel::smh2020, DeltaTModel::smh2016, DeltaTModel::em2006})
        EXPECT_EQ(parseDeltaTModel(deltaTModelName(model)), model);
    EXPECT_EQ(parseDeltaTModel("smh2021"), std::nullopt);
}

} // namespace
} // namespace vesk
