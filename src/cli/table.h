#pragma once
// varnolek-calc --table: a saved zone table computed row by row and printed
// as CSV under the window's column captions, or written as an xlsx workbook;
// varnolek-calc --import: a spreadsheet (.xlsx, .csv) made a zone table file.

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

// args: the whole command line, "--table" among them. Returns the exit
// status: 1 for a usage error, 3 for a file that cannot be read or a workbook
// that cannot be written, 5 when some rows failed or are incomplete (each
// named on err).
int table(const std::vector<std::string> &args, std::FILE *out, std::FILE *err);

// args: the whole command line, "--import" among them. Returns 0 when the
// table was saved (the columns passed over named on err), 1 for a usage
// error, 3 for a file that cannot be read or is refused, or a table that
// cannot be saved, with the reason on err.
int importTable(const std::vector<std::string> &args, std::FILE *out, std::FILE *err);

} // namespace cli
