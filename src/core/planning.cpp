#include "planning.h"

#include "arithmetic.h"
#include "units.h"

namespace varnolek::planning
{

namespace
{
Real metres(double km)
{
    return Real(km) * units::metresPerKm;
}
Real cubicMetres(double tenThousandM3)
{
    return Real(tenThousandM3) * units::cubicMetresPerTenThousand;
}
} // namespace

double environmentalCapacity(WaterBody body, const CapacityInput &in)
{
    const Real k = in.k, q0 = in.q0, b = in.b, c0 = in.c0, q2 = in.q2;
    const Real l = metres(in.l);
    const Real s = in.s, cs = in.cs, h = in.h, q1 = in.q1, c1 = in.c1, d = in.d;

    switch (body) {
    case WaterBody::OneWay: {
        // W′ = 86.4 × (Q0 × (Cs − C0) + Q2 × Cs) + 0.001 × K × H × B × L × Cs, kg/d
        const Real flow = (q0 * (cs - c0) + q2 * cs) * units::gramsPerSecondToKgPerDay;
        const Real decay = Real(0.001) * k * h * b * l * cs;
        const float w = toSingle(flow + decay);
        return (Real(units::kgPerDayToTonnesPerYear) * (s * w)).value();
    }
    case WaterBody::Lake: {
        // As the one-way river with the lake volume V in place of H × B × L.
        const Real v = cubicMetres(in.b);
        const Real flow = (q0 * (cs - c0) + q2 * cs) * units::gramsPerSecondToKgPerDay;
        const Real decay = Real(0.001) * k * v * cs;
        const float w = toSingle(flow + decay);
        return (Real(units::kgPerDayToTonnesPerYear) * (s * w)).value();
    }
    case WaterBody::TwoWay: {
        // Flow terms weighted by days per year (365 − D forward, D reversed,
        // 365 tributary) give kg/a, / 1000 gives t/a; the decay part is kg/d × 0.365.
        const Real flow = (q0 * (cs - c0) * (Real(365) - d) + q1 * (cs - c1) * d + Real(365) * q2 * cs) * units::gramsPerSecondToKgPerDay / units::kgPerTonne;
        const Real decay = Real(0.001) * k * h * b * l * cs * units::kgPerDayToTonnesPerYear;
        const float w = toSingle(flow + decay);
        return (s * w).value();
    }
    }
    return 0;
}

double domesticLoad(const Sources &s)
{
    // N × A × Cd is mg/d; 10^−6 turns it into kg/d, 0.365 into t/a.
    return (Real(s.pd) * units::kgPerDayToTonnesPerYear * pow(10, -6) * s.n * s.a * s.cd).value();
}

double agriculturalLoad(const Sources &s)
{
    // Rainfall (mm) × area (1500 per mu) gives litres of rain; × mg/L × 10^−9 gives t.
    const Real area = Real(s.f) * 1500;
    return (Real(s.pa) * s.p * s.cr * area * s.k * pow(10, -9)).value();
}

double sourceLoad(const Sources &s, double i)
{
    const Real gd = domesticLoad(s);
    const Real ga = agriculturalLoad(s);
    return (gd + ga + i).value();
}

double monitoredLoad(WaterBody body, const MonitoredInput &in)
{
    const Real k = in.k, q0 = in.q0, c0 = in.c0, q1 = in.q1, c = in.c;
    const Real v = body == WaterBody::Lake ? cubicMetres(in.b) : Real(in.b) * in.h * metres(in.l);

    if (body == WaterBody::TwoWay) {
        const Real d = in.d, q2 = in.q2, c2 = in.c2;
        const Real flow = (q0 * (c - c0) * (Real(365) - d) + q2 * (c - c2) * d + Real(365) * q1 * c) * units::gramsPerSecondToKgPerDay / units::kgPerTonne;
        const Real decay = Real(0.001) * k * v * c * units::kgPerDayToTonnesPerYear;
        return (flow + decay).value();
    }
    // G = 0.365 × [86.4 × ((Q0 + Q1) × C − Q0 × C0) + 0.001 × K × V × C]
    const Real flow = ((q0 + q1) * c - q0 * c0) * units::gramsPerSecondToKgPerDay;
    const Real decay = Real(0.001) * k * v * c;
    return (Real(units::kgPerDayToTonnesPerYear) * (flow + decay)).value();
}

Balance monitoredBalance(WaterBody body, const MonitoredInput &in)
{
    const Real e = toSingle(in.e);
    const Real g = monitoredLoad(body, in);
    return {(e - g).value()};
}

Balance sourceBalance(const SourceInput &in)
{
    const Real e4 = toSingle(in.e4);
    const Real g = sourceLoad(in.sources, in.i);
    return {(e4 - g).value()};
}

BaseLoads baseYearLoads(const Sources &s)
{
    BaseLoads base;
    base.gd = toSingle(domesticLoad(s));
    base.ga = toSingle(agriculturalLoad(s));
    return base;
}

double waterBodyLoad(const WaterBodyInput &in)
{
    const Real k = in.k, qin = in.qin, cin = in.cin, c = in.c, qout = in.qout, v = in.v;
    const Real flow = (qout * c - qin * cin) * units::gramsPerSecondToKgPerDay;
    const Real decay = Real(0.001) * k * v * c;
    return ((flow + decay) * units::kgPerDayToTonnesPerYear).value();
}

float estimatedIndustrialLoad(const BaseLoads &base, const WaterBodyInput &in)
{
    const Real g = waterBodyLoad(in);
    const float i = toSingle(g - base.gd - base.ga);
    // The other sources may account for more than the water body shows.
    return i >= 0 ? i : 0.0f;
}

Balance projectedBalance(const BaseLoads &base, const Projection &in)
{
    const Real td = Real(base.gd) * in.n1 / in.n;
    const Real ta = Real(base.ga) * in.beta;
    const Real ti = Real(in.i) * in.alpha * pow(Real(1) + in.g, in.t);
    return {(Real(in.w) - (td + ta + ti)).value()};
}

namespace
{
Projection projection(const ControlInput &in, double i)
{
    return {in.sources.n, in.n1, in.beta, in.alpha, in.g, in.t, i, in.w};
}
} // namespace

Balance knownIndustrialControl(const ControlInput &in)
{
    const BaseLoads base = baseYearLoads(in.sources);
    return projectedBalance(base, projection(in, in.i));
}

EstimatedControl estimatedIndustrialControl(const ControlInput &in, const WaterBodyInput &body)
{
    const BaseLoads base = baseYearLoads(in.sources);
    EstimatedControl out;
    out.i = estimatedIndustrialLoad(base, body);
    out.balance = projectedBalance(base, projection(in, out.i));
    return out;
}

} // namespace varnolek::planning
