// The water-quality model windows: zero-dimensional mixing, the one- and
// two-dimensional river models and the transition-zone length.

#include "binding.h"
#include "entries.h"
#include "labels.h"

#include "core/models.h"

namespace catalogue {

namespace {

using varnolek::Precision;
namespace models = varnolek::models;

} // namespace

std::vector<Field> plumeFields()
{
    return {{"myk", labels::decay, "0.2", "1/d", Range{0.02, 0.5}},
            {"myu", labels::velocity, "2.0", "m/s"},
            {"mye", labels::transverseDiffusion, "0.1", "m2/s", Range{0.01, 2.0}},
            {"myb", labels::riverWidth, "30.0", "m"},
            {"myc0", labels::upstreamConcentration, "8.0", "mg/L"},
            {"myh", labels::riverDepth, "2", "m"},
            {"myq2", labels::wastewaterDischarge, "2.0", "m3/s"},
            {"myc2", labels::wastewaterConcentration, "100", "mg/L"},
            {"myx", labels::distanceDownstream, "5", "km"}};
}

void addModelEntries(std::vector<Entry> &table)
{
    Entry volume;
    volume.id = "my0dform/volume";
    volume.window = "my0dform";
    volume.okButton = "caculc";
    volume.title = "零维水质计算";
    volume.view = "容积混合";
    volume.fields = {{"myw", "排入水体污染物总量(kg/d)", "5000", "kg/d"},
                     {"myq", "水体出流量(m3/s)", "5", "m3/s"},
                     {"MYK", "水质降解系数(1/d)", "0.2", "1/d"},
                     {"myv", "水体体积(万M3)", "100", "万M3"}};
    volume.required = {"myv", "MYK", "myq", "myw"};
    volume.outputs = {patternOutput("Text3", "水体中污染物浓度(mg/L)", Precision::Single, "###0.00", "mg/L")};
    volume.formula = "C = (W / 86.4) / ((V × 10000) × K / 86400 + Q)";
    volume.symbols = {{"W", "myw"}, {"Q", "myq"}, {"K", "MYK"}, {"V", "myv"}, {"C", "Text3"}};
    using Volume = models::VolumeMixingInput;
    bindRun<Volume>(
        volume, {bind(&Volume::w, "myw"), bind(&Volume::q, "myq"), bind(&Volume::k, "MYK"), bind(&Volume::v, "myv")},
        [](const Entry &e, const Volume &in, Result &r) { addNumber(e, 0, models::volumeMixing(in), r); });
    volume.plot = PlotSpec::curve("myw");
    table.push_back(volume);

    Entry section;
    section.id = "my0dform/section";
    section.window = "my0dform";
    section.okButton = "caculc1";
    section.title = "零维水质计算";
    section.view = "断面混合";
    section.fields = {{"myq1", "河道流量(m3/s)", "50", "m3/s"},
                      {"myc1", "河道中污染物浓度(mg/L)", "6", "mg/L"},
                      {"myq2", "排入河道废水量(m3/s)", "2", "m3/s"},
                      {"myc2", "废水中污染物浓度(mg/L)", "100", "mg/L"}};
    section.required = {"myc2", "myc1", "myq2", "myq1"};
    section.outputs = {patternOutput("Text2", "断面污染物浓度(mg/L)", Precision::Single, "###0.00", "mg/L")};
    section.formula = "C = (Q1 × C1 + Q2 × C2) / (Q1 + Q2)";
    section.symbols = {{"Q1", "myq1"}, {"C1", "myc1"}, {"Q2", "myq2"}, {"C2", "myc2"}, {"C", "Text2"}};
    using Section = models::SectionMixingInput;
    bindRun<Section>(
        section,
        {bind(&Section::q1, "myq1"), bind(&Section::c1, "myc1"), bind(&Section::q2, "myq2"),
         bind(&Section::c2, "myc2")},
        [](const Entry &e, const Section &in, Result &r) { addNumber(e, 0, models::sectionMixing(in), r); });
    section.plot = PlotSpec::curve("myq2");
    table.push_back(section);

    Entry river1;
    river1.id = "my1dform";
    river1.window = "my1dform";
    river1.okButton = "Command1";
    river1.title = "一维水质计算";
    river1.fields = {{"myk", labels::decay, "0.2", "1/d", Range{0.02, 0.5}},
                     {"myu", labels::velocity, "2.0", "m/s"},
                     {"mye", "扩散系数(0.1-20 m2/s)", "5.0", "m2/s", Range{0.1, 20}},
                     {"myq0", "初始端面流量(m3/s)", "20.0", "m3/s"},
                     {"myc0", "初始断面浓度(mg/L)", "10", "mg/L"},
                     {"myx", "计算断面距初始断面的距离(km)", "3", "km"},
                     {"myq2", "两断面间支流流量(m3/s)", "0", "m3/s"},
                     {"myc2", "支流中污染物浓度(mg/L)", "5", "mg/L"}};
    river1.required = {"myk", "mye", "myq0", "myc0", "myq2", "myc2", "myx", "myu"};
    river1.outputs = {patternOutput("myc", "距离初始断面X千米处水质浓度(mg/L)", Precision::Single, "###0.00", "mg/L"),
                      captionOutput("Label9")};
    river1.formula = "C0' = (Q0 × C0 + Q2 × C2) / (Q0 + Q2)\n"
                     "m = 1 + √(1 + 4 × E × K / (86400 × u²))\n"
                     "C = C0' × exp(−2 × K × (X × 1000) / (86400 × u × m))";
    river1.symbols = {{"K", "myk"}, {"u", "myu"},   {"E", "mye"},   {"Q0", "myq0"}, {"C0", "myc0"},
                      {"X", "myx"}, {"Q2", "myq2"}, {"C2", "myc2"}, {"C", "myc"}};
    using River1 = models::OneDimensionalRiverInput;
    bindRun<River1>(river1,
                    {bind(&River1::k, "myk"), bind(&River1::u, "myu"), bind(&River1::e, "mye"),
                     bind(&River1::q0, "myq0"), bind(&River1::c0, "myc0"), bind(&River1::x, "myx"),
                     bind(&River1::q2, "myq2"), bind(&River1::c2, "myc2")},
                    [](const Entry &e, const River1 &in, Result &r) {
                        const auto river = models::oneDimensionalRiver(in);
                        addNumber(e, 0, river.c, r);
                        if (r.textsWanted)
                            r.add(e.outputs[1].name, models::oneDimensionalCaption(river));
                    });
    river1.plot = PlotSpec::curve("myx");
    table.push_back(river1);

    Entry river2;
    river2.id = "my2dform";
    river2.window = "my2dform";
    river2.okButton = "Command1";
    river2.title = "二维水质计算";
    river2.fields = plumeFields();
    river2.fields.push_back({"myy", labels::distanceFromBank, "15", "m"});
    river2.required = {"myk", "mye", "myc0", "myb", "myq2", "myc2", "myx", "myu", "myy", "myh"};
    river2.outputs = {patternOutput("myc", "距排污口X千米,距排污口所在岸边Y米处的水质浓度(mg/L):", Precision::Double,
                                    "###0.00", "mg/L"),
                      captionOutput("Label9")};
    river2.formula = "x = X × 1000\n"
                     "C = exp(−K × x / (86400 × u)) × [C0 + (C2 × Q2 / H) / √(π × E × x × u) × "
                     "(exp(−u × y² / (4 × E × x)) + exp(−u × (2B − y)² / (4 × E × x)))]\n"
                     "π = 3.1415926";
    river2.symbols = {{"K", "myk"},   {"u", "myu"},   {"E", "mye"}, {"B", "myb"}, {"C0", "myc0"}, {"H", "myh"},
                      {"Q2", "myq2"}, {"C2", "myc2"}, {"X", "myx"}, {"y", "myy"}, {"C", "myc"}};
    using River2 = models::TwoDimensionalRiverInput;
    bindRun<River2>(river2,
                    {bind(&River2::k, "myk"), bind(&River2::u, "myu"), bind(&River2::e, "mye"), bind(&River2::b, "myb"),
                     bind(&River2::c0, "myc0"), bind(&River2::h, "myh"), bind(&River2::q2, "myq2"),
                     bind(&River2::c2, "myc2"), bind(&River2::x, "myx"), bind(&River2::y, "myy")},
                    [](const Entry &e, const River2 &in, Result &r) {
                        const auto river = models::twoDimensionalRiver(in);
                        addNumber(e, 0, river.c, r);
                        if (r.textsWanted)
                            r.add(e.outputs[1].name, models::twoDimensionalCaption(river));
                    });
    river2.plot.kind = PlotSpec::MapAndProfile;
    river2.plot.along = "myx";
    river2.plot.across = "myy";
    river2.plot.width = "myb";
    table.push_back(river2);

    Entry zone;
    zone.id = "MYLFORM";
    zone.window = "MYLFORM";
    zone.okButton = "Command1";
    zone.title = "计算过渡带长度";
    zone.fields = {{"myk", labels::decayRange, "0.2", "1/d", Range{0.02, 0.5}},
                   {"myu", labels::velocity, "2.0", "m/s"},
                   {"myc0", "上游水质浓度(mg/L)", "8", "mg/L"},
                   {"myc", "下游水质浓度(mg/L)", "6", "mg/L"}};
    zone.required = {"myc", "myc0", "myu", "myk"};
    zone.outputs = {patternOutput("myl", "过渡带长度(m)", Precision::Double, "#####0.000", "m")};
    zone.formula = "L = ln(C0 / C) × (86400 × u) / K";
    zone.symbols = {{"K", "myk"}, {"u", "myu"}, {"C0", "myc0"}, {"C", "myc"}, {"L", "myl"}};
    using Zone = models::TransitionZoneInput;
    bindRun<Zone>(
        zone, {bind(&Zone::k, "myk"), bind(&Zone::u, "myu"), bind(&Zone::c0, "myc0"), bind(&Zone::c, "myc")},
        [](const Entry &e, const Zone &in, Result &r) { addNumber(e, 0, models::transitionZoneLength(in), r); });
    zone.plot.kind = PlotSpec::DecayAlongReach;
    zone.plot.along = "myc";
    zone.plot.from = "myc0";
    zone.plot.span = 1.5;
    table.push_back(zone);
}

} // namespace catalogue
