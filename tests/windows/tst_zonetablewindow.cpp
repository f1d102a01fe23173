// The zone table window: its names and menus, each row giving what the
// calculator window of its method gives for the same texts, the standard's
// target in italics, typed over and back, every edit undone and redone, the
// file saved, opened and refused, the main menu's 计算表 menu, the totals and
// the calculation sheet.

#include "app/mainform.h"
#include "app/tableopening.h"
#include "app/windowcatalog.h"
#include "catalogue/tablefile.h"
#include "support/examples.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "tables/tables.h"
#include "tables/totalsview.h"
#include "tables/zonetable.h"
#include "tables/zonetablemodel.h"
#include "ui/extensions.h"
#include "ui/windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>
#include <memory>

using catalogue::ColumnKind;
using tables::ZoneTableModel;

namespace {

// The example plan, copied where a test may save over it.
QString examplePath()
{
    static QTemporaryDir dir;
    const QString copy = dir.filePath("qingshui_plan.vtable");
    QFile::remove(copy);
    if (!QFile::copy(windowtest::planExample(), copy))
        qFatal("cannot copy the example");
    return copy;
}

QAction *action(QWidget *window, const char *name)
{
    auto *a = window->findChild<QAction *>(QString::fromLatin1(name));
    if (!a)
        qFatal("no action %s", name);
    return a;
}

// The table's cell of a kind of column (or of a field) in a row.
QModelIndex cell(ZoneTableModel *model, int row, ColumnKind kind, const std::string &field = {},
                 const std::string &unit = {})
{
    const int c = kind == ColumnKind::Field ? model->fieldColumn(field, unit) : model->columnOf(kind);
    if (c < 0)
        qFatal("no column for %s", field.c_str());
    return model->index(row, c);
}

bool type(ZoneTableModel *model, int row, ColumnKind kind, const QString &text, const std::string &field = {},
          const std::string &unit = {})
{
    return model->setData(cell(model, row, kind, field, unit), text);
}

// A row typed in through the model: method first, then every field of the
// view as given (the target too, when given), then the load.
void typeRow(ZoneTableModel *model, int row, const catalogue::Entry &method,
             const std::vector<std::pair<std::string, std::string>> &texts)
{
    type(model, row, ColumnKind::Method, QString::fromStdString(method.id));
    for (const auto &[name, text] : texts)
        type(model, row, ColumnKind::Field, QString::fromStdString(text), name, method.field(name)->unit);
    type(model, row, ColumnKind::Load, "100");
}

// What the calculator window of a view shows for these texts after its OK:
// the main result's text, or the message of its failure.
QString inCalculator(const catalogue::Entry &e, const std::vector<std::pair<std::string, std::string>> &texts)
{
    ScriptedPrompts prompts;
    std::unique_ptr<QWidget> window(findCalculator(QString::fromStdString(e.window))->make());
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    if (catalogue::entriesOf(e.window).front() != &e)
        for (const std::string &option : e.options)
            windowtest::child<QRadioButton>(window.get(), option.c_str())->click();
    for (const auto &[name, text] : texts)
        windowtest::setText(window.get(), name.c_str(), QString::fromStdString(text));
    windowtest::press(window.get(), e.okButton.c_str());
    if (!prompts.messages.isEmpty())
        return prompts.lastMessage();
    return windowtest::text(window.get(), e.main().name.c_str());
}

std::unique_ptr<zonetable> openExample()
{
    auto w = std::make_unique<zonetable>();
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    if (!w->openFile(examplePath()))
        qFatal("the example does not open");
    return w;
}

} // namespace

class TestZoneTableWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
        QVERIFY(m_dir.isValid());
    }

    void namesAndMenus();
    void rowGivesWhatTheCalculatorWindowGives_data();
    void rowGivesWhatTheCalculatorWindowGives();
    void standardTargetInItalicsTypedOverAndBack();
    void greyedWhereTheMethodHasNoField();
    void refusedTextChangesNothing();
    void undoAndRedo_data();
    void undoAndRedo();
    void typedWithTheKeyboard();
    void savedOpenedAndRefused();
    void changesAreNotLostOnClosing();
    void mainMenuOpensTables();
    void totals();
    void sheets_data();
    void sheets();
};

