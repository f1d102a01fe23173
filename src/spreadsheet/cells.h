#pragma once
// The cells of a spreadsheet as a file or the clipboard gives them: the texts
// of the cells that hold one, row by row, and the bounds every reader keeps.
// Only the cells with a text are held, so that a hostile file of a few cells
// far apart costs no more than a few cells.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace spreadsheet {

// Why a spreadsheet is refused, in Chinese, for "文件无法导入：".
struct BadSpreadsheet : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline constexpr const char *importRefusedText = "文件无法导入：";

// A sheet may have as many rows as a zone table and a header, and columns
// enough for every column a table can have many times over.
inline constexpr std::size_t maxRows = 100000;
inline constexpr std::size_t maxColumns = 1000;
// The texts of all cells together: as much as a table file may hold.
inline constexpr std::size_t maxTextBytes = std::size_t(64) * 1024 * 1024;

struct SheetRow {
    std::size_t number = 0; // 1-based, as the spreadsheet numbers its rows
    // (0-based column, text), ascending by column, no text empty.
    std::vector<std::pair<std::size_t, std::string>> cells;

    // The text of a column, or nullptr.
    const std::string *at(std::size_t column) const;
};

struct Sheet {
    std::vector<SheetRow> rows; // ascending by number, none without cells
    // The rectangle the sheet spans from A1, empty cells included: a pasted
    // block empties the cells its own empty cells fall on.
    std::size_t height = 0, width = 0;
    // The title of the workbook's document properties, if it has one: the
    // project a zone table exported by this program belongs to.
    std::string title;
};

// A column's letters as spreadsheets name it: 0 is "A", 26 is "AA".
std::string columnLetters(std::size_t column);

// The texts of the bounds, for their messages.
std::string tooManyRowsText();
std::string tooManyColumnsText();

} // namespace spreadsheet
