#include "zonetable.h"

#include "tablesheet.h"
#include "totalsview.h"
#include "zonedelegate.h"
#include "zonetablemodel.h"

#include "catalogue/tablefile.h"
#include "documents/documents.h"
#include "documents/sheet.h"
#include "spreadsheet/delimited.h"
#include "spreadsheet/tableexport.h"
#include "spreadsheet/tableimport.h"
#include "ui/prompts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>
#include <climits>
#include <set>

const QString zonetable::title = QStringLiteral("水功能区纳污能力计算表");

namespace {

// One of the two views of the table: the zones' numbers and names at the
// left, the rest at the right. The cursor crosses from one to the other at
// their edge, with the arrows and Tab, and an edit goes on across it.
class ZoneView : public QTableView {
public:
    ZoneView(QWidget *parent, bool left) : QTableView(parent), m_left(left) {}
    void setPartner(ZoneView *partner) { m_partner = partner; }
    bool editing() const { return state() == QAbstractItemView::EditingState; }

protected:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        m_goOnEditing = hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
        QTableView::closeEditor(editor, hint);
        m_goOnEditing = false;
    }

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        const QModelIndex current = currentIndex();
        const bool across =
            m_left ? action == MoveNext || action == MoveRight : action == MovePrevious || action == MoveLeft;
        const int edge = m_left ? zonetable::frozenColumns - 1 : zonetable::frozenColumns;
        if (!m_partner || !current.isValid() || current.column() != edge || !across)
            return QTableView::moveCursor(action, modifiers);
        const QModelIndex to = model()->index(current.row(), m_left ? edge + 1 : edge - 1);
        m_partner->setFocus();
        m_partner->setCurrentIndex(to);
        if (m_left)
            m_partner->horizontalScrollBar()->setValue(0);
        if (m_goOnEditing && (to.flags() & Qt::ItemIsEditable))
            m_partner->edit(to);
        return QModelIndex(); // this view's own cursor stays
    }

private:
    bool m_left;
    ZoneView *m_partner = nullptr;
    bool m_goOnEditing = false;
};

const QString promptTitle = QStringLiteral("提示");
const QString tableFilter = QStringLiteral("Varnolek 计算表 (*.vtable)");
const QString sheetFilters = QStringLiteral("PDF 文件 (*.pdf);;ODF 文本 (*.odt);;网页 (*.html)");
const QString importFilters =
    QStringLiteral("Excel 或 WPS 表格 (*.xlsx *.csv);;Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv);;所有文件 (*)");
const QString exportFilters = QStringLiteral("Excel 工作簿 (*.xlsx);;CSV 文件（UTF-8，带 BOM） (*.csv)");
constexpr int savedMessageMs = 5000;

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

// A new table: one row, every choice still to be made.
catalogue::ZoneTable emptyTable()
{
    return catalogue::ZoneTable({catalogue::ZoneRow()});
}

QAction *makeAction(QMenu *menu, QAction *&member, const char *name, const QString &text, const QKeySequence &shortcut,
                    const QString &tip)
{
    member = menu->addAction(text);
    member->setObjectName(QString::fromLatin1(name));
    member->setShortcut(shortcut);
    member->setStatusTip(tip);
    member->setToolTip(shortcut.isEmpty() ? text
                                          : text + QStringLiteral("（") + shortcut.toString(QKeySequence::NativeText) +
                                                QStringLiteral("）"));
    return member;
}

} // namespace

