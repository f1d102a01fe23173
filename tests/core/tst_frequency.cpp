// Frequency analysis: the P-III frequency factor against the printed table, the
// statistics of a series worked by hand, the two fits, the guards and the
// texts varnolek-calc writes.
#include "core/frequency.h"
#include "core/numbers.h"

#include <QTemporaryDir>
#include <QtTest>

#include <boost/math/special_functions/gamma.hpp>

#include <cmath>
#include <fstream>
#include <random>

using namespace varnolek;
using namespace varnolek::hydrology;

namespace {
std::vector<Record> recordsOf(const std::vector<double> &values)
{
    std::vector<Record> records;
    for (std::size_t i = 0; i < values.size(); ++i)
        records.push_back({static_cast<std::int16_t>(1961 + i), static_cast<float>(values[i])});
    return records;
}

// The Wilson–Hilferty approximation written out, to check the switch at
// |Cs| = 0.01: 2/Cs·(t³ − 1) with t = 1 + Cs·z/6 − Cs²/36, with t³ − 1 taken
// as (t − 1)(t² + t + 1) so that no digit cancels (at P = 50 %, z = 0, the
// plain form loses four of them).
double wilsonHilferty(double p, double cs)
{
    const double z = normalQuantile(1 - p);
    const double t = 1 + cs * z / 6 - cs * cs / 36;
    return 2 / cs * (cs * (z / 6 - cs / 36)) * (t * t + t + 1);
}

QString guardOf(const std::function<void()> &run)
{
    try {
        run();
    } catch (const AnalysisError &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}
} // namespace

class TestFrequency : public QObject {
    Q_OBJECT

private slots:
    void factor_data()
    {
        QTest::addColumn<double>("cs");
        QTest::addColumn<double>("percent");
        QTest::addColumn<double>("phi");
        const double rates[] = {1, 10, 50, 75, 90, 95, 97, 99};
        const struct {
            double cs;
            double phi[8];
        } table[] = {
            {0, {2.326, 1.282, 0.000, -0.674, -1.282, -1.645, -1.881, -2.326}},
            {0.5, {2.686, 1.323, -0.083, -0.712, -1.216, -1.491, -1.659, -1.955}},
            {1.0, {3.023, 1.340, -0.164, -0.732, -1.128, -1.317, -1.422, -1.588}},
            {2.0, {3.605, 1.303, -0.307, -0.712, -0.895, -0.949, -0.970, -0.990}},
            {3.0, {4.051, 1.180, -0.396, -0.615, -0.660, -0.665, -0.666, -0.667}},
            {-0.5, {1.955, 1.216, 0.083, -0.622, -1.323, -1.774, -2.080, -2.686}}, // the mirror of 0.5
        };
        for (const auto &row : table)
            for (int i = 0; i < 8; ++i)
                QTest::addRow("Cs %g, P %g %%", row.cs, rates[i]) << row.cs << rates[i] << row.phi[i];
    }
    void factor()
    {
        QFETCH(double, cs);
        QFETCH(double, percent);
        QFETCH(double, phi);
        const double got = pearson3Factor(percent / 100, cs);
        QVERIFY2(std::abs(got - phi) <= 0.0005, qPrintable(QString::number(got, 'f', 6)));
        // The table's three decimals are those the program writes.
        QCOMPARE(QString::fromStdString(frequencyText(got)), QString::number(phi, 'f', 3));
    }

