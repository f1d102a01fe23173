// The number rules shared by every calculator window: reading a field,
// the digit patterns of results and the decimal text inside captions.

#include "core/arithmetic.h"
#include "core/numbers.h"

#include <QTest>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

using varnolek::CalcError;
using varnolek::Failure;
using varnolek::Precision;

class TestNumbers : public QObject {
    Q_OBJECT

private slots:
    void readsLeadingNumber_data();
    void readsLeadingNumber();
    void readingAgreesWithCorrectRounding();
    void readingOutOfRangeOverflows_data();
    void readingOutOfRangeOverflows();
    void patterns_data();
    void patterns();
    void patternOfNonFiniteOrOutOfSingleRangeOverflows_data();
    void patternOfNonFiniteOrOutOfSingleRangeOverflows();
    void generalText_data();
    void generalText();
    void writingAgreesWithPrintf();
    void patternDecimals_data();
    void patternDecimals();
    void toInt16_data();
    void toInt16();
};

void TestNumbers::readsLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    // Whether the number is the whole text, blanks aside: the input check
    // tells of a field that reads as a number it does not wholly show.
    QTest::addColumn<bool>("whole");

    QTest::newRow("plain integer") << "5000" << 5000.0 << true;
    QTest::newRow("decimal") << "0.2" << 0.2 << true;
    QTest::newRow("trailing letters ignored") << "12abc" << 12.0 << false;
    QTest::newRow("no leading number is zero") << "abc" << 0.0 << false;
    QTest::newRow("empty is zero") << "" << 0.0 << false;
    QTest::newRow("only a blank is zero") << " " << 0.0 << false;
    QTest::newRow("lone plus is zero") << "+" << 0.0 << false;
    QTest::newRow("lone minus is zero") << "-" << 0.0 << false;
    QTest::newRow("lone point is zero") << "." << 0.0 << false;
    QTest::newRow("comma ends the number") << "1,5" << 1.0 << false;
    QTest::newRow("blank inside is skipped") << "1 000" << 1000.0 << true;
    QTest::newRow("tabs and line feeds are skipped") << "\t1\n2 .\r5" << 12.5 << true;
    QTest::newRow("leading blanks") << "   42" << 42.0 << true;
    QTest::newRow("blank between sign and digits") << "- 7" << -7.0 << true;
    QTest::newRow("negative without leading zero") << "-.5" << -0.5 << true;
    QTest::newRow("positive sign") << "+3.25" << 3.25 << true;
    QTest::newRow("point without leading digit") << ".75" << 0.75 << true;
    QTest::newRow("point without trailing digit") << "5." << 5.0 << true;
    QTest::newRow("second point ends the number") << "1.2.3" << 1.2 << false;
    QTest::newRow("exponent") << "2e3" << 2000.0 << true;
    QTest::newRow("capital exponent with sign") << "2.5E-2" << 0.025 << true;
    QTest::newRow("exponent with plus") << "1e+2" << 100.0 << true;
    QTest::newRow("E without digits is not taken") << "1e" << 1.0 << false;
    QTest::newRow("E with sign only is not taken") << "1e-" << 1.0 << false;
    QTest::newRow("blank inside the exponent") << "1 e 3" << 1000.0 << true;
    QTest::newRow("double sign is not a number") << "--5" << 0.0 << false;
    QTest::newRow("letter first") << "x12" << 0.0 << false;
    QTest::newRow("comma is never a decimal point") << "0,5" << 0.0 << false;
    QTest::newRow("tiny number underflows to zero") << "1e-400" << 0.0 << true;
    QTest::newRow("huge exponent on zero") << "0e999999999" << 0.0 << true;
    QTest::newRow("largest double") << "1.7976931348623157e308" << DBL_MAX << true;
    QTest::newRow("full-width digits are not digits") << "５" << 0.0 << false;
    QTest::newRow("trailing blanks") << "0.3  " << 0.3 << true;
    QTest::newRow("blank then a letter after the exponent") << "2e3 x" << 2000.0 << false;
    QTest::newRow("a unit after the number") << "20 m3/s" << 20.0 << false;
}

void TestNumbers::readsLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(bool, whole);
    QCOMPARE(varnolek::readNumber(text.toStdString()), expected);
    QCOMPARE(varnolek::isWholeNumber(text.toStdString()), whole);
}

