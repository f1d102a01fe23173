#pragma once
// The calculation sheet (计算书) of a calculator window's current view: title,
// view, time, program and version, project name, the blanks for prepared,
// checked and approved, the inputs as typed with the numbers they were read
// as, the formulas with their symbols, the results as shown, and the window's
// own tables (the monitoring points of the K window, the ranked series of the
// level-year window). Written as PDF, ODF text or HTML; printed; and the same
// rows put on the clipboard as a table.

#include "catalogue/catalogue.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTextCharFormat>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMimeData;
class QTextCursor;
class QTextDocument;

namespace ui {
class CalculatorWindow;
}

namespace documents {

// One row of the sheet's tables and of the clipboard: an input or a result.
struct Line {
    QString label;
    QString text;                 // as typed or as shown, every blank kept
    QString unit;
    std::optional<double> number; // an input read as a number
};

std::vector<Line> inputLines(const ui::CalculatorWindow &window, const catalogue::Entry &view);
std::vector<Line> resultLines(const ui::CalculatorWindow &window, const catalogue::Entry &view);

// The symbols of a view's formula: symbol, label, unit.
struct SymbolLine {
    QString symbol, label, unit;
};
std::vector<SymbolLine> symbolLines(const catalogue::Entry &view);

// Writes the formulas and their symbols at the cursor: the sheet and the
// formula window show the same text.
void writeFormulas(QTextCursor &cursor, const catalogue::Entry &view);

// The sheet as a document.
std::unique_ptr<QTextDocument> sheetDocument(const ui::CalculatorWindow &window, const QString &projectName);

enum class SheetFormat { Pdf, Odt, Html };
// The format an export path asks for by its extension, or nothing.
std::optional<SheetFormat> sheetFormat(const QString &path);
// Writes the document through QSaveFile; false with the reason when it cannot.
bool writeSheet(const QTextDocument &document, const QString &path, SheetFormat format, QString *error);

// The inputs then the results of the current view, as tab-separated text and
// as an HTML table.
QMimeData *resultsMimeData(const ui::CalculatorWindow &window);

// The plot the sheet shows, when one is open for the window: the plots add
// theirs here. A null image adds nothing.
using SheetImageSource = std::function<QImage(const ui::CalculatorWindow &)>;
void setSheetImageSource(SheetImageSource source);

// "Varnolek" and its version.
QString programVersion();

// The pieces every sheet is made of, for the sheets of other windows (the
// zone table's). The text style: the windows' Song face.
QTextCharFormat sheetText(double size = 10.5, bool bold = false);
void paragraph(QTextCursor &cursor, const QString &text, const QTextCharFormat &format = sheetText(),
               Qt::Alignment align = Qt::AlignLeft);
void heading(QTextCursor &cursor, const QString &text);
// A table with a header row; the cursor ends after it.
void table(QTextCursor &cursor, const QStringList &header, const std::vector<QStringList> &rows, double size = 10.5);
// Every text of the sheet, table cells and empty paragraphs included, names
// the windows' Song face, so that a word processor shows the face the
// program shows, not one of its own.
void nameTheFace(QTextDocument &document);
// A sheet too wide for an upright page (the zone table's) asks to be written
// and printed on landscape pages.
void setLandscape(QTextDocument &document);
bool isLandscape(const QTextDocument &document);

} // namespace documents