    // Near the normal the inverse gamma function gives way to Wilson–Hilferty:
    // the two agree at the switch, and both approach the normal quantile.
    void factorNearNormal_data()
    {
        QTest::addColumn<double>("percent");
        for (double p : {0.5, 1.0, 10.0, 50.0, 90.0, 99.0, 99.5})
            QTest::addRow("P %g %%", p) << p;
    }
    void factorNearNormal()
    {
        QFETCH(double, percent);
        const double p = percent / 100;
        const double exact = pearson3Factor(p, 0.01); // through gamma_q_inv
        const double alpha = 4 / (0.01 * 0.01);
        QCOMPARE(exact, 0.01 / 2 * boost::math::gamma_q_inv(alpha, p) - 2 / 0.01);
        QVERIFY(std::abs(wilsonHilferty(p, 0.01) - exact) < 1e-5);
        const double below = pearson3Factor(p, 0.0099999);
        QCOMPARE(below, wilsonHilferty(p, 0.0099999));
        QVERIFY(std::abs(below - exact) < 2e-5);
        // Cs = 2e-6 makes gamma_q_inv give up; here it is the normal within 1e-5.
        QVERIFY(std::abs(pearson3Factor(p, 2e-6) - normalQuantile(1 - p)) < 1e-5);
        QVERIFY(std::abs(pearson3Factor(p, -2e-6) - normalQuantile(1 - p)) < 1e-5);
        QCOMPARE(pearson3Factor(p, -0.0099999), -pearson3Factor(1 - p, 0.0099999));
    }

    // Near Cs = 0 the Wilson–Hilferty form is written without the
    // cancellation of t³ − 1: it tends to the normal quantile, agrees with
    // the gamma form where that converges, and mirrors for a negative Cs.
    void factorNearZeroSkew_data()
    {
        QTest::addColumn<double>("cs");
        QTest::addColumn<double>("percent");
        for (double cs : {0.0, 1e-15, -1e-15, 1e-8, -1e-8, 0.009, -0.009, 0.011})
            for (double p : {1.0, 50.0, 90.0, 99.5})
                QTest::addRow("Cs %g, P %g %%", cs, p) << cs << p;
    }
    void factorNearZeroSkew()
    {
        QFETCH(double, cs);
        QFETCH(double, percent);
        const double p = percent / 100;
        const double phi = pearson3Factor(p, cs);
        const double z = normalQuantile(1 - p);
        // Φ − z = Cs·(z² − 1)/6 + O(Cs²).
        QVERIFY2(std::abs(phi - z - cs * (z * z - 1) / 6) <= 1e-12 + cs * cs,
                 qPrintable(QString("Φ %1, z %2").arg(phi, 0, 'g', 17).arg(z, 0, 'g', 17)));
        if (std::abs(cs) > 0.005) {
            // The gamma form, Φ = (Cs/2)·Q⁻¹(4/Cs², P) − 2/Cs, mirrored for Cs < 0.
            const double s = std::abs(cs), q = cs > 0 ? p : 1 - p;
            const double gamma = (s / 2 * boost::math::gamma_q_inv(4 / (s * s), q) - 2 / s) * (cs > 0 ? 1 : -1);
            QVERIFY2(std::abs(phi - gamma) < 1e-5, qPrintable(QString("Φ %1, gamma %2").arg(phi).arg(gamma)));
        }
        QCOMPARE(pearson3Factor(1 - p, -cs), -phi);
    }

    // 1, 2, 3, 4 is symmetric: Cs comes out as a rounding of 0 (6e-16), and
    // the design value at 90 % is that of the normal curve.
    void symmetricSeries()
    {
        const FrequencyAnalysis a = analyseFrequency(recordsOf({1, 2, 3, 4}), 2);
        QVERIFY(std::abs(a.statistics.cs) < 1e-14);
        const DesignValue d = designValue(a, 90);
        QCOMPARE(QString::fromStdString(frequencyText(d.momentFactor)), QString("-1.282"));
        QCOMPARE(QString::fromStdString(frequencyText(d.momentValue)), QString("0.846"));
    }

    void probabilityPaper_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<double>("x");
        QTest::newRow("1 % on the left") << 1.0 << -2.326348;
        QTest::newRow("10 %") << 10.0 << -1.281552;
        QTest::newRow("50 % in the middle") << 50.0 << 0.0;
        QTest::newRow("90 %") << 90.0 << 1.281552;
        QTest::newRow("99 % on the right") << 99.0 << 2.326348;
    }
    void probabilityPaper()
    {
        QFETCH(double, percent);
        QFETCH(double, x);
        QVERIFY(std::abs(probabilityPaperX(percent) - x) < 1e-6);
        QVERIFY(std::abs(probabilityPaperPercent(probabilityPaperX(percent)) - percent) < 1e-9);
    }