void TestZoneTableWindow::namesAndMenus()
{
    zonetable w;
    QCOMPARE(w.objectName(), QString("zonetable"));
    QVERIFY(w.windowTitle().startsWith("水功能区纳污能力计算表"));
    QVERIFY(w.findChild<QTableView *>("tableZones"));
    QVERIFY(w.findChild<QWidget *>("tabTotals"));
    QVERIFY(w.findChild<QToolBar *>("toolBar"));
    QVERIFY(w.statusBar());
    const QList<QPair<const char *, QKeySequence>> file = {{"actionNew", QKeySequence("Ctrl+N")},
                                                           {"actionOpen", QKeySequence("Ctrl+O")},
                                                           {"actionSave", QKeySequence("Ctrl+S")},
                                                           {"actionSaveAs", QKeySequence("Ctrl+Shift+S")},
                                                           {"actionExportSheet", QKeySequence("Ctrl+E")},
                                                           {"actionPrintSheet", QKeySequence("Ctrl+P")},
                                                           {"actionReturn", QKeySequence()}};
    const QList<QPair<const char *, QKeySequence>> edit = {
        {"actionUndo", QKeySequence("Ctrl+Z")},         {"actionRedo", QKeySequence("Ctrl+Y")},
        {"actionCopy", QKeySequence("Ctrl+C")},         {"actionInsertRow", QKeySequence("Ctrl+I")},
        {"actionDeleteRows", QKeySequence("Ctrl+Del")}, {"actionFillDown", QKeySequence("Ctrl+D")}};
    for (const auto &[menuName, items] : {qMakePair("menuFile", file), qMakePair("menuEdit", edit)}) {
        auto *menu = w.menuBar()->findChild<QMenu *>(menuName);
        QVERIFY2(menu, menuName);
        for (const auto &[name, shortcut] : items) {
            QAction *a = action(&w, name);
            QVERIFY2(menu->actions().contains(a), name);
            QCOMPARE(a->shortcut(), shortcut);
        }
    }
    for (const char *common : {"actionNew", "actionOpen", "actionSave", "actionUndo", "actionRedo", "actionFillDown"})
        QVERIFY2(w.toolBar->actions().contains(action(&w, common)), common);
    // A new table: one row waiting for its method.
    QCOMPARE(w.model()->rowCount(), 1);
    QCOMPARE(cell(w.model(), 0, ColumnKind::Status).data().toString(), QString("请选择计算方法"));
    QVERIFY(!w.isWindowModified());
}

void TestZoneTableWindow::rowGivesWhatTheCalculatorWindowGives_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("variant");
    for (const catalogue::Entry *method : catalogue::tableMethods())
        for (int v = 0; v < 3; ++v)
            QTest::addRow("%s %s", method->id.c_str(),
                          v == 0   ? "at its defaults"
                          : v == 1 ? "with odd texts"
                                   : "with a field emptied")
                << QString::fromStdString(method->id) << v;
}

void TestZoneTableWindow::rowGivesWhatTheCalculatorWindowGives()
{
    QFETCH(QString, method);
    QFETCH(int, variant);
    const catalogue::Entry &e = *catalogue::tableMethod(method.toStdString());
    std::vector<std::pair<std::string, std::string>> texts;
    const std::vector<std::string> odd = {"2,5", " 7", "0.35x", "1e1", "  12  ", "3abc"};
    // The field emptied is not the target: an empty target is the standard's.
    const std::size_t emptied = e.fields[e.fields.size() / 2].name == e.target ? 0 : e.fields.size() / 2;
    for (std::size_t f = 0; f < e.fields.size(); ++f) {
        std::string text = e.fields[f].defaultText;
        if (variant == 1)
            text = odd[f % odd.size()];
        if (variant == 2 && f == emptied)
            text.clear();
        texts.emplace_back(e.fields[f].name, text);
    }
    zonetable w;
    typeRow(w.model(), 0, e, texts);
    const QString shown = inCalculator(e, texts);
    const catalogue::ZoneOutcome &o = w.model()->table().outcome(0);
    if (o.state == catalogue::ZoneState::Done) {
        QCOMPARE(cell(w.model(), 0, ColumnKind::Capacity).data().toString(), shown);
    } else {
        // The window's message of the failure is the row's status.
        QCOMPARE(cell(w.model(), 0, ColumnKind::Status).data().toString(), shown);
        QCOMPARE(cell(w.model(), 0, ColumnKind::Capacity).data().toString(), QString());
    }
}

