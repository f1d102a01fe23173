// The river models of the guidelines for surface-water impact assessment: the
// length of the mixing zone, the plume of an outfall away from the bank, an
// instantaneous release, the tide-averaged tidal reach and the oxygen sag
// below a sewage outfall. Lengths in m, distances X along the river in km,
// decay rates in 1/d.

#include "binding.h"
#include "entries.h"

#include "core/rivermodels.h"

namespace catalogue {

namespace {

using varnolek::Precision;
namespace models = varnolek::models;

// The digit patterns of these windows: concentrations to 0.001 mg/L, lengths
// to 0.01.
constexpr const char *concentrationPattern = "###0.000";
constexpr const char *lengthPattern = "###0.00";

Entry mixingLength()
{
    Entry entry;
    entry.id = "mixlenform";
    entry.window = "mixlenform";
    entry.okButton = "Command1";
    entry.title = "混合过程段长度计算";
    entry.fields = {{"myb", "河流水面宽度B(m)", "30", "m"},
                    {"mya", "排放口距岸边的距离a(m)", "0", "m"},
                    {"myu", "断面平均流速u(m/s)", "2.0", "m/s"},
                    {"mye", "横向扩散系数Ey(m2/s)", "0.1", "m2/s"}};
    entry.requireEveryField();
    entry.outputs = {patternOutput("mylm", "混合过程段长度Lm(m)", Precision::Double, lengthPattern, "m")};
    // The last line is the rule for an outfall past the middle of the river:
    // the sheet and the formula window print it under the formula.
    entry.formula = "Lm = {0.11 + 0.7 × [0.5 − a/B − 1.1 × (0.5 − a/B)²]^(1/2)} × u × B² / Ey\n"
                    "a > B/2：按距对岸距离 B − a 计算";
    entry.symbols = {{"B", "myb"}, {"a", "mya"}, {"u", "myu"}, {"Ey", "mye"}, {"Lm", "mylm"}};
    using In = models::MixingLengthInput;
    bindRun<In>(entry, {bind(&In::b, "myb"), bind(&In::a, "mya"), bind(&In::u, "myu"), bind(&In::e, "mye")},
                [](const Entry &e, const In &in, Result &r) { addNumber(e, 0, models::mixingLength(in).lm, r); });
    // From the near bank across to the far one: the zone is longest from a
    // bank and shortest from the middle.
    entry.plot.kind = PlotSpec::AcrossRiver;
    entry.plot.across = "mya";
    entry.plot.width = "myb";
    return entry;
}

Entry offBankPlume()
{
    Entry entry;
    entry.id = "my2dcform";
    entry.window = "my2dcform";
    entry.okButton = "Command1";
    entry.title = "二维水质计算（非岸边排放）";
    // The fields of the plume of a bank outfall, with the same names, and
    // where the outfall and the point lie across the river.
    entry.fields = plumeFields();
    entry.fields.push_back({"mya", "排污口距近岸的距离a(m)", "10", "m"});
    entry.fields.push_back({"myy", "计算点距排污口的横向距离y(m，向对岸为正)", "5", "m"});
    entry.requireEveryField();
    entry.outputs = {patternOutput("myc", "计算点水质浓度(mg/L)", Precision::Double, concentrationPattern, "mg/L")};
    entry.formula = "x = X × 1000，m = C2 × Q2\n"
                    "C = exp(−K × x / (86400 × u)) × {C0 + m / (2 × H × √(π × E × x × u)) × "
                    "[exp(−u × y² / (4 × E × x)) + exp(−u × (2a + y)² / (4 × E × x)) + "
                    "exp(−u × (2B − 2a − y)² / (4 × E × x))]}";
    entry.symbols = {{"K", "myk"},   {"u", "myu"},   {"E", "mye"}, {"B", "myb"}, {"C0", "myc0"}, {"H", "myh"},
                     {"Q2", "myq2"}, {"C2", "myc2"}, {"X", "myx"}, {"a", "mya"}, {"y", "myy"},   {"C", "myc"}};
    using In = models::OffBankPlumeInput;
    bindRun<In>(entry,
                {bind(&In::k, "myk"), bind(&In::u, "myu"), bind(&In::e, "mye"), bind(&In::b, "myb"),
                 bind(&In::c0, "myc0"), bind(&In::h, "myh"), bind(&In::q2, "myq2"), bind(&In::c2, "myc2"),
                 bind(&In::x, "myx"), bind(&In::a, "mya"), bind(&In::y, "myy")},
                [](const Entry &e, const In &in, Result &r) { addNumber(e, 0, models::offBankPlume(in), r); });
    entry.plot.kind = PlotSpec::MapAndProfile;
    entry.plot.along = "myx";
    entry.plot.across = "myy";
    entry.plot.width = "myb";
    entry.plot.bank = "mya";
    return entry;
}

Entry pulse()
{
    Entry entry;
    entry.id = "pulseform";
    entry.window = "pulseform";
    entry.okButton = "Command1";
    entry.title = "一维河流瞬时排放水质计算";
    entry.fields = {{"mym", "瞬时排放污染物质量M(kg)", "1000", "kg"},
                    {"myb", "河宽B(m)", "40", "m"},
                    {"myh", "平均水深h(m)", "2", "m"},
                    {"myu", "断面平均流速u(m/s)", "0.5", "m/s"},
                    {"mye", "纵向离散系数Ex(m2/s)", "50", "m2/s"},
                    {"myk", "降解系数K(1/d)", "0.2", "1/d"},
                    {"myx", "计算断面距排放点的距离X(km)", "10", "km"},
                    {"myt", "排放后的时间t(h)", "6", "h"}};
    entry.requireEveryField();
    entry.outputs = {patternOutput("myc", "C(X,t)(mg/L)", Precision::Double, "###0.0000", "mg/L"),
                     patternOutput("mytp", "该断面峰值出现时间(h)", Precision::Double, "###0.00", "h"),
                     patternOutput("mycp", "该断面峰值浓度(mg/L)", Precision::Double, "###0.0000", "mg/L")};
    entry.formula = "M 以 g 计，A = B × h，t 以 s 计，k = K / 86400，x = X × 1000\n"
                    "C = M / (A × √(4π × Ex × t)) × exp(−(x − u × t)² / (4 × Ex × t) − k × t)\n"
                    "t* = [−Ex + √(Ex² + (u² + 4k × Ex) × x²)] / (u² + 4k × Ex)\n"
                    "Cp = C(X, t*)";
    entry.symbols = {{"M", "mym"}, {"B", "myb"}, {"h", "myh"}, {"u", "myu"},   {"Ex", "mye"}, {"K", "myk"},
                     {"X", "myx"}, {"t", "myt"}, {"C", "myc"}, {"t*", "mytp"}, {"Cp", "mycp"}};
    using In = models::PulseInput;
    bindRun<In>(entry,
                {bind(&In::m, "mym"), bind(&In::b, "myb"), bind(&In::h, "myh"), bind(&In::u, "myu"),
                 bind(&In::e, "mye"), bind(&In::k, "myk"), bind(&In::x, "myx"), bind(&In::t, "myt")},
                [](const Entry &e, const In &in, Result &r) {
                    const models::PulseResult p = models::pulse(in);
                    addNumber(e, 0, p.c, r);
                    addNumber(e, 1, p.peakTime, r);
                    addNumber(e, 2, p.peak, r);
                });
    // The passage of the cloud at the section, to three times its peak, and
    // the cloud along the river at the time asked for.
    entry.plot.kind = PlotSpec::TimeAndDistance;
    entry.plot.along = "myt";
    entry.plot.span = 3;
    entry.plot.peakAt = "mytp";
    entry.plot.peakValue = "mycp";
    entry.plot.second = "myx";
    return entry;
}

Entry tidalReach()
{
    Entry entry;
    entry.id = "estuaryform";
    entry.window = "estuaryform";
    entry.okButton = "Command1";
    entry.title = "感潮河段一维水质计算（潮平均）";
    entry.fields = {
        {"myc0", "上游来水浓度Ch(mg/L)", "0", "mg/L"}, {"myq", "河流净泄流量Qh(m3/s)", "100", "m3/s"},
        {"myu", "潮平均净流速u(m/s)", "0.1", "m/s"},   {"mye", "潮平均纵向离散系数M(m2/s)", "100", "m2/s"},
        {"myk", "降解系数K(1/d)", "0.2", "1/d"},       {"myq2", "排污口废水量(m3/s)", "1", "m3/s"},
        {"myc2", "废水浓度(mg/L)", "100", "mg/L"},     {"myx", "计算点距排污口的距离X(km，上游为负)", "1", "km"}};
    entry.requireEveryField();
    entry.outputs = {patternOutput("myc", "计算点水质浓度(mg/L)", Precision::Double, concentrationPattern, "mg/L")};
    entry.formula = "m = C2 × Q2，k = K / 86400，x = X × 1000\n"
                    "N = √(1 + 4 × k × M / u²)\n"
                    "C = Ch + m / (Qh × N) × exp(u × x / (2M) × (1 + N))　（x ≤ 0，排污口上游）\n"
                    "C = Ch + m / (Qh × N) × exp(u × x / (2M) × (1 − N))　（x > 0，排污口下游）";
    entry.symbols = {{"Ch", "myc0"}, {"Qh", "myq"},  {"u", "myu"}, {"M", "mye"}, {"K", "myk"},
                     {"Q2", "myq2"}, {"C2", "myc2"}, {"X", "myx"}, {"C", "myc"}};
    using In = models::TidalReachInput;
    bindRun<In>(entry,
                {bind(&In::ch, "myc0"), bind(&In::qh, "myq"), bind(&In::u, "myu"), bind(&In::m, "mye"),
                 bind(&In::k, "myk"), bind(&In::q2, "myq2"), bind(&In::c2, "myc2"), bind(&In::x, "myx")},
                [](const Entry &e, const In &in, Result &r) { addNumber(e, 0, models::tidalReach(in), r); });
    // Up and down the reach from the outfall: the tide carries the load both ways.
    entry.plot = PlotSpec::bothSides("myx");
    return entry;
}

Entry oxygenSag()
{
    Entry entry;
    entry.id = "spform";
    entry.window = "spform";
    entry.okButton = "Command1";
    entry.title = "河流溶解氧计算（S-P模型）";
    entry.fields = {{"myq1", "河流流量(m3/s)", "20", "m3/s"},
                    {"myl1", "河水BOD(mg/L)", "3", "mg/L"},
                    {"mydo1", "河水溶解氧(mg/L)", "7", "mg/L"},
                    {"myq2", "废水量(m3/s)", "1", "m3/s"},
                    {"myl2", "废水BOD(mg/L)", "200", "mg/L"},
                    {"mydo2", "废水溶解氧(mg/L)", "0", "mg/L"},
                    {"myt", "水温T(℃)", "20", "℃"},
                    {"myk1", "耗氧系数K1(1/d)", "0.3", "1/d"},
                    {"myk2", "复氧系数K2(1/d)", "0.6", "1/d"},
                    {"myu", "断面平均流速u(m/s)", "0.5", "m/s"},
                    {"myx", "计算断面距排污口的距离X(km)", "10", "km"}};
    entry.requireEveryField();
    entry.outputs = {patternOutput("myl", "X处BOD(mg/L)", Precision::Double, "###0.00", "mg/L"),
                     patternOutput("mydo", "X处溶解氧(mg/L)", Precision::Double, "###0.00", "mg/L"),
                     patternOutput("mytc", "临界时间tc(d)", Precision::Double, "###0.000", "d"),
                     patternOutput("myxc", "临界距离xc(km)", Precision::Double, "###0.00", "km"),
                     patternOutput("mydoc", "临界点溶解氧(mg/L)", Precision::Double, "###0.00", "mg/L"),
                     captionOutput("Label_exhausted")};
    // The oxygen at the section is what a sweep, a plot or a Monte Carlo run follows.
    entry.mainOutput = 1;
    entry.formula = "t = X × 1000 / (86400 × u)\n"
                    "L0 = (Q1 × L1 + Q2 × L2) / (Q1 + Q2)，DO0 = (Q1 × DO1 + Q2 × DO2) / (Q1 + Q2)\n"
                    "DOs = 468 / (31.6 + T)，D0 = DOs − DO0\n"
                    "L = L0 × exp(−K1 × t)\n"
                    "D = K1 × L0 / (K2 − K1) × [exp(−K1 × t) − exp(−K2 × t)] + D0 × exp(−K2 × t)，DO = DOs − D\n"
                    "tc = ln{(K2 / K1) × [1 − D0 × (K2 − K1) / (K1 × L0)]} / (K2 − K1)\n"
                    "xc = u × tc × 86.4\n"
                    "DOc = DOs − (K1 / K2) × L0 × exp(−K1 × tc)\n"
                    "K1 = K2 = K：D = (K × L0 × t + D0) × exp(−K × t)，tc = (1 − D0 / L0) / K\n"
                    "对数的真数 ≤ 0 或 tc ≤ 0：临界点在排污口，xc = 0，DOc = DO0";
    entry.symbols = {{"Q1", "myq1"}, {"L1", "myl1"},   {"DO1", "mydo1"}, {"Q2", "myq2"},
                     {"L2", "myl2"}, {"DO2", "mydo2"}, {"T", "myt"},     {"K1", "myk1"},
                     {"K2", "myk2"}, {"u", "myu"},     {"X", "myx"},     {"L", "myl"},
                     {"DO", "mydo"}, {"tc", "mytc"},   {"xc", "myxc"},   {"DOc", "mydoc"}};
    using In = models::StreeterPhelpsInput;
    bindRun<In>(entry,
                {bind(&In::q1, "myq1"), bind(&In::l1, "myl1"), bind(&In::do1, "mydo1"), bind(&In::q2, "myq2"),
                 bind(&In::l2, "myl2"), bind(&In::do2, "mydo2"), bind(&In::t, "myt"), bind(&In::k1, "myk1"),
                 bind(&In::k2, "myk2"), bind(&In::u, "myu"), bind(&In::x, "myx")},
                [](const Entry &e, const In &in, Result &r) {
                    // The section first: where the sag has no lowest point the
                    // oxygen at X still stands beside the failure's report.
                    const models::OxygenAtSection at = models::oxygenAt(in, in.x);
                    addNumber(e, 0, at.bod, r);
                    addNumber(e, 1, at.oxygen, r);
                    const models::StreeterPhelpsResult sag = models::streeterPhelps(in);
                    addNumber(e, 2, sag.critical.tc, r);
                    addNumber(e, 3, sag.critical.xc, r);
                    addNumber(e, 4, sag.critical.oxygen, r);
                    if (!r.textsWanted)
                        return;
                    // Below zero the values stand as computed, and the caption
                    // says the model no longer holds.
                    r.add(e.outputs[5].name, sag.exhausted ? models::oxygenExhaustedText : "");
                    r.levels.push_back({"饱和溶解氧DOs", sag.saturation});
                });
    entry.plot.kind = PlotSpec::Sag;
    entry.plot.along = "myx";
    entry.plot.peakAt = "myxc";
    entry.plot.peakValue = "mydoc";
    return entry;
}

} // namespace

void addRiverEntries(std::vector<Entry> &table)
{
    table.push_back(mixingLength());
    table.push_back(offBankPlume());
    table.push_back(pulse());
    table.push_back(tidalReach());
    table.push_back(oxygenSag());
}

} // namespace catalogue
