#include "runner.h"

#include "csv.h"
#include "standard.h"
#include "table.h"

#include "catalogue/casefile.h"
#include "catalogue/catalogue.h"
#include "catalogue/grid.h"
#include "catalogue/inputcheck.h"
#include "catalogue/montecarlo.h"
#include "catalogue/parallel.h"
#include "varnolek/version.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <new>
#include <optional>

#include <sys/resource.h>
#include <unistd.h>

namespace cli {

namespace {

constexpr const char *helpText = R"(varnolek-calc: the calculations of Varnolek's calculator windows, without a screen.

Usage:
  varnolek-calc --list                 every calculation with its window title and fields
  varnolek-calc ID [FIELD=TEXT ...]    one case; fields not given keep their default text
  varnolek-calc ID --csv FILE [--bom]  a batch: a header row of field names, one case per row
                                       (FILE may be - for standard input); --bom begins the
                                       output with a UTF-8 byte-order mark, for spreadsheets
  varnolek-calc ID --check-input [FIELD=TEXT ...]
                                       tells, one line per finding with the field's name
                                       first, of each empty field, each text that is not
                                       wholly a number and each value beyond the range its
                                       label prints; the case is not calculated
  varnolek-calc [--check] --case FILE.vcase ...
                                       saved cases; with more than one file each output
                                       begins with a line "== FILE"
  varnolek-calc --table FILE.vtable [--bom]
                                       a zone table: every row computed, printed as CSV
                                       under the window's column captions
  varnolek-calc --version              prints the version
  varnolek-calc --standard ITEM CLASS [--lake]
                                       the limit of GB 3838-2002 for a river (a lake or
                                       reservoir with --lake); --standard --list: the table
  varnolek-calc ID --sweep FIELD=FROM:TO:N[:log] [--sweep FIELD2=FROM:TO:N[:log]] [FIELD=TEXT ...]
                                       a sweep: N values from FROM to TO inclusive (log-spaced
                                       with :log); two sweeps form a grid, the first slowest
  varnolek-calc ID --monte-carlo N [--seed S] --vary FIELD[=DIST] ... [--rows | --as-shown] [FIELD=TEXT ...]
                                       N cases with the varied fields drawn at random; DIST is
                                       uniform:a:b, normal:mean:sd, triangular:a:mode:b or
                                       lognormal:mu:sigma (of ln x); FIELD alone is uniform over
                                       the range its label prints; the seed is 1 unless given
  varnolek-calc --help

--threads K runs a batch, a sweep or a Monte Carlo run on K threads (default: every
core); the output is the same in any number of threads.

A field's text is read as its window reads it (the leading number: "0.2abc" is 0.2;
--check-input tells of such texts);
FIELD= gives the empty text. For myKform/multi-point give the points as
Text4.0=... Text2.0=... Text4.1=... (the rows given make the table, at most as many as
the window's table takes: Text4.0 to Text4.10921). For yearform give file=PATH and rate=TEXT;
for designflowform (and designflowform/level) file=PATH of monthly means and rate=TEXT.

One case prints one line NAME=TEXT per text the window's OK press writes, in its order.
A failure prints the window's message on standard error. Exit status: 0 done, 1 usage
error, 2 an empty field (the completeness check), 3 a run-time failure or a bad data file;
6 when --check-input found something to tell.

ITEM is the Chinese name (总磷) or a code: COD, CODMn, BOD5, NH3-N, TP, TN, DO, or an
element symbol for a metal (Cu, Hg, Cr for hexavalent chromium ...); CLASS is I to V (or
1 to 5). The limit is printed in general decimal text; exit status 1 for an unknown item
or class, 3 with the reason on standard error when the water body has no single limit
(total nitrogen in a river, pH, water temperature). --standard --list writes CSV:
name,code,unit,sense,water body,I,II,III,IV,V.

A zone table prints one CSV row per zone: its texts, the target concentration
(from GB 3838-2002 unless typed), the capacity W, the load limit, the reduction
and the remaining capacity (t/a) and the status. Exit status with --table: 0 when
every row was computed, 3 for a file that cannot be read, 5 when some rows failed
or are incomplete, each named on standard error.

A saved case prints as one case does. With --check the texts are compared with the
results the case was saved with (a case saved without results is only run), and each
name that differs is printed as "differs NAME: saved TEXT, now TEXT". Exit status with
--case: the largest over the files, 3 also for a case file that cannot be read, and 4
for a case with a differing result.

The batch writes CSV: the input columns, one column per output, and an error column
(empty on success, else the message); one bad row does not stop the batch. A column of
a row beyond the table is the error of every row that gives it a text. Only running out
of memory ends a batch early, with exit status 3. A sweep writes
the swept fields, the outputs and error, one row per point. A Monte Carlo run writes
output,mean,sd,min,p5,p25,p50,p75,p95,max,failed: one row per numeric output (and
"balance", the signed balance of a load calculation), taken on the computed values
before their digit patterns, 7 significant digits; failed counts the cases that gave no
value. With --as-shown they are taken on the values as the window shows them (rounded
to its digits). With --rows it writes every drawn case instead: the varied fields, the
outputs and error. A drawn value enters its case as the number its text reads as.
A run whose every case failed ends with exit status 3 and the count on standard
error. N is written in digits, at most 10^18; without --rows the statistics keep 8
bytes per case for each output, and a run that cannot keep them in memory is refused.
A sweep's grid has at most 10^9 points, each field swept once, its values within the
range of numbers.

Example:
  varnolek-calc my1dform myx=5 myk=0.3
  printf 'myx,myk\n3,0.2\n5,0.3\n' | varnolek-calc my1dform --csv -
)";

using catalogue::Case;
using catalogue::Entry;
using catalogue::Field;

// The exit status of an evaluation; the texts are printed only when it ran to its end.
int statusOf(const catalogue::Outcome &outcome)
{
    switch (outcome.status) {
    case catalogue::Status::Done:
        return Ok;
    case catalogue::Status::Incomplete:
        return IncompleteInput;
    case catalogue::Status::Failed:
        return Failed;
    }
    return Failed;
}

// Why NAME is not a field of the calculation, nor an element of one of its
// groups within the rows the window's table takes; nothing when it is.
std::optional<std::string> fieldError(const Entry &entry, std::string_view name)
{
    if (entry.accepts(name))
        return std::nullopt;
    const auto dot = name.find('.');
    if (const catalogue::Group *group = dot == std::string_view::npos ? nullptr : entry.group(name.substr(0, dot)))
        return "'" + std::string(name) + "' is not a row of the table: its index runs from 0 to " +
               std::to_string(group->maxRows - 1);
    return "no field '" + std::string(name) + "' in " + entry.id;
}

// Whether NAME is an element of one of the calculation's groups, whatever its index.
bool inGroup(const Entry &entry, std::string_view name)
{
    const auto dot = name.find('.');
    return dot != std::string_view::npos && entry.group(name.substr(0, dot));
}

constexpr const char *outOfMemory = "out of memory";


int usage(std::FILE *err, const std::string &what)
{
    std::fprintf(err, "varnolek-calc: %s (see varnolek-calc --help)\n", what.c_str());
    return Usage;
}

void list(std::FILE *out)
{
    for (const Entry &calculation : catalogue::entries()) {
        std::fprintf(out, "%s\t%s\n", calculation.id.c_str(), calculation.title.c_str());
        for (const Field &field : calculation.fields)
            std::fprintf(out, "  %s\t%s\t%s\n", field.name.c_str(), field.label.c_str(), field.defaultText.c_str());
        for (int i = 0; i < calculation.defaultRows; ++i)
            for (const catalogue::Group &group : calculation.groups)
                std::fprintf(out, "  %s.%d\t%s\t%s\n", group.name.c_str(), i, group.rowLabel(i).c_str(),
                             catalogue::rowDefault(calculation, group, i).c_str());
    }
}

// A case whose indexed groups, when any are given, replace the default rows.
void applyField(Case &c, const Entry &calculation, std::string_view name, std::string_view text,
                bool &indexedGiven)
{
    if (!calculation.groups.empty() && name.find('.') != std::string_view::npos && !indexedGiven) {
        indexedGiven = true;
        std::vector<std::pair<std::string_view, std::string_view>> kept;
        for (const auto &field : c.fields)
            if (field.first.find('.') == std::string_view::npos)
                kept.push_back(field);
        c.fields = std::move(kept);
    }
    c.set(name, text);
}

void printTexts(const catalogue::Result &result, std::FILE *out)
{
    for (const catalogue::Text &output : result.texts)
        std::fprintf(out, "%.*s=%s\n", int(output.name.size()), output.name.data(), output.text.c_str());
}

int single(const Entry &calculation, const std::vector<std::string> &args, std::FILE *out, std::FILE *err)
{
    Case c = catalogue::defaultCase(calculation);
    bool indexedGiven = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const auto eq = args[i].find('=');
        if (eq == std::string::npos)
            return usage(err, "expected FIELD=TEXT, got '" + args[i] + "'");
        const std::string_view arg = args[i];
        if (const std::optional<std::string> error = fieldError(calculation, arg.substr(0, eq)))
            return usage(err, *error);
        applyField(c, calculation, arg.substr(0, eq), arg.substr(eq + 1), indexedGiven);
    }
    const catalogue::Outcome outcome = catalogue::evaluate(calculation, c);
    const int status = statusOf(outcome);
    if (status == Ok)
        printTexts(outcome.result, out);
    else
        std::fprintf(err, "%s\n", outcome.message.c_str());
    return status;
}

