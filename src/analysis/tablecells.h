#pragma once
// Cells of the analysis windows' tables. A result cell holds every digit the
// run computed (the text a copy or an export takes, and its tooltip) and
// shows the number as its output writes it, with the output's digit pattern;
// a parameter cell shows the parameter's name before its number.

#include <QString>
#include <QStyledItemDelegate>

class QTableWidget;
class QTableWidgetItem;

namespace analysis {

// The text a cell shows in place of the one it holds.
inline constexpr int shownTextRole = Qt::UserRole + 20;
// The name shown before a cell's text ("下限：2500"); the text alone is edited.
inline constexpr int captionRole = Qt::UserRole + 21;

// A read-only cell of a number: held and shown as above, right-aligned.
QTableWidgetItem *numberCell(const QString &held, const QString &shown);
// The text a cell shows: its caption and text, or its shown text.
QString shownText(const QTableWidgetItem *item);

// Draws the cells of a table with their shown texts, and sizes them by them.
class ShownTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
void showShownTexts(QTableWidget *table);

} // namespace analysis
