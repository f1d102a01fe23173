#include "zonetablemodel.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <map>
#include <set>

namespace tables {

namespace {

using catalogue::ColumnKind;
using catalogue::ZoneColumn;
using catalogue::ZoneRow;

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

// Rows replaced: each place gets its row before or after.
class ReplaceRows : public QUndoCommand {
public:
    ReplaceRows(ZoneTableModel &model, PlacedRows before, PlacedRows after, const QString &text)
        : QUndoCommand(text), m_model(model), m_before(std::move(before)), m_after(std::move(after))
    {}
    void redo() override { m_model.putRows(m_after); }
    void undo() override { m_model.putRows(m_before); }

private:
    ZoneTableModel &m_model;
    PlacedRows m_before, m_after;
};

// Rows inserted (or, with `removal`, deleted) at their places, ascending.
class InsertRows : public QUndoCommand {
public:
    InsertRows(ZoneTableModel &model, PlacedRows rows, bool removal, const QString &text)
        : QUndoCommand(text), m_model(model), m_rows(std::move(rows)), m_removal(removal)
    {
        for (const auto &placed : m_rows)
            m_places.push_back(placed.first);
    }
    void redo() override { m_removal ? m_model.takeRows(m_places) : m_model.putRowsAt(m_rows); }
    void undo() override { m_removal ? m_model.putRowsAt(m_rows) : m_model.takeRows(m_places); }

private:
    ZoneTableModel &m_model;
    PlacedRows m_rows;
    std::vector<std::size_t> m_places;
    bool m_removal;
};

class SetProject : public QUndoCommand {
public:
    SetProject(ZoneTableModel &model, std::string before, std::string after)
        : QUndoCommand(QStringLiteral("项目名称")), m_model(model), m_before(std::move(before)),
          m_after(std::move(after))
    {}
    void redo() override { m_model.putProject(m_after); }
    void undo() override { m_model.putProject(m_before); }

private:
    ZoneTableModel &m_model;
    std::string m_before, m_after;
};

const QColor greyedCell(222, 222, 222);
const QColor computedCell(246, 246, 238);
const QColor meets(0, 120, 40);
const QColor reduce(190, 20, 20);
const QColor incomplete(150, 100, 0);

} // namespace

ZoneTableModel::ZoneTableModel(QObject *parent) : QAbstractTableModel(parent), m_undo(new QUndoStack(this))
{
    m_columns = m_table.columns();
}

void ZoneTableModel::setTable(catalogue::ZoneTable table)
{
    beginResetModel();
    m_table = std::move(table);
    m_columns = m_table.columns();
    endResetModel();
    m_undo->clear();
    emit tableChanged();
}

int ZoneTableModel::columnOf(catalogue::ColumnKind kind) const
{
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].kind == kind)
            return int(c);
    return -1;
}

int ZoneTableModel::fieldColumn(const std::string &name, const std::string &unit) const
{
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].kind == ColumnKind::Field && m_columns[c].field == name && m_columns[c].unit == unit)
            return int(c);
    return -1;
}

int ZoneTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.size());
}

int ZoneTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ZoneTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= m_table.size() ||
        std::size_t(index.column()) >= m_columns.size())
        return {};
    const std::size_t row = std::size_t(index.row());
    const ZoneColumn &column = m_columns[std::size_t(index.column())];
    const catalogue::ZoneOutcome &outcome = m_table.outcome(row);
    const bool greyed = column.kind == ColumnKind::Field && !m_table.hasField(row, column);
    switch (role) {
    case Qt::DisplayRole:
        return qs(m_table.text(row, column));
    case Qt::EditRole:
        return qs(m_table.typedText(row, column));
    case Qt::FontRole:
        if (m_table.fromStandard(row, column)) {
            QFont italic;
            italic.setItalic(true);
            return italic;
        }
        return {};
    case Qt::BackgroundRole:
        if (greyed)
            return QBrush(greyedCell);
        if (column.computed() || column.kind == ColumnKind::Status)
            return QBrush(computedCell);
        return {};
    case Qt::ForegroundRole:
        if (column.kind == ColumnKind::Status || (m_table.fromStandard(row, column) && outcome.targetMissing)) {
            if (outcome.state == catalogue::ZoneState::Done)
                return QBrush(outcome.reduction && *outcome.reduction > 0 ? reduce : meets);
            return QBrush(outcome.state == catalogue::ZoneState::Failed ? reduce : incomplete);
        }
        return {};
    case Qt::TextAlignmentRole:
        if (column.kind == ColumnKind::Number)
            return int(Qt::AlignCenter);
        if (column.kind == ColumnKind::Field || column.kind == ColumnKind::Load || column.computed())
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (greyed)
            return outcome.entry ? QStringLiteral("计算方法 %1 没有此参数").arg(qs(outcome.entry->id))
                                 : QStringLiteral("请先选择计算方法");
        if (m_table.fromStandard(row, column) && outcome.targetMissing)
            return qs(outcome.status);
        if (m_table.fromStandard(row, column)) {
            const catalogue::ZoneRow &r = m_table.row(row);
            return QStringLiteral("按 GB 3838-2002 %1类 %2 %3 取值；键入数值即改用所键入的目标，清空则恢复标准值")
                .arg(qs(r.waterClass), qs(std::string(catalogue::waterTypeText(r.water))), qs(r.item));
        }
        if (column.kind == ColumnKind::Method && outcome.entry)
            return qs(catalogue::titleOf(*outcome.entry));
        if (column.kind == ColumnKind::Status)
            return qs(outcome.status);
        return {};
    default:
        return {};
    }
}

QVariant ZoneTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section + 1;
        return {};
    }
    if (section < 0 || std::size_t(section) >= m_columns.size())
        return {};
    const ZoneColumn &column = m_columns[std::size_t(section)];
    if (role == captionRole)
        return qs(column.caption);
    if (role == Qt::DisplayRole) {
        // A long caption shows its unit or range on a second line, so that
        // its column need not be as wide as the whole label.
        QString caption = qs(column.caption);
        const qsizetype open = std::max(caption.lastIndexOf(u'('), caption.lastIndexOf(QChar(0xFF08)));
        if (open > 2 && caption.size() > 6 && (caption.endsWith(u')') || caption.endsWith(QChar(0xFF09))))
            caption.insert(open, u'\n');
        return caption.trimmed();
    }
    if (role == Qt::ToolTipRole && !column.tooltip.empty())
        return qs(column.tooltip);
    return {};
}

Qt::ItemFlags ZoneTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const ZoneColumn &column = m_columns.at(std::size_t(index.column()));
    if (column.editable() && (column.kind != ColumnKind::Field || m_table.hasField(std::size_t(index.row()), column)))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ZoneTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    QString error;
    const bool changed = setCellText(index.row(), index.column(), value.toString(), &error);
    if (!error.isEmpty())
        emit editRefused(error);
    return changed || error.isEmpty();
}

bool ZoneTableModel::setCellText(int row, int column, const QString &text, QString *error)
{
    if (row < 0 || std::size_t(row) >= m_table.size() || column < 0 || std::size_t(column) >= m_columns.size())
        return false;
    std::string why;
    const ZoneRow &before = m_table.row(std::size_t(row));
    std::optional<ZoneRow> after =
        catalogue::applyCell(before, m_columns[std::size_t(column)], text.toStdString(), why);
    if (!after) {
        if (error)
            *error = qs(why);
        return false;
    }
    if (*after == before)
        return false;
    m_undo->push(new ReplaceRows(*this, {{std::size_t(row), before}}, {{std::size_t(row), std::move(*after)}},
                                 QStringLiteral("编辑单元格")));
    return true;
}

bool ZoneTableModel::insertZoneRows(int after, int count)
{
    if (count <= 0)
        return false;
    const std::size_t at = std::size_t(std::clamp(after + 1, 0, int(m_table.size())));
    ZoneRow fresh;
    if (!m_table.empty()) {
        // The zones of a plan come river by river: a new row starts where the one it follows stands.
        const ZoneRow &model = m_table.row(at > 0 ? at - 1 : 0);
        fresh.waterName = model.waterName;
        fresh.water = model.water;
        fresh.waterClass = model.waterClass;
        fresh.item = model.item;
        fresh.calculation = model.calculation;
    }
    PlacedRows rows;
    for (int i = 0; i < count; ++i)
        rows.emplace_back(at + std::size_t(i), fresh);
    return addRows(std::move(rows), QStringLiteral("插入行"));
}

