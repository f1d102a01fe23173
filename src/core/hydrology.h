#pragma once
// The design level year of a hydrological series: a data file of yearly
// lowest water levels or flows is read, sorted ascending, and the value that
// the series reaches or exceeds with a guarantee rate P is picked, with the
// year in which it occurred.
//
// The data file is plain text read field by field. Fields are separated by
// commas, line breaks or blanks; blanks around a number are skipped. The first
// field is the count n of records (a 16-bit whole number), then n records of
// two fields each follow: the year (a 16-bit whole number) and the value (held
// in single precision). Anything after the n-th record is ignored.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnolek::hydrology {

// What the window says of a data file it cannot use.
inline constexpr const char *checkFileMessage = "请检查水文资料文件是否有错！";

// The largest series the calculation takes.
inline constexpr int maxRecords = 200;

struct Record {
    std::int16_t year = 0;
    float value = 0; // water level (m) or flow (m3/s), as the file gives it
};

enum class FileStatus {
    Ok,
    NoRecords, // the count is below 1
    Malformed, // a missing or non-numeric field, a number out of its range, more than maxRecords records
    Unreadable // the file could not be opened
};

struct DataFile {
    FileStatus status = FileStatus::Malformed;
    std::vector<Record> records; // in file order; filled only when Ok
};

// Reads the text of a data file.
DataFile parseDataFile(std::string_view text);
// Reads a data file from disk.
DataFile readDataFile(const std::string &path);

// Sorts ascending by value with the exchange procedure: for each slot j, every
// later slot k whose value is strictly smaller is exchanged with it. Years move
// with their values; equal values are not exchanged with each other, so ties
// end in the order this procedure leaves them, not in file order.
void sortByValue(std::vector<Record> &records);

// The rank m (1-based, in ascending order) of the design value for a guarantee
// rate p (a fraction, 0.9 for 90 %): floor((n + 1)·(1 − p)), with 1 − p taken
// first, in double precision; below 1 it is 1, above n it is n.
int levelRank(int n, double p);

struct LevelYear {
    int rank = 0;
    Record record; // the design value and the year it occurred
};
// Sorts the records and picks the design value for a guarantee rate given in
// percent (90 for 90 %). The records must not be empty.
LevelYear designLevel(std::vector<Record> records, double ratePercent);

} // namespace varnolek::hydrology