// Short numbers are read by an exact short cut; it must give the correctly
// rounded double that the general conversion gives, digit for digit.
void TestNumbers::readingAgreesWithCorrectRounding()
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> digitCount(1, 18), digit(0, 9), pointAt(-1, 18), exponent(-30, 30);
    for (int n = 0; n < 50000; ++n) {
        std::string text = random() % 4 == 0 ? "-" : "";
        const int digits = digitCount(random);
        const int point = pointAt(random);
        for (int i = 0; i < digits; ++i) {
            if (i == point)
                text += '.';
            text += char('0' + digit(random));
        }
        if (random() % 3 == 0)
            text += "e" + std::to_string(exponent(random));
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        const double got = varnolek::readNumber(text);
        if (got != expected || std::signbit(got) != std::signbit(expected))
            QFAIL(qPrintable(QString("%1 read as %2, expected %3")
                                 .arg(QString::fromStdString(text))
                                 .arg(got, 0, 'g', 17)
                                 .arg(expected, 0, 'g', 17)));
    }
}

void TestNumbers::readingOutOfRangeOverflows_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("1e999") << "1e999";
    QTest::newRow("negative 1e999") << "-1e999";
    QTest::newRow("just past the largest double") << "1.8e308";
    QTest::newRow("long run of digits") << QString(400, '9');
    QTest::newRow("absurd exponent") << "1e99999999999";
}

void TestNumbers::readingOutOfRangeOverflows()
{
    QFETCH(QString, text);
    try {
        varnolek::readNumber(text.toStdString());
        QFAIL("no overflow reported");
    } catch (const CalcError &e) {
        QCOMPARE(e.kind(), Failure::Overflow);
    }
}

void TestNumbers::patterns_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("double, two decimals") << 9.965338 << false << "###0.00" << "9.97";
    QTest::newRow("single, two decimals") << 7.9128 << true << "###0.00" << "7.91";
    QTest::newRow("zero") << 0.0 << true << "###0.00" << "0.00";
    QTest::newRow("negative") << -0.25 << false << "###0.00" << "-0.25";
    QTest::newRow("negative, three decimals") << -1068.8 << false << "#########0.000" << "-1068.800";
    QTest::newRow("leading zero below one") << 0.05 << false << "###0.00" << "0.05";
    QTest::newRow("all integer digits of a double") << 123456789.4 << false << "###0.00" << "123456789.40";
    QTest::newRow("single keeps 7 significant digits")
        << 123456789.4 << true << "#########0.000" << "123456800.000";
    QTest::newRow("half away from zero, positive") << 0.125 << false << "###0.00" << "0.13";
    QTest::newRow("half away from zero, negative") << -0.125 << false << "###0.00" << "-0.13";
    QTest::newRow("binary 2.675 is decimal 2.675 at 15 digits") << 2.675 << false << "###0.00" << "2.68";
    QTest::newRow("single 1.005 rounds at 7 digits") << 1.005 << true << "###0.00" << "1.01";
    QTest::newRow("double 1.005 rounds at 15 digits") << 1.005 << false << "###0.00" << "1.01";
    QTest::newRow("rounding carries into a new digit") << 9.995 << false << "###0.00" << "10.00";
    QTest::newRow("carry through all nines") << 999.9996 << false << "###0.000" << "1000.000";
    QTest::newRow("tiny negative shows no minus") << -0.001 << false << "###0.00" << "0.00";
    QTest::newRow("below the pattern rounds up") << 0.005 << false << "###0.00" << "0.01";
    QTest::newRow("very small") << 1e-20 << false << "###0.000" << "0.000";
    QTest::newRow("single, three decimals") << 0.3314 << true << "###0.000" << "0.331";
    QTest::newRow("single carries the float's digits") << 30000.1 << true << "#########0.000" << "30000.100";
    QTest::newRow("large double written in full") << 1e20 << false << "#########0.000" << "100000000000000000000.000";
    QTest::newRow("large single written in full") << 3e20 << true << "###0.00" << "300000000000000000000.00";
    QTest::newRow("15 significant digits of a double") << 1234567.891234567 << false << "###0.000"
                                                       << "1234567.891";
    QTest::newRow("digits past 15 show as zero") << 12345678901234567.0 << false << "###0.00"
                                                 << "12345678901234600.00";
    QTest::newRow("pattern with wider integer part") << 248557.3109 << false << "#########0.000" << "248557.311";
    QTest::newRow("twelve-hash pattern") << 17872.5524 << false << "############0.000" << "17872.552";
}

