#include "my2dw.h"

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
    : CalculatorWindow("my2dw")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(360, 240, 7572, 5172));
    const FieldGrid grid{frame, {240, 4200}, {1452, 1452}, {1920, 5760}, {1452, 1572},
                         372, {std::begin(rowTop), std::end(rowTop)}};
    myk = addGridField(grid, 0, 0, "Label1", "myk");
    myu = addGridField(grid, 0, 1, "Label2", "myu");
    mye = addGridField(grid, 1, 0, "Label3", "mye");
    myb = addGridField(grid, 1, 1, "Label10", "myb");
    myc0 = addGridField(grid, 2, 0, "Label5", "myc0");
    myh = addGridField(grid, 2, 1, "label12", "myh");
    mycs = addGridField(grid, 3, 0, "Label7", "mycs");
    myy = addGridField(grid, 3, 1, "Label4", "myy");
    myx = addGridField(grid, 4, 0, "Label6", "myx");

    Command1 = addButton(this, "Command1", "确   定", tw(840, 5640, 1932, 612), [this] { calculateCapacity(); });
    Command2 = addButton(this, "Command2", "取   消", tw(3480, 5640, 1812, 612),
                         [this] { clear({myk, mye, myc0, myb, mycs, myx, myu, myy, myh, myw}); });
    Command3 = addButton(this, "Command3", "返  回", tw(5880, 5640, 1812, 612), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", QString::fromStdString(currentEntry().main().label), tw(1920, 6480, 3036, 300));
    setLabelFont(Label9, ui::font(ui::faceSong, 15));
    myw = addResult(this, "myw", tw(5280, 6456, 1932, 396));
    myw->setFont(ui::font(ui::faceSong, 13.8, true));
    fitToContents();
}

void my2dw::calculateCapacity() { run(currentEntry()); }
