// Checked arithmetic: every way a calculation may fail, and the texts the
// error report shows for it.

#include "core/arithmetic.h"

#include <QTest>
#include <cfloat>
#include <functional>

using varnolek::CalcError;
using varnolek::Failure;
using varnolek::Real;

Q_DECLARE_METATYPE(std::function<double()>)
Q_DECLARE_METATYPE(varnolek::Failure)

class TestArithmetic : public QObject {
    Q_OBJECT

private slots:
    void failures_data();
    void failures();
    void descriptions_data();
    void descriptions();
    void checkedResults_data();
    void checkedResults();
};

void TestArithmetic::failures_data()
{
    QTest::addColumn<std::function<double()>>("operation");
    QTest::addColumn<Failure>("kind");

    using F = std::function<double()>;
    QTest::newRow("non-zero divided by zero") << F([] { return (Real(1) / 0).value(); }) << Failure::DivisionByZero;
    QTest::newRow("negative divided by zero") << F([] { return (Real(-3) / 0).value(); }) << Failure::DivisionByZero;
    QTest::newRow("zero divided by zero") << F([] { return (Real(0) / 0).value(); }) << Failure::Overflow;
    QTest::newRow("quotient too large") << F([] { return (Real(1e300) / 1e-300).value(); }) << Failure::Overflow;
    QTest::newRow("product too large") << F([] { return (Real(1e200) * 1e200).value(); }) << Failure::Overflow;
    QTest::newRow("sum too large") << F([] { return (Real(DBL_MAX) + DBL_MAX).value(); }) << Failure::Overflow;
    QTest::newRow("difference too large") << F([] { return (Real(-DBL_MAX) - DBL_MAX).value(); })
                                          << Failure::Overflow;
    QTest::newRow("exponential too large") << F([] { return varnolek::exp(710).value(); }) << Failure::Overflow;
    QTest::newRow("logarithm of zero") << F([] { return varnolek::ln(0).value(); }) << Failure::InvalidArgument;
    QTest::newRow("logarithm of a negative") << F([] { return varnolek::ln(-1).value(); })
                                             << Failure::InvalidArgument;
    QTest::newRow("square root of a negative") << F([] { return varnolek::sqrt(-1e-9).value(); })
                                               << Failure::InvalidArgument;
    QTest::newRow("fractional power of a negative") << F([] { return varnolek::pow(-8, 1.0 / 3).value(); })
                                                    << Failure::InvalidArgument;
    QTest::newRow("zero to a negative power") << F([] { return varnolek::pow(0, -1).value(); })
                                              << Failure::InvalidArgument;
    QTest::newRow("power too large") << F([] { return varnolek::pow(10, 400).value(); }) << Failure::Overflow;
    QTest::newRow("single out of range") << F([] { return double(varnolek::toSingle(1e39)); }) << Failure::Overflow;
    QTest::newRow("infinity is never a value") << F([] { return Real(INFINITY).value(); }) << Failure::Overflow;
    QTest::newRow("NaN is never a value") << F([] { return Real(NAN).value(); }) << Failure::Overflow;
}

void TestArithmetic::failures()
{
    QFETCH(std::function<double()>, operation);
    QFETCH(Failure, kind);
    try {
        const double v = operation();
        QFAIL(qPrintable(QString("no failure, got %1").arg(v)));
    } catch (const CalcError &e) {
        QCOMPARE(e.kind(), kind);
    }
}

void TestArithmetic::descriptions_data()
{
    QTest::addColumn<Failure>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("division by zero") << Failure::DivisionByZero << "除数为零";
    QTest::newRow("overflow") << Failure::Overflow << "溢出";
    QTest::newRow("invalid argument") << Failure::InvalidArgument << "无效的过程调用或参数";
}

void TestArithmetic::descriptions()
{
    QFETCH(Failure, kind);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(varnolek::describe(kind)), text);
    QCOMPARE(QString::fromUtf8(CalcError(kind).what()), text);
}

void TestArithmetic::checkedResults_data()
{
    QTest::addColumn<std::function<double()>>("operation");
    QTest::addColumn<double>("expected");
    using F = std::function<double()>;
    QTest::newRow("zero divided by non-zero") << F([] { return (Real(0) / 5).value(); }) << 0.0;
    QTest::newRow("underflow to zero is no failure") << F([] { return (Real(1e-300) * 1e-300).value(); }) << 0.0;
    QTest::newRow("exponential underflows to zero") << F([] { return varnolek::exp(-1000).value(); }) << 0.0;
    QTest::newRow("square root of zero") << F([] { return varnolek::sqrt(0).value(); }) << 0.0;
    QTest::newRow("integer power of a negative") << F([] { return varnolek::pow(-2, 3).value(); }) << -8.0;
    QTest::newRow("single rounds to nearest")
        << F([] { return double(varnolek::toSingle(30000.1)); }) << 30000.099609375;
    QTest::newRow("largest single stays") << F([] { return double(varnolek::toSingle(double(FLT_MAX))); })
                                          << double(FLT_MAX);
}

void TestArithmetic::checkedResults()
{
    QFETCH(std::function<double()>, operation);
    QFETCH(double, expected);
    QCOMPARE(operation(), expected);
}

QTEST_GUILESS_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
