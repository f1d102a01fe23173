// The design flow window: the check values through the window and through
// varnolek-calc, a file with gaps and missing months, the files it refuses,
// the guards, Cancel, the two views, the calculation on a worker thread, the
// saved case, the plot's series, the sheet and the main menu's action. The
// walks over the catalogue (tst_catalogue_windows, tst_plots, tst_documents)
// check it as every calculation against an independent reference.

#include "app/mainform.h"
#include "app/windowcatalog.h"
#include "catalogue/casefile.h"
#include "core/frequency.h"
#include "core/monthlyflow.h"
#include "core/numbers.h"
#include "documents/sheet.h"
#include "parameters/designflowform.h"
#include "plots/plotdata.h"
#include "support/runcli.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/windowregistry.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>
#include <sys/stat.h>

using namespace windowtest;
namespace hydrology = varnolek::hydrology;

namespace {

const QString checkFileText = QStringLiteral("请检查月平均资料文件是否有错！");
const char *const resultNames[] = {"myq10", "myq10min", "myq10year", "mydesign", "mydesignyear", "myinterp", "myp3"};

// Twelve years, 2011 to 2022, whose driest months are the check values; the
// driest month moves through the year, every other month is wetter.
QByteArray checkFile()
{
    const double driest[] = {12.0, 9.5, 15.2, 8.1, 10.4, 7.6, 11.3, 9.9, 6.8, 13.1, 8.7, 10.0};
    QByteArray text = "年,1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月,12月\n";
    for (int i = 0; i < 12; ++i) {
        text += QByteArray::number(2011 + i);
        for (int m = 0; m < 12; ++m)
            text += "," + QByteArray::number(m == (i * 5) % 12 ? driest[i] : driest[i] + 5 + m, 'f', 1);
        text += "\n";
    }
    return text;
}

// A month's cells of a year whose driest month is `driest` in month `at` (1 to 12).
QByteArray months(double driest, int at, const char *separator = ",")
{
    QByteArray cells;
    for (int m = 1; m <= 12; ++m)
        cells += separator + QByteArray::number(m == at ? driest : driest + 10 * m, 'f', 1);
    return cells;
}

QString shown(QWidget *w, const char *name)
{
    return text(w, name);
}

QString cell(QTableWidget *t, int row, int column)
{
    return t->item(row, column) ? t->item(row, column)->text() : QString();
}

// The window as the main menu builds it, with its menus of plots and documents.
struct Opened {
    std::unique_ptr<ScriptedPrompts> prompts = std::make_unique<ScriptedPrompts>();
    std::unique_ptr<designflowform> window{qobject_cast<designflowform *>(findCalculator("designflowform")->make())};
};

// A window with a file chosen through 选择文件….
Opened withFile(const QString &path)
{
    Opened o;
    o.window->setAttribute(Qt::WA_DeleteOnClose, false);
    o.window->show();
    o.prompts->fileAnswers.enqueue(path);
    press(o.window.get(), "Command4");
    return o;
}

} // namespace

class TestDesignflowform : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file(const QByteArray &text) { return dataFile(m_dir, text); }

private slots:
    void checkValuesThroughTheWindow();
    void checkValuesThroughTheCommandLine();
    void levelViewChangesOnlyWords();
    void gapsAndMissingMonths();
    void fewerThanTenYearsSaysSo();
    void badFileIsRefused_data();
    void badFileIsRefused();
    void fileBrokenAfterChoosing();
    void guards_data();
    void guards();
    void cancelEmptiesResultsAndFile();
    void okRunsOnAWorker();
    void changedInputsDropTheRun();
    void savedCaseKeepsTheFile();
    void plotOnProbabilityPaper();
    void sheetShowsTheYearsAndTheReadings();
    void menuActionOpensTheWindow();
};

