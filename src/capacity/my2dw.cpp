#include "my2dw.h"

#include "core/capacity.h"
#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

namespace {
// Rows of the input frame (twips); each column is a label and its field.
constexpr int rowTop[] = {600, 1560, 2520, 3600, 4560};
} // namespace

my2dw::my2dw()
    : CalculatorWindow("my2dw", "计算二维河道水体纳污能力", varnolek::Precision::Double, "#########0.000")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(360, 240, 7572, 5172));
    const FieldGrid grid{frame, {240, 4200}, {1452, 1452}, {1920, 5760}, {1452, 1572},
                         372, {std::begin(rowTop), std::end(rowTop)}};
    myk = addGridField(grid, 0, 0, "Label1", "水质降解系数K(0.02-0.5 1/d)", "myk", "0.2");
    myu = addGridField(grid, 0, 1, "Label2", "水流流速(m/s)", "myu", "2.0");
    mye = addGridField(grid, 1, 0, "Label3", "横向扩散系数(0.01-2.0 m2/s)", "mye", "0.1");
    myb = addGridField(grid, 1, 1, "Label10", "河道宽度(m)", "myb", "30.0");
    myc0 = addGridField(grid, 2, 0, "Label5", "河道背景浓度(mg/L)", "myc0", "6.0");
    myh = addGridField(grid, 2, 1, "label12", "河道平均水深(m)", "myh", "2");
    mycs = addGridField(grid, 3, 0, "Label7", "水质标准(mg/L)", "mycs", "8.0");
    myy = addGridField(grid, 3, 1, "Label4", "计算点距排污口所在岸边的距离(m)", "myy", "15");
    myx = addGridField(grid, 4, 0, "Label6", "计算点距排污口的距离(m)", "myx", "200");

    Command1 = addButton(this, "Command1", "确   定", tw(840, 5640, 1932, 612), [this] { calculateCapacity(); });
    Command2 = addButton(this, "Command2", "取   消", tw(3480, 5640, 1812, 612),
                         [this] { clear({myk, mye, myc0, myb, mycs, myx, myu, myy, myh, myw}); });
    Command3 = addButton(this, "Command3", "返  回", tw(5880, 5640, 1812, 612), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", "河道的纳污能力(t/a):", tw(1920, 6480, 3036, 300));
    setLabelFont(Label9, ui::font(ui::faceSong, 15));
    myw = addResult(this, "myw", tw(5280, 6456, 1932, 396));
    myw->setFont(ui::font(ui::faceSong, 13.8, true));
    fitToContents();
}

void my2dw::calculateCapacity()
{
    if (!complete({myk, mye, myc0, myb, mycs, myx, myu, myy, myh}))
        return;
    calculate([this] {
        const double w = varnolek::capacity::twoDimensionalRiver({read(myk), read(myu), read(mye), read(myb),
                                                                  read(myc0), read(myh), read(mycs), read(myy),
                                                                  read(myx)});
        writeResult(myw, w);
    });
}
