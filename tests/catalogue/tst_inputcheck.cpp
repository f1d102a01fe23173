// The input check: the quantity a label names, and what the check tells of a
// case's texts, field by field and row by row, in the catalogue's own words.

#include "catalogue/catalogue.h"
#include "catalogue/inputcheck.h"

#include <QTest>

class TestInputCheck : public QObject {
    Q_OBJECT

private slots:
    void quantityName_data();
    void quantityName();
    void findings_data();
    void findings();
    void everyDefaultIsANumberWithinItsLabel();
};

void TestInputCheck::quantityName_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("quantity");
    QTest::newRow("range and unit go") << "水质降解系数K(0.02-0.5 1/d)"
                                       << "水质降解系数K";
    QTest::newRow("范围 and the range go") << "水质降解系数k(范围0.02-0.5 1/d)"
                                           << "水质降解系数k";
    QTest::newRow("a range without unit goes") << "径流系数(0.1-1)"
                                               << "径流系数";
    QTest::newRow("only the last of two brackets") << "废水流量(包括废水量)(m3/s)"
                                                   << "废水流量(包括废水量)";
    QTest::newRow("full-width closing bracket") << "排污口辐射角度(角度）"
                                                << "排污口辐射角度";
    QTest::newRow("full-width opening bracket") << "水流流速（m/s)"
                                                << "水流流速";
    QTest::newRow("no bracket") << "河道中水流速度"
                                << "河道中水流速度";
    QTest::newRow("a blank before the label") << " 湖泊或水库体积(万m3)"
                                              << "湖泊或水库体积";
    QTest::newRow("a blank inside stays") << "设计保证率 P(%)"
                                          << "设计保证率 P";
    QTest::newRow("a caption's colon goes") << "河道的纳污能力(t/a):"
                                            << "河道的纳污能力";
    QTest::newRow("a row of a table") << "第 3 监测点浓度(mg/L)"
                                      << "第 3 监测点浓度";
}

void TestInputCheck::quantityName()
{
    QFETCH(QString, label);
    QFETCH(QString, quantity);
    QCOMPARE(QString::fromStdString(catalogue::quantityName(label.toStdString())), quantity);
}

void TestInputCheck::findings_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("texts");    // NAME=TEXT over the default case
    QTest::addColumn<QStringList>("expected"); // NAME, a tab, the line
    QTest::newRow("the defaults have nothing to tell") << "my1dform" << QStringList() << QStringList();
    QTest::newRow("abc reads as 0, which is below K's range")
        << "my1dform" << QStringList{"myk=abc"}
        << QStringList{"myk\t水质降解系数K：“abc”不是数字，按 0 计算",
                       "myk\t水质降解系数K：0 超出标注的范围 0.02-0.5 1/d"};
    QTest::newRow("a unit typed after the number")
        << "my1dform" << QStringList{"myu=2m/s"} << QStringList{"myu\t水流流速：“2m/s”不是数字，按 2 计算"};
    QTest::newRow("a decimal comma ends the number")
        << "my1dform" << QStringList{"myq0=1,5"} << QStringList{"myq0\t初始端面流量：“1,5”不是数字，按 1 计算"};
    QTest::newRow("above the range") << "my1dform" << QStringList{"mye=30"}
                                     << QStringList{"mye\t扩散系数：30 超出标注的范围 0.1-20 m2/s"};
    QTest::newRow("the ends of the range lie within it")
        << "my1dform" << QStringList{"myk=0.02", "mye=20"} << QStringList();
    QTest::newRow("blanks around a number") << "my1dform" << QStringList{"myk= 0.3 "} << QStringList();
    QTest::newRow("an empty field the check stops")
        << "my1dform" << QStringList{"myx="} << QStringList{"myx\t计算断面距初始断面的距离：未填写"};
    QTest::newRow("beyond a double") << "my1dform" << QStringList{"myc0=1e999"}
                                     << QStringList{"myc0\t初始断面浓度：“1e999”超出数值范围，计算时溢出"};
    QTest::newRow("in the fields' order, not the order given")
        << "my1dform" << QStringList{"myc2=x", "myk=9"}
        << QStringList{"myk\t水质降解系数K：9 超出标注的范围 0.02-0.5 1/d",
                       "myc2\t支流中污染物浓度：“x”不是数字，按 0 计算"};
    QTest::newRow("a range without unit")
        << "myRevolform/sources" << QStringList{"myjl=1.2"} << QStringList{"myjl\t径流系数：1.2 超出标注的范围 0.1-1"};
    QTest::newRow("-abc reads as 0, not -0")
        << "my2dform" << QStringList{"myh=-abc"} << QStringList{"myh\t河道平均水深：“-abc”不是数字，按 0 计算"};
    QTest::newRow("rows of a table, row by row")
        << "myKform/multi-point" << QStringList{"Text2.1=", "Text4.2=7,7", "Text4.1=z"}
        << QStringList{"Text4.1\t第 2 监测点浓度：“z”不是数字，按 0 计算",
                       "Text2.1\t第 2 监测点到排污口的距离：未填写，按 0 计算",
                       "Text4.2\t第 3 监测点浓度：“7,7”不是数字，按 7 计算"};
    QTest::newRow("a field outside the completeness set reads 0 when empty")
        << "myKform/multi-point" << QStringList{"Text6="} << QStringList{"Text6\t水流流速：未填写，按 0 计算"};
    QTest::newRow("a data file is a path, not a number")
        << "yearform" << QStringList{"file=水文资料.txt"} << QStringList();
    QTest::newRow("an empty data file") << "yearform" << QStringList{"rate=9o"}
                                        << QStringList{"file\t水文资料文件：未填写",
                                                       "rate\t最枯水位或流量保证率：“9o”不是数字，按 9 计算"};
}

void TestInputCheck::findings()
{
    QFETCH(QString, id);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, expected);
    const catalogue::Entry &entry = catalogue::entry(id.toStdString());
    catalogue::Case c = catalogue::defaultCase(entry);
    for (const QString &text : texts) {
        const qsizetype eq = text.indexOf(u'=');
        c.setOwned(text.left(eq).toStdString(), text.mid(eq + 1).toStdString());
    }
    QStringList found;
    for (const catalogue::Finding &f : catalogue::checkInput(entry, c))
        found << QString::fromStdString(f.field + "\t" + f.text);
    QCOMPARE(found, expected);
}

// A window that opens with a text the check would tell of misleads from the start.
void TestInputCheck::everyDefaultIsANumberWithinItsLabel()
{
    for (const catalogue::Entry &entry : catalogue::entries())
        for (const catalogue::Finding &f : catalogue::checkInput(entry, catalogue::defaultCase(entry)))
            QVERIFY2(entry.field(f.field) && entry.field(f.field)->kind == catalogue::FieldKind::DataFile, (entry.id + ": " + f.text).c_str());
}

QTEST_GUILESS_MAIN(TestInputCheck)
#include "tst_inputcheck.moc"