void TestDesignflowform::checkValuesThroughTheWindow()
{
    Opened o = withFile(file(checkFile()));
    designflowform *w = o.window.get();
    QVERIFY(o.prompts->messages.isEmpty());
    QCOMPARE(o.prompts->fileDialogStartPaths, QList<QString>{QString()});
    QVERIFY(shown(w, "Text1").endsWith(".txt"));
    QCOMPARE(shown(w, "myrate"), QString("90"));
    press(w, "Command1");
    QVERIFY2(o.prompts->messages.isEmpty(), qPrintable(o.prompts->lastMessage()));
    QVERIFY(w->resultsCurrent());
    QCOMPARE(shown(w, "myq10"), QString("10.110"));
    QCOMPARE(w->Label_q10->text(), QString());
    QCOMPARE(shown(w, "myq10min"), QString("6.800"));
    QCOMPARE(shown(w, "myq10year"), QString("2019年"));
    QCOMPARE(shown(w, "mydesign"), QString("6.800"));
    QCOMPARE(shown(w, "mydesignyear"), QString("2019年"));
    QCOMPARE(shown(w, "myinterp"), QString("7.040"));
    // The curve's value, from the frequency analysis of the same series.
    const hydrology::MonthlyFile parsed = hydrology::parseMonthlyFile(checkFile().toStdString());
    const hydrology::DesignFlow d = hydrology::designFlow(hydrology::analyseDesignFlow(parsed.years), 90);
    QVERIFY(d.curve);
    QCOMPARE(shown(w, "myp3"),
             QString::fromStdString(varnolek::formatPattern(*d.curve, varnolek::Precision::Double, "###0.000")));
    QVERIFY(*d.curve > 5 && *d.curve < 8); // near the smallest of twelve, as a 90 % low flow is

    // The table: a row a year, rank 1 the largest (15.2 in 2013), P_k = k / 13.
    QTableWidget *t = w->tableYears;
    QCOMPARE(t->rowCount(), 12);
    QCOMPARE(t->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(t->horizontalHeaderItem(1)->text(), QString("最枯月流量\n(m3/s)"));
    QCOMPARE(cell(t, 0, 0), QString("2011"));
    QCOMPARE(cell(t, 0, 1), QString("12"));
    QCOMPARE(cell(t, 0, 2), QString("1"));
    QCOMPARE(cell(t, 2, 0), QString("2013"));
    QCOMPARE(cell(t, 2, 3), QString("1"));
    QCOMPARE(cell(t, 2, 4), QString("7.692"));
    QCOMPARE(cell(t, 8, 0), QString("2019"));
    QCOMPARE(cell(t, 8, 1), QString("6.8"));
    QCOMPARE(cell(t, 8, 2), QString::number((8 * 5) % 12 + 1));
    QCOMPARE(cell(t, 8, 3), QString("12"));
    QCOMPARE(cell(t, 8, 4), QString("92.308"));
    for (int row = 0; row < 12; ++row)
        QCOMPARE(cell(t, row, 5), QString());

    // Another rate moves the design values, not the last ten years.
    setText(w, "myrate", "50");
    press(w, "Command1");
    QCOMPARE(shown(w, "myq10"), QString("10.110"));
    QCOMPARE(shown(w, "mydesign"), QString("9.900")); // ⌊13 × 0.5⌋ = 6th smallest
    QCOMPARE(shown(w, "mydesignyear"), QString("2018年"));
    QCOMPARE(shown(w, "myinterp"), QString("9.950")); // halfway between P_6 = 6/13 and P_7 = 7/13
}

void TestDesignflowform::checkValuesThroughTheCommandLine()
{
    const QString path = file(checkFile());
    CliResult r = runCli({"designflowform", "file=" + path});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.status, 0);
    QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.mid(0, 7), (QStringList{"myq10=10.110", "Label_q10=", "myq10min=6.800", "myq10year=2019年",
                                           "mydesign=6.800", "mydesignyear=2019年", "myinterp=7.040"}));
    QCOMPARE(lines.size(), 8);
    // The window and the command line show the same texts.
    Opened o = withFile(path);
    press(o.window.get(), "Command1");
    QCOMPARE(lines[7], "myp3=" + shown(o.window.get(), "myp3"));

    // Neither swept nor drawn at random: a series of its own file.
    QCOMPARE(runCli({"designflowform", "file=" + path, "--sweep", "rate=50:90:3"}).status, 1);
}