zonetable::zonetable() : QMainWindow(nullptr)
{
    setObjectName("zonetable");
    setAttribute(Qt::WA_DeleteOnClose);

    m_model = new tables::ZoneTableModel(this);
    m_model->setObjectName("zoneModel");

    tabs = new QTabWidget(this);
    tabs->setObjectName("tabs");
    // The zone's number and name stand still at the left (`tableFrozen`)
    // while the fields and results scroll by in `tableZones`: two views of the
    // one model, with one selection, scrolled down together.
    auto *pane = new QWidget(tabs);
    pane->setObjectName("tablePane");
    auto *panes = new QHBoxLayout(pane);
    panes->setContentsMargins(0, 0, 0, 0);
    panes->setSpacing(0);
    auto *left = new ZoneView(pane, true), *right = new ZoneView(pane, false);
    left->setPartner(right);
    right->setPartner(left);
    tableFrozen = left;
    tableFrozen->setObjectName("tableFrozen");
    tableZones = right;
    tableZones->setObjectName("tableZones");
    for (QTableView *view : {tableFrozen, tableZones}) {
        view->setModel(m_model);
        view->setItemDelegate(new tables::ZoneDelegate(view));
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectItems);
        view->setWordWrap(false);
        view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
        // Rows of one height and no row header to measure: ten thousand rows
        // cost no more to show than the few on the screen.
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
        view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
        view->horizontalHeader()->setHighlightSections(true);
        // Both views end in a horizontal scroll bar, so that their rows stay level.
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view->installEventFilter(this);
    }
    tableFrozen->setSelectionModel(tableZones->selectionModel());
    tableFrozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tableFrozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tableFrozen->horizontalHeader()->setStretchLastSection(true); // nothing to scroll sideways
    connect(tableZones->verticalScrollBar(), &QScrollBar::valueChanged, tableFrozen->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(tableFrozen->verticalScrollBar(), &QScrollBar::valueChanged, tableZones->verticalScrollBar(),
            &QScrollBar::setValue);
    panes->addWidget(tableFrozen);
    panes->addWidget(tableZones, 1);
    tabs->addTab(pane, QStringLiteral("计算表"));
    tabTotals = new tables::TotalsView(tabs);
    tabTotals->setObjectName("tabTotals");
    tabs->addTab(tabTotals, QStringLiteral("汇总"));
    setCentralWidget(tabs);

    labelCounts = new QLabel(this);
    labelCounts->setObjectName("labelCounts");
    // Wide enough for the counts of 100,000 rows, so that a count changed by
    // an edit lays nothing out anew.
    labelCounts->setFixedWidth(labelCounts->fontMetrics().horizontalAdvance(
        QStringLiteral("共 100000 行：达标 100000，需削减 100000，未计算完成 100000")));
    labelCounts->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->setObjectName("statusBar");
    statusBar()->addPermanentWidget(labelCounts);
    buildMenus();

    connect(m_model, &tables::ZoneTableModel::tableChanged, this, &zonetable::scheduleRefresh);
    connect(m_model, &tables::ZoneTableModel::editRefused, this,
            [this](const QString &why) { ui::Prompts::current().message(this, why, promptTitle); });
    connect(m_model, &QAbstractItemModel::columnsInserted, this, [this](const QModelIndex &, int first, int last) {
        placeColumns();
        fitColumns(first, last);
    });
    connect(m_model, &QAbstractItemModel::columnsRemoved, this, &zonetable::placeColumns);
    connect(m_model->undoStack(), &QUndoStack::cleanChanged, this, &zonetable::updateTitle);
    connect(tabs, &QTabWidget::currentChanged, this, [this] {
        if (tabs->currentWidget() == tabTotals && m_totalsStale)
            refresh();
    });

    showTable(emptyTable(), QString());
    // A wide table: most of the screen.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::max(800, screen.width() * 9 / 10), std::max(560, screen.height() * 9 / 10));
}

