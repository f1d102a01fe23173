#include "zonedelegate.h"

#include "zonetablemodel.h"

#include "core/standards.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace tables {

namespace {

using catalogue::ColumnKind;

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The choices of a column: the text each puts into the cell, and what the list shows.
std::vector<std::pair<QString, QString>> choices(ColumnKind kind)
{
    std::vector<std::pair<QString, QString>> list;
    switch (kind) {
    case ColumnKind::WaterType:
        for (catalogue::WaterType w : {catalogue::WaterType::River, catalogue::WaterType::Lake})
            list.emplace_back(qs(catalogue::waterTypeText(w)), qs(catalogue::waterTypeText(w)));
        break;
    case ColumnKind::WaterClass:
        list.emplace_back(QString(), QString());
        for (int k = 0; k < varnolek::standards::classCount; ++k)
            list.emplace_back(qs(varnolek::standards::className(k)),
                              qs(varnolek::standards::className(k)) + QStringLiteral(" 类"));
        break;
    case ColumnKind::Item:
        list.emplace_back(QString(), QString());
        for (const std::string &item : catalogue::tableItems()) {
            const auto name = varnolek::standards::findItem(item);
            const QString shown = name && *name != item ? qs(item) + QStringLiteral("  ") + qs(*name) : qs(item);
            list.emplace_back(qs(item), shown);
        }
        break;
    case ColumnKind::Method:
        list.emplace_back(QString(), QString());
        for (const catalogue::Entry *method : catalogue::tableMethods())
            list.emplace_back(qs(method->id), qs(method->id) + QStringLiteral("  ") + qs(catalogue::titleOf(*method)));
        break;
    default:
        break;
    }
    return list;
}

const ZoneTableModel *zoneModel(const QModelIndex &index)
{
    return qobject_cast<const ZoneTableModel *>(index.model());
}

} // namespace

QWidget *ZoneDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const ZoneTableModel *model = zoneModel(index);
    if (!model)
        return QStyledItemDelegate::createEditor(parent, option, index);
    const catalogue::ZoneColumn &column = model->column(index.column());
    const auto list = choices(column.kind);
    if (!list.empty()) {
        auto *combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cellChoice"));
        for (const auto &[value, shown] : list)
            combo->addItem(shown, value);
        // The list opens wide enough for the methods' titles.
        combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) + 24);
        return combo;
    }
    auto *line = new QLineEdit(parent);
    line->setObjectName(QStringLiteral("cellEditor"));
    line->setFrame(false);
    if (model->table().fromStandard(std::size_t(index.row()), column)) {
        const QString standard = index.data(Qt::DisplayRole).toString();
        line->setPlaceholderText(model->table().outcome(std::size_t(index.row())).targetMissing
                                     ? standard
                                     : QStringLiteral("标准值 %1，留空则按标准").arg(standard));
    }
    return line;
}

void ZoneDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        const int at = combo->findData(index.data(Qt::EditRole).toString());
        combo->setCurrentIndex(std::max(at, 0));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ZoneDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, combo->currentData().toString(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace tables