void TestDesignflowform::levelViewChangesOnlyWords()
{
    Opened o = withFile(file(checkFile()));
    designflowform *w = o.window.get();
    press(w, "Command1");
    QStringList before;
    for (const char *name : resultNames)
        before << shown(w, name);
    choose(w, "Option2");
    QCOMPARE(w->currentEntry().id, std::string("designflowform/level"));
    QCOMPARE(w->Label3->text(), QString("近10年最枯月平均水位(m)"));
    QCOMPARE(w->Label9->text(), QString("P-III适线法设计最枯月平均水位(m)"));
    QCOMPARE(w->tableYears->horizontalHeaderItem(1)->text(), QString("最枯月水位\n(m)"));
    QCOMPARE(w->Text1->text().isEmpty(), false);
    press(w, "Command1");
    QStringList after;
    for (const char *name : resultNames)
        after << shown(w, name);
    QCOMPARE(after, before);
    choose(w, "Option1");
    QCOMPARE(w->Label3->text(), QString("近10年最枯月平均流量(m3/s)"));
    QCOMPARE(w->tableYears->horizontalHeaderItem(1)->text(), QString("最枯月流量\n(m3/s)"));
}

// Years missing from the series, years with empty months (the driest of
// those observed, marked), a year not observed at all (listed, not counted),
// tabs and commas, no header.
void TestDesignflowform::gapsAndMissingMonths()
{
    QByteArray text;
    text += "2001" + months(20, 3) + "\n";
    text += "2003" + months(18, 2, "\t") + "\n";
    text += "2004,30,,25,31,40,50,60,70,80,90,100,\n"; // February and December missing: 25 in March
    text += "2005,,,,,,,,,,,,\n";                      // not observed
    text += "2008" + months(12, 11) + "\n";
    text += "2009,14,15,16,17,18,19,20,21,22,23,11.5,\n"; // December missing: 11.5 in November
    text += "\n";
    text += "2010" + months(16, 1) + "\n";
    for (int y = 2011; y <= 2016; ++y)
        text += QByteArray::number(y) + months(10 + (y - 2011) * 3, 12) + "\n";
    // 12 years observed: 2001, 2003, 2004, 2008 to 2016.
    Opened o = withFile(file(text));
    designflowform *w = o.window.get();
    QVERIFY2(o.prompts->messages.isEmpty(), qPrintable(o.prompts->lastMessage()));
    press(w, "Command1");
    QVERIFY2(o.prompts->messages.isEmpty(), qPrintable(o.prompts->lastMessage()));
    QTableWidget *t = w->tableYears;
    QCOMPARE(t->rowCount(), 13); // the year not observed is listed
    QStringList years, marks;
    for (int row = 0; row < t->rowCount(); ++row) {
        years << cell(t, row, 0);
        marks << cell(t, row, 5);
    }
    QCOMPARE(years, (QStringList{"2001", "2003", "2004", "2005", "2008", "2009", "2010", "2011", "2012", "2013", "2014",
                                 "2015", "2016"}));
    QCOMPARE(marks, (QStringList{"", "", "缺测", "全年缺测", "", "缺测", "", "", "", "", "", "", ""}));
    QCOMPARE(cell(t, 2, 1), QString("25"));
    QCOMPARE(cell(t, 2, 2), QString("3"));
    QCOMPARE(cell(t, 3, 1), QString()); // no value, rank or frequency
    QCOMPARE(cell(t, 3, 3), QString());
    QCOMPARE(cell(t, 5, 1), QString("11.5"));
    QCOMPARE(cell(t, 5, 2), QString("11"));
    // Ranks over the 12 years observed: 10 (2011) is the smallest, 25 (2004 and 2016) the largest.
    QCOMPARE(cell(t, 7, 1), QString("10"));
    QCOMPARE(cell(t, 7, 3), QString("12"));
    QCOMPARE(cell(t, 7, 4), QString::fromStdString(hydrology::frequencyText(1200.0 / 13)));
    QCOMPARE(cell(t, 12, 1), QString("25"));
    QCOMPARE(cell(t, 2, 3), QString("1")); // 2004's 25 stands first of the ties, by year
    // The last ten years observed: 2004 to 2016 without 2005, 2006, 2007.
    const double recent[] = {25, 12, 11.5, 16, 10, 13, 16, 19, 22, 25};
    double sum = 0;
    for (double v : recent)
        sum += v;
    QCOMPARE(shown(w, "myq10"),
             QString::fromStdString(varnolek::formatPattern(sum / 10, varnolek::Precision::Double, "###0.000")));
    QCOMPARE(shown(w, "myq10min"), QString("10.000"));
    QCOMPARE(shown(w, "myq10year"), QString("2011年"));
    QCOMPARE(w->Label_q10->text(), QString());
    // At 90 %: j = ⌊13 × 0.1⌋ = 1, the smallest.
    QCOMPARE(shown(w, "mydesign"), QString("10.000"));
    QCOMPARE(shown(w, "mydesignyear"), QString("2011年"));
}

