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
}

} // namespace cli
