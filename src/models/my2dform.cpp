#include "my2dform.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

const QString my2dform::designCaption = QString::fromStdString(catalogue::entry("my2dform").main().label);
const QString my2dform::clearedCaption =
    QStringLiteral("距排污口 X 千米,距排污口所在岸边 Y 米处的水质浓度(mg / L):");

namespace {
// Rows of the input frame (twips); each column is a label and its field.
constexpr int rowTop[] = {600, 1560, 2520, 3600, 4560};
} // namespace

my2dform::my2dform()
    : CalculatorWindow("my2dform")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(360, 360, 7572, 5172));
    const FieldGrid grid{frame, {240, 4200}, {1452, 1452}, {1920, 5760}, {1452, 1572},
                         372, {std::begin(rowTop), std::end(rowTop)}};
    myk = addGridField(grid, 0, 0, "Label1", "myk");
    myu = addGridField(grid, 0, 1, "Label2", "myu");
    mye = addGridField(grid, 1, 0, "Label3", "mye");
    myb = addGridField(grid, 1, 1, "Label10", "myb");
    myc0 = addGridField(grid, 2, 0, "Label5", "myc0");
    myh = addGridField(grid, 2, 1, "label12", "myh");
    myq2 = addGridField(grid, 3, 0, "Label7", "myq2");
    myc2 = addGridField(grid, 3, 1, "Label8", "myc2");
    myx = addGridField(grid, 4, 0, "Label6", "myx");
    myy = addGridField(grid, 4, 1, "Label4", "myy");

    Command1 = addButton(this, "Command1", "确   定", tw(840, 5760, 1932, 612), [this] { calculateConcentration(); });
    Command2 = addButton(this, "Command2", "取   消", tw(3480, 5760, 1812, 612), [this] { cancel(); });
    Command3 = addButton(this, "Command3", "返  回", tw(5880, 5760, 1812, 612), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", designCaption, tw(1440, 6600, 3492, 492));
    setLabelFont(Label9, ui::font(ui::faceSong, 12));
    myc = addResult(this, "myc", tw(5400, 6600, 1932, 492));
    fitToContents();
}

void my2dform::calculateConcentration() { run(currentEntry()); }

void my2dform::cancel()
{
    clear({myk, mye, myc0, myb, myq2, myc2, myx, myu, myy, myh, myc});
    setCaption(Label9, clearedCaption);
}
