#pragma once
// River models of the technical guidelines for environmental impact
// assessment of surface water: the length of the mixing zone below an outfall,
// the plume of an outfall away from the bank, an instantaneous release (a
// spill), the tide-averaged concentration of a tidal reach, and the oxygen sag
// below a sewage outfall (Streeter-Phelps).
//
// Every function evaluates its formula in the order written, in double
// precision with π as M_PI, with checked arithmetic (see arithmetic.h): a
// failure throws CalcError and nothing non-finite reaches a result. An input
// that places the outfall or the point outside the river is refused before
// anything is computed, with an InputRejected carrying the prompt's message
// (see rejection.h).
//
// Decay rates K are in 1/d (K/86400 in 1/s); distances X along the river are
// in km, other lengths in m.

namespace varnolek::models {

// The prompts of the guards.
inline constexpr const char *outfallOutsideRiverMessage = "排放口距岸边的距离应在0与河宽之间";
inline constexpr const char *pointOutsideRiverMessage = "计算点应在河道内";

// ---- Length of the mixing zone ---------------------------------------------

// Lm = {0.11 + 0.7·[0.5 − a/B − 1.1·(0.5 − a/B)²]^(1/2)}·u·B²/Ey, the
// distance below the outfall at which the discharge has mixed across the
// river, with a the distance from the outfall to the nearer bank.
struct MixingLengthInput {
    double b = 0; // water-surface width of the river B, m
    double a = 0; // distance of the outfall from the bank a, m
    double u = 0; // mean velocity of the section u, m/s
    double e = 0; // transverse diffusion coefficient Ey, m2/s
};
struct MixingLengthResult {
    double lm = 0;            // length of the mixing zone Lm, m
    double a = 0;             // distance to the nearer bank the formula took, m
    bool fromFarBank = false; // a > B/2: the distance taken is B − a
};
// Rejects a < 0 and a > B with outfallOutsideRiverMessage.
MixingLengthResult mixingLength(const MixingLengthInput &in);

// ---- Two-dimensional plume of an outfall away from the bank -----------------

// An outfall a m from the near bank; the point X km downstream and y m across
// from the outfall, positive towards the far bank. Transverse diffusion,
// first-order decay, and one reflection at each bank:
//   C = exp(−K·x/(86400·u))·{C0 + m/(2·H·√(π·E·x·u))·[e^(−u·y²/(4·E·x))
//       + e^(−u·(2a + y)²/(4·E·x)) + e^(−u·(2B − 2a − y)²/(4·E·x))]}
// with x = X·1000 m and the load m = C2·Q2 g/s.
struct OffBankPlumeInput {
    double k = 0;  // degradation coefficient K, 1/d
    double u = 0;  // mean flow velocity, m/s
    double e = 0;  // transverse diffusion coefficient, m2/s
    double b = 0;  // river width B, m
    double c0 = 0; // background concentration upstream of the outfall, mg/L
    double h = 0;  // mean depth H, m
    double q2 = 0; // wastewater discharge, m3/s
    double c2 = 0; // wastewater concentration, mg/L
    double x = 0;  // distance downstream of the outfall X, km
    double a = 0;  // distance of the outfall from the near bank, m
    double y = 0;  // distance across from the outfall, towards the far bank positive, m
};
// The concentration at the point, mg/L. Rejects a outside [0, B] with
// outfallOutsideRiverMessage, then y outside [−a, B − a] with
// pointOutsideRiverMessage.
double offBankPlume(const OffBankPlumeInput &in);

// ---- One-dimensional instantaneous release ---------------------------------

// A mass M released at once into the river spreads by longitudinal dispersion
// as it is carried down and decays:
//   C(x, t) = M/(A·√(4·π·E·t))·exp(−(x − u·t)²/(4·E·t) − k·t)
// with M in g, A = B·h, t in s, k = K/86400 and x = X·1000.
struct PulseInput {
    double m = 0; // mass released M, kg
    double b = 0; // river width B, m
    double h = 0; // mean depth h, m
    double u = 0; // mean flow velocity u, m/s
    double e = 0; // longitudinal dispersion coefficient Ex, m2/s
    double k = 0; // degradation coefficient K, 1/d
    double x = 0; // distance of the section below the release X, km
    double t = 0; // time since the release t, h
};
struct PulseResult {
    double c = 0;        // C(X, t), mg/L
    double peakTime = 0; // t*, the time the concentration peaks at X, h
    double peak = 0;     // C(X, t*), mg/L
};
// C at a distance xKm (km) and a time tHours (h) after the release, mg/L, the
// other quantities taken from in: the curves against time at X and against
// distance at t are drawn with it.
double pulseConcentration(const PulseInput &in, double xKm, double tHours);
// C(X, t) of the input.
double pulseConcentration(const PulseInput &in);
// t* = [−E + √(E² + (u² + 4kE)·x²)]/(u² + 4kE) at X, in h, evaluated as the
// equal x²/(E + √(E² + (u² + 4kE)·x²)) (see rivermodels.cpp).
double pulsePeakTime(const PulseInput &in);
// All three in the order the results are written.
PulseResult pulse(const PulseInput &in);

// ---- Tidal reach, tide-averaged --------------------------------------------

// With N = √(1 + 4·k·M/u²), k = K/86400, m = C2·Q2 and x = X·1000:
//   C = Ch + m/(Qh·N)·exp((u·x/(2M))·(1 + N))  upstream of the outfall, x ≤ 0
//   C = Ch + m/(Qh·N)·exp((u·x/(2M))·(1 − N))  downstream, x > 0
struct TidalReachInput {
    double ch = 0; // concentration of the water from upstream Ch, mg/L
    double qh = 0; // net freshwater discharge of the river Qh, m3/s
    double u = 0;  // tide-averaged net velocity u, m/s
    double m = 0;  // tide-averaged longitudinal dispersion coefficient M, m2/s
    double k = 0;  // degradation coefficient K, 1/d
    double q2 = 0; // wastewater discharge, m3/s
    double c2 = 0; // wastewater concentration, mg/L
    double x = 0;  // distance of the point from the outfall X, upstream negative, km
};
// The concentration at X, mg/L; the curve on both sides of the outfall is
// drawn with it, X varied.
double tidalReach(const TidalReachInput &in);

// ---- Dissolved oxygen: Streeter-Phelps -------------------------------------

// The river and the wastewater mix completely at the outfall; BOD decays at K1
// and the oxygen deficit is replenished at K2 as the water flows down at u.
inline constexpr const char *oxygenExhaustedText = "（溶解氧已耗尽，模型不再适用）";

struct StreeterPhelpsInput {
    double q1 = 0;  // river flow, m3/s
    double l1 = 0;  // BOD of the river, mg/L
    double do1 = 0; // dissolved oxygen of the river, mg/L
    double q2 = 0;  // wastewater flow, m3/s
    double l2 = 0;  // BOD of the wastewater, mg/L
    double do2 = 0; // dissolved oxygen of the wastewater, mg/L
    double t = 0;   // water temperature T, °C
    double k1 = 0;  // deoxygenation coefficient K1, 1/d
    double k2 = 0;  // reaeration coefficient K2, 1/d
    double u = 0;   // mean flow velocity u, m/s
    double x = 0;   // distance of the section below the outfall X, km
};

// The state just below the outfall.
struct OxygenMixture {
    double l0 = 0;  // BOD of the mixture L0, mg/L
    double do0 = 0; // dissolved oxygen of the mixture DO0, mg/L
    double dos = 0; // saturation DOs = 468/(31.6 + T), mg/L
    double d0 = 0;  // initial deficit D0 = DOs − DO0, mg/L
};
// L0 and DO0 weighted by the two flows, DOs and D0.
OxygenMixture oxygenMixture(const StreeterPhelpsInput &in);

// BOD and oxygen at a section, after the travel time t = X·1000/(86400·u) d:
//   L = L0·e^(−K1·t)
//   D = K1·L0/(K2 − K1)·(e^(−K1·t) − e^(−K2·t)) + D0·e^(−K2·t), or
//   D = (K·L0·t + D0)·e^(−K·t) where K1 = K2 = K
//   DO = DOs − D
struct OxygenAtSection {
    double bod = 0;     // L, mg/L
    double deficit = 0; // D, mg/L
    double oxygen = 0;  // DO, mg/L
};
// At xKm (km) below the outfall, the rest from in: the sag curve DO(x) is
// drawn with it.
OxygenAtSection oxygenAt(const StreeterPhelpsInput &in, double xKm);

// The point of the lowest oxygen:
//   tc = ln{(K2/K1)·[1 − D0·(K2 − K1)/(K1·L0)]}/(K2 − K1), or
//   tc = (1 − D0/L0)/K where K1 = K2 = K;
//   xc = u·tc·86.4 km; Dc = (K1/K2)·L0·e^(−K1·tc); DOc = DOs − Dc.
// Where the logarithm's argument is ≤ 0 or tc ≤ 0 the deficit falls from the
// outfall on: the critical point is the outfall, tc = xc = 0 and DOc = DO0.
struct CriticalPoint {
    double tc = 0;          // critical time, d
    double xc = 0;          // critical distance, km
    double oxygen = 0;      // DOc, mg/L
    bool atOutfall = false; // no sag below the outfall: the critical point is the outfall
};
// Throws CalcError(InvalidArgument) where the logarithm's argument is ≤ 0 but
// the deficit still rises at the outfall (no reaeration, K2 ≤ 0, or a
// supersaturated mixture with K2 < K1): the oxygen then keeps falling with no
// lowest point at any finite distance.
CriticalPoint criticalPoint(const StreeterPhelpsInput &in);

struct StreeterPhelpsResult {
    double bod = 0;    // BOD at X, mg/L
    double oxygen = 0; // DO at X, mg/L
    CriticalPoint critical;
    double saturation = 0; // DOs, mg/L, marked on the sag curve
    // DO at X or DOc below zero: the values are shown as computed, beside
    // oxygenExhaustedText, since the model no longer holds once the oxygen is gone.
    bool exhausted = false;
};
StreeterPhelpsResult streeterPhelps(const StreeterPhelpsInput &in);

} // namespace varnolek::models
