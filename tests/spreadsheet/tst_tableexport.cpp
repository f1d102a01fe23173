// The zone table to Excel and WPS: the workbook read back by the import with
// the same results; the same workbook as openpyxl reads it (numbers as
// numbers with each cell's decimals as its format, a bold frozen header, the
// columns wide enough, the totals on the sheet 汇总); CSV with a byte-order
// mark; a workbook that cannot be written leaves nothing behind.

#include "catalogue/tablefile.h"
#include "core/numbers.h"
#include "spreadsheet/tableexport.h"
#include "spreadsheet/tableimport.h"
#include "spreadsheet/textcodec.h"
#include "support/examples.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using catalogue::ZoneColumn;
using catalogue::ZoneTable;

namespace {

ZoneTable example()
{
    return catalogue::readTableFile(windowtest::planExample().toStdString());
}

std::optional<double> numberIn(const std::string &text)
{
    if (!varnolek::isWholeNumber(text))
        return std::nullopt;
    return varnolek::readNumber(text);
}

int decimalsOf(const std::string &text)
{
    const std::size_t point = text.find('.');
    return point == std::string::npos ? 0 : int(text.size() - point - 1);
}

// The columns of names and choices, written as text even where a name is digits.
bool textColumn(catalogue::ColumnKind kind)
{
    using catalogue::ColumnKind;
    return kind == ColumnKind::Zone || kind == ColumnKind::WaterName || kind == ColumnKind::WaterType ||
           kind == ColumnKind::WaterClass || kind == ColumnKind::Item || kind == ColumnKind::Method ||
           kind == ColumnKind::Status;
}

// Two tables give the same results: the same rows with the same numbers (a
// typed 0.10 may come back as 0.1), and every computed cell the same text.
void compareResults(const ZoneTable &read, const ZoneTable &written)
{
    QCOMPARE(read.size(), written.size());
    QCOMPARE(read.columns().size(), written.columns().size());
    for (std::size_t r = 0; r < written.size(); ++r) {
        QCOMPARE(read.row(r).targetTyped, written.row(r).targetTyped);
        for (const ZoneColumn &column : written.columns()) {
            const std::string a = read.text(r, column), b = written.text(r, column);
            const std::optional<double> x = numberIn(a), y = numberIn(b);
            if (column.editable() && x && y)
                QVERIFY2(*x == *y, qPrintable(QString("row %1 %2: %3 and %4")
                                                  .arg(r + 1)
                                                  .arg(QString::fromStdString(column.caption),
                                                       QString::fromStdString(a), QString::fromStdString(b))));
            else
                QCOMPARE(a, b);
        }
    }
}

// What openpyxl reads of a workbook, as JSON.
const char *openpyxlScript = R"py(
import json, sys
try:
    import openpyxl
except ImportError:
    print("python3-openpyxl is not installed (scripts/install-deps.sh installs it)", file=sys.stderr)
    sys.exit(2)
book = openpyxl.load_workbook(sys.argv[1])
zones = book.worksheets[0]
def cell(c):
    return {"type": type(c.value).__name__, "value": c.value, "format": c.number_format,
            "italic": bool(c.font.i)}
out = {
    "sheets": book.sheetnames,
    "freeze": zones.freeze_panes,
    "title": book.properties.title,
    "header": [c.value for c in zones[1]],
    "bold": [bool(c.font.b) for c in zones[1]],
    "rows": [[cell(c) for c in row] for row in zones.iter_rows(min_row=2)],
    "widths": [zones.column_dimensions[openpyxl.utils.get_column_letter(i + 1)].width
               for i in range(zones.max_column)],
    "totals": [[c.value for c in row] for row in book.worksheets[1].iter_rows()],
}
print(json.dumps(out, ensure_ascii=False))
)py";

} // namespace

class TestTableExport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void readBackByTheImport();
    void readByOpenpyxl();
    void csvWithAByteOrderMark();
    void aFolderThatIsNotThere();
};

void TestTableExport::readBackByTheImport()
{
    const ZoneTable written = example();
    const QString path = m_dir.filePath("清水河.xlsx");
    spreadsheet::writeWorkbook(written, path.toStdString());
    QVERIFY(!QFile::exists(path + ".tmp-" + QString::number(QCoreApplication::applicationPid())));
    const spreadsheet::Imported read = spreadsheet::importFile(path.toStdString());
    QVERIFY(read.unknownColumns.empty());
    QCOMPARE(read.table.project, written.project);
    compareResults(read.table, written);
}

