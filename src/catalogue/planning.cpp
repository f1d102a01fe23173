// The planning windows: environmental capacity, load reduction or remaining
// capacity, and total-load control in a planning year.

#include "binding.h"
#include "entries.h"
#include "labels.h"

#include "core/numbers.h"
#include "core/planning.h"

namespace catalogue {

namespace {

using varnolek::Precision;
using namespace varnolek::planning;

// ---- Water environmental capacity (single precision) ----------------------

Field capK()
{
    return {"myk", labels::decay, "0.2", "1/d", Range{0.02, 0.5}};
}
Field capQ0()
{
    return {"myq0", "上游来水流量(m3/s)", "200", "m3/s"};
}
Field capC0()
{
    return {"myc0", "上游来水中污染物浓度(mg/L)", "6", "mg/L"};
}
Field riverB()
{
    return {"myb", labels::riverWidth, "30", "m"};
}
Field riverH()
{
    return {"myh", labels::riverDepth, "2", "m"};
}
Field riverL()
{
    return {"myl", "河道长度(km)", "10", "km"};
}
Field lakeB()
{
    return {"myb", " 湖泊或水库体积(万m3)", "1000", "万m3"};
}
Field reverseDays()
{
    return {"myd", "一年中河道出现反向流的天数(d/a)", "90", "d/a"};
}

// The fields of a water-body view: the common head, then the lake's volume or
// the river's width, depth and length, and the reversed-flow fields of a
// two-way river.
std::vector<Field> bodyFields(std::vector<Field> head, WaterBody body, std::initializer_list<Field> reverse)
{
    if (body == WaterBody::Lake) {
        head.push_back(lakeB());
        return head;
    }
    head.insert(head.end(), {riverB(), riverH(), riverL()});
    if (body == WaterBody::TwoWay)
        head.insert(head.end(), reverse);
    return head;
}

// The completeness set of a water-body view: the head, then the river's
// length and depth, then the two-way river's own fields.
std::vector<std::string> bodyRequired(std::vector<std::string> head, WaterBody body,
                                      std::initializer_list<std::string> reverse)
{
    if (body != WaterBody::Lake)
        head.insert(head.end(), {"myl", "myh"});
    if (body == WaterBody::TwoWay)
        head.insert(head.end(), reverse);
    return head;
}

// The capacity of one water body: its run carries the body.
RunFunction capacityRun(Entry &entry, WaterBody body)
{
    static const Bindings<CapacityInput> bindings = {
        bind(&CapacityInput::k, "myk"),   bind(&CapacityInput::q0, "myq0"), bind(&CapacityInput::b, "myb"),
        bind(&CapacityInput::c0, "myc0"), bind(&CapacityInput::q2, "myq2"), bind(&CapacityInput::l, "myl"),
        bind(&CapacityInput::s, "mysb"),  bind(&CapacityInput::cs, "mycs"), bind(&CapacityInput::h, "myh"),
        bind(&CapacityInput::q1, "myq1"), bind(&CapacityInput::c1, "myc1"), bind(&CapacityInput::d, "myd")};
    record(entry, bindings);
    return [body](const Entry &e, const Case &c, Result &r) {
        requireStep(e, c, 0);
        addNumber(e, 0, environmentalCapacity(body, read(c, bindings)), r);
    };
}

// ---- Load reduction and remaining capacity (double precision) -------------

// The caption that says what the number is, then the number.
void addBalance(const Entry &e, const Balance &b, Result &r)
{
    r.balance = b.r;
    if (r.textsWanted)
        r.add(e.outputs[e.mainOutput - 1].name, b.caption());
    addNumber(e, std::size_t(e.mainOutput), b.shown(), r);
}

// The pollution sources of the catchment, as both load windows name them.
const Bindings<Sources> &sourceBindings()
{
    static const Bindings<Sources> bindings = {
        bind(&Sources::n, "myn"),    bind(&Sources::a, "mya"),   bind(&Sources::cd, "myc"),
        bind(&Sources::pd, "myls1"), bind(&Sources::f, "myf"),   bind(&Sources::k, "myjl"),
        bind(&Sources::p, "myth"),   bind(&Sources::pa, "myls"), bind(&Sources::cr, "myc1")};
    return bindings;
}

const Bindings<MonitoredInput> &monitoredBindings()
{
    static const Bindings<MonitoredInput> bindings = {
        bind(&MonitoredInput::k, "myk"),   bind(&MonitoredInput::q0, "myq0"), bind(&MonitoredInput::b, "myb"),
        bind(&MonitoredInput::c0, "myc0"), bind(&MonitoredInput::q1, "myq1"), bind(&MonitoredInput::l, "myl"),
        bind(&MonitoredInput::e, "myw"),   bind(&MonitoredInput::c, "mycs"),  bind(&MonitoredInput::h, "myh"),
        bind(&MonitoredInput::d, "myd"),   bind(&MonitoredInput::q2, "myq2"), bind(&MonitoredInput::c2, "myc2")};
    return bindings;
}

// The industrial load and the capacity the sources are set against.
struct SourceTotals {
    double i = 0, e4 = 0;
};
const Bindings<SourceTotals> &sourceTotalBindings()
{
    static const Bindings<SourceTotals> bindings = {bind(&SourceTotals::i, "myw3"), bind(&SourceTotals::e4, "myw4")};
    return bindings;
}

// The window reads both of its frames, whichever is shown, before anything is
// checked: a monitored water body, then the sources.
void readBothFrames(const Case &c, MonitoredInput &monitored, SourceInput &sources)
{
    monitored = read(c, monitoredBindings());
    sources.sources = read(c, sourceBindings());
    const SourceTotals totals = read(c, sourceTotalBindings());
    sources.i = totals.i;
    sources.e4 = totals.e4;
}

void recordBothFrames(Entry &e)
{
    record(e, monitoredBindings());
    record(e, sourceBindings());
    record(e, sourceTotalBindings());
}

RunFunction monitoredRun(Entry &entry, WaterBody body)
{
    recordBothFrames(entry);
    return [body](const Entry &e, const Case &c, Result &r) {
        MonitoredInput monitored;
        SourceInput sources;
        readBothFrames(c, monitored, sources);
        requireStep(e, c, 0);
        addBalance(e, monitoredBalance(body, monitored), r);
    };
}

RunFunction sourcesRun(Entry &entry)
{
    recordBothFrames(entry);
    return [](const Entry &e, const Case &c, Result &r) {
        MonitoredInput monitored;
        SourceInput sources;
        readBothFrames(c, monitored, sources);
        // No completeness check here: an empty source field counts as 0.
        addBalance(e, sourceBalance(sources), r);
    };
}

// ---- Total-load control in the planning year ------------------------------

// The planning year, but for its industrial load, which is given or estimated.
const Bindings<Projection> &projectionBindings()
{
    static const Bindings<Projection> bindings = {bind(&Projection::n, "myn"),    bind(&Projection::n1, "myn1"),
                                                  bind(&Projection::beta, "myr"), bind(&Projection::alpha, "mya2"),
                                                  bind(&Projection::g, "mya1"),   bind(&Projection::t, "myy"),
                                                  bind(&Projection::w, "myw")};
    return bindings;
}

Projection projectionOf(const Case &c, double industrialLoad)
{
    Projection p = read(c, projectionBindings());
    p.i = industrialLoad;
    return p;
}

// The industrial load of the base year, when it is known.
struct KnownIndustry {
    double i = 0; // t/a
};
const Bindings<KnownIndustry> &knownIndustryBindings()
{
    static const Bindings<KnownIndustry> bindings = {bind(&KnownIndustry::i, "myw3")};
    return bindings;
}

const Bindings<WaterBodyInput> &waterBodyBindings()
{
    static const Bindings<WaterBodyInput> bindings = {
        bind(&WaterBodyInput::k, "myk"),  bind(&WaterBodyInput::qin, "myq0"),  bind(&WaterBodyInput::cin, "myc0"),
        bind(&WaterBodyInput::c, "mycs"), bind(&WaterBodyInput::qout, "myq1"), bind(&WaterBodyInput::v, "myv")};
    return bindings;
}

// The sources are checked and their loads computed before the planning year
// is checked.
void controlKnown(const Entry &e, const Case &c, Result &r)
{
    requireStep(e, c, 0);
    const BaseLoads base = baseYearLoads(read(c, sourceBindings()));
    requireStep(e, c, 1);
    addBalance(e, projectedBalance(base, projectionOf(c, read(c, knownIndustryBindings()).i)), r);
}

void estimate(const Entry &e, const Case &c, Result &r, bool checkPlanningYear);

} // namespace

void checkBeforeEstimate(const Entry &e, const Case &c, std::size_t step)
{
    requireStep(e, c, 0);
    baseYearLoads(read(c, sourceBindings()));
    requireStep(e, c, step);
}

void estimateAfterWaterBody(const Entry &e, const Case &c, Result &r)
{
    estimate(e, c, r, false);
}

namespace {

void estimate(const Entry &e, const Case &c, Result &r, bool checkPlanningYear)
{
    requireStep(e, c, 0);
    const BaseLoads base = baseYearLoads(read(c, sourceBindings()));
    if (checkPlanningYear)
        requireStep(e, c, 1);
    requireStep(e, c, 2);
    const float i = estimatedIndustrialLoad(base, read(c, waterBodyBindings()));
    addNumber(e, 0, i, r);
    addBalance(e, projectedBalance(base, projectionOf(c, i)), r);
}

// Both steps of the estimate at once: the sources, then the water body.
void controlEstimated(const Entry &e, const Case &c, Result &r)
{
    estimate(e, c, r, true);
}

std::vector<std::string> sourceRequired()
{
    return {"myn", "mya", "myc", "myls", "myls1", "myf", "myjl", "myth", "myc1"};
}

std::vector<Field> controlFields(bool known)
{
    std::vector<Field> fields = {{"myn", "水体集流区内人口数(人)", "10000", "人"},
                                 {"mya", "人均废水量(100-350L/人*d)", "200", "L/人*d", Range{100, 350}},
                                 {"myc", "生活废水浓度(100-350mg/L)", "200", "mg/L", Range{100, 350}},
                                 {"myf", "水体集流区内耕地面积(亩)", "10000", "亩"},
                                 {"myjl", "径流系数(0.1-1)", "0.7", "无量纲", Range{0.1, 1}},
                                 {"myls1", "生活污染源流失率(0.2-1.0)", "0.8", "无量纲", Range{0.2, 1.0}},
                                 {"myls", "农业面源流失率(0.2-1.0)", "0.7", "无量纲", Range{0.2, 1.0}},
                                 {"myth", "年降雨量(mm)", "1000", "mm"},
                                 {"myy", "规划年与基准年间隔年数(年)", "10", "年"},
                                 {"myc1", "径流中污染物的浓度(mg/L)", "60", "mg/L"},
                                 {"myr", "土地类型及耕种方式改变系数", "1.0", "无量纲"},
                                 {"myn1", "水体集流区内规划年人口数(人)", "15000", "人"},
                                 {"mya2", "技术进步系数(0.2-0.8)", "0.7", "无量纲", Range{0.2, 0.8}},
                                 {"mya1", "工业产值增长率", "0.08", "无量纲"}};
    if (known)
        fields.push_back({"myw3", "排入水体的工业污染物总量(t/a)", "1000", "t/a"});
    fields.push_back({"myw", "水体环境容量(t/a)", "20000", "t/a"});
    if (!known)
        fields.insert(fields.end(), {{"myk", labels::decayRange, "0.2", "1/d", Range{0.02, 0.5}},
                                     {"myq0", "上游来水流量(m3/s)", "80", "m3/s"},
                                     {"myc0", "上游来水中污染物浓度(mg/L)", "6", "mg/L"},
                                     {"mycs", "枯水期时水体中污染物的浓度(mg/L)", "8", "mg/L"},
                                     {"myq1", "水体的出流量(m3/s)", "100", "m3/s"},
                                     {"myv", "水体的体积(m3)", "30000", "m3"}});
    return fields;
}

constexpr const char *sourceFormula = "Gd = pd × 0.365 × 10⁻⁶ × N × A × Cd\n"
                                      "Ga = pa × P × Cr × (F × 1500) × k × 10⁻⁹\n";
std::vector<Symbol> sourceSymbols()
{
    return {{"N", "myn"},  {"A", "mya"},  {"Cd", "myc"},  {"pd", "myls1"}, {"F", "myf"},
            {"k", "myjl"}, {"P", "myth"}, {"pa", "myls"}, {"Cr", "myc1"}};
}

// The result caption that says whether the number is a reduction or a remaining capacity.
constexpr const char *reductionCaption = "排污削减量(t/a):";

} // namespace

void addPlanningEntries(std::vector<Entry> &table)
{
    struct BodyView {
        WaterBody body;
        const char *name;        // the part of the id
        const char *view;        // the option's caption
        const char *option;      // myvolform's option button
        const char *revolOption; // myRevolform's option button
    };
    const BodyView bodies[] = {{WaterBody::OneWay, "one-way", "单向河流", "Option1", "Option1"},
                               {WaterBody::TwoWay, "two-way", "双向河流", "Option3", "Option5"},
                               {WaterBody::Lake, "lake", "水库或湖泊", "Option2", "Option2"}};

    for (const BodyView &b : bodies) {
        const bool lake = b.body == WaterBody::Lake;
        Entry e;
        e.id = std::string("myvolform/") + b.name;
        e.window = "myvolform";
        e.options = {b.option};
        e.okButton = "caculv";
        e.title = "水环境容量计算";
        e.view = b.view;
        const Field q2{"myq2", lake ? "排入水库或湖泊的废水量(m3/s)" : "支流流量(包括废水量)(m3/s)", "50", "m3/s"};
        e.fields = bodyFields({capK(),
                               capQ0(),
                               capC0(),
                               {"mycs", "目标水质(mg/L)", "8", "mg/L"},
                               q2,
                               {"mysb", "安全系数(范围0-1.0)", "0.8", "无量纲", Range{0, 1.0}}},
                              b.body,
                              {reverseDays(),
                               {"myq1", "反向流时下游来水流量(m3/s)", "100", "m3/s"},
                               {"myc1", "反向流时下游水中污染物浓度(mg/L)", "9", "mg/L"}});
        e.required =
            bodyRequired({"myk", "myq0", "myc0", "myb", "myq2", "mycs", "mysb"}, b.body, {"myd", "myc1", "myq1"});
        e.outputs = {patternOutput("myw", lake ? "水库或湖泊的环境容量(t/a):" : "河道的环境容量(t/a):",
                                   Precision::Single, "#########0.000", "t/a")};
        switch (b.body) {
        case WaterBody::OneWay:
            e.formula = "W' = 86.4 × (Q0 × (Cs − C0) + Q2 × Cs) + 0.001 × K × H × B × (L × 1000) × Cs  (kg/d)\n"
                        "W = 0.365 × (s × W')";
            e.symbols = {{"K", "myk"},  {"Q0", "myq0"}, {"C0", "myc0"}, {"Cs", "mycs"}, {"Q2", "myq2"},
                         {"s", "mysb"}, {"B", "myb"},   {"H", "myh"},   {"L", "myl"},   {"W", "myw"}};
            break;
        case WaterBody::Lake:
            e.formula = "W' = 86.4 × (Q0 × (Cs − C0) + Q2 × Cs) + 0.001 × K × (V × 10000) × Cs  (kg/d)\n"
                        "W = 0.365 × (s × W')";
            e.symbols = {{"K", "myk"},   {"Q0", "myq0"}, {"C0", "myc0"}, {"Cs", "mycs"},
                         {"Q2", "myq2"}, {"s", "mysb"},  {"V", "myb"},   {"W", "myw"}};
            break;
        case WaterBody::TwoWay:
            e.formula = "W' = 86.4 × (Q0 × (Cs − C0) × (365 − D) + Q1 × (Cs − C1) × D + 365 × Q2 × Cs) / 1000\n"
                        "     + 0.001 × K × H × B × (L × 1000) × Cs × 0.365  (t/a)\n"
                        "W = s × W'";
            e.symbols = {{"K", "myk"},   {"Q0", "myq0"}, {"C0", "myc0"}, {"Cs", "mycs"}, {"Q2", "myq2"},
                         {"s", "mysb"},  {"B", "myb"},   {"H", "myh"},   {"L", "myl"},   {"D", "myd"},
                         {"Q1", "myq1"}, {"C1", "myc1"}, {"W", "myw"}};
            break;
        }
        e.run = capacityRun(e, b.body);
        e.plot = PlotSpec::curve("mycs");
        e.target = "mycs";
        e.capacity = Capacity::Environmental;
        table.push_back(e);
    }

    for (const BodyView &b : bodies) {
        Entry e;
        e.id = std::string("myRevolform/monitoring/") + b.name;
        e.window = "myRevolform";
        e.options = {b.revolOption, "Option3"};
        e.okButton = "caculv";
        e.title = "剩余环境容量计算";
        e.view = std::string("已知现状水体水质监测值 · ") + b.view;
        // The joining flow is named as the outflow once a water body is chosen.
        const Field q1{"myq1", b.body == WaterBody::OneWay ? "支流流量(m3/s)" : "水体出流流量(m3/s)", "50", "m3/s"};
        e.fields = bodyFields({capK(),
                               capQ0(),
                               capC0(),
                               {"mycs", "枯水期时水体中污染物的浓度(mg/L)", "8", "mg/L"},
                               q1,
                               {"myw", "水体环境容量(t/a)", "30000", "t/a"}},
                              b.body,
                              {reverseDays(),
                               {"myq2", "反向流时下游来水流量(m3/s)", "100", "m3/s"},
                               {"myc2", "反向流时下游水中污染物浓度(mg/L)", "9", "mg/L"}});
        e.required =
            bodyRequired({"myk", "myq0", "myc0", "myb", "myq1", "mycs", "myw"}, b.body, {"myq2", "myc2", "myd"});
        e.outputs = {captionOutput("Label9"),
                     patternOutput("myw1", reductionCaption, Precision::Double, "#########0.000", "t/a")};
        e.mainOutput = 1;
        e.balance = true;
        const bool lake = b.body == WaterBody::Lake;
        const char *volume = lake ? "V = V(万m3) × 10000" : "V = B × H × (L × 1000)";
        e.formula = std::string(volume) + "\n" +
                    (b.body == WaterBody::TwoWay
                         ? "G = 86.4 × (Q0 × (C − C0) × (365 − D) + Q2 × (C − C2) × D + 365 × Q1 × C) / 1000"
                           " + 0.001 × K × V × C × 0.365\n"
                         : "G = 0.365 × (86.4 × ((Q0 + Q1) × C − Q0 × C0) + 0.001 × K × V × C)\n") +
                    "R = E − G；R ≥ 0 为剩余环境容量 R，R < 0 为排污削减量 −R";
        e.symbols = {{"K", "myk"}, {"Q0", "myq0"}, {"C0", "myc0"}, {"C", "mycs"}, {"Q1", "myq1"}, {"E", "myw"}};
        if (lake) {
            e.symbols.push_back({"V", "myb"});
        } else {
            e.symbols.insert(e.symbols.end(), {{"B", "myb"}, {"H", "myh"}, {"L", "myl"}});
            if (b.body == WaterBody::TwoWay)
                e.symbols.insert(e.symbols.end(), {{"D", "myd"}, {"Q2", "myq2"}, {"C2", "myc2"}});
        }
        e.symbols.push_back({"R", "myw1"});
        e.run = monitoredRun(e, b.body);
        e.plot.kind = PlotSpec::LoadBars;
        e.plot.capacity = "myw";
        e.plot.loadName = "现状污染负荷";
        table.push_back(e);
    }

    Entry sources;
    sources.id = "myRevolform/sources";
    sources.window = "myRevolform";
    sources.options = {"Option4"};
    sources.okButton = "caculv";
    sources.title = "剩余环境容量计算";
    sources.view = "已知现状污染物排放总量";
    sources.fields = {{"myn", "水体集流区内人口数(人)", "10000", "人"},
                      {"mya", "人均废水量(100-350L/人*d)", "200", "L/人*d", Range{100, 350}},
                      {"myc", "生活废水浓度(100-350mg/L)", "200", "mg/L", Range{100, 350}},
                      {"myf", "水体集流区内耕地面积(亩)", "10000", "亩"},
                      {"myjl", "径流系数(0.1-1)", "0.7", "无量纲", Range{0.1, 1}},
                      {"myth", "年降雨量(mm)", "2000", "mm"},
                      {"myls", "农业面源流失率(0.2-0.8)", "0.7", "无量纲", Range{0.2, 0.8}},
                      {"myc1", "径流中污染物浓度(mg/L)", "60", "mg/L"},
                      {"myw3", "排入水体的工业污染物总量(t/a)", "100", "t/a"},
                      {"myw4", "水体环境容量(t/a)", "3000", "t/a"},
                      {"myls1", "生活污染源流失率(0.2-1.0)", "0.8", "无量纲", Range{0.2, 1.0}}};
    sources.outputs = {captionOutput("Label9"),
                       patternOutput("myw1", reductionCaption, Precision::Double, "#########0.000", "t/a")};
    sources.mainOutput = 1;
    sources.balance = true;
    sources.formula = std::string(sourceFormula) + "G = Gd + Ga + I\n"
                                                   "R = E4 − G；R ≥ 0 为剩余环境容量 R，R < 0 为排污削减量 −R";
    sources.symbols = sourceSymbols();
    sources.symbols.insert(sources.symbols.end(), {{"I", "myw3"}, {"E4", "myw4"}, {"R", "myw1"}});
    sources.run = sourcesRun(sources);
    sources.plot.kind = PlotSpec::LoadBars;
    sources.plot.capacity = "myw4";
    sources.plot.loadName = "现状污染负荷";
    sources.plot.sourcesView = "myRevolform/sources";
    sources.plot.industry = "myw3";
    sources.plot.farmland = "myf";
    table.push_back(sources);

    constexpr const char *controlPattern = "############0.000";
    const std::string projection = "Td = Gd × N1 / N, Ta = Ga × β, Ti = I × α × (1 + g)^t\n"
                                   "R = W − (Td + Ta + Ti)；R ≥ 0 为剩余环境容量 R，R < 0 为排污削减量 −R";
    std::vector<Symbol> projectionSymbols = sourceSymbols();
    projectionSymbols.insert(projectionSymbols.end(), {{"N1", "myn1"},
                                                       {"β", "myr"},
                                                       {"α", "mya2"},
                                                       {"g", "mya1"},
                                                       {"t", "myy"},
                                                       {"I", "myw3"},
                                                       {"W", "myw"},
                                                       {"R", "myw4"}});

    Entry known;
    known.id = "mycontrolV/known";
    known.window = "mycontrolV";
    known.options = {"Option3"};
    known.okButton = "caculv";
    known.title = "水污染总量控制计算";
    known.view = "已知基准年各污染源排放量";
    known.fields = controlFields(true);
    known.required = sourceRequired();
    known.required.insert(known.required.end(), {"myy", "myn1", "myr", "mya1", "mya2", "myw3", "myw"});
    known.steps = {sourceRequired().size(), known.required.size()};
    known.outputs = {captionOutput("Label9"),
                     patternOutput("myw4", reductionCaption, Precision::Double, controlPattern, "t/a")};
    known.mainOutput = 1;
    known.balance = true;
    known.formula = std::string(sourceFormula) + projection;
    known.symbols = projectionSymbols;
    known.run = controlKnown;
    record(known, sourceBindings());
    record(known, projectionBindings(), 1); // its industrial load is given apart
    record(known, knownIndustryBindings());
    known.plot.kind = PlotSpec::LoadBars;
    known.plot.capacity = "myw";
    known.plot.loadName = "规划年污染负荷";
    known.plot.sourcesView = "mycontrolV/known";
    known.plot.industry = "myw3";
    known.plot.farmland = "myf";
    table.push_back(known);

    Entry estimate;
    estimate.id = "mycontrolV/estimate";
    estimate.window = "mycontrolV";
    estimate.options = {"Option4"};
    estimate.okButton = "caculv";
    estimate.okPresses = 2;
    estimate.title = "水污染总量控制计算";
    estimate.view = "工业污染源排放量未知";
    estimate.fields = controlFields(false);
    estimate.required = sourceRequired();
    estimate.required.insert(estimate.required.end(), {"myy", "myn1", "myr", "mya1", "mya2", "myw"});
    const std::size_t planningEnd = estimate.required.size();
    estimate.required.insert(estimate.required.end(), {"myk", "myc0", "myq0", "myq1", "myv", "mycs"});
    estimate.steps = {sourceRequired().size(), planningEnd, estimate.required.size()};
    Output industry;
    industry.name = "myw3";
    industry.label = "排入水体的工业污染物总量(t/a)";
    industry.unit = "t/a";
    industry.format = Format::General;
    industry.precision = Precision::Single;
    estimate.outputs = {industry, captionOutput("Label9"),
                        patternOutput("myw4", reductionCaption, Precision::Double, controlPattern, "t/a")};
    estimate.mainOutput = 2;
    estimate.balance = true;
    estimate.formula = std::string(sourceFormula) +
                       "G = 0.365 × (86.4 × (Qout × C − Qin × Cin) + 0.001 × K × V × C)\n"
                       "I = G − Gd − Ga（小于 0 时取 0）\n" +
                       projection;
    estimate.symbols = projectionSymbols;
    estimate.symbols.insert(
        estimate.symbols.end(),
        {{"K", "myk"}, {"Qin", "myq0"}, {"Cin", "myc0"}, {"C", "mycs"}, {"Qout", "myq1"}, {"V", "myv"}});
    estimate.run = controlEstimated;
    record(estimate, sourceBindings());
    record(estimate, waterBodyBindings());
    record(estimate, projectionBindings(), 1); // its industrial load is estimated
    estimate.plot = known.plot;
    estimate.plot.estimate = "myw3";
    table.push_back(estimate);
}

} // namespace catalogue