void TestDesignflowform::fewerThanTenYearsSaysSo()
{
    QByteArray text;
    for (int y = 2015; y <= 2022; ++y)
        text += QByteArray::number(y) + months(5 + (y % 7), 8, " ") + "\n";
    Opened o = withFile(file(text));
    designflowform *w = o.window.get();
    press(w, "Command1");
    QCOMPARE(w->Label_q10->text(), QString("（资料不足10年，按全部8年计）"));
    QCOMPARE(w->tableYears->rowCount(), 8);
    // Cancel takes the note away with the results.
    press(w, "Command2");
    QCOMPARE(w->Label_q10->text(), QString());
}

void TestDesignflowform::badFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("special"); // a path of a kind of its own
    QTest::newRow("a month that is no number")
        << QByteArray("2001" + months(3, 1) + "\n2002,1,2,3,low,5,6,7,8,9,10,11,12\n") << QString();
    QTest::newRow("a year of eleven months with blanks") << QByteArray("2001 1 2 3 4 5 6 7 8 9 10 11\n") << QString();
    QTest::newRow("a year written twice")
        << QByteArray("2001" + months(3, 1) + "\n2001" + months(4, 2) + "\n") << QString();
    QTest::newRow("an empty file") << QByteArray() << QString();
    QTest::newRow("one endless field") << QByteArray(2 * 1024 * 1024, '7') << QString();
    QTest::newRow("a FIFO") << QByteArray() << QString("fifo");
    QTest::newRow("/dev/zero") << QByteArray() << QString("/dev/zero");
    QTest::newRow("no such file") << QByteArray() << QString("missing");
}

// A file the reader refuses is told at once, titled 提示, and not taken: the
// file shown and the results stay.
void TestDesignflowform::badFileIsRefused()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, special);
    const QString good = file(checkFile());
    Opened o = withFile(good);
    designflowform *w = o.window.get();
    press(w, "Command1");
    QString path = file(text);
    if (special == "fifo") {
        path = m_dir.filePath("monthly.fifo");
        QFile::remove(path);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (special == "missing") {
        path = m_dir.filePath("no such file.csv");
    } else if (!special.isEmpty()) {
        path = special;
    }
    o.prompts->fileAnswers.enqueue(path);
    press(w, "Command4");
    QCOMPARE(o.prompts->messages.size(), 1);
    QCOMPARE(o.prompts->messages[0].text, checkFileText);
    QCOMPARE(o.prompts->messages[0].title, QString("提示"));
    QCOMPARE(w->Text1->text(), good);
    QCOMPARE(shown(w, "myq10"), QString("10.110"));
    QCOMPARE(w->tableYears->rowCount(), 12);
    QVERIFY(w->resultsCurrent());
    // A cancelled dialog changes nothing either.
    press(w, "Command4");
    QCOMPARE(w->Text1->text(), good);
    QCOMPARE(o.prompts->fileDialogStartPaths.last(), good);
}

// A file good when chosen and spoiled before OK: the message, and the results
// of the good file stand.
void TestDesignflowform::fileBrokenAfterChoosing()
{
    const QString path = file(checkFile());
    Opened o = withFile(path);
    designflowform *w = o.window.get();
    press(w, "Command1");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Append));
    f.write("2023,1,2,3\n");
    f.close();
    press(w, "Command1");
    QCOMPARE(o.prompts->messages.size(), 1);
    QCOMPARE(o.prompts->messages[0].text, checkFileText);
    QCOMPARE(o.prompts->messages[0].title, QString("提示"));
    QCOMPARE(shown(w, "myq10"), QString("10.110"));
    QCOMPARE(shown(w, "myinterp"), QString("7.040"));
    QCOMPARE(w->tableYears->rowCount(), 12);
}

