// Zones from spreadsheets: a header mapped to the table's columns by caption
// or field name, CSV in UTF-8 with or without a byte-order mark, in GB18030
// and in UTF-16; the refusals, each in one message with nothing taken; and a
// block pasted into a table by position or by caption, the cells that do not
// fit listed and nothing pasted.

#include "catalogue/tablefile.h"
#include "spreadsheet/delimited.h"
#include "spreadsheet/tableimport.h"
#include "spreadsheet/textcodec.h"
#include "support/examples.h"
#include "support/scratch.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <iconv.h>

using catalogue::ColumnKind;
using catalogue::ZoneColumn;
using catalogue::ZoneTable;
using spreadsheet::BadSpreadsheet;

namespace {

ZoneTable example()
{
    return catalogue::readTableFile(windowtest::planExample().toStdString());
}

// The first zone of the example as a spreadsheet saves it: the captions of
// the window (or the table file's names) over one row.
const char *firstZoneCsv =
    "水功能区,所在水体,水体类型,水质目标,污染物,计算方法,myk,myq0,myc0,myq2,myu,myx,现状入河量(t/a)\r\n"
    "清水河源头水保护区,清水河,河流,II,COD,my1dw,0.15,3.2,8,0.05,0.35,6000,150\r\n";

// The bytes of UTF-8 text in another encoding, as glibc's iconv writes them.
QByteArray encoded(const QByteArray &utf8, const char *to)
{
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == iconv_t(-1))
        qFatal("no iconv for %s", to);
    QByteArray out(utf8.size() * 4 + 16, '\0');
    char *in = const_cast<char *>(utf8.constData());
    std::size_t inLeft = std::size_t(utf8.size()), outLeft = std::size_t(out.size());
    char *o = out.data();
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == std::size_t(-1))
        qFatal("iconv to %s failed", to);
    iconv_close(cd);
    out.resize(out.size() - qsizetype(outLeft));
    return out;
}

ZoneColumn columnOfKind(ColumnKind kind)
{
    ZoneColumn c;
    c.kind = kind;
    return c;
}

std::size_t at(const ZoneTable &table, ColumnKind kind)
{
    return *table.columnIndex(columnOfKind(kind));
}

spreadsheet::Sheet block(const char *text)
{
    return spreadsheet::readDelimited(text, '\t');
}

} // namespace

class TestTableImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes) { return scratch::writeFile(m_dir, name, bytes); }

    // The refusal of a file, or the empty text when it was imported.
    QString refusal(const QString &name, const QByteArray &bytes)
    {
        try {
            spreadsheet::importFile(write(name, bytes).toStdString());
        } catch (const BadSpreadsheet &bad) {
            return QString::fromUtf8(bad.what());
        }
        return QString();
    }

private slots:
    void headerNames_data();
    void headerNames();
    void csvEncodings_data();
    void csvEncodings();
    void csvFields();
    void refusedInOneMessage_data();
    void refusedInOneMessage();
    void unknownColumnsListed();
    void theStandardsTargetStaysTheStandards();
    void pasteByPosition();
    void pasteByCaption();
    void pasteBelowTheLastRow();
    void pasteOneTextIntoEachCellSelected();
    void pasteMisfitsListedNothingPasted_data();
    void pasteMisfitsListedNothingPasted();
};

void TestTableImport::headerNames_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("kind"); // -1: no column
    QTest::addColumn<QString>("field");

    QTest::newRow("a caption") << "水功能区" << int(ColumnKind::Zone) << "";
    QTest::newRow("the table file's key") << "zone" << int(ColumnKind::Zone) << "";
    QTest::newRow("a key in capitals") << "CLASS" << int(ColumnKind::WaterClass) << "";
    QTest::newRow("a caption with full-width brackets and blanks")
        << " 现状入河量（T/A） " << int(ColumnKind::Load) << "";
    QTest::newRow("a caption without its unit") << "现状入河量" << int(ColumnKind::Load) << "";
    QTest::newRow("a caption over two lines") << "水质\n目标" << int(ColumnKind::WaterClass) << "";
    QTest::newRow("a field's name") << "myk" << int(ColumnKind::Field) << "myk";
    QTest::newRow("the number, computed") << "序号" << int(ColumnKind::Number) << "";
    QTest::newRow("a result, computed") << "纳污能力W(t/a)" << int(ColumnKind::Capacity) << "";
    QTest::newRow("a column of the office's own") << "备注" << -1 << "";
    QTest::newRow("an empty header") << "" << -1 << "";
    QTest::newRow("blanks only") << "\u3000 " << -1 << "";
}

