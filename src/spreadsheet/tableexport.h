#pragma once
// The zone table for Excel and WPS: an xlsx workbook written with
// libxlsxwriter, and CSV under the window's column captions. Both show every
// cell as the window does: the standard's target, the results and the status.

#include "catalogue/zonetable.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace spreadsheet {

// Why a file could not be written, in Chinese.
struct WriteFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The names of the workbook's sheets.
inline constexpr const char *tableSheetName = "计算表";
inline constexpr const char *totalsSheetName = "汇总";

// Writes the workbook: the sheet 计算表 with a header row of the window's
// captions in bold, frozen with the zones' numbers and names, each column as
// wide as its texts; numbers as numbers, each cell with the decimals the
// window shows it with as its number format, the standard's target in
// italics as in the window; and the sheet 汇总 with the totals by pollutant
// and by water body. The file is replaced only once the whole workbook is
// written. Throws WriteFailed.
void writeWorkbook(const catalogue::ZoneTable &table, const std::string &path);

// The CSV of the table: a header row of the captions, one record per row with
// the texts the window shows, each ending in a line break.
std::string csvHeader(const catalogue::ZoneTable &table);
std::string csvRecord(const catalogue::ZoneTable &table, std::size_t row);
// The whole CSV, after a UTF-8 byte-order mark (for Excel) when asked.
std::string tableCsv(const catalogue::ZoneTable &table, bool byteOrderMark);

// Writes bytes to a file through a temporary file beside it, renamed over the
// file once written in full. Throws WriteFailed.
void writeFile(const std::string &path, std::string_view bytes);

} // namespace spreadsheet
