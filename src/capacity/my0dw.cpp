#include "my0dw.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

namespace {
// Rows of the input frame (twips); each column is a label and its field.
constexpr int rowTop[] = {600, 1560, 2520};
} // namespace

my0dw::my0dw()
    : CalculatorWindow("my0dw")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(360, 240, 7572, 3252));
    const FieldGrid grid{frame, {240, 4200}, {1452, 1452}, {1920, 5760}, {1452, 1572},
                         372, {std::begin(rowTop), std::end(rowTop)}};
    myk = addGridField(grid, 0, 0, "Label1", "myk");
    myq0 = addGridField(grid, 0, 1, "Label2", "myq0");
    mya = addGridField(grid, 1, 0, "Label3", "mya");
    myr = addGridField(grid, 1, 1, "Label10", "myr");
    mycs = addGridField(grid, 2, 0, "Label7", "mycs");
    myh = addGridField(grid, 2, 1, "label12", "myh");

    Command1 = addButton(this, "Command1", "确   定", tw(600, 3960, 1932, 612), [this] { calculateCapacity(); });
    Command2 = addButton(this, "Command2", "取   消", tw(3240, 3960, 1812, 612),
                         [this] { clear({myk, myq0, myr, myh, mya, mycs, myw}); });
    Command3 = addButton(this, "Command3", "返  回", tw(5760, 3960, 1812, 612), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", QString::fromStdString(currentEntry().main().label), tw(1200, 5160, 3036, 420));
    setLabelFont(Label9, ui::font(ui::faceSong, 15));
    myw = addResult(this, "myw", tw(4800, 5160, 1932, 396));
    myw->setFont(ui::font(ui::faceSong, 13.8, true));
    fitToContents();
}

void my0dw::calculateCapacity() { run(currentEntry()); }
