// The xlsx reader: the cell values of the first sheet as Excel, WPS and
// LibreOffice write them (shared and inline strings, numbers in general
// format, a formula's cached value), and the hostile workbooks it refuses
// with a reason and nothing read: a zip bomb, declared or lying about its
// size, a part over 50 MB, a truncated zip, too many rows or columns, a
// shared string that is not there, a DTD.

#include "spreadsheet/xlsxreader.h"
#include "support/workbooks.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using spreadsheet::BadSpreadsheet;
using spreadsheet::Sheet;

namespace {

// The cells of a sheet as "A1=text" joined by "|", in order.
QString cellsOf(const Sheet &sheet)
{
    QStringList cells;
    for (const spreadsheet::SheetRow &row : sheet.rows)
        for (const auto &[column, text] : row.cells)
            cells << QString::fromStdString(spreadsheet::columnLetters(column)) + QString::number(row.number) + u'=' +
                         QString::fromStdString(text);
    return cells.join(u'|');
}

Sheet read(const QByteArray &bytes)
{
    return spreadsheet::readXlsxBytes(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

// The refusal of a workbook, or the empty text when it was read.
QString refusal(const QByteArray &bytes)
{
    try {
        read(bytes);
    } catch (const BadSpreadsheet &bad) {
        return QString::fromUtf8(bad.what());
    }
    return QString();
}

QByteArray book(const QByteArray &rows, const QList<QByteArray> &shared = {})
{
    return workbooks::zip(
        workbooks::parts(workbooks::sheet(rows), shared.isEmpty() ? QByteArray() : workbooks::sharedStrings(shared)));
}

// The parts of a one-sheet workbook with the sheet's part replaced.
QByteArray withSheetPart(const workbooks::Part &sheet)
{
    QList<workbooks::Part> parts = workbooks::parts(workbooks::sheet(""));
    for (workbooks::Part &part : parts)
        if (part.name == "xl/worksheets/sheet1.xml")
            part = sheet;
    return workbooks::zip(parts);
}

// A sheet of these rows, stored without compression: the bounds of rows and
// columns are then reached before the bound of inflation.
QByteArray storedBook(const QByteArray &rows)
{
    workbooks::Part part{"xl/worksheets/sheet1.xml", workbooks::sheet(rows)};
    part.stored = true;
    return withSheetPart(part);
}

QByteArray repeated(const QByteArray &unit, int times)
{
    QByteArray out;
    out.reserve(unit.size() * times);
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

} // namespace

class TestXlsxReader : public QObject {
    Q_OBJECT

private slots:
    void cellValues_data();
    void cellValues();
    void readFromAFile();
    void theFirstSheetOnly();
    void hostileWorkbooks_data();
    void hostileWorkbooks();
    void sheetXmlAlone();
};

void TestXlsxReader::cellValues_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QList<QByteArray>>("shared");
    QTest::addColumn<QString>("cells");

    QTest::newRow("shared strings by index")
        << QByteArray(R"(<row r="1"><c r="A1" t="s"><v>1</v></c><c r="B1" t="s"><v>0</v></c></row>)")
        << QList<QByteArray>{"水功能区", "污染物"} << "A1=污染物|B1=水功能区";
    QTest::newRow("an inline string") << QByteArray(
                                             R"(<row r="2"><c r="C2" t="inlineStr"><is><t>清水河</t></is></c></row>)")
                                      << QList<QByteArray>{} << "C2=清水河";
    QTest::newRow("rich text runs joined, the phonetic guide left out")
        << QByteArray(R"(<row r="1"><c r="A1" t="s"><v>1</v></c></row>)")
        // The helper wraps each text in <si><t>…</t></si>: this one closes the
        // first item empty and makes the second of runs.
        << QList<
               QByteArray>{"</t></si><si><r><t>清水</t></r><r><t>河</t></r><rPh sb=\"0\" eb=\"1\"><t>qing</t></rPh><t>"}
        << "A1=清水河";
    QTest::newRow("numbers in general format, 15 digits")
        << QByteArray(R"(<row r="1"><c r="A1"><v>0.30000000000000004</v></c><c r="B1" t="n"><v>1500</v></c>)"
                      R"(<c r="C1"><v>1.5E-7</v></c><c r="D1"><v> 12.5 </v></c></row>)")
        << QList<QByteArray>{} << "A1=0.3|B1=1500|C1=1.5e-07|D1=12.5";
    QTest::newRow("a formula: its cached value, not its text")
        << QByteArray(R"(<row r="1"><c r="A1"><f>B1*2</f><v>6</v></c><c r="B1" t="str"><f>"a"&amp;"b"</f>)"
                      R"(<v>ab</v></c><c r="C1" t="e"><f>1/0</f><v>#DIV/0!</v></c></row>)")
        << QList<QByteArray>{} << "A1=6|B1=ab|C1=#DIV/0!";
    QTest::newRow("booleans") << QByteArray(
                                     R"(<row r="1"><c r="A1" t="b"><v>1</v></c><c r="B1" t="b"><v>0</v></c></row>)")
                              << QList<QByteArray>{} << "A1=TRUE|B1=FALSE";
    QTest::newRow("cells and rows without references follow on")
        << QByteArray(R"(<row><c><v>1</v></c><c><v>2</v></c></row><row><c r="C2"><v>3</v></c><c><v>4</v></c></row>)")
        << QList<QByteArray>{} << "A1=1|B1=2|C2=3|D2=4";
    QTest::newRow("empty cells and styled cells without a value")
        << QByteArray(R"(<row r="1"><c r="A1" s="3"/><c r="B1" t="s"><v>0</v></c><c r="C1"><v></v></c></row>)")
        << QList<QByteArray>{"甲"} << "B1=甲";
    QTest::newRow("characters XML cannot hold, escaped as _xHHHH_")
        << QByteArray(
               R"(<row r="1"><c r="A1" t="inlineStr"><is><t>第一行_x000D__x000A_第二行_x005F_x0041_</t></is></c></row>)")
        << QList<QByteArray>{} << QString::fromUtf8("A1=第一行\r\n第二行_x0041_");
    QTest::newRow("rows far apart cost nothing between them")
        << QByteArray(R"(<row r="1"><c r="A1"><v>1</v></c></row><row r="99999"><c r="ALL99999"><v>2</v></c></row>)")
        << QList<QByteArray>{} << "A1=1|ALL99999=2";
    QTest::newRow("entities of XML itself")
        << QByteArray(R"(<row r="1"><c r="A1" t="inlineStr"><is><t>a&lt;b&amp;c</t></is></c></row>)")
        << QList<QByteArray>{} << "A1=a<b&c";
}

void TestXlsxReader::cellValues()
{
    QFETCH(QByteArray, rows);
    QFETCH(QList<QByteArray>, shared);
    QFETCH(QString, cells);
    QCOMPARE(cellsOf(read(book(rows, shared))), cells);
}

void TestXlsxReader::readFromAFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("水功能区.xlsx");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(book(R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1"><v>2.5</v></c></row>)", {"清水河"}));
    file.close();
    const Sheet sheet = spreadsheet::readXlsxFile(path.toStdString());
    QCOMPARE(cellsOf(sheet), QString("A1=清水河|B1=2.5"));
    QCOMPARE(sheet.height, std::size_t(1));
    QCOMPARE(sheet.width, std::size_t(2));

    try {
        spreadsheet::readXlsxFile(dir.filePath("没有的.xlsx").toStdString());
        QFAIL("a file that is not there was read");
    } catch (const BadSpreadsheet &bad) {
        QVERIFY2(QString::fromUtf8(bad.what()).contains("zip"), bad.what());
    }
}

// The first tab of the workbook is read, whatever its part is called, and
// part names are matched without regard to case.
void TestXlsxReader::theFirstSheetOnly()
{
    QList<workbooks::Part> parts = workbooks::parts(workbooks::sheet(R"(<row><c><v>2</v></c></row>)"));
    for (workbooks::Part &part : parts) {
        if (part.name == "xl/workbook.xml")
            part.bytes.replace(
                R"(<sheet name="Sheet1" sheetId="1" r:id="rId1"/>)",
                R"(<sheet name="汇总" sheetId="2" r:id="rId9"/><sheet name="Sheet1" sheetId="1" r:id="rId1"/>)");
        if (part.name == "xl/_rels/workbook.xml.rels")
            part.bytes.replace(
                "</Relationships>",
                R"(<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/Sheet9.xml"/></Relationships>)");
    }
    parts << workbooks::Part{"XL/Worksheets/SHEET9.XML", workbooks::sheet(R"(<row><c><v>9</v></c></row>)")};
    QCOMPARE(cellsOf(read(workbooks::zip(parts))), QString("A1=9"));
}

void TestXlsxReader::hostileWorkbooks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("why"); // a part of the reason given

