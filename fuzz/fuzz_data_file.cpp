// The hydrological data file and the level-year ranking. The text held whole
// and the same text streamed a piece at a time must give the same file; a
// usable file holds 1 to 200 records, and the design value is one of them,
// ranked in the sorted series for every guarantee rate.
#include "core/hydrology.h"
#include "core/numbers.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace hydrology = varnolek::hydrology;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const hydrology::DataFile file = hydrology::parseDataFile(text);
    std::istringstream stream(text);
    const hydrology::DataFile streamed = hydrology::readDataFile(stream);
    if (streamed.status != file.status || streamed.records.size() != file.records.size())
        std::abort();
    for (std::size_t i = 0; i < file.records.size(); ++i)
        if (streamed.records[i].year != file.records[i].year ||
            std::memcmp(&streamed.records[i].value, &file.records[i].value, sizeof(float)) != 0)
            std::abort();
    if (file.status != hydrology::FileStatus::Ok) {
        if (!file.records.empty())
            std::abort();
        return 0;
    }
    const int n = static_cast<int>(file.records.size());
    if (n < 1 || n > hydrology::maxRecords)
        std::abort();

    std::vector<hydrology::Record> sorted = file.records;
    hydrology::sortByValue(sorted);
    for (int i = 1; i < n; ++i)
        if (sorted[i - 1].value > sorted[i].value)
            std::abort();
    for (double rate : {90.0, 50.0, 0.0, 100.0, 150.0, -1e306, 1e306}) {
        const hydrology::LevelYear level = hydrology::designLevel(file.records, rate);
        if (level.rank < 1 || level.rank > n || level.record.year != sorted[level.rank - 1].year ||
            level.record.value != sorted[level.rank - 1].value)
            std::abort();
        varnolek::generalText(level.record.value, varnolek::Precision::Single); // a finite single: no failure
    }
    return 0;
}
