// The zone table window to and from Excel and WPS: 导入… and 导出… under the
// 文件 menu, a block copied to the clipboard's text and pasted back as one
// step to undo, a block mapped by its captions, cells that do not fit listed
// in one message with nothing pasted, an import into a new table and a
// refused one that changes nothing, and the export to xlsx and to CSV with a
// byte-order mark.

#include "catalogue/tablefile.h"
#include "spreadsheet/tableimport.h"
#include "support/examples.h"
#include "support/scratch.h"
#include "support/scriptedprompts.h"
#include "support/workbooks.h"
#include "tables/zonetable.h"
#include "tables/zonetablemodel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <memory>

using catalogue::ColumnKind;
using tables::ZoneTableModel;

namespace {

QAction *action(QWidget *window, const char *name)
{
    auto *a = window->findChild<QAction *>(QString::fromLatin1(name));
    if (!a)
        qFatal("no action %s", name);
    return a;
}

QMenu *menu(QWidget *window, const QString &title)
{
    for (QAction *a : window->findChild<QMenuBar *>()->actions())
        if (a->menu() && a->text().startsWith(title))
            return a->menu();
    qFatal("no menu %s", qPrintable(title));
}

int columnOf(ZoneTableModel *model, ColumnKind kind)
{
    return model->columnOf(kind);
}

// Selects a block of cells, its first cell current, as a drag of the mouse does.
void select(zonetable &w, int top, int left, int bottom, int right)
{
    auto *view = w.findChild<QTableView *>("tableZones");
    view->selectionModel()->setCurrentIndex(w.model()->index(top, left), QItemSelectionModel::NoUpdate);
    view->selectionModel()->select(QItemSelection(w.model()->index(top, left), w.model()->index(bottom, right)),
                                   QItemSelectionModel::ClearAndSelect);
}

QString shown(zonetable &w, int row, int column)
{
    return w.model()->index(row, column).data().toString();
}

} // namespace

class TestZoneTableSpreadsheets : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes) { return scratch::writeFile(m_dir, name, bytes); }

    std::unique_ptr<zonetable> openExample()
    {
        const QString copy = m_dir.filePath("qingshui_plan.vtable");
        QFile::remove(copy);
        if (!QFile::copy(windowtest::planExample(), copy))
            qFatal("cannot copy the example");
        auto w = std::make_unique<zonetable>();
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        if (!w->openFile(copy))
            qFatal("the example does not open");
        w->show();
        return w;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
    }

    void importAndExportUnderTheFileMenu();
    void pasteRoundTripThroughTheClipboard();
    void pasteByCaptionAddsRows();
    void misfitsInOneMessageNothingPasted();
    void importFillsANewTable();
    void refusedImportChangesNothing_data();
    void refusedImportChangesNothing();
    void exportToXlsxAndCsv();
};

void TestZoneTableSpreadsheets::importAndExportUnderTheFileMenu()
{
    auto w = openExample();
    const QList<QAction *> file = menu(w.get(), "文件")->actions();
    const int saveAs = file.indexOf(action(w.get(), "actionSaveAs"));
    const int import = file.indexOf(action(w.get(), "actionImport"));
    const int exported = file.indexOf(action(w.get(), "actionExport"));
    QVERIFY(saveAs >= 0 && import > saveAs && exported == import + 1);
    QCOMPARE(action(w.get(), "actionImport")->text(), QString("导入…"));
    QCOMPARE(action(w.get(), "actionExport")->text(), QString("导出…"));
    QVERIFY(menu(w.get(), "编辑")->actions().contains(action(w.get(), "actionPaste")));
    QCOMPARE(action(w.get(), "actionPaste")->shortcut(), QKeySequence(QKeySequence::Paste));
}

// A block copied from the table is the clipboard's tab-separated text; pasted
// elsewhere it gives those rows the same texts, and one undo takes it away.
void TestZoneTableSpreadsheets::pasteRoundTripThroughTheClipboard()
{
    ScriptedPrompts prompts;
    auto w = openExample();
    ZoneTableModel *m = w->model();
    const int left = columnOf(m, ColumnKind::WaterClass), right = columnOf(m, ColumnKind::Method);
    select(*w, 0, left, 3, right);
    action(w.get(), "actionCopy")->trigger();
    const QString text = QApplication::clipboard()->text();
    QCOMPARE(text.count(u'\n'), 4);
    QCOMPARE(text.count(u'\t'), 4 * (right - left));

    const catalogue::ZoneTable before = m->table();
    const int steps = m->undoStack()->count();
    select(*w, 10, left, 10, left);
    action(w.get(), "actionPaste")->trigger();
    QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.lastMessage()));
    for (int r = 0; r < 4; ++r)
        for (int c = left; c <= right; ++c)
            QCOMPARE(shown(*w, 10 + r, c), shown(*w, r, c));
    QCOMPARE(m->undoStack()->count(), steps + 1);
    QVERIFY(!(m->table() == before));
    m->undoStack()->undo();
    QVERIFY(m->table() == before);
    m->undoStack()->redo();
    QCOMPARE(shown(*w, 13, left), shown(*w, 3, left));
}

