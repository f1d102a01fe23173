// Every calculation, three ways: a reference written here from the design's
// field tables (each core input member assigned from its field by name, the
// completeness set written out), the window, and varnolek-calc. Each field in
// turn is set to a value no other field holds, then emptied; the window's
// results and messages and the command line's output must equal the
// reference. A swapped pair of arguments or a field missing from a
// completeness set, in the catalogue or in a window, fails here. The windows
// must also show exactly the catalogue's labels and default texts.

#include "app/windowcatalog.h"
#include "catalogue/catalogue.h"
#include "cli/runner.h"
#include "core/arithmetic.h"
#include "core/capacity.h"
#include "core/frequency.h"
#include "core/hydrology.h"
#include "core/lakenutrients.h"
#include "core/models.h"
#include "core/monthlyflow.h"
#include "core/numbers.h"
#include "core/parameters.h"
#include "core/planning.h"
#include "core/rejection.h"
#include "core/rivermodels.h"
#include "support/examples.h"
#include "support/runcli.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>

using namespace windowtest;
using varnolek::Precision;

namespace {

using Texts = std::map<std::string, std::string>;

// What a calculation shows: the texts it writes, or the message it stops with.
struct Shown {
    std::vector<std::pair<std::string, std::string>> texts;
    std::string message;
};

double num(const Texts &t, const std::string &name)
{
    const auto it = t.find(name);
    return varnolek::readNumber(it == t.end() ? std::string() : it->second);
}

std::string pattern(double v, Precision p, const char *pat) { return varnolek::formatPattern(v, p, pat); }

// ---- The reference: fields by name, from the design's tables ---------------

struct Reference {
    std::vector<std::string> completeness;
    std::function<Shown(const Texts &)> compute;
};

Shown balanceTexts(const varnolek::planning::Balance &b, const char *field, const char *pat)
{
    return {{{"Label9", b.caption()}, {field, pattern(b.shown(), Precision::Double, pat)}}, {}};
}

varnolek::planning::Sources sources(const Texts &t)
{
    varnolek::planning::Sources s;
    s.n = num(t, "myn");
    s.a = num(t, "mya");
    s.cd = num(t, "myc");
    s.pd = num(t, "myls1");
    s.f = num(t, "myf");
    s.k = num(t, "myjl");
    s.p = num(t, "myth");
    s.pa = num(t, "myls");
    s.cr = num(t, "myc1");
    return s;
}

varnolek::planning::Projection projection(const Texts &t, double industry)
{
    varnolek::planning::Projection p;
    p.n = num(t, "myn");
    p.n1 = num(t, "myn1");
    p.beta = num(t, "myr");
    p.alpha = num(t, "mya2");
    p.g = num(t, "mya1");
    p.t = num(t, "myy");
    p.i = industry;
    p.w = num(t, "myw");
    return p;
}

Shown capacityOf(varnolek::planning::WaterBody body, const Texts &t)
{
    varnolek::planning::CapacityInput in;
    in.k = num(t, "myk");
    in.q0 = num(t, "myq0");
    in.b = num(t, "myb");
    in.c0 = num(t, "myc0");
    in.q2 = num(t, "myq2");
    in.l = num(t, "myl");
    in.s = num(t, "mysb");
    in.cs = num(t, "mycs");
    in.h = num(t, "myh");
    in.q1 = num(t, "myq1");
    in.c1 = num(t, "myc1");
    in.d = num(t, "myd");
    return {{{"myw", pattern(environmentalCapacity(body, in), Precision::Single, "#########0.000")}}, {}};
}

Shown monitoredOf(varnolek::planning::WaterBody body, const Texts &t)
{
    varnolek::planning::MonitoredInput in;
    in.k = num(t, "myk");
    in.q0 = num(t, "myq0");
    in.b = num(t, "myb");
    in.c0 = num(t, "myc0");
    in.q1 = num(t, "myq1");
    in.l = num(t, "myl");
    in.e = num(t, "myw");
    in.c = num(t, "mycs");
    in.h = num(t, "myh");
    in.d = num(t, "myd");
    in.q2 = num(t, "myq2");
    in.c2 = num(t, "myc2");
    return balanceTexts(monitoredBalance(body, in), "myw1", "#########0.000");
}

const std::vector<std::string> sourceFields = {"myn", "mya", "myc", "myls", "myls1", "myf", "myjl", "myth", "myc1"};
const std::vector<std::string> planningFields = {"myy", "myn1", "myr", "mya1", "mya2", "myw"};
const std::vector<std::string> waterBodyFields = {"myk", "myc0", "myq0", "myq1", "myv", "mycs"};

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The design flow of a monthly-means file, as the design gives its outputs
// in order; the flow and the level views differ only in their words.
Shown designFlow(const Texts &t)
{
    namespace hydrology = varnolek::hydrology;
    const hydrology::MonthlyFile file = hydrology::readMonthlyFile(t.at("file"));
    if (file.status != hydrology::FileStatus::Ok)
        return {{}, hydrology::checkMonthlyFileMessage};
    const std::string &rateText = t.at("rate");
    double rate = 0;
    try {
        rate = varnolek::hasLeadingNumber(rateText) ? varnolek::readNumber(rateText) : 0;
    } catch (const varnolek::CalcError &) {
        return {{}, hydrology::rateRangeMessage};
    }
    if (!(rate > 0 && rate < 100))
        return {{}, hydrology::rateRangeMessage};
    const hydrology::DesignFlowAnalysis a = hydrology::analyseDesignFlow(file.years);
    const hydrology::DesignFlow d = hydrology::designFlow(a, rate);
    const auto decimals = [](double v) { return pattern(v, Precision::Double, "###0.000"); };
    return {{{"myq10", decimals(a.recent.mean)},
             {"Label_q10", hydrology::recentYearsNote(a.recent.years)},
             {"myq10min", decimals(a.recent.smallest.value)},
             {"myq10year", std::to_string(a.recent.smallest.year) + "年"},
             {"mydesign", decimals(d.rankRule.record.value)},
             {"mydesignyear", std::to_string(d.rankRule.record.year) + "年"},
             {"myinterp", decimals(d.interpolated)},
             {"myp3", d.curve ? decimals(*d.curve) : d.curveMessage}},
            {}};
}

const std::map<std::string, Reference> &references()
{
    using namespace varnolek;
    using planning::WaterBody;
    static const std::map<std::string, Reference> table = {
        {"my0dform/volume",
         {{"myv", "MYK", "myq", "myw"},
          [](const Texts &t) -> Shown {
              models::VolumeMixingInput in;
              in.w = num(t, "myw");
              in.q = num(t, "myq");
              in.k = num(t, "MYK");
              in.v = num(t, "myv");
              return {{{"Text3", pattern(models::volumeMixing(in), Precision::Single, "###0.00")}}, {}};
          }}},
        {"my0dform/section",
         {{"myc2", "myc1", "myq2", "myq1"},
          [](const Texts &t) -> Shown {
              models::SectionMixingInput in;
              in.q1 = num(t, "myq1");
              in.c1 = num(t, "myc1");
              in.q2 = num(t, "myq2");
              in.c2 = num(t, "myc2");
              return {{{"Text2", pattern(models::sectionMixing(in), Precision::Single, "###0.00")}}, {}};
          }}},
        {"my1dform",
         {{"myk", "mye", "myq0", "myc0", "myq2", "myc2", "myx", "myu"},
          [](const Texts &t) -> Shown {
              models::OneDimensionalRiverInput in;
              in.k = num(t, "myk");
              in.u = num(t, "myu");
              in.e = num(t, "mye");
              in.q0 = num(t, "myq0");
              in.c0 = num(t, "myc0");
              in.x = num(t, "myx");
              in.q2 = num(t, "myq2");
              in.c2 = num(t, "myc2");
              const auto r = models::oneDimensionalRiver(in);
              return {{{"myc", pattern(r.c, Precision::Single, "###0.00")},
                       {"Label9", models::oneDimensionalCaption(r)}},
                      {}};
          }}},
        {"my2dform",
         {{"myk", "mye", "myc0", "myb", "myq2", "myc2", "myx", "myu", "myy", "myh"},
          [](const Texts &t) -> Shown {
              models::TwoDimensionalRiverInput in;
              in.k = num(t, "myk");
              in.u = num(t, "myu");
              in.e = num(t, "mye");
              in.b = num(t, "myb");
              in.c0 = num(t, "myc0");
              in.h = num(t, "myh");
              in.q2 = num(t, "myq2");
              in.c2 = num(t, "myc2");
              in.x = num(t, "myx");
              in.y = num(t, "myy");
              const auto r = models::twoDimensionalRiver(in);
              return {{{"myc", pattern(r.c, Precision::Double, "###0.00")},
                       {"Label9", models::twoDimensionalCaption(r)}},
                      {}};
          }}},
        {"MYLFORM",
         {{"myc", "myc0", "myu", "myk"},
          [](const Texts &t) -> Shown {
              models::TransitionZoneInput in;
              in.k = num(t, "myk");
              in.u = num(t, "myu");
              in.c0 = num(t, "myc0");
              in.c = num(t, "myc");
              return {{{"myl", pattern(models::transitionZoneLength(in), Precision::Double, "#####0.000")}}, {}};
          }}},
        {"my0dw",
         {{"myk", "myq0", "myr", "myh", "mya", "mycs"},
          [](const Texts &t) -> Shown {
              capacity::LakeReservoirInput in;
              in.k = num(t, "myk");
              in.q = num(t, "myq0");
              in.a = num(t, "mya");
              in.r = num(t, "myr");
              in.cs = num(t, "mycs");
              in.h = num(t, "myh");
              return {{{"myw", pattern(capacity::lakeReservoir(in), Precision::Double, "#########0.000")}}, {}};
          }}},
        {"my1dw",
         {{"myk", "myq0", "myc0", "myx", "myq2", "mycs", "myu"},
          [](const Texts &t) -> Shown {
              capacity::OneDimensionalRiverInput in;
              in.k = num(t, "myk");
              in.q0 = num(t, "myq0");
              in.c0 = num(t, "myc0");
              in.cs = num(t, "mycs");
              in.q2 = num(t, "myq2");
              in.u = num(t, "myu");
              in.x = num(t, "myx");
              return {{{"myw", pattern(capacity::oneDimensionalRiver(in), Precision::Double, "#########0.000")}},
                      {}};
          }}},
        {"my2dw",
         {{"myk", "mye", "myc0", "myb", "mycs", "myx", "myu", "myy", "myh"},
          [](const Texts &t) -> Shown {
              capacity::TwoDimensionalRiverInput in;
              in.k = num(t, "myk");
              in.u = num(t, "myu");
              in.e = num(t, "mye");
              in.b = num(t, "myb");
              in.c0 = num(t, "myc0");
              in.h = num(t, "myh");
              in.cs = num(t, "mycs");
              in.y = num(t, "myy");
              in.x = num(t, "myx");
              return {{{"myw", pattern(capacity::twoDimensionalRiver(in), Precision::Double, "#########0.000")}},
                      {}};
          }}},
        {"myvolform/one-way",
         {{"myk", "myq0", "myc0", "myb", "myq2", "mycs", "mysb", "myl", "myh"},
          [](const Texts &t) { return capacityOf(WaterBody::OneWay, t); }}},
        {"myvolform/two-way",
         {{"myk", "myq0", "myc0", "myb", "myq2", "mycs", "mysb", "myl", "myh", "myd", "myc1", "myq1"},
          [](const Texts &t) { return capacityOf(WaterBody::TwoWay, t); }}},
        {"myvolform/lake",
         {{"myk", "myq0", "myc0", "myb", "myq2", "mycs", "mysb"},
          [](const Texts &t) { return capacityOf(WaterBody::Lake, t); }}},
        {"myRevolform/monitoring/one-way",
         {{"myk", "myq0", "myc0", "myb", "myq1", "mycs", "myw", "myl", "myh"},
          [](const Texts &t) { return monitoredOf(WaterBody::OneWay, t); }}},
        {"myRevolform/monitoring/two-way",
         {{"myk", "myq0", "myc0", "myb", "myq1", "mycs", "myw", "myl", "myh", "myq2", "myc2", "myd"},
          [](const Texts &t) { return monitoredOf(WaterBody::TwoWay, t); }}},
        {"myRevolform/monitoring/lake",
         {{"myk", "myq0", "myc0", "myb", "myq1", "mycs", "myw"},
          [](const Texts &t) { return monitoredOf(WaterBody::Lake, t); }}},
        {"myRevolform/sources",
         {{},
          [](const Texts &t) {
              planning::SourceInput in;
              in.sources = sources(t);
              in.i = num(t, "myw3");
              in.e4 = num(t, "myw4");
              return balanceTexts(planning::sourceBalance(in), "myw1", "#########0.000");
          }}},
        {"mycontrolV/known",
         {joined({sourceFields, planningFields, {"myw3"}}),
          [](const Texts &t) {
              const planning::BaseLoads base = planning::baseYearLoads(sources(t));
              return balanceTexts(planning::projectedBalance(base, projection(t, num(t, "myw3"))), "myw4",
                                  "############0.000");
          }}},
        {"mycontrolV/estimate",
         {joined({sourceFields, planningFields, waterBodyFields}),
          [](const Texts &t) {
              const planning::BaseLoads base = planning::baseYearLoads(sources(t));
              planning::WaterBodyInput body;
              body.k = num(t, "myk");
              body.qin = num(t, "myq0");
              body.cin = num(t, "myc0");
              body.c = num(t, "mycs");
              body.qout = num(t, "myq1");
              body.v = num(t, "myv");
              const float i = planning::estimatedIndustrialLoad(base, body);
              Shown shown = balanceTexts(planning::projectedBalance(base, projection(t, i)), "myw4",
                                         "############0.000");
              shown.texts.insert(shown.texts.begin(), {"myw3", generalText(i, Precision::Single)});
              return shown;
          }}},
        {"myKform/two-point",
         {{"myu", "myx", "myc0", "myc1"},
          [](const Texts &t) -> Shown {
              parameters::TwoPointInput in;
              in.u = num(t, "myu");
              in.c1 = num(t, "myc0");
              in.c2 = num(t, "myc1");
              in.x = num(t, "myx");
              return {{{"myk", pattern(parameters::twoPointK(in), Precision::Single, "###0.000")}}, {}};
          }}},
        {"myKform/multi-point",
         {{},
          [](const Texts &t) -> Shown {
              parameters::MultiPointInput in;
              in.u = num(t, "Text6");
              for (int i = 0; i < 4; ++i)
                  in.points.push_back(
                      {num(t, "Text4." + std::to_string(i)), num(t, "Text2." + std::to_string(i))});
              return {{{"Text1", pattern(parameters::leastSquaresK(in), Precision::Single, "###0.000")}}, {}};
          }}},
        {"mixlenform",
         {{"myb", "mya", "myu", "mye"},
          [](const Texts &t) -> Shown {
              models::MixingLengthInput in;
              in.b = num(t, "myb");
              in.a = num(t, "mya");
              in.u = num(t, "myu");
              in.e = num(t, "mye");
              return {{{"mylm", pattern(models::mixingLength(in).lm, Precision::Double, "###0.00")}}, {}};
          }}},
        {"my2dcform",
         {{"myk", "myu", "mye", "myb", "myc0", "myh", "myq2", "myc2", "myx", "mya", "myy"},
          [](const Texts &t) -> Shown {
              models::OffBankPlumeInput in;
              in.k = num(t, "myk");
              in.u = num(t, "myu");
              in.e = num(t, "mye");
              in.b = num(t, "myb");
              in.c0 = num(t, "myc0");
              in.h = num(t, "myh");
              in.q2 = num(t, "myq2");
              in.c2 = num(t, "myc2");
              in.x = num(t, "myx");
              in.a = num(t, "mya");
              in.y = num(t, "myy");
              return {{{"myc", pattern(models::offBankPlume(in), Precision::Double, "###0.000")}}, {}};
          }}},
        {"pulseform",
         {{"mym", "myb", "myh", "myu", "mye", "myk", "myx", "myt"},
          [](const Texts &t) -> Shown {
              models::PulseInput in;
              in.m = num(t, "mym");
              in.b = num(t, "myb");
              in.h = num(t, "myh");
              in.u = num(t, "myu");
              in.e = num(t, "mye");
              in.k = num(t, "myk");
              in.x = num(t, "myx");
              in.t = num(t, "myt");
              const double peakTime = models::pulsePeakTime(in);
              return {
                  {{"myc", pattern(models::pulseConcentration(in), Precision::Double, "###0.0000")},
                   {"mytp", pattern(peakTime, Precision::Double, "###0.00")},
                   {"mycp", pattern(models::pulseConcentration(in, in.x, peakTime), Precision::Double, "###0.0000")}},
                  {}};
          }}},
        {"estuaryform",
         {{"myc0", "myq", "myu", "mye", "myk", "myq2", "myc2", "myx"},
          [](const Texts &t) -> Shown {
              models::TidalReachInput in;
              in.ch = num(t, "myc0");
              in.qh = num(t, "myq");
              in.u = num(t, "myu");
              in.m = num(t, "mye");
              in.k = num(t, "myk");
              in.q2 = num(t, "myq2");
              in.c2 = num(t, "myc2");
              in.x = num(t, "myx");
              return {{{"myc", pattern(models::tidalReach(in), Precision::Double, "###0.000")}}, {}};
          }}},
        {"spform",
         {{"myq1", "myl1", "mydo1", "myq2", "myl2", "mydo2", "myt", "myk1", "myk2", "myu", "myx"},
          [](const Texts &t) -> Shown {
              models::StreeterPhelpsInput in;
              in.q1 = num(t, "myq1");
              in.l1 = num(t, "myl1");
              in.do1 = num(t, "mydo1");
              in.q2 = num(t, "myq2");
              in.l2 = num(t, "myl2");
              in.do2 = num(t, "mydo2");
              in.t = num(t, "myt");
              in.k1 = num(t, "myk1");
              in.k2 = num(t, "myk2");
              in.u = num(t, "myu");
              in.x = num(t, "myx");
              const models::OxygenAtSection at = models::oxygenAt(in, in.x);
              const models::CriticalPoint critical = models::criticalPoint(in);
              const bool exhausted = at.oxygen < 0 || critical.oxygen < 0;
              return {{{"myl", pattern(at.bod, Precision::Double, "###0.00")},
                       {"mydo", pattern(at.oxygen, Precision::Double, "###0.00")},
                       {"mytc", pattern(critical.tc, Precision::Double, "###0.000")},
                       {"myxc", pattern(critical.xc, Precision::Double, "###0.00")},
                       {"mydoc", pattern(critical.oxygen, Precision::Double, "###0.00")},
                       {"Label_exhausted", exhausted ? "（溶解氧已耗尽，模型不再适用）" : ""}},
                      {}};
          }}},
        {"lakenform/dillon-concentration",
         {{"myi", "myr", "myqa"},
          [](const Texts &t) -> Shown {
              lakenutrients::DillonConcentrationInput in;
              in.i = num(t, "myi");
              in.r = num(t, "myr");
              in.qa = num(t, "myqa");
              return {{{"myp", pattern(lakenutrients::dillonConcentration(in), Precision::Double, "###0.0000")}}, {}};
          }}},
        {"lakenform/dillon-capacity",
         {{"myps", "myr", "myqa"},
          [](const Texts &t) -> Shown {
              lakenutrients::DillonCapacityInput in;
              in.ps = num(t, "myps");
              in.r = num(t, "myr");
              in.qa = num(t, "myqa");
              return {{{"myw", pattern(lakenutrients::dillonCapacity(in), Precision::Double, "###0.000")}}, {}};
          }}},
        {"lakenform/vollenweider-capacity",
         {{"myps", "myqa", "myv"},
          [](const Texts &t) -> Shown {
              lakenutrients::VollenweiderCapacityInput in;
              in.ps = num(t, "myps");
              in.qa = num(t, "myqa");
              in.v = num(t, "myv");
              const lakenutrients::VollenweiderCapacityResult r = lakenutrients::vollenweiderCapacity(in);
              return {{{"mytw", pattern(r.tw, Precision::Double, "###0.00")},
                       {"myw", pattern(r.w, Precision::Double, "###0.000")}},
                      {}};
          }}},
        {"lakenform/retention-budget",
         {{"mywin", "mywout"},
          [](const Texts &t) -> Shown {
              lakenutrients::RetentionBudgetInput in;
              in.win = num(t, "mywin");
              in.wout = num(t, "mywout");
              return {{{"myrr", pattern(lakenutrients::retentionFromBudget(in), Precision::Double, "###0.000")}}, {}};
          }}},
        {"lakenform/retention-settling",
         {{"myvs", "myqa", "mya"},
          [](const Texts &t) -> Shown {
              lakenutrients::RetentionSettlingInput in;
              in.vs = num(t, "myvs");
              in.qa = num(t, "myqa");
              in.a = num(t, "mya");
              return {{{"myrr", pattern(lakenutrients::retentionFromSettling(in), Precision::Double, "###0.000")}}, {}};
          }}},
        {"yearform",
         {{},
          [](const Texts &t) -> Shown {
              const double rate = num(t, "rate");
              const hydrology::DataFile file = hydrology::readDataFile(t.at("file"));
              const hydrology::LevelYear level = hydrology::designLevel(file.records, rate);
              return {{{"yeartext", std::to_string(level.record.year) + "年"},
                       {"qltext", generalText(level.record.value, Precision::Single)}},
                      {}};
          }}},
        {"designflowform", {{"file", "rate"}, designFlow}},
        {"designflowform/level", {{"file", "rate"}, designFlow}},
    };
    return table;
}

// The reference's answer for a case: the completeness set first, then the formula.
Shown expected(const std::string &id, const Texts &t)
{
    const Reference &ref = references().at(id);
    for (const std::string &name : ref.completeness)
        if (t.at(name).empty())
            return {{}, "请输入全部的参数"};
    try {
        return ref.compute(t);
    } catch (const varnolek::CalcError &e) {
        return {{}, varnolek::describe(e.kind())};
    } catch (const varnolek::InputRejected &e) {
        return {{}, e.what()}; // an input the model refuses, in its own words
    }
}

// ---- The case texts of an entry --------------------------------------------

// Field names of an entry, table rows included.
std::vector<std::string> inputNames(const catalogue::Entry &e)
{
    std::vector<std::string> names;
    for (const catalogue::Field &f : e.fields)
        names.push_back(f.name);
    for (int i = 0; i < e.defaultRows; ++i)
        for (const catalogue::Group &g : e.groups)
            names.push_back(g.name + "." + std::to_string(i));
    return names;
}

Texts defaultTexts(const catalogue::Entry &e)
{
    Texts t;
    const catalogue::Case c = catalogue::defaultCase(e);
    for (const auto &[name, text] : c.fields)
        t[std::string(name)] = std::string(text);
    if (const catalogue::Field *file = catalogue::dataFileField(e))
        t[file->name] = exampleFile(*file).toStdString();
    return t;
}

// A value for field `changed` well away from its default and from the value
// of every other field of the case, so that a swap shows in the result.
std::string distinctValue(const Texts &t, const std::string &changed)
{
    const double d = varnolek::readNumber(t.at(changed));
    double v = (d != 0 ? d * 1.6 : 0.7) + 0.37;
    auto clashes = [&](double candidate) {
        for (const auto &[name, text] : t)
            if (name != changed && name != "file" && varnolek::readNumber(text) == candidate)
                return true;
        return false;
    };
    while (clashes(v))
        v += 0.61;
    return varnolek::generalText(v);
}

// ---- The window --------------------------------------------------------------

QLineEdit *fieldNamed(QWidget *window, const std::string &name)
{
    const auto dot = name.find('.');
    const QString group = QString::fromStdString(name.substr(0, dot));
    for (QLineEdit *edit : window->findChildren<QLineEdit *>(group))
        if (dot == std::string::npos || edit->property("index").toString().toStdString() == name.substr(dot + 1))
            return edit;
    return nullptr;
}

QString shownText(QWidget *window, const std::string &name)
{
    const QString n = QString::fromStdString(name);
    if (auto *field = window->findChild<QLineEdit *>(n))
        return field->text();
    if (auto *label = window->findChild<QLabel *>(n))
        return label->text();
    return "<no control " + n + ">";
}

struct OpenWindow {
    std::unique_ptr<ScriptedPrompts> prompts = std::make_unique<ScriptedPrompts>();
    std::unique_ptr<QWidget> window;
};

// The window of an entry, with the entry's view selected. The first view of a
// window is the one it opens in, and is not clicked.
OpenWindow openView(const catalogue::Entry &e)
{
    OpenWindow w;
    if (!e.groups.empty())
        w.prompts->inputAnswers.enqueue(QString::number(e.defaultRows)); // the table's size
    w.window.reset(findCalculator(QString::fromStdString(e.window))->make());
    w.window->setAttribute(Qt::WA_DeleteOnClose, false);
    w.window->show();
    if (catalogue::entriesOf(e.window).front() != &e)
        for (const std::string &option : e.options)
            child<QRadioButton>(w.window.get(), option.c_str())->click();
    return w;
}

Shown inWindow(const catalogue::Entry &e, const Texts &t)
{
    OpenWindow w = openView(e);
    const int before = w.prompts->messages.size();
    for (const auto &[name, text] : t) {
        if (e.id == "yearform")
            continue;
        // A text the window keeps itself, not in a field of its name.
        if (const catalogue::Field *f = e.field(name); f && f->dialog) {
            static_cast<ui::CalculatorWindow *>(w.window.get())->setDataText(name, QString::fromStdString(text));
            continue;
        }
        QLineEdit *edit = fieldNamed(w.window.get(), name);
        if (!edit)
            return {{}, "<no field " + name + ">"};
        edit->setText(QString::fromStdString(text));
    }
    if (e.id == "yearform") {
        w.prompts->fileAnswers.enqueue(QString::fromStdString(t.at("file")));
        w.prompts->inputAnswers.enqueue(QString::fromStdString(t.at("rate")));
    }
    for (const catalogue::Output &o : e.outputs)
        if (auto *field = w.window->findChild<QLineEdit *>(QString::fromStdString(o.name)))
            field->setText("before");
    for (int i = 0; i < e.okPresses; ++i)
        press(w.window.get(), e.okButton.c_str());

    Shown shown;
    for (int i = before; i < w.prompts->messages.size(); ++i)
        if (w.prompts->messages[i].text != "打开水文资料文件") // the level year's own prompt
            shown.message = w.prompts->messages[i].text.toStdString();
    if (shown.message.empty())
        for (const catalogue::Output &o : e.outputs)
            shown.texts.push_back({o.name, shownText(w.window.get(), o.name).toStdString()});
    return shown;
}

// ---- The command line ----------------------------------------------------------

Shown inCommandLine(const catalogue::Entry &e, const Texts &t)
{
    QStringList args = {QString::fromStdString(e.id)};
    for (const auto &[name, text] : t)
        args << QString::fromStdString(name + "=" + text);
    const CliResult run = runCli(args);
    Shown shown;
    for (const QString &line : run.out.split('\n', Qt::SkipEmptyParts)) {
        const qsizetype eq = line.indexOf('=');
        shown.texts.push_back({line.left(eq).toStdString(), line.mid(eq + 1).toStdString()});
    }
    shown.message = run.err.trimmed().toStdString();
    return shown;
}

// The frequency analysis is an analysis window, not a calculator window with
// fields and an OK button: tst_freqform checks its texts against the window
// and tst_frequency against the core.
bool checkedElsewhere(const catalogue::Entry &e) { return e.window == "freqform"; }

QString describe(const Shown &s)
{
    QStringList parts;
    for (const auto &[name, text] : s.texts)
        parts << QString::fromStdString(name + "=" + text);
    if (!s.message.empty())
        parts << "message: " + QString::fromStdString(s.message);
    return parts.join("; ");
}

} // namespace

