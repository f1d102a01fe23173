#include "sheet.h"

#include "catalogue/datafile.h"
#include "catalogue/sweep.h"
#include "core/hydrology.h"
#include "core/monthlyflow.h"
#include "core/numbers.h"
#include "ui/calculatorwindow.h"
#include "ui/look.h"

#include "varnolek/version.h"

#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>

namespace documents {

namespace {

namespace hydrology = varnolek::hydrology;

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

SheetImageSource &imageSource()
{
    static SheetImageSource source;
    return source;
}

std::optional<double> readAsNumber(const QString &text)
{
    try {
        return varnolek::readNumber(text.toStdString());
    } catch (...) {
        return std::nullopt; // beyond the range of a number
    }
}

QString numberText(const std::optional<double> &number)
{
    return number ? qs(catalogue::valueText(*number)) : QStringLiteral("—");
}

// The monitoring points of a table view, as typed.
void writeRows(QTextCursor &cursor, const ui::CalculatorWindow &window, const catalogue::Entry &view)
{
    if (view.groups.empty())
        return;
    heading(cursor, QStringLiteral("监测数据"));
    std::vector<std::vector<QLineEdit *>> columns;
    QStringList header{QStringLiteral("序号")};
    std::size_t count = 0;
    for (const catalogue::Group &group : view.groups) {
        columns.push_back(window.rowFields(group.name));
        count = std::max(count, columns.back().size());
        QString label = qs(group.label);
        label.replace(QStringLiteral("第 %1 "), QString()).replace(QStringLiteral("%1"), QString());
        header << label;
    }
    std::vector<QStringList> rows;
    for (std::size_t i = 0; i < count; ++i) {
        QStringList row{QString::number(i + 1)};
        for (const auto &column : columns)
            row << (i < column.size() && column[i] ? column[i]->text() : QString());
        rows.push_back(row);
    }
    table(cursor, header, rows);
}

// The series of a view's data file in its ascending ranking.
void writeSeries(QTextCursor &cursor, const ui::CalculatorWindow &window, const catalogue::Entry &view)
{
    const catalogue::Field *field = catalogue::dataFileField(view);
    if (!field || field->format != catalogue::DataFormat::LevelSeries)
        return;
    const QString file = window.fieldText(field->name).value_or(QString());
    heading(cursor, QStringLiteral("水文资料"));
    paragraph(cursor, QStringLiteral("资料文件：") + QFileInfo(file).fileName());
    const hydrology::DataFile data = catalogue::levelSeries(view, window.windowCase());
    if (file.isEmpty() || data.status != hydrology::FileStatus::Ok) {
        paragraph(cursor, QStringLiteral("资料文件无法读取"));
        return;
    }
    std::vector<hydrology::Record> records = data.records;
    hydrology::sortByValue(records);
    const int n = int(records.size());
    paragraph(cursor, QStringLiteral("资料年数 n = %1").arg(n));
    // The design rate the series is ranked at: the rate its plot marks.
    const double percent = readAsNumber(window.fieldText(view.plot.along).value_or(QString())).value_or(0);
    const int chosen = hydrology::levelRank(n, percent / 100.0);
    std::vector<QStringList> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back({QString::number(i + 1), QString::number(records[i].year),
                        qs(varnolek::generalText(records[i].value, varnolek::Precision::Single)),
                        i + 1 == chosen ? QStringLiteral("选用") : QString()});
    table(cursor, {QStringLiteral("序号 m"), QStringLiteral("年份"), QStringLiteral("水位或流量值"), QString()}, rows);
    paragraph(cursor, QStringLiteral("选用第 %1 位（由小到大排序）").arg(chosen));
}

// The tables of results the window's form shows (the years of a monthly-means
// file), as shown, each under the caption of its frame.
void writeResultTables(QTextCursor &cursor, const ui::CalculatorWindow &window)
{
    for (const QTableWidget *shown : window.form()->findChildren<QTableWidget *>()) {
        if (shown->editTriggers() != QAbstractItemView::NoEditTriggers)
            continue; // a table typed into is an input
        if (const auto *frame = qobject_cast<const QGroupBox *>(shown->parentWidget()))
            heading(cursor, frame->title());
        QStringList header;
        for (int c = 0; c < shown->columnCount(); ++c) {
            const QTableWidgetItem *item = shown->horizontalHeaderItem(c);
            header << (item ? item->text().remove(u'\n') : QString()); // a header broken in two for its column
        }
        std::vector<QStringList> rows;
        for (int r = 0; r < shown->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < shown->columnCount(); ++c)
                row << (shown->item(r, c) ? shown->item(r, c)->text() : QString());
            rows.push_back(row);
        }
        table(cursor, header, rows);
    }
}

// The monthly means of a view's data file: the file, its years, and the
// driest month of each year as the window's table shows them.
void writeMonthlyMeans(QTextCursor &cursor, const ui::CalculatorWindow &window, const catalogue::Entry &view)
{
    const catalogue::Field *field = catalogue::dataFileField(view);
    if (!field || field->format != catalogue::DataFormat::MonthlyMeans)
        return;
    const QString file = window.fieldText(field->name).value_or(QString());
    heading(cursor, QStringLiteral("月平均资料"));
    paragraph(cursor, QStringLiteral("资料文件：") + QFileInfo(file).fileName());
    const hydrology::MonthlyFile data = catalogue::monthlySeries(view, window.windowCase());
    if (file.isEmpty() || data.status != hydrology::FileStatus::Ok) {
        paragraph(cursor, QStringLiteral("资料文件无法读取"));
        return;
    }
    const auto incomplete = std::count_if(data.years.begin(), data.years.end(),
                                          [](const hydrology::MonthlyYear &y) { return y.missingMonths() > 0; });
    QString years = QStringLiteral("资料年数 n = %1（%2—%3年）")
                        .arg(data.years.size())
                        .arg(data.years.front().year)
                        .arg(data.years.back().year);
    if (incomplete > 0)
        years += QStringLiteral("，其中 %1 年有缺测月份，取已测月份中最枯者").arg(incomplete);
    if (!data.unobservedYears.empty())
        years += QStringLiteral("；全年缺测 %1 年，不计入").arg(data.unobservedYears.size());
    paragraph(cursor, years);
    writeResultTables(cursor, window);
}

std::vector<QStringList> lineRows(const std::vector<Line> &lines, bool withNumber)
{
    std::vector<QStringList> rows;
    for (const Line &line : lines) {
        QStringList row{line.label, line.text};
        if (withNumber)
            row << (line.number ? numberText(line.number) : QString());
        row << line.unit;
        rows.push_back(row);
    }
    return rows;
}

} // namespace

