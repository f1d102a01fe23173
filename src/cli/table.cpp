#include "table.h"

#include "runner.h"

#include "catalogue/tablefile.h"
#include "spreadsheet/tableexport.h"
#include "spreadsheet/tableimport.h"
#include "spreadsheet/textcodec.h"

namespace cli {

namespace {

int usage(std::FILE *err, const std::string &what)
{
    std::fprintf(err, "varnolek-calc: %s (see varnolek-calc --help)\n", what.c_str());
    return Usage;
}

// Reads the value of an option that takes one; the message of a usage error, or the empty text.
std::string optionValue(const std::vector<std::string> &args, std::size_t &i, std::string &value, const char *what)
{
    if (!value.empty())
        return args[i] + " is given twice";
    if (i + 1 >= args.size() || args[i + 1].empty())
        return args[i] + " takes " + what;
    value = args[++i];
    return {};
}

} // namespace

int table(const std::vector<std::string> &args, std::FILE *out, std::FILE *err)
{
    std::string file, workbook;
    bool bom = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string problem;
        if (args[i] == "--bom")
            bom = true;
        else if (args[i] == "--table")
            problem = optionValue(args, i, file, "one FILE.vtable");
        else if (args[i] == "--xlsx")
            problem = optionValue(args, i, workbook, "one OUT.xlsx");
        else
            problem = "unexpected '" + args[i] + "' with --table";
        if (!problem.empty())
            return usage(err, problem);
    }
    if (file.empty())
        return usage(err, "--table takes one FILE.vtable");
    if (bom && !workbook.empty())
        return usage(err, "--bom goes with the CSV output, not with --xlsx");

    catalogue::ZoneTable zones;
    try {
        zones = catalogue::readTableFile(file);
    } catch (const catalogue::BadTableFile &bad) {
        std::fprintf(err, "%s: %s%s\n", file.c_str(), catalogue::tableUnreadableText, bad.what());
        return Failed;
    }

    if (!workbook.empty()) {
        try {
            spreadsheet::writeWorkbook(zones, workbook);
        } catch (const spreadsheet::WriteFailed &failed) {
            std::fprintf(err, "%s: 工作簿无法保存：%s\n", workbook.c_str(), failed.what());
            return Failed;
        }
    } else {
        // The rows are written as they are made: the text of one row at a time.
        std::string record = bom ? std::string(spreadsheet::byteOrderMark) : std::string();
        record += spreadsheet::csvHeader(zones);
        std::fwrite(record.data(), 1, record.size(), out);
        for (std::size_t r = 0; r < zones.size(); ++r) {
            record = spreadsheet::csvRecord(zones, r);
            std::fwrite(record.data(), 1, record.size(), out);
        }
        std::fflush(out);
    }
    std::size_t unfinished = 0;
    for (std::size_t r = 0; r < zones.size(); ++r) {
        const catalogue::ZoneOutcome &outcome = zones.outcome(r);
        if (outcome.state != catalogue::ZoneState::Done) {
            ++unfinished;
            const catalogue::ZoneRow &row = zones.row(r);
            std::fprintf(err, "row %zu (%s%s%s): %s\n", r + 1, row.zone.c_str(),
                         row.zone.empty() || row.item.empty() ? "" : " ", row.item.c_str(), outcome.status.c_str());
        }
    }
    if (unfinished > 0) {
        std::fprintf(err, "varnolek-calc: %zu of %zu rows not computed\n", unfinished, zones.size());
        return RowsUnfinished;
    }
    return Ok;
}

int importTable(const std::vector<std::string> &args, std::FILE *out, std::FILE *err)
{
    std::string file, saved;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string problem;
        if (args[i] == "--import")
            problem = optionValue(args, i, file, "one FILE.xlsx or FILE.csv");
        else if (args[i] == "--save")
            problem = optionValue(args, i, saved, "one OUT.vtable (or - for standard output)");
        else
            problem = "unexpected '" + args[i] + "' with --import";
        if (!problem.empty())
            return usage(err, problem);
    }
    if (file.empty())
        return usage(err, "--import takes one FILE.xlsx or FILE.csv");
    if (!spreadsheet::fileKind(file))
        return usage(err, "--import reads a .xlsx or a .csv file, not '" + file + "'");
    if (saved.empty())
        return usage(err, "--import needs --save OUT.vtable");

    spreadsheet::Imported imported;
    try {
        imported = spreadsheet::importFile(file);
    } catch (const spreadsheet::BadSpreadsheet &bad) {
        std::fprintf(err, "%s: %s%s\n", file.c_str(), spreadsheet::importRefusedText, bad.what());
        return Failed;
    }
    if (!imported.unknownColumns.empty()) {
        std::string names;
        for (const std::string &name : imported.unknownColumns)
            names += (names.empty() ? "" : "、") + name;
        std::fprintf(err, "%s: 以下列不是计算表的列，未导入：%s\n", file.c_str(), names.c_str());
    }
    const std::string text = catalogue::tableFileText(imported.table);
    if (saved == "-") {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fflush(out);
        return Ok;
    }
    try {
        spreadsheet::writeFile(saved, text);
    } catch (const spreadsheet::WriteFailed &failed) {
        std::fprintf(err, "%s: 计算表文件无法保存：%s\n", saved.c_str(), failed.what());
        return Failed;
    }
    return Ok;
}

} // namespace cli