    // x = 5, 7, 8, 9, 9, 10, 11, 12, 13, 16: Σx = 100, x̄ = 10, so K − 1 =
    // −0.5, −0.3, −0.2, −0.1, −0.1, 0, 0.1, 0.2, 0.3, 0.6.
    // Σ(K − 1)² = 0.25 + 0.09 + 0.04 + 0.01 + 0.01 + 0 + 0.01 + 0.04 + 0.09 + 0.36 = 0.90,
    // Cv = sqrt(0.90 / 9) = sqrt(0.1) = 0.316228.
    // Σ(K − 1)³ = −0.125 − 0.027 − 0.008 − 0.001 − 0.001 + 0 + 0.001 + 0.008 + 0.027
    // + 0.216 = 0.090, Cs = 0.090 / (7 · 0.1^1.5) = 0.090 / 0.221359 = 0.406579.
    void handWorkedStatistics()
    {
        const SeriesStatistics s = seriesStatistics({5, 7, 8, 9, 9, 10, 11, 12, 13, 16});
        QCOMPARE(s.n, 10);
        QCOMPARE(s.mean, 10.0);
        QVERIFY(std::abs(s.cv - 0.316228) < 5e-7);
        QVERIFY(std::abs(s.cs - 0.406579) < 5e-7);
        QCOMPARE(QString::fromStdString(frequencyText(s.cv)), QString("0.316"));
        QCOMPARE(QString::fromStdString(frequencyText(s.cs)), QString("0.407"));
        // The file order does not matter.
        const SeriesStatistics shuffled = seriesStatistics({16, 5, 12, 9, 13, 7, 10, 9, 11, 8});
        QVERIFY(std::abs(shuffled.cs - s.cs) < 1e-12);
    }

