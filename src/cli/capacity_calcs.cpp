// The receiving-capacity windows of lakes and rivers (t/a, double precision).

#include "calculations.h"

#include "core/capacity.h"

namespace cli {

namespace {

const char *capacityPattern = "#########0.000";

std::vector<Output> lakeReservoir(const Case &c)
{
    c.require({"myk", "myq0", "myr", "myh", "mya", "mycs"});
    const double w = varnolek::capacity::lakeReservoir(
        {c.number("myk"), c.number("myq0"), c.number("mya"), c.number("myr"), c.number("mycs"), c.number("myh")});
    return {{"myw", patternText(w, false, capacityPattern)}};
}

std::vector<Output> oneDimensionalRiver(const Case &c)
{
    c.require({"myk", "myq0", "myc0", "myx", "myq2", "mycs", "myu"});
    const double w = varnolek::capacity::oneDimensionalRiver({c.number("myk"), c.number("myq0"), c.number("myc0"),
                                                              c.number("mycs"), c.number("myq2"), c.number("myu"),
                                                              c.number("myx")});
    return {{"myw", patternText(w, false, capacityPattern)}};
}

std::vector<Output> twoDimensionalRiver(const Case &c)
{
    c.require({"myk", "mye", "myc0", "myb", "mycs", "myx", "myu", "myy", "myh"});
    const double w = varnolek::capacity::twoDimensionalRiver(
        {c.number("myk"), c.number("myu"), c.number("mye"), c.number("myb"), c.number("myc0"), c.number("myh"),
         c.number("mycs"), c.number("myy"), c.number("myx")});
    return {{"myw", patternText(w, false, capacityPattern)}};
}

} // namespace

void addCapacityCalculations(std::vector<Calculation> &table)
{
    table.push_back({"my0dw",
                     "计算湖泊水库纳污能力",
                     {{"myk", "水质降解系数K(0.02-0.5 1/d)", "0.2"},
                      {"myq0", "水库入流量(m3/s)", "2.0"},
                      {"mya", "排污口辐射角度(角度）", "120"},
                      {"myr", "辐射半径(m)", "100.0"},
                      {"mycs", "水质标准(mg/L)", "6.0"},
                      {"myh", "湖库平均水深(m)", "10"}},
                     {"myw"},
                     {},
                     lakeReservoir});
    table.push_back({"my1dw",
                     "计算河道一维水体纳污能力",
                     {{"myk", "水质降解系数K(0.02-0.5 1/d)", "0.2"},
                      {"myq0", "河水流量(m3/s)", "200"},
                      {"myc0", "河水中背景水质浓度(mg/L)", "6"},
                      {"mycs", "水质标准(mg/L)", "8"},
                      {"myq2", "废水流量(包括废水量)(m3/s)", "50"},
                      {"myu", "河道中水流速度", "2"},
                      {"myx", "控制点距排污口的距离(m)", "200"}},
                     {"myw"},
                     {},
                     oneDimensionalRiver});
    table.push_back({"my2dw",
                     "计算二维河道水体纳污能力",
                     {{"myk", "水质降解系数K(0.02-0.5 1/d)", "0.2"},
                      {"myu", "水流流速(m/s)", "2.0"},
                      {"mye", "横向扩散系数(0.01-2.0 m2/s)", "0.1"},
                      {"myb", "河道宽度(m)", "30.0"},
                      {"myc0", "河道背景浓度(mg/L)", "6.0"},
                      {"myh", "河道平均水深(m)", "2"},
                      {"mycs", "水质标准(mg/L)", "8.0"},
                      {"myy", "计算点距排污口所在岸边的距离(m)", "15"},
                      {"myx", "计算点距排污口的距离(m)", "200"}},
                     {"myw"},
                     {},
                     twoDimensionalRiver});
}

} // namespace cli