// The UTF-8 byte-order mark: a spreadsheet on a Chinese system that finds none
// reads the file as GBK and garbles every Chinese text.
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The header row of the CSV, after the byte-order mark when one is asked for.
std::string headerOf(const std::vector<std::string> &fields, const Entry &calculation, bool bom = false)
{
    std::string record(bom ? byteOrderMark : std::string_view());
    for (std::size_t i = 0; i < fields.size(); ++i)
        appendField(record, fields[i], i == 0);
    for (const catalogue::Output &output : calculation.outputs)
        appendField(record, output.name, false);
    appendField(record, "error", false);
    record.push_back('\n');
    return record;
}

// The batch, on `threads` threads: the input is cut into blocks of whole
// records on this thread, each block is read, evaluated and written as CSV
// text by a worker, and the blocks are written out in input order, so the
// output is the same in any thread count. Two blocks per thread at most are in
// flight, so memory does not grow with the row count.
int batch(const Entry &calculation, const std::string &file, unsigned threads, bool bom, std::FILE *in, std::FILE *out,
          std::FILE *err)
{
    std::FILE *source = in;
    if (file != "-") {
        source = std::fopen(file.c_str(), "rb");
        if (!source)
            return usage(err, "cannot open '" + file + "'");
    }
    struct Closer {
        std::FILE *f, *in;
        ~Closer()
        {
            if (f != in)
                std::fclose(f);
        }
    } closer{source, in};

    CsvReader reader(source);
    std::vector<std::string> header;
    std::string error;
    if (!reader.next(header, error) || !error.empty())
        return usage(err, error.empty() ? "the CSV has no header row" : "the header row is malformed: " + error);
    // A column of a group whose index lies beyond the table is kept: it is the
    // error of the rows that give it a text.
    std::vector<std::string> beyondTable(header.size());
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (std::optional<std::string> error = fieldError(calculation, header[i])) {
            if (!inGroup(calculation, header[i]))
                return usage(err, *error);
            beyondTable[i] = std::move(*error);
        }
        for (std::size_t j = 0; j < i; ++j)
            if (header[j] == header[i])
                return usage(err, "the column '" + header[i] + "' stands twice in the header");
    }

    const std::string headerRecord = headerOf(header, calculation, bom);
    std::fwrite(headerRecord.data(), 1, headerRecord.size(), out);

    const Case defaults = catalogue::defaultCase(calculation);
    // Where each column goes in the case: a plain field's place, or -1 for an
    // indexed field, which is applied by name.
    std::vector<int> column(header.size(), -1);
    for (std::size_t i = 0; i < header.size(); ++i)
        for (std::size_t f = 0; f < defaults.fields.size(); ++f)
            if (header[i].find('.') == std::string::npos && defaults.fields[f].first == header[i])
                column[i] = static_cast<int>(f);

    struct Block {
        std::string input;
        long firstLine = 1;
        std::string output;
        long outOfMemoryAt = 0; // the line of the row memory ran out at, if it did
    };
    long readingAt = reader.line(); // the first line of the block read last
    auto prepare = [&](Block &b) {
        if (!reader.nextBlock(b.input, b.firstLine, 1 << 17))
            return false;
        readingAt = b.firstLine;
        return true;
    };
    auto work = [&](Block &b) {
        b.output.clear();
        b.outOfMemoryAt = 0;
        CsvRecords records(b.input, b.firstLine);
        std::vector<std::string_view> row;
        std::string rowError;
        Case c = defaults;
        catalogue::Outcome outcome;
        std::size_t rowStart = 0;
        // Memory running out ends the batch: the rows before this one are written.
        try {
            for (;;) {
                rowStart = b.output.size();
                if (!records.next(row, rowError))
                    break;
                c.fields = defaults.fields;
                outcome.status = catalogue::Status::Done;
                outcome.message.clear();
                // The first column beyond the table that this row gives a text, if any.
                std::size_t beyond = 0;
                while (beyond < header.size() &&
                       (beyondTable[beyond].empty() || beyond >= row.size() || row[beyond].empty()))
                    ++beyond;
                if (!rowError.empty()) {
                    outcome.status = catalogue::Status::Failed;
                    outcome.message = "malformed CSV row at line " + std::to_string(records.line()) + ": " + rowError;
                } else if (row.size() != header.size() && !(row.size() == 1 && row[0].empty())) {
                    outcome.status = catalogue::Status::Failed;
                    outcome.message = "malformed CSV row at line " + std::to_string(records.line()) + ": " +
                                      std::to_string(row.size()) + " fields where the header has " +
                                      std::to_string(header.size());
                } else if (row.size() == 1 && row[0].empty() && header.size() != 1) {
                    continue; // a blank line
                } else if (beyond < header.size()) {
                    outcome.status = catalogue::Status::Failed;
                    outcome.message = beyondTable[beyond];
                } else {
                    bool indexedGiven = false;
                    for (std::size_t i = 0; i < header.size(); ++i) {
                        if (!beyondTable[i].empty())
                            continue; // left empty in this row
                        if (column[i] >= 0)
                            c.fields[column[i]].second = row[i];
                        else
                            applyField(c, calculation, header[i], row[i], indexedGiven);
                    }
                    catalogue::evaluateInto(calculation, c, outcome);
                }
                const bool done = outcome.status == catalogue::Status::Done;
                // The input columns as they stand when writing them again changes nothing.
                if (records.plain() && row.size() == header.size())
                    b.output.append(records.record());
                else
                    for (std::size_t i = 0; i < header.size(); ++i)
                        appendField(b.output, i < row.size() ? row[i] : std::string_view(), i == 0);
                for (const catalogue::Output &output : calculation.outputs) {
                    const std::string *text = done ? outcome.result.text(output.name) : nullptr;
                    appendField(b.output, text ? std::string_view(*text) : std::string_view(), false);
                }
                appendField(b.output, outcome.message, header.empty() && calculation.outputs.empty());
                b.output.push_back('\n');
            }
        } catch (const std::bad_alloc &) {
            b.output.resize(rowStart);
            b.outOfMemoryAt = records.line();
        }
    };
    long outOfMemoryAt = 0;
    auto deliver = [&](Block &b) {
        std::fwrite(b.output.data(), 1, b.output.size(), out);
        outOfMemoryAt = b.outOfMemoryAt;
        return outOfMemoryAt == 0;
    };
    try {
        catalogue::runOrdered<Block>(threads, prepare, work, deliver);
    } catch (const std::bad_alloc &) {
        outOfMemoryAt = readingAt; // while reading the input
    }
    std::fflush(out);
    if (outOfMemoryAt != 0) {
        std::fprintf(err, "varnolek-calc: %s at line %ld of the CSV; the batch stops\n", outOfMemory, outOfMemoryAt);
        return Failed;
    }
    return Ok;
}

} // namespace

