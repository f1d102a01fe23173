// The welcome window's greeting marquee, in twips.

#include "core/marquee.h"

#include <QTest>

class TestMarquee : public QObject {
    Q_OBJECT

private slots:
    void tick_data();
    void tick();
    void greetingCrossesAndReenters();
};

void TestMarquee::tick_data()
{
    QTest::addColumn<double>("formLeft");
    QTest::addColumn<double>("scaleWidth");
    QTest::addColumn<double>("labelLeft");
    QTest::addColumn<double>("labelWidth");
    QTest::addColumn<double>("expected");

    QTest::newRow("moves 400 to the left") << -60.0 << 19200.0 << 19200.0 << 9000.0 << 18800.0;
    QTest::newRow("still visible: no restart") << -60.0 << 19200.0 << 0.0 << 9000.0 << -400.0;
    // t = -60 - 9000 + 60 = -9000: equal is not past, so it moves on.
    QTest::newRow("equal is not past (strict)") << -60.0 << 19200.0 << -9000.0 << 9000.0 << -9400.0;
    QTest::newRow("just past restarts at the right") << -60.0 << 19200.0 << -9001.0 << 9000.0 << 19140.0 - 400;
    QTest::newRow("window Left enters the restart") << 0.0 << 15000.0 << -8941.0 << 9000.0 << 14600.0;
    QTest::newRow("window Left enters the comparison") << 300.0 << 15000.0 << -8641.0 << 9000.0 << 14900.0;
    // In double precision t would equal the label's Left (no restart); held as a
    // single it rounds to -16777216, which is past.
    QTest::newRow("t is held in single precision")
        << 0.0 << 15000.0 << -16777217.0 << 16777277.0 << 14600.0;
}

void TestMarquee::tick()
{
    QFETCH(double, formLeft);
    QFETCH(double, scaleWidth);
    QFETCH(double, labelLeft);
    QFETCH(double, labelWidth);
    QFETCH(double, expected);
    QCOMPARE(varnolek::marqueeTick(formLeft, scaleWidth, labelLeft, labelWidth), expected);
}

void TestMarquee::greetingCrossesAndReenters()
{
    // From just beyond the right edge the greeting needs (width of window +
    // width of label) / 400 ticks to leave on the left, then re-enters.
    const double formLeft = -60, scaleWidth = 19200, width = 9000;
    double left = scaleWidth + 120 + formLeft;
    int ticks = 0;
    while (left + width >= formLeft + 60) {
        left = varnolek::marqueeTick(formLeft, scaleWidth, left, width);
        ++ticks;
        QVERIFY(ticks < 1000);
    }
    QCOMPARE(ticks, 71);
    QCOMPARE(varnolek::marqueeTick(formLeft, scaleWidth, left, width), scaleWidth + formLeft - 400);
}

QTEST_GUILESS_MAIN(TestMarquee)
#include "tst_marquee.moc"
