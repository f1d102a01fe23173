// The zone table file (.vtable): read back exactly as written, the example
// plan byte for byte, and every bad file refused whole with its reason,
// hostile ones too (huge, truncated, deeply nested, of the wrong types, with
// names given twice).

#include "catalogue/tablefile.h"
#include "support/examples.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <set>

using catalogue::ZoneRow;
using catalogue::ZoneTable;

namespace {

QByteArray exampleBytes()
{
    QFile f(windowtest::planExample());
    if (!f.open(QIODevice::ReadOnly))
        qFatal("no example table");
    return f.readAll();
}

// The reason a file is refused with; the empty text when it is read.
QString reason(const std::string &bytes)
{
    try {
        catalogue::parseTableFile(bytes);
    } catch (const catalogue::BadTableFile &bad) {
        return QString::fromUtf8(bad.what());
    }
    return QString();
}

const std::string head = R"({"program":"Varnolek","format":1,"kind":"table",)";

std::string withRow(const std::string &row)
{
    return head + R"("rows":[)" + row + "]}";
}

} // namespace

class TestTableFile : public QObject {
    Q_OBJECT

private slots:
    void exampleReadsBackByteForByte();
    void tableReadsBackExactly();
    void keysMayBeLeftOut();
    void badFiles_data();
    void badFiles();
    void hostileSizes();
    void fileOnDisk();
};

void TestTableFile::exampleReadsBackByteForByte()
{
    const QByteArray bytes = exampleBytes();
    const ZoneTable table = catalogue::parseTableFile(bytes.toStdString());
    QCOMPARE(QString::fromStdString(catalogue::tableFileText(table)), QString::fromUtf8(bytes));
    QVERIFY(table.size() >= 18);
    QCOMPARE(QString::fromStdString(table.project), QString("清水河流域水资源保护规划"));
    // Rivers and lakes, COD and NH3-N, a TN in a lake; every row computed.
    std::set<std::string> items;
    bool lake = false, river = false, lakeTN = false;
    for (std::size_t r = 0; r < table.size(); ++r) {
        const ZoneRow &row = table.row(r);
        items.insert(row.item);
        lake = lake || row.water == catalogue::WaterType::Lake;
        river = river || row.water == catalogue::WaterType::River;
        lakeTN = lakeTN || (row.water == catalogue::WaterType::Lake && row.item == "TN" && !row.targetTyped);
        QVERIFY2(table.outcome(r).state == catalogue::ZoneState::Done, table.outcome(r).status.c_str());
    }
    QVERIFY(lake && river && lakeTN && items.count("COD") && items.count("NH3-N"));
}

void TestTableFile::tableReadsBackExactly()
{
    ZoneRow odd;
    odd.zone = std::string("引号\"、反斜杠\\、换行\n、制表\t、空字符") + '\0' + "与 emoji 🌊";
    odd.waterName = "  前后空格  ";
    odd.water = catalogue::WaterType::Lake;
    odd.waterClass = "V";
    odd.item = "挥发酚";
    odd.calculation = "myvolform/lake";
    odd.fields = {{"myk", "2,5"}, {"myq0", ""}, {"mycs", "0.35x"}, {"myb", "1e2"}};
    odd.targetTyped = true;
    odd.load = "  12  ";
    ZoneRow blank; // nothing chosen yet
    ZoneRow river;
    river.calculation = "my2dw";
    river.item = "TN";
    river.fields = {{"myk", "0.2"}, {"myx", "-3"}};
    river.load = "abc";
    const ZoneTable table({odd, blank, river}, "项目“甲”\n第二行");
    const std::string text = catalogue::tableFileText(table);
    const ZoneTable read = catalogue::parseTableFile(text);
    QVERIFY(read == table);
    QCOMPARE(read.row(0).zone.size(), odd.zone.size()); // the NUL kept
    QCOMPARE(catalogue::tableFileText(read), text);
    // An empty table is a table.
    QVERIFY(catalogue::parseTableFile(catalogue::tableFileText(ZoneTable({}, "空"))) == ZoneTable({}, "空"));
}

void TestTableFile::keysMayBeLeftOut()
{
    const ZoneTable t = catalogue::parseTableFile(
        withRow(R"({"calculation":"my1dw","fields":{"mycs":"7","myk":"0.3"},"class":"3","item":"氨氮"})"));
    const ZoneRow &row = t.row(0);
    QCOMPARE(row.water, catalogue::WaterType::River);
    QCOMPARE(row.waterClass, std::string("III")); // written the table's way
    QCOMPARE(row.item, std::string("NH3-N"));
    QVERIFY(row.targetTyped);                               // taken from the fields
    QCOMPARE(row.fields.front().first, std::string("myk")); // in the method's order
    QCOMPARE(row.zone, std::string());
    QCOMPARE(t.project, std::string());
    // Keys of the head a later version may add are passed over, whatever they hold.
    QCOMPARE(reason(head + R"("saved":"2026-01-01","extra":{"a":[1,{"b":null}],"a2":true},"rows":[]})"), QString());
}