namespace {

// The options after the calculation's id.
struct Options {
    std::optional<std::string> csv;
    std::vector<catalogue::Axis> sweeps;
    std::optional<std::size_t> monteCarlo;
    std::uint64_t seed = 1;
    std::vector<catalogue::Varied> varied;
    bool rows = false;
    bool asShown = false;
    bool bom = false;        // a byte-order mark before the CSV
    bool checkInput = false; // tell of the texts instead of calculating
    unsigned threads = 0;    // every core
    std::vector<std::string> assignments;
};

bool wholeNumber(const std::string &text, unsigned long long &value)
{
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && parsed.ec == std::errc() && parsed.ptr == text.data() + text.size();
}

bool digitsOnly(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Reads the N of --monte-carlo: a whole number of at least 1 written in
// digits, at most maxMonteCarloCases. The message of a bad one, or the empty text.
std::string readCases(const std::string &value, std::size_t &cases)
{
    const std::string_view digits = !value.empty() && value[0] == '-' ? std::string_view(value).substr(1) : value;
    unsigned long long n = 0;
    if (!digitsOnly(digits))
        return "--monte-carlo needs N, the number of cases, as a whole number written in digits (such as 10000), "
               "got '" +
               value + "'";
    if (digits.size() != value.size() || (wholeNumber(value, n) && n == 0))
        return "--monte-carlo needs a number of cases N of at least 1, got '" + value + "'";
    if (!wholeNumber(value, n) || n > catalogue::maxMonteCarloCases)
        return "--monte-carlo " + value + ": at most " + std::to_string(catalogue::maxMonteCarloCases) +
               " cases are run";
    cases = std::size_t(n);
    return {};
}

// The bytes this program may hold: the machine's memory, or less where the
// address space is limited (ulimit -v).
unsigned long long memoryLimit()
{
    unsigned long long limit = std::numeric_limits<unsigned long long>::max();
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        limit = (unsigned long long)pages * (unsigned long long)pageSize;
    rlimit space{};
    if (getrlimit(RLIMIT_AS, &space) == 0 && space.rlim_cur != RLIM_INFINITY)
        limit = std::min<unsigned long long>(limit, space.rlim_cur);
    return limit;
}

// The statistics of a Monte Carlo run keep one double per case for every
// numeric output and the balance: a run whose values cannot be held in memory
// is refused before it starts. The message, or the empty text.
std::string checkCasesFitMemory(const Entry &calculation, std::size_t cases)
{
    std::size_t columns = calculation.balance ? 1 : 0;
    for (const catalogue::Output &output : calculation.outputs)
        columns += output.numeric() ? 1 : 0;
    const unsigned long long perCase = columns * sizeof(double), limit = memoryLimit();
    if (perCase == 0 || cases <= limit / perCase)
        return {};
    const long double bytes = (long double)cases * (long double)perCase;
    return "--monte-carlo " + std::to_string(cases) + ": the statistics keep " + std::to_string(perCase) +
           " bytes for each case, " + catalogue::valueText(double(bytes / 1e9L)) + " GB, more than the " +
           catalogue::valueText(double(std::floor(limit / 1e8L) / 10)) +
           " GB of memory this program may use; --rows writes every case without keeping it";
}

// Reads the options; the message of a usage error, or the empty text.
std::string readOptions(const Entry &calculation, const std::vector<std::string> &args, Options &o)
{
    std::vector<std::string> given; // the options that take one value, seen so far
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            o.assignments.push_back(arg);
            continue;
        }
        const bool valued = arg == "--csv" || arg == "--sweep" || arg == "--monte-carlo" || arg == "--seed" ||
                            arg == "--vary" || arg == "--threads";
        if (arg == "--bom" || arg == "--check-input") {
            (arg == "--bom" ? o.bom : o.checkInput) = true;
            continue;
        }
        if (!valued && arg != "--rows" && arg != "--as-shown")
            return "unknown option '" + arg + "'";
        if (valued && i + 1 >= args.size())
            return arg == "--csv" ? "--csv takes one FILE (or -)" : arg + " needs a value";
        // A second value would silently replace the first.
        if (arg != "--sweep" && arg != "--vary") {
            if (std::find(given.begin(), given.end(), arg) != given.end())
                return arg + " is given twice";
            given.push_back(arg);
        }
        const std::string value = valued ? args[++i] : std::string();
        std::string error;
        unsigned long long n = 0;
        if (arg == "--csv") {
            o.csv = value;
        } else if (arg == "--sweep") {
            if (o.sweeps.size() == 2)
                return "at most two --sweep";
            const auto axis = catalogue::parseAxis(calculation, value, error);
            if (!axis)
                return error;
            o.sweeps.push_back(*axis);
            error = catalogue::checkGrid(calculation, o.sweeps);
            if (!error.empty())
                return error;
        } else if (arg == "--monte-carlo") {
            std::size_t cases = 0;
            error = readCases(value, cases);
            if (!error.empty())
                return error;
            o.monteCarlo = cases;
        } else if (arg == "--seed") {
            if (!wholeNumber(value, n))
                return "--seed needs a whole number from 0, got '" + value + "'";
            o.seed = n;
        } else if (arg == "--vary") {
            const auto varied = catalogue::parseVaried(calculation, value, error);
            if (!varied)
                return error;
            for (const catalogue::Varied &v : o.varied)
                if (v.field == varied->field)
                    return "--vary of " + v.field + " stands twice: a field is drawn from one distribution";
            o.varied.push_back(*varied);
        } else if (arg == "--threads") {
            if (!wholeNumber(value, n) || n == 0 || n > 1024)
                return "--threads needs a number of threads from 1 to 1024, got '" + value + "'";
            o.threads = unsigned(n);
        } else if (arg == "--as-shown") {
            o.asShown = true;
        } else {
            o.rows = true;
        }
    }
    if (o.threads == 0)
        o.threads = catalogue::defaultThreads();
    const int modes = int(bool(o.csv)) + int(!o.sweeps.empty()) + int(bool(o.monteCarlo));
    if (modes > 1)
        return "--csv, --sweep and --monte-carlo do not go together";
    if (o.csv && !o.assignments.empty())
        return "--csv takes one FILE (or -)";
    if (!o.varied.empty() && !o.monteCarlo)
        return "--vary goes with --monte-carlo";
    if ((o.rows || o.asShown || args.end() != std::find(args.begin(), args.end(), "--seed")) && !o.monteCarlo)
        return "--rows, --as-shown and --seed go with --monte-carlo";
    if (o.rows && o.asShown)
        return "--as-shown is for the statistics: --rows writes every case as shown already";
    if ((o.monteCarlo || !o.sweeps.empty()) && !calculation.sweepable)
        return "the design level year of a data file is not swept nor drawn at random";
    if (o.monteCarlo && o.varied.empty())
        return "--monte-carlo needs at least one --vary FIELD[=DIST]";
    if (o.bom && modes == 0)
        return "--bom goes with --csv, --sweep or --monte-carlo";
    if (o.checkInput && modes > 0)
        return "--check-input goes with FIELD=TEXT only";
    if (o.monteCarlo && !o.rows)
        return checkCasesFitMemory(calculation, *o.monteCarlo);
    return {};
}

