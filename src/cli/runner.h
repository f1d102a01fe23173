#pragma once
// varnolek-calc: every calculation of the program from the command line.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace cli {

// Exit statuses.
// Differs: a saved case whose results differ from what the calculation gives now.
// InputFindings: --check-input found something to tell of the texts given.
// RowsUnfinished: rows of a zone table that failed or are incomplete.
enum Status { Ok = 0, Usage = 1, IncompleteInput = 2, Failed = 3, Differs = 4, RowsUnfinished = 5, InputFindings = 6 };

// Runs the command line (arguments without the program name) and returns the
// exit status. Reads CSV from in when the file is "-".
// No exception leaves it: whatever a command throws ends it with status 3
// and the exception's message on err.
int run(const std::vector<std::string> &args, std::FILE *in, std::FILE *out, std::FILE *err);

// The boundary run keeps: runs the command and turns any exception it lets
// out into exit status 3 with a line on err ("varnolek-calc: out of memory"
// for memory, else the exception's message).
int guarded(std::FILE *err, const std::function<int()> &command);

} // namespace cli
