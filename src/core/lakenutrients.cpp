#include "lakenutrients.h"

#include "arithmetic.h"
#include "rejection.h"
#include "units.h"

namespace varnolek::lakenutrients {

namespace {

// R in [0, 1): R = 1 would leave nothing to flow out (and divide by zero),
// a negative R would have the sediment give back more than the lake received.
// Written so that no comparison lets a NaN through.
void requireRetention(Real r)
{
    if (!(r >= 0 && r < 1))
        throw InputRejected(retentionRangeMessage);
}

void requireOutflow(Real qa)
{
    if (!(qa > 0))
        throw InputRejected(outflowNotPositiveMessage);
}

} // namespace

double dillonConcentration(const DillonConcentrationInput &in)
{
    const Real i = in.i, r = in.r, qa = in.qa;
    requireRetention(r);
    requireOutflow(qa);
    // [P] = I·10^6·(1 − R) / (Qa·10^8): g/a over m3/a, g/m3 = mg/L.
    return ((i * units::gramsPerTonne * (Real(1) - r)) / (qa * units::cubicMetresPerHundredMillion)).value();
}

double dillonCapacity(const DillonCapacityInput &in)
{
    const Real ps = in.ps, r = in.r, qa = in.qa;
    requireRetention(r);
    requireOutflow(qa);
    // W = Ps·Qa·10^8 / (1 − R) in g/a, then / 10^6 to t/a.
    return ((ps * (qa * units::cubicMetresPerHundredMillion)) / (Real(1) - r) / units::gramsPerTonne).value();
}

VollenweiderCapacityResult vollenweiderCapacity(const VollenweiderCapacityInput &in)
{
    const Real ps = in.ps, qa = in.qa, v = in.v;
    requireOutflow(qa);
    // τw = V/Qa in years: 亿m3 over 亿m3/a. A negative volume has no square
    // root: a failure of the arithmetic, not a value.
    const Real tw = v / qa;
    // W = Ps·Qa·10^8·(1 + √τw) in g/a, then / 10^6 to t/a.
    const Real w = ps * (qa * units::cubicMetresPerHundredMillion) * (Real(1) + sqrt(tw)) / units::gramsPerTonne;
    return {tw.value(), w.value()};
}

double retentionFromBudget(const RetentionBudgetInput &in)
{
    const Real win = in.win, wout = in.wout;
    // Nothing (or less than nothing) entering has no share retained.
    if (!(win > 0))
        throw InputRejected(retentionRangeMessage);
    const Real r = Real(1) - wout / win;
    // Wout > Win gives R < 0; Wout ≤ 0 gives R ≥ 1.
    requireRetention(r);
    return r.value();
}

double retentionFromSettling(const RetentionSettlingInput &in)
{
    const Real vs = in.vs, qa = in.qa, a = in.a;
    // A negative settling velocity puts R below 0 or above 1 (or leaves it
    // undefined when vs + qs = 0): rejected before the division.
    if (!(vs >= 0))
        throw InputRejected(retentionRangeMessage);
    requireOutflow(qa);
    // qs = Qa·10^8 / (A·10^6), m3/a over m2: m/a.
    const Real qs = (qa * units::cubicMetresPerHundredMillion) / (a * units::squareMetresPerSquareKm);
    const Real r = vs / (vs + qs);
    // A negative area, or vs so large that qs is lost in the sum (R = 1).
    requireRetention(r);
    return r.value();
}

} // namespace varnolek::lakenutrients