void TestDesignflowform::guards_data()
{
    QTest::addColumn<int>("years");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("message");
    const QString rateMessage = QString::fromUtf8(hydrology::rateRangeMessage);
    QTest::newRow("3 years") << 3 << "90" << QString::fromUtf8(hydrology::designFlowTooFewYearsMessage);
    QTest::newRow("4 years are enough") << 4 << "90" << QString();
    QTest::newRow("rate 0") << 12 << "0" << rateMessage;
    QTest::newRow("rate 100") << 12 << "100" << rateMessage;
    QTest::newRow("rate -5") << 12 << "-5" << rateMessage;
    QTest::newRow("a rate with no number") << 12 << "abc" << rateMessage;
    QTest::newRow("a rate beyond a double") << 12 << "1e999" << rateMessage;
    QTest::newRow("a rate with a leading number") << 12 << "95%" << QString();
    QTest::newRow("an empty rate") << 12 << "" << QString("请输入全部的参数");
    QTest::newRow("no file chosen") << 0 << "90" << QString("请输入全部的参数");
}

// Each guard speaks, titled 提示, and the results shown stay.
void TestDesignflowform::guards()
{
    QFETCH(int, years);
    QFETCH(QString, rate);
    QFETCH(QString, message);
    QByteArray text;
    for (int y = 0; y < years; ++y)
        text += QByteArray::number(2001 + y) + months(3 + y, 1 + y % 12) + "\n";
    ScriptedPrompts prompts;
    designflowform w;
    w.show();
    if (years > 0) {
        prompts.fileAnswers.enqueue(file(text));
        press(&w, "Command4");
    }
    for (const char *name : resultNames)
        setText(&w, name, "before");
    setText(&w, "myrate", rate);
    press(&w, "Command1");
    if (message.isEmpty()) {
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.lastMessage()));
        QVERIFY(w.resultsCurrent());
        QVERIFY(shown(&w, "mydesign") != "before");
        return;
    }
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, message);
    QCOMPARE(prompts.messages[0].title, QString("提示"));
    QVERIFY(!w.resultsCurrent());
    for (const char *name : resultNames)
        QCOMPARE(shown(&w, name), QString("before"));
}

void TestDesignflowform::cancelEmptiesResultsAndFile()
{
    Opened o = withFile(file(checkFile()));
    designflowform *w = o.window.get();
    setText(w, "myrate", "95");
    press(w, "Command1");
    QVERIFY(w->resultsCurrent());
    press(w, "Command2");
    QCOMPARE(w->Text1->text(), QString());
    for (const char *name : resultNames)
        QCOMPARE(shown(w, name), QString());
    QCOMPARE(w->tableYears->rowCount(), 0);
    QCOMPARE(shown(w, "myrate"), QString("95")); // the rate is no result
    QVERIFY(!w->resultsCurrent());
    press(w, "Command1");
    QCOMPARE(o.prompts->lastMessage(), QString("请输入全部的参数"));
    // Return closes the window.
    press(w, "Command3");
    QVERIFY(!w->isVisible());
}

// OK runs the fit of a long series on a worker: the window goes on painting,
// the OK button is greyed and the status bar says so until it ends.
void TestDesignflowform::okRunsOnAWorker()
{
    QByteArray text;
    for (int y = 0; y < hydrology::maxRecords; ++y)
        text += QByteArray::number(1801 + y) + months(20 + (y * 37) % 41, 1 + y % 12) + "\n";
    Opened o = withFile(file(text));
    designflowform *w = o.window.get();
    QSignalSpy busy(w, &ui::CalculatorWindow::busyChanged);
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(w->busy());
    QVERIFY(!w->Command1->isEnabled());
    QCOMPARE(w->statusBar()->currentMessage(), ui::CalculatorWindow::busyText);
    QCOMPARE(shown(w, "myq10"), QString());         // not yet
    QTest::mouseClick(w->Command1, Qt::LeftButton); // a second press starts nothing
    QTRY_VERIFY_WITH_TIMEOUT(!w->busy(), 60000);
    QCOMPARE(busy.size(), 2);
    QVERIFY(w->Command1->isEnabled());
    QCOMPARE(w->statusBar()->currentMessage(), QString());
    QVERIFY(w->resultsCurrent());
    QCOMPARE(w->tableYears->rowCount(), hydrology::maxRecords);
    const CliResult r = runCli({"designflowform", "file=" + w->Text1->text()});
    QVERIFY(r.out.contains("myp3=" + shown(w, "myp3") + "\n"));
}

