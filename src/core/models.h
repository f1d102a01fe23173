#pragma once
// Water-quality models: concentrations predicted by the analytic models of
// lakes, reservoirs and rivers. Every function evaluates its formula in the
// order written, with checked arithmetic (see arithmetic.h).

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

} // namespace varnolek::models