QTextCharFormat sheetText(double size, bool bold)
{
    QTextCharFormat format;
    format.setFont(ui::font(ui::faceSong, size, bold));
    return format;
}

// Qt's ODF writer names a face only where a format carries it as its one
// family (the property of Qt 5), and else writes "Sans".
void nameTheFace(QTextDocument &document)
{
    const QString song = QString::fromUtf8(ui::faceSong);
    QTextCharFormat face;
    face.setFontFamilies(QStringList{song});
    face.setProperty(QTextFormat::OldFontFamily, song);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    all.mergeCharFormat(face);
    all.mergeBlockCharFormat(face);
}

void paragraph(QTextCursor &cursor, const QString &text, const QTextCharFormat &format, Qt::Alignment align)
{
    QTextBlockFormat block;
    block.setAlignment(align);
    block.setTopMargin(3);
    block.setBottomMargin(3);
    cursor.insertBlock(block, format);
    cursor.insertText(text, format);
}

void heading(QTextCursor &cursor, const QString &text)
{
    paragraph(cursor, text, sheetText(12, true));
}

void table(QTextCursor &cursor, const QStringList &header, const std::vector<QStringList> &rows, double size)
{
    QTextTableFormat format;
    format.setBorder(0.5);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    cursor.insertBlock();
    QTextTable *t = cursor.insertTable(int(rows.size()) + 1, int(header.size()), format);
    auto put = [&](int row, int column, const QString &text, bool bold) {
        QTextCursor cell = t->cellAt(row, column).firstCursorPosition();
        cell.insertText(text, sheetText(size, bold));
    };
    for (int c = 0; c < header.size(); ++c)
        put(0, c, header[c], true);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size() && c < header.size(); ++c)
            put(int(r) + 1, c, rows[r][c], false);
    cursor.movePosition(QTextCursor::End);
}

