#include "myrevolform.h"

#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using ui::tw;
using varnolek::planning::Balance;
using varnolek::planning::WaterBody;

namespace
{

// The view of the water-body frame for each water body, rebuilt only under
// the monitoring condition: the caption of the width label, the text the
// width field is reset to, and which field groups are shown.
struct BodyView {
    WaterBody body;
    const char *width; // Label7
    const char *widthText;
    bool river;   // depth and length
    bool reverse; // reversed-flow days, flow and concentration
};

constexpr BodyView views[] = {
    {WaterBody::OneWay, "河道宽度(m)", "30", true, false},
    {WaterBody::Lake, " 湖泊或水库体积(万m3)", "1000", false, false},
    {WaterBody::TwoWay, "河道宽度(m)", "30", true, true},
};
// Every rebuild names the joining flow as the outflow.
constexpr const char *outflowCaption = "水体出流流量(m3/s)";


// Data frames grid (twips): six rows of two label-and-field pairs.
constexpr int labelLeft[] = {240, 4380};
constexpr int fieldLeft[] = {2340, 6480};
constexpr int labelWidth = 2040, fieldWidth = 1800;
constexpr int firstRow = 360, rowPitch = 720;
const QRect dataFrame = tw(360, 1440, 8532, 4680);

void setShown(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *w : widgets)
        w->setVisible(shown);
}

} // namespace

