#include "tablecells.h"

#include <QTableWidget>

namespace analysis {

namespace {

QString composed(const QVariant &text, const QVariant &shown, const QVariant &caption)
{
    if (shown.isValid())
        return shown.toString();
    if (caption.isValid() && !caption.toString().isEmpty())
        return caption.toString() + QStringLiteral("：") + text.toString();
    return text.toString();
}

} // namespace

QTableWidgetItem *numberCell(const QString &held, const QString &shown)
{
    auto *item = new QTableWidgetItem(held);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (shown != held) {
        item->setData(shownTextRole, shown);
        item->setToolTip(held);
    }
    return item;
}

QString shownText(const QTableWidgetItem *item)
{
    if (!item)
        return QString();
    return composed(item->data(Qt::DisplayRole), item->data(shownTextRole), item->data(captionRole));
}

void ShownTextDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = composed(index.data(Qt::DisplayRole), index.data(shownTextRole), index.data(captionRole));
}

void showShownTexts(QTableWidget *table)
{
    table->setItemDelegate(new ShownTextDelegate(table));
}

} // namespace analysis