void setLandscape(QTextDocument &document)
{
    document.setProperty("landscape", true);
}

bool isLandscape(const QTextDocument &document)
{
    return document.property("landscape").toBool();
}

QString programVersion()
{
    return QStringLiteral("Varnolek ") + QString::fromUtf8(varnolek::versionText);
}

void setSheetImageSource(SheetImageSource source)
{
    imageSource() = std::move(source);
}

std::vector<Line> inputLines(const ui::CalculatorWindow &window, const catalogue::Entry &view)
{
    std::vector<Line> lines;
    for (const catalogue::Field &field : view.fields) {
        Line line{qs(field.label), QString(), qs(field.unit), std::nullopt};
        line.text = window.fieldText(field.name).value_or(QString());
        if (field.numeric())
            line.number = readAsNumber(line.text);
        lines.push_back(line);
    }
    return lines;
}

std::vector<Line> resultLines(const ui::CalculatorWindow &window, const catalogue::Entry &view)
{
    std::vector<Line> lines;
    for (const catalogue::Output &output : view.outputs) {
        const QString name = qs(output.name);
        Line line{qs(output.label), QString(), qs(output.unit), std::nullopt};
        if (const QLineEdit *edit = window.plainField(name))
            line.text = edit->text();
        else if (const auto *label = window.findChild<QLabel *>(name))
            line.text = label->text();
        if (line.label.isEmpty()) // a caption that tells what the result is
            line.label = QStringLiteral("说明");
        lines.push_back(line);
    }
    return lines;
}

std::vector<SymbolLine> symbolLines(const catalogue::Entry &view)
{
    std::vector<SymbolLine> lines;
    for (const catalogue::Symbol &symbol : view.symbols) {
        SymbolLine line{qs(symbol.symbol), qs(symbol.field), QString()};
        if (const catalogue::Field *field = view.field(symbol.field)) {
            line.label = qs(field->label);
            line.unit = qs(field->unit);
        } else if (const catalogue::Output *output = view.output(symbol.field)) {
            line.label = output->label.empty() ? qs(view.main().label) : qs(output->label);
            line.unit = qs(output->unit);
        } else if (const catalogue::Group *group = view.group(symbol.field)) {
            line.label = qs(group->label).replace(QStringLiteral("%1"), QStringLiteral("i"));
            line.unit = qs(group->unit);
        }
        lines.push_back(line);
    }
    return lines;
}

void writeFormulas(QTextCursor &cursor, const catalogue::Entry &view)
{
    for (const QString &equation : qs(view.formula).split(u'\n', Qt::SkipEmptyParts))
        paragraph(cursor, equation, sheetText(11));
    const std::vector<SymbolLine> symbols = symbolLines(view);
    if (symbols.empty())
        return;
    paragraph(cursor, QStringLiteral("式中："));
    std::vector<QStringList> rows;
    for (const SymbolLine &symbol : symbols)
        rows.push_back({symbol.symbol, symbol.label, symbol.unit});
    table(cursor, {QStringLiteral("符号"), QStringLiteral("含义"), QStringLiteral("单位")}, rows);
}

