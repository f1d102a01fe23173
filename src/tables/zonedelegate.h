#pragma once
// The editors of the zone table's cells: a list to choose from for the water
// body, the class, the pollutant and the method, and a line for the rest; the
// target concentration's line shows the standard's value it replaces.

#include <QStyledItemDelegate>

namespace tables {

class ZoneDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};

} // namespace tables
