#include "standard.h"

#include "csv.h"
#include "runner.h"

#include "core/numbers.h"
#include "core/standards.h"

#include <optional>
#include <string_view>

namespace cli {

namespace {

namespace standards = varnolek::standards;

int usage(std::FILE *err, const std::string &what)
{
    std::fprintf(err, "varnolek-calc: %s (see varnolek-calc --help)\n", what.c_str());
    return Usage;
}

// One row per limit row of the table (total phosphorus twice); pH and water
// temperature, which have no single limit, are left out.
void listTable(std::FILE *out)
{
    std::string text = "name,code,unit,sense,water body,I,II,III,IV,V\n";
    for (const standards::Row &row : standards::table()) {
        if (!standards::isLimit(row))
            continue;
        appendField(text, row.name, true);
        appendField(text, row.code, false);
        appendField(text, row.unit, false);
        appendField(text, standards::senseText(row.sense), false);
        appendField(text, standards::watersText(row.waters), false);
        for (double value : row.limits)
            appendField(text, varnolek::generalText(value), false);
        text.push_back('\n');
    }
    std::fwrite(text.data(), 1, text.size(), out);
}

} // namespace

int standard(const std::vector<std::string> &args, std::FILE *out, std::FILE *err)
{
    std::vector<std::string> words;
    bool lake = false, listAll = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--lake")
            lake = true;
        else if (args[i] == "--list")
            listAll = true;
        else if (args[i].rfind("--", 0) == 0)
            return usage(err, "unknown option '" + args[i] + "' with --standard");
        else
            words.push_back(args[i]);
    }
    if (listAll) {
        if (lake || !words.empty())
            return usage(err, "--standard --list takes nothing more");
        listTable(out);
        return Ok;
    }
    if (words.size() != 2)
        return usage(err, "--standard takes ITEM CLASS [--lake]");
    const std::optional<std::string_view> item = standards::findItem(words[0]);
    if (!item)
        return usage(err, "unknown item '" + words[0] + "'; --standard --list shows them");
    const std::optional<int> waterClass = standards::parseClass(words[1]);
    if (!waterClass)
        return usage(err, "unknown class '" + words[1] + "'; give I, II, III, IV or V");
    const standards::Limit limit =
        standards::limit(*item, lake ? standards::WaterBody::Lake : standards::WaterBody::River, *waterClass);
    if (!limit.value) {
        std::fprintf(err, "%.*s\n", int(limit.message.size()), limit.message.data());
        return Failed;
    }
    std::fprintf(out, "%s\n", varnolek::generalText(*limit.value).c_str());
    return Ok;
}

} // namespace cli
