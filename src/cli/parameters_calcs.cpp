// The parameter windows: the degradation coefficient K and the design level year.

#include "calculations.h"

#include "core/hydrology.h"
#include "core/numbers.h"
#include "core/parameters.h"

namespace cli {

namespace {

namespace parameters = varnolek::parameters;
namespace hydrology = varnolek::hydrology;

std::vector<Output> twoPoint(const Case &c)
{
    c.require({"myu", "myx", "myc0", "myc1"});
    const float k = parameters::twoPointK({c.number("myu"), c.number("myc0"), c.number("myc1"), c.number("myx")});
    return {{"myk", patternText(k, true, "###0.000")}};
}

std::string indexed(const char *group, int i) { return std::string(group) + "." + std::to_string(i); }

// The table has as many rows as the highest index given; a row left out of
// the case reads 0, as an emptied row of the window does.
std::vector<Output> multiPoint(const Case &c)
{
    int rows = 0;
    for (const auto &field : c.fields) {
        const auto dot = field.first.find('.');
        if (dot != std::string_view::npos)
            rows = std::max(rows, std::stoi(std::string(field.first.substr(dot + 1))) + 1);
    }
    parameters::MultiPointInput in{c.number("Text6"), {}};
    for (int i = 0; i < rows; ++i)
        in.points.push_back({c.number(indexed("Text4", i)), c.number(indexed("Text2", i))});
    return {{"Text1", patternText(parameters::leastSquaresK(in), true, "###0.000")}};
}

// The table the window suggests for four monitoring points.
std::vector<Field> defaultTable()
{
    std::vector<Field> fields = {{"Text6", "水流流速（m/s)", "0.3"}};
    for (int i = 0; i < 4; ++i) {
        const parameters::SuggestedPoint p = parameters::suggestedPoint(i);
        const std::string row = std::to_string(i + 1);
        fields.push_back({indexed("Text4", i), "第 " + row + " 监测点浓度(mg/L)",
                          i == 0 ? "8.3" : varnolek::generalText(p.c)});
        fields.push_back({indexed("Text2", i), "第 " + row + " 监测点到排污口的距离(km)",
                          i == 0 ? "2.0" : std::to_string(p.x)});
    }
    return fields;
}

std::vector<Output> levelYear(const Case &c)
{
    const double percent = c.number("rate");
    const hydrology::DataFile file = hydrology::readDataFile(std::string(c.text("file")));
    if (file.status != hydrology::FileStatus::Ok)
        throw Rejected(hydrology::checkFileMessage);
    const hydrology::LevelYear level = hydrology::designLevel(file.records, percent);
    return {{"yeartext", std::to_string(level.record.year) + "年"},
            {"qltext", varnolek::generalText(level.record.value, varnolek::Precision::Single)}};
}

} // namespace

void addParameterCalculations(std::vector<Calculation> &table)
{
    const char *title = "计算水质降解系数";
    table.push_back({"myKform/two-point",
                     title,
                     {{"myu", "水流流速(m/s)", "0.30"},
                      {"myc0", "第一监测点浓度(mg/L)", "8.3"},
                      {"myc1", "第二监测点浓度(mg/L)", "8.1"},
                      {"myx", "两监测点距离(km)", "2.0"}},
                     {"myk"},
                     {},
                     twoPoint});
    table.push_back({"myKform/multi-point", title, defaultTable(), {"Text1"}, {"Text4", "Text2"}, multiPoint});
    table.push_back({"yearform",
                     "计算水平年",
                     {{"file", "水文资料文件", ""}, {"rate", "最枯水位或流量保证率(%)", "90"}},
                     {"yeartext", "qltext"},
                     {},
                     levelYear});
}

} // namespace cli