void TestTableExport::readByOpenpyxl()
{
    const ZoneTable table = example();
    const QString path = m_dir.filePath("openpyxl.xlsx");
    spreadsheet::writeWorkbook(table, path.toStdString());

    // Debian's python3, where python3-openpyxl installs.
    QProcess python;
    python.start("/usr/bin/python3", {"-c", openpyxlScript, path});
    QVERIFY2(python.waitForFinished(60000), "python3 did not run");
    const QByteArray err = python.readAllStandardError();
    QVERIFY2(python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0, err.constData());
    QJsonParseError error;
    const QJsonObject book = QJsonDocument::fromJson(python.readAllStandardOutput(), &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));

    QCOMPARE(book["sheets"].toArray(), (QJsonArray{"计算表", "汇总"}));
    QCOMPARE(book["freeze"].toString(), QString("C2")); // the header, the numbers and the zones' names
    QCOMPARE(book["title"].toString(), QString::fromStdString(table.project));

    const std::vector<ZoneColumn> &columns = table.columns();
    const QJsonArray header = book["header"].toArray(), bold = book["bold"].toArray();
    QCOMPARE(header.size(), qsizetype(columns.size()));
    for (std::size_t c = 0; c < columns.size(); ++c) {
        QCOMPARE(header[int(c)].toString(), QString::fromStdString(columns[c].caption));
        QVERIFY(bold[int(c)].toBool());
    }

    const QJsonArray rows = book["rows"].toArray(), widths = book["widths"].toArray();
    QCOMPARE(rows.size(), qsizetype(table.size()));
    std::vector<std::size_t> widest(columns.size(), 0);
    int numbers = 0;
    for (std::size_t r = 0; r < table.size(); ++r) {
        const QJsonArray cells = rows[int(r)].toArray();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const QJsonObject cell = cells[int(c)].toObject();
            const std::string text = table.text(r, columns[c]);
            const QString where =
                QString("row %1 column %2 (%3): ").arg(r + 2).arg(c + 1).arg(QString::fromStdString(text));
            const bool greyed = columns[c].kind == catalogue::ColumnKind::Field && !table.hasField(r, columns[c]);
            const std::optional<double> number = numberIn(text);
            if (greyed || text.empty()) {
                QVERIFY2(cell["type"].toString() == "NoneType", qPrintable(where + cell["type"].toString()));
            } else if (number && !textColumn(columns[c].kind)) {
                // A number as a number, shown with the decimals the window shows it with.
                QVERIFY2(cell["type"].toString() == "float" || cell["type"].toString() == "int",
                         qPrintable(where + cell["type"].toString()));
                QVERIFY2(std::abs(cell["value"].toDouble() - *number) <= 1e-12 * std::max(1.0, std::abs(*number)),
                         qPrintable(where + QString::number(cell["value"].toDouble(), 'g', 17)));
                const int decimals = decimalsOf(text);
                const QString format = decimals == 0 ? "0" : "0." + QString(decimals, u'0');
                QVERIFY2(cell["format"].toString() == format, qPrintable(where + cell["format"].toString()));
                QCOMPARE(cell["italic"].toBool(), table.fromStandard(r, columns[c]));
                ++numbers;
            } else {
                QVERIFY2(cell["value"].toString() == QString::fromStdString(text),
                         qPrintable(where + cell["value"].toString()));
            }
            widest[c] = std::max(widest[c], std::size_t(QString::fromStdString(text).size()));
        }
    }
    QVERIFY(numbers > int(table.size()) * 5);
    // Every column at least as wide as its longest text (in digits' widths).
    for (std::size_t c = 0; c < columns.size(); ++c)
        QVERIFY2(widths[int(c)].toDouble() >= double(widest[c]),
                 qPrintable(QString("column %1: width %2 for %3 characters")
                                .arg(c + 1)
                                .arg(widths[int(c)].toDouble())
                                .arg(widest[c])));

    // 汇总: each pollutant's line, its numbers as numbers, as the totals give them.
    const QJsonArray totals = book["totals"].toArray();
    const catalogue::Totals expected = table.totals();
    QVERIFY(!expected.byItem.empty());
    for (const catalogue::TotalLine &line : expected.byItem) {
        bool found = false;
        for (const QJsonValue &value : totals) {
            const QJsonArray row = value.toArray();
            if (row.size() < 7 || row[0].toString() != QString::fromStdString(line.item))
                continue;
            found = true;
            QCOMPARE(row[1].toDouble(), double(line.zones));
            const double sums[] = {line.capacity, line.limit, line.load, line.reduction, line.remaining};
            for (int k = 0; k < 5; ++k) {
                QVERIFY2(row[2 + k].isDouble(), "a total written as text");
                QVERIFY2(std::abs(row[2 + k].toDouble() - sums[k]) <= 0.0005,
                         qPrintable(QString::fromStdString(line.item) + QString(" total %1").arg(k)));
            }
            break;
        }
        QVERIFY2(found, line.item.c_str());
    }
}

void TestTableExport::csvWithAByteOrderMark()
{
    const ZoneTable table = example();
    const std::string csv = spreadsheet::tableCsv(table, true);
    QVERIFY(csv.rfind(std::string(spreadsheet::byteOrderMark), 0) == 0);
    QVERIFY(spreadsheet::tableCsv(table, false).rfind("序号,水功能区,", 0) == 0);
    const QString path = m_dir.filePath("清水河.csv");
    spreadsheet::writeFile(path.toStdString(), csv);
    const spreadsheet::Imported read = spreadsheet::importFile(path.toStdString());
    QVERIFY(read.unknownColumns.empty());
    compareResults(read.table, table);
}

void TestTableExport::aFolderThatIsNotThere()
{
    const QString path = m_dir.filePath("没有的文件夹/表.xlsx");
    try {
        spreadsheet::writeWorkbook(example(), path.toStdString());
        QFAIL("a workbook was written into a folder that is not there");
    } catch (const spreadsheet::WriteFailed &failed) {
        QVERIFY2(QString::fromUtf8(failed.what()).contains("无法创建文件"), failed.what());
    }
    QVERIFY(!QDir(m_dir.filePath("没有的文件夹")).exists());
    try {
        spreadsheet::writeFile(path.toStdString(), "x");
        QFAIL("a file was written into a folder that is not there");
    } catch (const spreadsheet::WriteFailed &) {
    }
}

QTEST_GUILESS_MAIN(TestTableExport)
#include "tst_tableexport.moc"
