#include "models.h"

#include "arithmetic.h"
#include "units.h"
#include "numbers.h"

namespace varnolek::models {

double volumeMixing(const VolumeMixingInput &in)
{
    const Real w = Real(in.w) / units::gramsPerSecondToKgPerDay; // kg/d -> g/s
    const Real q = in.q;
    const Real k = in.k;
    const Real v = Real(in.v) * units::cubicMetresPerTenThousand; // 10^4 m3 -> m3
    // C = W / (Q + V·K / 86400), in g/m3 = mg/L; the decay term is in m3/s.
    return (w / (v * k / units::secondsPerDay + q)).value();
}

double sectionMixing(const SectionMixingInput &in)
{
    const Real q1 = in.q1, c1 = in.c1, q2 = in.q2, c2 = in.c2;
    return ((q1 * c1 + q2 * c2) / (q1 + q2)).value();
}

OneDimensionalRiverResult oneDimensionalRiver(const OneDimensionalRiverInput &in)
{
    const Real k = in.k, e = in.e, q0 = in.q0, c0 = in.c0, q2 = in.q2, c2 = in.c2, u = in.u;
    const Real x = Real(in.x) * units::metresPerKm; // km -> m
    // Mixed concentration at the initial section.
    const Real cm = (q0 * c0 + q2 * c2) / (q0 + q2);
    // m = 1 + sqrt(1 + 4·E·K / (86400·u·u)); 86400 takes K from 1/d to 1/s.
    // Written this way the decay stays defined for E = 0 (plug flow).
    const Real m = Real(1) + sqrt(Real(1) + (Real(4) * e * k) / (Real(units::secondsPerDay) * u * u));
    // F = exp(2·(-K)·x / (86400·u·m))
    const Real f = exp((Real(2) * -k * x) / (Real(units::secondsPerDay) * u * m));
    return {toSingle(cm * f), (x / units::metresPerKm).value()};
}

TwoDimensionalRiverResult twoDimensionalRiver(const TwoDimensionalRiverInput &in)
{
    const Real k = in.k, e = in.e, b = in.b, c0 = in.c0, q2 = in.q2, c2 = in.c2, u = in.u, y = in.y, h = in.h;
    const Real x = Real(in.x) * units::metresPerKm; // km -> m
    // Decay over the reach, K from 1/d to 1/s.
    const Real d = exp((-k * x) / (Real(units::secondsPerDay) * u));
    // Direct plume from the bank outfall.
    const Real g1 = exp((-u * y * y) / (Real(4) * e * x));
    // Plume scale; twice the free-stream value, the outfall's own bank reflecting.
    const Real loadPerDepth = (c2 * q2) / h;
    const Real a = loadPerDepth / sqrt(Real(units::pi) * e * x * u);
    // Reflection at the opposite bank through the image point 2B - y.
    const Real g2 = exp((-u * pow(Real(2) * b - y, 2)) / (Real(4) * e * x));
    const Real c = d * (c0 + a * (g1 + g2));
    return {c.value(), (x / units::metresPerKm).value(), y.value()};
}

double transitionZoneLength(const TransitionZoneInput &in)
{
    const Real k = in.k, u = in.u, c = in.c, c0 = in.c0;
    // L = 86400·u·ln(C0/C) / K; 86400·u is the velocity in m/d.
    const Real logRatio = ln(c0 / c);
    const Real metresPerDay = Real(units::secondsPerDay) * u;
    return (logRatio * metresPerDay / k).value();
}

std::string oneDimensionalCaption(const OneDimensionalRiverResult &r)
{
    std::string text = "距离初始断面 ";
    text.reserve(64);
    appendGeneralText(text, r.distanceKm);
    text += " 千米处水质浓度(mg/L)";
    return text;
}

std::string twoDimensionalCaption(const TwoDimensionalRiverResult &r)
{
    std::string text = "距排污口 ";
    text.reserve(96);
    appendGeneralText(text, r.distanceKm);
    text += "千米,距排污口所在岸边 ";
    appendGeneralText(text, r.y);
    text += "米处的水质浓度(mg / L):";
    return text;
}

} // namespace varnolek::models