std::unique_ptr<QTextDocument> sheetDocument(const ui::CalculatorWindow &window, const QString &projectName)
{
    const catalogue::Entry &view = window.currentEntry();
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(ui::font(ui::faceSong, 10.5));
    document->setMetaInformation(QTextDocument::DocumentTitle, qs(view.title) + QStringLiteral(" 计算书"));
    QTextCursor cursor(document.get());
    cursor.setCharFormat(sheetText(16, true));
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(qs(view.title) + QStringLiteral(" 计算书"), sheetText(16, true));
    if (!view.view.empty())
        paragraph(cursor, QStringLiteral("计算方法：") + qs(view.view), sheetText(), Qt::AlignHCenter);
    paragraph(cursor, QStringLiteral("项目名称：") + projectName);
    paragraph(cursor,
              QStringLiteral("计算时间：") + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    paragraph(cursor, QStringLiteral("计算程序：") + programVersion());
    paragraph(cursor, QStringLiteral("计算：__________    校核：__________    审核：__________"));

    heading(cursor, QStringLiteral("一、输入参数"));
    table(cursor,
          {QStringLiteral("参数"), QStringLiteral("输入文本"), QStringLiteral("读作数值"), QStringLiteral("单位")},
          lineRows(inputLines(window, view), true));
    writeRows(cursor, window, view);
    writeSeries(cursor, window, view);
    writeMonthlyMeans(cursor, window, view);

    heading(cursor, QStringLiteral("二、计算公式"));
    writeFormulas(cursor, view);

    heading(cursor, QStringLiteral("三、计算结果"));
    table(cursor, {QStringLiteral("项目"), QStringLiteral("结果"), QStringLiteral("单位")},
          lineRows(resultLines(window, view), false));

    if (imageSource()) {
        const QImage image = imageSource()(window);
        if (!image.isNull()) {
            heading(cursor, QStringLiteral("四、图"));
            document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("plot.png")), image);
            QTextImageFormat picture;
            picture.setName(QStringLiteral("plot.png"));
            picture.setWidth(std::min(480, image.width()));
            cursor.insertBlock();
            cursor.insertImage(picture);
        }
    }
    nameTheFace(*document);
    return document;
}

std::optional<SheetFormat> sheetFormat(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return SheetFormat::Pdf;
    if (suffix == QLatin1String("odt"))
        return SheetFormat::Odt;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return SheetFormat::Html;
    return std::nullopt;
}

bool writeSheet(const QTextDocument &document, const QString &path, SheetFormat format, QString *error)
{
    // The sheet is made in memory, then saved whole or not at all.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool written = true;
    switch (format) {
    case SheetFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        // A landscape sheet is a wide table: narrower margins give it the room
        // (the document keeps 2 cm of its own within them).
        const double margin = isLandscape(document) ? 10 : 20; // mm
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      isLandscape(document) ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter));
        pdf.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        pdf.setCreator(programVersion());
        document.print(&pdf);
        break;
    }
    case SheetFormat::Odt: {
        QTextDocumentWriter writer(&buffer, "odf");
        written = writer.write(&document);
        break;
    }
    case SheetFormat::Html: {
        // Every blank of a text stands: runs of blanks are kept in cells too.
        QString html = document.toHtml();
        html.replace(QStringLiteral("</style>"), QStringLiteral("td, th { white-space: pre-wrap; }\n</style>"));
        written = buffer.write(html.toUtf8()) >= 0;
        break;
    }
    }
    QSaveFile file(path);
    if (!written || !file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.data().size() ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

QMimeData *resultsMimeData(const ui::CalculatorWindow &window)
{
    const catalogue::Entry &view = window.currentEntry();
    std::vector<Line> lines = inputLines(window, view);
    for (const catalogue::Group &group : view.groups) {
        const std::vector<QLineEdit *> rows = window.rowFields(group.name);
        for (std::size_t i = 0; i < rows.size(); ++i)
            lines.push_back(
                {qs(group.rowLabel(int(i))), rows[i] ? rows[i]->text() : QString(), qs(group.unit), std::nullopt});
    }
    for (const Line &line : resultLines(window, view))
        lines.push_back(line);

    QString text;
    QString html = QStringLiteral("<table>\n");
    for (const Line &line : lines) {
        text += line.label + u'\t' + line.text + u'\t' + line.unit + u'\n';
        html += QStringLiteral("<tr><td>%1</td><td style=\"white-space: pre-wrap\">%2</td><td>%3</td></tr>\n")
                    .arg(line.label.toHtmlEscaped(), line.text.toHtmlEscaped(), line.unit.toHtmlEscaped());
    }
    html += QStringLiteral("</table>\n");
    auto *data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    return data;
}

} // namespace documents