void TestNumbers::patterns()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    const auto text = varnolek::formatPattern(value, single ? Precision::Single : Precision::Double,
                                              pattern.toStdString());
    QCOMPARE(QString::fromStdString(text), expected);
}

void TestNumbers::patternOfNonFiniteOrOutOfSingleRangeOverflows_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::newRow("infinity as double") << double(INFINITY) << false;
    QTest::newRow("NaN as double") << double(NAN) << false;
    QTest::newRow("beyond single range") << 1e39 << true;
    QTest::newRow("beyond single range, negative") << -1e39 << true;
    QTest::newRow("infinity as single") << double(INFINITY) << true;
}

void TestNumbers::patternOfNonFiniteOrOutOfSingleRangeOverflows()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    try {
        varnolek::formatPattern(value, single ? Precision::Single : Precision::Double, "###0.00");
        QFAIL("no overflow reported");
    } catch (const CalcError &e) {
        QCOMPARE(e.kind(), Failure::Overflow);
    }
}

void TestNumbers::generalText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("expected");

    QTest::newRow("integer") << 3.0 << false << "3";
    QTest::newRow("no trailing zeros") << 2.50 << false << "2.5";
    QTest::newRow("zero") << 0.0 << false << "0";
    QTest::newRow("negative zero") << -0.0 << false << "0";
    QTest::newRow("negative") << -1.25 << false << "-1.25";
    QTest::newRow("km from metres") << 15000.0 / 1000 << false << "15";
    QTest::newRow("15 significant digits") << 0.1 + 0.2 << false << "0.3";
    QTest::newRow("single shows 7 digits") << 9551.2412 << true << "9551.241";
    QTest::newRow("single of a decimal fraction") << 0.1 << true << "0.1";
    QTest::newRow("small") << 0.001 << false << "0.001";
}

void TestNumbers::generalText()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, expected);
    const auto text = varnolek::generalText(value, single ? Precision::Single : Precision::Double);
    QCOMPARE(QString::fromStdString(text), expected);
}

