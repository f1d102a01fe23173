#pragma once
// Pollutant-receiving capacity: the load (t/a) an outfall may discharge so that
// a control circle or control point just meets the water-quality standard.
// Every function evaluates its formula in the order written, with checked
// arithmetic (see arithmetic.h); the loads are converted from g/s to t/a by
// 86.4 (g/s to kg/d) and then 0.365 (kg/d to t/a).

namespace varnolek::capacity {

// Lake or reservoir: the discharge spreads radially over a sector of the lake
// through the mean depth and decays on its way out to the control circle.
struct LakeReservoirInput {
    double k = 0;  // degradation coefficient K, 1/d
    double q = 0;  // inflow, m3/s
    double a = 0;  // radiating angle of the outfall, degrees
    double r = 0;  // radius of the control circle, m
    double cs = 0; // water-quality standard on the circle, mg/L
    double h = 0;  // mean depth, m
};
double lakeReservoir(const LakeReservoirInput &in);

// River reach, one-dimensional: the load mixes completely at the outfall and
// decays by plug flow down to the control point.
struct OneDimensionalRiverInput {
    double k = 0;  // degradation coefficient K, 1/d
    double q0 = 0; // river flow upstream of the outfall, m3/s
    double c0 = 0; // background concentration of the river, mg/L
    double cs = 0; // water-quality standard at the control point, mg/L
    double q2 = 0; // wastewater flow through the outfall, m3/s
    double u = 0;  // mean flow velocity, m/s
    double x = 0;  // distance from the outfall down to the control point, m
};
double oneDimensionalRiver(const OneDimensionalRiverInput &in);

// River reach, two-dimensional: the bank-outfall plume (transverse diffusion,
// first-order decay, one reflection at each bank) solved for the load.
struct TwoDimensionalRiverInput {
    double k = 0;  // degradation coefficient K, 1/d
    double u = 0;  // mean flow velocity, m/s
    double e = 0;  // transverse diffusion coefficient, m2/s
    double b = 0;  // river width, m
    double c0 = 0; // background concentration of the river, mg/L
    double h = 0;  // mean depth, m
    double cs = 0; // water-quality standard at the control point, mg/L
    double y = 0;  // distance of the control point from the outfall's bank, m
    double x = 0;  // distance of the control point downstream of the outfall, m
};
double twoDimensionalRiver(const TwoDimensionalRiverInput &in);

} // namespace varnolek::capacity
