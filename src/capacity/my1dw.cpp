#include "my1dw.h"

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
    : CalculatorWindow("my1dw", ui::ButtonFace::Li)
{
    QGroupBox *frame = addFrame(this, "Frame2", "请输入以下资料", tw(120, 0, 7572, 3612));
    const FieldGrid grid{frame, {240, 4200}, {1452, 1572}, {1920, 5880}, {1452, 1572},
                         372, {std::begin(rowTop), std::end(rowTop)}};
    myk = addGridField(grid, 0, 0, "Label1", "myk");
    myq0 = addGridField(grid, 0, 1, "Label2", "myq0");
    myc0 = addGridField(grid, 1, 0, "Label3", "myc0");
    mycs = addGridField(grid, 1, 1, "Label10", "mycs");
    myq2 = addGridField(grid, 2, 0, "Label5", "myq2");
    myu = addGridField(grid, 2, 1, "label12", "myu");
    myx = addGridField(grid, 3, 0, "Label7", "myx");

    caculw = addButton(this, "caculw", "确  定", tw(600, 4080, 1812, 492), [this] { calculateCapacity(); });
    mycancel = addButton(this, "mycancel", "取  消", tw(3120, 4080, 1812, 492),
                         [this] { clear({myk, myq0, myc0, myq2, myx, mycs, myu, myw}); });
    myexit = addButton(this, "myexit", "返  回", tw(5640, 4080, 1812, 492), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", QString::fromStdString(currentEntry().main().label), tw(1080, 5040, 2796, 276));
    setLabelFont(Label9, ui::font(ui::faceSong, 13.8));
    myw = addResult(this, "myw", tw(4680, 5040, 1932, 372));
    fitToContents();
}

void my1dw::calculateCapacity() { run(currentEntry()); }
