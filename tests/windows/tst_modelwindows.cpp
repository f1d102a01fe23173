// The windows of the one- and two-dimensional river models and of the
// transition-zone length: what a user sees after typing and pressing buttons.

#include "app/windowcatalog.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"

#include "models/MYLFORM.h"
#include "models/my1dform.h"
#include "models/my2dform.h"

#include <QLabel>
#include <QtTest>
#include <memory>

using namespace windowtest;

namespace {
const QString divisionByZero = QStringLiteral("除数为零");
const QString overflow = QStringLiteral("溢出");
const QString invalidArgument = QStringLiteral("无效的过程调用或参数");

// "name=text" edits applied over the default texts.
void applyEdits(QWidget *window, const QStringList &edits)
{
    for (const QString &edit : edits) {
        const qsizetype eq = edit.indexOf('=');
        setText(window, edit.left(eq).toLatin1().constData(), edit.mid(eq + 1));
    }
}

QString caption(QWidget *window) { return child<QLabel>(window, "Label9")->text(); }

std::unique_ptr<QWidget> open(const QString &name)
{
    std::unique_ptr<QWidget> window(findCalculator(name)->make());
    window->setAttribute(Qt::WA_DeleteOnClose, false); // the test owns it
    window->show();
    return window;
}
} // namespace

class TestModelWindows : public QObject {
    Q_OBJECT

private slots:
    void calculate_data();
    void calculate();

    void oneDimensionalTypeOkCancel();
    void twoDimensionalTypeOkCancel();
    void transitionZoneTypeOkCancel();
};

// Each row: a window, edits over its default texts, then what OK shows. A
// failure leaves the result field ("before") and the caption as they were.
void TestModelWindows::calculate_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("captionAfter");
    QTest::addColumn<QString>("message");

    const QString before = "before";
    const QString design1d = my1dform::designCaption;
    const QString design2d = my2dform::designCaption;

    QTest::newRow("my1dform default texts") << "my1dform" << QStringList() << "9.97"
                                            << "距离初始断面 3 千米处水质浓度(mg/L)" << "";
    QTest::newRow("my1dform distance 2.50 captioned 2.5")
        << "my1dform" << QStringList{"myx=2.50"} << "9.97" << "距离初始断面 2.5 千米处水质浓度(mg/L)" << "";
    QTest::newRow("my1dform no dispersion, 300 km")
        << "my1dform" << QStringList{"mye=0", "myx=300"} << "7.07" << "距离初始断面 300 千米处水质浓度(mg/L)" << "";
    QTest::newRow("my1dform distance read from its leading number")
        << "my1dform" << QStringList{"myx= 0km"} << "10.00" << "距离初始断面 0 千米处水质浓度(mg/L)" << "";
    QTest::newRow("my1dform number beyond a double in a field")
        << "my1dform" << QStringList{"myc0=1e999"} << before << design1d << overflow;
    QTest::newRow("my1dform u = 0") << "my1dform" << QStringList{"myu=0"} << before << design1d << divisionByZero;
    QTest::newRow("my1dform u not a number")
        << "my1dform" << QStringList{"myu=abc"} << before << design1d << divisionByZero;
    QTest::newRow("my1dform no flow at all")
        << "my1dform" << QStringList{"myq0=0", "myq2=0"} << before << design1d << overflow;
    QTest::newRow("my1dform exponential overflows")
        << "my1dform" << QStringList{"myk=-1e4", "mye=0", "myu=0.001", "myx=1e4"} << before << design1d << overflow;
    QTest::newRow("my1dform beyond single precision")
        << "my1dform" << QStringList{"myk=0", "myc0=1e39"} << before << design1d << overflow;

    QTest::newRow("my2dform default texts")
        << "my2dform" << QStringList() << "9.60" << "距排污口 5千米,距排污口所在岸边 15米处的水质浓度(mg / L):" << "";
    QTest::newRow("my2dform fractional distances")
        << "my2dform" << QStringList{"myx=5.000", "myy=15.50"} << "9.59"
        << "距排污口 5千米,距排污口所在岸边 15.5米处的水质浓度(mg / L):" << "";
    QTest::newRow("my2dform large result written in full")
        << "my2dform" << QStringList{"myk=0", "myq2=0", "myc0=1e20"} << "100000000000000000000.00"
        << "距排污口 5千米,距排污口所在岸边 15米处的水质浓度(mg / L):" << "";
    QTest::newRow("my2dform X = 0") << "my2dform" << QStringList{"myx=0"} << before << design2d << divisionByZero;
    QTest::newRow("my2dform u = 0") << "my2dform" << QStringList{"myu=0"} << before << design2d << divisionByZero;
    QTest::newRow("my2dform h = 0") << "my2dform" << QStringList{"myh=0"} << before << design2d << divisionByZero;
    QTest::newRow("my2dform exponential overflows")
        << "my2dform" << QStringList{"myk=-1e4", "myu=0.001"} << before << design2d << overflow;

    QTest::newRow("MYLFORM default texts") << "MYLFORM" << QStringList() << "248557.311" << "" << "";
    QTest::newRow("MYLFORM rise downstream, negative length")
        << "MYLFORM" << QStringList{"myc=10"} << "-192796.028" << "" << "";
    QTest::newRow("MYLFORM C = 0") << "MYLFORM" << QStringList{"myc=0"} << before << "" << divisionByZero;
    QTest::newRow("MYLFORM K = 0") << "MYLFORM" << QStringList{"myk=0"} << before << "" << divisionByZero;
    QTest::newRow("MYLFORM C0 = 0") << "MYLFORM" << QStringList{"myc0=0"} << before << "" << invalidArgument;
}