class TestCatalogueWindows : public QObject {
    Q_OBJECT

private slots:
    void everyEntryHasAReference();
    void layout_data();
    void layout();
    void perturbed_data();
    void perturbed();
};

void TestCatalogueWindows::everyEntryHasAReference()
{
    std::size_t checked = 0;
    for (const catalogue::Entry &e : catalogue::entries())
        if (!checkedElsewhere(e)) {
            QVERIFY2(references().count(e.id), e.id.c_str());
            ++checked;
        }
    QCOMPARE(references().size(), checked);
}

void TestCatalogueWindows::layout_data()
{
    QTest::addColumn<QString>("id");
    for (const catalogue::Entry &e : catalogue::entries())
        if (!checkedElsewhere(e))
            QTest::newRow(e.id.c_str()) << QString::fromStdString(e.id);
}

// The view shows every field of its entry with the entry's default text and
// label, and no other input field.
void TestCatalogueWindows::layout()
{
    QFETCH(QString, id);
    const catalogue::Entry &e = catalogue::entry(id.toStdString());
    OpenWindow w = openView(e);
    QCOMPARE(w.window->windowTitle(), QString::fromStdString(e.title));
    if (catalogue::keepsDialogFields(e))
        return; // its inputs are kept by the window: a file dialog, an input box, a box of its own naming

    const Texts defaults = defaultTexts(e);
    // A view of two presses shows its second part after the first.
    std::set<std::string> seen;
    for (int press = 0; press < e.okPresses; ++press) {
        if (press > 0)
            windowtest::press(w.window.get(), e.okButton.c_str());
        for (QLineEdit *edit : w.window->findChildren<QLineEdit *>())
            if (edit->isVisible())
                seen.insert(edit->objectName().toStdString() +
                            (edit->property("index").isValid()
                                 ? "." + edit->property("index").toString().toStdString()
                                 : ""));
    }
    w = openView(e);
    for (const std::string &name : inputNames(e)) {
        QLineEdit *edit = fieldNamed(w.window.get(), name);
        QVERIFY2(edit, name.c_str());
        QVERIFY2(seen.count(name), name.c_str());
        QCOMPARE(edit->text().toStdString(), defaults.at(name));
        const catalogue::Field *f = e.field(name);
        const std::string label =
            f ? f->label : e.group(name.substr(0, name.find('.')))->rowLabel(std::stoi(name.substr(name.find('.') + 1)));
        bool labelled = false;
        for (QLabel *l : w.window->findChildren<QLabel *>())
            labelled = labelled || ((l->isVisible() || !edit->isVisible()) && l->text().toStdString() == label);
        QVERIFY2(labelled, label.c_str());
    }
    // Nothing else is typed into: views chosen by options show only their
    // own fields; views side by side show each other's.
    const std::vector<std::string> names = inputNames(e);
    for (const std::string &name : seen) {
        bool own = std::find(names.begin(), names.end(), name) != names.end();
        if (e.options.empty())
            for (const catalogue::Entry *other : catalogue::entriesOf(e.window))
                own = own || other->accepts(name) || other->output(name);
        if (e.output(name) || name == "Text5") // Text5: the count of the table built
            continue;
        QVERIFY2(own, name.c_str());
    }
}

