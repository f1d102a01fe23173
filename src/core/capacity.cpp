#include "capacity.h"

#include "arithmetic.h"
#include "units.h"

namespace varnolek::capacity {

namespace {
// g/s -> kg/d, then kg/d -> t/a over 365 days.
Real tonnesPerYear(Real gramsPerSecond) { return gramsPerSecond * units::gramsPerSecondToKgPerDay * units::kgPerDayToTonnesPerYear; }
} // namespace

double lakeReservoir(const LakeReservoirInput &in)
{
    const Real k = in.k, q = in.q, r = in.r, h = in.h, cs = in.cs;
    // The angle as a fraction of a half circle: 180 degrees give 1, a full circle 2.
    const Real phi = Real(in.a) / 180;
    // F = exp(K·Φ·h·r² / 172800 / Q); 172800 = 2 × 86400, K from 1/d to 1/s.
    const Real f = exp((k * phi * h * r * r) / units::twiceSecondsPerDay / q);
    // W = Cs·Q·F in g/s (mg/L = g/m3).
    return tonnesPerYear(cs * q * f).value();
}

double oneDimensionalRiver(const OneDimensionalRiverInput &in)
{
    const Real k = in.k, q0 = in.q0, c0 = in.c0, q2 = in.q2, u = in.u, x = in.x, cs = in.cs;
    // F = exp(K·x / 86400 / u), the decay over the reach undone.
    const Real f = exp((k * x) / units::secondsPerDay / u);
    // W = Cs·(Q0 + Q2)·F − C0·Q0 in g/s; negative when the background alone
    // already exceeds the standard.
    return tonnesPerYear(cs * (q0 + q2) * f - c0 * q0).value();
}

double twoDimensionalRiver(const TwoDimensionalRiverInput &in)
{
    const Real k = in.k, e = in.e, b = in.b, c0 = in.c0, cs = in.cs, x = in.x, u = in.u, y = in.y, h = in.h;
    // F = exp(K·x / (86400·u)), the decay over the reach undone.
    const Real f = exp((k * x) / (Real(units::secondsPerDay) * u));
    // Direct plume from the bank outfall.
    const Real g1 = exp((-u * y * y) / (Real(4) * e * x));
    // Plume scale S = h·sqrt(π·E·x·u), π taken as 3.1415926.
    const Real s = h * sqrt(Real(units::pi) * e * x * u);
    // Reflection at the opposite bank through the image point 2B − y.
    const Real g2 = exp((-u * pow(Real(2) * b - y, 2)) / (Real(4) * e * x));
    // W = S·(Cs·F − C0) / (G1 + G2) in g/s; G1 + G2 underflowing to 0 is a
    // division by zero, not an infinite capacity.
    return tonnesPerYear((s * (cs * f - c0)) / (g1 + g2)).value();
}

} // namespace varnolek::capacity
