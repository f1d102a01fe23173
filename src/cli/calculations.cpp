// The table of calculations: for each window, its fields as the window shows
// them and the texts its OK press writes.

#include "calculation.h"

#include "core/models.h"
#include "core/numbers.h"

namespace cli {

namespace {

using varnolek::Precision;

std::string single2(double v) { return varnolek::formatPattern(v, Precision::Single, "###0.00"); }

std::vector<Output> volumeMixing(const Case &c)
{
    c.require({"myv", "MYK", "myq", "myw"});
    const double conc =
        varnolek::models::volumeMixing({c.number("myw"), c.number("myq"), c.number("MYK"), c.number("myv")});
    return {{"Text3", single2(conc)}};
}

std::vector<Output> sectionMixing(const Case &c)
{
    c.require({"myc2", "myc1", "myq2", "myq1"});
    const double conc =
        varnolek::models::sectionMixing({c.number("myq1"), c.number("myc1"), c.number("myq2"), c.number("myc2")});
    return {{"Text2", single2(conc)}};
}

} // namespace

const std::vector<Calculation> &calculations()
{
    static const std::vector<Calculation> table = {
        {"my0dform/volume",
         "零维水质计算",
         {{"myw", "排入水体污染物总量(kg/d)", "5000"},
          {"myq", "水体出流量(m3/s)", "5"},
          {"MYK", "水质降解系数(1/d)", "0.2"},
          {"myv", "水体体积(万M3)", "100"}},
         {"Text3"},
         {},
         volumeMixing},
        {"my0dform/section",
         "零维水质计算",
         {{"myq1", "河道流量(m3/s)", "50"},
          {"myc1", "河道中污染物浓度(mg/L)", "6"},
          {"myq2", "排入河道废水量(m3/s)", "2"},
          {"myc2", "废水中污染物浓度(mg/L)", "100"}},
         {"Text2"},
         {},
         sectionMixing},
    };
    return table;
}

} // namespace cli
