// The analysis windows as a reader sees them: a switch of distribution sets
// its parameters from the field's value and names them, no parameter cut
// short, drawn values below 0 counted in the status line, results in their
// outputs' digit patterns, swept values in the digits their spacing needs,
// round ticks and bins, and the frequency analysis's typed fields apart from
// its computed ones.

#include "analysis/freqform.h"
#include "analysis/sensitivityform.h"
#include "analysis/tablecells.h"
#include "analysis/uncertaintyform.h"
#include "app/windowcatalog.h"
#include "catalogue/montecarlo.h"
#include "catalogue/statistics.h"
#include "catalogue/sweep.h"
#include "core/numbers.h"
#include "plots/scales.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"
#include "ui/look.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <cmath>
#include <memory>

using namespace windowtest;
using catalogue::Distribution;

namespace {

std::unique_ptr<ui::CalculatorWindow> openView(const catalogue::Entry &e)
{
    std::unique_ptr<ui::CalculatorWindow> window(
        static_cast<ui::CalculatorWindow *>(findCalculator(QString::fromStdString(e.window))->make()));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    for (const std::string &option : e.options)
        QTest::mouseClick(child<QRadioButton>(window.get(), option.c_str()), Qt::LeftButton);
    for (int i = 0; i < e.okPresses; ++i)
        press(window.get(), e.okButton.c_str());
    return window;
}

template <class Form> Form *openForm(ui::CalculatorWindow *window, const char *action, const char *name)
{
    window->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    return window->findChild<Form *>(QString::fromLatin1(name));
}

QComboBox *kindOf(QTableWidget *fields, int row)
{
    return static_cast<QComboBox *>(fields->cellWidget(row, 1));
}

// The decimals a number's text has.
int decimals(const QString &text)
{
    const qsizetype point = text.indexOf('.');
    return point < 0 ? 0 : int(text.size() - point - 1);
}

// The values of an axis's tick labels ("≥ " and blanks aside) and whether
// they step by one round step.
bool roundTicks(QCategoryAxis *axis, QString &why)
{
    QList<double> values;
    for (QString label : axis->categoriesLabels()) {
        label.remove(QStringLiteral("≥")).remove(QStringLiteral("≤")).remove(QChar(0x00A0));
        bool ok = false;
        values << label.trimmed().toDouble(&ok);
        if (!ok) {
            why = "not a number: " + label;
            return false;
        }
    }
    why = QString::number(values.size()) + " ticks";
    if (values.size() < 2)
        return false;
    const double step = values[1] - values[0];
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
    if (std::abs(mantissa - 1) > 1e-6 && std::abs(mantissa - 2) > 1e-6 && std::abs(mantissa - 5) > 1e-6) {
        why = "step " + QString::number(step);
        return false;
    }
    for (qsizetype i = 0; i < values.size(); ++i)
        if (std::abs(values[i] / step - std::round(values[i] / step)) > 1e-6) {
            why = "tick " + QString::number(values[i]) + " off the step " + QString::number(step);
            return false;
        }
    return true;
}

} // namespace

class TestAnalysisLook : public QObject {
    Q_OBJECT

private slots:
    void switchSetsParametersFromTheValue_data();
    void switchSetsParametersFromTheValue();
    void typedFixedValueIsTheValue();
    void negativeDrawsInTheStatusLine();
    void statisticsInTheOutputsPattern();
    void sweepAndTornadoDigits_data();
    void sweepAndTornadoDigits();
    void frequencyFieldsLookApart();
};

void TestAnalysisLook::switchSetsParametersFromTheValue_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("the one-dimensional river: ranges and a tributary of 0") << "my1dform";
    QTest::newRow("the sources of a load balance: loads without ranges") << "myRevolform/sources";
    QTest::newRow("the lake: flows, a volume") << "myvolform/lake";
}

