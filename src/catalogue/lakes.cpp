// The nutrient budget of a lake or reservoir (total phosphorus or nitrogen):
// Dillon's mean concentration and capacity, Vollenweider's capacity from the
// residence time, and the retention coefficient from a measured budget or a
// settling velocity. One window, five views, double precision.
//
// Loads in t/a, volumes in 亿m3, yearly outflows in 亿m3/a, concentrations in
// mg/L; the core converts (10⁶ g per t, 10⁸ m3 per 亿m3).

#include "binding.h"
#include "entries.h"

#include "core/lakenutrients.h"

namespace catalogue {

namespace {

using varnolek::Precision;
namespace lakes = varnolek::lakenutrients;

constexpr const char *window = "lakenform";
constexpr const char *title = "湖库营养盐计算（狄龙模型、沃伦威德尔模型）";
constexpr const char *hundredMillionCubicMetres = "亿m3";

// The fields several views share, one text in the window whichever view shows it.
Field retention()
{
    return {"myr", "滞留系数R", "0.6", dimensionless};
}
Field outflow()
{
    return {"myqa", "年出湖水量Qa(亿m3/a)", "2", "亿m3/a"};
}
Field target()
{
    return {"myps", "水质目标浓度Ps(mg/L)", "0.025", "mg/L"};
}

Output capacityOutput()
{
    return patternOutput("myw", "纳污能力W(t/a)", Precision::Double, "###0.000", "t/a");
}
Output retentionOutput()
{
    return patternOutput("myrr", "滞留系数R", Precision::Double, "###0.000", dimensionless);
}

// A view of the window, selected by its one option button.
Entry view(const char *id, const char *option, const char *name)
{
    Entry e;
    e.id = std::string(window) + "/" + id;
    e.window = window;
    e.options = {option};
    e.okButton = "Command1";
    e.title = title;
    e.view = name;
    return e;
}

constexpr const char *unitsNote = "其中 10⁶ 将 t 换算为 g，10⁸ 将亿m3 换算为 m3";

} // namespace

void addLakeEntries(std::vector<Entry> &table)
{
    Entry concentration = view("dillon-concentration", "Option1", "狄龙模型·浓度");
    concentration.fields = {{"myi", "入湖总磷(氮)负荷I(t/a)", "20", "t/a"}, retention(), outflow()};
    concentration.required = {"myi", "myr", "myqa"};
    concentration.outputs = {patternOutput("myp", "湖库平均浓度[P](mg/L)", Precision::Double, "###0.0000", "mg/L")};
    // The second line is the form of the textbooks, per unit of lake area: the
    // same number, since L/(r·H) = (I/A)/((Qa/V)·(V/A)) = I/Qa.
    concentration.formula = std::string("[P] = I × 10⁶ × (1 − R) / (Qa × 10⁸)\n"
                                        "等价形式：[P] = L × (1 − R) / (r × H)\n"
                                        "L = I / A（单位面积负荷），r = Qa / V（冲刷速率），H = V / A（平均水深），"
                                        "A 为湖库水面面积，V 为湖库容积\n") +
                            unitsNote;
    concentration.symbols = {{"I", "myi"}, {"R", "myr"}, {"Qa", "myqa"}, {"[P]", "myp"}};
    using Concentration = lakes::DillonConcentrationInput;
    bindRun<Concentration>(
        concentration,
        {bind(&Concentration::i, "myi"), bind(&Concentration::r, "myr"), bind(&Concentration::qa, "myqa")},
        [](const Entry &e, const Concentration &in, Result &r) { addNumber(e, 0, lakes::dillonConcentration(in), r); });
    concentration.plot = PlotSpec::curve("myi");
    table.push_back(concentration);

    Entry dillon = view("dillon-capacity", "Option2", "狄龙模型·纳污能力");
    dillon.fields = {target(), retention(), outflow()};
    dillon.required = {"myps", "myr", "myqa"};
    dillon.outputs = {capacityOutput()};
    dillon.formula = std::string("W = Ps × (Qa × 10⁸) / (1 − R) / 10⁶\n") + unitsNote;
    dillon.symbols = {{"Ps", "myps"}, {"R", "myr"}, {"Qa", "myqa"}, {"W", "myw"}};
    using Dillon = lakes::DillonCapacityInput;
    bindRun<Dillon>(dillon, {bind(&Dillon::ps, "myps"), bind(&Dillon::r, "myr"), bind(&Dillon::qa, "myqa")},
                    [](const Entry &e, const Dillon &in, Result &r) { addNumber(e, 0, lakes::dillonCapacity(in), r); });
    dillon.plot = PlotSpec::curve("myps");
    dillon.target = "myps";
    dillon.capacity = Capacity::Receiving;
    table.push_back(dillon);

    Entry vollenweider = view("vollenweider-capacity", "Option3", "沃伦威德尔模型·纳污能力");
    vollenweider.fields = {target(), outflow(), {"myv", "湖库容积V(亿m3)", "10", hundredMillionCubicMetres}};
    vollenweider.required = {"myps", "myqa", "myv"};
    vollenweider.outputs = {patternOutput("mytw", "水力停留时间τw(a)", Precision::Double, "###0.00", "a"),
                            capacityOutput()};
    vollenweider.mainOutput = 1;
    vollenweider.formula = std::string("τw = V / Qa\n"
                                       "W = Ps × (Qa × 10⁸) × (1 + √τw) / 10⁶\n") +
                           unitsNote;
    vollenweider.symbols = {{"Ps", "myps"}, {"Qa", "myqa"}, {"V", "myv"}, {"τw", "mytw"}, {"W", "myw"}};
    using Vollenweider = lakes::VollenweiderCapacityInput;
    bindRun<Vollenweider>(
        vollenweider, {bind(&Vollenweider::ps, "myps"), bind(&Vollenweider::qa, "myqa"), bind(&Vollenweider::v, "myv")},
        [](const Entry &e, const Vollenweider &in, Result &r) {
            const lakes::VollenweiderCapacityResult w = lakes::vollenweiderCapacity(in);
            addNumber(e, 0, w.tw, r);
            addNumber(e, 1, w.w, r);
        });
    vollenweider.plot = PlotSpec::curve("myps");
    vollenweider.target = "myps";
    vollenweider.capacity = Capacity::Receiving;
    table.push_back(vollenweider);

    Entry budget = view("retention-budget", "Option4", "滞留系数·物料平衡");
    budget.fields = {{"mywin", "年入湖量Win(t/a)", "20", "t/a"}, {"mywout", "年出湖量Wout(t/a)", "8", "t/a"}};
    budget.requireEveryField();
    budget.outputs = {retentionOutput()};
    budget.formula = "R = 1 − Wout / Win";
    budget.symbols = {{"Win", "mywin"}, {"Wout", "mywout"}, {"R", "myrr"}};
    using Budget = lakes::RetentionBudgetInput;
    bindRun<Budget>(
        budget, {bind(&Budget::win, "mywin"), bind(&Budget::wout, "mywout")},
        [](const Entry &e, const Budget &in, Result &r) { addNumber(e, 0, lakes::retentionFromBudget(in), r); });
    // How the retention falls as more of the load leaves with the outflow.
    budget.plot = PlotSpec::curve("mywout");
    table.push_back(budget);

    Entry settling = view("retention-settling", "Option5", "滞留系数·沉降速度");
    settling.fields = {
        {"myvs", "表观沉降速度vs(m/a)", "10", "m/a"}, outflow(), {"mya", "湖库水面面积A(km2)", "100", "km2"}};
    settling.required = {"myvs", "myqa", "mya"};
    settling.outputs = {retentionOutput()};
    settling.formula = "qs = Qa × 10⁸ / (A × 10⁶)（面积水力负荷，m/a）\n"
                       "R = vs / (vs + qs)\n"
                       "其中 10⁸ 将亿m3 换算为 m3，10⁶ 将 km2 换算为 m2";
    settling.symbols = {{"vs", "myvs"}, {"Qa", "myqa"}, {"A", "mya"}, {"R", "myrr"}};
    using Settling = lakes::RetentionSettlingInput;
    bindRun<Settling>(
        settling, {bind(&Settling::vs, "myvs"), bind(&Settling::qa, "myqa"), bind(&Settling::a, "mya")},
        [](const Entry &e, const Settling &in, Result &r) { addNumber(e, 0, lakes::retentionFromSettling(in), r); });
    settling.plot = PlotSpec::curve("myvs");
    table.push_back(settling);
}

} // namespace catalogue