myRevolform::myRevolform()
    : CalculatorWindow("myRevolform", "剩余环境容量计算", varnolek::Precision::Double, "#########0.000",
                       ui::ButtonFace::Li)
{
    Frame1 = addFrame(this, "Frame1", "选择水体", tw(360, 120, 4140, 1200));
    Option1 =
        addOption(Frame1, "Option1", "单向河流", tw(240, 330, 1800, 330), [this] { chooseBody(WaterBody::OneWay); });
    Option5 =
        addOption(Frame1, "Option5", "双向河流", tw(2160, 330, 1800, 330), [this] { chooseBody(WaterBody::TwoWay); });
    Option2 =
        addOption(Frame1, "Option2", "水库或湖泊", tw(240, 750, 1800, 330), [this] { chooseBody(WaterBody::Lake); });
    Option1->setChecked(true);

    Frame2 = addFrame(this, "Frame2", "选择计算条件", tw(4680, 120, 4212, 1200));
    Option3 =
        addOption(Frame2, "Option3", "已知现状水体水质监测值", tw(240, 330, 3720, 330), [this] { chooseMonitoring(); });
    Option4 =
        addOption(Frame2, "Option4", "已知现状污染物排放总量", tw(240, 750, 3720, 330), [this] { chooseSources(); });
    Option3->setChecked(true);

    auto pair = [this](QWidget *frame, int row, int col, const char *labelName, QLabel *&label, const char *caption,
                       const char *fieldName, const char *text) {
        const int top = firstRow + row * rowPitch;
        label = addLabel(frame, labelName, caption, tw(labelLeft[col], top, labelWidth, 600));
        return addField(frame, fieldName, text, tw(fieldLeft[col], top + 90, fieldWidth, 420));
    };

    Frame3 = addFrame(this, "Frame3", "请输入以下资料", dataFrame);
    myk = pair(Frame3, 0, 0, "Label1", Label1, "水质降解系数K(0.02-0.5 1/d)", "myk", "0.2");
    myq0 = pair(Frame3, 0, 1, "Label2", Label2, "上游来水流量(m3/s)", "myq0", "200");
    myc0 = pair(Frame3, 1, 0, "Label3", Label3, "上游来水中污染物浓度(mg/L)", "myc0", "6");
    mycs = pair(Frame3, 1, 1, "Label10", Label10, "枯水期时水体中污染物的浓度(mg/L)", "mycs", "8");
    myq1 = pair(Frame3, 2, 0, "Label5", Label5, "支流流量(m3/s)", "myq1", "50");
    myw = pair(Frame3, 2, 1, "Label4", Label4, "水体环境容量(t/a)", "myw", "30000");
    myb = pair(Frame3, 3, 0, "Label7", Label7, "河道宽度(m)", "myb", "30");
    myh = pair(Frame3, 3, 1, "Label8", Label8, "河道平均水深(m)", "myh", "2");
    myl = pair(Frame3, 4, 0, "Label6", Label6, "河道长度(km)", "myl", "10");
    myd = pair(Frame3, 4, 1, "Label16", Label16, "一年中河道出现反向流的天数(d/a)", "myd", "90");
    myq2 = pair(Frame3, 5, 0, "Label14", Label14, "反向流时下游来水流量(m3/s)", "myq2", "100");
    myc2 = pair(Frame3, 5, 1, "label12", label12, "反向流时下游水中污染物浓度(mg/L)", "myc2", "9");
    setShown({Label16, Label14, label12, myd, myq2, myc2}, false);

    Frame5 = addFrame(this, "Frame5", "请输入以下资料", dataFrame);
    myn = pair(Frame5, 0, 0, "Label17", Label17, "水体集流区内人口数(人)", "myn", "10000");
    mya = pair(Frame5, 0, 1, "Label18", Label18, "人均废水量(100-350L/人*d)", "mya", "200");
    myc = pair(Frame5, 1, 0, "Label19", Label19, "生活废水浓度(100-350mg/L)", "myc", "200");
    myf = pair(Frame5, 1, 1, "tabel20", tabel20, "水体集流区内耕地面积(亩)", "myf", "10000");
    myjl = pair(Frame5, 2, 0, "Label20", Label20, "径流系数(0.1-1)", "myjl", "0.7");
    myth = pair(Frame5, 2, 1, "Label15", Label15, "年降雨量(mm)", "myth", "2000");
    myls = pair(Frame5, 3, 0, "Label22", Label22, "农业面源流失率(0.2-0.8)", "myls", "0.7");
    myc1 = pair(Frame5, 3, 1, "Label23", Label23, "径流中污染物浓度(mg/L)", "myc1", "60");
    myw3 = pair(Frame5, 4, 0, "Label21", Label21, "排入水体的工业污染物总量(t/a)", "myw3", "100");
    myw4 = pair(Frame5, 4, 1, "Label13", Label13, "水体环境容量(t/a)", "myw4", "3000");
    myls1 = pair(Frame5, 5, 0, "Label11", Label11, "生活污染源流失率(0.2-1.0)", "myls1", "0.8");
    Frame5->hide();

    caculv = addButton(this, "caculv", "确  定", tw(1080, 6360, 1812, 552), [this] { calculateBalance(); });
    Command1 = addButton(this, "Command1", "取  消", tw(3720, 6360, 1812, 552), [this] { cancel(); });
    myexit = addButton(this, "myexit", "返  回", tw(6360, 6360, 1812, 552), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", "排污削减量(t/a):", tw(1080, 7260, 3480, 480));
    myw1 = addResult(this, "myw1", tw(4680, 7260, 2400, 480));
    fitToContents();
}

void myRevolform::chooseBody(WaterBody body)
{
    myw1->clear();
    if (Option4->isChecked())
        return; // the view is rebuilt when the monitoring condition is chosen again
    for (const BodyView &view : views) {
        if (view.body != body)
            continue;
        Label7->setText(view.width);
        Label5->setText(outflowCaption);
        setShown({Label8, Label6, myl, myh}, view.river);
        myb->setText(view.widthText);
        Frame3->show();
        Frame5->hide();
        setShown({label12, Label14, Label16, myd, myq2, myc2}, view.reverse);
    }
}

void myRevolform::chooseMonitoring()
{
    Frame3->show();
    Frame5->hide();
    chooseBody(selectedBody());
    myw1->clear();
}

void myRevolform::chooseSources()
{
    Frame3->hide();
    Frame5->show();
    myw1->clear();
}

WaterBody myRevolform::selectedBody() const
{
    if (Option5->isChecked())
        return WaterBody::TwoWay;
    return Option2->isChecked() ? WaterBody::Lake : WaterBody::OneWay;
}

// The fields the monitoring condition needs for each water body; the source
// condition checks none (an empty source field counts as 0).
bool myRevolform::completeFor(WaterBody body)
{
    switch (body) {
    case WaterBody::Lake:
        return complete({myk, myq0, myc0, myb, myq1, mycs, myw});
    case WaterBody::OneWay:
        return complete({myk, myq0, myc0, myb, myq1, mycs, myw, myl, myh});
    case WaterBody::TwoWay:
        return complete({myk, myq0, myc0, myb, myq1, mycs, myw, myl, myh, myq2, myc2, myd});
    }
    return false;
}

void myRevolform::cancel()
{
    if (Option3->isChecked())
        clear({myk, myq0, myb, myc0, myq1, myl, myw, mycs, myh, myd, myq2, myc2});
    else if (Option4->isChecked())
        clear({myn, mya, myc, myls, myc1, myf, myjl, myth, myw3, myls1}); // the capacity myw4 stays
    myw1->clear();
}

void myRevolform::calculateBalance()
{
    calculate([this] {
        // Both frames are read, whichever is shown.
        const double k = read(myk), q0 = read(myq0), b = read(myb), c0 = read(myc0), q1 = read(myq1), l = read(myl),
                     e = read(myw), c = read(mycs), h = read(myh), n = read(myn), a = read(mya), cd = read(myc),
                     pa = read(myls), pd = read(myls1), cr = read(myc1), f = read(myf), kr = read(myjl), p = read(myth),
                     e4 = read(myw4), i = read(myw3), d = read(myd), q2 = read(myq2), c2 = read(myc2);

        Balance balance;
        if (Option3->isChecked()) {
            const WaterBody body = selectedBody();
            if (!completeFor(body))
                return;
            balance = varnolek::planning::monitoredBalance(body, {k, q0, b, c0, q1, l, e, c, h, d, q2, c2});
        } else {
            balance = varnolek::planning::sourceBalance({{n, a, cd, pd, f, kr, p, pa, cr}, i, e4});
        }
        Label9->setText(balance.caption());
        writeResult(myw1, balance.shown());
    });
}
