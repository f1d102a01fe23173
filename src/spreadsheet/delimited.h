#pragma once
// Text delimited as spreadsheets write it: CSV with commas, and the
// clipboard's text of a block of cells copied from Excel or WPS, with tabs.
// Records end at LF, CRLF or a CR of its own; a field that begins with a
// double quote runs to its closing quote and may hold delimiters, line breaks
// and doubled quotes; a quote anywhere else is text, as the spreadsheets
// themselves take it.

#include "cells.h"

#include <string>
#include <string_view>

namespace spreadsheet {

// The cells of the text (UTF-8). The final line break ends the last record;
// it does not begin another. Throws BadSpreadsheet beyond the bounds.
Sheet readDelimited(std::string_view text, char delimiter);

// Appends a CSV field to a record: a comma unless it is the first, then the
// text, in double quotes when it holds a comma, a quote or a line break.
void appendCsvField(std::string &record, std::string_view text, bool first);

} // namespace spreadsheet