void TestTableFile::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray h = QByteArray::fromStdString(head);
    auto row = [](const char *r) { return QByteArray::fromStdString(withRow(r)); };
    QTest::newRow("empty") << QByteArray() << "文件不完整，在第 1 个字节处中断";
    QTest::newRow("not JSON") << QByteArray("zone,load\n甲,12\n") << "文件内容不是 JSON 格式（第 1 个字节处）";
    QTest::newRow("truncated") << exampleBytes().left(700) << "文件不完整，在第 701 个字节处中断";
    QTest::newRow("not UTF-8") << row("{\"zone\":\"\xB9\xA4\"}") << "文件不是有效的 UTF-8 文本（第 66 个字节处）";
    QTest::newRow("a list, not a table") << QByteArray("[1,2]") << "文件内容不是计算表";
    QTest::newRow("another program") << QByteArray(R"({"program":"Excel","format":1,"kind":"table","rows":[]})")
                                     << "不是 Varnolek 的计算表文件";
    QTest::newRow("a saved case") << QByteArray(
                                         R"({"program":"Varnolek","format":1,"kind":"case","calculation":"my1dw"})")
                                  << "这是算例文件，不是计算表文件";
    QTest::newRow("no kind") << QByteArray(R"({"program":"Varnolek","format":1,"calculation":"my1dw"})")
                             << "不是 Varnolek 的计算表文件";
    QTest::newRow("a newer format") << QByteArray(R"({"program":"Varnolek","format":2,"kind":"table","rows":[]})")
                                    << "计算表格式版本 2 比本程序所支持的新，请升级 Varnolek";
    QTest::newRow("format as text") << QByteArray(R"({"program":"Varnolek","format":"1","kind":"table","rows":[]})")
                                    << "计算表格式版本无效";
    QTest::newRow("format zero") << QByteArray(R"({"program":"Varnolek","format":0,"kind":"table","rows":[]})")
                                 << "计算表格式版本无效";
    QTest::newRow("no rows") << h.left(h.size() - 1) + "}"
                             << "没有表格行“rows”";
    QTest::newRow("rows not a list") << h + R"("rows":{}})"
                                     << "“rows”的值不是数组";
    QTest::newRow("project a number") << h + R"("project":7,"rows":[]})"
                                      << "“project”的值不是文本";
    QTest::newRow("a row not an object") << row(R"("甲")") << "第 1 行不是对象";
    QTest::newRow("a row a list") << row(R"([[[[]]]])") << "第 1 行不是对象";
    QTest::newRow("an unknown key") << row(R"({"lod":"12"})") << "第 1 行有未知的项“lod”";
    QTest::newRow("a load as a number") << row(R"({"load":1200})") << "第 1 行的“load”的值不是文本";
    QTest::newRow("a zone as null") << row(R"({"zone":null})") << "第 1 行的“zone”的值不是文本";
    QTest::newRow("fields a list") << row(R"({"fields":["0.2"]})") << "第 1 行的“fields”的值不是对象";
    QTest::newRow("a field a number") << row(R"({"calculation":"my1dw","fields":{"myk":0.2}})")
                                      << "第 1 行的字段“myk”的值不是文本";
    QTest::newRow("a field an object") << row(R"({"calculation":"my1dw","fields":{"myk":{}}})")
                                       << "第 1 行的字段“myk”的值不是文本";
    QTest::newRow("targetTyped as text") << row(R"({"targetTyped":"false"})") << "第 1 行的“targetTyped”的值不是真假值";
    QTest::newRow("a sea") << row(R"({"water":"sea"})") << "第 1 行的“water”应为 river 或 lake，不是“sea”";
    QTest::newRow("class VI") << row(R"({"class":"VI"})") << "第 1 行的水质目标“VI”不是 I 至 V 类";
    QTest::newRow("dissolved oxygen") << row(R"({"item":"DO"})")
                                      << "第 1 行的污染物“DO”不是 GB 3838-2002 表1中有上限的项目";
    QTest::newRow("a window, not a method")
        << row(R"({"calculation":"my1dform"})") << "第 1 行的计算方法“my1dform”不是计算纳污能力的方法";
    QTest::newRow("a field of another method")
        << row(R"({"calculation":"my1dw","fields":{"myr":"100"}})") << "第 1 行：计算方法“my1dw”没有字段“myr”";
    QTest::newRow("fields without a method")
        << row(R"({"fields":{"myk":"0.2"}})") << "第 1 行没有计算方法，却有字段“myk”";
    QTest::newRow("typed, but no target") << row(R"({"calculation":"my1dw","targetTyped":true})")
                                          << "第 1 行的“targetTyped”为 true，但 fields 中没有水质目标浓度";
    QTest::newRow("a target stored, but not typed")
        << row(R"({"calculation":"my1dw","fields":{"mycs":"20"},"targetTyped":false})")
        << "第 1 行的“targetTyped”为 false，但 fields 中有水质目标浓度";
    QTest::newRow("the second row bad") << row(R"({},{"class":"0"})") << "第 2 行的水质目标“0”不是 I 至 V 类";
    QTest::newRow("a key twice in the head")
        << QByteArray(R"({"program":"Varnolek","program":"Varnolek","format":1,"kind":"table","rows":[]})")
        << "名称“program”在同一对象中出现了两次";
    QTest::newRow("a key twice in a row")
        << row(R"({"load":"1","load":"2"})") << "第 1 行的项“load”在同一对象中出现了两次";
    QTest::newRow("a field twice") << row(R"({"calculation":"my1dw","fields":{"myk":"1","myk":"2"}})")
                                   << "第 1 行的字段“myk”在同一对象中出现了两次";
    QTest::newRow("a number beyond a double") << h + R"("x":1e400,"rows":[]})"
                                              << "文件中有超出数值范围的数";
    QTest::newRow("text after the table") << h + R"("rows":[]} {})"
                                          << "文件内容不是 JSON 格式（第 60 个字节处）";
}

