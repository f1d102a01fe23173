#include "my1dform.h"

#include "core/models.h"
#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

const QString my1dform::designCaption = QStringLiteral("距离初始断面X千米处水质浓度(mg/L)");
const QString my1dform::clearedCaption = QStringLiteral("距离初始断面 X 千米处水质浓度(mg/L)");

namespace {
// Rows of the input frame (twips); each column is a label and its field.
constexpr int rowTop[] = {600, 1560, 2520, 3600};
} // namespace

my1dform::my1dform()
    : CalculatorWindow("my1dform", "一维水质计算", varnolek::Precision::Single, "###0.00")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(120, 120, 7572, 4572));
    const FieldGrid grid{frame, {240, 4200}, {1452, 1452}, {1920, 5760}, {1452, 1572},
                         372, {std::begin(rowTop), std::end(rowTop)}};
    myk = addGridField(grid, 0, 0, "Label1", "水质降解系数K(0.02-0.5 1/d)", "myk", "0.2");
    myu = addGridField(grid, 0, 1, "Label2", "水流流速(m/s)", "myu", "2.0");
    mye = addGridField(grid, 1, 0, "Label3", "扩散系数(0.1-20 m2/s)", "mye", "5.0");
    myq0 = addGridField(grid, 1, 1, "Label4", "初始端面流量(m3/s)", "myq0", "20.0");
    myc0 = addGridField(grid, 2, 0, "Label5", "初始断面浓度(mg/L)", "myc0", "10");
    myx = addGridField(grid, 2, 1, "Label6", "计算断面距初始断面的距离(km)", "myx", "3");
    myq2 = addGridField(grid, 3, 0, "Label7", "两断面间支流流量(m3/s)", "myq2", "0");
    myc2 = addGridField(grid, 3, 1, "Label8", "支流中污染物浓度(mg/L)", "myc2", "5");

    Command1 = addButton(this, "Command1", "确   定", tw(480, 5040, 1932, 612), [this] { calculateConcentration(); });
    Command2 = addButton(this, "Command2", "取  消", tw(3120, 5040, 1812, 612), [this] { cancel(); });
    Command3 = addButton(this, "Command3", "返  回", tw(5520, 5040, 1812, 612), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", designCaption, tw(1080, 5880, 2532, 612));
    setLabelFont(Label9, ui::font(ui::faceSong, 13.8));
    myc = addResult(this, "myc", tw(4320, 5880, 2532, 612));
    myc->setFont(ui::font(ui::faceSong, 13.8, true));
    fitToContents();
}

void my1dform::calculateConcentration()
{
    if (!complete({myk, mye, myq0, myc0, myq2, myc2, myx, myu}))
        return;
    calculate([this] {
        const auto r = varnolek::models::oneDimensionalRiver(
            {read(myk), read(myu), read(mye), read(myq0), read(myc0), read(myx), read(myq2), read(myc2)});
        writeResult(myc, r.c);
        setCaption(Label9, QString::fromStdString(varnolek::models::oneDimensionalCaption(r)));
    });
}

void my1dform::cancel()
{
    clear({myk, mye, myq0, myc0, myq2, myc2, myx, myu, myc});
    setCaption(Label9, clearedCaption);
}
