#include "tablesheet.h"

#include "totalsview.h"

#include "documents/sheet.h"

#include "core/numbers.h"
#include "ui/look.h"

#include <QDateTime>
#include <QTextCursor>

#include <set>

namespace tables {

namespace {

using catalogue::ColumnKind;
using catalogue::ZoneColumn;

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The size of the wide tables' text (pt), so that a number fits its cell.
constexpr double tableText = 9;

QString tonnes(double value)
{
    return qs(varnolek::formatPattern(value, varnolek::Precision::Double, catalogue::loadPattern));
}

ZoneColumn columnOfKind(ColumnKind kind)
{
    ZoneColumn c;
    c.kind = kind;
    return c;
}

// The target concentration a row is computed with, and where it comes from.
QString targetText(const catalogue::ZoneTable &table, std::size_t r)
{
    const catalogue::ZoneOutcome &o = table.outcome(r);
    if (!o.entry || o.entry->target.empty())
        return QString();
    if (o.targetMissing)
        return qs(o.target);
    const catalogue::Field *field = o.entry->field(o.entry->target);
    QString text = qs(o.target);
    // The column is in mg/L, as every standard's limit; another unit is said.
    if (field && field->unit != "mg/L" && !text.isEmpty())
        text += u' ' + qs(field->unit);
    return o.targetFromStandard ? text + QStringLiteral("（标准值）") : text;
}

void zonesTable(QTextCursor &cursor, const catalogue::ZoneTable &table)
{
    const std::vector<ColumnKind> kinds = {ColumnKind::Number,    ColumnKind::Zone,       ColumnKind::WaterName,
                                           ColumnKind::WaterType, ColumnKind::WaterClass, ColumnKind::Item,
                                           ColumnKind::Method};
    const std::vector<ColumnKind> results = {ColumnKind::Load,      ColumnKind::Capacity,  ColumnKind::Limit,
                                             ColumnKind::Reduction, ColumnKind::Remaining, ColumnKind::Status};
    QStringList header;
    for (ColumnKind kind : kinds)
        header << qs(catalogue::columnCaption(kind));
    header << QStringLiteral("目标浓度(mg/L)");
    for (ColumnKind kind : results)
        header << qs(catalogue::columnCaption(kind));
    std::vector<QStringList> rows;
    rows.reserve(table.size());
    for (std::size_t r = 0; r < table.size(); ++r) {
        QStringList row;
        for (ColumnKind kind : kinds)
            row << qs(table.text(r, columnOfKind(kind)));
        row << targetText(table, r);
        for (ColumnKind kind : results)
            row << qs(table.text(r, columnOfKind(kind)));
        rows.push_back(row);
    }
    documents::table(cursor, header, rows, tableText);
}

// The inputs of the zones of each method, under the method's own labels.
void inputTables(QTextCursor &cursor, const catalogue::ZoneTable &table,
                 const std::vector<const catalogue::Entry *> &used)
{
    int number = 0;
    for (const catalogue::Entry *method : used) {
        documents::paragraph(
            cursor, QStringLiteral("%1. %2（%3）").arg(++number).arg(qs(catalogue::titleOf(*method)), qs(method->id)),
            documents::sheetText(10.5, true));
        QStringList header{QStringLiteral("序号"), QStringLiteral("水功能区"), QStringLiteral("污染物")};
        std::vector<ZoneColumn> fields;
        for (const ZoneColumn &column : table.columns())
            if (catalogue::columnOf(*method, column)) {
                fields.push_back(column);
                header << qs(method->field(column.field)->label);
            }
        std::vector<QStringList> rows;
        for (std::size_t r = 0; r < table.size(); ++r) {
            if (table.outcome(r).entry != method)
                continue;
            QStringList row{QString::number(r + 1), qs(table.row(r).zone), qs(table.row(r).item)};
            for (const ZoneColumn &column : fields)
                row << qs(table.text(r, column));
            rows.push_back(row);
        }
        documents::table(cursor, header, rows, tableText);
    }
}

std::vector<QStringList> totalRows(const std::vector<catalogue::TotalLine> &lines, bool byWater)
{
    std::vector<QStringList> rows;
    for (const catalogue::TotalLine &line : lines) {
        QStringList row;
        if (byWater)
            row << qs(line.water);
        row << qs(line.item) << QString::number(line.zones) << tonnes(line.capacity) << tonnes(line.limit)
            << tonnes(line.load) << tonnes(line.reduction) << tonnes(line.remaining);
        rows.push_back(row);
    }
    return rows;
}

} // namespace

std::unique_ptr<QTextDocument> tableSheet(const catalogue::ZoneTable &table)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(ui::font(ui::faceSong, 10.5));
    document->setMetaInformation(QTextDocument::DocumentTitle, QString::fromUtf8(sheetTitle));
    documents::setLandscape(*document);
    QTextCursor cursor(document.get());
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(QString::fromUtf8(sheetTitle), documents::sheetText(16, true));
    documents::paragraph(cursor, QStringLiteral("项目名称：") + qs(table.project));
    documents::paragraph(cursor, QStringLiteral("计算时间：") +
                                     QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    documents::paragraph(cursor, QStringLiteral("计算程序：") + documents::programVersion());

    documents::heading(cursor, QStringLiteral("一、水功能区纳污能力计算成果"));
    zonesTable(cursor, table);
    documents::paragraph(cursor,
                         QStringLiteral("注：限排量为纳污能力，纳污能力为负值时取零；需削减量 = max(0, "
                                        "现状入河量 − 限排量)；剩余纳污能力 = max(0, 纳污能力 − "
                                        "现状入河量)。目标浓度注明“标准值”者按 GB 3838-2002 表1取值。"),
                         documents::sheetText(9));

    // The methods the rows use, in catalogue order, each once.
    std::set<const catalogue::Entry *> usedSet;
    for (std::size_t r = 0; r < table.size(); ++r)
        if (table.outcome(r).entry)
            usedSet.insert(table.outcome(r).entry);
    std::vector<const catalogue::Entry *> used;
    for (const catalogue::Entry *method : catalogue::tableMethods())
        if (usedSet.count(method))
            used.push_back(method);

    documents::heading(cursor, QStringLiteral("二、计算参数"));
    inputTables(cursor, table, used);

    documents::heading(cursor, QStringLiteral("三、汇总"));
    const catalogue::Totals totals = table.totals();
    documents::paragraph(cursor,
                         QStringLiteral("计入 %1 个计算完成的行").arg(totals.counted) +
                             (totals.notCounted ? QStringLiteral("，另有 %1 行未计算完成。").arg(totals.notCounted)
                                                : QStringLiteral("。")));
    documents::paragraph(cursor, QStringLiteral("按污染物汇总"), documents::sheetText(10.5, true));
    documents::table(cursor, QStringList{QStringLiteral("污染物")} + totalsCaptions(), totalRows(totals.byItem, false));
    documents::paragraph(cursor, QStringLiteral("按水体汇总"), documents::sheetText(10.5, true));
    documents::table(cursor, QStringList{QStringLiteral("所在水体"), QStringLiteral("污染物")} + totalsCaptions(),
                     totalRows(totals.byWater, true));

    documents::heading(cursor, QStringLiteral("四、计算方法"));
    int number = 0;
    for (const catalogue::Entry *method : used) {
        documents::paragraph(
            cursor, QStringLiteral("%1. %2（%3）").arg(++number).arg(qs(catalogue::titleOf(*method)), qs(method->id)),
            documents::sheetText(10.5, true));
        documents::writeFormulas(cursor, *method);
    }

    documents::paragraph(cursor, QString());
    documents::paragraph(cursor, QStringLiteral("计算：__________    校核：__________    审核：__________"));
    documents::nameTheFace(*document);
    return document;
}

} // namespace tables