void zonetable::buildMenus()
{
    menuBar()->setObjectName("menuBar");
    menuBar()->setNativeMenuBar(false);
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->setObjectName("menuFile");
    makeAction(file, actionNew, "actionNew", QStringLiteral("新建"), QKeySequence(Qt::CTRL | Qt::Key_N),
               QStringLiteral("新建一张空白计算表"));
    makeAction(file, actionOpen, "actionOpen", QStringLiteral("打开…"), QKeySequence(Qt::CTRL | Qt::Key_O),
               QStringLiteral("打开计算表文件（.vtable）"));
    makeAction(file, actionSave, "actionSave", QStringLiteral("保存"), QKeySequence(Qt::CTRL | Qt::Key_S),
               QStringLiteral("保存计算表"));
    makeAction(file, actionSaveAs, "actionSaveAs", QStringLiteral("另存为…"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), QStringLiteral("将计算表保存为另一个文件"));
    file->addSeparator();
    makeAction(file, actionImport, "actionImport", QStringLiteral("导入…"), QKeySequence(),
               QStringLiteral("从 Excel 或 WPS 表格（.xlsx、.csv）导入水功能区，作为一张新的计算表"));
    makeAction(file, actionExport, "actionExport", QStringLiteral("导出…"), QKeySequence(),
               QStringLiteral("将计算表导出为 Excel 工作簿（.xlsx，含汇总表）或 CSV 文件"));
    file->addSeparator();
    makeAction(file, actionExportSheet, "actionExportSheet", QStringLiteral("导出计算书…"),
               QKeySequence(Qt::CTRL | Qt::Key_E), QStringLiteral("将计算书导出为 PDF、ODT 或 HTML 文件"));
    makeAction(file, actionPrintSheet, "actionPrintSheet", QStringLiteral("打印计算书…"),
               QKeySequence(Qt::CTRL | Qt::Key_P), QStringLiteral("打印计算书"));
    makeAction(file, actionProjectName, "actionProjectName", QStringLiteral("项目名称…"), QKeySequence(),
               QStringLiteral("计算表和计算书所属的项目"));
    file->addSeparator();
    makeAction(file, actionReturn, "actionReturn", QStringLiteral("返回"), QKeySequence(),
               QStringLiteral("关闭计算表，回到主菜单"));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    edit->setObjectName("menuEdit");
    QUndoStack *undo = m_model->undoStack();
    actionUndo = undo->createUndoAction(this, QStringLiteral("撤销"));
    actionUndo->setObjectName("actionUndo");
    actionUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    edit->addAction(actionUndo);
    actionRedo = undo->createRedoAction(this, QStringLiteral("重做"));
    actionRedo->setObjectName("actionRedo");
    actionRedo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    edit->addAction(actionRedo);
    edit->addSeparator();
    makeAction(edit, actionCopy, "actionCopy", QStringLiteral("复制"), QKeySequence(Qt::CTRL | Qt::Key_C),
               QStringLiteral("将选中的单元格复制为表格，可粘贴到 Excel 或 WPS"));
    makeAction(edit, actionPaste, "actionPaste", QStringLiteral("粘贴"), QKeySequence(Qt::CTRL | Qt::Key_V),
               QStringLiteral("将从 Excel 或 WPS 复制的单元格粘贴到选中的单元格；首行为列名时按列名对应"));
    makeAction(edit, actionInsertRow, "actionInsertRow", QStringLiteral("插入行"), QKeySequence(Qt::CTRL | Qt::Key_I),
               QStringLiteral("在当前行之后插入一行，沿用当前行的水体、水质目标、污染物和计算方法"));
    makeAction(edit, actionDeleteRows, "actionDeleteRows", QStringLiteral("删除行"),
               QKeySequence(Qt::CTRL | Qt::Key_Delete), QStringLiteral("删除选中单元格所在的行"));
    makeAction(edit, actionFillDown, "actionFillDown", QStringLiteral("向下填充"), QKeySequence(Qt::CTRL | Qt::Key_D),
               QStringLiteral("选中单元格取其所在列选区最上一格的内容；只选一行时取上一行的内容"));

    QStyle *style = this->style();
    actionNew->setIcon(style->standardIcon(QStyle::SP_FileIcon));
    actionOpen->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
    actionSave->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
    actionUndo->setIcon(style->standardIcon(QStyle::SP_ArrowBack));
    actionRedo->setIcon(style->standardIcon(QStyle::SP_ArrowForward));
    actionExportSheet->setIcon(style->standardIcon(QStyle::SP_FileDialogDetailedView));
    actionImport->setIcon(style->standardIcon(QStyle::SP_ArrowDown));
    actionExport->setIcon(style->standardIcon(QStyle::SP_ArrowUp));

    toolBar = addToolBar(QStringLiteral("常用"));
    toolBar->setObjectName("toolBar");
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->setMovable(false);
    for (QAction *action : {actionNew, actionOpen, actionSave})
        toolBar->addAction(action);
    toolBar->addSeparator();
    for (QAction *action : {actionImport, actionExport})
        toolBar->addAction(action);
    toolBar->addSeparator();
    for (QAction *action : {actionUndo, actionRedo})
        toolBar->addAction(action);
    toolBar->addSeparator();
    for (QAction *action : {actionInsertRow, actionDeleteRows, actionFillDown})
        toolBar->addAction(action);
    toolBar->addSeparator();
    toolBar->addAction(actionExportSheet);

    connect(actionNew, &QAction::triggered, this, &zonetable::newTable);
    connect(actionOpen, &QAction::triggered, this, &zonetable::open);
    connect(actionSave, &QAction::triggered, this, &zonetable::save);
    connect(actionSaveAs, &QAction::triggered, this, &zonetable::saveAs);
    connect(actionImport, &QAction::triggered, this, &zonetable::importSpreadsheet);
    connect(actionExport, &QAction::triggered, this, &zonetable::exportSpreadsheet);
    connect(actionExportSheet, &QAction::triggered, this, &zonetable::exportSheet);
    connect(actionPrintSheet, &QAction::triggered, this, &zonetable::printSheet);
    connect(actionProjectName, &QAction::triggered, this, &zonetable::askProjectName);
    connect(actionReturn, &QAction::triggered, this, &QWidget::close);
    connect(actionCopy, &QAction::triggered, this, &zonetable::copy);
    connect(actionPaste, &QAction::triggered, this, &zonetable::paste);
    connect(actionInsertRow, &QAction::triggered, this, &zonetable::insertRow);
    connect(actionDeleteRows, &QAction::triggered, this, &zonetable::deleteRows);
    connect(actionFillDown, &QAction::triggered, this, &zonetable::fillDown);
}

