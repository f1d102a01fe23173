// Screenshots of the analysis windows for the documentation: the sensitivity
// window's two tabs and the uncertainty window, each after a run, opened from
// a calculator window's 分析 menu. Run under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/shoot_analysis docs/screenshots [DATA_FILE]
// With a hydrological data file, the frequency analysis of it too.
#include "analysis/freqform.h"
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

template <class Form> Form *open(ui::CalculatorWindow *window, const char *action, const char *name)
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
    uncertainty->close();

    // Each distribution chosen in turn on the river's fields: the parameters
    // made from the values, a lognormal refused for a value of 0, and a
    // concentration spread so wide that some draws fall below 0.
    auto *switched = open<analysis::uncertaintyform>(river, "actionUncertainty", "uncertaintyform");
    switched->move(0, 0);
    switched->show();
    auto *table = switched->findChild<QTableWidget *>(QStringLiteral("tableFields"));
    const auto choose = [table](int row, int kind) {
        static_cast<QComboBox *>(table->cellWidget(row, 1))->setCurrentIndex(kind);
    };
    for (int r = 0; r < table->rowCount(); ++r) {
        const QString label = table->item(r, 0)->text();
        if (label.contains(QStringLiteral("降解系数")))
            choose(r, 3);
        else if (label.contains(QStringLiteral("流速")))
            choose(r, 4);
        else if (label.contains(QStringLiteral("初始端面流量")))
            choose(r, 2);
        else if (label.startsWith(QStringLiteral("初始断面浓度"))) {
            choose(r, 2);
            table->item(r, 3)->setText(table->item(r, 2)->text());
        }
    }
    switched->findChild<QPushButton *>(QStringLiteral("buttonRun"))->click();
    settle(2500);
    switched->grab().save(out.filePath(QStringLiteral("uncertaintyform-negative.png")));
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text().contains(QStringLiteral("支流流量")))
            choose(r, 4); // its value is 0: refused, with the reason in the status line
    settle(300);
    switched->grab().save(out.filePath(QStringLiteral("uncertaintyform-switched.png")));

    // The frequency analysis of a series, when a data file is given.
    if (argc > 2) {
        freqform *frequency = openFrequencyAnalysis(nullptr, QString::fromLocal8Bit(argv[2]));
        if (frequency) {
            frequency->move(0, 0);
            settle(1500);
            frequency->grab().save(out.filePath(QStringLiteral("freqform.png")));
        }
    }
    return 0;
}
