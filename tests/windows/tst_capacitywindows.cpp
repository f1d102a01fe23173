// The receiving-capacity windows of a lake or reservoir and of a river reach:
// what a user sees after typing and pressing buttons.

#include "app/windowcatalog.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"

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

std::unique_ptr<QWidget> open(const QString &name)
{
    std::unique_ptr<QWidget> window(findCalculator(name)->make());
    window->setAttribute(Qt::WA_DeleteOnClose, false); // the test owns it
    window->show();
    return window;
}

// The OK and Cancel buttons of each window.
const char *okButton(const QString &window) { return window == "my1dw" ? "caculw" : "Command1"; }
const char *cancelButton(const QString &window) { return window == "my1dw" ? "mycancel" : "Command2"; }
} // namespace

class TestCapacityWindows : public QObject {
    Q_OBJECT

private slots:
    void calculate_data();
    void calculate();

    void typeOkCancel_data();
    void typeOkCancel();
};

// Each row: a window, edits over its default texts, then what OK shows in
// `myw`. A failure leaves the result field as it was ("before").
void TestCapacityWindows::calculate_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message");
    const QString before = "before";

    QTest::newRow("my0dw default texts") << "my0dw" << QStringList() << "393.317" << "";
    QTest::newRow("my0dw half circle counts 1, not π") << "my0dw" << QStringList{"mya=180"} << "400.978" << "";
    QTest::newRow("my0dw no degradation") << "my0dw" << QStringList{"myk=0"} << "378.432" << "";
    QTest::newRow("my0dw negative standard, minus sign")
        << "my0dw" << QStringList{"mycs=-6"} << "-393.317" << "";
    QTest::newRow("my0dw no inflow") << "my0dw" << QStringList{"myq0=0"} << before << divisionByZero;
    QTest::newRow("my0dw exponential overflows") << "my0dw" << QStringList{"myr=1e5"} << before << overflow;

    QTest::newRow("my1dw default texts") << "my1dw" << QStringList() << "25243.402" << "";
    QTest::newRow("my1dw distance in metres, x = 0") << "my1dw" << QStringList{"myx=0"} << "25228.800" << "";
    QTest::newRow("my1dw background above the standard")
        << "my1dw" << QStringList{"myc0=10", "myq2=0"} << "-12602.719" << "";
    QTest::newRow("my1dw very large capacity in full")
        << "my1dw" << QStringList{"myk=0", "myq2=0", "myq0=2e16"} << "1261440000000000000.000" << "";
    QTest::newRow("my1dw u = 0") << "my1dw" << QStringList{"myu=0"} << before << divisionByZero;
    QTest::newRow("my1dw exponential overflows") << "my1dw" << QStringList{"myx=1e9"} << before << overflow;

    QTest::newRow("my2dw default texts") << "my2dw" << QStringList() << "392446.059" << "";
    QTest::newRow("my2dw standard below the background")
        << "my2dw" << QStringList{"myc0=10"} << "-391719.895" << "";
    QTest::newRow("my2dw far side of a wide river in full")
        << "my2dw" << QStringList{"myb=300", "myy=60"} << "1727336232420400000000000000000000000000000.000" << "";
    QTest::newRow("my2dw x = 0") << "my2dw" << QStringList{"myx=0"} << before << divisionByZero;
    QTest::newRow("my2dw u = 0") << "my2dw" << QStringList{"myu=0"} << before << divisionByZero;
    QTest::newRow("my2dw plume terms underflow to 0")
        << "my2dw" << QStringList{"myb=1000", "myy=1000"} << before << divisionByZero;
    QTest::newRow("my2dw square root of a negative product")
        << "my2dw" << QStringList{"mye=-0.1", "myh=-2", "myb=0", "myy=0"} << before << invalidArgument;
    QTest::newRow("my2dw exponential overflows") << "my2dw" << QStringList{"myx=1e9"} << before << overflow;
}

void TestCapacityWindows::calculate()
{
    QFETCH(QString, window);
    QFETCH(QStringList, edits);
    QFETCH(QString, result);
    QFETCH(QString, message);

    ScriptedPrompts prompts;
    auto w = open(window);
    applyEdits(w.get(), edits);
    setText(w.get(), "myw", "before");
    press(w.get(), okButton(window));

    QCOMPARE(text(w.get(), "myw"), result);
    if (message.isEmpty()) {
        QVERIFY(prompts.messages.isEmpty());
        // A result wider than its field shows its leading digits.
        QCOMPARE(field(w.get(), "myw")->cursorPosition(), 0);
    } else {
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, message);
        QCOMPARE(prompts.messages[0].title, QString("Varnolek"));
    }
}

// Types a value, presses OK, then Cancel, then OK on the emptied fields.
void TestCapacityWindows::typeOkCancel_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("typedField");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("buttonCaptions");

    QTest::newRow("my0dw") << "my0dw" << "mya" << "360" << "424.867"
                           << QStringList{"myk", "myq0", "mya", "myr", "mycs", "myh", "myw"}
                           << "湖库的纳污能力(t/a):" << QStringList{"确   定", "取   消", "返  回"};
    QTest::newRow("my1dw") << "my1dw" << "myq2" << "0" << "12626.081"
                           << QStringList{"myk", "myq0", "myc0", "mycs", "myq2", "myu", "myx", "myw"}
                           << "河道的纳污能力(t/a):" << QStringList{"确  定", "取  消", "返  回"};
    QTest::newRow("my2dw") << "my2dw" << "myk" << "0" << "392082.977"
                           << QStringList{"myk", "myu", "mye", "myb", "myc0", "myh", "mycs", "myy", "myx", "myw"}
                           << "河道的纳污能力(t/a):" << QStringList{"确   定", "取   消", "返  回"};
}

void TestCapacityWindows::typeOkCancel()
{
    QFETCH(QString, window);
    QFETCH(QString, typedField);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(QStringList, fields);
    QFETCH(QString, caption);
    QFETCH(QStringList, buttonCaptions);

    ScriptedPrompts prompts;
    auto w = open(window);
    const QString returnButton = window == "my1dw" ? "myexit" : "Command3";
    QCOMPARE(child<QPushButton>(w.get(), okButton(window))->text(), buttonCaptions[0]);
    QCOMPARE(child<QPushButton>(w.get(), cancelButton(window))->text(), buttonCaptions[1]);
    QCOMPARE(child<QPushButton>(w.get(), returnButton.toLatin1().constData())->text(), buttonCaptions[2]);
    QCOMPARE(child<QLabel>(w.get(), "Label9")->text(), caption);

    QLineEdit *typedInto = field(w.get(), typedField.toLatin1().constData());
    typedInto->clear();
    QTest::keyClicks(typedInto, typed);
    press(w.get(), okButton(window));
    QCOMPARE(text(w.get(), "myw"), result);

    press(w.get(), cancelButton(window));
    for (const QString &name : fields)
        QVERIFY2(text(w.get(), name.toLatin1().constData()).isEmpty(), qPrintable(name));
    QCOMPARE(child<QLabel>(w.get(), "Label9")->text(), caption);

    press(w.get(), okButton(window));
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, QString("请输入全部的参数"));
    QCOMPARE(prompts.messages[0].title, QString("提示"));
    QVERIFY(text(w.get(), "myw").isEmpty());

    press(w.get(), returnButton.toLatin1().constData());
    QVERIFY(!w->isVisible());
}

QTEST_MAIN(TestCapacityWindows)
#include "tst_capacitywindows.moc"