void TestModelWindows::calculate()
{
    QFETCH(QString, window);
    QFETCH(QStringList, edits);
    QFETCH(QString, result);
    QFETCH(QString, captionAfter);
    QFETCH(QString, message);

    ScriptedPrompts prompts;
    auto w = open(window);
    applyEdits(w.get(), edits);
    const char *resultField = window == "MYLFORM" ? "myl" : "myc";
    setText(w.get(), resultField, "before");
    press(w.get(), "Command1");

    QCOMPARE(text(w.get(), resultField), result);
    if (!captionAfter.isEmpty())
        QCOMPARE(caption(w.get()), captionAfter);
    if (message.isEmpty()) {
        QVERIFY(prompts.messages.isEmpty());
    } else {
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, message);
        QCOMPARE(prompts.messages[0].title, QString("Varnolek"));
    }
}

void TestModelWindows::oneDimensionalTypeOkCancel()
{
    ScriptedPrompts prompts;
    auto w = open("my1dform");
    QCOMPARE(caption(w.get()), my1dform::designCaption);
    QCOMPARE(child<QPushButton>(w.get(), "Command1")->text(), QString("确   定"));
    QCOMPARE(child<QPushButton>(w.get(), "Command2")->text(), QString("取  消"));
    QCOMPARE(child<QPushButton>(w.get(), "Command3")->text(), QString("返  回"));

    field(w.get(), "myx")->clear();
    QTest::keyClicks(field(w.get(), "myx"), "12.0");
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "myc"), QString("9.86"));
    QCOMPARE(caption(w.get()), QString("距离初始断面 12 千米处水质浓度(mg/L)"));

    press(w.get(), "Command2");
    for (const char *name : {"myk", "myu", "mye", "myq0", "myc0", "myx", "myq2", "myc2", "myc"})
        QVERIFY2(text(w.get(), name).isEmpty(), name);
    QCOMPARE(caption(w.get()), QString("距离初始断面 X 千米处水质浓度(mg/L)"));

    press(w.get(), "Command1");
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, QString("请输入全部的参数"));
    QCOMPARE(prompts.messages[0].title, QString("提示"));
    QVERIFY(text(w.get(), "myc").isEmpty());
    QCOMPARE(caption(w.get()), my1dform::clearedCaption);

    press(w.get(), "Command3");
    QVERIFY(!w->isVisible());
}

void TestModelWindows::twoDimensionalTypeOkCancel()
{
    ScriptedPrompts prompts;
    auto w = open("my2dform");
    QCOMPARE(caption(w.get()), my2dform::designCaption);
    QCOMPARE(child<QPushButton>(w.get(), "Command2")->text(), QString("取   消"));

    field(w.get(), "myy")->clear();
    QTest::keyClicks(field(w.get(), "myy"), "30");
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "myc"), QString("9.40"));
    QCOMPARE(caption(w.get()), QString("距排污口 5千米,距排污口所在岸边 30米处的水质浓度(mg / L):"));

    press(w.get(), "Command2");
    for (const char *name : {"myk", "myu", "mye", "myb", "myc0", "myh", "myq2", "myc2", "myx", "myy", "myc"})
        QVERIFY2(text(w.get(), name).isEmpty(), name);
    QCOMPARE(caption(w.get()), QString("距排污口 X 千米,距排污口所在岸边 Y 米处的水质浓度(mg / L):"));

    QTest::keyClicks(field(w.get(), "myk"), "0.2");
    press(w.get(), "Command1");
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, QString("请输入全部的参数"));
    QCOMPARE(caption(w.get()), my2dform::clearedCaption);

    press(w.get(), "Command3");
    QVERIFY(!w->isVisible());
}

void TestModelWindows::transitionZoneTypeOkCancel()
{
    ScriptedPrompts prompts;
    auto w = open("MYLFORM");
    field(w.get(), "myc")->clear();
    QTest::keyClicks(field(w.get(), "myc"), "8");
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "myl"), QString("0.000"));

    press(w.get(), "Command2");
    for (const char *name : {"myk", "myu", "myc0", "myc", "myl"})
        QVERIFY2(text(w.get(), name).isEmpty(), name);
    press(w.get(), "Command1");
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].title, QString("提示"));
    QVERIFY(text(w.get(), "myl").isEmpty());

    press(w.get(), "Command3");
    QVERIFY(!w->isVisible());
}

QTEST_MAIN(TestModelWindows)
#include "tst_modelwindows.moc"
