// The frequency analysis window: its tables against the core, the empirical
// value beside the level-year window's own, recalculation after typing, a text
// that is not a number, the guards when it opens, and the plot's axis.
#include "analysis/freqform.h"
#include "catalogue/catalogue.h"
#include "parameters/yearform.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace windowtest;
namespace hydrology = varnolek::hydrology;

namespace {
// The thirty lowest water levels of the example file.
QByteArray thirtyYears()
{
    const float levels[] = {12.46f, 12.18f, 12.73f, 12.95f, 12.31f, 11.87f, 12.52f, 12.64f, 12.40f, 12.09f,
                            12.27f, 11.96f, 12.81f, 12.58f, 12.69f, 12.22f, 12.35f, 11.92f, 12.14f, 12.88f,
                            12.49f, 12.03f, 13.02f, 12.61f, 12.37f, 12.11f, 12.76f, 12.55f, 12.29f, 12.43f};
    QByteArray text = "30\n";
    for (int i = 0; i < 30; ++i)
        text += QByteArray::number(1961 + i) + "," + QByteArray::number(levels[i], 'f', 2) + "\n";
    return text;
}

QString cell(QTableWidget *t, int row, int column)
{
    const QTableWidgetItem *item = t->item(row, column);
    return item ? item->text() : QString();
}

QString q(const std::string &s)
{
    return QString::fromStdString(s);
}
QString fmt(double v)
{
    return q(hydrology::frequencyText(v));
}

// Types into a field and waits for the recalculation that follows.
bool typeAndWait(freqform *w, QLineEdit *field, const QString &text)
{
    QSignalSpy spy(w, &freqform::recalculated);
    field->selectAll();
    QTest::keyClicks(field, text);
    return spy.wait(10000);
}
} // namespace