// The base case of a sweep or a Monte Carlo run: the defaults and the fields given.
std::string baseCase(const Entry &calculation, const std::vector<std::string> &assignments, Case &c)
{
    c = catalogue::defaultCase(calculation);
    bool indexedGiven = false;
    for (const std::string &arg : assignments) {
        const auto eq = arg.find('=');
        if (eq == std::string::npos)
            return "expected FIELD=TEXT, got '" + arg + "'";
        if (std::optional<std::string> error = fieldError(calculation, std::string_view(arg).substr(0, eq)))
            return *error;
        applyField(c, calculation, std::string_view(arg).substr(0, eq), std::string_view(arg).substr(eq + 1),
                   indexedGiven);
    }
    return {};
}

// Appends the outputs and the error of an outcome to a record.
void appendOutcome(std::string &record, const Entry &calculation, const catalogue::Outcome &outcome)
{
    const bool done = outcome.status == catalogue::Status::Done;
    for (const catalogue::Output &output : calculation.outputs) {
        const std::string *text = done ? outcome.result.text(output.name) : nullptr;
        appendField(record, text ? std::string_view(*text) : std::string_view(), false);
    }
    appendField(record, outcome.message, false);
    record.push_back('\n');
}

int sweepCommand(const Entry &calculation, const Options &o, const Case &base, std::FILE *out)
{
    std::vector<std::string> names;
    for (const catalogue::Axis &axis : o.sweeps)
        names.push_back(axis.field);
    const std::string header = headerOf(names, calculation, o.bom);
    std::fwrite(header.data(), 1, header.size(), out);
    std::string record;
    catalogue::sweepGrid(calculation, base, o.sweeps, o.threads, [&](const std::vector<catalogue::GridRow> &rows) {
        record.clear();
        for (const catalogue::GridRow &row : rows) {
            for (std::size_t a = 0; a < row.texts.size(); ++a)
                appendField(record, row.texts[a], a == 0);
            appendOutcome(record, calculation, row.outcome);
        }
        std::fwrite(record.data(), 1, record.size(), out);
        return true;
    });
    std::fflush(out);
    return Ok;
}

