#pragma once
// Nutrients in lakes and reservoirs: the yearly phosphorus (or nitrogen)
// budget of a completely mixed lake after Dillon and Vollenweider. The load
// entering in a year leaves with the outflow or stays in the sediment; the
// retention coefficient R is the share that stays.
//
// Loads are in t/a (10^6 g/a), volumes and yearly outflows in 亿m3 (10^8 m3),
// concentrations in mg/L (= g/m3). Every function checks its guards in the
// order of the window's fields, throwing InputRejected (see rejection.h) with
// the message below, then evaluates its formula in the order written with
// checked arithmetic (see arithmetic.h).

namespace varnolek::lakenutrients {

// The guards, as the window and varnolek-calc say them (title 提示).
inline constexpr const char *retentionRangeMessage = "滞留系数应不小于0且小于1";
inline constexpr const char *outflowNotPositiveMessage = "年出湖水量必须大于零";

// Dillon: mean concentration [P] = I·(1 − R)/Qa, mg/L.
struct DillonConcentrationInput {
    double i = 0;  // load entering the lake, t/a
    double r = 0;  // retention coefficient, in [0, 1)
    double qa = 0; // yearly outflow, 亿m3/a
};
double dillonConcentration(const DillonConcentrationInput &in);

// Dillon: the load the lake may take, W = Ps·Qa/(1 − R), t/a, so that its
// mean concentration just meets the target Ps.
struct DillonCapacityInput {
    double ps = 0; // target concentration, mg/L
    double r = 0;  // retention coefficient, in [0, 1)
    double qa = 0; // yearly outflow, 亿m3/a
};
double dillonCapacity(const DillonCapacityInput &in);

// Vollenweider: the retention taken from the residence time,
// W = Ps·Qa·(1 + √τw) with τw = V/Qa.
struct VollenweiderCapacityInput {
    double ps = 0; // target concentration, mg/L
    double qa = 0; // yearly outflow, 亿m3/a
    double v = 0;  // lake volume, 亿m3
};
struct VollenweiderCapacityResult {
    double tw = 0; // hydraulic residence time τw, a
    double w = 0;  // capacity, t/a
};
VollenweiderCapacityResult vollenweiderCapacity(const VollenweiderCapacityInput &in);

// Retention from the measured budget, R = 1 − Wout/Win. A lake that gives
// out more than it takes in, or takes in nothing, has no retention in [0, 1).
struct RetentionBudgetInput {
    double win = 0;  // load entering in a year, t/a
    double wout = 0; // load leaving in a year, t/a
};
double retentionFromBudget(const RetentionBudgetInput &in);

// Retention from the apparent settling velocity, R = vs/(vs + qs), with the
// areal hydraulic load qs = Qa/A in m/a.
struct RetentionSettlingInput {
    double vs = 0; // apparent settling velocity, m/a
    double qa = 0; // yearly outflow, 亿m3/a
    double a = 0;  // lake surface area, km2
};
double retentionFromSettling(const RetentionSettlingInput &in);

} // namespace varnolek::lakenutrients
