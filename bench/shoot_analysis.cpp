// Screenshots of the analysis windows for the documentation: the sensitivity
// window's two tabs and the uncertainty window, each after a run, opened from
// a calculator window's 分析 menu. Run under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/shoot_analysis docs/screenshots
#include "analysis/sensitivityform.h"
#include "analysis/uncertaintyform.h"
#include "app/windowcatalog.h"
#include "features/linkedextensions.h"
#include "ui/calculatorwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

namespace {

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <class Form>
Form *open(ui::CalculatorWindow *window, const char *action, const char *name)
{
    window->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    return window->findChild<Form *>(QString::fromLatin1(name));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The menus of the calculator windows, linked in as the module has them.
    ui::installExtensions(&features::linkedExtensions());
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    auto *river = static_cast<ui::CalculatorWindow *>(findCalculator(QStringLiteral("my1dform"))->make());
    river->show();

    auto *sensitivity = open<analysis::sensitivityform>(river, "actionSensitivity", "sensitivityform");
    sensitivity->move(0, 0);
    sensitivity->show();
    sensitivity->findChild<QPushButton *>(QStringLiteral("buttonSweep"))->click();
    settle(1500);
    sensitivity->grab().save(out.filePath(QStringLiteral("sensitivityform-sweep.png")));
    sensitivity->findChild<QTabWidget *>(QStringLiteral("tabs"))->setCurrentIndex(1);
    settle(800);
    sensitivity->grab().save(out.filePath(QStringLiteral("sensitivityform-tornado.png")));
    sensitivity->close();

    // The load balance: the share of cases that need a reduction.
    auto *balance = static_cast<ui::CalculatorWindow *>(findCalculator(QStringLiteral("myRevolform"))->make());
    balance->show();
    auto *uncertainty = open<analysis::uncertaintyform>(balance, "actionUncertainty", "uncertaintyform");
    uncertainty->move(0, 0);
    uncertainty->show();
    auto *fields = uncertainty->findChild<QTableWidget *>(QStringLiteral("tableFields"));
    fields->item(0, 0)->setCheckState(Qt::Checked);
    for (int r = 1; r < fields->rowCount(); ++r)
        if (fields->item(r, 0)->text().contains(QStringLiteral("流量"))) {
            // The flow normal about its text, 20 % standard deviation.
            const double mean = fields->item(r, 2)->text().toDouble();
            static_cast<QComboBox *>(fields->cellWidget(r, 1))->setCurrentIndex(2);
            fields->item(r, 2)->setText(QString::number(mean));
            fields->item(r, 3)->setText(QString::number(0.2 * mean));
            break;
        }
    uncertainty->findChild<QPushButton *>(QStringLiteral("buttonRun"))->click();
    settle(2500);
    uncertainty->grab().save(out.filePath(QStringLiteral("uncertaintyform.png")));
    return 0;
}