void zonetable::showTable(catalogue::ZoneTable table, const QString &path)
{
    m_model->setTable(std::move(table));
    m_path = path;
    setWindowFilePath(path);
    placeColumns();
    fitColumns(0, m_model->columnCount() - 1);
    updateTitle();
    refresh();
    if (m_model->rowCount() > 0)
        goTo(m_model->index(0, m_model->columnOf(catalogue::ColumnKind::Zone)));
}

void zonetable::updateTitle()
{
    const QString name = m_path.isEmpty() ? QStringLiteral("未命名") : QFileInfo(m_path).fileName();
    setWindowTitle(title + QStringLiteral(" — ") + name + QStringLiteral("[*]"));
    setWindowModified(!m_model->undoStack()->isClean());
}

void zonetable::fitColumns(int first, int last)
{
    // Each column as wide as its caption's longest line and the texts of the
    // first rows, within bounds: measuring every row of a large table would
    // cost more than its opening.
    const QFontMetrics metrics(tableZones->font());
    const QFontMetrics headerMetrics(tableZones->horizontalHeader()->font());
    const int sample = std::min(m_model->rowCount(), 200);
    for (int c = std::max(first, 0); c <= last && c < m_model->columnCount(); ++c) {
        int width = 0;
        for (const QString &line : m_model->headerData(c, Qt::Horizontal).toString().split(u'\n'))
            width = std::max(width, headerMetrics.horizontalAdvance(line));
        for (int r = 0; r < sample; ++r)
            width = std::max(width, metrics.horizontalAdvance(m_model->index(r, c).data().toString()));
        // Room for the names and choices a new table has yet to be given.
        int narrowest = 44;
        switch (m_model->column(c).kind) {
        case catalogue::ColumnKind::Zone:
            narrowest = 150;
            break;
        case catalogue::ColumnKind::WaterName:
        case catalogue::ColumnKind::Status:
            narrowest = 90;
            break;
        case catalogue::ColumnKind::Method:
            narrowest = 120;
            break;
        default:
            break;
        }
        const catalogue::ColumnKind kind = m_model->column(c).kind;
        const int widest = kind == catalogue::ColumnKind::Status || kind == catalogue::ColumnKind::Method ? 260 : 200;
        (c < frozenColumns ? tableFrozen : tableZones)->setColumnWidth(c, std::clamp(width + 18, narrowest, widest));
    }
    int lines = 1;
    for (int c = 0; c < m_model->columnCount(); ++c)
        lines = std::max(lines, int(m_model->headerData(c, Qt::Horizontal).toString().count(u'\n')) + 1);
    for (QTableView *view : {tableFrozen, tableZones})
        view->horizontalHeader()->setFixedHeight(headerMetrics.height() * lines + 10);
    int frozenWidth = 2 * tableFrozen->frameWidth();
    for (int c = 0; c < frozenColumns && c < m_model->columnCount(); ++c)
        frozenWidth += tableFrozen->columnWidth(c);
    tableFrozen->setFixedWidth(frozenWidth);
}