// A run whose every case failed has no result to show: exit status 3, with the count.
int allFailed(std::size_t cases, std::size_t failed, std::FILE *err)
{
    if (cases == 0 || failed < cases)
        return Ok;
    std::fprintf(err, "varnolek-calc: every one of the %zu cases failed\n", cases);
    return Failed;
}

int monteCarloCommand(const Entry &calculation, const Options &o, const Case &base, std::FILE *out, std::FILE *err)
{
    catalogue::MonteCarloSettings settings;
    settings.cases = *o.monteCarlo;
    settings.seed = o.seed;
    settings.threads = o.threads;
    settings.keepMainValues = false;
    settings.asShown = o.asShown;
    std::string record;
    if (o.rows) {
        std::vector<std::string> names;
        for (const catalogue::Varied &v : o.varied)
            names.push_back(v.field);
        record = headerOf(names, calculation, o.bom);
        std::fwrite(record.data(), 1, record.size(), out);
        std::size_t failed = 0;
        catalogue::monteCarloCases(calculation, base, o.varied, settings,
                                   [&](const std::vector<catalogue::DrawnCase> &cases) {
                                       record.clear();
                                       for (const catalogue::DrawnCase &drawn : cases) {
                                           for (std::size_t k = 0; k < drawn.texts.size(); ++k)
                                               appendField(record, drawn.texts[k], k == 0);
                                           appendOutcome(record, calculation, drawn.outcome);
                                           failed += drawn.outcome.status != catalogue::Status::Done;
                                       }
                                       std::fwrite(record.data(), 1, record.size(), out);
                                       return true;
                                   });
        std::fflush(out);
        return allFailed(settings.cases, failed, err);
    }
    const std::optional<catalogue::MonteCarloResult> result =
        catalogue::monteCarlo(calculation, base, o.varied, settings);
    record = std::string(o.bom ? byteOrderMark : std::string_view()) + catalogue::summaryHeader + "\n";
    for (const catalogue::OutputStatistics &s : result->outputs) {
        appendField(record, s.name, true);
        for (const std::string &text : catalogue::summaryTexts(s.summary, s.failed))
            appendField(record, text, false);
        record.push_back('\n');
    }
    std::fwrite(record.data(), 1, record.size(), out);
    std::fflush(out);
    return allFailed(result->cases, result->failed, err);
}

