#include "table.h"

#include "csv.h"
#include "runner.h"

#include "catalogue/tablefile.h"

namespace cli {

namespace {

int usage(std::FILE *err, const std::string &what)
{
    std::fprintf(err, "varnolek-calc: %s (see varnolek-calc --help)\n", what.c_str());
    return Usage;
}

} // namespace

int table(const std::vector<std::string> &args, std::FILE *out, std::FILE *err)
{
    std::string file;
    bool bom = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--bom") {
            bom = true;
        } else if (args[i] == "--table") {
            if (!file.empty())
                return usage(err, "--table is given twice");
            if (i + 1 >= args.size())
                return usage(err, "--table takes one FILE.vtable");
            file = args[++i];
        } else {
            return usage(err, "unexpected '" + args[i] + "' with --table");
        }
    }
    if (file.empty())
        return usage(err, "--table takes one FILE.vtable");

    catalogue::ZoneTable zones;
    try {
        zones = catalogue::readTableFile(file);
    } catch (const catalogue::BadTableFile &bad) {
        std::fprintf(err, "%s: %s%s\n", file.c_str(), catalogue::tableUnreadableText, bad.what());
        return Failed;
    }

    // The rows are written as they are made: the text of one row at a time.
    const std::vector<catalogue::ZoneColumn> &columns = zones.columns();
    std::string record = bom ? "\xEF\xBB\xBF" : "";
    for (std::size_t c = 0; c < columns.size(); ++c)
        appendField(record, columns[c].caption, c == 0);
    record.push_back('\n');
    std::fwrite(record.data(), 1, record.size(), out);
    std::size_t unfinished = 0;
    for (std::size_t r = 0; r < zones.size(); ++r) {
        record.clear();
        for (std::size_t c = 0; c < columns.size(); ++c)
            appendField(record, zones.text(r, columns[c]), c == 0);
        record.push_back('\n');
        std::fwrite(record.data(), 1, record.size(), out);
        const catalogue::ZoneOutcome &outcome = zones.outcome(r);
        if (outcome.state != catalogue::ZoneState::Done) {
            ++unfinished;
            const catalogue::ZoneRow &row = zones.row(r);
            std::fprintf(err, "row %zu (%s%s%s): %s\n", r + 1, row.zone.c_str(),
                         row.zone.empty() || row.item.empty() ? "" : " ", row.item.c_str(), outcome.status.c_str());
        }
    }
    std::fflush(out);
    if (unfinished > 0) {
        std::fprintf(err, "varnolek-calc: %zu of %zu rows not computed\n", unfinished, zones.size());
        return RowsUnfinished;
    }
    return Ok;
}

} // namespace cli
