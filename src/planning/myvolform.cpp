#include "myvolform.h"

#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using ui::tw;
using varnolek::planning::WaterBody;

namespace
{

// The view of each water body: the captions of the width, flow and result
// labels, the text the width field is reset to (nullptr keeps it), and which
// field groups are shown.
struct BodyView {
    WaterBody body;
    const char *width;  // Label7
    const char *flow;   // Label5
    const char *result; // Label9
    const char *widthText;
    bool river;   // depth and length
    bool reverse; // reversed-flow days, flow and concentration
};

constexpr BodyView views[] = {
    {WaterBody::OneWay, "河道宽度(m)", "支流流量(包括废水量)(m3/s)", "河道的环境容量(t/a):", "30", true, false},
    {WaterBody::Lake, " 湖泊或水库体积(万m3)", "排入水库或湖泊的废水量(m3/s)", "水库或湖泊的环境容量(t/a):", "1000",
     false, false},
    {WaterBody::TwoWay, "河道宽度(m)", "支流流量(包括废水量)(m3/s)", "河道的环境容量(t/a):", nullptr, true, true},
};

// Frame2 grid (twips): six rows of two label-and-field pairs.
constexpr int labelLeft[] = {240, 4380};
constexpr int fieldLeft[] = {2340, 6480};
constexpr int labelWidth = 2040, fieldWidth = 1800;
constexpr int firstRow = 360, rowPitch = 720;

void setShown(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *w : widgets)
        w->setVisible(shown);
}

} // namespace

myvolform::myvolform()
    : CalculatorWindow("myvolform", "水环境容量计算", varnolek::Precision::Single, "#########0.000", ui::ButtonFace::Li)
{
    Frame1 = addFrame(this, "Frame1", "选择水体", tw(360, 120, 8532, 780));
    Option1 =
        addOption(Frame1, "Option1", "单向河流", tw(600, 330, 2160, 330), [this] { showView(WaterBody::OneWay); });
    Option3 =
        addOption(Frame1, "Option3", "双向河流", tw(3240, 330, 2160, 330), [this] { showView(WaterBody::TwoWay); });
    Option2 =
        addOption(Frame1, "Option2", "水库或湖泊", tw(5880, 330, 2160, 330), [this] { showView(WaterBody::Lake); });
    Option1->setChecked(true);

    Frame2 = addFrame(this, "Frame2", "请输入以下资料", tw(360, 1020, 8532, 4680));
    auto pair = [this](int row, int col, const char *labelName, QLabel *&label, const char *caption,
                       const char *fieldName, const char *text) {
        const int top = firstRow + row * rowPitch;
        label = addLabel(Frame2, labelName, caption, tw(labelLeft[col], top, labelWidth, 600));
        return addField(Frame2, fieldName, text, tw(fieldLeft[col], top + 90, fieldWidth, 420));
    };
    myk = pair(0, 0, "Label1", Label1, "水质降解系数K(0.02-0.5 1/d)", "myk", "0.2");
    myq0 = pair(0, 1, "Label2", Label2, "上游来水流量(m3/s)", "myq0", "200");
    myc0 = pair(1, 0, "Label3", Label3, "上游来水中污染物浓度(mg/L)", "myc0", "6");
    mycs = pair(1, 1, "Label10", Label10, "目标水质(mg/L)", "mycs", "8");
    myq2 = pair(2, 0, "Label5", Label5, "支流流量(包括废水量)(m3/s)", "myq2", "50");
    mysb = pair(2, 1, "label12", label12, "安全系数(范围0-1.0)", "mysb", "0.8");
    myb = pair(3, 0, "Label7", Label7, "河道宽度(m)", "myb", "30");
    myh = pair(3, 1, "Label8", Label8, "河道平均水深(m)", "myh", "2");
    myl = pair(4, 0, "Label6", Label6, "河道长度(km)", "myl", "10");
    myd = pair(4, 1, "Label4", Label4, "一年中河道出现反向流的天数(d/a)", "myd", "90");
    myq1 = pair(5, 0, "Label11", Label11, "反向流时下游来水流量(m3/s)", "myq1", "100");
    myc1 = pair(5, 1, "Label13", Label13, "反向流时下游水中污染物浓度(mg/L)", "myc1", "9");

    caculv = addButton(this, "caculv", "确  定", tw(1080, 5940, 1812, 552), [this] { calculateCapacity(); });
    Command1 = addButton(this, "Command1", "取  消", tw(3720, 5940, 1812, 552), [this] {
        clear({myk, myq0, myc0, myb, myq2, myl, mycs, myh, myw, mysb, myq1, myc1, myd});
    });
    myexit = addButton(this, "myexit", "返  回", tw(6360, 5940, 1812, 552), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", "河道的环境容量(t/a):", tw(1080, 6840, 3480, 480));
    myw = addResult(this, "myw", tw(4680, 6840, 2400, 480));

    // The one-way view, without touching the default texts.
    setShown({Label4, Label11, Label13, myd, myq1, myc1}, false);
    fitToContents();
}

void myvolform::showView(WaterBody body)
{
    for (const BodyView &view : views) {
        if (view.body != body)
            continue;
        myw->clear();
        Label7->setText(view.width);
        Label5->setText(view.flow);
        setShown({Label8, Label6, myl, myh}, view.river);
        setShown({Label4, Label13, Label11, myc1, myq1, myd}, view.reverse);
        Label9->setText(view.result);
        if (view.widthText)
            myb->setText(view.widthText);
    }
}

WaterBody myvolform::selectedBody() const
{
    if (Option3->isChecked())
        return WaterBody::TwoWay;
    return Option2->isChecked() ? WaterBody::Lake : WaterBody::OneWay;
}

// The fields each water body needs; hidden fields are read all the same but
// take no part in its formula.
bool myvolform::completeFor(WaterBody body)
{
    switch (body) {
    case WaterBody::TwoWay:
        return complete({myk, myq0, myc0, myb, myq2, mycs, mysb, myl, myh, myd, myc1, myq1});
    case WaterBody::Lake:
        return complete({myk, myq0, myc0, myb, myq2, mycs, mysb});
    case WaterBody::OneWay:
        return complete({myk, myq0, myc0, myb, myq2, mycs, mysb, myl, myh});
    }
    return false;
}

void myvolform::calculateCapacity()
{
    const WaterBody body = selectedBody();
    if (!completeFor(body))
        return;
    calculate([this, body] {
        const varnolek::planning::CapacityInput in{read(myk),  read(myq0), read(myb),  read(myc0),
                                                   read(myq2), read(myl),  read(mysb), read(mycs),
                                                   read(myh),  read(myq1), read(myc1), read(myd)};
        writeResult(myw, varnolek::planning::environmentalCapacity(body, in));
    });
}
