#include "mixlenform.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

mixlenform::mixlenform() : CalculatorWindow("mixlenform")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(360, 360, 9360, 1620));
    const FieldGrid grid = twoColumns(frame, 2);
    myb = addGridField(grid, 0, 0, "Label1", "myb");
    mya = addGridField(grid, 0, 1, "Label2", "mya");
    myu = addGridField(grid, 1, 0, "Label3", "myu");
    mye = addGridField(grid, 1, 1, "Label4", "mye");

    QGroupBox *answers = addFrame(this, "Frame2", "计算结果", tw(360, 2220, 9360, 1020));
    const FieldGrid shown = twoColumns(answers, 1);
    mylm = addGridResult(shown, 0, 0, "mylm");

    Command1 = addButton(this, "Command1", "确  定", tw(1500, 3540, 1812, 612), [this] { run(currentEntry()); });
    Command2 = addButton(this, "Command2", "取  消", tw(4140, 3540, 1812, 612), [this] {
        clear({myb, mya, myu, mye, mylm});
    });
    Command3 = addButton(this, "Command3", "返  回", tw(6780, 3540, 1812, 612), [this] { returnToMenu(); });
    fitToContents();
}