// Results of inputs changed while the worker ran are not written; a window
// closed meanwhile waits for it.
void TestDesignflowform::changedInputsDropTheRun()
{
    QByteArray text;
    for (int y = 0; y < hydrology::maxRecords; ++y)
        text += QByteArray::number(1601 + y) + months(30 + (y * 13) % 29, 1 + y % 12) + "\n";
    const QString path = file(text);
    {
        Opened o = withFile(path);
        designflowform *w = o.window.get();
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QVERIFY(w->busy());
        QTest::mouseClick(w->Command2, Qt::LeftButton); // Cancel
        QTRY_VERIFY_WITH_TIMEOUT(!w->busy(), 60000);
        QCOMPARE(shown(w, "myq10"), QString());
        QCOMPARE(w->tableYears->rowCount(), 0);
        QVERIFY(!w->resultsCurrent());
        QVERIFY(o.prompts->messages.isEmpty());
    }
    text.replace("1601,", "1600,"); // another series: not one whose fit is kept
    {
        Opened o = withFile(file(text));
        designflowform *w = o.window.get();
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QTest::keyClicks(w->myrate, "5"); // 905: the run's rate is no longer the one shown
        QTRY_VERIFY_WITH_TIMEOUT(!w->busy(), 60000);
        QCOMPARE(shown(w, "myq10"), QString());
        QVERIFY(o.prompts->messages.isEmpty());
        QTest::mouseClick(w->Command1, Qt::LeftButton);
        QVERIFY(w->busy());
    } // destroyed while it runs
}

void TestDesignflowform::savedCaseKeepsTheFile()
{
    QDir().mkpath(m_dir.filePath("case"));
    const QString path = m_dir.filePath("case/flows.csv");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(checkFile());
    f.close();
    Opened o = withFile(path);
    designflowform *w = o.window.get();
    choose(w, "Option2");
    setText(w, "myrate", "75");
    press(w, "Command1");
    const catalogue::CaseFile saved = w->savedCase();
    QCOMPARE(saved.calculation, std::string("designflowform/level"));
    QVERIFY(saved.fields.empty());
    QVERIFY(saved.hasData);
    QCOMPARE(QString::fromStdString(*saved.dataText("file")), path);
    QCOMPARE(QString::fromStdString(*saved.dataText("rate")), QString("75"));
    QCOMPARE(QString::fromStdString(*saved.result("mydesign")), shown(w, "mydesign"));

    // Written with the file's path relative to the case, as a case moved with its data is.
    catalogue::CaseFile moved = saved;
    moved.data = {{"file", "flows.csv"}, {"rate", "75"}};
    const QString casePath = m_dir.filePath("case/flows.vcase");
    QFile c(casePath);
    QVERIFY(c.open(QIODevice::WriteOnly));
    c.write(QByteArray::fromStdString(catalogue::caseFileText(moved)));
    c.close();
    const catalogue::CaseFile read = catalogue::readCaseFile(casePath.toStdString());

    ScriptedPrompts prompts;
    designflowform fresh;
    fresh.show();
    fresh.applyCase(read, m_dir.filePath("case"));
    QCOMPARE(fresh.currentEntry().id, std::string("designflowform/level"));
    QVERIFY(fresh.Option2->isChecked());
    QCOMPARE(fresh.Label3->text(), QString("近10年最枯月平均水位(m)"));
    QCOMPARE(fresh.Text1->text(), QDir(m_dir.filePath("case")).filePath("flows.csv"));
    QCOMPARE(shown(&fresh, "myrate"), QString("75"));
    QCOMPARE(shown(&fresh, "mydesign"), QString()); // the next OK computes it
    QVERIFY(!fresh.resultsCurrent());
    press(&fresh, "Command1");
    for (const char *name : resultNames)
        QCOMPARE(shown(&fresh, name), shown(w, name));
    // The command line runs the same case and finds its saved results again.
    const CliResult r = runCli({"--check", "--case", casePath});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.status, 0);
}

