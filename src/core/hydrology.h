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
// in single precision). Anything after the n-th record is ignored, and is not
// read: the reader stops once the count and its records are in.
//
// At most 200 records are ever used, so a hostile file is cut short: a field
// longer than maxFieldLength, or records not complete within the first
// maxHeadLength bytes, make the file malformed. Nothing but a regular file is
// opened: a directory, a device or a pipe could block or never end.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace varnolek::hydrology {

// What the window says of a data file it cannot use.
inline constexpr const char *checkFileMessage = "请检查水文资料文件是否有错！";

// The largest series the calculation takes.
inline constexpr int maxRecords = 200;

// The longest field read (a year or a value is a few characters), and the part
// of a file within which the count and its records must stand, the character
// that ends the last value included (unless the file ends there). 200 records
// take a few kilobytes; the rest is room for blank lines between them.
inline constexpr std::size_t maxFieldLength = 4096;
inline constexpr std::size_t maxHeadLength = 1024 * 1024;

struct Record {
    std::int16_t year = 0;
    float value = 0; // water level (m) or flow (m3/s), as the file gives it
};

enum class FileStatus {
    Ok,
    NoRecords, // the count is below 1
    Malformed, // a missing or non-numeric field, a number out of its range, more than maxRecords records,
               // a field over maxFieldLength, records not complete within maxHeadLength, not a regular file
    Unreadable // the file does not exist or could not be opened
};

struct DataFile {
    FileStatus status = FileStatus::Malformed;
    std::vector<Record> records; // in file order; filled only when Ok
};

// Whether a whole field of a data file is one number: an optional sign, digits
// with at most one decimal point, and an optional exponent with digits; no
// blanks, nothing after it ("2.1m", "", "NaN" are not numbers).
bool isNumberField(std::string_view field);

// Opens a data file for reading in binary. Only a regular file is opened: the
// status is Ok, Unreadable (missing, or cannot be opened) or Malformed (a
// directory, a device such as /dev/zero, a pipe).
FileStatus openDataFile(const std::string &path, std::ifstream &in);

// Reads the text of a data file.
DataFile parseDataFile(std::string_view text);
// Reads a data file from a stream, piece by piece, up to its last record.
DataFile readDataFile(std::istream &in);
// Reads a data file from disk: only a regular file is opened.
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