    void empiricalFrequency()
    {
        const std::vector<EmpiricalPoint> points = empiricalSeries(recordsOf({3, 9, 5, 9, 1}));
        QCOMPARE(points.size(), std::size_t(5));
        const int years[] = {1962, 1964, 1963, 1961, 1965}; // largest first, tied 9s in file order
        const double values[] = {9, 9, 5, 3, 1};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(points[i].rank, i + 1);
            QCOMPARE(int(points[i].record.year), years[i]);
            QCOMPARE(double(points[i].record.value), values[i]);
            QCOMPARE(points[i].exceedance, (i + 1) / 6.0);
        }
    }

    // A series whose values lie exactly on the curve x̄(1 + Cv Φ(P_m, 2 Cv)) at
    // their plotting positions: curve fitting finds that Cv again; the mean of
    // the points is a little off x̄, so only nearly.
    void fitRecoversCurve_data()
    {
        QTest::addColumn<double>("cv");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("n");
        QTest::newRow("Cv 0.25, r 2, 30 years") << 0.25 << 2.0 << 30;
        QTest::newRow("Cv 0.6, r 3, 60 years") << 0.6 << 3.0 << 60;
        QTest::newRow("Cv 0.1, r -1, 40 years") << 0.1 << -1.0 << 40;
        QTest::newRow("Cv 0.03, r 2, 200 years") << 0.03 << 2.0 << 200;
    }
    void fitRecoversCurve()
    {
        QFETCH(double, cv);
        QFETCH(double, ratio);
        QFETCH(int, n);
        std::vector<double> values;
        for (int m = 1; m <= n; ++m)
            values.push_back(100 * (1 + cv * pearson3Factor(empiricalExceedance(m, n), ratio * cv)));
        const FrequencyAnalysis a = analyseFrequency(recordsOf(values), ratio);
        QVERIFY2(std::abs(a.fitted.cv - cv) < 0.02 * cv, qPrintable(QString::number(a.fitted.cv, 'g', 10)));
        QCOMPARE(a.fitted.cs, ratio * a.fitted.cv);
        // The fitted Cv is a least-squares minimum: a step either side costs more.
        const double best = fitResidual(a.series, a.statistics.mean, a.fitted.cv, ratio);
        QVERIFY(fitResidual(a.series, a.statistics.mean, a.fitted.cv + 1e-4, ratio) > best);
        QVERIFY(fitResidual(a.series, a.statistics.mean, a.fitted.cv - 1e-4, ratio) > best);
    }

    // Samples of 200 years drawn from a P-III law with x̄ = 50, Cv = 0.3,
    // Cs = 0.6 (a shifted gamma: shape 4/Cs², scale x̄ Cv Cs/2): both fits come
    // back close to the law's parameters.
    void fitOfSample()
    {
        const double mean = 50, cv = 0.3, cs = 0.6;
        const double shape = 4 / (cs * cs), scale = mean * cv * cs / 2, shift = mean - shape * scale;
        std::mt19937 engine(19610101);
        std::gamma_distribution<double> gamma(shape, scale);
        for (int sample = 0; sample < 5; ++sample) {
            std::vector<double> values;
            for (int i = 0; i < 200; ++i)
                values.push_back(shift + gamma(engine));
            const FrequencyAnalysis a = analyseFrequency(recordsOf(values), cs / cv);
            QVERIFY(std::abs(a.statistics.mean - mean) < 3.5); // 3.3 standard errors
            QVERIFY(std::abs(a.moments.cv - cv) < 0.04);
            QVERIFY(std::abs(a.fitted.cv - cv) < 0.04);
            QVERIFY(std::abs(a.moments.cs - cs) < 0.5);
            // The curves' 90 % values are near the law's own.
            const double x90 = mean * (1 + cv * pearson3Factor(0.9, cs));
            QVERIFY(std::abs(designValue(a, 90).fitValue - x90) < 2);
        }
    }

    // With the ratio 0 the curve is normal, Φ does not depend on Cv and the
    // least-squares Cv has a closed form: Σ(x_m − x̄)·z_m / (x̄·Σz_m²), z_m the
    // normal quantile of 1 − P_m; beyond 3 the search stops on the grid's edge.
    void fitOfNormal_data()
    {
        QTest::addColumn<std::vector<double>>("values");
        QTest::newRow("evenly spaced") << std::vector<double>{4, 6, 8, 10, 12, 14, 16};
        QTest::newRow("one flood among low years") << std::vector<double>{1, 1, 1, 1, 1, 1, 1, 1, 1, 100};
        QTest::newRow("mean near 0, Cv beyond 3") << std::vector<double>{-100, -50, 0, 50, 101};
    }
    void fitOfNormal()
    {
        QFETCH(std::vector<double>, values);
        const FrequencyAnalysis a = analyseFrequency(recordsOf(values), 0);
        double dz = 0, zz = 0;
        for (const EmpiricalPoint &point : a.series) {
            const double z = normalQuantile(1 - point.exceedance);
            dz += (point.record.value - a.statistics.mean) * z;
            zz += z * z;
        }
        const double cv = std::min(dz / (a.statistics.mean * zz), 3.0);
        QVERIFY2(std::abs(a.fitted.cv - cv) < 1e-6, qPrintable(QString("%1 %2").arg(a.fitted.cv).arg(cv)));
        QCOMPARE(a.fitted.cs, 0.0);
    }

    void guards_data()
    {
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("message");
        const QString few = QString::fromUtf8(tooFewYearsMessage);
        const QString rate = QString::fromUtf8(rateRangeMessage);
        const QString mean = QString::fromUtf8(meanNotPositiveMessage);
        const std::vector<double> four = {1, 2, 3, 4};
        QTest::newRow("3 years") << std::vector<double>{1, 2, 3} << 90.0 << few;
        QTest::newRow("no years") << std::vector<double>{} << 90.0 << few;
        QTest::newRow("4 years are enough") << four << 90.0 << QString();
        QTest::newRow("mean 0") << std::vector<double>{-1, 1, -2, 2} << 90.0 << mean;
        QTest::newRow("mean below 0") << std::vector<double>{-1, -1, -2, 2} << 90.0 << mean;
        QTest::newRow("rate 0") << four << 0.0 << rate;
        QTest::newRow("rate 100") << four << 100.0 << rate;
        QTest::newRow("rate below 0") << four << -5.0 << rate;
        QTest::newRow("rate not a number") << four << std::nan("") << rate;
        QTest::newRow("rate just inside") << four << 99.999 << QString();
    }
    void guards()
    {
        QFETCH(std::vector<double>, values);
        QFETCH(double, rate);
        QFETCH(QString, message);
        QCOMPARE(guardOf([&] { designValue(analyseFrequency(recordsOf(values), 2), rate); }), message);
    }

    // Every value equal: Cv = 0, Cs is taken as 0, every design value is the mean.
    void equalValues()
    {
        const FrequencyAnalysis a = analyseFrequency(recordsOf({12.3, 12.3, 12.3, 12.3, 12.3}), 2);
        QCOMPARE(a.statistics.cv, 0.0);
        QCOMPARE(a.statistics.cs, 0.0);
        QCOMPARE(a.fitted.cv, 0.0);
        QCOMPARE(a.fitted.cs, 0.0);
        for (double rate : designRates) {
            const DesignValue d = designValue(a, rate);
            QCOMPARE(d.momentValue, a.statistics.mean);
            QCOMPARE(d.fitValue, a.statistics.mean);
        }
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::newRow("digits") << "2" << true;
        QTest::newRow("point first") << ".5" << true;
        QTest::newRow("signed point") << "-.5" << true;
        QTest::newRow("blanks inside") << " 2 .5" << true;
        QTest::newRow("trailing text") << "90%" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks") << "  " << false;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("sign alone") << "-" << false;
        QTest::newRow("point alone") << "." << false;
        QTest::newRow("exponent alone") << "e5" << false;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QCOMPARE(hasLeadingNumber(text.toStdString()), number);
    }

    // The texts of varnolek-calc: names in order, n whole, the rest "0.000",
    // and the design values those of the analysis.
    void texts()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath("series.txt").toStdString();
        std::ofstream(path) << "10\n1961,5\n1962,7\n1963,8\n1964,9\n1965,9\n1966,10\n1967,11\n1968,12\n1969,"
                               "13\n1970,16\n";
        const std::vector<NamedText> out = frequencyTexts(path, "90", "2");
        QStringList names, texts;
        for (const NamedText &t : out) {
            names << QString::fromStdString(t.name);
            texts << QString::fromStdString(t.text);
        }
        QCOMPARE(names.join(' '), QString("n mean cv cs phi value fitcv fitcs fitphi fitvalue"));
        QCOMPARE(texts.mid(0, 4).join(' '), QString("10 10.000 0.316 0.407"));
        const FrequencyAnalysis a = analyseFrequency(readDataFile(path).records, 2);
        const DesignValue d = designValue(a, 90);
        QCOMPARE(texts[4], QString::fromStdString(frequencyText(pearson3Factor(0.9, a.statistics.cs))));
        QCOMPARE(texts[5], QString::fromStdString(frequencyText(d.momentValue)));
        QCOMPARE(texts[6], QString::fromStdString(frequencyText(a.fitted.cv)));
        QCOMPARE(texts[9], QString::fromStdString(frequencyText(d.fitValue)));

        const QString rate = QString::fromUtf8(rateRangeMessage);
        const QString ratio = QString::fromUtf8(ratioNotNumberMessage);
        QCOMPARE(guardOf([&] { frequencyTexts(path, "abc", "2"); }), rate);
        QCOMPARE(guardOf([&] { frequencyTexts(path, "1e999", "2"); }), rate);
        QCOMPARE(guardOf([&] { frequencyTexts(path, "90", "x"); }), ratio);
        QCOMPARE(guardOf([&] { frequencyTexts(path, "90", "1e999"); }), ratio);
        QCOMPARE(guardOf([&] { frequencyTexts(dir.filePath("none.txt").toStdString(), "90", "2"); }),
                 QString::fromUtf8(checkFileMessage));
    }
};

QTEST_GUILESS_MAIN(TestFrequency)
#include "tst_frequency.moc"