void TestDesignflowform::plotOnProbabilityPaper()
{
    QByteArray text = checkFile();
    text.replace("2016,12.6,7.6,", "2016,12.6,,"); // February of 2016 missing: its driest month is 12.6 in January
    Opened o = withFile(file(text));
    designflowform *w = o.window.get();
    // The series as the window's view reads it (tst_plots checks the plot
    // window's rows against the window's table).
    catalogue::Case c = w->windowCase();
    const plots::Plot drawn = plots::makePlot(w->currentEntry(), c);
    QVERIFY2(drawn.failure.empty(), drawn.failure.c_str());
    QCOMPARE(drawn.kind, plots::Kind::FittedCurve);
    QCOMPARE(drawn.series.size(), std::size_t(3));
    QCOMPARE(drawn.series[0].points.size(), std::size_t(11)); // observed in full
    QCOMPARE(drawn.series[1].points.size(), std::size_t(1));  // 2016, a month missing
    QCOMPARE(drawn.series[1].points[0].second, 12.6f);
    QVERIFY(drawn.series[2].points.size() > 100); // the fitted curve
    // The curve falls from the wet years to the dry: a low-flow curve.
    QVERIFY(drawn.series[2].points.front().second > drawn.series[2].points.back().second);
    QVERIFY(std::abs(*drawn.designLine - hydrology::probabilityPaperX(90)) < 1e-12);
    QCOMPARE(drawn.marks.size(), std::size_t(3)); // rank rule, interpolation, curve
    // A rate the paper cannot show: the series and the curve, no design line.
    c.set("rate", "abc");
    const plots::Plot noRate = plots::makePlot(w->currentEntry(), c);
    QVERIFY(noRate.failure.empty());
    QVERIFY(!noRate.designLine);
    QVERIFY(noRate.marks.empty());
    c.set("file", "");
    QCOMPARE(plots::makePlot(w->currentEntry(), c).failure, std::string(plots::noValidPointText));
}

void TestDesignflowform::sheetShowsTheYearsAndTheReadings()
{
    QByteArray text = checkFile();
    text.replace("2016,12.6,7.6,", "2016,12.6,,");
    Opened o = withFile(file(text));
    designflowform *w = o.window.get();
    press(w, "Command1");
    const QString sheet = documents::sheetDocument(*w, QStringLiteral("清水河"))->toPlainText();
    QVERIFY(sheet.contains("月平均资料"));
    QVERIFY(sheet.contains("资料年数 n = 12（2011—2022年），其中 1 年有缺测月份"));
    QVERIFY(sheet.contains("各年最枯月"));
    QVERIFY(sheet.contains("最枯月流量(m3/s)"));
    QVERIFY(sheet.contains("92.308"));
    QVERIFY(sheet.contains("缺测"));
    // The two readings of 近10年最枯月, each named.
    QVERIFY(sheet.contains("读作最近10年（按年份）各年最枯月流量的平均值"));
    QVERIFY(sheet.contains("读作最近10年中最枯的一个月的流量"));
    QVERIFY(sheet.contains(shown(w, "myq10")));
    QVERIFY(sheet.contains(shown(w, "myq10min")));
    QVERIFY(!sheet.contains("资料文件无法读取"));
}

// The main menu's 模型 menu ends with the action that opens the window.
void TestDesignflowform::menuActionOpensTheWindow()
{
    const CalculatorEntry *row = findCalculator("actionDesignFlow");
    QVERIFY(row);
    QCOMPARE(row->window, QString("designflowform"));
    QCOMPARE(QString::fromUtf8(row->menu), QString("menuModels"));
    QCOMPARE(&calculatorCatalog().back(), row);
    ui::WindowRegistry calculators;
    mainform menu(calculators);
    auto *models = menu.findChild<QMenu *>("menuModels");
    QVERIFY(models);
    QVERIFY(models->menuAction()->isVisible());
    QAction *action = models->actions().last();
    QCOMPARE(action->objectName(), QString("actionDesignFlow"));
    QCOMPARE(action->text(), QString("设计流量…"));
    action->trigger();
    QWidget *opened = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == "designflowform" && top->isVisible())
            opened = top;
    QVERIFY(opened);
    QCOMPARE(opened->windowTitle(), QString("设计流量计算（最枯月）"));
    action->trigger(); // raised, not opened twice
    int open = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        open += top->objectName() == "designflowform" && top->isVisible();
    QCOMPARE(open, 1);
    opened->close();
}

QTEST_MAIN(TestDesignflowform)
#include "tst_designflowform.moc"