// The input check of a case: one line per finding, the field's name first.
int checkInput(const Entry &calculation, const Case &c, std::FILE *out)
{
    const std::vector<catalogue::Finding> found = catalogue::checkInput(calculation, c);
    for (const catalogue::Finding &finding : found)
        std::fprintf(out, "%s\t%s\n", finding.field.c_str(), finding.text.c_str());
    return found.empty() ? Ok : InputFindings;
}

// One saved case: each of its views run on its texts, the results compared
// with the saved ones when asked to.
int savedCase(const std::string &path, bool check, std::FILE *out, std::FILE *err)
{
    catalogue::CaseFile file;
    try {
        file = catalogue::readCaseFile(path);
    } catch (const catalogue::BadCaseFile &bad) {
        std::fprintf(err, "%s: 算例文件无法读取：%s\n", path.c_str(), bad.what());
        return Failed;
    }
    const std::string folder = std::filesystem::u8path(path).parent_path().u8string();
    int status = Ok;
    bool differs = false;
    for (const Entry *view : file.entries()) {
        const catalogue::Outcome outcome = catalogue::evaluate(*view, file.toCase(*view, folder));
        const int viewStatus = statusOf(outcome);
        status = std::max(status, viewStatus);
        if (viewStatus != Ok) {
            std::fprintf(err, "%s\n", outcome.message.c_str());
            continue;
        }
        printTexts(outcome.result, out);
        if (!check)
            continue;
        for (const catalogue::Text &output : outcome.result.texts) {
            const std::string *saved = file.result(output.name);
            if (saved && *saved != output.text) {
                differs = true;
                std::fprintf(out, "differs %.*s: saved %s, now %s\n", int(output.name.size()), output.name.data(),
                             saved->c_str(), output.text.c_str());
            }
        }
    }
    return differs ? std::max(status, int(Differs)) : status;
}