void TestAnalysisLook::switchSetsParametersFromTheValue()
{
    QFETCH(QString, id);
    const catalogue::Entry &e = catalogue::entry(id.toStdString());
    auto window = openView(e);
    auto *form = openForm<analysis::uncertaintyform>(window.get(), "actionUncertainty", "uncertaintyform");
    QVERIFY(form);
    form->resize(1000, 800);
    auto *fields = child<QTableWidget>(form, "tableFields");
    auto *status = child<QLabel>(form, "labelStatus");
    bool refused = false;
    for (int r = 0; r < fields->rowCount(); ++r) {
        const catalogue::Field &f = e.fields[std::size_t(r)];
        if (f.kind != catalogue::FieldKind::Number)
            continue;
        const double v = window->windowCase().number(f.name);
        for (int choice = 1; choice <= 4; ++choice) {
            const auto kind = Distribution::Kind(choice - 1);
            kindOf(fields, r)->setCurrentIndex(choice);
            std::string why;
            std::optional<Distribution> expected = catalogue::distributionFrom(f, v, kind, why);
            if (!expected) {
                // Refused: back to uniform, and the status line says why.
                refused = true;
                QCOMPARE(kindOf(fields, r)->currentIndex(), 1);
                QCOMPARE(status->text(), QString::fromStdString(why));
                expected = catalogue::distributionFrom(f, v, Distribution::Uniform, why);
            }
            QCOMPARE(fields->item(r, 0)->checkState(), Qt::Checked);
            const std::vector<std::string> names = catalogue::parameterNames(expected->kind);
            const double p[] = {expected->p1, expected->p2, expected->p3};
            for (int c = 0; c < 3; ++c) {
                QTableWidgetItem *item = fields->item(r, 2 + c);
                const bool used = c < int(names.size());
                QCOMPARE(item->text().toStdString(), used ? catalogue::statisticText(p[c]) : std::string());
                QCOMPARE(item->data(analysis::captionRole).toString().toStdString(),
                         used ? names[std::size_t(c)] : std::string());
                QCOMPARE(bool(item->flags() & Qt::ItemIsEditable), used);
                if (used)
                    QCOMPARE(analysis::shownText(item),
                             QString::fromStdString(names[std::size_t(c)]) + "：" + item->text());
            }
            // Nothing of a parameter cut short ("75…"): each column as wide as its cells.
            const QFontMetrics metrics(fields->font());
            for (int row = 0; row < fields->rowCount(); ++row)
                for (int c = 2; c < 5; ++c) {
                    const QString shown = analysis::shownText(fields->item(row, c));
                    QVERIFY2(fields->columnWidth(c) >= metrics.horizontalAdvance(shown) + 6,
                             qPrintable(QString("%1 in %2 wide").arg(shown).arg(fields->columnWidth(c))));
                }
            // The run takes the parameters shown.
            QString error;
            const std::vector<catalogue::Varied> drawn = form->varied(error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(drawn.back().distribution.kind, expected->kind);
        }
        kindOf(fields, r)->setCurrentIndex(0);
        QCOMPARE(fields->item(r, 2)->text().toStdString(), std::string(window->windowCase().text(f.name)));
        QCOMPARE(fields->item(r, 0)->checkState(), Qt::Unchecked);
    }
    if (id == "my1dform")
        QVERIFY(refused); // its tributary of 0 has no lognormal
}

void TestAnalysisLook::typedFixedValueIsTheValue()
{
    // A fixed value typed into the table is the value the next switch uses.
    const catalogue::Entry &e = catalogue::entry("my1dform");
    auto window = openView(e);
    auto *form = openForm<analysis::uncertaintyform>(window.get(), "actionUncertainty", "uncertaintyform");
    auto *fields = child<QTableWidget>(form, "tableFields");
    int row = -1;
    for (int r = 0; r < fields->rowCount(); ++r)
        if (!e.fields[std::size_t(r)].range)
            row = r;
    QVERIFY(row >= 0);
    fields->item(row, 2)->setText("3");
    kindOf(fields, row)->setCurrentIndex(2);
    QCOMPARE(fields->item(row, 2)->text(), QString("3"));
    QCOMPARE(fields->item(row, 3)->text(), QString("0.3"));
    kindOf(fields, row)->setCurrentIndex(0);
    QCOMPARE(fields->item(row, 2)->text(), QString("3"));
}

void TestAnalysisLook::negativeDrawsInTheStatusLine()
{
    // A concentration normal about 1 with sd 1: about one draw in six is
    // below 0, and its label gives no range below 0.
    const catalogue::Entry &e = catalogue::entry("my1dform");
    auto window = openView(e);
    auto *form = openForm<analysis::uncertaintyform>(window.get(), "actionUncertainty", "uncertaintyform");
    auto *fields = child<QTableWidget>(form, "tableFields");
    int concentration = -1, k = -1;
    for (int r = 0; r < fields->rowCount(); ++r) {
        if (e.fields[std::size_t(r)].name == "myc0")
            concentration = r;
        if (e.fields[std::size_t(r)].name == "myk")
            k = r;
    }
    QVERIFY(concentration >= 0 && k >= 0);
    kindOf(fields, concentration)->setCurrentIndex(2);
    fields->item(concentration, 2)->setText("1");
    fields->item(concentration, 3)->setText("1");
    kindOf(fields, k)->setCurrentIndex(1); // over its range: never below 0
    child<QSpinBox>(form, "spinCases")->setValue(5000);
    QSignalSpy ran(form, &analysis::uncertaintyform::finished);
    press(form, "buttonRun");
    QVERIFY(ran.count() == 1 || ran.wait(20000));
    QVERIFY(form->shown());
    const std::vector<std::size_t> &negative = form->shown()->negativeDraws;
    QCOMPARE(negative.size(), std::size_t(2));
    const std::size_t count = negative[0] + negative[1];
    QVERIFY(count > 600 && count < 1000);
    const QString text = child<QLabel>(form, "labelStatus")->text();
    QVERIFY2(text.startsWith(QStringLiteral("完成")), qPrintable(text));
    const QString quantity = QString::fromStdString(catalogue::quantityName(e.field("myc0")->label));
    QVERIFY2(text.contains(QStringLiteral("%1 %2 个").arg(quantity).arg(count)), qPrintable(text));
    QVERIFY2(!text.contains(QString::fromStdString(catalogue::quantityName(e.field("myk")->label))), qPrintable(text));
}

void TestAnalysisLook::statisticsInTheOutputsPattern()
{
    // The load balance: every statistic of every output, and of the signed
    // balance, in its output's pattern; the cell holds the statistic's digits.
    const catalogue::Entry &e = catalogue::entry("myRevolform/sources");
    auto window = openView(e);
    auto *form = openForm<analysis::uncertaintyform>(window.get(), "actionUncertainty", "uncertaintyform");
    auto *fields = child<QTableWidget>(form, "tableFields");
    fields->item(0, 0)->setCheckState(Qt::Checked);
    child<QSpinBox>(form, "spinCases")->setValue(2000);
    QSignalSpy ran(form, &analysis::uncertaintyform::finished);
    press(form, "buttonRun");
    QVERIFY(ran.count() == 1 || ran.wait(20000));
    auto *table = child<QTableWidget>(form, "tableStatistics");
    const catalogue::MonteCarloResult &r = *form->shown();
    QCOMPARE(table->rowCount(), int(r.outputs.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const catalogue::OutputStatistics &s = r.outputs[std::size_t(row)];
        const catalogue::Output &o = s.name == "balance" ? e.main() : *e.output(s.name);
        QVERIFY(s.summary);
        const double values[] = {s.summary->mean, s.summary->sd,  s.summary->min, s.summary->p5, s.summary->p25,
                                 s.summary->p50,  s.summary->p75, s.summary->p95, s.summary->max};
        for (int c = 0; c < 9; ++c) {
            QTableWidgetItem *item = table->item(row, c + 1);
            QCOMPARE(analysis::shownText(item).toStdString(), catalogue::outputText(o, values[c]));
            QCOMPARE(item->text().toStdString(), catalogue::statisticText(values[c]));
            if (o.format == catalogue::Format::Pattern)
                QCOMPARE(decimals(analysis::shownText(item)), varnolek::patternDecimals(o.pattern));
        }
    }
    // The histogram's value axis: ticks at round numbers on the bins' edges.
    QChart *chart = child<QChartView>(form, "chartHistogram")->chart();
    auto *x = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
    auto *y = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Vertical).value(0));
    QVERIFY(x && y);
    QString why;
    QVERIFY2(roundTicks(x, why), qPrintable(why));
    QVERIFY2(roundTicks(y, why), qPrintable(why));
}

