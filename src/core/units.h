#pragma once
// The unit factors of the formulas, named once. Each formula multiplies or
// divides by them in the order it always has: a factor is never folded into
// another (86.4 × 0.365 taken as one constant would change the last bit of
// about a quarter of the loads).

namespace varnolek::units {

// Seconds in a day: K in 1/d becomes a rate per second, a velocity in m/s a
// distance per day.
inline constexpr double secondsPerDay = 86400;
// Twice the seconds in a day, as the lake's radial spreading takes it.
inline constexpr double twiceSecondsPerDay = 172800;
// g/s to kg/d (86400 s/d ÷ 1000 g/kg).
inline constexpr double gramsPerSecondToKgPerDay = 86.4;
// kg/d to t/a (365 d/a ÷ 1000 kg/t).
inline constexpr double kgPerDayToTonnesPerYear = 0.365;
// π as the plume formulas take it.
inline constexpr double pi = 3.1415926;
// km to m, and 10^4 m3 (万m3) to m3.
inline constexpr double metresPerKm = 1000;
inline constexpr double cubicMetresPerTenThousand = 10000;
// kg to t.
inline constexpr double kgPerTonne = 1000;
// t to g: a lake's load in t/a becomes g/a, and back.
inline constexpr double gramsPerTonne = 1e6;
// 亿m3 (10^8 m3) to m3: a lake's volume and yearly outflow.
inline constexpr double cubicMetresPerHundredMillion = 1e8;
// km2 to m2: a lake's surface area.
inline constexpr double squareMetresPerSquareKm = 1e6;

} // namespace varnolek::units
