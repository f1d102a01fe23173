// The parameter windows: the degradation coefficient K and the design level
// year, and the frequency analysis of the level year's series.

#include "binding.h"
#include "datafile.h"
#include "entries.h"
#include "labels.h"

#include "core/frequency.h"
#include "core/hydrology.h"
#include "core/numbers.h"
#include "core/parameters.h"

#include <charconv>

namespace catalogue {

namespace {

using varnolek::Precision;
namespace parameters = varnolek::parameters;
namespace hydrology = varnolek::hydrology;

std::string indexed(const Group &group, int i)
{
    return group.name + "." + std::to_string(i);
}

// The table has as many rows as the highest index given; a row left out of
// the case reads 0, as an emptied row of the window does.
void multiPoint(const Entry &e, const Case &c, Result &r)
{
    int rows = 0;
    for (const auto &field : c.fields) {
        const auto dot = field.first.find('.');
        if (dot == std::string_view::npos)
            continue;
        const std::string_view digits = field.first.substr(dot + 1);
        int index = 0;
        const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (parsed.ec != std::errc() || parsed.ptr != digits.data() + digits.size() || index < 0 ||
            index >= parameters::maxPointCount)
            throw Rejected("监测点序号超出范围：" + std::string(field.first));
        rows = std::max(rows, index + 1);
    }
    parameters::MultiPointInput in;
    in.u = c.number("Text6");
    in.points.reserve(std::size_t(rows));
    for (int i = 0; i < rows; ++i) {
        parameters::MonitoringPoint point;
        point.c = c.number(indexed(e.groups[0], i));
        point.x = c.number(indexed(e.groups[1], i));
        in.points.push_back(point);
    }
    addNumber(e, 0, parameters::leastSquaresK(in), r);
}

// Row 0 starts with the window's own texts; the rows added when the table is
// built start with the suggested values.
std::string suggestedText(const Group &group, int i)
{
    const parameters::SuggestedPoint p = parameters::suggestedPoint(i);
    if (group.name == "Text4")
        return i == 0 ? "8.3" : varnolek::generalText(p.c);
    return i == 0 ? "2.0" : std::to_string(p.x);
}

void levelYear(const Entry &e, const Case &c, Result &r)
{
    const double percent = c.number("rate");
    const hydrology::DataFile file = levelSeries(e, c);
    if (file.status != hydrology::FileStatus::Ok)
        throw Rejected(hydrology::checkFileMessage, static_cast<int>(file.status));
    const hydrology::LevelYear level = hydrology::designLevel(file.records, percent);
    if (r.textsWanted)
        r.add(e.outputs[0].name, std::to_string(level.record.year) + "年");
    addNumber(e, 1, level.record.value, r);
}

// The frequency analysis window's statistics and its design values at the
// typed rate. A file it cannot use reads as the level year reads it.
void frequency(const Entry &e, const Case &c, Result &r)
{
    requireStep(e, c, 0);
    std::vector<hydrology::NamedValue> values;
    try {
        values = hydrology::frequencyValues(std::string(c.text("file")), c.text("rate"), c.text("ratio"));
    } catch (const hydrology::AnalysisError &error) {
        throw Rejected(error.what());
    }
    // The values come in the order of the entry's outputs.
    for (std::size_t i = 0; i < values.size() && i < e.outputs.size(); ++i)
        addNumber(e, i, values[i].value, r);
}

// The hydrological data file the level year and the frequency analysis read:
// a path chosen in a dialog, never a number.
Field dataFileField()
{
    return Field("file", "水文资料文件", "", "", std::nullopt, FieldKind::DataFile);
}

} // namespace

void addParameterEntries(std::vector<Entry> &table)
{
    const Output k = patternOutput("myk", "水质降解参数K(1/d)", Precision::Single, "###0.000", "1/d");

    Entry two;
    two.id = "myKform/two-point";
    two.window = "myKform";
    two.options = {"Option1"};
    two.okButton = "Command1";
    two.title = "计算水质降解系数";
    two.view = "两点法";
    two.fields = {{"myu", labels::velocity, "0.30", "m/s"},
                  {"myc0", "第一监测点浓度(mg/L)", "8.3", "mg/L"},
                  {"myc1", "第二监测点浓度(mg/L)", "8.1", "mg/L"},
                  {"myx", "两监测点距离(km)", "2.0", "km"}};
    two.required = {"myu", "myx", "myc0", "myc1"};
    two.outputs = {k};
    two.formula = "K = 86400 × u × ln(C1 / C2) / (x × 1000)";
    two.symbols = {{"u", "myu"}, {"C1", "myc0"}, {"C2", "myc1"}, {"x", "myx"}, {"K", "myk"}};
    using TwoPoint = parameters::TwoPointInput;
    bindRun<TwoPoint>(
        two,
        {bind(&TwoPoint::u, "myu"), bind(&TwoPoint::c1, "myc0"), bind(&TwoPoint::c2, "myc1"),
         bind(&TwoPoint::x, "myx")},
        [](const Entry &e, const TwoPoint &in, Result &r) { addNumber(e, 0, parameters::twoPointK(in), r); });
    two.plot.kind = PlotSpec::TwoPointDecay;
    two.plot.along = "myx";
    two.plot.from = "myc0";
    two.plot.to = "myc1";
    two.plot.velocity = "myu";
    table.push_back(two);

    Entry multi;
    multi.id = "myKform/multi-point";
    multi.window = "myKform";
    multi.options = {"Option2"};
    multi.okButton = "caculk";
    multi.title = "计算水质降解系数";
    multi.view = "多点法";
    multi.fields = {{"Text6", "水流流速（m/s)", "0.3", "m/s"}};
    multi.groups = {{"Text4", "第 %1 监测点浓度(mg/L)", "mg/L", parameters::maxPointCount},
                    {"Text2", "第 %1 监测点到排污口的距离(km)", "km", parameters::maxPointCount}};
    multi.defaultRows = 4;
    multi.rowText = suggestedText;
    Output k1 = k;
    k1.name = "Text1";
    multi.outputs = {k1};
    multi.formula = "xi = Xi × 1000, yi = ln Ci, i = 1…n（和在单精度下逐项累加）\n"
                    "b = (n × Σxi·yi − Σxi × Σyi) / (n × Σxi² − (Σxi)²)\n"
                    "K = −86400 × u × b";
    multi.symbols = {{"u", "Text6"}, {"Ci", "Text4"}, {"Xi", "Text2"}, {"K", "Text1"}};
    multi.run = multiPoint;
    multi.plot.kind = PlotSpec::MultiPointFit;
    table.push_back(multi);

    Entry year;
    year.id = "yearform";
    year.window = "yearform";
    year.okButton = "mycacul";
    year.title = "计算水平年";
    year.fields = {dataFileField(), {"rate", "最枯水位或流量保证率(%)", "90", "%"}};
    // The window asks for the file and the rate in dialogs and keeps them.
    year.fields[0].dialog = true;
    year.fields[1].dialog = true;
    Output yearText = captionOutput("yeartext");
    yearText.label = "水 平 年";
    Output value;
    value.name = "qltext";
    value.label = "水位或流量值";
    value.format = Format::General;
    value.precision = Precision::Single;
    value.unit = "m 或 m3/s";
    year.outputs = {yearText, value};
    year.mainOutput = 1;
    year.formula = "资料按值由小到大排序，m = ⌊(n + 1) × (1 − P / 100)⌋（小于 1 取 1，大于 n 取 n）\n"
                   "设计值为第 m 小的值，水平年为其年份";
    year.symbols = {{"P", "rate"}};
    year.run = levelYear;
    year.plot.kind = PlotSpec::ProbabilityPaper;
    year.plot.along = "rate"; // the design rate marked on the paper
    // A series of its own data file: nothing to sweep or draw at random.
    year.sweepable = false;
    table.push_back(year);

    Entry freq;
    freq.id = "frequency";
    freq.window = "freqform";
    freq.title = "频率分析";
    freq.fields = {dataFileField(), {"rate", "设计保证率 P(%)", "90", "%"}, {"ratio", "倍比 Cs/Cv", "2", "无量纲"}};
    // The rate and the ratio are read by the analysis's own rules: a ratio
    // without a leading number is no ratio at all.
    freq.fields[1].kind = FieldKind::Text;
    freq.fields[2].kind = FieldKind::Text;
    freq.required = {"rate", "ratio"};
    Output count;
    count.name = "n";
    count.label = "资料年数 n";
    count.format = Format::General;
    count.unit = "年";
    const auto decimals = [](const char *name, const char *label, const char *unit) {
        return patternOutput(name, label, Precision::Double, "###0.000", unit);
    };
    constexpr const char *series = "m 或 m3/s"; // a level or a flow, as the file holds
    freq.outputs = {count,
                    decimals("mean", "均值 x̄", series),
                    decimals("cv", "变差系数 Cv(矩法)", dimensionless),
                    decimals("cs", "偏态系数 Cs(矩法)", dimensionless),
                    decimals("phi", "离均系数 Φ(矩法)", dimensionless),
                    decimals("value", "设计值 x_P(矩法)", series),
                    decimals("fitcv", "变差系数 Cv(适线)", dimensionless),
                    decimals("fitcs", "偏态系数 Cs(适线)", dimensionless),
                    decimals("fitphi", "离均系数 Φ(适线)", dimensionless),
                    decimals("fitvalue", "设计值 x_P(适线)", series)};
    freq.mainOutput = 9;
    freq.formula = "K = x / x̄, Cv = √(Σ(K − 1)² / (n − 1)), Cs = Σ(K − 1)³ / ((n − 3) × Cv³)\n"
                   "x_P = x̄ × (1 + Cv × Φ(P, Cs))（皮尔逊III型）\n"
                   "适线：Cs = r × Cv，Cv 使 Σ(x_m − x_P(m / (n + 1)))² 最小";
    freq.symbols = {{"P", "rate"}, {"r", "ratio"}};
    freq.run = frequency;
    table.push_back(freq);
}

} // namespace catalogue