    // 30 MB of blanks in a sheet deflate to some 30 kB: a thousand times over.
    const QByteArray blanks = workbooks::sheet(QByteArray(30 * 1024 * 1024, ' '));
    QTest::newRow("a zip bomb, as its header declares")
        << withSheetPart({"xl/worksheets/sheet1.xml", blanks}) << "100 倍以上，疑为压缩炸弹";
    {
        // The same, its header declaring a size that looks harmless: no more
        // than that is inflated, and what is inflated is not what was packed.
        workbooks::Part part{"xl/worksheets/sheet1.xml", workbooks::rawDeflate(blanks), true};
        part.declaredSize = std::uint64_t(part.bytes.size()) * 2;
        part.declaredCrc = workbooks::crcOf(blanks);
        QTest::newRow("a zip bomb lying about its size") << withSheetPart(part) << "校验和不符，文件已损坏";
    }
    {
        const QByteArray xml = workbooks::sheet("");
        workbooks::Part part{"xl/worksheets/sheet1.xml", workbooks::rawDeflate(xml), true};
        part.declaredSize = std::uint64_t(60) * 1024 * 1024;
        part.declaredCrc = workbooks::crcOf(xml);
        QTest::newRow("a part over 50 MB declared") << withSheetPart(part) << "解压后超过 50 MB";
    }
    {
        const QByteArray xml = workbooks::sheet(R"(<row><c><v>1</v></c></row>)");
        workbooks::Part part{"xl/worksheets/sheet1.xml", workbooks::rawDeflate(xml), true};
        part.declaredSize = std::uint64_t(xml.size()) + 1;
        part.declaredCrc = workbooks::crcOf(xml);
        QTest::newRow("a part shorter than declared") << withSheetPart(part) << "大小与压缩包中记录的不符";
        part.declaredSize = std::uint64_t(xml.size());
        part.declaredCrc = workbooks::crcOf(xml) ^ 1;
        QTest::newRow("a part whose checksum is wrong") << withSheetPart(part) << "校验和不符";
    }
    const QByteArray good = book(R"(<row r="1"><c r="A1"><v>1</v></c></row>)");
    QTest::newRow("a truncated zip") << good.left(good.size() / 2) << "无法作为 zip 压缩包打开";
    QTest::newRow("a zip without its last bytes") << good.left(good.size() - 8) << "无法作为 zip 压缩包打开";
    {
        // Its central directory whole, a part's data cut short.
        QByteArray cut = good;
        const int at = cut.indexOf("xl/worksheets/sheet1.xml") + 30;
        cut.replace(at, 20, QByteArray(20, '\0'));
        QTest::newRow("a part's data damaged") << cut << "工作簿";
    }
    {
        // The directory's entry of the sheet claims a name longer than the
        // directory holds: the zip opens, and its directory is refused.
        QByteArray damaged = good;
        const int entry = damaged.lastIndexOf("PK\x01\x02");
        QVERIFY(entry > 0 && damaged.indexOf("xl/worksheets/sheet1.xml", entry) == entry + 46);
        damaged[entry + 28] = '\x00';
        damaged[entry + 29] = '\x18';
        QTest::newRow("a directory entry whose name runs past the directory") << damaged << "压缩包已损坏";
    }
    QTest::newRow("not a zip at all") << QByteArray("水功能区,污染物\n") << "无法作为 zip 压缩包打开";
    QTest::newRow("an empty file") << QByteArray() << "无法作为 zip 压缩包打开";
    QTest::newRow("a zip that is no workbook")
        << workbooks::zip(QList<workbooks::Part>{workbooks::Part{"readme.txt", "hello"}}) << "压缩包中没有 _rels/.rels";