void TestTableFile::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QCOMPARE(::reason(bytes.toStdString()), reason);
}

void TestTableFile::hostileSizes()
{
    // One byte over the bound is refused before it is parsed.
    std::string huge(catalogue::maxTableBytes + 1, ' ');
    QCOMPARE(reason(huge), QString("文件大于 64 MB"));
    huge.clear();
    huge.shrink_to_fit();

    // More rows than a table holds: refused at the first row too many.
    std::string many = head + R"("rows":[)";
    for (std::size_t i = 0; i <= catalogue::maxTableRows; ++i)
        many += i ? ",{}" : "{}";
    many += "]}";
    QCOMPARE(reason(many), QString("表格超过 100000 行"));

    // A value nested a million deep under a key of the head is passed over
    // without recursion; under a row it is refused at once.
    const std::size_t depth = 1000000;
    std::string deep = head + R"("extra":)" + std::string(depth, '[') + std::string(depth, ']') + R"(,"rows":[]})";
    QCOMPARE(reason(deep), QString());
    deep = withRow(R"({"zone":)" + std::string(depth, '[') + std::string(depth, ']') + "}");
    QCOMPARE(reason(deep), QString("第 1 行的“zone”的值不是文本"));
    // Many fields in one row: each name checked once.
    std::string wide = withRow("{\"calculation\":\"my1dw\",\"fields\":{");
    wide.resize(wide.size() - 2); // before "]}"
    for (int i = 0; i < 200000; ++i)
        wide += (i ? ",\"f" : "\"f") + std::to_string(i) + "\":\"1\"";
    wide += "}}]}";
    QCOMPARE(reason(wide), QString("第 1 行：计算方法“my1dw”没有字段“f0”"));
}

void TestTableFile::fileOnDisk()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto read = [](const QString &path) -> QString {
        try {
            catalogue::readTableFile(path.toStdString());
        } catch (const catalogue::BadTableFile &bad) {
            return QString::fromUtf8(bad.what());
        }
        return QString();
    };
    QCOMPARE(read(dir.filePath("none.vtable")), QString("文件不存在或无法打开"));
    QCOMPARE(read(dir.path()), QString("这是文件夹，不是文件"));
    // A sparse file over the bound is refused by its size, unread.
    QFile big(dir.filePath("big.vtable"));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(catalogue::maxTableBytes) + 1));
    big.close();
    QCOMPARE(read(big.fileName()), QString("文件大于 64 MB"));
    QFile good(dir.filePath("计划.vtable"));
    QVERIFY(good.open(QIODevice::WriteOnly));
    good.write(exampleBytes());
    good.close();
    QCOMPARE(read(good.fileName()), QString());
}

QTEST_GUILESS_MAIN(TestTableFile)
#include "tst_tablefile.moc"
