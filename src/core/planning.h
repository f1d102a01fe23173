#pragma once
// Environmental capacity and load planning: the water environmental capacity
// of a river reach or a lake, the present load set against a capacity (giving
// the remaining capacity or the load reduction), and the same balance
// projected to a planning year. Every function evaluates its formulas in the
// order written, with checked arithmetic (see arithmetic.h); the steps held in
// single precision are rounded where they arise.
//
// Units: flows m3/s, concentrations mg/L (= g/m3), K 1/d, loads t/a.
// 86.4 turns g/s into kg/d, 0.001 turns g/d into kg/d, 0.365 kg/d into t/a.

namespace varnolek::planning
{

enum class WaterBody { OneWay, TwoWay, Lake };

// A present or projected load set against a capacity.
struct Balance {
    double r = 0; // capacity − load, t/a
    // Zero counts as remaining capacity.
    bool remaining() const { return r >= 0; }
    // The value shown: the remaining capacity, or the load reduction (load − capacity).
    double shown() const { return remaining() ? r : -r; }
    // What the result is, as its caption says.
    const char *caption() const { return remaining() ? "剩余环境容量(t/a)" : "排污削减量(t/a)"; }
};

// ---- Water environmental capacity ------------------------------------------

// Fields in the order they are read. For a lake, b is the volume in 10^4 m3
// and h, l, q1, c1, d take no part; q1, c1 and d serve only the two-way river.
struct CapacityInput {
    double k = 0;  // degradation coefficient K, 1/d
    double q0 = 0; // upstream inflow, m3/s
    double b = 0;  // channel width, m (lake: volume, 10^4 m3)
    double c0 = 0; // concentration of the upstream inflow, mg/L
    double q2 = 0; // tributary flow with wastewater (lake: wastewater flow), m3/s
    double l = 0;  // reach length, km
    double s = 0;  // safety factor, 0..1
    double cs = 0; // target concentration, mg/L
    double h = 0;  // mean depth, m
    double q1 = 0; // inflow from downstream while the flow is reversed, m3/s
    double c1 = 0; // concentration of that downstream water, mg/L
    double d = 0;  // days per year of reversed flow, d/a
};
// The capacity W in t/a, after the safety factor. The mass balance W′ is held
// in single precision before the safety factor is applied.
double environmentalCapacity(WaterBody body, const CapacityInput &in);

// ---- Source-load model ------------------------------------------------------

// The pollution sources of a catchment in the base year.
struct Sources {
    double n = 0;  // population, persons
    double a = 0;  // wastewater per person, L/(person·d)
    double cd = 0; // concentration of domestic wastewater, mg/L
    double pd = 0; // loss rate of domestic sources
    double f = 0;  // arable land, mu (1500 per mu in the runoff volume)
    double k = 0;  // runoff coefficient
    double p = 0;  // annual rainfall, mm
    double pa = 0; // loss rate of agricultural non-point sources
    double cr = 0; // concentration in runoff, mg/L
};
// Domestic load Gd = ((((pd × 0.365) × 10^−6) × N) × A) × Cd, t/a.
double domesticLoad(const Sources &s);
// Agricultural non-point load Ga = ((((pa × P) × Cr) × (F × 1500)) × k) × 10^−9, t/a.
double agriculturalLoad(const Sources &s);
// Present total load G = (Gd + Ga) + I, t/a, with the industrial load I.
double sourceLoad(const Sources &s, double i);

// ---- Load reduction and remaining capacity -----------------------------------

// Present load from monitoring of the water body, fields in the order read.
// For a lake, b is the volume in 10^4 m3 and h, l take no part; d, q2, c2
// serve only the two-way river.
struct MonitoredInput {
    double k = 0;  // degradation coefficient K, 1/d
    double q0 = 0; // upstream inflow, m3/s
    double b = 0;  // channel width, m (lake: volume, 10^4 m3)
    double c0 = 0; // concentration of the upstream inflow, mg/L
    double q1 = 0; // flow joining the upstream inflow, m3/s
    double l = 0;  // reach length, km
    double e = 0;  // environmental capacity, t/a (used in single precision)
    double c = 0;  // monitored concentration in the low-water period, mg/L
    double h = 0;  // mean depth, m
    double d = 0;  // days per year of reversed flow, d/a
    double q2 = 0; // inflow from downstream while the flow is reversed, m3/s
    double c2 = 0; // concentration of that downstream water, mg/L
};
// The present load G from the monitored concentration.
double monitoredLoad(WaterBody body, const MonitoredInput &in);
// E − G, with E rounded to single precision.
Balance monitoredBalance(WaterBody body, const MonitoredInput &in);

// Present load from the sources of the catchment.
struct SourceInput {
    Sources sources;
    double i = 0;  // industrial load, t/a
    double e4 = 0; // environmental capacity, t/a (used in single precision)
};
// E4 − G, with E4 rounded to single precision.
Balance sourceBalance(const SourceInput &in);

// ---- Total pollution load control ------------------------------------------

// The base-year domestic and agricultural loads, each held in single precision.
struct BaseLoads {
    float gd = 0; // domestic, t/a
    float ga = 0; // agricultural non-point, t/a
};
BaseLoads baseYearLoads(const Sources &s);

// The water body whose mass balance gives the present total load.
struct WaterBodyInput {
    double k = 0;    // degradation coefficient K, 1/d
    double qin = 0;  // inflow from upstream, m3/s
    double cin = 0;  // concentration of the inflow, mg/L
    double c = 0;    // concentration in the water body, low-water period, mg/L
    double qout = 0; // outflow, m3/s
    double v = 0;    // volume, m3
};
// Present total load G = 0.365 × (86.4 × (Qout × C − Qin × Cin) + ((0.001 × K) × V) × C), t/a.
double waterBodyLoad(const WaterBodyInput &in);
// The industrial load I = (G − Gd) − Ga in single precision; a negative estimate is 0.
float estimatedIndustrialLoad(const BaseLoads &base, const WaterBodyInput &in);

// The planning year.
struct Projection {
    double n = 0;     // base-year population, persons
    double n1 = 0;    // planning-year population, persons
    double beta = 0;  // coefficient of change in land type and cultivation
    double alpha = 0; // technology progress coefficient
    double g = 0;     // yearly growth rate of industrial output, fraction
    double t = 0;     // years from the base year to the planning year
    double i = 0;     // base-year industrial load, t/a
    double w = 0;     // environmental capacity, t/a
};
// R = W − ((Td + Ta) + Ti), with Td = (Gd × N1) / N, Ta = Ga × β, Ti = (I × α) × (1 + g)^t.
Balance projectedBalance(const BaseLoads &base, const Projection &in);

// The whole calculation, for callers that need no intermediate step.
// Known industrial load: in.i is the typed base-year industrial load.
struct ControlInput {
    Sources sources;
    double n1 = 0, beta = 0, alpha = 0, g = 0, t = 0;
    double i = 0; // base-year industrial load, t/a (ignored when it is estimated)
    double w = 0; // environmental capacity, t/a
};
Balance knownIndustrialControl(const ControlInput &in);
struct EstimatedControl {
    float i = 0; // the estimated industrial load, t/a
    Balance balance;
};
EstimatedControl estimatedIndustrialControl(const ControlInput &in, const WaterBodyInput &body);

} // namespace varnolek::planning
