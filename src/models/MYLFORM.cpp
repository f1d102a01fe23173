#include "MYLFORM.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

namespace {
// Rows of the input frame (twips); each column is a label and its field.
constexpr int rowTop[] = {600, 1560};
} // namespace

MYLFORM::MYLFORM()
    : CalculatorWindow("MYLFORM")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(240, 360, 7572, 2292));
    const FieldGrid grid{frame, {240, 4200}, {1452, 1452}, {1920, 5760}, {1452, 1572},
                         372, {std::begin(rowTop), std::end(rowTop)}};
    myk = addGridField(grid, 0, 0, QString(), "myk");
    myu = addGridField(grid, 0, 1, QString(), "myu");
    myc0 = addGridField(grid, 1, 0, QString(), "myc0");
    myc = addGridField(grid, 1, 1, QString(), "myc");

    Command1 = addButton(this, "Command1", "确   定", tw(720, 3240, 1932, 612), [this] { calculateLength(); });
    Command2 = addButton(this, "Command2", "取   消", tw(3360, 3240, 1812, 612),
                         [this] { clear({myk, myu, myc0, myc, myl}); });
    Command3 = addButton(this, "Command3", "返  回", tw(5880, 3240, 1812, 612), [this] { returnToMenu(); });

    QLabel *caption =
        addLabel(this, QString(), QString::fromStdString(currentEntry().main().label), tw(1920, 4320, 2292, 396));
    setLabelFont(caption, ui::font(ui::faceSong, 15));
    myl = addResult(this, "myl", tw(4320, 4320, 1932, 396));
    myl->setFont(ui::font(ui::faceSong, 13.8, true));
    fitToContents();
}

void MYLFORM::calculateLength() { run(currentEntry()); }
