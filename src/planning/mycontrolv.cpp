#include "mycontrolv.h"

#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using ui::tw;
using varnolek::planning::Balance;
using varnolek::planning::BaseLoads;

const QString mycontrolV::askWaterBodyCaption = QStringLiteral("计算工业污染源");
const QString mycontrolV::okCaption = QStringLiteral("确  定");

namespace
{

constexpr double okSize = 16;  // caculv as "确  定"
constexpr double askSize = 10; // caculv as "计算工业污染源"
constexpr const char *reductionStart = "排污削减量(t/a):";
constexpr const char *industryCaption = "工业污染物总量(t/a)";

// Both data frames: labels at Left 240 and 4200, fields at 1920 and 5880 (twips).
constexpr int labelLeft[] = {240, 4200};
constexpr int fieldLeft[] = {1920, 5880};
constexpr int labelWidth = 1620, fieldWidth = 1560;

} // namespace

mycontrolV::mycontrolV()
    : CalculatorWindow("mycontrolV", "水污染总量控制计算", varnolek::Precision::Double, "############0.000",
                       ui::ButtonFace::Li)
{
    Frame2 = addFrame(this, "Frame2", "选择计算条件", tw(360, 0, 8532, 852));
    Option3 = addOption(Frame2, "Option3", "已知基准年各污染源排放量", tw(120, 360, 3960, 372),
                        [this] { chooseKnownIndustry(); });
    Option4 = addOption(Frame2, "Option4", "工业污染源排放量未知", tw(4680, 360, 3600, 372),
                        [this] { chooseEstimatedIndustry(); });
    Option3->setChecked(true);

    auto field = [this](QWidget *frame, int top, int col, const char *caption, const char *name, const char *text,
                        QLabel **label = nullptr) {
        QLabel *l = addLabel(frame, QString(), caption, tw(labelLeft[col], top, labelWidth, 552));
        if (label)
            *label = l;
        return addField(frame, name, text, tw(fieldLeft[col], top + 60, fieldWidth, 432));
    };

    Frame5 = addFrame(this, "Frame5", "请输入以下资料", tw(960, 960, 7692, 6012));
    myn = field(Frame5, 480, 0, "水体集流区内人口数(人)", "myn", "10000");
    mya = field(Frame5, 480, 1, "人均废水量(100-350L/人*d)", "mya", "200");
    myc = field(Frame5, 1200, 0, "生活废水浓度(100-350mg/L)", "myc", "200");
    myf = field(Frame5, 1200, 1, "水体集流区内耕地面积(亩)", "myf", "10000");
    myjl = field(Frame5, 1920, 0, "径流系数(0.1-1)", "myjl", "0.7");
    myls1 = field(Frame5, 1920, 1, "生活污染源流失率(0.2-1.0)", "myls1", "0.8");
    myls = field(Frame5, 2640, 0, "农业面源流失率(0.2-1.0)", "myls", "0.7");
    myth = field(Frame5, 2640, 1, "年降雨量(mm)", "myth", "1000");
    myy = field(Frame5, 3360, 0, "规划年与基准年间隔年数(年)", "myy", "10");
    myc1 = field(Frame5, 3360, 1, "径流中污染物的浓度(mg/L)", "myc1", "60");
    myr = field(Frame5, 4080, 0, "土地类型及耕种方式改变系数", "myr", "1.0");
    myn1 = field(Frame5, 4080, 1, "水体集流区内规划年人口数(人)", "myn1", "15000");
    mya2 = field(Frame5, 4800, 0, "技术进步系数(0.2-0.8)", "mya2", "0.7");
    mya1 = field(Frame5, 4800, 1, "工业产值增长率", "mya1", "0.08");
    myw3 = field(Frame5, 5400, 0, "排入水体的工业污染物总量(t/a)", "myw3", "1000", &Label21);
    Label21->setObjectName("Label21");
    myw = field(Frame5, 5400, 1, "水体环境容量(t/a)", "myw", "20000");

    Frame3 = addFrame(this, "Frame3", "请输入以下资料", tw(960, 2520, 7692, 2772));
    myk = field(Frame3, 480, 0, "水质降解系数k(范围0.02-0.5 1/d)", "myk", "0.2");
    myq0 = field(Frame3, 480, 1, "上游来水流量(m3/s)", "myq0", "80");
    myc0 = field(Frame3, 1320, 0, "上游来水中污染物浓度(mg/L)", "myc0", "6");
    mycs = field(Frame3, 1320, 1, "枯水期时水体中污染物的浓度(mg/L)", "mycs", "8");
    myq1 = field(Frame3, 2160, 0, "水体的出流量(m3/s)", "myq1", "100");
    myv = field(Frame3, 2160, 1, "水体的体积(m3)", "myv", "30000");
    Frame3->hide();

    caculv = addButton(this, "caculv", okCaption, tw(1800, 7080, 1812, 492), [this] { calculateControl(); });
    Command1 = addButton(this, "Command1", "取  消", tw(4200, 7080, 1812, 492), [this] { cancel(); });
    myexit = addButton(this, "myexit", "返  回", tw(6600, 7080, 1812, 492), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", reductionStart, tw(2280, 7800, 3240, 432));
    myw4 = addResult(this, "myw4", tw(5640, 7800, 1932, 432));
    setClientSize(9672, 8376);
}

void mycontrolV::setOkCaption(const QString &caption, double pointSize)
{
    caculv->setText(caption);
    QFont f = caculv->font();
    f.setPointSizeF(pointSize);
    caculv->setFont(f);
}

// The view of each condition when it is chosen, and of the two steps of the
// estimate:
//   condition / step             caculv                   myw3, Label21      frames
//   industrial load known        "确  定", 16             shown, editable    Frame5
//   estimate, first step         "计算工业污染源", 10      hidden             as they were
//   estimate, water-body data    "确  定", 16             hidden             Frame3
//   estimate, after the estimate "确  定", 16             shown, read-only   Frame5
void mycontrolV::chooseKnownIndustry()
{
    myw3->setReadOnly(false);
    myw3->setEnabled(true);
    myw4->clear();
    myw3->show();
    Label21->show();
    setOkCaption(okCaption, okSize);
    Frame5->show();
    Frame3->hide();
}

void mycontrolV::chooseEstimatedIndustry()
{
    myw4->clear();
    setOkCaption(askWaterBodyCaption, askSize);
    myw3->hide();
    Label21->hide();
}

void mycontrolV::showWaterBodyStep()
{
    Frame3->show();
    Frame5->hide();
    Label9->setText(industryCaption);
    setOkCaption(okCaption, okSize);
}

void mycontrolV::showSourcesAfterEstimate()
{
    Frame5->show();
    Frame3->hide();
    Label9->setText(reductionStart);
    myw3->show();
    Label21->show();
    // The estimate is shown but not typed over.
    myw3->setReadOnly(true);
    myw3->setEnabled(false);
}

void mycontrolV::cancel()
{
    clear({myn, mya, myc, myls, myc1, myf, myjl, myth, myy, myn1, myr, myls1, mya1, mya2, myw, myw4});
    if (Option3->isChecked())
        clear({myw3});
    else if (Option4->isChecked())
        clear({myk, myq0, myv, myc0, myq1, mycs});
}

varnolek::planning::Sources mycontrolV::sources() const
{
    return {read(myn), read(mya), read(myc), read(myls1), read(myf), read(myjl), read(myth), read(myls), read(myc1)};
}

void mycontrolV::calculateControl()
{
    if (!complete({myn, mya, myc, myls, myls1, myf, myjl, myth, myc1}))
        return;
    calculate([this] {
        const BaseLoads base = varnolek::planning::baseYearLoads(sources());
        if (Option3->isChecked()) {
            if (!complete({myn, mya, myc, myls, myls1, myc1, myf, myjl, myth, myy, myn1, myr, mya1, mya2, myw3, myw}))
                return;
            project(base, read(myw3));
        } else if (Option4->isChecked()) {
            if (caculv->text() == askWaterBodyCaption) {
                if (!complete({myn, mya, myc, myls, myls1, myc1, myf, myjl, myth, myy, myn1, myr, mya1, mya2, myw}))
                    return;
                showWaterBodyStep();
                return;
            }
            if (!complete({myk, myc0, myq0, myq1, myv, mycs}))
                return;
            showSourcesAfterEstimate();
            const float i = varnolek::planning::estimatedIndustrialLoad(
                base, {read(myk), read(myq0), read(myc0), read(mycs), read(myq1), read(myv)});
            myw3->setText(QString::fromStdString(varnolek::generalText(i, varnolek::Precision::Single)));
            project(base, i);
        }
    });
}

void mycontrolV::project(const BaseLoads &base, double industrialLoad)
{
    const Balance balance = varnolek::planning::projectedBalance(
        base, {read(myn), read(myn1), read(myr), read(mya2), read(mya1), read(myy), industrialLoad, read(myw)});
    Label9->setText(balance.caption());
    writeResult(myw4, balance.shown());
}
