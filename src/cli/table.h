#pragma once
// varnolek-calc --table: a saved zone table computed row by row and printed
// as CSV under the window's column captions.

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

// args: the whole command line, "--table" among them. Returns the exit
// status: 1 for a usage error, 3 for a file that cannot be read, 5 when some
// rows failed or are incomplete (each named on err).
int table(const std::vector<std::string> &args, std::FILE *out, std::FILE *err);

} // namespace cli
