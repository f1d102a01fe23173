#include "my0dform.h"

#include "core/models.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLineEdit>

using ui::tw;

namespace {
// Rows of both frames (twips): labels at Left 240, fields at Left 2040.
constexpr int rowTop[] = {480, 1320, 2280, 3240};
constexpr int resultTop = 4800;
constexpr int buttonTop = 3960;
} // namespace

my0dform::my0dform()
    : CalculatorWindow("my0dform", "零维水质计算", varnolek::Precision::Single, "###0.00")
{
    auto row = [this](QWidget *frame, int top, const char *name, const char *label, const char *text) {
        addLabel(frame, QString(), label, tw(240, top, 1452, 492));
        return addField(frame, name, text, tw(2040, top, 1452, 492));
    };

    QGroupBox *volume = addFrame(this, "Frame1", "容积混合", tw(360, 480, 3852, 5652));
    myw = row(volume, rowTop[0], "myw", "排入水体污染物总量(kg/d)", "5000");
    myq = row(volume, rowTop[1], "myq", "水体出流量(m3/s)", "5");
    MYK = row(volume, rowTop[2], "MYK", "水质降解系数(1/d)", "0.2");
    myv = row(volume, rowTop[3], "myv", "水体体积(万M3)", "100");
    caculc = addButton(volume, "caculc", "确  定", tw(240, buttonTop, 1452, 612), [this] { calculateVolumeMixing(); });
    mycancel = addButton(volume, "mycancel", "取  消", tw(2040, buttonTop, 1452, 612),
                         [this] { clear({myw, myq, MYK, myv, Text3}); });
    addLabel(volume, QString(), "水体中污染物浓度(mg/L)", tw(240, resultTop, 1452, 492));
    Text3 = addResult(volume, "Text3", tw(2040, resultTop, 1452, 492));

    QGroupBox *section = addFrame(this, "Frame2", "断面混合", tw(4920, 480, 3852, 5652));
    myq1 = row(section, rowTop[0], "myq1", "河道流量(m3/s)", "50");
    myc1 = row(section, rowTop[1], "myc1", "河道中污染物浓度(mg/L)", "6");
    myq2 = row(section, rowTop[2], "myq2", "排入河道废水量(m3/s)", "2");
    myc2 = row(section, rowTop[3], "myc2", "废水中污染物浓度(mg/L)", "100");
    caculc1 = addButton(section, "caculc1", "确  定", tw(240, buttonTop, 1452, 612),
                        [this] { calculateSectionMixing(); });
    Command1 = addButton(section, "Command1", "取  消", tw(2040, buttonTop, 1452, 612),
                         [this] { clear({myc1, myq1, myq2, myc2, Text2}); });
    addLabel(section, QString(), "断面污染物浓度(mg/L)", tw(240, resultTop, 1452, 492));
    Text2 = addResult(section, "Text2", tw(2040, resultTop, 1452, 492));

    Command3 = addButton(this, "Command3", "返 回", tw(3840, 6240, 1572, 732), [this] { returnToMenu(); });
    fitToContents();
}

void my0dform::calculateVolumeMixing()
{
    if (!complete({myv, MYK, myq, myw}))
        return;
    calculate([this] {
        const double c = varnolek::models::volumeMixing({read(myw), read(myq), read(MYK), read(myv)});
        writeResult(Text3, c);
    });
}

void my0dform::calculateSectionMixing()
{
    if (!complete({myc2, myc1, myq2, myq1}))
        return;
    calculate([this] {
        const double c = varnolek::models::sectionMixing({read(myq1), read(myc1), read(myq2), read(myc2)});
        writeResult(Text2, c);
    });
}