void TestZoneTableWindow::standardTargetInItalicsTypedOverAndBack()
{
    zonetable w;
    ZoneTableModel *m = w.model();
    const catalogue::Entry &river = *catalogue::tableMethod("my1dw");
    std::vector<std::pair<std::string, std::string>> texts;
    for (const catalogue::Field &f : river.fields)
        if (f.name != river.target)
            texts.emplace_back(f.name, f.defaultText);
    typeRow(m, 0, river, texts);
    type(m, 0, ColumnKind::Load, "");
    type(m, 0, ColumnKind::WaterClass, "II");
    type(m, 0, ColumnKind::Item, "COD");
    const QModelIndex target = cell(m, 0, ColumnKind::Field, "mycs", "mg/L");
    QCOMPARE(target.data().toString(), QString("15"));
    QVERIFY(target.data(Qt::FontRole).value<QFont>().italic());
    QCOMPARE(target.data(Qt::EditRole).toString(), QString()); // nothing typed
    QVERIFY(target.flags() & Qt::ItemIsEditable);

    QVERIFY(m->setData(target, "12"));
    QCOMPARE(target.data().toString(), QString("12"));
    QVERIFY(!target.data(Qt::FontRole).value<QFont>().italic());
    type(m, 0, ColumnKind::WaterClass, "IV"); // a typed target stays
    QCOMPARE(target.data().toString(), QString("12"));

    QVERIFY(m->setData(target, ""));
    QCOMPARE(target.data().toString(), QString("30")); // class IV, from the standard again
    QVERIFY(target.data(Qt::FontRole).value<QFont>().italic());

    // TN in a river: the standard has none; the cell says so and the row waits.
    type(m, 0, ColumnKind::Item, "TN");
    QCOMPARE(target.data().toString(), QString("该项目对河流无标准限值"));
    QCOMPARE(cell(m, 0, ColumnKind::Status).data().toString(), QString("该项目对河流无标准限值，请输入水质目标浓度"));
    QCOMPARE(cell(m, 0, ColumnKind::Capacity).data().toString(), QString());
    type(m, 0, ColumnKind::Field, "0.5", "myc0", "mg/L");
    QVERIFY(m->setData(target, "2"));
    type(m, 0, ColumnKind::Load, "1");
    QCOMPARE(cell(m, 0, ColumnKind::Status).data().toString(), QString("达标"));
    // The same zone in a lake takes the lake's limit once the typed one is cleared.
    type(m, 0, ColumnKind::WaterType, "湖库");
    QVERIFY(m->setData(target, ""));
    QCOMPARE(target.data().toString(), QString("1.5"));
}

void TestZoneTableWindow::greyedWhereTheMethodHasNoField()
{
    auto w = openExample();
    ZoneTableModel *m = w->model();
    const int lakeRow = 15; // 青龙湖饮用水源区 COD, my0dw
    QCOMPARE(cell(m, lakeRow, ColumnKind::Method).data().toString(), QString("my0dw"));
    const QModelIndex velocity = cell(m, lakeRow, ColumnKind::Field, "myu", "m/s");
    QVERIFY(!(velocity.flags() & Qt::ItemIsEditable));
    QCOMPARE(velocity.data().toString(), QString());
    QVERIFY(velocity.data(Qt::BackgroundRole).value<QBrush>().color() != QColor(Qt::white));
    QVERIFY(velocity.data(Qt::ToolTipRole).toString().contains("my0dw"));
    const QModelIndex radius = cell(m, lakeRow, ColumnKind::Field, "myr", "m");
    QVERIFY(radius.flags() & Qt::ItemIsEditable);
    QVERIFY(!radius.data(Qt::BackgroundRole).isValid());
    // Two columns named myb, a width in metres and a volume in 万m3.
    QVERIFY(m->fieldColumn("myb", "m") >= 0 && m->fieldColumn("myb", "万m3") >= 0);
    QCOMPARE(m->headerData(m->fieldColumn("myb", "万m3"), Qt::Horizontal, ZoneTableModel::captionRole).toString(),
             QString(" 湖泊或水库体积(万m3)"));
    QVERIFY(m->headerData(m->fieldColumn("mycs", "mg/L"), Qt::Horizontal, Qt::ToolTipRole)
                .toString()
                .contains("目标水质(mg/L)"));
}