void zonetable::placeColumns()
{
    for (int c = 0; c < m_model->columnCount(); ++c) {
        tableFrozen->setColumnHidden(c, c >= frozenColumns);
        tableZones->setColumnHidden(c, c < frozenColumns);
    }
}

bool zonetable::maybeSave()
{
    if (m_model->undoStack()->isClean())
        return true;
    const QString name = m_path.isEmpty() ? QStringLiteral("未命名的计算表") : QFileInfo(m_path).fileName();
    switch (ui::Prompts::current().askToSave(this, QStringLiteral("“%1”已修改，是否保存？").arg(name), promptTitle)) {
    case ui::Prompts::SaveChoice::Save:
        return save();
    case ui::Prompts::SaveChoice::Discard:
        return true;
    case ui::Prompts::SaveChoice::Cancel:
        break;
    }
    return false;
}

void zonetable::closeEvent(QCloseEvent *event)
{
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

void zonetable::newTable()
{
    if (maybeSave())
        showTable(emptyTable(), QString());
}

void zonetable::open()
{
    if (!maybeSave())
        return;
    const QString path = ui::Prompts::current().openFile(this, QStringLiteral("打开计算表"), documents::lastFolder());
    if (!path.isEmpty() && openFile(path))
        documents::rememberFolder(path);
}

zonetable::~zonetable()
{
    // The model and its undo stack are the window's children, deleted after
    // the window has stopped being a table window; the undo stack still tells
    // of its clean state as it goes, which must not reach the window's slots.
    m_model->undoStack()->disconnect(this);
    m_model->disconnect(this);
}

bool zonetable::openFile(const QString &path)
{
    catalogue::ZoneTable table;
    try {
        table = catalogue::readTableFile(QFileInfo(path).absoluteFilePath().toStdString());
    } catch (const catalogue::BadTableFile &bad) {
        ui::Prompts::current().message(
            this, QString::fromUtf8(catalogue::tableUnreadableText) + QString::fromUtf8(bad.what()), promptTitle);
        return false;
    }
    showTable(std::move(table), QFileInfo(path).absoluteFilePath());
    return true;
}

bool zonetable::save()
{
    return m_path.isEmpty() ? saveAs() : saveTo(m_path);
}

bool zonetable::saveAs()
{
    const QString start =
        m_path.isEmpty() ? QDir(documents::lastFolder())
                               .filePath((m_model->table().project.empty() ? title : qs(m_model->table().project)) +
                                         QString::fromUtf8(catalogue::tableExtension))
                         : m_path;
    QString path = ui::Prompts::current().saveFile(this, QStringLiteral("保存计算表"), start, tableFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QString::fromUtf8(catalogue::tableExtension);
    if (!saveTo(path))
        return false;
    documents::rememberFolder(path);
    return true;
}

bool zonetable::saveTo(const QString &path)
{
    const std::string text = catalogue::tableFileText(m_model->table());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.commit()) {
        const QString error = file.errorString();
        file.cancelWriting();
        ui::Prompts::current().message(this, QStringLiteral("计算表文件无法保存：") + error, promptTitle);
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    setWindowFilePath(m_path);
    m_model->undoStack()->setClean();
    updateTitle();
    showSaved(m_path);
    return true;
}

void zonetable::showSaved(const QString &path, const QString &prefix)
{
    const QFontMetrics metrics(statusBar()->font());
    const int room = statusBar()->width() - labelCounts->width() - metrics.horizontalAdvance(prefix) - 24;
    statusBar()->showMessage(prefix +
                                 metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, std::max(room, 0)),
                             savedMessageMs);
}

void zonetable::askProjectName()
{
    const std::optional<QString> name = ui::Prompts::current().input(
        this, QStringLiteral("请输入项目名称："), QStringLiteral("项目名称"), qs(m_model->table().project));
    if (name)
        m_model->setProject(*name);
}

QString zonetable::startPath(const QString &suffix) const
{
    if (!m_path.isEmpty())
        return QFileInfo(m_path).absolutePath() + u'/' + QFileInfo(m_path).completeBaseName() + suffix;
    const std::string &project = m_model->table().project;
    return QDir(documents::lastFolder()).filePath((project.empty() ? title : qs(project)) + suffix);
}

void zonetable::importSpreadsheet()
{
    if (!maybeSave())
        return;
    const QString path = ui::Prompts::current().openFileOfTypes(this, QStringLiteral("导入 Excel 或 WPS 表格"),
                                                                documents::lastFolder(), importFilters);
    if (!path.isEmpty() && importFrom(path))
        documents::rememberFolder(path);
}

bool zonetable::importFrom(const QString &path)
{
    spreadsheet::Imported imported;
    try {
        imported = spreadsheet::importFile(QFileInfo(path).absoluteFilePath().toStdString());
    } catch (const spreadsheet::BadSpreadsheet &bad) {
        ui::Prompts::current().message(
            this, QString::fromUtf8(spreadsheet::importRefusedText) + QString::fromUtf8(bad.what()), promptTitle);
        return false;
    }
    const std::size_t rows = imported.table.size();
    // A new table, named by no file yet: it is saved where the user chooses,
    // and asked for before it would be lost.
    showTable(std::move(imported.table), QString());
    m_model->undoStack()->resetClean();
    showSaved(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), QStringLiteral("已导入 %1 行：").arg(rows));
    if (!imported.unknownColumns.empty()) {
        QStringList names;
        for (const std::string &name : imported.unknownColumns)
            names << qs(name);
        ui::Prompts::current().message(
            this, QStringLiteral("以下列不是计算表的列，未导入：\n") + names.join(QStringLiteral("、")), promptTitle);
    }
    return true;
}

