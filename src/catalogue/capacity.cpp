// The receiving-capacity windows of lakes and rivers (t/a, double precision).

#include "binding.h"
#include "entries.h"
#include "labels.h"

#include "core/capacity.h"

namespace catalogue {

namespace {

using varnolek::Precision;
namespace capacity = varnolek::capacity;

constexpr const char *capacityPattern = "#########0.000";
constexpr const char *tonnesPerYear = "\n其中 86.4 × 0.365 将 g/s 换算为 t/a";

} // namespace

void addCapacityEntries(std::vector<Entry> &table)
{
    Entry lake;
    lake.id = "my0dw";
    lake.window = "my0dw";
    lake.okButton = "Command1";
    lake.title = "计算湖泊水库纳污能力";
    lake.fields = {{"myk", labels::decay, "0.2", "1/d", Range{0.02, 0.5}},
                   {"myq0", "水库入流量(m3/s)", "2.0", "m3/s"},
                   {"mya", "排污口辐射角度(角度）", "120", "角度"},
                   {"myr", "辐射半径(m)", "100.0", "m"},
                   {"mycs", "水质标准(mg/L)", "6.0", "mg/L"},
                   {"myh", "湖库平均水深(m)", "10", "m"}};
    lake.required = {"myk", "myq0", "myr", "myh", "mya", "mycs"};
    lake.outputs = {patternOutput("myw", "湖库的纳污能力(t/a):", Precision::Double, capacityPattern, "t/a")};
    lake.formula = std::string("Φ = A / 180\n"
                               "W = Cs × Q × exp(K × Φ × H × r² / 172800 / Q) × 86.4 × 0.365") +
                   tonnesPerYear;
    lake.symbols = {{"K", "myk"},   {"Q", "myq0"}, {"A", "mya"}, {"r", "myr"},
                    {"Cs", "mycs"}, {"H", "myh"},  {"W", "myw"}};
    using Lake = capacity::LakeReservoirInput;
    bindRun<Lake>(lake,
                  {bind(&Lake::k, "myk"), bind(&Lake::q, "myq0"), bind(&Lake::a, "mya"), bind(&Lake::r, "myr"),
                   bind(&Lake::cs, "mycs"), bind(&Lake::h, "myh")},
                  [](const Entry &e, const Lake &in, Result &r) { addNumber(e, 0, capacity::lakeReservoir(in), r); });
    lake.plot = PlotSpec::curve("myr");
    lake.target = "mycs";
    lake.capacity = Capacity::Receiving;
    table.push_back(lake);

    Entry river1;
    river1.id = "my1dw";
    river1.window = "my1dw";
    river1.okButton = "caculw";
    river1.title = "计算河道一维水体纳污能力";
    river1.fields = {{"myk", labels::decay, "0.2", "1/d", Range{0.02, 0.5}}, {"myq0", "河水流量(m3/s)", "200", "m3/s"},
                     {"myc0", "河水中背景水质浓度(mg/L)", "6", "mg/L"},      {"mycs", "水质标准(mg/L)", "8", "mg/L"},
                     {"myq2", "废水流量(包括废水量)(m3/s)", "50", "m3/s"},   {"myu", "河道中水流速度", "2", "m/s"},
                     {"myx", "控制点距排污口的距离(m)", "200", "m"}};
    river1.required = {"myk", "myq0", "myc0", "myx", "myq2", "mycs", "myu"};
    river1.outputs = {patternOutput("myw", "河道的纳污能力(t/a):", Precision::Double, capacityPattern, "t/a")};
    river1.formula =
        std::string("W = (Cs × (Q0 + Q2) × exp(K × x / 86400 / u) − C0 × Q0) × 86.4 × 0.365") + tonnesPerYear;
    river1.symbols = {{"K", "myk"},   {"Q0", "myq0"}, {"C0", "myc0"}, {"Cs", "mycs"},
                      {"Q2", "myq2"}, {"u", "myu"},   {"x", "myx"},   {"W", "myw"}};
    using River1 = capacity::OneDimensionalRiverInput;
    bindRun<River1>(
        river1,
        {bind(&River1::k, "myk"), bind(&River1::q0, "myq0"), bind(&River1::c0, "myc0"), bind(&River1::cs, "mycs"),
         bind(&River1::q2, "myq2"), bind(&River1::u, "myu"), bind(&River1::x, "myx")},
        [](const Entry &e, const River1 &in, Result &r) { addNumber(e, 0, capacity::oneDimensionalRiver(in), r); });
    river1.plot = PlotSpec::curve("myx");
    river1.target = "mycs";
    river1.capacity = Capacity::Receiving;
    table.push_back(river1);

    Entry river2;
    river2.id = "my2dw";
    river2.window = "my2dw";
    river2.okButton = "Command1";
    river2.title = "计算二维河道水体纳污能力";
    river2.fields = {{"myk", labels::decay, "0.2", "1/d", Range{0.02, 0.5}},
                     {"myu", labels::velocity, "2.0", "m/s"},
                     {"mye", labels::transverseDiffusion, "0.1", "m2/s", Range{0.01, 2.0}},
                     {"myb", labels::riverWidth, "30.0", "m"},
                     {"myc0", "河道背景浓度(mg/L)", "6.0", "mg/L"},
                     {"myh", labels::riverDepth, "2", "m"},
                     {"mycs", "水质标准(mg/L)", "8.0", "mg/L"},
                     {"myy", labels::distanceFromBank, "15", "m"},
                     {"myx", "计算点距排污口的距离(m)", "200", "m"}};
    river2.required = {"myk", "mye", "myc0", "myb", "mycs", "myx", "myu", "myy", "myh"};
    river2.outputs = {patternOutput("myw", "河道的纳污能力(t/a):", Precision::Double, capacityPattern, "t/a")};
    river2.formula =
        std::string("F = exp(K × x / (86400 × u))\n"
                    "S = H × √(π × E × x × u), π = 3.1415926\n"
                    "W = S × (Cs × F − C0) / (exp(−u × y² / (4 × E × x)) + exp(−u × (2B − y)² / (4 × E × x)))"
                    " × 86.4 × 0.365") +
        tonnesPerYear;
    river2.symbols = {{"K", "myk"}, {"u", "myu"},   {"E", "mye"}, {"B", "myb"}, {"C0", "myc0"},
                      {"H", "myh"}, {"Cs", "mycs"}, {"y", "myy"}, {"x", "myx"}, {"W", "myw"}};
    using River2 = capacity::TwoDimensionalRiverInput;
    bindRun<River2>(
        river2,
        {bind(&River2::k, "myk"), bind(&River2::u, "myu"), bind(&River2::e, "mye"), bind(&River2::b, "myb"),
         bind(&River2::c0, "myc0"), bind(&River2::h, "myh"), bind(&River2::cs, "mycs"), bind(&River2::y, "myy"),
         bind(&River2::x, "myx")},
        [](const Entry &e, const River2 &in, Result &r) { addNumber(e, 0, capacity::twoDimensionalRiver(in), r); });
    river2.plot = PlotSpec::curve("myx");
    river2.target = "mycs";
    river2.capacity = Capacity::Receiving;
    table.push_back(river2);
}

} // namespace catalogue
