#include "my2dcform.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

my2dcform::my2dcform() : CalculatorWindow("my2dcform")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(360, 360, 9360, 4020));
    const FieldGrid grid = twoColumns(frame, 6);
    myk = addGridField(grid, 0, 0, "Label1", "myk");
    myu = addGridField(grid, 0, 1, "Label2", "myu");
    mye = addGridField(grid, 1, 0, "Label3", "mye");
    myh = addGridField(grid, 1, 1, "Label4", "myh");
    myb = addGridField(grid, 2, 0, "Label5", "myb");
    mya = addGridField(grid, 2, 1, "Label6", "mya");
    myc0 = addGridField(grid, 3, 0, "Label7", "myc0");
    myc2 = addGridField(grid, 3, 1, "Label8", "myc2");
    myq2 = addGridField(grid, 4, 0, "Label9", "myq2");
    myx = addGridField(grid, 4, 1, "Label10", "myx");
    myy = addGridField(grid, 5, 0, "Label11", "myy");

    QGroupBox *answers = addFrame(this, "Frame2", "计算结果", tw(360, 4620, 9360, 1020));
    const FieldGrid shown = twoColumns(answers, 1);
    myc = addGridResult(shown, 0, 0, "myc");

    Command1 = addButton(this, "Command1", "确  定", tw(1500, 5940, 1812, 612), [this] { run(currentEntry()); });
    Command2 = addButton(this, "Command2", "取  消", tw(4140, 5940, 1812, 612), [this] {
        clear({myk, myu, mye, myh, myb, mya, myc0, myc2, myq2, myx, myy, myc});
    });
    Command3 = addButton(this, "Command3", "返  回", tw(6780, 5940, 1812, 612), [this] { returnToMenu(); });
    fitToContents();
}
