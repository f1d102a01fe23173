#pragma once
// The window `zonetable` 水功能区纳污能力计算表: the receiving capacity and
// load limit of every water-function zone of a plan in one table
// (`tableZones`), its totals in a second tab (`tabTotals`), saved as a .vtable
// file, and its calculation sheet. Each cell typed computes its row at once;
// every edit can be undone. Zones come in from Excel and WPS pasted or
// imported (.xlsx, .csv) and go out copied or exported.

#include "catalogue/zonetable.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QTabWidget;
class QTableView;
class QToolBar;

namespace tables {
class TotalsView;
class ZoneTableModel;
} // namespace tables

class zonetable : public QMainWindow {
    Q_OBJECT

public:
    // A new table of one empty row.
    zonetable();
    ~zonetable() override;

    // Reads a table file into the window; a file that cannot be read gets its
    // message and changes nothing. Whether it was read.
    bool openFile(const QString &path);
    // Writes the table to a file; a failure gets its message. Whether it was written.
    bool saveTo(const QString &path);
    // Reads a spreadsheet (.xlsx, .csv) into a new table, not yet saved; a
    // file refused gets its message and changes nothing, and the columns
    // passed over are named in one message. Whether it was read.
    bool importFrom(const QString &path);
    // Writes the table as an xlsx workbook or a CSV file (with a byte-order
    // mark, for Excel), by the path's extension. Whether it was written.
    bool exportTo(const QString &path);
    // Pastes the clipboard's tab-separated text into the selected cells, one
    // step to undo; cells that do not fit are listed and nothing is pasted.
    void paste();

    // The file the table was read from or saved to, or the empty text.
    QString filePath() const { return m_path; }

    tables::ZoneTableModel *model() const { return m_model; }

    QTableView *tableZones;  // the table; its first columns stand in tableFrozen
    QTableView *tableFrozen; // the zones' numbers and names, which do not scroll sideways
    QTabWidget *tabs;
    tables::TotalsView *tabTotals;
    QToolBar *toolBar;
    QAction *actionNew, *actionOpen, *actionSave, *actionSaveAs, *actionImport, *actionExport, *actionExportSheet,
        *actionPrintSheet, *actionProjectName, *actionReturn;
    QAction *actionUndo, *actionRedo, *actionCopy, *actionPaste, *actionInsertRow, *actionDeleteRows, *actionFillDown;
    QLabel *labelCounts;

    // The window's caption before the file's name.
    static const QString title;
    // The columns that stand still at the left, in tableFrozen: 序号 and 水功能区.
    static constexpr int frozenColumns = 2;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void newTable();
    void open();
    bool save();
    bool saveAs();
    void importSpreadsheet();
    void exportSpreadsheet();
    void exportSheet();
    void printSheet();
    void askProjectName();
    void copy();
    void insertRow();
    void deleteRows();
    void fillDown();
    // Whether the table's changes may go: saved, or the user let them go.
    bool maybeSave();
    void showTable(catalogue::ZoneTable table, const QString &path);
    void showSaved(const QString &path, const QString &what = QStringLiteral("已保存："));
    // Where a file made of this table starts in its dialog: beside the table's
    // file, or in the last folder under the project's name, with this extension.
    QString startPath(const QString &suffix) const;
    void updateTitle();
    // Counts and totals follow the table once the events of an edit are done.
    void scheduleRefresh();
    void refresh();
    void fitColumns(int first, int last);
    // Each view shows its own columns of the model.
    void placeColumns();
    QList<int> selectedRows() const;
    void goTo(const QModelIndex &cell);

    tables::ZoneTableModel *m_model;
    QString m_path;
    bool m_refreshScheduled = false;
    bool m_totalsStale = true;
};
