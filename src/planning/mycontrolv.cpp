#include "mycontrolv.h"

#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using ui::tw;

const QString mycontrolV::askWaterBodyCaption = QStringLiteral("计算工业污染源");
const QString mycontrolV::okCaption = QStringLiteral("确  定");

namespace
{

constexpr double okSize = 16;  // caculv as "确  定"
constexpr double askSize = 10; // caculv as "计算工业污染源"
constexpr const char *industryCaption = "工业污染物总量(t/a)";

// Both data frames: labels at Left 240 and 4200, fields at 1920 and 5880 (twips).
constexpr int labelLeft[] = {240, 4200};
constexpr int fieldLeft[] = {1920, 5880};
constexpr int labelWidth = 1620, fieldWidth = 1560;

} // namespace

mycontrolV::mycontrolV()
    : CalculatorWindow("mycontrolV", ui::ButtonFace::Li)
{
    Frame2 = addFrame(this, "Frame2", "选择计算条件", tw(360, 0, 8532, 852));
    Option3 = addOption(Frame2, "Option3", "已知基准年各污染源排放量", tw(120, 360, 3960, 372),
                        [this] { chooseKnownIndustry(); });
    Option4 = addOption(Frame2, "Option4", "工业污染源排放量未知", tw(4680, 360, 3600, 372),
                        [this] { chooseEstimatedIndustry(); });
    Option3->setChecked(true);

    auto pair = [this](QWidget *frame, int top, int col, const char *name, QLabel **label = nullptr) {
        QLabel *l = addLabel(frame, QString(), field(name), tw(labelLeft[col], top, labelWidth, 552));
        if (label)
            *label = l;
        return addField(frame, field(name), tw(fieldLeft[col], top + 60, fieldWidth, 432));
    };

    Frame5 = addFrame(this, "Frame5", "请输入以下资料", tw(960, 960, 7692, 6012));
    myn = pair(Frame5, 480, 0, "myn");
    mya = pair(Frame5, 480, 1, "mya");
    myc = pair(Frame5, 1200, 0, "myc");
    myf = pair(Frame5, 1200, 1, "myf");
    myjl = pair(Frame5, 1920, 0, "myjl");
    myls1 = pair(Frame5, 1920, 1, "myls1");
    myls = pair(Frame5, 2640, 0, "myls");
    myth = pair(Frame5, 2640, 1, "myth");
    myy = pair(Frame5, 3360, 0, "myy");
    myc1 = pair(Frame5, 3360, 1, "myc1");
    myr = pair(Frame5, 4080, 0, "myr");
    myn1 = pair(Frame5, 4080, 1, "myn1");
    mya2 = pair(Frame5, 4800, 0, "mya2");
    mya1 = pair(Frame5, 4800, 1, "mya1");
    myw3 = pair(Frame5, 5400, 0, "myw3", &Label21);
    Label21->setObjectName("Label21");
    myw = pair(Frame5, 5400, 1, "myw");

    Frame3 = addFrame(this, "Frame3", "请输入以下资料", tw(960, 2520, 7692, 2772));
    myk = pair(Frame3, 480, 0, "myk");
    myq0 = pair(Frame3, 480, 1, "myq0");
    myc0 = pair(Frame3, 1320, 0, "myc0");
    mycs = pair(Frame3, 1320, 1, "mycs");
    myq1 = pair(Frame3, 2160, 0, "myq1");
    myv = pair(Frame3, 2160, 1, "myv");
    Frame3->hide();

    caculv = addButton(this, "caculv", okCaption, tw(1800, 7080, 1812, 492), [this] { calculateControl(); });
    Command1 = addButton(this, "Command1", "取  消", tw(4200, 7080, 1812, 492), [this] { cancel(); });
    myexit = addButton(this, "myexit", "返  回", tw(6600, 7080, 1812, 492), [this] { returnToMenu(); });

    Label9 = addLabel(this, "Label9", reductionCaption(), tw(2280, 7800, 3240, 432));
    myw4 = addResult(this, "myw4", tw(5640, 7800, 1932, 432));
    setClientSize(9672, 8376);
}

void mycontrolV::setOkCaption(const QString &caption, double pointSize)
{
    caculv->setText(caption);
    QFont f = caculv->font();
    f.setPointSizeF(pointSize);
    caculv->setFont(f);
}

// The view of each condition when it is chosen, and of the two steps of the
// estimate:
//   condition / step             caculv                   myw3, Label21      frames
//   industrial load known        "确  定", 16             shown, editable    Frame5
//   estimate, first step         "计算工业污染源", 10      hidden             as they were
//   estimate, water-body data    "确  定", 16             hidden             Frame3
//   estimate, after the estimate "确  定", 16             shown, read-only   Frame5
void mycontrolV::chooseKnownIndustry()
{
    myw3->setReadOnly(false);
    myw3->setEnabled(true);
    myw4->clear();
    myw3->show();
    Label21->show();
    setOkCaption(okCaption, okSize);
    Frame5->show();
    Frame3->hide();
}

void mycontrolV::chooseEstimatedIndustry()
{
    myw4->clear();
    setOkCaption(askWaterBodyCaption, askSize);
    myw3->hide();
    Label21->hide();
}

void mycontrolV::showWaterBodyStep()
{
    Frame3->show();
    Frame5->hide();
    Label9->setText(industryCaption);
    setOkCaption(okCaption, okSize);
}

void mycontrolV::showSourcesAfterEstimate()
{
    Frame5->show();
    Frame3->hide();
    Label9->setText(reductionCaption());
    myw3->show();
    Label21->show();
    // The estimate is shown but not typed over.
    myw3->setReadOnly(true);
    myw3->setEnabled(false);
}

void mycontrolV::cancel()
{
    clear({myn, mya, myc, myls, myc1, myf, myjl, myth, myy, myn1, myr, myls1, mya1, mya2, myw, myw4});
    if (Option3->isChecked())
        clear({myw3});
    else if (Option4->isChecked())
        clear({myk, myq0, myv, myc0, myq1, mycs});
}

QString mycontrolV::reductionCaption() const { return QString::fromStdString(currentEntry().main().label); }

void mycontrolV::calculateControl()
{
    const catalogue::Entry &view = currentEntry();
    if (Option3->isChecked()) {
        run(view);
        return;
    }
    if (!Option4->isChecked())
        return;
    const catalogue::Case c = windowCase();
    if (caculv->text() == askWaterBodyCaption) {
        if (calculate([&] { catalogue::checkBeforeEstimate(view, c, 1); }))
            showWaterBodyStep();
        return;
    }
    if (!calculate([&] { catalogue::checkBeforeEstimate(view, c, 2); }))
        return;
    showSourcesAfterEstimate();
    run(view, c, catalogue::estimateAfterWaterBody);
}
