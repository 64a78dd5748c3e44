#pragma once
// Astronomical and numerical constants shared by the vector toolkit, the frames and the
// solar and lunar series. Each is named once here and used by name everywhere else; the
// units of time and J2000.0 come with the time arithmetic.
#include "base/julian.h"

namespace qv {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kDegPerRad = 180.0 / kPi;
constexpr double kRadPerDeg = kPi / 180.0;
// Degrees of right ascension or hour angle in one hour.
constexpr double kDegPerHour = 15.0;

// One arcsecond in radians.
constexpr double kArcsecRad = 4.8481368111e-6;
// Arcseconds per radian, in the rounded form the lunar series is fitted with.
constexpr double ARC = 206264.81;
// Radians to seconds of time (86400 / 2 pi).
constexpr double kSecondsOfTimePerRad = 13750.9870831;
// Arcseconds in a full circle.
constexpr double kArcsecPerRevolution = 1296000.0;

// Mean synodic month in days, and the mean New Moon that opens lunation 0 (MJD, TT) in 1900.
constexpr double kSynodicMonthDays = 29.53058868;
constexpr double kLunationZeroMjd = 15020.25933;

// Light time for one astronomical unit, in days (499.004784 s).
constexpr double kLightDaysPerAu = 0.0057755183;

// Earth equatorial radii (kShadowEarthRadiusKm, base/earth_figure.h) in one astronomical unit.
constexpr double EARTH_RADII_PER_AU = 23454.77992;

}  // namespace qv