void zonetable::exportSpreadsheet()
{
    QString path = ui::Prompts::current().saveFile(this, QStringLiteral("导出为 Excel 或 WPS 表格"),
                                                   startPath(QStringLiteral(".xlsx")), exportFilters);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    if (exportTo(path))
        documents::rememberFolder(path);
}

bool zonetable::exportTo(const QString &path)
{
    const std::optional<spreadsheet::FileKind> kind = spreadsheet::fileKind(path.toStdString());
    if (!kind) {
        ui::Prompts::current().message(this, QStringLiteral("计算表只能导出为 .xlsx 或 .csv 文件"), promptTitle);
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (*kind == spreadsheet::FileKind::Xlsx) {
        try {
            spreadsheet::writeWorkbook(m_model->table(), absolute.toStdString());
        } catch (const spreadsheet::WriteFailed &failed) {
            ui::Prompts::current().message(this, QStringLiteral("工作簿无法保存：") + QString::fromUtf8(failed.what()),
                                           promptTitle);
            return false;
        }
    } else {
        const std::string text = spreadsheet::tableCsv(m_model->table(), true);
        QSaveFile file(absolute);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
            !file.commit()) {
            const QString error = file.errorString();
            file.cancelWriting();
            ui::Prompts::current().message(this, QStringLiteral("CSV 文件无法保存：") + error, promptTitle);
            return false;
        }
    }
    showSaved(absolute, QStringLiteral("已导出："));
    return true;
}

