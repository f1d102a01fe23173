#include "myvolform.h"

#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using ui::tw;

namespace
{

// Frame2 grid (twips): six rows of two label-and-field pairs.
constexpr int labelLeft[] = {240, 4380};
constexpr int fieldLeft[] = {2340, 6480};
constexpr int labelWidth = 2040, fieldWidth = 1800;
constexpr int firstRow = 360, rowPitch = 720;

void setShown(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *w : widgets)
        w->setVisible(shown);
}

} // namespace

myvolform::myvolform()
    : CalculatorWindow("myvolform", ui::ButtonFace::Li)
{
    Frame1 = addFrame(this, "Frame1", "选择水体", tw(360, 120, 8532, 780));
    Option1 =
        addOption(Frame1, "Option1", "单向河流", tw(600, 330, 2160, 330), [this] { showView(currentEntry()); });
    Option3 =
        addOption(Frame1, "Option3", "双向河流", tw(3240, 330, 2160, 330), [this] { showView(currentEntry()); });
    Option2 =
        addOption(Frame1, "Option2", "水库或湖泊", tw(5880, 330, 2160, 330), [this] { showView(currentEntry()); });
    Option1->setChecked(true);

    Frame2 = addFrame(this, "Frame2", "请输入以下资料", tw(360, 1020, 8532, 4680));
    auto pair = [this](int row, int col, const char *labelName, QLabel *&label, const char *fieldName) {
        const int top = firstRow + row * rowPitch;
        label = addLabel(Frame2, labelName, field(fieldName), tw(labelLeft[col], top, labelWidth, 600));
        return addField(Frame2, field(fieldName), tw(fieldLeft[col], top + 90, fieldWidth, 420));
    };
    myk = pair(0, 0, "Label1", Label1, "myk");
    myq0 = pair(0, 1, "Label2", Label2, "myq0");
    myc0 = pair(1, 0, "Label3", Label3, "myc0");
    mycs = pair(1, 1, "Label10", Label10, "mycs");
    myq2 = pair(2, 0, "Label5", Label5, "myq2");
    mysb = pair(2, 1, "label12", label12, "mysb");
    myb = pair(3, 0, "Label7", Label7, "myb");
    myh = pair(3, 1, "Label8", Label8, "myh");
    myl = pair(4, 0, "Label6", Label6, "myl");
    myd = pair(4, 1, "Label4", Label4, "myd");
    myq1 = pair(5, 0, "Label11", Label11, "myq1");
    myc1 = pair(5, 1, "Label13", Label13, "myc1");

    caculv = addButton(this, "caculv", "确  定", tw(1080, 5940, 1812, 552), [this] { calculateCapacity(); });
    Command1 = addButton(this, "Command1", "取  消", tw(3720, 5940, 1812, 552), [this] {
        clear({myk, myq0, myc0, myb, myq2, myl, mycs, myh, myw, mysb, myq1, myc1, myd});
    });
    myexit = addButton(this, "myexit", "返  回", tw(6360, 5940, 1812, 552), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", QString::fromStdString(currentEntry().main().label), tw(1080, 6840, 3480, 480));
    myw = addResult(this, "myw", tw(4680, 6840, 2400, 480));

    // The one-way view, without touching the default texts.
    setShown({Label4, Label11, Label13, myd, myq1, myc1}, false);
    fitToContents();
}

void myvolform::showView(const catalogue::Entry &view)
{
    const bool river = view.field("myl") != nullptr;
    const bool reverse = view.field("myd") != nullptr;
    myw->clear();
    Label7->setText(QString::fromStdString(view.field("myb")->label));
    Label5->setText(QString::fromStdString(view.field("myq2")->label));
    setShown({Label8, Label6, myl, myh}, river);
    setShown({Label4, Label13, Label11, myc1, myq1, myd}, reverse);
    Label9->setText(QString::fromStdString(view.main().label));
    // The two-way river keeps the width as typed; the others start again from
    // their own default.
    if (!reverse)
        myb->setText(QString::fromStdString(view.field("myb")->defaultText));
}

void myvolform::calculateCapacity() { run(currentEntry()); }