void TestTableImport::headerNames()
{
    QFETCH(QString, header);
    QFETCH(int, kind);
    QFETCH(QString, field);
    const auto columns = spreadsheet::namedColumns(header.toStdString());
    if (kind < 0) {
        QVERIFY(!columns);
        return;
    }
    QVERIFY(columns && !columns->empty());
    QCOMPARE(int(columns->front().kind), kind);
    QCOMPARE(QString::fromStdString(columns->front().field), field);
}

// The same zone saved as Excel and WPS save a CSV file: each read as the
// example's first zone, with every text as typed there.
void TestTableImport::csvEncodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray utf8 = firstZoneCsv;
    QTest::newRow("UTF-8") << utf8;
    QTest::newRow("UTF-8 with a byte-order mark (Excel's CSV UTF-8)") << QByteArray("\xEF\xBB\xBF") + utf8;
    const QByteArray gb = encoded(utf8, "GB18030");
    // 水 is CB AE in GB18030 and E6 B0 B4 in UTF-8: the file is not UTF-8.
    QVERIFY(gb.contains("\xCB\xAE") && !spreadsheet::isUtf8(gb.toStdString()));
    QTest::newRow("GB18030 (WPS, Excel on a Chinese system)") << gb;
    QTest::newRow("UTF-16 with its mark (Excel's Unicode text)")
        << QByteArray("\xFF\xFE") + encoded(QByteArray(utf8).replace(',', '\t'), "UTF-16LE");
    QTest::newRow("line ends of LF only") << QByteArray(utf8).replace("\r\n", "\n");
    QTest::newRow("no line break after the last record") << utf8.chopped(2);
    QTest::newRow("fields quoted") << QByteArray(utf8).replace("清水河源头水保护区", "\"清水河源头水保护区\"");
}

void TestTableImport::csvEncodings()
{
    QFETCH(QByteArray, bytes);
    const spreadsheet::Imported imported = spreadsheet::importFile(write("zones.csv", bytes).toStdString());
    QCOMPARE(imported.table.size(), std::size_t(1));
    QVERIFY(imported.unknownColumns.empty());
    QVERIFY(imported.table.row(0) == example().row(0));
    QCOMPARE(imported.table.outcome(0).state, catalogue::ZoneState::Done);
}

void TestTableImport::csvFields()
{
    const spreadsheet::Sheet sheet = spreadsheet::readDelimited("a,\"b,\"\"c\"\"\nd\",e\r\n,,\n\nf\rg,h\"i", ',');
    QCOMPARE(sheet.height, std::size_t(5));
    QCOMPARE(sheet.width, std::size_t(3));
    QCOMPARE(sheet.rows.size(), std::size_t(3)); // rows without a text are not held
    QCOMPARE(*sheet.rows[0].at(1), std::string("b,\"c\"\nd"));
    QCOMPARE(*sheet.rows[0].at(2), std::string("e"));
    QCOMPARE(sheet.rows[1].number, std::size_t(4));
    QCOMPARE(sheet.rows[2].number, std::size_t(5));
    QCOMPARE(*sheet.rows[2].at(1), std::string("h\"i"));

    std::string record;
    spreadsheet::appendCsvField(record, "水功能区", true);
    spreadsheet::appendCsvField(record, "a,\"b\"", false);
    QCOMPARE(record, std::string("水功能区,\"a,\"\"b\"\"\""));

    try {
        spreadsheet::readDelimited(std::string(1000, ',') + "x", ',');
        QFAIL("1,001 columns were read");
    } catch (const BadSpreadsheet &bad) {
        QCOMPARE(QString::fromUtf8(bad.what()), QString("表格超过 1000 列"));
    }
}