void zonetable::paste()
{
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    spreadsheet::Sheet block;
    try {
        block = spreadsheet::readDelimited(text.toStdString(), '\t');
    } catch (const spreadsheet::BadSpreadsheet &bad) {
        ui::Prompts::current().message(this, QStringLiteral("无法粘贴：") + QString::fromUtf8(bad.what()), promptTitle);
        return;
    }
    // The block starts at the selection's top left cell (or the current cell),
    // a single text goes into each cell selected.
    spreadsheet::PasteTarget target;
    const QModelIndexList cells = tableZones->selectionModel()->selectedIndexes();
    const QModelIndex current = tableZones->selectionModel()->currentIndex();
    if (!cells.isEmpty()) {
        target.row = target.column = std::size_t(INT_MAX);
        for (const QModelIndex &cell : cells) {
            target.row = std::min(target.row, std::size_t(cell.row()));
            target.column = std::min(target.column, std::size_t(cell.column()));
            if (cells.size() > 1)
                target.selected.emplace_back(std::size_t(cell.row()), std::size_t(cell.column()));
        }
    } else if (current.isValid()) {
        target.row = std::size_t(current.row());
        target.column = std::size_t(current.column());
    } else {
        target.row = std::size_t(m_model->rowCount());
        target.column = std::size_t(std::max(0, m_model->columnOf(catalogue::ColumnKind::Zone)));
    }
    spreadsheet::Paste plan = spreadsheet::planPaste(m_model->table(), block, target);
    if (plan.refusedCount > 0) {
        ui::Prompts::current().message(this,
                                       qs(spreadsheet::refusalText("以下 " + std::to_string(plan.refusedCount) +
                                                                       " 个单元格无法粘贴，计算表未作改动：",
                                                                   plan.refused, plan.refusedCount)),
                                       promptTitle);
        return;
    }
    const int last = int(target.row + plan.rows) - 1;
    if (!m_model->paste(std::move(plan.changed), std::move(plan.added), QStringLiteral("粘贴")))
        return;
    // The rows pasted stay selected, as a spreadsheet leaves them.
    const int first = int(target.row);
    const int left = plan.byCaption || !target.selected.empty() ? 0 : int(target.column);
    const int right = plan.byCaption || !target.selected.empty()
                          ? m_model->columnCount() - 1
                          : std::min(m_model->columnCount() - 1, int(target.column + block.width) - 1);
    if (target.selected.empty() && last >= first && last < m_model->rowCount()) {
        tableZones->selectionModel()->select(QItemSelection(m_model->index(first, left), m_model->index(last, right)),
                                             QItemSelectionModel::ClearAndSelect);
        tableZones->scrollTo(m_model->index(first, std::max(left, frozenColumns)));
    }
    statusBar()->showMessage(
        plan.ignored > 0 ? QStringLiteral("已粘贴 %1 行；序号和计算结果由计算得出，未取粘贴的内容").arg(plan.rows)
                         : QStringLiteral("已粘贴 %1 行").arg(plan.rows),
        savedMessageMs);
}

void zonetable::exportSheet()
{
    const QString base = m_path.isEmpty()
                             ? QDir(documents::lastFolder()).filePath(title)
                             : QFileInfo(m_path).absolutePath() + u'/' + QFileInfo(m_path).completeBaseName();
    QString path = ui::Prompts::current().saveFile(this, QStringLiteral("导出计算书"),
                                                   base + QStringLiteral("_计算书.pdf"), sheetFilters);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    const std::optional<documents::SheetFormat> format = documents::sheetFormat(path);
    if (!format) {
        ui::Prompts::current().message(this, QStringLiteral("计算书只能导出为 .pdf、.odt 或 .html 文件"), promptTitle);
        return;
    }
    if (m_model->table().project.empty())
        askProjectName();
    const std::unique_ptr<QTextDocument> document = tables::tableSheet(m_model->table());
    QString error;
    if (!documents::writeSheet(*document, path, *format, &error)) {
        ui::Prompts::current().message(this, QStringLiteral("计算书无法保存：") + error, promptTitle);
        return;
    }
    documents::rememberFolder(path);
    showSaved(path);
}

void zonetable::printSheet()
{
    const std::unique_ptr<QTextDocument> document = tables::tableSheet(m_model->table());
    ui::Prompts::current().print(this, *document);
}