bool ZoneTableModel::addRows(PlacedRows rows, const QString &what)
{
    if (rows.empty())
        return false;
    m_undo->push(new InsertRows(*this, std::move(rows), false, what));
    return true;
}

bool ZoneTableModel::removeZoneRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    PlacedRows removed;
    for (int r : rows)
        if (r >= 0 && std::size_t(r) < m_table.size())
            removed.emplace_back(std::size_t(r), m_table.row(std::size_t(r)));
    if (removed.empty())
        return false;
    m_undo->push(new InsertRows(*this, std::move(removed), true, QStringLiteral("删除行")));
    return true;
}

bool ZoneTableModel::fillDown(const QModelIndexList &cells)
{
    // The selected rows of each column, and the rows each row's cells take texts in.
    std::map<int, std::set<int>> byColumn;
    for (const QModelIndex &cell : cells)
        if (cell.isValid() && cell.model() == this)
            byColumn[cell.column()].insert(cell.row());
    std::map<std::size_t, ZoneRow> changed;
    auto current = [&](std::size_t r) -> const ZoneRow & {
        const auto at = changed.find(r);
        return at != changed.end() ? at->second : m_table.row(r);
    };
    // Left to right, so that a method filled in comes before its fields.
    for (const auto &[c, rowSet] : byColumn) {
        const ZoneColumn &column = m_columns.at(std::size_t(c));
        if (!column.editable())
            continue;
        const int top = *rowSet.begin();
        const bool fromAbove = rowSet.size() == 1;
        const int source = fromAbove ? top - 1 : top;
        if (source < 0 || (column.kind == ColumnKind::Field && !m_table.hasField(std::size_t(source), column)))
            continue;
        const std::string text = m_table.typedText(std::size_t(source), column);
        for (int r : rowSet) {
            if (r == source)
                continue;
            std::string why;
            // A cell whose method has no such field is passed over, as it shows nothing.
            if (std::optional<ZoneRow> row = catalogue::applyCell(current(std::size_t(r)), column, text, why))
                changed[std::size_t(r)] = std::move(*row);
        }
    }
    PlacedRows before, after;
    for (auto &[r, row] : changed) {
        if (row == m_table.row(r))
            continue;
        before.emplace_back(r, m_table.row(r));
        after.emplace_back(r, std::move(row));
    }
    if (after.empty())
        return false;
    m_undo->push(new ReplaceRows(*this, std::move(before), std::move(after), QStringLiteral("向下填充")));
    return true;
}

bool ZoneTableModel::clearCells(const QModelIndexList &cells)
{
    std::map<std::size_t, ZoneRow> changed;
    QModelIndexList sorted = cells;
    std::sort(sorted.begin(), sorted.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.column() < b.column(); });
    for (const QModelIndex &cell : sorted) {
        if (!cell.isValid() || cell.model() != this || !(flags(cell) & Qt::ItemIsEditable))
            continue;
        const ZoneColumn &column = m_columns.at(std::size_t(cell.column()));
        if (column.kind == ColumnKind::WaterType)
            continue; // every zone lies in a river or a lake
        const std::size_t r = std::size_t(cell.row());
        const auto at = changed.find(r);
        std::string why;
        if (std::optional<ZoneRow> row =
                catalogue::applyCell(at != changed.end() ? at->second : m_table.row(r), column, "", why))
            changed[r] = std::move(*row);
    }
    PlacedRows after;
    for (auto &[r, row] : changed)
        if (row != m_table.row(r))
            after.emplace_back(r, std::move(row));
    return replaceRows(std::move(after), QStringLiteral("清除内容"));
}

bool ZoneTableModel::replaceRows(PlacedRows rows, const QString &what)
{
    PlacedRows before;
    for (const auto &[r, row] : rows)
        if (r < m_table.size())
            before.emplace_back(r, m_table.row(r));
    if (before.size() != rows.size() || rows.empty())
        return false;
    m_undo->push(new ReplaceRows(*this, std::move(before), std::move(rows), what));
    return true;
}

