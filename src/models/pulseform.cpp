#include "pulseform.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

pulseform::pulseform() : CalculatorWindow("pulseform")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(360, 360, 9360, 2820));
    const FieldGrid grid = twoColumns(frame, 4);
    mym = addGridField(grid, 0, 0, "Label1", "mym");
    myb = addGridField(grid, 0, 1, "Label2", "myb");
    myh = addGridField(grid, 1, 0, "Label3", "myh");
    myu = addGridField(grid, 1, 1, "Label4", "myu");
    mye = addGridField(grid, 2, 0, "Label5", "mye");
    myk = addGridField(grid, 2, 1, "Label6", "myk");
    myx = addGridField(grid, 3, 0, "Label7", "myx");
    myt = addGridField(grid, 3, 1, "Label8", "myt");

    QGroupBox *answers = addFrame(this, "Frame2", "计算结果", tw(360, 3420, 9360, 1620));
    const FieldGrid shown = twoColumns(answers, 2);
    myc = addGridResult(shown, 0, 0, "myc");
    mytp = addGridResult(shown, 1, 0, "mytp");
    mycp = addGridResult(shown, 1, 1, "mycp");

    Command1 = addButton(this, "Command1", "确  定", tw(1500, 5340, 1812, 612), [this] { run(currentEntry()); });
    Command2 = addButton(this, "Command2", "取  消", tw(4140, 5340, 1812, 612), [this] {
        clear({mym, myb, myh, myu, mye, myk, myx, myt, myc, mytp, mycp});
    });
    Command3 = addButton(this, "Command3", "返  回", tw(6780, 5340, 1812, 612), [this] { returnToMenu(); });
    fitToContents();
}
