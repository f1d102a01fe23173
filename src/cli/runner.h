#pragma once
// varnolek-calc: every calculation of the program from the command line.

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

// Exit statuses.
// Differs: a saved case whose results differ from what the calculation gives now.
// InputFindings: --check-input found something to tell of the texts given.
enum Status { Ok = 0, Usage = 1, IncompleteInput = 2, Failed = 3, Differs = 4, InputFindings = 6 };

// Runs the command line (arguments without the program name) and returns the
// exit status. Reads CSV from in when the file is "-".
int run(const std::vector<std::string> &args, std::FILE *in, std::FILE *out, std::FILE *err);

} // namespace cli