void TestCatalogueWindows::perturbed_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("blank");
    for (const catalogue::Entry &e : catalogue::entries()) {
        if (checkedElsewhere(e))
            continue;
        QTest::addRow("%s, defaults", e.id.c_str()) << QString::fromStdString(e.id) << QString() << false;
        for (const std::string &name : inputNames(e)) {
            if (name == "file")
                continue;
            QTest::addRow("%s, %s distinct", e.id.c_str(), name.c_str())
                << QString::fromStdString(e.id) << QString::fromStdString(name) << false;
            QTest::addRow("%s, %s empty", e.id.c_str(), name.c_str())
                << QString::fromStdString(e.id) << QString::fromStdString(name) << true;
        }
    }
}

void TestCatalogueWindows::perturbed()
{
    QFETCH(QString, id);
    QFETCH(QString, field);
    QFETCH(bool, blank);
    const catalogue::Entry &e = catalogue::entry(id.toStdString());
    Texts t = defaultTexts(e);
    if (!field.isEmpty())
        t[field.toStdString()] = blank ? std::string() : distinctValue(t, field.toStdString());

    const Shown want = expected(e.id, t);
    const Shown window = inWindow(e, t);
    const Shown command = inCommandLine(e, t);
    QCOMPARE(describe(window), describe(want));
    QCOMPARE(describe(command), describe(want));
}

QTEST_MAIN(TestCatalogueWindows)
#include "tst_catalogue_windows.moc"
