// A whole varnolek-calc case, given as arguments or as the CSV body of a
// batch, for every calculation: whatever the texts, the run ends with one of
// the exit statuses, and a batch never fails as a whole once its header is read.
//
// The input: its first byte picks the calculation, the second the form; the
// rest is either the arguments, one a line, or the CSV body.
#include "catalogue/catalogue.h"
#include "cli/runner.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    static std::FILE *const sink = std::fopen("/dev/null", "w");
    const std::vector<catalogue::Entry> &table = catalogue::entries();
    const std::string id = table[data[0] % table.size()].id;
    const bool asBatch = data[1] & 1;
    const std::string rest(reinterpret_cast<const char *>(data + 2), size - 2);

    int status = 0;
    if (asBatch) {
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
        // A batch names its CSV file; the batch form above covers it, and a
        // named file could be a pipe that a batch rightly waits on.
        if (args.size() > 1 && args[1] == "--csv")
            return 0;
        status = cli::run(args, nullptr, sink, sink);
        if (status < cli::Ok || status > cli::Failed)
            std::abort();
    }
    return 0;
}