void TestZoneTableSpreadsheets::pasteByCaptionAddsRows()
{
    ScriptedPrompts prompts;
    auto w = openExample();
    ZoneTableModel *m = w->model();
    const int rows = m->rowCount(), steps = m->undoStack()->count();
    QApplication::clipboard()->setText("污染物\t水功能区\t水质目标\r\nTP\t新甲区\tIII\r\nTN\t新乙区\tII\r\n");
    select(*w, rows - 1, 0, rows - 1, 0);
    action(w.get(), "actionPaste")->trigger();
    QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.lastMessage()));
    QCOMPARE(m->rowCount(), rows + 1);
    QCOMPARE(m->table().row(rows - 1).zone, std::string("新甲区"));
    QCOMPARE(m->table().row(rows - 1).item, std::string("TP"));
    QCOMPARE(m->table().row(rows).zone, std::string("新乙区"));
    QCOMPARE(m->table().row(rows).waterClass, std::string("II"));
    QCOMPARE(m->undoStack()->count(), steps + 1);
    m->undoStack()->undo();
    QCOMPARE(m->rowCount(), rows);
    QVERIFY(m->table().row(rows - 1).zone != "新甲区");
}

void TestZoneTableSpreadsheets::misfitsInOneMessageNothingPasted()
{
    ScriptedPrompts prompts;
    auto w = openExample();
    ZoneTableModel *m = w->model();
    const catalogue::ZoneTable before = m->table();
    const int steps = m->undoStack()->count();
    QApplication::clipboard()->setText("VI\t汞汞\nIII\tCOD\n");
    select(*w, 0, columnOf(m, ColumnKind::WaterClass), 0, columnOf(m, ColumnKind::WaterClass));
    action(w.get(), "actionPaste")->trigger();
    QCOMPARE(prompts.messages.size(), 1);
    const QString message = prompts.lastMessage();
    QVERIFY2(message.startsWith("以下 2 个单元格无法粘贴，计算表未作改动：\n第 1 行“水质目标”："), qPrintable(message));
    QVERIFY2(message.contains("\n第 1 行“污染物”："), qPrintable(message));
    QVERIFY(m->table() == before);
    QCOMPARE(m->undoStack()->count(), steps);
}

void TestZoneTableSpreadsheets::importFillsANewTable()
{
    ScriptedPrompts prompts;
    auto w = openExample();
    const QString csv = write(
        "导入.csv",
        "\xEF\xBB\xBF水功能区,备注,水质目标,污染物,计算方法,负责人\n甲,新设,II,COD,my1dw,王工\n乙,,III,TP,my1dw,\n");
    prompts.fileAnswers.enqueue(csv);
    action(w.get(), "actionImport")->trigger();
    QCOMPARE(w->model()->rowCount(), 2);
    QCOMPARE(w->model()->table().row(1).item, std::string("TP"));
    QVERIFY(w->filePath().isEmpty()); // a new table, saved where the user chooses
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.lastMessage(), QString("以下列不是计算表的列，未导入：\n备注、负责人"));

    const QString saved = m_dir.filePath("导入的表.vtable");
    prompts.saveAnswers.enqueue(saved);
    action(w.get(), "actionSave")->trigger();
    QCOMPARE(w->filePath(), saved);
    QCOMPARE(catalogue::readTableFile(saved.toStdString()).size(), std::size_t(2));
}

void TestZoneTableSpreadsheets::refusedImportChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("why");
    QTest::newRow("a zip bomb") << "bomb.xlsx"
                                << workbooks::zip(workbooks::parts(workbooks::sheet(QByteArray(20 << 20, ' '))))
                                << "文件无法导入：“xl/worksheets/sheet1.xml”解压后是压缩时的 100 倍以上，疑为压缩炸弹";
    QTest::newRow("a truncated workbook")
        << "cut.xlsx" << workbooks::zip(workbooks::parts(workbooks::sheet(""))).left(200)
        << "文件无法导入：文件不是 xlsx 工作簿";
    QTest::newRow("a cell the table does not take")
        << "bad.csv" << QByteArray("水功能区,水质目标\n甲,VI\n乙,II\n")
        << "文件无法导入：以下 1 个单元格计算表不能接受：\n第 2 行“水质目标”：";
}

void TestZoneTableSpreadsheets::refusedImportChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    ScriptedPrompts prompts;
    auto w = openExample();
    const catalogue::ZoneTable before = w->model()->table();
    const QString path = w->filePath();
    prompts.fileAnswers.enqueue(write(name, bytes));
    action(w.get(), "actionImport")->trigger();
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY2(prompts.lastMessage().startsWith(why), qPrintable(prompts.lastMessage()));
    QVERIFY(w->model()->table() == before);
    QCOMPARE(w->filePath(), path);
}

void TestZoneTableSpreadsheets::exportToXlsxAndCsv()
{
    ScriptedPrompts prompts;
    auto w = openExample();
    const QString base = m_dir.filePath("导出");
    prompts.saveAnswers.enqueue(base); // no extension: a workbook
    action(w.get(), "actionExport")->trigger();
    QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.lastMessage()));
    QVERIFY(prompts.saveFilters.last().startsWith("Excel 工作簿 (*.xlsx)"));
    const spreadsheet::Imported workbook = spreadsheet::importFile((base + ".xlsx").toStdString());
    QCOMPARE(workbook.table.size(), w->model()->table().size());

    prompts.saveAnswers.enqueue(base + ".csv");
    action(w.get(), "actionExport")->trigger();
    QFile csv(base + ".csv");
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QVERIFY(csv.readAll().startsWith("\xEF\xBB\xBF序号,水功能区,"));

    prompts.saveAnswers.enqueue(base + ".ods");
    action(w.get(), "actionExport")->trigger();
    QCOMPARE(prompts.lastMessage(), QString("计算表只能导出为 .xlsx 或 .csv 文件"));
    QVERIFY(!QFile::exists(base + ".ods"));
}

QTEST_MAIN(TestZoneTableSpreadsheets)
#include "tst_zonetablespreadsheets.moc"
