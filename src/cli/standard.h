#pragma once
// varnolek-calc --standard: the limits of GB 3838-2002 table 1, a class's
// limit of one item as the target of a calculation, or the whole table as CSV.

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

// args: the whole command line, "--standard" first. Returns the exit status:
// 1 for an unknown item or class, 3 when the water body has no single limit.
int standard(const std::vector<std::string> &args, std::FILE *out, std::FILE *err);

} // namespace cli