void zonetable::copy()
{
    const QModelIndexList cells = tableZones->selectionModel()->selectedIndexes();
    if (cells.isEmpty())
        return;
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (const QModelIndex &cell : cells) {
        top = std::min(top, cell.row()), bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column()), right = std::max(right, cell.column());
    }
    std::set<std::pair<int, int>> chosen;
    for (const QModelIndex &cell : cells)
        chosen.insert({cell.row(), cell.column()});
    // The block the selection spans, as spreadsheets paste it: tab-separated
    // text, and an HTML table; cells within it not selected stay empty.
    QString text, html = QStringLiteral("<table>\n");
    for (int r = top; r <= bottom; ++r) {
        html += QStringLiteral("<tr>");
        for (int c = left; c <= right; ++c) {
            const QString cell = chosen.count({r, c})
                                     ? m_model->index(r, c).data().toString().replace(u'\t', u' ').replace(u'\n', u' ')
                                     : QString();
            text += cell + (c < right ? QStringLiteral("\t") : QStringLiteral("\n"));
            html += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n");
    auto *data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QApplication::clipboard()->setMimeData(data);
}

QList<int> zonetable::selectedRows() const
{
    std::set<int> rows;
    for (const QModelIndex &cell : tableZones->selectionModel()->selectedIndexes())
        rows.insert(cell.row());
    if (rows.empty() && tableZones->currentIndex().isValid())
        rows.insert(tableZones->currentIndex().row());
    return QList<int>(rows.begin(), rows.end());
}

void zonetable::insertRow()
{
    const QModelIndex current = tableZones->currentIndex();
    const int after = current.isValid() ? current.row() : m_model->rowCount() - 1;
    if (m_model->insertZoneRows(after, 1))
        goTo(m_model->index(after + 1, m_model->columnOf(catalogue::ColumnKind::Zone)));
}

void zonetable::deleteRows()
{
    const QList<int> rows = selectedRows();
    if (!m_model->removeZoneRows(rows) || m_model->rowCount() == 0)
        return;
    const int row = std::min(rows.front(), m_model->rowCount() - 1);
    goTo(m_model->index(row, std::max(0, tableZones->currentIndex().column())));
}

void zonetable::goTo(const QModelIndex &cell)
{
    // The cell in the view that shows its column, which takes the keyboard.
    QTableView *view = cell.column() < frozenColumns ? tableFrozen : tableZones;
    view->setFocus();
    view->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(cell);
}

void zonetable::fillDown()
{
    m_model->fillDown(tableZones->selectionModel()->selectedIndexes());
}

bool zonetable::eventFilter(QObject *watched, QEvent *event)
{
    auto *view = watched == tableZones || watched == tableFrozen ? static_cast<ZoneView *>(watched) : nullptr;
    if (view && event->type() == QEvent::KeyPress && !view->editing()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Delete empties the selected cells, as in a spreadsheet (one step to undo).
        if ((key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) && key->modifiers() == Qt::NoModifier) {
            m_model->clearCells(view->selectionModel()->selectedIndexes());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void zonetable::scheduleRefresh()
{
    m_totalsStale = true;
    if (m_refreshScheduled)
        return;
    m_refreshScheduled = true;
    QTimer::singleShot(0, this, &zonetable::refresh);
}

void zonetable::refresh()
{
    m_refreshScheduled = false;
    const catalogue::ZoneTable &table = m_model->table();
    std::size_t meets = 0, reduce = 0, unfinished = 0;
    for (std::size_t r = 0; r < table.size(); ++r) {
        const catalogue::ZoneOutcome &o = table.outcome(r);
        if (o.state != catalogue::ZoneState::Done)
            ++unfinished;
        else if (o.reduction && *o.reduction > 0)
            ++reduce;
        else
            ++meets;
    }
    labelCounts->setText(QStringLiteral("共 %1 行：达标 %2，需削减 %3，未计算完成 %4")
                             .arg(table.size())
                             .arg(meets)
                             .arg(reduce)
                             .arg(unfinished));
    // The totals and their chart are made only while they are looked at.
    if (tabs->currentWidget() == tabTotals) {
        tabTotals->showTotals(table);
        m_totalsStale = false;
    }
}