void ZoneTableModel::setProject(const QString &name)
{
    const std::string after = name.toStdString();
    if (after != m_table.project)
        m_undo->push(new SetProject(*this, m_table.project, after));
}

void ZoneTableModel::putRows(const PlacedRows &rows)
{
    if (rows.empty())
        return;
    std::size_t first = rows.front().first, last = first;
    for (const auto &[r, row] : rows) {
        m_table.setRow(r, row);
        first = std::min(first, r);
        last = std::max(last, r);
    }
    syncColumns();
    rowsChanged(first, last);
    emit tableChanged();
}

void ZoneTableModel::putRowsAt(const PlacedRows &rows)
{
    // Runs of consecutive places go in at once.
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i + 1;
        while (j < rows.size() && rows[j].first == rows[j - 1].first + 1)
            ++j;
        const std::size_t at = std::min(rows[i].first, m_table.size());
        std::vector<ZoneRow> run;
        for (std::size_t k = i; k < j; ++k)
            run.push_back(rows[k].second);
        beginInsertRows(QModelIndex(), int(at), int(at + run.size() - 1));
        m_table.insert(at, std::move(run));
        endInsertRows();
        i = j;
    }
    syncColumns();
    // The numbers of the rows below have moved.
    if (!rows.empty())
        rowsChanged(std::min(rows.front().first, m_table.size() ? m_table.size() - 1 : 0),
                    m_table.size() ? m_table.size() - 1 : 0);
    emit tableChanged();
}

void ZoneTableModel::takeRows(const std::vector<std::size_t> &places)
{
    // From the bottom up, runs of consecutive places at once, so that the places above stay.
    for (std::size_t j = places.size(); j > 0;) {
        std::size_t i = j - 1;
        while (i > 0 && places[i - 1] + 1 == places[i])
            --i;
        const std::size_t at = places[i], count = j - i;
        if (at < m_table.size()) {
            beginRemoveRows(QModelIndex(), int(at), int(std::min(at + count, m_table.size()) - 1));
            m_table.erase(at, count);
            endRemoveRows();
        }
        j = i;
    }
    syncColumns();
    if (!places.empty() && m_table.size() > 0)
        rowsChanged(std::min(places.front(), m_table.size() - 1), m_table.size() - 1);
    emit tableChanged();
}

void ZoneTableModel::putProject(const std::string &name)
{
    m_table.project = name;
    emit tableChanged();
}

void ZoneTableModel::rowsChanged(std::size_t first, std::size_t last)
{
    if (m_columns.empty() || m_table.empty())
        return;
    emit dataChanged(index(int(first), 0), index(int(last), int(m_columns.size()) - 1));
}

void ZoneTableModel::syncColumns()
{
    const std::vector<ZoneColumn> &target = m_table.columns();
    // Both lists stand in the one order of all columns: walk them together,
    // taking out the columns gone and putting in the new ones where they belong.
    std::size_t i = 0, j = 0;
    bool captions = false;
    while (i < m_columns.size() || j < target.size()) {
        if (i < m_columns.size() && j < target.size() && m_columns[i].same(target[j])) {
            if (m_columns[i].caption != target[j].caption || m_columns[i].tooltip != target[j].tooltip) {
                m_columns[i] = target[j];
                captions = true;
            }
            ++i, ++j;
        } else if (j >= target.size() ||
                   (i < m_columns.size() && catalogue::columnOrder(m_columns[i]) < catalogue::columnOrder(target[j]))) {
            beginRemoveColumns(QModelIndex(), int(i), int(i));
            m_columns.erase(m_columns.begin() + std::ptrdiff_t(i));
            endRemoveColumns();
        } else {
            beginInsertColumns(QModelIndex(), int(i), int(i));
            m_columns.insert(m_columns.begin() + std::ptrdiff_t(i), target[j]);
            endInsertColumns();
            ++i, ++j;
        }
    }
    if (captions)
        emit headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
}

} // namespace tables
