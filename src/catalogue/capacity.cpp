// The receiving-capacity windows of lakes and rivers (t/a, double precision).

#include "entries.h"
#include "labels.h"

#include "core/capacity.h"

namespace catalogue {

namespace {

using varnolek::Precision;
namespace capacity = varnolek::capacity;

constexpr const char *capacityPattern = "#########0.000";
constexpr const char *tonnesPerYear = "\n其中 86.4 × 0.365 将 g/s 换算为 t/a";

void lakeReservoir(const Entry &e, const Case &c, Result &r)
{
    requireStep(e, c, 0);
    addNumber(e, 0,
              capacity::lakeReservoir({c.number("myk"), c.number("myq0"), c.number("mya"), c.number("myr"),
                                       c.number("mycs"), c.number("myh")}),
              r);
}

void oneDimensionalRiver(const Entry &e, const Case &c, Result &r)
{
    requireStep(e, c, 0);
    addNumber(e, 0,
              capacity::oneDimensionalRiver({c.number("myk"), c.number("myq0"), c.number("myc0"), c.number("mycs"),
                                             c.number("myq2"), c.number("myu"), c.number("myx")}),
              r);
}

void twoDimensionalRiver(const Entry &e, const Case &c, Result &r)
{
    requireStep(e, c, 0);
    addNumber(e, 0,
              capacity::twoDimensionalRiver({c.number("myk"), c.number("myu"), c.number("mye"), c.number("myb"),
                                             c.number("myc0"), c.number("myh"), c.number("mycs"), c.number("myy"),
                                             c.number("myx")}),
              r);
}

} // namespace

void addCapacityEntries(std::vector<Entry> &table)
{
    Entry lake;
    lake.id = "my0dw";
    lake.window = "my0dw";
    lake.okButton = "Command1";
    lake.title = "计算湖泊水库纳污能力";
    lake.fields = {{"myk", labels::decay, "0.2"},
                   {"myq0", "水库入流量(m3/s)", "2.0"},
                   {"mya", "排污口辐射角度(角度）", "120"},
                   {"myr", "辐射半径(m)", "100.0"},
                   {"mycs", "水质标准(mg/L)", "6.0"},
                   {"myh", "湖库平均水深(m)", "10"}};
    lake.required = {"myk", "myq0", "myr", "myh", "mya", "mycs"};
    lake.outputs = {patternOutput("myw", "湖库的纳污能力(t/a):", Precision::Double, capacityPattern)};
    lake.formula = std::string("Φ = A / 180\n"
                               "W = Cs × Q × exp(K × Φ × H × r² / 172800 / Q) × 86.4 × 0.365") +
                   tonnesPerYear;
    lake.symbols = {{"K", "myk"}, {"Q", "myq0"}, {"A", "mya"}, {"r", "myr"}, {"Cs", "mycs"}, {"H", "myh"},
                    {"W", "myw"}};
    lake.run = lakeReservoir;
    table.push_back(lake);

    Entry river1;
    river1.id = "my1dw";
    river1.window = "my1dw";
    river1.okButton = "caculw";
    river1.title = "计算河道一维水体纳污能力";
    river1.fields = {{"myk", labels::decay, "0.2"},
                     {"myq0", "河水流量(m3/s)", "200"},
                     {"myc0", "河水中背景水质浓度(mg/L)", "6"},
                     {"mycs", "水质标准(mg/L)", "8"},
                     {"myq2", "废水流量(包括废水量)(m3/s)", "50"},
                     {"myu", "河道中水流速度", "2"},
                     {"myx", "控制点距排污口的距离(m)", "200"}};
    river1.required = {"myk", "myq0", "myc0", "myx", "myq2", "mycs", "myu"};
    river1.outputs = {patternOutput("myw", "河道的纳污能力(t/a):", Precision::Double, capacityPattern)};
    river1.formula = std::string("W = (Cs × (Q0 + Q2) × exp(K × x / 86400 / u) − C0 × Q0) × 86.4 × 0.365") +
                     tonnesPerYear;
    river1.symbols = {{"K", "myk"},  {"Q0", "myq0"}, {"C0", "myc0"}, {"Cs", "mycs"},
                      {"Q2", "myq2"}, {"u", "myu"},   {"x", "myx"},   {"W", "myw"}};
    river1.run = oneDimensionalRiver;
    table.push_back(river1);

    Entry river2;
    river2.id = "my2dw";
    river2.window = "my2dw";
    river2.okButton = "Command1";
    river2.title = "计算二维河道水体纳污能力";
    river2.fields = {{"myk", labels::decay, "0.2"},
                     {"myu", labels::velocity, "2.0"},
                     {"mye", labels::transverseDiffusion, "0.1"},
                     {"myb", labels::riverWidth, "30.0"},
                     {"myc0", "河道背景浓度(mg/L)", "6.0"},
                     {"myh", labels::riverDepth, "2"},
                     {"mycs", "水质标准(mg/L)", "8.0"},
                     {"myy", labels::distanceFromBank, "15"},
                     {"myx", "计算点距排污口的距离(m)", "200"}};
    river2.required = {"myk", "mye", "myc0", "myb", "mycs", "myx", "myu", "myy", "myh"};
    river2.outputs = {patternOutput("myw", "河道的纳污能力(t/a):", Precision::Double, capacityPattern)};
    river2.formula = std::string("F = exp(K × x / (86400 × u))\n"
                                 "S = H × √(π × E × x × u), π = 3.1415926\n"
                                 "W = S × (Cs × F − C0) / (exp(−u × y² / (4 × E × x)) + exp(−u × (2B − y)² / (4 × E × x)))"
                                 " × 86.4 × 0.365") +
                     tonnesPerYear;
    river2.symbols = {{"K", "myk"},  {"u", "myu"}, {"E", "mye"}, {"B", "myb"}, {"C0", "myc0"},
                      {"H", "myh"},  {"Cs", "mycs"}, {"y", "myy"}, {"x", "myx"}, {"W", "myw"}};
    river2.run = twoDimensionalRiver;
    table.push_back(river2);
}

} // namespace catalogue
