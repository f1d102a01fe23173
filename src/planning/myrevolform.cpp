#include "myrevolform.h"

#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using ui::tw;

namespace
{


// Data frames grid (twips): six rows of two label-and-field pairs.
constexpr int labelLeft[] = {240, 4380};
constexpr int fieldLeft[] = {2340, 6480};
constexpr int labelWidth = 2040, fieldWidth = 1800;
constexpr int firstRow = 360, rowPitch = 720;
const QRect dataFrame = tw(360, 1440, 8532, 4680);

void setShown(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *w : widgets)
        w->setVisible(shown);
}

} // namespace

myRevolform::myRevolform()
    : CalculatorWindow("myRevolform", ui::ButtonFace::Li)
{
    Frame1 = addFrame(this, "Frame1", "选择水体", tw(360, 120, 4140, 1200));
    Option1 =
        addOption(Frame1, "Option1", "单向河流", tw(240, 330, 1800, 330), [this] { chooseBody(); });
    Option5 =
        addOption(Frame1, "Option5", "双向河流", tw(2160, 330, 1800, 330), [this] { chooseBody(); });
    Option2 =
        addOption(Frame1, "Option2", "水库或湖泊", tw(240, 750, 1800, 330), [this] { chooseBody(); });
    Option1->setChecked(true);

    Frame2 = addFrame(this, "Frame2", "选择计算条件", tw(4680, 120, 4212, 1200));
    Option3 =
        addOption(Frame2, "Option3", "已知现状水体水质监测值", tw(240, 330, 3720, 330), [this] { chooseMonitoring(); });
    Option4 =
        addOption(Frame2, "Option4", "已知现状污染物排放总量", tw(240, 750, 3720, 330), [this] { chooseSources(); });
    Option3->setChecked(true);

    auto pair = [this](QWidget *frame, int row, int col, const char *labelName, QLabel *&label,
                       const char *fieldName) {
        const int top = firstRow + row * rowPitch;
        label = addLabel(frame, labelName, field(fieldName), tw(labelLeft[col], top, labelWidth, 600));
        return addField(frame, field(fieldName), tw(fieldLeft[col], top + 90, fieldWidth, 420));
    };

    Frame3 = addFrame(this, "Frame3", "请输入以下资料", dataFrame);
    myk = pair(Frame3, 0, 0, "Label1", Label1, "myk");
    myq0 = pair(Frame3, 0, 1, "Label2", Label2, "myq0");
    myc0 = pair(Frame3, 1, 0, "Label3", Label3, "myc0");
    mycs = pair(Frame3, 1, 1, "Label10", Label10, "mycs");
    myq1 = pair(Frame3, 2, 0, "Label5", Label5, "myq1");
    myw = pair(Frame3, 2, 1, "Label4", Label4, "myw");
    myb = pair(Frame3, 3, 0, "Label7", Label7, "myb");
    myh = pair(Frame3, 3, 1, "Label8", Label8, "myh");
    myl = pair(Frame3, 4, 0, "Label6", Label6, "myl");
    myd = pair(Frame3, 4, 1, "Label16", Label16, "myd");
    myq2 = pair(Frame3, 5, 0, "Label14", Label14, "myq2");
    myc2 = pair(Frame3, 5, 1, "label12", label12, "myc2");
    setShown({Label16, Label14, label12, myd, myq2, myc2}, false);

    Frame5 = addFrame(this, "Frame5", "请输入以下资料", dataFrame);
    myn = pair(Frame5, 0, 0, "Label17", Label17, "myn");
    mya = pair(Frame5, 0, 1, "Label18", Label18, "mya");
    myc = pair(Frame5, 1, 0, "Label19", Label19, "myc");
    myf = pair(Frame5, 1, 1, "tabel20", tabel20, "myf");
    myjl = pair(Frame5, 2, 0, "Label20", Label20, "myjl");
    myth = pair(Frame5, 2, 1, "Label15", Label15, "myth");
    myls = pair(Frame5, 3, 0, "Label22", Label22, "myls");
    myc1 = pair(Frame5, 3, 1, "Label23", Label23, "myc1");
    myw3 = pair(Frame5, 4, 0, "Label21", Label21, "myw3");
    myw4 = pair(Frame5, 4, 1, "Label13", Label13, "myw4");
    myls1 = pair(Frame5, 5, 0, "Label11", Label11, "myls1");
    Frame5->hide();

    caculv = addButton(this, "caculv", "确  定", tw(1080, 6360, 1812, 552), [this] { calculateBalance(); });
    Command1 = addButton(this, "Command1", "取  消", tw(3720, 6360, 1812, 552), [this] { cancel(); });
    myexit = addButton(this, "myexit", "返  回", tw(6360, 6360, 1812, 552), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", QString::fromStdString(currentEntry().main().label), tw(1080, 7260, 3480, 480));
    myw1 = addResult(this, "myw1", tw(4680, 7260, 2400, 480));
    fitToContents();
}

void myRevolform::chooseBody()
{
    myw1->clear();
    if (Option4->isChecked())
        return; // the view is rebuilt when the monitoring condition is chosen again
    const catalogue::Entry &view = currentEntry();
    const bool river = view.field("myl") != nullptr;
    const bool reverse = view.field("myd") != nullptr;
    Label7->setText(QString::fromStdString(view.field("myb")->label));
    // Every rebuild names the joining flow as the outflow, the one-way river's too.
    Label5->setText(QString::fromStdString(catalogue::entry("myRevolform/monitoring/lake").field("myq1")->label));
    setShown({Label8, Label6, myl, myh}, river);
    myb->setText(QString::fromStdString(view.field("myb")->defaultText));
    Frame3->show();
    Frame5->hide();
    setShown({label12, Label14, Label16, myd, myq2, myc2}, reverse);
}

void myRevolform::chooseMonitoring()
{
    Frame3->show();
    Frame5->hide();
    chooseBody();
    myw1->clear();
}

void myRevolform::chooseSources()
{
    Frame3->hide();
    Frame5->show();
    myw1->clear();
}

void myRevolform::cancel()
{
    if (Option3->isChecked())
        clear({myk, myq0, myb, myc0, myq1, myl, myw, mycs, myh, myd, myq2, myc2});
    else if (Option4->isChecked())
        clear({myn, mya, myc, myls, myc1, myf, myjl, myth, myw3, myls1}); // the capacity myw4 stays
    myw1->clear();
}

void myRevolform::calculateBalance() { run(currentEntry()); }