class TestFreqform : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString dataFile(const QByteArray &text) { return windowtest::dataFile(m_dir, text); }

    // What the level-year window shows for a file and a rate: year and value,
    // or nothing when it takes its failure path.
    std::pair<QString, QString> levelYear(const QString &path, const QString &rate)
    {
        ScriptedPrompts prompts;
        yearform y;
        prompts.fileAnswers.enqueue(path);
        prompts.inputAnswers.enqueue(rate);
        press(&y, "mycacul");
        if (prompts.messages.size() > 1)
            return {};
        return {text(&y, "yeartext"), text(&y, "qltext")};
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void tablesMatchCore()
    {
        ScriptedPrompts prompts;
        const QString path = dataFile(thirtyYears());
        std::unique_ptr<freqform> w(openFrequencyAnalysis(nullptr, path));
        QVERIFY(w);
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(w->objectName(), QString("freqform"));
        QCOMPARE(w->windowTitle(), QString("频率分析"));
        QCOMPARE(text(w.get(), "ratio"), QString("2"));
        QCOMPARE(text(w.get(), "rate"), QString("90"));

        const hydrology::DataFile file = hydrology::readDataFile(path.toStdString());
        const hydrology::FrequencyAnalysis a = hydrology::analyseFrequency(file.records, 2);
        QCOMPARE(text(w.get(), "n"), QString("30"));
        QCOMPARE(text(w.get(), "mean"), fmt(a.statistics.mean));
        QCOMPARE(text(w.get(), "cv"), fmt(a.statistics.cv));
        QCOMPARE(text(w.get(), "cs"), fmt(a.statistics.cs));
        QCOMPARE(text(w.get(), "fitcv"), fmt(a.fitted.cv));
        QCOMPARE(text(w.get(), "fitcs"), fmt(a.fitted.cs));
        // The example's statistics as the closing note gives them.
        QCOMPARE(text(w.get(), "mean"), QString("12.421"));

        auto *series = child<QTableWidget>(w.get(), "seriesTable");
        QCOMPARE(series->rowCount(), 30);
        for (int row = 0; row < 30; ++row) {
            const hydrology::EmpiricalPoint &p = a.series[std::size_t(row)];
            QCOMPARE(cell(series, row, 0), QString::number(row + 1));
            QCOMPARE(cell(series, row, 1), QString::number(p.record.year));
            QCOMPARE(cell(series, row, 2), q(varnolek::generalText(p.record.value, varnolek::Precision::Single)));
            QCOMPARE(cell(series, row, 3), fmt((row + 1) * 100.0 / 31));
        }
        QCOMPARE(cell(series, 0, 2), QString("13.02"));

        auto *design = child<QTableWidget>(w.get(), "designTable");
        QCOMPARE(design->rowCount(), 7);
        QStringList rates = {"50", "75", "90", "95", "97", "99", "90"};
        for (int row = 0; row < 7; ++row) {
            const hydrology::DesignValue d = hydrology::designValue(a, rates[row].toDouble());
            QCOMPARE(cell(design, row, 0), rates[row]);
            QCOMPARE(cell(design, row, 1), fmt(d.momentFactor));
            QCOMPARE(cell(design, row, 2), fmt(d.momentValue));
            QCOMPARE(cell(design, row, 3), fmt(d.fitFactor));
            QCOMPARE(cell(design, row, 4), fmt(d.fitValue));
            const auto [year, value] = levelYear(path, rates[row]);
            QCOMPARE(cell(design, row, 5), year);
            QCOMPARE(cell(design, row, 6), value);
        }
        QCOMPARE(cell(design, 6, 5), QString("1972年"));
        QCOMPARE(cell(design, 6, 6), QString("11.96"));

        // Points, both curves and the two design points, on probability paper.
        QChart *chart = child<QChartView>(w.get(), "plot")->chart();
        const auto all = chart->series();
        QCOMPARE(all.size(), 4);
        QCOMPARE(static_cast<QScatterSeries *>(all[0])->count(), 30);
        QVERIFY(static_cast<QLineSeries *>(all[1])->count() > 50);
        QVERIFY(static_cast<QLineSeries *>(all[2])->count() > 50);
        auto *designPoints = static_cast<QScatterSeries *>(all[3]);
        QCOMPARE(designPoints->count(), 2);
        QVERIFY(std::abs(designPoints->at(1).x() - hydrology::probabilityPaperX(90)) < 1e-12);
        QVERIFY(std::abs(designPoints->at(1).y() - hydrology::designValue(a, 90).fitValue) < 1e-9);
        auto *axis = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
        QVERIFY(axis);
        QCOMPARE(axis->categoriesLabels().join(' '), QString("1 5 10 20 50 80 90 95 99"));
        QVERIFY(std::abs(axis->endValue("50")) < 1e-12);
    }

    // The rate row follows the typed rate: the fits inside (0, 100), the guard's
    // message outside, and the empirical cells exactly the level-year window's.
    void typedRate_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("fits");
        QTest::newRow("95.5") << "95.5" << true;
        QTest::newRow("a leading number with a percent sign") << "80%" << true;
        QTest::newRow("0 is no rate for a curve") << "0" << false;
        QTest::newRow("100") << "100" << false;
        QTest::newRow("150, the smallest value empirically") << "150" << false;
        QTest::newRow("beyond a double: the level-year window fails too") << "1e999" << false;
    }
    void typedRate()
    {
        QFETCH(QString, rate);
        QFETCH(bool, fits);
        ScriptedPrompts prompts;
        const QString path = dataFile(thirtyYears());
        std::unique_ptr<freqform> w(openFrequencyAnalysis(nullptr, path));
        QVERIFY(typeAndWait(w.get(), w->rate, rate));
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(w->rate->property("invalid").toBool(), false);
        auto *design = child<QTableWidget>(w.get(), "designTable");
        QCOMPARE(cell(design, 6, 0), rate);
        const hydrology::FrequencyAnalysis a =
            hydrology::analyseFrequency(hydrology::readDataFile(path.toStdString()).records, 2);
        if (fits) {
            const hydrology::DesignValue d = hydrology::designValue(a, varnolek::readNumber(rate.toStdString()));
            QCOMPARE(cell(design, 6, 2), fmt(d.momentValue));
            QCOMPARE(cell(design, 6, 4), fmt(d.fitValue));
            QCOMPARE(w->message->text(), QString());
        } else {
            QCOMPARE(cell(design, 6, 2), QString());
            QCOMPARE(cell(design, 6, 4), QString());
            QCOMPARE(w->message->text(), QString::fromUtf8(hydrology::rateRangeMessage));
        }
        const auto [year, value] = levelYear(path, rate);
        QCOMPARE(cell(design, 6, 5), year);
        QCOMPARE(cell(design, 6, 6), value);
    }

    void ratioRefits()
    {
        ScriptedPrompts prompts;
        const QString path = dataFile(thirtyYears());
        std::unique_ptr<freqform> w(openFrequencyAnalysis(nullptr, path));
        QVERIFY(typeAndWait(w.get(), w->ratio, "3.5"));
        const hydrology::FrequencyAnalysis a =
            hydrology::analyseFrequency(hydrology::readDataFile(path.toStdString()).records, 3.5);
        QCOMPARE(text(w.get(), "fitcv"), fmt(a.fitted.cv));
        QCOMPARE(text(w.get(), "fitcs"), fmt(a.fitted.cs));
        QCOMPARE(cell(child<QTableWidget>(w.get(), "designTable"), 2, 4), fmt(hydrology::designValue(a, 90).fitValue));
        QCOMPARE(text(w.get(), "cv"), fmt(a.statistics.cv)); // the moments stay
    }

    // Typing waits for the last keystroke; a text with no leading number keeps
    // the last results and turns the field red, without a message box.
    void notANumber_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("rate of letters") << "rate"
                                         << "abc";
        QTest::newRow("rate emptied") << "rate"
                                      << "";
        QTest::newRow("ratio a sign alone") << "ratio"
                                            << "-";
        QTest::newRow("ratio beyond a double") << "ratio"
                                               << "1e999";
    }
    void notANumber()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        ScriptedPrompts prompts;
        std::unique_ptr<freqform> w(openFrequencyAnalysis(nullptr, dataFile(thirtyYears())));
        auto *design = child<QTableWidget>(w.get(), "designTable");
        const QString before = cell(design, 6, 4) + text(w.get(), "fitcv");
        QLineEdit *edit = field == "rate" ? w->rate : w->ratio;
        QSignalSpy spy(w.get(), &freqform::recalculated);
        edit->setText(typed);
        QVERIFY(w->busy());
        QTRY_VERIFY_WITH_TIMEOUT(!w->busy(), 5000);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(edit->property("invalid").toBool(), true);
        QCOMPARE(cell(design, 6, 4) + text(w.get(), "fitcv"), before);
        QVERIFY(prompts.messages.isEmpty());
        // A number again clears the mark and recalculates.
        QVERIFY(typeAndWait(w.get(), edit, "2"));
        QCOMPARE(edit->property("invalid").toBool(), false);
    }

    // Several keystrokes in quick succession give one recalculation.
    void typingWaitsForTheLastKey()
    {
        ScriptedPrompts prompts;
        std::unique_ptr<freqform> w(openFrequencyAnalysis(nullptr, dataFile(thirtyYears())));
        QSignalSpy spy(w.get(), &freqform::recalculated);
        w->rate->clear();
        QTest::keyClicks(w->rate, "97.5");
        QVERIFY(spy.wait(10000));
        QTest::qWait(400);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(cell(child<QTableWidget>(w.get(), "designTable"), 6, 0), QString("97.5"));
    }

    void guardsWhenOpening_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("three years") << QByteArray("3\n1961,1\n1962,2\n1963,3\n")
                                     << QString::fromUtf8(hydrology::tooFewYearsMessage);
        QTest::newRow("mean not above 0") << QByteArray("4\n1961,-1\n1962,-2\n1963,1\n1964,2\n")
                                          << QString::fromUtf8(hydrology::meanNotPositiveMessage);
        QTest::newRow("a short file") << QByteArray("5\n1961,1\n1962,2\n")
                                      << QString::fromUtf8(hydrology::checkFileMessage);
        QTest::newRow("no records") << QByteArray("0\n") << QString::fromUtf8(hydrology::checkFileMessage);
    }
    void guardsWhenOpening()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        QCOMPARE(openFrequencyAnalysis(nullptr, dataFile(file)), nullptr);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, message);
        QCOMPARE(prompts.messages[0].title, QString("提示"));
    }

    // varnolek-calc's frequency analysis writes what the window shows: its
    // defaults are the window's, its statistics the window's fields, its design
    // values the row of the typed rate.
    void calcMatchesWindow()
    {
        ScriptedPrompts prompts;
        const QString path = dataFile(thirtyYears());
        std::unique_ptr<freqform> w(openFrequencyAnalysis(nullptr, path));
        const catalogue::Entry *entry = catalogue::find("frequency");
        QVERIFY(entry);
        QCOMPARE(QString::fromStdString(entry->title), w->windowTitle());
        QCOMPARE(QString::fromStdString(entry->window), w->objectName());
        catalogue::Case c = catalogue::defaultCase(*entry);
        QCOMPARE(QString::fromUtf8(c.text("rate").data(), int(c.text("rate").size())), text(w.get(), "rate"));
        QCOMPARE(QString::fromUtf8(c.text("ratio").data(), int(c.text("ratio").size())), text(w.get(), "ratio"));
        const std::string file = path.toStdString();
        c.set("file", file);
        auto *design = child<QTableWidget>(w.get(), "designTable");
        const QMap<QString, QString> shown = {{"n", text(w.get(), "n")},         {"mean", text(w.get(), "mean")},
                                              {"cv", text(w.get(), "cv")},       {"cs", text(w.get(), "cs")},
                                              {"phi", cell(design, 6, 1)},       {"value", cell(design, 6, 2)},
                                              {"fitcv", text(w.get(), "fitcv")}, {"fitcs", text(w.get(), "fitcs")},
                                              {"fitphi", cell(design, 6, 3)},    {"fitvalue", cell(design, 6, 4)}};
        const catalogue::Outcome outcome = catalogue::evaluate(*entry, c);
        QCOMPARE(int(outcome.status), int(catalogue::Status::Done));
        QCOMPARE(outcome.result.texts.size(), entry->outputs.size());
        for (std::size_t i = 0; i < outcome.result.texts.size(); ++i) {
            const catalogue::Text &t = outcome.result.texts[i];
            QCOMPARE(std::string(t.name), entry->outputs[i].name);
            const QString name = QString::fromStdString(std::string(t.name));
            QVERIFY2(shown.contains(name), qPrintable(name));
            QCOMPARE(QString::fromStdString(t.text), shown[name]);
        }
    }

    // 分析 → 频率分析… in the level-year window analyses the file chosen there;
    // pressed again it raises the same window.
    void fromYearform()
    {
        ScriptedPrompts prompts;
        yearform y;
        y.show();
        auto *action = y.findChild<QAction *>("actionFrequency");
        QVERIFY(action);
        QCOMPARE(action->text(), QString("频率分析…"));
        auto *menu = y.menuBar()->findChild<QMenu *>("menuAnalysis");
        QVERIFY(menu);
        QCOMPARE(menu->title(), QString("分析(&A)"));
        QVERIFY(menu->actions().contains(action));
        QCOMPARE(y.lastDataFile(), QString());

        action->trigger(); // no file chosen yet: the dialog, cancelled
        QCOMPARE(prompts.fileDialogStartPaths.size(), 1);
        QVERIFY(!y.frequencyWindow());

        const QString path = dataFile(thirtyYears());
        prompts.fileAnswers.enqueue(path);
        prompts.inputAnswers.enqueue("90");
        press(&y, "mycacul");
        QCOMPARE(y.lastDataFile(), path);
        action->trigger();
        QCOMPARE(prompts.fileDialogStartPaths.size(), 2); // the level year's dialog only
        auto *w = qobject_cast<freqform *>(y.frequencyWindow());
        QVERIFY(w);
        QCOMPARE(w->dataFile(), path);
        QCOMPARE(w->parentWidget(), &y);
        QVERIFY(w->isWindow());
        QCOMPARE(cell(child<QTableWidget>(w, "designTable"), 6, 5), text(&y, "yeartext"));
        QCOMPARE(cell(child<QTableWidget>(w, "designTable"), 6, 6), text(&y, "qltext"));
        action->trigger();
        QCOMPARE(y.frequencyWindow(), w);
        QCOMPARE(y.findChildren<freqform *>().size(), 1);

        // Another file chosen in the level-year window gets a window of its own.
        const QString other = dataFile(thirtyYears());
        prompts.fileAnswers.enqueue(other);
        prompts.inputAnswers.enqueue("90");
        press(&y, "mycacul");
        action->trigger();
        QCOMPARE(qobject_cast<freqform *>(y.frequencyWindow())->dataFile(), other);
        QTRY_COMPARE(y.findChildren<freqform *>().size(), 1);
    }

    // With no file chosen in the level-year window it asks for one.
    void asksForAFile()
    {
        ScriptedPrompts prompts;
        QCOMPARE(openFrequencyAnalysis(nullptr, QString()), nullptr); // cancelled
        QCOMPARE(prompts.fileDialogStartPaths.size(), 1);
        QVERIFY(prompts.messages.isEmpty());
        const QString path = dataFile(thirtyYears());
        prompts.fileAnswers.enqueue(path);
        std::unique_ptr<freqform> w(openFrequencyAnalysis(nullptr, QString()));
        QVERIFY(w);
        QCOMPARE(w->dataFile(), path);
    }
};

QTEST_MAIN(TestFreqform)
#include "tst_freqform.moc"