    QTest::newRow("a sheet of 2,000 columns")
        << storedBook("<row>" + repeated("<c><v>1</v></c>", 2000) + "</row>") << "表格超过 1000 列";
    QTest::newRow("a cell beyond column 1,000 by its reference")
        << book(R"(<row r="1"><c r="ALM1"><v>1</v></c></row>)") << "表格超过 1000 列";
    QTest::newRow("a column reference beyond any bound")
        << book(R"(<row r="1"><c r="ZZZZZZZZZZZZZZ1"><v>1</v></c></row>)") << "表格超过 1000 列";
    QTest::newRow("100,001 rows") << storedBook(repeated("<row><c><v>1</v></c></row>", 100001)) << "表格超过 100000 行";
    QTest::newRow("a row numbered beyond 100,000")
        << book(R"(<row r="100001"><c><v>1</v></c></row>)") << "表格超过 100000 行";
    QTest::newRow("a row number of 30 digits")
        << book(R"(<row r="123456789012345678901234567890"><c><v>1</v></c></row>)") << "表格超过 100000 行";
    QTest::newRow("rows out of order") << book(R"(<row r="5"><c><v>1</v></c></row><row r="3"><c><v>1</v></c></row>)")
                                       << "行顺序有误";

    QTest::newRow("a shared string index out of range")
        << book(R"(<row r="1"><c r="B1" t="s"><v>2</v></c></row>)", {"甲", "乙"})
        << "单元格 B1 引用的共享字符串“2”不存在（工作簿共有 2 个共享字符串）";
    QTest::newRow("a shared string index with no shared strings")
        << book(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)") << "共有 0 个共享字符串";
    QTest::newRow("a negative shared string index")
        << book(R"(<row r="1"><c r="A1" t="s"><v>-1</v></c></row>)", {"甲"}) << "引用的共享字符串“-1”不存在";
    QTest::newRow("a shared string cell without its index")
        << book(R"(<row r="1"><c r="A1" t="s"/></row>)", {"甲"}) << "引用的共享字符串“”不存在";

