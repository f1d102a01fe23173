#include "my1dw.h"

#include "core/capacity.h"
#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

namespace {
// Rows of the input frame (twips); each column is a label and its field.
constexpr int rowTop[] = {480, 1320, 2160, 2880};
} // namespace

my1dw::my1dw()
    : CalculatorWindow("my1dw", "计算河道一维水体纳污能力", varnolek::Precision::Double, "#########0.000",
                       ui::ButtonFace::Li)
{
    QGroupBox *frame = addFrame(this, "Frame2", "请输入以下资料", tw(120, 0, 7572, 3612));
    const FieldGrid grid{frame, {240, 4200}, {1452, 1572}, {1920, 5880}, {1452, 1572},
                         372, {std::begin(rowTop), std::end(rowTop)}};
    myk = addGridField(grid, 0, 0, "Label1", "水质降解系数K(0.02-0.5 1/d)", "myk", "0.2");
    myq0 = addGridField(grid, 0, 1, "Label2", "河水流量(m3/s)", "myq0", "200");
    myc0 = addGridField(grid, 1, 0, "Label3", "河水中背景水质浓度(mg/L)", "myc0", "6");
    mycs = addGridField(grid, 1, 1, "Label10", "水质标准(mg/L)", "mycs", "8");
    myq2 = addGridField(grid, 2, 0, "Label5", "废水流量(包括废水量)(m3/s)", "myq2", "50");
    myu = addGridField(grid, 2, 1, "label12", "河道中水流速度", "myu", "2");
    myx = addGridField(grid, 3, 0, "Label7", "控制点距排污口的距离(m)", "myx", "200");

    caculw = addButton(this, "caculw", "确  定", tw(600, 4080, 1812, 492), [this] { calculateCapacity(); });
    mycancel = addButton(this, "mycancel", "取  消", tw(3120, 4080, 1812, 492),
                         [this] { clear({myk, myq0, myc0, myq2, myx, mycs, myu, myw}); });
    myexit = addButton(this, "myexit", "返  回", tw(5640, 4080, 1812, 492), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", "河道的纳污能力(t/a):", tw(1080, 5040, 2796, 276));
    setLabelFont(Label9, ui::font(ui::faceSong, 13.8));
    myw = addResult(this, "myw", tw(4680, 5040, 1932, 372));
    fitToContents();
}

void my1dw::calculateCapacity()
{
    if (!complete({myk, myq0, myc0, myx, myq2, mycs, myu}))
        return;
    calculate([this] {
        const double w = varnolek::capacity::oneDimensionalRiver(
            {read(myk), read(myq0), read(myc0), read(mycs), read(myq2), read(myu), read(myx)});
        writeResult(myw, w);
    });
}
