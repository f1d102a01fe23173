// The planning windows: environmental capacity, load reduction or remaining
// capacity, and total-load control in a planning year.

#include "calculations.h"

#include "core/numbers.h"
#include "core/planning.h"

namespace cli {

namespace {

using namespace varnolek::planning;

// ---- Water environmental capacity (single precision) ----------------------

const Field capK{"myk", "水质降解系数K(0.02-0.5 1/d)", "0.2"};
const Field capQ0{"myq0", "上游来水流量(m3/s)", "200"};
const Field capC0{"myc0", "上游来水中污染物浓度(mg/L)", "6"};
const Field riverB{"myb", "河道宽度(m)", "30"};
const Field riverH{"myh", "河道平均水深(m)", "2"};
const Field riverL{"myl", "河道长度(km)", "10"};
const Field lakeB{"myb", " 湖泊或水库体积(万m3)", "1000"};

// The fields of a water-body view: the common head, then the lake's volume or
// the river's width, depth and length, and the reversed-flow fields of a
// two-way river.
std::vector<Field> bodyFields(std::vector<Field> head, WaterBody body, std::initializer_list<Field> reverse)
{
    if (body == WaterBody::Lake) {
        head.push_back(lakeB);
        return head;
    }
    head.insert(head.end(), {riverB, riverH, riverL});
    if (body == WaterBody::TwoWay)
        head.insert(head.end(), reverse);
    return head;
}

const Field reverseDays{"myd", "一年中河道出现反向流的天数(d/a)", "90"};

std::vector<Field> capacityFields(WaterBody body)
{
    const Field q2{"myq2", body == WaterBody::Lake ? "排入水库或湖泊的废水量(m3/s)" : "支流流量(包括废水量)(m3/s)",
                   "50"};
    return bodyFields({capK, capQ0, capC0, {"mycs", "目标水质(mg/L)", "8"}, q2, {"mysb", "安全系数(范围0-1.0)", "0.8"}},
                      body,
                      {reverseDays,
                       {"myq1", "反向流时下游来水流量(m3/s)", "100"},
                       {"myc1", "反向流时下游水中污染物浓度(mg/L)", "9"}});
}

std::vector<Output> capacity(const Case &c, WaterBody body)
{
    c.require({"myk", "myq0", "myc0", "myb", "myq2", "mycs", "mysb"});
    if (body != WaterBody::Lake)
        c.require({"myl", "myh"});
    if (body == WaterBody::TwoWay)
        c.require({"myd", "myc1", "myq1"});
    const CapacityInput in{c.number("myk"),  c.number("myq0"), c.number("myb"),  c.number("myc0"),
                           c.number("myq2"), c.number("myl"),  c.number("mysb"), c.number("mycs"),
                           c.number("myh"),  c.number("myq1"), c.number("myc1"), c.number("myd")};
    return {{"myw", patternText(environmentalCapacity(body, in), true, "#########0.000")}};
}

// ---- Load reduction and remaining capacity (double precision) -------------

std::vector<Output> balanceTexts(const Balance &b, const char *result, const char *pattern)
{
    return {{"Label9", b.caption()}, {result, patternText(b.shown(), false, pattern)}};
}

std::vector<Field> monitoredFields(WaterBody body)
{
    // The joining flow is named as the outflow once a water body is chosen.
    const Field q1{"myq1", body == WaterBody::OneWay ? "支流流量(m3/s)" : "水体出流流量(m3/s)", "50"};
    return bodyFields({capK, capQ0, capC0, {"mycs", "枯水期时水体中污染物的浓度(mg/L)", "8"}, q1,
                       {"myw", "水体环境容量(t/a)", "30000"}},
                      body,
                      {reverseDays,
                       {"myq2", "反向流时下游来水流量(m3/s)", "100"},
                       {"myc2", "反向流时下游水中污染物浓度(mg/L)", "9"}});
}

std::vector<Output> monitored(const Case &c, WaterBody body)
{
    const MonitoredInput in{c.number("myk"), c.number("myq0"), c.number("myb"),  c.number("myc0"),
                            c.number("myq1"), c.number("myl"),  c.number("myw"),  c.number("mycs"),
                            c.number("myh"),  c.number("myd"),  c.number("myq2"), c.number("myc2")};
    c.require({"myk", "myq0", "myc0", "myb", "myq1", "mycs", "myw"});
    if (body != WaterBody::Lake)
        c.require({"myl", "myh"});
    if (body == WaterBody::TwoWay)
        c.require({"myq2", "myc2", "myd"});
    return balanceTexts(monitoredBalance(body, in), "myw1", "#########0.000");
}

// The pollution sources of the catchment, as both load windows name them.
Sources sourcesOf(const Case &c)
{
    return {c.number("myn"),  c.number("mya"), c.number("myc"),  c.number("myls1"), c.number("myf"),
            c.number("myjl"), c.number("myth"), c.number("myls"), c.number("myc1")};
}

std::vector<Output> fromSources(const Case &c)
{
    // No completeness check here: an empty source field counts as 0.
    const SourceInput in{sourcesOf(c), c.number("myw3"), c.number("myw4")};
    return balanceTexts(sourceBalance(in), "myw1", "#########0.000");
}

// ---- Total-load control in the planning year ------------------------------

const char *controlPattern = "############0.000";

std::vector<Field> controlFields(bool known)
{
    std::vector<Field> fields = {{"myn", "水体集流区内人口数(人)", "10000"},
                                 {"mya", "人均废水量(100-350L/人*d)", "200"},
                                 {"myc", "生活废水浓度(100-350mg/L)", "200"},
                                 {"myf", "水体集流区内耕地面积(亩)", "10000"},
                                 {"myjl", "径流系数(0.1-1)", "0.7"},
                                 {"myls1", "生活污染源流失率(0.2-1.0)", "0.8"},
                                 {"myls", "农业面源流失率(0.2-1.0)", "0.7"},
                                 {"myth", "年降雨量(mm)", "1000"},
                                 {"myy", "规划年与基准年间隔年数(年)", "10"},
                                 {"myc1", "径流中污染物的浓度(mg/L)", "60"},
                                 {"myr", "土地类型及耕种方式改变系数", "1.0"},
                                 {"myn1", "水体集流区内规划年人口数(人)", "15000"},
                                 {"mya2", "技术进步系数(0.2-0.8)", "0.7"},
                                 {"mya1", "工业产值增长率", "0.08"}};
    if (known)
        fields.push_back({"myw3", "排入水体的工业污染物总量(t/a)", "1000"});
    fields.push_back({"myw", "水体环境容量(t/a)", "20000"});
    if (!known)
        fields.insert(fields.end(), {{"myk", "水质降解系数k(范围0.02-0.5 1/d)", "0.2"},
                                     {"myq0", "上游来水流量(m3/s)", "80"},
                                     {"myc0", "上游来水中污染物浓度(mg/L)", "6"},
                                     {"mycs", "枯水期时水体中污染物的浓度(mg/L)", "8"},
                                     {"myq1", "水体的出流量(m3/s)", "100"},
                                     {"myv", "水体的体积(m3)", "30000"}});
    return fields;
}

Projection projectionOf(const Case &c, double industrialLoad)
{
    return {c.number("myn"),  c.number("myn1"), c.number("myr"), c.number("mya2"),
            c.number("mya1"), c.number("myy"),  industrialLoad,  c.number("myw")};
}

BaseLoads checkedBaseLoads(const Case &c)
{
    c.require({"myn", "mya", "myc", "myls", "myls1", "myf", "myjl", "myth", "myc1"});
    return baseYearLoads(sourcesOf(c));
}

std::vector<Output> controlKnown(const Case &c)
{
    const BaseLoads base = checkedBaseLoads(c);
    c.require({"myy", "myn1", "myr", "mya1", "mya2", "myw3", "myw"});
    return balanceTexts(projectedBalance(base, projectionOf(c, c.number("myw3"))), "myw4", controlPattern);
}

// Both steps of the estimate at once: the sources, then the water body.
std::vector<Output> controlEstimated(const Case &c)
{
    const BaseLoads base = checkedBaseLoads(c);
    c.require({"myy", "myn1", "myr", "mya1", "mya2", "myw"});
    c.require({"myk", "myc0", "myq0", "myq1", "myv", "mycs"});
    const float i = estimatedIndustrialLoad(
        base, {c.number("myk"), c.number("myq0"), c.number("myc0"), c.number("mycs"), c.number("myq1"),
               c.number("myv")});
    std::vector<Output> out = {{"myw3", varnolek::generalText(i, varnolek::Precision::Single)}};
    const std::vector<Output> balance = balanceTexts(projectedBalance(base, projectionOf(c, i)), "myw4",
                                                     controlPattern);
    out.insert(out.end(), balance.begin(), balance.end());
    return out;
}

} // namespace

void addPlanningCalculations(std::vector<Calculation> &table)
{
    const char *capTitle = "水环境容量计算";
    table.push_back({"myvolform/one-way", capTitle, capacityFields(WaterBody::OneWay), {"myw"}, {},
                     [](const Case &c) { return capacity(c, WaterBody::OneWay); }});
    table.push_back({"myvolform/two-way", capTitle, capacityFields(WaterBody::TwoWay), {"myw"}, {},
                     [](const Case &c) { return capacity(c, WaterBody::TwoWay); }});
    table.push_back({"myvolform/lake", capTitle, capacityFields(WaterBody::Lake), {"myw"}, {},
                     [](const Case &c) { return capacity(c, WaterBody::Lake); }});

    const char *reTitle = "剩余环境容量计算";
    table.push_back({"myRevolform/monitoring/one-way", reTitle, monitoredFields(WaterBody::OneWay),
                     {"Label9", "myw1"}, {}, [](const Case &c) { return monitored(c, WaterBody::OneWay); }});
    table.push_back({"myRevolform/monitoring/two-way", reTitle, monitoredFields(WaterBody::TwoWay),
                     {"Label9", "myw1"}, {}, [](const Case &c) { return monitored(c, WaterBody::TwoWay); }});
    table.push_back({"myRevolform/monitoring/lake", reTitle, monitoredFields(WaterBody::Lake), {"Label9", "myw1"},
                     {}, [](const Case &c) { return monitored(c, WaterBody::Lake); }});
    table.push_back({"myRevolform/sources",
                     reTitle,
                     {{"myn", "水体集流区内人口数(人)", "10000"},
                      {"mya", "人均废水量(100-350L/人*d)", "200"},
                      {"myc", "生活废水浓度(100-350mg/L)", "200"},
                      {"myf", "水体集流区内耕地面积(亩)", "10000"},
                      {"myjl", "径流系数(0.1-1)", "0.7"},
                      {"myth", "年降雨量(mm)", "2000"},
                      {"myls", "农业面源流失率(0.2-0.8)", "0.7"},
                      {"myc1", "径流中污染物浓度(mg/L)", "60"},
                      {"myw3", "排入水体的工业污染物总量(t/a)", "100"},
                      {"myw4", "水体环境容量(t/a)", "3000"},
                      {"myls1", "生活污染源流失率(0.2-1.0)", "0.8"}},
                     {"Label9", "myw1"},
                     {},
                     fromSources});

    const char *controlTitle = "水污染总量控制计算";
    table.push_back({"mycontrolV/known", controlTitle, controlFields(true), {"Label9", "myw4"}, {}, controlKnown});
    table.push_back({"mycontrolV/estimate", controlTitle, controlFields(false), {"myw3", "Label9", "myw4"}, {},
                     controlEstimated});
}

} // namespace cli