    QTest::newRow("a DTD with entities (billion laughs)")
        << withSheetPart(
               {"xl/worksheets/sheet1.xml",
                R"(<?xml version="1.0"?><!DOCTYPE lolz [<!ENTITY lol "lol"><!ENTITY lol2 "&lol;&lol;&lol;">]>)"
                R"(<worksheet><sheetData><row><c t="inlineStr"><is><t>&lol2;</t></is></c></row></sheetData></worksheet>)"})
        << "含有文档类型定义（DTD）";
    QTest::newRow("a sheet that is no XML")
        << withSheetPart({"xl/worksheets/sheet1.xml", "<worksheet><sheetData>"}) << "不是有效的 XML";
    {
        QList<workbooks::Part> parts = workbooks::parts(workbooks::sheet(""));
        for (workbooks::Part &part : parts)
            if (part.name == "xl/_rels/workbook.xml.rels")
                part.bytes.replace("worksheets/sheet1.xml", "../../../etc/passwd");
        QTest::newRow("a sheet outside the package") << workbooks::zip(parts) << "指向压缩包之外";
    }
}

void TestXlsxReader::hostileWorkbooks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    const QString refused = refusal(bytes);
    QVERIFY2(!refused.isEmpty(), "the workbook was read");
    QVERIFY2(refused.contains(why), qPrintable(refused));
}

// The fuzz target's way in: a sheet's XML and its shared strings without a zip.
void TestXlsxReader::sheetXmlAlone()
{
    const Sheet sheet = spreadsheet::detail::readSheetXml(
        workbooks::sheet(R"(<row r="2"><c r="B2" t="s"><v>0</v></c><c r="A2"><v>1</v></c></row>)").toStdString(),
        workbooks::sharedStrings({"乙"}).toStdString());
    QCOMPARE(cellsOf(sheet), QString("A2=1|B2=乙"));
    QCOMPARE(sheet.height, std::size_t(2));
    try {
        spreadsheet::detail::readSheetXml(workbooks::sheet(R"(<row><c t="s"><v>1</v></c></row>)").toStdString(), "");
        QFAIL("an index out of range was read");
    } catch (const BadSpreadsheet &bad) {
        QVERIFY2(QString::fromUtf8(bad.what()).contains("共享字符串"), bad.what());
    }
}

QTEST_GUILESS_MAIN(TestXlsxReader)
#include "tst_xlsxreader.moc"