void TestZoneTableWindow::refusedTextChangesNothing()
{
    ScriptedPrompts prompts;
    auto w = openExample();
    const catalogue::ZoneTable before = w->model()->table();
    QVERIFY(!w->model()->setData(cell(w->model(), 0, ColumnKind::WaterClass), "VI"));
    QCOMPARE(prompts.lastMessage(), QString("水质目标应为 I、II、III、IV 或 V 类，不是“VI”"));
    QVERIFY(w->model()->table() == before);
    QCOMPARE(w->model()->undoStack()->count(), 0);
    QVERIFY(!w->isWindowModified());
}

void TestZoneTableWindow::undoAndRedo_data()
{
    QTest::addColumn<QString>("edit");
    for (const char *edit :
         {"a cell typed", "a method that brings columns", "rows inserted", "rows deleted apart", "a fill down",
          "cells cleared", "the project named", "rows replaced at once", "rows added at once"})
        QTest::newRow(edit) << edit;
}

void TestZoneTableWindow::undoAndRedo()
{
    QFETCH(QString, edit);
    ScriptedPrompts prompts;
    auto w = openExample();
    ZoneTableModel *m = w->model();
    const catalogue::ZoneTable before = m->table();
    const int columns = m->columnCount();
    QTableView *view = w->tableZones;
    auto select = [&](const QList<QModelIndex> &cells) {
        view->selectionModel()->clear();
        for (const QModelIndex &c : cells)
            view->selectionModel()->select(c, QItemSelectionModel::Select);
        view->selectionModel()->setCurrentIndex(cells.first(), QItemSelectionModel::NoUpdate);
    };
    if (edit == "a cell typed") {
        QVERIFY(type(m, 2, ColumnKind::Load, "5000"));
    } else if (edit == "a method that brings columns") {
        QVERIFY(m->fieldColumn("mya", "角度") >= 0);
        type(m, 15, ColumnKind::Method, "my1dw");
        type(m, 16, ColumnKind::Method, "my1dw"); // the last rows of my0dw go, and its columns
        QCOMPARE(m->fieldColumn("mya", "角度"), -1);
        QCOMPARE(m->undoStack()->count(), 2);
        m->undoStack()->undo();
    } else if (edit == "rows inserted") {
        select({cell(m, 4, ColumnKind::Zone)});
        action(w.get(), "actionInsertRow")->trigger();
        QCOMPARE(m->rowCount(), int(before.size()) + 1);
        // The new row follows its zone's river, class, pollutant and method, and waits for the rest.
        QCOMPARE(cell(m, 5, ColumnKind::WaterName).data().toString(), QString("清水河"));
        QCOMPARE(cell(m, 5, ColumnKind::Method).data().toString(), QString("my2dw"));
        QCOMPARE(cell(m, 5, ColumnKind::Zone).data().toString(), QString());
        QCOMPARE(cell(m, 5, ColumnKind::Status).data().toString(), QString("请输入全部的参数"));
        QCOMPARE(cell(m, 6, ColumnKind::Number).data().toString(), QString("7"));
    } else if (edit == "rows deleted apart") {
        select({cell(m, 1, ColumnKind::Zone), cell(m, 2, ColumnKind::Load), cell(m, 15, ColumnKind::Item),
                cell(m, 16, ColumnKind::Zone)});
        action(w.get(), "actionDeleteRows")->trigger();
        QCOMPARE(m->rowCount(), int(before.size()) - 4);
        QCOMPARE(m->fieldColumn("mya", "角度"), -1); // no my0dw row is left
    } else if (edit == "a fill down") {
        select({cell(m, 0, ColumnKind::Load), cell(m, 1, ColumnKind::Load), cell(m, 2, ColumnKind::Load),
                cell(m, 0, ColumnKind::Method), cell(m, 1, ColumnKind::Method), cell(m, 2, ColumnKind::Method)});
        action(w.get(), "actionFillDown")->trigger();
        QCOMPARE(cell(m, 2, ColumnKind::Load).data().toString(), QString("150"));
        QCOMPARE(cell(m, 1, ColumnKind::Load).data().toString(), QString("150"));
        // One row alone takes the row above.
        select({cell(m, 5, ColumnKind::Zone)});
        action(w.get(), "actionFillDown")->trigger();
        QCOMPARE(cell(m, 5, ColumnKind::Zone).data().toString(), QString("清水河城关工业用水区"));
        QCOMPARE(m->undoStack()->count(), 1); // the same name already: nothing to do
    } else if (edit == "cells cleared") {
        select({cell(m, 0, ColumnKind::Load), cell(m, 0, ColumnKind::Field, "myk", "1/d"),
                cell(m, 0, ColumnKind::Capacity)});
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(cell(m, 0, ColumnKind::Load).data().toString(), QString());
        QCOMPARE(cell(m, 0, ColumnKind::Status).data().toString(), QString("请输入全部的参数"));
    } else if (edit == "the project named") {
        prompts.inputAnswers.enqueue(QString("另一个项目"));
        action(w.get(), "actionProjectName")->trigger();
        QCOMPARE(m->table().project, std::string("另一个项目"));
    } else if (edit == "rows replaced at once") {
        tables::PlacedRows rows;
        for (std::size_t r : {std::size_t(3), std::size_t(9)}) {
            catalogue::ZoneRow row = before.row(r);
            row.load = "1";
            rows.emplace_back(r, row);
        }
        QVERIFY(m->replaceRows(rows, "粘贴"));
        QCOMPARE(m->undoStack()->undoText(), QString("粘贴"));
    } else if (edit == "rows added at once") {
        QVERIFY(m->addRows({{0, before.row(20)}, {2, before.row(20)}, {23, before.row(0)}}, "导入"));
        QCOMPARE(m->rowCount(), int(before.size()) + 3);
        QCOMPARE(cell(m, 23, ColumnKind::Zone).data().toString(), QString("清水河源头水保护区"));
    }
    const catalogue::ZoneTable after = m->table();
    const int afterColumns = m->columnCount();
    QVERIFY2(!(after == before), "the edit changed nothing");
    QVERIFY(w->isWindowModified());
    QVERIFY(action(w.get(), "actionUndo")->isEnabled());

    action(w.get(), "actionUndo")->trigger();
    QVERIFY(m->table() == before);
    QCOMPARE(m->columnCount(), columns);
    QVERIFY(!w->isWindowModified());
    for (std::size_t r = 0; r < before.size(); ++r) // computed again as they were
        QCOMPARE(m->table().outcome(r).capacityText, before.outcome(r).capacityText);

    action(w.get(), "actionRedo")->trigger();
    QVERIFY(m->table() == after);
    QCOMPARE(m->columnCount(), afterColumns);
    QVERIFY(w->isWindowModified());
}