void TestTableImport::refusedInOneMessage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("why");
    const QByteArray head = "水功能区,水质目标,污染物,计算方法,myk\n";

    QTest::newRow("cells the table does not take, each named")
        << "a.csv" << head + "甲,VI,COD,my1dw,0.1\n乙,II,铀,my1dw,0.2\n"
        << "以下 2 个单元格计算表不能接受：\n第 2 行“水质目标”：";
    QTest::newRow("more than twenty, the rest counted")
        << "a.csv" << head + QByteArray("甲,VI,COD,my1dw,0.1\n").repeated(25) << "……另有 5 处";
    QTest::newRow("no column of the table in the header")
        << "a.csv" << QByteArray("名称,备注\n甲,乙\n") << "不是计算表的表头";
    QTest::newRow("a column named twice") << "a.csv" << QByteArray("水功能区,zone\n甲,乙\n") << "是同一列";
    QTest::newRow("a header and nothing under it") << "a.csv" << head << "表头之下没有水功能区";
    QTest::newRow("an empty file") << "a.csv" << QByteArray() << "文件中没有数据";
    QTest::newRow("bytes neither UTF-8 nor GB18030")
        << "a.csv" << QByteArray("zone\n\x81\x20\n") << "既不是 UTF-8 也不是 GB18030";
    QTest::newRow("a byte-order mark over bytes that are not UTF-8")
        << "a.csv" << QByteArray("\xEF\xBB\xBFzone\n\xC7\xF8\n") << "内容却不是有效的 UTF-8";
    QTest::newRow("an old Excel workbook") << "a.xls" << QByteArray("x") << "另存为 .xlsx";
    QTest::newRow("a file of another kind") << "a.txt" << QByteArray("x") << "只能导入 .xlsx 或 .csv 文件";
    QTest::newRow("a workbook that is no zip") << "a.xlsx" << QByteArray("zone\n甲\n") << "无法作为 zip 压缩包打开";
    QTest::newRow("100,001 rows") << "a.csv" << QByteArray("zone\n") + QByteArray("甲\n").repeated(100000)
                                  << "表格超过 100000 行";
}

void TestTableImport::refusedInOneMessage()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    const QString refused = refusal(name, bytes);
    QVERIFY2(!refused.isEmpty(), "the file was imported");
    QVERIFY2(refused.contains(why), qPrintable(refused));
}

void TestTableImport::unknownColumnsListed()
{
    const spreadsheet::Imported imported = spreadsheet::importFile(
        write("b.csv", "序号,水功能区,备注,污染物,负责人,状态\n1,甲,新设,COD,王工,达标\n2,乙,,TP,,\n").toStdString());
    QCOMPARE(imported.unknownColumns, (std::vector<std::string>{"备注", "负责人"}));
    QCOMPARE(imported.table.size(), std::size_t(2));
    QCOMPARE(imported.table.row(0).zone, std::string("甲"));
    QCOMPARE(imported.table.row(1).item, std::string("TP"));
}

// A sheet shows the standard's target as any other number: read back, it is
// the standard's again, not a typed one; a target typed apart stays typed.
void TestTableImport::theStandardsTargetStaysTheStandards()
{
    const ZoneTable zones = example();
    const catalogue::Entry *method = catalogue::tableMethod(zones.row(0).calculation);
    QVERIFY(method && !method->target.empty());
    QVERIFY(!zones.row(0).targetTyped);
    const std::string standard = zones.outcome(0).target;
    const QByteArray head = QByteArray("水功能区,水质目标,污染物,计算方法,") + method->target.c_str() + "\n";
    spreadsheet::Imported imported = spreadsheet::importFile(
        write("c.csv", head + "甲,II,COD,my1dw," + QByteArray::fromStdString(standard) + "\n乙,II,COD,my1dw,3.5\n")
            .toStdString());
    QVERIFY(!imported.table.row(0).targetTyped);
    QCOMPARE(imported.table.outcome(0).target, standard);
    QVERIFY(imported.table.row(1).targetTyped);
    QCOMPARE(imported.table.outcome(1).target, std::string("3.5"));
}

void TestTableImport::pasteByPosition()
{
    const ZoneTable zones = example();
    spreadsheet::PasteTarget target;
    target.row = 2;
    target.column = at(zones, ColumnKind::WaterClass);
    const spreadsheet::Paste paste = spreadsheet::planPaste(zones, block("iii\t氨氮\n3\tTP\n"), target);
    QCOMPARE(paste.refusedCount, std::size_t(0));
    QVERIFY(!paste.byCaption);
    QCOMPARE(paste.rows, std::size_t(2));
    QCOMPARE(paste.changed.size(), std::size_t(2));
    QCOMPARE(paste.changed[0].first, std::size_t(2));
    QCOMPARE(paste.changed[0].second.waterClass, std::string("III"));
    QCOMPARE(paste.changed[0].second.item, std::string("NH3-N"));
    QCOMPARE(paste.changed[1].first, std::size_t(3));
    QCOMPARE(paste.changed[1].second.item, std::string("TP"));
    // Everything else in the rows as it was.
    QCOMPARE(paste.changed[0].second.zone, zones.row(2).zone);
    QVERIFY(paste.changed[0].second.fields == zones.row(2).fields);
    QVERIFY(paste.added.empty());
}

