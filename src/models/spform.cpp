#include "spform.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using ui::tw;

spform::spform() : CalculatorWindow("spform")
{
    QGroupBox *frame = addFrame(this, "Frame1", "请输入以下资料", tw(360, 360, 9360, 4020));
    const FieldGrid grid = twoColumns(frame, 6);
    myq1 = addGridField(grid, 0, 0, "Label1", "myq1");
    myq2 = addGridField(grid, 0, 1, "Label2", "myq2");
    myl1 = addGridField(grid, 1, 0, "Label3", "myl1");
    myl2 = addGridField(grid, 1, 1, "Label4", "myl2");
    mydo1 = addGridField(grid, 2, 0, "Label5", "mydo1");
    mydo2 = addGridField(grid, 2, 1, "Label6", "mydo2");
    myt = addGridField(grid, 3, 0, "Label7", "myt");
    myu = addGridField(grid, 3, 1, "Label8", "myu");
    myk1 = addGridField(grid, 4, 0, "Label9", "myk1");
    myk2 = addGridField(grid, 4, 1, "Label10", "myk2");
    myx = addGridField(grid, 5, 0, "Label11", "myx");

    QGroupBox *answers = addFrame(this, "Frame2", "计算结果", tw(360, 4620, 9360, 2820));
    const FieldGrid shown = twoColumns(answers, 3);
    myl = addGridResult(shown, 0, 0, "myl");
    mydo = addGridResult(shown, 0, 1, "mydo");
    mytc = addGridResult(shown, 1, 0, "mytc");
    myxc = addGridResult(shown, 1, 1, "myxc");
    mydoc = addGridResult(shown, 2, 0, "mydoc");
    // Says when the oxygen has run out and the model no longer holds.
    Label_exhausted = addLabel(answers, "Label_exhausted", QString(), tw(240, 2280, 8880, 420));
    ui::paint(Label_exhausted, ui::colour::label, QColor(192, 0, 0));

    Command1 = addButton(this, "Command1", "确  定", tw(1500, 7740, 1812, 612), [this] { run(currentEntry()); });
    Command2 = addButton(this, "Command2", "取  消", tw(4140, 7740, 1812, 612), [this] { cancel(); });
    Command3 = addButton(this, "Command3", "返  回", tw(6780, 7740, 1812, 612), [this] { returnToMenu(); });
    fitToContents();
}

void spform::cancel()
{
    clear({myq1, myq2, myl1, myl2, mydo1, mydo2, myt, myu, myk1, myk2, myx, myl, mydo, mytc, myxc, mydoc});
    setCaption(Label_exhausted, QString());
}
