#pragma once
// Water-quality models: concentrations predicted by the analytic models of
// lakes, reservoirs and rivers. Every function evaluates its formula in the
// order written, with checked arithmetic (see arithmetic.h).

#include <string>

namespace varnolek::models {

// Volume mixing: steady concentration (mg/L) in a completely mixed water body.
struct VolumeMixingInput {
    double w = 0; // load discharged into the water body, kg/d
    double q = 0; // outflow, m3/s
    double k = 0; // degradation coefficient, 1/d
    double v = 0; // volume, 10^4 m3
};
double volumeMixing(const VolumeMixingInput &in);

// Section mixing: concentration (mg/L) at a river section after a discharge
// has mixed completely with the river flow.
struct SectionMixingInput {
    double q1 = 0; // river flow, m3/s
    double c1 = 0; // river concentration, mg/L
    double q2 = 0; // wastewater flow, m3/s
    double c2 = 0; // wastewater concentration, mg/L
};
double sectionMixing(const SectionMixingInput &in);

// One-dimensional river: concentration (mg/L) at a section X km below an
// initial section, where a tributary has mixed completely with the river and
// the mixture decays while it is carried down with longitudinal dispersion.
struct OneDimensionalRiverInput {
    double k = 0;  // degradation coefficient K, 1/d
    double u = 0;  // mean flow velocity, m/s
    double e = 0;  // longitudinal dispersion coefficient, m2/s
    double q0 = 0; // river flow at the initial section, m3/s
    double c0 = 0; // concentration at the initial section, mg/L
    double x = 0;  // distance below the initial section, km
    double q2 = 0; // tributary flow between the sections, m3/s
    double c2 = 0; // tributary concentration, mg/L
};
struct OneDimensionalRiverResult {
    double c = 0;          // concentration, mg/L, held in single precision
    double distanceKm = 0; // the distance the concentration belongs to, km
};
OneDimensionalRiverResult oneDimensionalRiver(const OneDimensionalRiverInput &in);

// Two-dimensional river: concentration (mg/L) at a point X km below an outfall
// on one bank and y m out from that bank; transverse diffusion, first-order
// decay, reflection at the outfall's bank and once at the opposite bank.
struct TwoDimensionalRiverInput {
    double k = 0;  // degradation coefficient K, 1/d
    double u = 0;  // mean flow velocity, m/s
    double e = 0;  // transverse diffusion coefficient, m2/s
    double b = 0;  // river width, m
    double c0 = 0; // background concentration upstream of the outfall, mg/L
    double h = 0;  // mean depth, m
    double q2 = 0; // wastewater discharge, m3/s
    double c2 = 0; // wastewater concentration, mg/L
    double x = 0;  // distance downstream of the outfall, km
    double y = 0;  // distance from the outfall's bank, m
};
struct TwoDimensionalRiverResult {
    double c = 0;          // concentration, mg/L
    double distanceKm = 0; // downstream distance of the point, km
    double y = 0;          // distance of the point from the outfall's bank, m
};
TwoDimensionalRiverResult twoDimensionalRiver(const TwoDimensionalRiverInput &in);

// Transition zone: length of river (m) over which a pollutant decaying at the
// flow velocity falls from the upstream to the downstream concentration.
struct TransitionZoneInput {
    double k = 0;  // degradation coefficient K, 1/d
    double u = 0;  // flow velocity, m/s
    double c0 = 0; // upstream concentration, mg/L
    double c = 0;  // downstream concentration, mg/L
};
double transitionZoneLength(const TransitionZoneInput &in);

// The caption of the one-dimensional result after OK: the distance in km,
// in general decimal text ("距离初始断面 3 千米处水质浓度(mg/L)").
std::string oneDimensionalCaption(const OneDimensionalRiverResult &r);
// The caption of the two-dimensional result after OK, with both distances.
std::string twoDimensionalCaption(const TwoDimensionalRiverResult &r);

} // namespace varnolek::models
