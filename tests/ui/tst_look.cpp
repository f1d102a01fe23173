// Captions that must fit their boxes: long menu captions wrap and, if need
// be, shrink; labels of calculator windows wrap inside their given size.

#include "support/scriptedprompts.h"
#include "ui/look.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

class TestLook : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::installFontSubstitutions(); }
    void captionFitsItsButton_data();
    void captionFitsItsButton();
    void twipsConversion_data();
    void twipsConversion();
};

void TestLook::captionFitsItsButton_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("pointSize");
    QTest::newRow("short stays on one line") << "零维水质模型" << 16.2;
    QTest::newRow("two lines") << "一维水体纳污能力计算模型" << 16.2;
    QTest::newRow("longest menu caption") << "排污削减量或剩余环境容量计算模型" << 16.2;
    QTest::newRow("far too long for any size") << QString(60, QChar(0x6C34)) << 16.2;
}

void TestLook::captionFitsItsButton()
{
    QFETCH(QString, caption);
    QFETCH(double, pointSize);
    QPushButton button(caption);
    button.setGeometry(ui::tw(0, 0, 2412, 972));
    button.setFont(ui::font(ui::faceLi, pointSize, true));
    ui::fitCaption(&button);

    QCOMPARE(QString(button.text()).remove('\n'), caption); // nothing lost
    const QFontMetrics metrics(button.font());
    for (const QString &line : button.text().split('\n'))
        QVERIFY2(metrics.horizontalAdvance(line) <= button.width() - 8 || line.size() == 1, qPrintable(line));
    const int lines = button.text().count('\n') + 1;
    if (button.font().pointSizeF() > 7.0)
        QVERIFY(lines * metrics.lineSpacing() <= button.height() - 6);
    if (metrics.horizontalAdvance(caption) > button.width() - 8)
        QVERIFY(lines > 1);
    else
        QCOMPARE(button.font().pointSizeF(), pointSize);
}

void TestLook::twipsConversion_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("15 twips a pixel") << 15 << 1;
    QTest::newRow("menu column") << 4920 << 328;
    QTest::newRow("rounds to nearest") << 1452 << 97;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("negative Left") << -400 << -27;
}

void TestLook::twipsConversion()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(ui::px(twips), pixels);
}

QTEST_MAIN(TestLook)
#include "tst_look.moc"
