#pragma once
// The zone table as the item model of the window's one QTableView: every cell
// is painted from the table, none is a widget, so ten thousand zones stay
// light. Each edit goes through the undo stack as a command on whole rows (a
// cell typed, rows inserted or deleted, a fill down, cells cleared, a paste or
// an import), and the rows it touches are computed again at once.

#include "catalogue/zonetable.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <utility>
#include <vector>

class QUndoStack;

namespace tables {

// Rows by their place in the table.
using PlacedRows = std::vector<std::pair<std::size_t, catalogue::ZoneRow>>;

class ZoneTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The header's caption as the table has it (its display breaks a long one in two).
    static constexpr int captionRole = Qt::UserRole;

    explicit ZoneTableModel(QObject *parent = nullptr);

    const catalogue::ZoneTable &table() const { return m_table; }
    // Puts another table in place (a file opened, a new table): nothing to undo.
    void setTable(catalogue::ZoneTable table);
    QUndoStack *undoStack() const { return m_undo; }

    const catalogue::ZoneColumn &column(int c) const { return m_columns.at(std::size_t(c)); }
    // The column of this kind (the first, for field columns), or -1.
    int columnOf(catalogue::ColumnKind kind) const;
    // The column of a field of this name and unit, or -1.
    int fieldColumn(const std::string &name, const std::string &unit) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A text typed into a cell: one undoable step; a text the column does not
    // take changes nothing and is told of by editRefused.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The undoable edits. Each returns whether anything changed.
    bool setCellText(int row, int column, const QString &text, QString *error = nullptr);
    // count new rows after `after` (-1: at the top), each with the water body,
    // class, pollutant and method of the row they follow, empty otherwise.
    bool insertZoneRows(int after, int count);
    bool removeZoneRows(QList<int> rows);
    // Each selected cell takes the typed text of the cell at the top of its
    // column's selection, or of the cell above where only one row is selected.
    bool fillDown(const QModelIndexList &cells);
    // The selected cells that take text emptied.
    bool clearCells(const QModelIndexList &cells);
    // Rows changed together as one step (a paste, an import), under this name.
    bool replaceRows(PlacedRows rows, const QString &what);
    // Rows added as one step at their places (ascending, as they stand once added).
    bool addRows(PlacedRows rows, const QString &what);
    void setProject(const QString &name);

    // What the commands do and undo.
    void putRows(const PlacedRows &rows);
    void putRowsAt(const PlacedRows &rows);                // inserted, places ascending
    void takeRows(const std::vector<std::size_t> &places); // removed, places ascending
    void putProject(const std::string &name);

signals:
    // Any change of the rows or the project.
    void tableChanged();
    // A text a cell does not take, and why.
    void editRefused(const QString &why);

private:
    // Brings the columns the views know into line with the table's.
    void syncColumns();
    void rowsChanged(std::size_t first, std::size_t last);

    catalogue::ZoneTable m_table;
    std::vector<catalogue::ZoneColumn> m_columns; // as the views know them
    QUndoStack *m_undo;
};

} // namespace tables
