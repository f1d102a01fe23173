// The water-quality model windows: zero-dimensional mixing, the one- and
// two-dimensional river models and the transition-zone length.

#include "calculations.h"

#include "core/models.h"

namespace cli {

namespace {

std::vector<Output> volumeMixing(const Case &c)
{
    c.require({"myv", "MYK", "myq", "myw"});
    const double conc =
        varnolek::models::volumeMixing({c.number("myw"), c.number("myq"), c.number("MYK"), c.number("myv")});
    return {{"Text3", patternText(conc, true, "###0.00")}};
}

std::vector<Output> sectionMixing(const Case &c)
{
    c.require({"myc2", "myc1", "myq2", "myq1"});
    const double conc =
        varnolek::models::sectionMixing({c.number("myq1"), c.number("myc1"), c.number("myq2"), c.number("myc2")});
    return {{"Text2", patternText(conc, true, "###0.00")}};
}

std::vector<Output> oneDimensional(const Case &c)
{
    c.require({"myk", "mye", "myq0", "myc0", "myq2", "myc2", "myx", "myu"});
    const auto r = varnolek::models::oneDimensionalRiver({c.number("myk"), c.number("myu"), c.number("mye"),
                                                          c.number("myq0"), c.number("myc0"), c.number("myx"),
                                                          c.number("myq2"), c.number("myc2")});
    return {{"myc", patternText(r.c, true, "###0.00")}, {"Label9", varnolek::models::oneDimensionalCaption(r)}};
}

std::vector<Output> twoDimensional(const Case &c)
{
    c.require({"myk", "mye", "myc0", "myb", "myq2", "myc2", "myx", "myu", "myy", "myh"});
    const auto r = varnolek::models::twoDimensionalRiver({c.number("myk"), c.number("myu"), c.number("mye"),
                                                          c.number("myb"), c.number("myc0"), c.number("myh"),
                                                          c.number("myq2"), c.number("myc2"), c.number("myx"),
                                                          c.number("myy")});
    return {{"myc", patternText(r.c, false, "###0.00")}, {"Label9", varnolek::models::twoDimensionalCaption(r)}};
}

std::vector<Output> transitionZone(const Case &c)
{
    c.require({"myc", "myc0", "myu", "myk"});
    const double l = varnolek::models::transitionZoneLength(
        {c.number("myk"), c.number("myu"), c.number("myc0"), c.number("myc")});
    return {{"myl", patternText(l, false, "#####0.000")}};
}

} // namespace

void addModelCalculations(std::vector<Calculation> &table)
{
    table.push_back({"my0dform/volume",
                     "零维水质计算",
                     {{"myw", "排入水体污染物总量(kg/d)", "5000"},
                      {"myq", "水体出流量(m3/s)", "5"},
                      {"MYK", "水质降解系数(1/d)", "0.2"},
                      {"myv", "水体体积(万M3)", "100"}},
                     {"Text3"},
                     {},
                     volumeMixing});
    table.push_back({"my0dform/section",
                     "零维水质计算",
                     {{"myq1", "河道流量(m3/s)", "50"},
                      {"myc1", "河道中污染物浓度(mg/L)", "6"},
                      {"myq2", "排入河道废水量(m3/s)", "2"},
                      {"myc2", "废水中污染物浓度(mg/L)", "100"}},
                     {"Text2"},
                     {},
                     sectionMixing});
    table.push_back({"my1dform",
                     "一维水质计算",
                     {{"myk", "水质降解系数K(0.02-0.5 1/d)", "0.2"},
                      {"myu", "水流流速(m/s)", "2.0"},
                      {"mye", "扩散系数(0.1-20 m2/s)", "5.0"},
                      {"myq0", "初始端面流量(m3/s)", "20.0"},
                      {"myc0", "初始断面浓度(mg/L)", "10"},
                      {"myx", "计算断面距初始断面的距离(km)", "3"},
                      {"myq2", "两断面间支流流量(m3/s)", "0"},
                      {"myc2", "支流中污染物浓度(mg/L)", "5"}},
                     {"myc", "Label9"},
                     {},
                     oneDimensional});
    table.push_back({"my2dform",
                     "二维水质计算",
                     {{"myk", "水质降解系数K(0.02-0.5 1/d)", "0.2"},
                      {"myu", "水流流速(m/s)", "2.0"},
                      {"mye", "横向扩散系数(0.01-2.0 m2/s)", "0.1"},
                      {"myb", "河道宽度(m)", "30.0"},
                      {"myc0", "排污口上游污染物浓度(mg/L)", "8.0"},
                      {"myh", "河道平均水深(m)", "2"},
                      {"myq2", "排污口废水排放量(m3/s)", "2.0"},
                      {"myc2", "排污口废水浓度(mg/L)", "100"},
                      {"myx", "计算点距排污口的距离(km)", "5"},
                      {"myy", "计算点距排污口所在岸边的距离(m)", "15"}},
                     {"myc", "Label9"},
                     {},
                     twoDimensional});
    table.push_back({"MYLFORM",
                     "计算过渡带长度",
                     {{"myk", "水质降解系数k(范围0.02-0.5 1/d)", "0.2"},
                      {"myu", "水流流速(m/s)", "2.0"},
                      {"myc0", "上游水质浓度(mg/L)", "8"},
                      {"myc", "下游水质浓度(mg/L)", "6"}},
                     {"myl"},
                     {},
                     transitionZone});
}

} // namespace cli
