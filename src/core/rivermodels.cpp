#include "rivermodels.h"

#include "arithmetic.h"
#include "rejection.h"
#include "units.h"

#include <cmath>

namespace varnolek::models {

namespace {

// The seconds in an hour, for the times of a release given in h.
constexpr double secondsPerHour = 3600;
// The mass of a release is given in kg, the concentration comes out in g/m3.
constexpr double gramsPerKg = 1000;
// u·t·86.4: m/s times days gives km (86400 s/d ÷ 1000 m/km).
constexpr double kmPerDayPerMetrePerSecond = 86.4;
// The saturation of dissolved oxygen, DOs = 468/(31.6 + T), mg/L with T in °C.
constexpr double saturationNumerator = 468;
constexpr double saturationOffset = 31.6;

void requireOutfallInRiver(double a, double b)
{
    if (a < 0 || a > b)
        throw InputRejected(outfallOutsideRiverMessage);
}

} // namespace

MixingLengthResult mixingLength(const MixingLengthInput &in)
{
    requireOutfallInRiver(in.a, in.b);
    const Real b = in.b, u = in.u, e = in.e;
    // The zone is as long as the way across to the farther bank: an outfall
    // past the middle is measured from the opposite bank.
    const bool fromFarBank = Real(in.a) > b / Real(2);
    const Real a = fromFarBank ? b - Real(in.a) : Real(in.a);
    const Real s = Real(0.5) - a / b;
    // 0.5 − a/B − 1.1·(0.5 − a/B)² lies in [0, 0.225] for a in [0, B/2].
    const Real root = sqrt(s - Real(1.1) * s * s);
    const Real lm = (Real(0.11) + Real(0.7) * root) * u * b * b / e;
    return {lm.value(), a.value(), fromFarBank};
}

double offBankPlume(const OffBankPlumeInput &in)
{
    requireOutfallInRiver(in.a, in.b);
    if (in.y < -in.a || in.y > in.b - in.a)
        throw InputRejected(pointOutsideRiverMessage);
    const Real k = in.k, u = in.u, e = in.e, b = in.b, c0 = in.c0, h = in.h, q2 = in.q2, c2 = in.c2, a = in.a, y = in.y;
    const Real x = Real(in.x) * units::metresPerKm; // km -> m
    // Decay over the reach, K from 1/d to 1/s.
    const Real decay = exp(-k * x / (Real(units::secondsPerDay) * u));
    // The load of the outfall, g/s, as the free-stream plume carries it
    // through the depth: m/(H·√(4π·E·x·u)) = m/(2·H·√(π·E·x·u)), g/m3.
    const Real load = c2 * q2;
    const Real scale = load / (Real(2) * h * sqrt(Real(M_PI) * e * x * u));
    const Real spread = Real(4) * e * x;
    // The direct plume; its image behind the near bank at −a, 2a + y from the
    // point; its image behind the far bank at 2B − a, 2B − 2a − y from it.
    const Real direct = exp(-u * y * y / spread);
    const Real nearImage = Real(2) * a + y;
    const Real nearBank = exp(-u * nearImage * nearImage / spread);
    const Real farImage = Real(2) * b - Real(2) * a - y;
    const Real farBank = exp(-u * farImage * farImage / spread);
    return (decay * (c0 + scale * (direct + nearBank + farBank))).value();
}

double pulseConcentration(const PulseInput &in, double xKm, double tHours)
{
    const Real grams = Real(in.m) * gramsPerKg; // kg -> g
    const Real area = Real(in.b) * Real(in.h);
    const Real t = Real(tHours) * secondsPerHour;     // h -> s
    const Real k = Real(in.k) / units::secondsPerDay; // 1/d -> 1/s
    const Real x = Real(xKm) * units::metresPerKm;    // km -> m
    const Real u = in.u, e = in.e;
    // g/m3 = mg/L.
    const Real peakHeight = grams / (area * sqrt(Real(4) * Real(M_PI) * e * t));
    const Real travel = x - u * t; // distance of the section from the centre of the cloud
    return (peakHeight * exp(-(travel * travel) / (Real(4) * e * t) - k * t)).value();
}

double pulseConcentration(const PulseInput &in)
{
    return pulseConcentration(in, in.x, in.t);
}

double pulsePeakTime(const PulseInput &in)
{
    const Real k = Real(in.k) / units::secondsPerDay;
    const Real x = Real(in.x) * units::metresPerKm;
    const Real u = in.u, e = in.e;
    // dC/dt = 0 gives (u² + 4kE)·t² + 2E·t − x² = 0, whose positive root is
    // [−E + √(E² + (u² + 4kE)·x²)]/(u² + 4kE). It is evaluated in the equal
    // form x²/(E + √(E² + (u² + 4kE)·x²)): the subtraction of two nearly equal
    // numbers near the release is gone, and still water without decay
    // (u = k = 0) keeps its peak at x²/(2E) instead of failing on 0/0.
    const Real w = u * u + Real(4) * k * e;
    const Real seconds = x * x / (e + sqrt(e * e + w * x * x));
    return (seconds / secondsPerHour).value();
}

PulseResult pulse(const PulseInput &in)
{
    PulseResult r;
    r.c = pulseConcentration(in);
    r.peakTime = pulsePeakTime(in);
    r.peak = pulseConcentration(in, in.x, r.peakTime);
    return r;
}

double tidalReach(const TidalReachInput &in)
{
    const Real ch = in.ch, qh = in.qh, u = in.u, m = in.m, q2 = in.q2, c2 = in.c2;
    const Real k = Real(in.k) / units::secondsPerDay; // 1/d -> 1/s
    const Real x = Real(in.x) * units::metresPerKm;   // km -> m
    const Real n = sqrt(Real(1) + Real(4) * k * m / (u * u));
    const Real load = c2 * q2; // g/s
    // Upstream the tide carries the load against the net flow and it falls off
    // faster; downstream the net flow carries it.
    const Real side = x <= Real(0) ? Real(1) + n : Real(1) - n;
    return (ch + load / (qh * n) * exp(u * x / (Real(2) * m) * side)).value();
}

OxygenMixture oxygenMixture(const StreeterPhelpsInput &in)
{
    const Real q1 = in.q1, q2 = in.q2;
    const Real l0 = (q1 * Real(in.l1) + q2 * Real(in.l2)) / (q1 + q2);
    const Real do0 = (q1 * Real(in.do1) + q2 * Real(in.do2)) / (q1 + q2);
    const Real dos = Real(saturationNumerator) / (Real(saturationOffset) + Real(in.t));
    return {l0.value(), do0.value(), dos.value(), (dos - do0).value()};
}

OxygenAtSection oxygenAt(const StreeterPhelpsInput &in, double xKm)
{
    const OxygenMixture mix = oxygenMixture(in);
    const Real l0 = mix.l0, d0 = mix.d0, k1 = in.k1, k2 = in.k2, u = in.u;
    // Travel time to the section, d.
    const Real t = Real(xKm) * units::metresPerKm / (Real(units::secondsPerDay) * u);
    const Real bod = l0 * exp(-k1 * t);
    Real deficit;
    if (k1 == k2) {
        // The limit of the general form as K2 → K1, where it reads 0/0.
        deficit = (k1 * l0 * t + d0) * exp(-k1 * t);
    } else {
        deficit = k1 * l0 / (k2 - k1) * (exp(-k1 * t) - exp(-k2 * t)) + d0 * exp(-k2 * t);
    }
    return {bod.value(), deficit.value(), (Real(mix.dos) - deficit).value()};
}

CriticalPoint criticalPoint(const StreeterPhelpsInput &in)
{
    const OxygenMixture mix = oxygenMixture(in);
    const Real l0 = mix.l0, d0 = mix.d0, k1 = in.k1, k2 = in.k2, u = in.u;
    const CriticalPoint outfall{0, 0, mix.do0, true};
    Real tc;
    if (k1 == k2) {
        tc = (Real(1) - d0 / l0) / k1;
    } else {
        const Real argument = k2 / k1 * (Real(1) - d0 * (k2 - k1) / (k1 * l0));
        if (argument <= Real(0)) {
            // No turning point at any time. If the deficit falls at the outfall
            // (dD/dt = K1·L0 − K2·D0 ≤ 0) it falls all the way down: the
            // outfall is the critical point. If it rises there, the oxygen
            // falls without end and has no lowest point: the logarithm's
            // failure stands.
            if (k1 * l0 - k2 * d0 > Real(0))
                throw CalcError(Failure::InvalidArgument);
            return outfall;
        }
        tc = ln(argument) / (k2 - k1);
    }
    // The turning point lies at or above the outfall: below it the deficit falls.
    if (tc <= Real(0))
        return outfall;
    const Real xc = u * tc * kmPerDayPerMetrePerSecond;
    const Real dc = k1 / k2 * l0 * exp(-k1 * tc);
    return {tc.value(), xc.value(), (Real(mix.dos) - dc).value(), false};
}

StreeterPhelpsResult streeterPhelps(const StreeterPhelpsInput &in)
{
    StreeterPhelpsResult r;
    const OxygenAtSection atX = oxygenAt(in, in.x);
    r.bod = atX.bod;
    r.oxygen = atX.oxygen;
    r.critical = criticalPoint(in);
    r.saturation = oxygenMixture(in).dos;
    r.exhausted = r.oxygen < 0 || r.critical.oxygen < 0;
    return r;
}

} // namespace varnolek::models