void TestAnalysisLook::sweepAndTornadoDigits_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("a river's concentration") << "my1dform";
    QTest::newRow("a load balance") << "myRevolform/sources";
}

void TestAnalysisLook::sweepAndTornadoDigits()
{
    QFETCH(QString, id);
    const catalogue::Entry &e = catalogue::entry(id.toStdString());
    auto window = openView(e);
    auto *form = openForm<analysis::sensitivityform>(window.get(), "actionSensitivity", "sensitivityform");
    QSignalSpy swept(form, &analysis::sensitivityform::sweepFinished);
    press(form, "buttonSweep");
    QVERIFY(swept.count() == 1 || swept.wait(20000));
    auto *table = child<QTableWidget>(form, "tableSweep");
    const auto &rows = form->sweepRows();
    QCOMPARE(table->rowCount(), int(rows.size()));
    for (int r = 0; r < table->rowCount(); ++r) {
        // The swept value: every digit held, the digits its spacing needs shown.
        const double x = varnolek::readNumber(rows[std::size_t(r)].texts[0]);
        const double next = varnolek::readNumber(rows[std::size_t(r == 0 ? 1 : r - 1)].texts[0]);
        QTableWidgetItem *item = table->item(r, 0);
        QCOMPARE(item->text().toStdString(), rows[std::size_t(r)].texts[0]);
        QCOMPARE(analysis::shownText(item).toStdString(), plots::sweptValueText(x, std::abs(next - x)));
        QVERIFY2(analysis::shownText(item).size() <= 8, qPrintable(analysis::shownText(item)));
        if (e.balance) {
            // The signed balance in the main output's pattern.
            const auto b = rows[std::size_t(r)].outcome.result.balance;
            QVERIFY(b);
            QCOMPARE(analysis::shownText(table->item(r, int(e.outputs.size()) + 1)).toStdString(),
                     catalogue::outputText(e.main(), *b));
        }
    }
    QChart *chart = child<QChartView>(form, "chartSweep")->chart();
    QString why;
    for (QAbstractAxis *axis : chart->axes()) {
        auto *ticks = qobject_cast<QCategoryAxis *>(axis);
        QVERIFY(ticks);
        QVERIFY2(roundTicks(ticks, why), qPrintable(why));
    }

    // The tornado: results and changes all with the main output's decimals,
    // no 8.7 beside 8.49.
    auto *tornado = child<QTableWidget>(form, "tableTornado");
    QVERIFY(tornado->rowCount() > 0);
    const int places = varnolek::patternDecimals(e.main().pattern);
    for (int r = 0; r < tornado->rowCount(); ++r)
        for (int c = 3; c <= 5; ++c) {
            const QString shown = analysis::shownText(tornado->item(r, c));
            if (shown != QStringLiteral("—"))
                QVERIFY2(decimals(shown) == places, qPrintable(shown));
        }
    QString whyTornado;
    auto *value =
        qobject_cast<QCategoryAxis *>(child<QChartView>(form, "chartTornado")->chart()->axes(Qt::Horizontal).value(0));
    QVERIFY(value);
    QVERIFY2(roundTicks(value, whyTornado), qPrintable(whyTornado));
}

void TestAnalysisLook::frequencyFieldsLookApart()
{
    QTemporaryDir dir;
    const QString path = QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt");
    ScriptedPrompts prompts;
    std::unique_ptr<freqform> w(openFrequencyAnalysis(nullptr, path));
    QVERIFY(w);
    const QColor typedBase = w->ratio->palette().color(QPalette::Base);
    for (QLineEdit *typed : {w->ratio, w->rate}) {
        QVERIFY(!typed->isReadOnly());
        QCOMPARE(typed->palette().color(QPalette::Base), typedBase);
        QVERIFY(!typed->font().bold());
    }
    for (QLineEdit *computed : {w->n, w->mean, w->cv, w->cs, w->fitcv, w->fitcs}) {
        QVERIFY(computed->isReadOnly());
        // The calculator windows' result look.
        QCOMPARE(computed->palette().color(QPalette::Base), ui::colour::field);
        QVERIFY(computed->font().bold());
        QVERIFY(computed->palette().color(QPalette::Base) != typedBase);
    }
}

QTEST_MAIN(TestAnalysisLook)
#include "tst_analysislook.moc"
