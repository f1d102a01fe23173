#include "my1dform.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

const QString my1dform::designCaption = QString::fromStdString(catalogue::entry("my1dform").main().label);
const QString my1dform::clearedCaption = QStringLiteral("距离初始断面 X 千米处水质浓度(mg/L)");

namespace {
// Rows of the input frame (twips); each column is a label and its field.
constexpr int rowTop[] = {600, 1560, 2520, 3600};
} // namespace

my1dform::my1dform()
    : CalculatorWindow("my1dform")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(120, 120, 7572, 4572));
    const FieldGrid grid{frame, {240, 4200}, {1452, 1452}, {1920, 5760}, {1452, 1572},
                         372, {std::begin(rowTop), std::end(rowTop)}};
    myk = addGridField(grid, 0, 0, "Label1", "myk");
    myu = addGridField(grid, 0, 1, "Label2", "myu");
    mye = addGridField(grid, 1, 0, "Label3", "mye");
    myq0 = addGridField(grid, 1, 1, "Label4", "myq0");
    myc0 = addGridField(grid, 2, 0, "Label5", "myc0");
    myx = addGridField(grid, 2, 1, "Label6", "myx");
    myq2 = addGridField(grid, 3, 0, "Label7", "myq2");
    myc2 = addGridField(grid, 3, 1, "Label8", "myc2");

    Command1 = addButton(this, "Command1", "确   定", tw(480, 5040, 1932, 612), [this] { calculateConcentration(); });
    Command2 = addButton(this, "Command2", "取  消", tw(3120, 5040, 1812, 612), [this] { cancel(); });
    Command3 = addButton(this, "Command3", "返  回", tw(5520, 5040, 1812, 612), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", designCaption, tw(1080, 5880, 2532, 612));
    setLabelFont(Label9, ui::font(ui::faceSong, 13.8));
    myc = addResult(this, "myc", tw(4320, 5880, 2532, 612));
    myc->setFont(ui::font(ui::faceSong, 13.8, true));
    fitToContents();
}

void my1dform::calculateConcentration() { run(currentEntry()); }

void my1dform::cancel()
{
    clear({myk, mye, myq0, myc0, myq2, myc2, myx, myu, myc});
    setCaption(Label9, clearedCaption);
}
