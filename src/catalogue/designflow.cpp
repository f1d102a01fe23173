// The design flow window: the driest month of each year of a station's
// monthly means, the driest months of the last ten years read two ways, and
// the driest-month value at a guarantee rate by the rank rule, by
// interpolation and from the fitted P-III curve. Its two views read the same
// file as flows (m3/s) or as water levels (m); only their words and units differ.

#include "datafile.h"
#include "entries.h"

#include "core/arithmetic.h"
#include "core/frequency.h"
#include "core/monthlyflow.h"
#include "core/numbers.h"

namespace catalogue {

namespace {

using varnolek::Precision;
namespace hydrology = varnolek::hydrology;

// What a view calls the series, and its unit.
struct Quantity {
    const char *id;
    const char *option; // the option button that shows the view
    const char *word;   // 流量 or 水位
    const char *unit;   // m3/s or m
    const char *symbol; // of the series in the formulas
};

constexpr Quantity flow{"designflowform", "Option1", "流量", "m3/s", "Q"};
constexpr Quantity level{"designflowform/level", "Option2", "水位", "m", "Z"};

// The outputs in the order the OK press writes them.
enum OutputIndex { Mean, Note, Smallest, SmallestYear, RankRule, RankRuleYear, Interpolated, Curve };

std::string yearText(std::int16_t year)
{
    return std::to_string(year) + "年";
}

// The rate as the frequency analysis reads it: a text without a leading
// number is no rate (0), one beyond a double is not below 100; either way the
// rate's guard speaks.
double rateOf(std::string_view text)
{
    double percent = 0;
    try {
        percent = varnolek::hasLeadingNumber(text) ? varnolek::readNumber(text) : 0.0;
    } catch (const varnolek::CalcError &) {
        throw Rejected(hydrology::rateRangeMessage);
    }
    try {
        hydrology::checkRate(percent);
    } catch (const hydrology::AnalysisError &e) {
        throw Rejected(e.what());
    }
    return percent;
}

void designFlowRun(const Entry &e, const Case &c, Result &r)
{
    requireStep(e, c, 0);
    const hydrology::MonthlyFile file = monthlySeries(e, c);
    if (file.status != hydrology::FileStatus::Ok)
        throw Rejected(hydrology::checkMonthlyFileMessage, static_cast<int>(file.status));
    const double percent = rateOf(c.text("rate"));
    std::shared_ptr<const hydrology::DesignFlowAnalysis> analysis;
    hydrology::DesignFlow design;
    try {
        analysis = designFlowAnalysis(file.years);
        design = hydrology::designFlow(*analysis, percent);
    } catch (const hydrology::AnalysisError &error) {
        throw Rejected(error.what());
    }

    const hydrology::RecentDriest &recent = analysis->recent;
    addNumber(e, Mean, recent.mean, r);
    if (r.textsWanted)
        r.add(e.outputs[Note].name, hydrology::recentYearsNote(recent.years));
    addNumber(e, Smallest, recent.smallest.value, r);
    if (r.textsWanted)
        r.add(e.outputs[SmallestYear].name, yearText(recent.smallest.year));
    addNumber(e, RankRule, design.rankRule.record.value, r);
    if (r.textsWanted)
        r.add(e.outputs[RankRuleYear].name, yearText(design.rankRule.record.year));
    addNumber(e, Interpolated, design.interpolated, r);
    if (design.curve)
        addNumber(e, Curve, *design.curve, r);
    else // no curve fits the series (a river dry in every year): the box says why
        r.add(e.outputs[Curve].name, design.curveMessage);
}

Entry designFlowEntry(const Quantity &q)
{
    const std::string word = q.word, unit = q.unit, bracket = "(" + unit + ")";
    const auto value = [&](const char *name, const std::string &label) {
        return patternOutput(name, label + bracket, Precision::Double, "###0.000", unit);
    };
    const auto year = [](const char *name, const std::string &label) {
        Output o = captionOutput(name);
        o.label = label;
        return o;
    };

    Entry e;
    e.id = q.id;
    e.window = "designflowform";
    e.options = {q.option};
    e.okButton = "Command1";
    e.title = "设计流量计算（最枯月）";
    e.view = word;
    e.fields = {Field("file", "月平均资料文件", "", "", std::nullopt, FieldKind::DataFile),
                Field("rate", "设计保证率(%)", "90", "%", std::nullopt, FieldKind::Text)};
    // The file is chosen in a dialog and shown in Text1; the rate is typed
    // into `myrate`. The window keeps both.
    e.fields[0].dialog = true;
    e.fields[0].format = DataFormat::MonthlyMeans;
    e.fields[1].dialog = true;
    e.required = {"file", "rate"};
    e.outputs = {value("myq10", "近10年最枯月平均" + word),        captionOutput("Label_q10"),
                 value("myq10min", "近10年最枯月最小" + word),     year("myq10year", "最小" + word + "出现年份"),
                 value("mydesign", "排位法设计最枯月平均" + word), year("mydesignyear", "排位法对应年份"),
                 value("myinterp", "内插法设计最枯月平均" + word), value("myp3", "P-III适线法设计最枯月平均" + word)};
    e.mainOutput = RankRule;
    // The two readings of 近10年最枯月 are named where their figures are defined.
    const std::string x = q.symbol;
    e.formula = x + "i = min(" + x + "i,1, …, " + x + "i,12)：第 i 年12个月平均" + word +
                "中的最小值（缺测月份不计，该年标“缺测”）\n" + "近10年最枯月平均" + word + "：" + x + "10 = (" + x +
                "(n−9) + … + " + x + "n) / 10，读作最近10年（按年份）各年最枯月" + word +
                "的平均值；不足10年按全部年份\n" + "近10年最枯月最小" + word + "：" + x + "10min = min(" + x +
                "(n−9), …, " + x + "n)，读作最近10年中最枯的一个月的" + word + "\n" + "排位法：" + x +
                "i 由小到大排序，取第 j = ⌊(n + 1)(1 − P / 100)⌋ 位（小于1取1）\n" + "内插法：" + x +
                "i 由大到小排位 k，P_k = k / (n + 1)，在 P 两侧相邻两位之间线性内插\n" +
                "P-III适线法：x̄ 取系列均值，Cs = 2Cv，Cv 适线求得，" + x + "_P = x̄(1 + Cv·Φ(P, Cs))";
    e.symbols = {{"P", "rate"}, {x + "10", "myq10"}, {x + "10min", "myq10min"}, {x + "_P", "myp3"}};
    e.run = designFlowRun;
    e.plot.kind = PlotSpec::DriestMonths;
    e.plot.along = "rate"; // the design rate marked on the paper
    // A series of its own data file: nothing to sweep or draw at random.
    e.sweepable = false;
    return e;
}

} // namespace

void addDesignFlowEntries(std::vector<Entry> &table)
{
    table.push_back(designFlowEntry(flow));
    table.push_back(designFlowEntry(level));
}

} // namespace catalogue
