// Constants of the FAO-56 formulas, named once with their units and source.
// FAO-56: Allen, Pereira, Raes and Smith (1998), Crop evapotranspiration,
// FAO Irrigation and Drainage Paper 56.  Derived constants are written as
// expressions of the base ones and evaluated in double arithmetic.
#pragma once

namespace core::fao56 {

// --- Calendar -----------------------------------------------------------
inline constexpr int kBaseYear = 1900;           // years 0..1899 mean 1900..3799
inline constexpr int kBaseYearOffset = 1900;
inline constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30,
                                         31, 31, 30, 31, 30, 31};  // common year
inline constexpr int kLeapFebruary = 29;
// Day-of-year formula (FAO-56 Annex 2, Table 2.5 note): J = int(275 M / 9 - 30 + D) - 2
inline constexpr double kMonthFactor = 275;
inline constexpr double kMonthDivisor = 9;
inline constexpr double kMonthOffset = 30;
inline constexpr double kDayOffset = 2;
inline constexpr double kBeforeMarch = 3;

// --- Solar geometry (FAO-56 eqs. 21-25, 34) -------------------------------
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kDegToRad = kPi / 180;                 // rad per degree
inline constexpr double kDayRate = (2 * kPi) / 365;            // rad per day
inline constexpr double kDeclinationAmplitude = 0.409;         // rad, eq. 24
inline constexpr double kDeclinationPhase = 1.39;              // rad, eq. 24
inline constexpr double kEccentricity = 0.033;                 // eq. 23
inline constexpr double kSolarConstant = 0.082;                // Gsc, MJ m-2 min-1
inline constexpr double kHoursPerDay = 24;                     // eq. 34
inline constexpr double kRadiationFactor = (1440 / kPi) * kSolarConstant;  // eq. 21
inline constexpr double kPercent = 100;

// --- Vapour pressure (FAO-56 eqs. 11, 13, 17, 19) -------------------------
inline constexpr double kSatA = 0.6108;                        // kPa, eq. 11
inline constexpr double kSatB = 17.27;                         // eq. 11
inline constexpr double kSatC = 237.3;                         // degC, eqs. 11, 13
inline constexpr double kPercentHumidity = 100;                 // percent to fraction, eq. 17
inline constexpr double kHalfPercent = 50;                     // eq. 19
inline constexpr double kSlopeFactor = 4098;                   // eq. 13

// --- Wind (FAO-56 eq. 47) ---------------------------------------------------
inline constexpr double kWindLogFactor = 4.87;
inline constexpr double kWindLogScale = 67.8;                  // 1/m
inline constexpr double kWindLogOffset = 5.42;
// Heights at or below this give 67.8 z - 5.42 <= 1: no positive logarithm.
inline constexpr double kWindThreshold = 0.09469026548672567;  // m, 6.42 / 67.8

// --- Pressure and psychrometric constant (FAO-56 eqs. 7, 8) ---------------
inline constexpr double kSeaLevelPressure = 101.3;             // kPa
inline constexpr double kStandardTemperature = 293;            // K
inline constexpr double kLapseRate = 0.0065;                   // K/m
inline constexpr double kPressureExponent = 5.26;
inline constexpr double kPsychrometricFactor = 0.00163;
inline constexpr double kLatentHeat = 2.45;                    // MJ/kg

// --- Radiation balance (FAO-56 eqs. 37-40) ---------------------------------
inline constexpr double kAlbedo = 0.23;                        // reference grass
inline constexpr double kClearSkyFactor = 0.75;                // eq. 37
inline constexpr double kClearSkyElevation = 0.00002;          // 1/m, eq. 37
inline constexpr double kStefanBoltzmann = 0.000000004903;     // MJ K-4 m-2 d-1
inline constexpr double kKelvinOffset = 273.16;                // eq. 39
inline constexpr double kHumidityA = 0.34;                     // eq. 39
inline constexpr double kHumidityB = 0.14;                     // kPa^-1/2
inline constexpr double kCloudA = 1.35;                        // eq. 39
inline constexpr double kCloudB = 0.35;
inline constexpr double kSoilHeatFactor = 0.07;                // MJ m-2 d-1 K-1, eq. 43

// --- Penman-Monteith (FAO-56 eq. 6) ----------------------------------------
inline constexpr double kRadiationTermFactor = 0.408;          // 1 / lambda, kg/MJ
inline constexpr double kAerodynamicFactor = 900;              // K mm s^3 Mg-1 d-1
inline constexpr double kAerodynamicKelvin = 273;              // not 273.16
inline constexpr double kWindResistance = 0.34;                // s/m

}  // namespace core::fao56
