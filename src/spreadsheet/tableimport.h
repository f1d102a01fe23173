#pragma once
// Zones from a spreadsheet: a sheet's rows made the rows of a zone table, and
// a block of cells pasted into a table. A header row names its columns by the
// table's captions or by the field names of the table file, so that a sheet
// exported by this program, `varnolek-calc --table` and a sheet typed by hand
// in Excel or WPS are read alike. Every cell is taken as a cell typed in the
// window is (catalogue::applyCell); a cell the table does not take is listed
// with its reason, and nothing is taken.

#include "cells.h"

#include "catalogue/zonetable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace spreadsheet {

// The columns a header's text may name: one, or for a field name given
// without its unit (myr), the columns of that name in each unit, of which a
// row's method takes its own. Nothing for a text that names no column.
std::optional<std::vector<catalogue::ZoneColumn>> namedColumns(std::string_view header);

// A table read from a sheet, and the header's texts that name no column,
// whose cells were passed over.
struct Imported {
    catalogue::ZoneTable table;
    std::vector<std::string> unknownColumns;
};

// The rows of a sheet whose first row is a header. Throws BadSpreadsheet when
// the header names no column of the table, when a column is named twice, when
// no row follows, or with the list of the cells the table does not take.
Imported importSheet(const Sheet &sheet);

enum class FileKind { Xlsx, Csv };
// The kind of a spreadsheet file by its extension (.xlsx, .csv), or nothing.
std::optional<FileKind> fileKind(std::string_view path);
// Reads a .xlsx or .csv file into a table; throws BadSpreadsheet.
Imported importFile(const std::string &path);

// A block of cells pasted at a cell of a table.
struct PasteTarget {
    std::size_t row = 0, column = 0; // the table's cell the block's first cell falls on
    // The cells selected, each (row, column), when more than one: a block of
    // one cell fills each of them.
    std::vector<std::pair<std::size_t, std::size_t>> selected;
};

// What a paste does: rows changed in place, rows added at the table's end,
// or the cells that do not fit, when it does nothing.
struct Paste {
    std::vector<std::pair<std::size_t, catalogue::ZoneRow>> changed; // ascending by row
    std::vector<catalogue::ZoneRow> added;
    std::vector<std::string> refused; // each "第 R 行“列”：why", at most listedLimit of them
    std::size_t refusedCount = 0;
    bool byCaption = false;  // the block's first row named its columns
    std::size_t ignored = 0; // cells with a text that fell on 序号 or on a result, which are computed
    std::size_t rows = 0;    // the table's rows the block covers
};

// The paste of a block into a table. A block of more than one row whose first
// row names columns of the table (every text of it) is mapped by caption,
// from the target's row down; any other block falls on the table's columns
// as they stand, from the target cell rightwards and down, an empty cell of
// it emptying the cell it falls on. Rows below the table's last are added.
// The number and the results are computed, not pasted.
Paste planPaste(const catalogue::ZoneTable &table, const Sheet &block, const PasteTarget &target);

// The most cells a message lists by name.
inline constexpr std::size_t listedLimit = 20;
// The lines of a list of refused cells under a first line, with a last line
// that counts the rest when there are more than were listed.
std::string refusalText(const std::string &head, const std::vector<std::string> &lines, std::size_t total);

// The target of a row left to the standard where the text it has is what the
// standard gives (a number of the same value, or the standard's own message
// of a limit it lacks): a sheet shows the standard's value as any other, and
// reading it back must not make it typed.
void settleTarget(catalogue::ZoneRow &row);

} // namespace spreadsheet