void TestTableImport::pasteByCaption()
{
    const ZoneTable zones = example();
    spreadsheet::PasteTarget target;
    target.row = 1;
    target.column = 0; // the columns are the header's, wherever the block falls
    const spreadsheet::Paste paste =
        spreadsheet::planPaste(zones, block("污染物\t序号\t水功能区\nTN\t99\t新区\n"), target);
    QCOMPARE(paste.refusedCount, std::size_t(0));
    QVERIFY(paste.byCaption);
    QCOMPARE(paste.ignored, std::size_t(1)); // 序号 is the table's own
    QCOMPARE(paste.changed.size(), std::size_t(1));
    QCOMPARE(paste.changed[0].first, std::size_t(1));
    QCOMPARE(paste.changed[0].second.item, std::string("TN"));
    QCOMPARE(paste.changed[0].second.zone, std::string("新区"));
    QCOMPARE(paste.changed[0].second.waterName, zones.row(1).waterName);
}

void TestTableImport::pasteBelowTheLastRow()
{
    const ZoneTable zones = example();
    spreadsheet::PasteTarget target;
    target.row = zones.size() - 1;
    target.column = at(zones, ColumnKind::Zone);
    const spreadsheet::Paste paste = spreadsheet::planPaste(zones, block("末区\n新甲\n新乙\n"), target);
    QCOMPARE(paste.refusedCount, std::size_t(0));
    QCOMPARE(paste.changed.size(), std::size_t(1));
    QCOMPARE(paste.added.size(), std::size_t(2));
    QCOMPARE(paste.added[0].zone, std::string("新甲"));
    QCOMPARE(paste.added[1].zone, std::string("新乙"));
}

void TestTableImport::pasteOneTextIntoEachCellSelected()
{
    const ZoneTable zones = example();
    const std::size_t cls = at(zones, ColumnKind::WaterClass);
    spreadsheet::PasteTarget target;
    target.row = 0;
    target.column = cls;
    target.selected = {{0, cls}, {3, cls}, {5, cls}};
    const spreadsheet::Paste paste = spreadsheet::planPaste(zones, block("V\n"), target);
    QCOMPARE(paste.refusedCount, std::size_t(0));
    QCOMPARE(paste.changed.size(), std::size_t(3));
    for (const auto &[row, changed] : paste.changed) {
        QVERIFY(row == 0 || row == 3 || row == 5);
        QCOMPARE(changed.waterClass, std::string("V"));
    }
}

void TestTableImport::pasteMisfitsListedNothingPasted_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("column"); // the kind of column the block starts at
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("a class and a pollutant the table does not take")
        << QByteArray("VI\t汞汞\nII\tCOD\n") << int(ColumnKind::WaterClass) << 2
        << QStringList{"第 1 行“水质目标”：", "第 1 行“污染物”："};
    QTest::newRow("texts beyond the last column")
        << QByteArray("达标\t多余\t也多余\n") << int(ColumnKind::Status) << 2
        << QStringList{"：“多余”超出计算表的最后一列", "：“也多余”超出计算表的最后一列"};
    QTest::newRow("a method that is none") << QByteArray("某方法\n") << int(ColumnKind::Method) << 1
                                           << QStringList{"第 1 行“计算方法”：“某方法”不是计算纳污能力的方法"};
}

void TestTableImport::pasteMisfitsListedNothingPasted()
{
    QFETCH(QByteArray, text);
    QFETCH(int, column);
    QFETCH(int, count);
    QFETCH(QStringList, lines);
    const ZoneTable zones = example();
    spreadsheet::PasteTarget target;
    target.row = 0;
    target.column = at(zones, ColumnKind(column));
    const spreadsheet::Paste paste = spreadsheet::planPaste(zones, block(text.constData()), target);
    QCOMPARE(paste.refusedCount, std::size_t(count));
    QVERIFY(paste.changed.empty());
    QVERIFY(paste.added.empty());
    QCOMPARE(paste.refused.size(), std::size_t(count));
    const QString message = QString::fromStdString(spreadsheet::refusalText("head", paste.refused, paste.refusedCount));
    for (const QString &line : lines)
        QVERIFY2(message.contains(line), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestTableImport)
#include "tst_tableimport.moc"