void TestZoneTableWindow::typedWithTheKeyboard()
{
    auto w = openExample();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    ZoneTableModel *m = w->model();
    QTableView *view = w->tableZones;
    const QModelIndex load = cell(m, 0, ColumnKind::Load);
    view->setFocus();
    view->setCurrentIndex(load);
    // Typing on a cell starts its editor with the key typed; Return enters it.
    QTest::keyClick(view, Qt::Key_9);
    QWidget *editor = QApplication::focusWidget();
    QVERIFY2(editor && editor != view, editor ? qPrintable(editor->objectName()) : "none");
    QTest::keyClicks(editor, "99");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(load.data().toString(), QString("999")); // the editor commits once its key is done
    QCOMPARE(cell(m, 0, ColumnKind::Status).data().toString(), QString("需削减"));
    QCOMPARE(m->undoStack()->count(), 1);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(load.data().toString(), QString("150"));
    QCOMPARE(cell(m, 0, ColumnKind::Status).data().toString(), QString("达标"));
}

void TestZoneTableWindow::savedOpenedAndRefused()
{
    ScriptedPrompts prompts;
    auto w = openExample();
    ZoneTableModel *m = w->model();
    type(m, 0, ColumnKind::Zone, "改名的水功能区");
    QVERIFY(w->isWindowModified());
    prompts.saveAnswers.enqueue(path("saved")); // no extension: .vtable is added
    action(w.get(), "actionSaveAs")->trigger();
    QVERIFY(QFile::exists(path("saved.vtable")));
    QVERIFY(!w->isWindowModified());
    QCOMPARE(w->filePath(), path("saved.vtable"));
    QVERIFY(w->statusBar()->currentMessage().startsWith("已保存："));
    QVERIFY(catalogue::readTableFile(path("saved.vtable").toStdString()) == m->table());

    // A bad file: its reason, and the table as it was.
    type(m, 1, ColumnKind::Load, "7");
    const catalogue::ZoneTable edited = m->table();
    QFile bad(path("bad.vtable"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(R"({"program":"Varnolek","format":1,"kind":"table","rows":[{"load":12}]})");
    bad.close();
    prompts.saveChoices.enqueue(ui::Prompts::SaveChoice::Discard);
    prompts.fileAnswers.enqueue(path("bad.vtable"));
    action(w.get(), "actionOpen")->trigger();
    QCOMPARE(prompts.lastMessage(), QString("计算表文件无法读取：第 1 行的“load”的值不是文本"));
    QVERIFY(m->table() == edited);
    QCOMPARE(w->filePath(), path("saved.vtable"));

    // Save writes where it was saved; the file reads back as the table stands.
    action(w.get(), "actionSave")->trigger();
    QVERIFY(catalogue::readTableFile(path("saved.vtable").toStdString()) == edited);
    // A folder that cannot be written: the reason, and the table still changed.
    type(m, 1, ColumnKind::Load, "8");
    prompts.saveAnswers.enqueue(path("no/such/folder/x.vtable"));
    action(w.get(), "actionSaveAs")->trigger();
    QVERIFY(prompts.lastMessage().startsWith("计算表文件无法保存："));
    QVERIFY(w->isWindowModified());
}

void TestZoneTableWindow::changesAreNotLostOnClosing()
{
    ScriptedPrompts prompts;
    auto w = openExample();
    w->show();
    QVERIFY(w->close()); // nothing changed: nothing asked
    QVERIFY(prompts.saveQuestions.isEmpty());
    w->show();
    type(w->model(), 0, ColumnKind::Load, "1");
    prompts.saveChoices.enqueue(ui::Prompts::SaveChoice::Cancel);
    QVERIFY(!w->close());
    QCOMPARE(prompts.saveQuestions.size(), 1);
    QCOMPARE(prompts.saveQuestions[0], QString("“qingshui_plan.vtable”已修改，是否保存？"));
    QVERIFY(w->isVisible());
    // New, over a changed table, asks too; Save writes the table's own file.
    const QString own = w->filePath();
    prompts.saveChoices.enqueue(ui::Prompts::SaveChoice::Save);
    action(w.get(), "actionNew")->trigger();
    QCOMPARE(catalogue::readTableFile(own.toStdString()).row(0).load, std::string("1"));
    QCOMPARE(w->model()->rowCount(), 1);
    QVERIFY(w->filePath().isEmpty());
    QVERIFY(prompts.saveFilters.isEmpty()); // no dialog: the file was known
    // A new table changed: Save asks where, and a cancelled dialog keeps the window.
    type(w->model(), 0, ColumnKind::Zone, "甲");
    prompts.saveChoices.enqueue(ui::Prompts::SaveChoice::Save);
    QVERIFY(!w->close());
    QCOMPARE(prompts.saveFilters.size(), 1);
    QVERIFY(w->isVisible());
}

void TestZoneTableWindow::mainMenuOpensTables()
{
    ScriptedPrompts prompts;
    ui::WindowRegistry registry;
    mainform menu(registry);
    auto *tablesMenu = menu.menuBar()->findChild<QMenu *>("menuTables");
    QVERIFY(tablesMenu);
    QCOMPARE(tablesMenu->menuAction()->text(), QString("计算表(&T)"));
    QVERIFY(tablesMenu->menuAction()->isVisible());
    QAction *newTable = action(&menu, "actionNewTable");
    QAction *openTable = action(&menu, "actionOpenTable");
    QCOMPARE(newTable->text(), QString("新建计算表"));
    QCOMPARE(newTable->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(openTable->text(), QString("打开计算表…"));
    QCOMPARE(openTable->shortcut(), QKeySequence("Ctrl+Shift+O"));

    auto tablesOpen = [] {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += w->objectName() == "zonetable" && w->isVisible();
        return n;
    };
    newTable->trigger();
    newTable->trigger();
    QCOMPARE(tablesOpen(), 2); // a new table each time
    QVERIFY(QFile::copy(examplePath(), path("plan.vtable")));
    prompts.fileAnswers.enqueue(path("plan.vtable"));
    openTable->trigger();
    QCOMPARE(tablesOpen(), 3);
    // The same file again raises its window.
    QWidget *again = openTableFile(registry, &menu, path("plan.vtable"));
    QCOMPARE(tablesOpen(), 3);
    QCOMPARE(qobject_cast<zonetable *>(again)->filePath(), path("plan.vtable"));
    QCOMPARE(tableArgument({"varnolek", path("plan.vtable")}), path("plan.vtable"));
    QCOMPARE(tableArgument({"varnolek", "x.vcase"}), QString());

    // Exit closes them all, but not one whose changes the user keeps.
    type(qobject_cast<zonetable *>(again)->model(), 0, ColumnKind::Load, "2");
    prompts.saveChoices.enqueue(ui::Prompts::SaveChoice::Cancel);
    QVERIFY(!registry.closeAll());
    QCOMPARE(tablesOpen(), 1);
    prompts.saveChoices.enqueue(ui::Prompts::SaveChoice::Discard);
    QVERIFY(registry.closeAll());
    QCOMPARE(tablesOpen(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestZoneTableWindow::totals()
{
    auto w = openExample();
    w->show();
    auto *tabs = w->findChild<QTabWidget *>("tabs");
    tabs->setCurrentWidget(w->tabTotals);
    auto *byItem = w->findChild<QTableWidget *>("tableByItem");
    auto *byWater = w->findChild<QTableWidget *>("tableByWater");
    QCOMPARE(byItem->rowCount(), 4); // COD, NH3-N, TN, TP
    QCOMPARE(byItem->item(0, 0)->text(), QString("COD"));
    const catalogue::Totals t = w->model()->table().totals();
    QCOMPARE(byItem->item(0, 2)->text().toDouble(), std::round(t.byItem[0].capacity * 1000) / 1000);
    QCOMPARE(byWater->item(0, 0)->text(), QString("清水河"));
    QVERIFY(w->findChild<QLabel *>("labelTotals")->text().contains("21"));
    auto *choice = w->findChild<QComboBox *>("comboChartItem");
    QCOMPARE(choice->count(), 4);
    QVERIFY(w->findChild<QWidget *>("chartZones"));
    // An edit while the totals are shown reaches them once its events are done.
    type(w->model(), 0, ColumnKind::Load, "");
    QTRY_VERIFY(w->findChild<QLabel *>("labelTotals")->text().contains("另有 1 行未计算完成"));
    QCOMPARE(byItem->item(0, 1)->text(), QString("8"));
}

void TestZoneTableWindow::sheets_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("PDF") << "pdf";
    QTest::newRow("ODF text") << "odt";
    QTest::newRow("HTML") << "html";
}

void TestZoneTableWindow::sheets()
{
    QFETCH(QString, suffix);
    ScriptedPrompts prompts;
    auto w = openExample();
    const QString file = path("sheet." + suffix);
    prompts.saveAnswers.enqueue(file);
    action(w.get(), "actionExportSheet")->trigger();
    QVERIFY2(QFile::exists(file), qPrintable(prompts.lastMessage()));
    QVERIFY(prompts.inputsAsked.isEmpty()); // the table has its project
    QVERIFY(w->statusBar()->currentMessage().startsWith("已保存："));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    if (suffix == "pdf")
        QVERIFY(bytes.startsWith("%PDF"));
    if (suffix == "odt")
        QVERIFY(bytes.startsWith("PK"));
    if (suffix != "html")
        return;
    const QString html = QString::fromUtf8(bytes);
    for (const char *text :
         {"水功能区纳污能力计算书", "清水河流域水资源保护规划", "一、水功能区纳污能力计算成果", "碧波水库饮用水源区",
          "15（标准值）", "二、计算参数", "三、汇总", "四、计算方法", "计算：__________"})
        QVERIFY2(html.contains(QString::fromUtf8(text)), text);
    // Each method used once, with its formula.
    QCOMPARE(html.count("W = (Cs × (Q0 + Q2) × exp(K × x / 86400 / u) − C0 × Q0)"), 1);
    QCOMPARE(html.count("计算二维河道水体纳污能力（my2dw）"), 2); // its inputs, then its formula

    prompts.printAccepted = true;
    action(w.get(), "actionPrintSheet")->trigger();
    QCOMPARE(prompts.printed.size(), 1);
    QVERIFY(prompts.printed[0].contains("白沙河入湖缓冲区"));
}

QTEST_MAIN(TestZoneTableWindow)
#include "tst_zonetablewindow.moc"
