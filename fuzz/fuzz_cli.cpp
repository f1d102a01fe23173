// A whole varnolek-calc case, given as arguments or as the CSV body of a
// batch, for every calculation: whatever the texts, the run ends with one of
// the exit statuses, and a batch never fails as a whole once its header is read.
//
// The input: its first byte picks the calculation, the second the form (bit 0:
// a batch; bit 1: its CSV read from a named file rather than standard input);
// the rest is either the arguments, one a line, or the CSV body.
//
// The counts a run takes are capped so that one input stays a few
// milliseconds: a Monte Carlo N, a sweep's N and --threads are lowered where
// they would run, and left as they are where varnolek-calc refuses them up
// front (N beyond 10^18 or beyond memory, a grid beyond 10^9 points), so
// that the refusals are reached too. fuzz_cli.dict holds the options and the
// numbers at the edges.
#include "catalogue/catalogue.h"
#include "catalogue/grid.h"
#include "catalogue/montecarlo.h"
#include "cli/runner.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr unsigned long long maxCasesRun = 500;
constexpr double maxSweepRun = 24;
constexpr unsigned long long maxThreadsRun = 4;

// A file for the --csv FILE form, made once and rewritten for each input.
const std::string &csvFile()
{
    static const std::string path = [] {
        char name[] = "/tmp/fuzz_cli-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0)
            std::abort();
        close(fd);
        static std::string kept = name;
        std::atexit([] { unlink(kept.c_str()); });
        return kept;
    }();
    return path;
}

void writeCsv(const std::string &text)
{
    std::FILE *f = std::fopen(csvFile().c_str(), "wb");
    if (!f)
        std::abort();
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

bool digits(const std::string &text)
{
    return !text.empty() && text.size() <= 19 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The N of a "FIELD=FROM:TO:N[:log]", where it is a number; its place in pos.
bool sweepCount(const std::string &axis, double &n, std::size_t &pos, std::size_t &length)
{
    std::size_t at = axis.find('=');
    for (int colon = 0; colon < 2 && at != std::string::npos; ++colon)
        at = axis.find(':', at + 1);
    if (at == std::string::npos)
        return false;
    pos = at + 1;
    const std::size_t end = axis.find(':', pos);
    length = (end == std::string::npos ? axis.size() : end) - pos;
    return catalogue::parseNumber(std::string_view(axis).substr(pos, length), n);
}

// Lowers the counts that would run long; keeps those refused before a run.
void capCounts(const catalogue::Entry &entry, std::vector<std::string> &args)
{
    const bool rows = std::find(args.begin(), args.end(), "--rows") != args.end();
    bool keepsValues = entry.balance;
    for (const catalogue::Output &o : entry.outputs)
        keepsValues = keepsValues || o.numeric();
    double points = 1;
    for (std::size_t i = 1; i + 1 < args.size(); ++i) {
        double n = 0;
        std::size_t pos = 0, length = 0;
        if (args[i] == "--sweep" && sweepCount(args[i + 1], n, pos, length))
            points *= std::max(1.0, std::abs(n));
    }
    for (std::size_t i = 1; i + 1 < args.size(); ++i) {
        std::string &value = args[i + 1];
        if (args[i] == "--monte-carlo" && digits(value)) {
            const unsigned long long n = std::stoull(value);
            // Without --rows, 2^40 cases or more keep terabytes of values: refused.
            const bool refused = n > catalogue::maxMonteCarloCases || (!rows && keepsValues && n >= (1ull << 40));
            if (n > maxCasesRun && !refused)
                value = std::to_string(maxCasesRun);
        } else if (args[i] == "--threads" && digits(value)) {
            const unsigned long long n = std::stoull(value);
            if (n > maxThreadsRun && n <= 1024)
                value = std::to_string(maxThreadsRun);
        } else if (args[i] == "--sweep") {
            double n = 0;
            std::size_t pos = 0, length = 0;
            if (points <= double(catalogue::maxGridPoints) && sweepCount(value, n, pos, length) && n > maxSweepRun)
                value.replace(pos, length, std::to_string(int(maxSweepRun)));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    static std::FILE *const sink = std::fopen("/dev/null", "w");
    const std::vector<catalogue::Entry> &table = catalogue::entries();
    const catalogue::Entry &entry = table[data[0] % table.size()];
    const std::string &id = entry.id;
    const bool asBatch = data[1] & 1;
    const bool namedFile = data[1] & 2;
    const std::string rest(reinterpret_cast<const char *>(data + 2), size - 2);

    int status = 0;
    if (asBatch && namedFile) {
        writeCsv(rest);
        status = cli::run({id, "--csv", csvFile()}, nullptr, sink, sink);
        if (status != cli::Ok && status != cli::Usage)
            std::abort();
    } else if (asBatch) {
        std::FILE *in =
            rest.empty() ? std::fopen("/dev/null", "r") : fmemopen(const_cast<char *>(rest.data()), rest.size(), "r");
        if (!in)
            std::abort();
        status = cli::run({id, "--csv", "-"}, in, sink, sink);
        std::fclose(in);
        if (status != cli::Ok && status != cli::Usage)
            std::abort();
    } else {
        std::vector<std::string> args{id};
        std::size_t start = 0;
        for (std::size_t end; (end = rest.find('\n', start)) != std::string::npos; start = end + 1)
            args.push_back(rest.substr(start, end - start));
        args.push_back(rest.substr(start));
        // A file named after --csv could be a pipe or a device a batch rightly
        // waits on: it is our own file, holding a row of the first field.
        bool csv = false;
        for (std::size_t i = 1; i + 1 < args.size(); ++i)
            if (args[i] == "--csv") {
                args[i + 1] = csvFile();
                csv = true;
            }
        if (csv)
            writeCsv(entry.fields.empty() ? std::string("\n") : entry.fields.front().name + "\n1\n");
        capCounts(entry, args);
        status = cli::run(args, nullptr, sink, sink);
        if (status < cli::Ok || status > cli::Failed)
            std::abort();
    }
    return 0;
}