int savedCases(const std::vector<std::string> &args, std::FILE *out, std::FILE *err)
{
    bool check = false, caseSeen = false;
    std::vector<std::string> files;
    for (const std::string &arg : args) {
        if (arg == "--check")
            check = true;
        else if (arg == "--case")
            caseSeen = true;
        else if (caseSeen)
            files.push_back(arg);
        else
            return usage(err, "unexpected '" + arg + "' before --case");
    }
    if (files.empty())
        return usage(err, "--case takes one or more FILE.vcase");
    int status = Ok;
    for (const std::string &file : files) {
        if (files.size() > 1)
            std::fprintf(out, "== %s\n", file.c_str());
        status = std::max(status, savedCase(file, check, out, err));
        std::fflush(out);
    }
    return status;
}

int command(const std::vector<std::string> &args, std::FILE *in, std::FILE *out, std::FILE *err)
{
    if (args.empty())
        return usage(err, "no calculation given");
    if (args[0] == "--help" || args[0] == "-h") {
        std::fputs(helpText, out);
        return Ok;
    }
    if (args[0] == "--version") {
        std::fprintf(out, "%s\n", varnolek::versionLine);
        return Ok;
    }
    if (args[0] == "--list") {
        list(out);
        return Ok;
    }
    if (args[0] == "--standard")
        return standard(args, out, err);
    if (std::find(args.begin(), args.end(), "--table") != args.end())
        return table(args, out, err);
    if (std::find(args.begin(), args.end(), "--case") != args.end())
        return savedCases(args, out, err);
    const Entry *calculation = catalogue::find(args[0]);
    if (!calculation)
        return usage(err, "unknown calculation '" + args[0] + "'; --list shows them");
    Options options;
    const std::string problem = readOptions(*calculation, args, options);
    if (!problem.empty())
        return usage(err, problem);
    if (options.csv)
        return batch(*calculation, *options.csv, options.threads, options.bom, in, out, err);
    if (!options.sweeps.empty() || options.monteCarlo) {
        Case base;
        const std::string bad = baseCase(*calculation, options.assignments, base);
        if (!bad.empty())
            return usage(err, bad);
        return options.monteCarlo ? monteCarloCommand(*calculation, options, base, out, err)
                                  : sweepCommand(*calculation, options, base, out);
    }
    if (options.checkInput) {
        Case c;
        const std::string bad = baseCase(*calculation, options.assignments, c);
        if (!bad.empty())
            return usage(err, bad);
        return checkInput(*calculation, c, out);
    }
    std::vector<std::string> plain{args[0]};
    plain.insert(plain.end(), options.assignments.begin(), options.assignments.end());
    return single(*calculation, plain, out, err);
}

} // namespace

int guarded(std::FILE *err, const std::function<int()> &command)
{
    try {
        return command();
    } catch (const std::bad_alloc &) {
        std::fprintf(err, "varnolek-calc: %s\n", outOfMemory);
    } catch (const std::exception &e) {
        std::fprintf(err, "varnolek-calc: %s\n", e.what());
    } catch (...) {
        std::fprintf(err, "varnolek-calc: an unexpected failure\n");
    }
    std::fflush(err);
    return Failed;
}

int run(const std::vector<std::string> &args, std::FILE *in, std::FILE *out, std::FILE *err)
{
    return guarded(err, [&] { return command(args, in, out, err); });
}

} // namespace cli