// Results are written from the shortest digits of a double when those are few
// enough; over doubles of every kind the texts must equal those of printf's
// correctly rounded %.15e / %.15g (%.6e / %.7g in single precision).
void TestNumbers::writingAgreesWithPrintf()
{
    // The pattern rule on printf's digits: the value to 15 (7) significant
    // digits, then half away from zero to the pattern's decimals.
    auto patternFromPrintf = [](double v, int significant, int decimals) {
        char buf[80];
        std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(v));
        std::string digits;
        const char *p = buf;
        for (; *p != 'e'; ++p)
            if (*p != '.')
                digits += *p;
        const int exponent = std::atoi(p + 1);
        // digits × 10^(exponent − significant + 1): put the point in.
        int point = exponent + 1;
        if (point <= 0) {
            digits.insert(0, std::size_t(1 - point), '0');
            point = 1;
        }
        if (int(digits.size()) < point + decimals + 1)
            digits.append(std::size_t(point + decimals + 1 - int(digits.size())), '0');
        std::string kept = digits.substr(0, std::size_t(point + decimals));
        if (digits[std::size_t(point + decimals)] >= '5') {
            int i = int(kept.size()) - 1;
            for (; i >= 0 && kept[std::size_t(i)] == '9'; --i)
                kept[std::size_t(i)] = '0';
            if (i < 0)
                kept.insert(0, "1");
            else
                ++kept[std::size_t(i)];
        }
        kept.erase(0, std::min(kept.find_first_not_of('0'), kept.size()));
        const bool zero = kept.empty();
        if (int(kept.size()) < decimals + 1)
            kept.insert(0, std::size_t(decimals + 1 - int(kept.size())), '0');
        std::string text = v < 0 && !zero ? "-" : "";
        text += kept.substr(0, kept.size() - std::size_t(decimals));
        if (decimals > 0)
            text += "." + kept.substr(kept.size() - std::size_t(decimals));
        return text;
    };
    auto generalFromPrintf = [](double v, int significant) {
        char buf[80];
        std::snprintf(buf, sizeof buf, "%.*g", significant, v);
        std::string text = buf;
        for (char &c : text)
            if (c == 'e')
                c = 'E';
        return text == "-0" ? std::string("0") : text;
    };

    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<int> kind(0, 4), decimalsOf(0, 4), exponent(-12, 12);
    for (int n = 0; n < 40000; ++n) {
        double v = 0;
        switch (kind(random)) {
        case 0: { // any bits of a finite double
            std::uint64_t bits = random();
            std::memcpy(&v, &bits, sizeof v);
            if (!std::isfinite(v) || std::fabs(v) > 1e30)
                continue;
            break;
        }
        case 1: // a short decimal, as typed
            v = double(std::int64_t(random() % 2000001) - 1000000) / std::pow(10.0, double(random() % 7));
            break;
        case 2: // a halfway case of the patterns: k + 0.5 in the last decimal
            v = (double(random() % 100000) + 0.5) / std::pow(10.0, double(random() % 5));
            break;
        case 3: { // 16 digits ending in 5: halfway between two texts of 15 digits
            std::string text = "0.";
            for (int i = 0; i < 15; ++i)
                text += char('0' + random() % 10);
            text += "5e" + std::to_string(exponent(random));
            std::from_chars(text.data(), text.data() + text.size(), v);
            break;
        }
        default: // a result of arithmetic, all 17 digits busy
            v = std::exp(double(exponent(random))) * (random() % 2 ? -1 : 1) / 3.0;
        }
        const bool single = random() % 4 == 0;
        if (single && std::fabs(v) > 1e30)
            continue;
        const double shown = single ? double(varnolek::toSingle(v)) : v;
        const int significant = single ? 7 : 15;
        const Precision precision = single ? Precision::Single : Precision::Double;
        const int decimals = decimalsOf(random);
        const std::string pattern = decimals == 0 ? "###0" : "###0." + std::string(std::size_t(decimals), '0');
        const std::string general = varnolek::generalText(v, precision);
        const std::string formatted = varnolek::formatPattern(v, precision, pattern);
        if (general != generalFromPrintf(shown, significant) ||
            formatted != patternFromPrintf(shown, significant, decimals))
            QFAIL(qPrintable(QString("%1 (%2): wrote %3 and %4, printf gives %5 and %6")
                                 .arg(v, 0, 'g', 17)
                                 .arg(QString::fromStdString(pattern))
                                 .arg(QString::fromStdString(general), QString::fromStdString(formatted),
                                      QString::fromStdString(generalFromPrintf(shown, significant)),
                                      QString::fromStdString(patternFromPrintf(shown, significant, decimals)))));
    }
}

void TestNumbers::patternDecimals_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("decimals");
    QTest::newRow("###0.00") << "###0.00" << 2;
    QTest::newRow("###0.000") << "###0.000" << 3;
    QTest::newRow("#########0.000") << "#########0.000" << 3;
    QTest::newRow("no point") << "0" << 0;
}

void TestNumbers::patternDecimals()
{
    QFETCH(QString, pattern);
    QFETCH(int, decimals);
    QCOMPARE(varnolek::patternDecimals(pattern.toStdString()), decimals);
}

// The 16-bit whole numbers of a data file's count and years, and of the
// number of monitoring points asked for.
void TestNumbers::toInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    QTest::newRow("a whole number") << 1961.0 << true << 1961;
    QTest::newRow("a half rounds to the even neighbour, down") << 1960.5 << true << 1960;
    QTest::newRow("a half rounds to the even neighbour, up") << 1961.5 << true << 1962;
    QTest::newRow("a negative half") << -2.5 << true << -2;
    QTest::newRow("just above a half rounds up") << 2.5000001 << true << 3;
    QTest::newRow("the largest") << 32767.0 << true << 32767;
    QTest::newRow("the largest, rounded down to it") << 32767.4 << true << 32767;
    QTest::newRow("one past the largest") << 32767.5 << false << 0;
    QTest::newRow("the smallest") << -32768.0 << true << -32768;
    QTest::newRow("the smallest, a half to the even side") << -32768.5 << true << -32768;
    QTest::newRow("one past the smallest") << -32769.0 << false << 0;
    QTest::newRow("not a number") << std::nan("") << false << 0;
    QTest::newRow("infinite") << HUGE_VAL << false << 0;
}

void TestNumbers::toInt16()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    const std::optional<std::int16_t> whole = varnolek::toInt16(value);
    QCOMPARE(whole.has_value(), fits);
    if (fits)
        QCOMPARE(int(*whole), expected);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
