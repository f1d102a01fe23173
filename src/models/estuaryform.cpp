#include "estuaryform.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

estuaryform::estuaryform() : CalculatorWindow("estuaryform")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(360, 360, 9360, 2820));
    const FieldGrid grid = twoColumns(frame, 4);
    myc0 = addGridField(grid, 0, 0, "Label1", "myc0");
    myq = addGridField(grid, 0, 1, "Label2", "myq");
    myu = addGridField(grid, 1, 0, "Label3", "myu");
    mye = addGridField(grid, 1, 1, "Label4", "mye");
    myk = addGridField(grid, 2, 0, "Label5", "myk");
    myq2 = addGridField(grid, 2, 1, "Label6", "myq2");
    myc2 = addGridField(grid, 3, 0, "Label7", "myc2");
    myx = addGridField(grid, 3, 1, "Label8", "myx");

    QGroupBox *answers = addFrame(this, "Frame2", "计算结果", tw(360, 3420, 9360, 1020));
    const FieldGrid shown = twoColumns(answers, 1);
    myc = addGridResult(shown, 0, 0, "myc");

    Command1 = addButton(this, "Command1", "确  定", tw(1500, 4740, 1812, 612), [this] { run(currentEntry()); });
    Command2 = addButton(this, "Command2", "取  消", tw(4140, 4740, 1812, 612), [this] {
        clear({myc0, myq, myu, mye, myk, myq2, myc2, myx, myc});
    });
    Command3 = addButton(this, "Command3", "返  回", tw(6780, 4740, 1812, 612), [this] { returnToMenu(); });
    fitToContents();
}
