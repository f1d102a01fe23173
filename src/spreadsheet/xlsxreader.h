#pragma once
// The first worksheet of an xlsx workbook, as Excel, WPS and LibreOffice
// save it: the zip read with minizip, the parts' XML with expat. It takes
// each cell's value: numbers (as general decimal text of 15 significant
// digits, as a spreadsheet shows them), shared and inline strings, the cached
// value of a formula; styles and the formulas' own text are passed over.
//
// A hostile file is refused with a reason (BadSpreadsheet) and nothing read:
// a part over 50 MB once inflated, or inflated more than 100 times its
// compressed size, each checked against what its header declares and again
// against what inflating actually gives; a sheet of more than 100,000 rows or
// 1,000 columns; a shared string that is not there; a DTD; a damaged zip.

#include "cells.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace spreadsheet {

inline constexpr std::uint64_t maxPartBytes = std::uint64_t(50) * 1024 * 1024;
inline constexpr std::uint64_t maxInflation = 100;
// The parts a workbook may hold: a few dozen in any real one.
inline constexpr std::uint64_t maxParts = 10000;

Sheet readXlsxFile(const std::string &path);
Sheet readXlsxBytes(std::string_view bytes);

namespace detail {
// The cells of a worksheet's XML with the workbook's shared strings (XML, or
// the empty text for none), as they are read once found in the zip: for the
// fuzz target, which reaches the XML without a zip around it.
Sheet readSheetXml(std::string_view sheetXml, std::string_view sharedStringsXml);
} // namespace detail

} // namespace spreadsheet
