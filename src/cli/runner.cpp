#include "runner.h"

#include "csv.h"

#include "catalogue/casefile.h"
#include "catalogue/catalogue.h"
#include "varnolek/version.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>

namespace cli {

namespace {

constexpr const char *helpText = R"(varnolek-calc: the calculations of Varnolek's calculator windows, without a screen.

Usage:
  varnolek-calc --list                 every calculation with its window title and fields
  varnolek-calc ID [FIELD=TEXT ...]    one case; fields not given keep their default text
  varnolek-calc ID --csv FILE          a batch: a header row of field names, one case per row
                                       (FILE may be - for standard input)
  varnolek-calc [--check] --case FILE.vcase ...
                                       saved cases; with more than one file each output
                                       begins with a line "== FILE"
  varnolek-calc --version              prints the version
  varnolek-calc --help

A field's text is read as its window reads it (the leading number: "0.2abc" is 0.2);
FIELD= gives the empty text. For myKform/multi-point give the points as
Text4.0=... Text2.0=... Text4.1=... (the rows given make the table, at most as many as
the window's table takes: Text4.0 to Text4.10921). For yearform give file=PATH and rate=TEXT.

One case prints one line NAME=TEXT per text the window's OK press writes, in its order.
A failure prints the window's message on standard error. Exit status: 0 done, 1 usage
error, 2 an empty field (the completeness check), 3 a run-time failure or a bad data file.

A saved case prints as one case does. With --check the texts are compared with the
results the case was saved with (a case saved without results is only run), and each
name that differs is printed as "differs NAME: saved TEXT, now TEXT". Exit status with
--case: the largest over the files, 3 also for a case file that cannot be read, and 4
for a case with a differing result.

The batch writes CSV: the input columns, one column per output, and an error column
(empty on success, else the message); one bad row does not stop the batch. A column of
a row beyond the table is the error of every row that gives it a text. Only running out
of memory ends a batch early, with exit status 3.

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

int batch(const Entry &calculation, const std::string &file, std::FILE *in, std::FILE *out, std::FILE *err)
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
    std::vector<std::string> header, row;
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

    CsvWriter writer(out);
    for (const std::string &name : header)
        writer.field(name);
    for (const catalogue::Output &output : calculation.outputs)
        writer.field(output.name);
    writer.field("error");
    writer.endRecord();

    const Case defaults = catalogue::defaultCase(calculation);
    Case c = defaults;
    // Where each column goes in the case: a plain field's place, or -1 for an
    // indexed field, which is applied by name.
    std::vector<int> column(header.size(), -1);
    for (std::size_t i = 0; i < header.size(); ++i)
        for (std::size_t f = 0; f < defaults.fields.size(); ++f)
            if (header[i].find('.') == std::string::npos && defaults.fields[f].first == header[i])
                column[i] = static_cast<int>(f);
    const std::string empty;
    // Memory running out ends the batch: the rows done so far are written.
    try {
        while (reader.next(row, error)) {
            c.fields = defaults.fields;

            catalogue::Outcome outcome;
            // The first column beyond the table that this row gives a text, if any.
            std::size_t beyond = 0;
            while (beyond < header.size() &&
                   (beyondTable[beyond].empty() || beyond >= row.size() || row[beyond].empty()))
                ++beyond;
            if (!error.empty()) {
                outcome.status = catalogue::Status::Failed;
                outcome.message = "malformed CSV row at line " + std::to_string(reader.line()) + ": " + error;
            } else if (row.size() != header.size() && !(row.size() == 1 && row[0].empty())) {
                outcome.status = catalogue::Status::Failed;
                outcome.message = "malformed CSV row at line " + std::to_string(reader.line()) + ": " +
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
                outcome = catalogue::evaluate(calculation, c);
            }
            const bool done = outcome.status == catalogue::Status::Done;

            for (std::size_t i = 0; i < header.size(); ++i)
                writer.field(i < row.size() ? row[i] : empty);
            for (const catalogue::Output &output : calculation.outputs) {
                const std::string *text = done ? outcome.result.text(output.name) : nullptr;
                writer.field(text ? *text : empty);
            }
            writer.field(outcome.message);
            writer.endRecord();
        }
    } catch (const std::bad_alloc &) {
        writer.flush();
        std::fflush(out);
        std::fprintf(err, "varnolek-calc: %s at line %ld of the CSV; the batch stops\n", outOfMemory, reader.line());
        return Failed;
    }
    writer.flush();
    std::fflush(out);
    return Ok;
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

} // namespace

int run(const std::vector<std::string> &args, std::FILE *in, std::FILE *out, std::FILE *err)
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
    try {
        if (std::find(args.begin(), args.end(), "--case") != args.end())
            return savedCases(args, out, err);
        const Entry *calculation = catalogue::find(args[0]);
        if (!calculation)
            return usage(err, "unknown calculation '" + args[0] + "'; --list shows them");
        if (args.size() >= 2 && args[1] == "--csv") {
            if (args.size() != 3)
                return usage(err, "--csv takes one FILE (or -)");
            return batch(*calculation, args[2], in, out, err);
        }
        return single(*calculation, args, out, err);
    } catch (const std::bad_alloc &) {
        std::fprintf(err, "varnolek-calc: %s\n", outOfMemory);
        return Failed;
    }
}

} // namespace cli
