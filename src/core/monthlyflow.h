#pragma once
// The design flow of a river from a station's monthly means (设计流量): the
// driest month of each year, the mean and the smallest of the driest months of
// the last ten years, and the driest-month value at a guarantee rate by the
// rank rule of the level-year window, by interpolation between the ranks, and
// from the Pearson type III curve of the frequency analysis.
//
// The monthly-means file is plain text, one line a year:
//
//     年,1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月,12月
//     2011,35.2,31.8,40.1,66.0,120.5,310.2,402.8,356.1,180.4,95.3,52.7,38.9
//
// - The header line is optional and, if present, is the first line that is not
//   blank; its cells are exactly 年 and 1月 to 12月, in UTF-8 or in GBK (as a
//   spreadsheet on a Chinese system saves it).
// - A line is the year (a whole number from 1 to 9999) and then 12 monthly
//   means (m3/s for flows, m for levels), held in single precision as the
//   level-year file holds its values. A value may be negative (a level below
//   its datum); a cell that is not a number, or a number beyond single
//   precision, makes the file bad.
// - The separator of a line is the comma if the line has one, else the tab if
//   it has one, else blanks. Blanks around a cell are dropped.
// - An empty cell is a missing month. With commas or tabs it is two separators
//   in a row (or a separator at the end of the line for December). With blanks
//   a run of blanks is one separator (columns are lined up with any number of
//   them), so an empty cell cannot be written: a blank-separated line gives all
//   12 months, and a year with a missing month is written with commas or tabs.
// - A line has the year and 12 month cells; empty cells after them (trailing
//   separators) are ignored; fewer cells make the file bad. Lines that are
//   blank or hold only separators (the empty rows of a spreadsheet) are skipped.
// - A year written twice makes the file bad. Years may come in any order and
//   are sorted by year; years may be missing from the series (gaps).
// - A year line with all 12 months empty is a year not observed: it is left
//   out of the series, and listed so that the window can say so.
// - The file must hold at least one observed year, at most maxRecords year
//   lines, no cell longer than maxFieldLength characters and no more than
//   maxMonthlyFileLength bytes in all: the whole file is read, so a longer one
//   is bad after that many bytes, and a FIFO, a device or an endless field costs
//   no more than the largest good file. Only a regular file is opened.

#include "frequency.h"
#include "hydrology.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnolek::hydrology {

// What the window says of a monthly-means file it cannot use.
inline constexpr const char *checkMonthlyFileMessage = "请检查月平均资料文件是否有错！";
// The design flow needs as many years as the frequency analysis (Cs needs n − 3 > 0).
inline constexpr const char *designFlowTooFewYearsMessage = "设计流量计算至少需要4年资料";
// The mark of a year whose driest month is the driest of the months observed.
inline constexpr const char *missingMonthsMark = "缺测";

inline constexpr int monthsInYear = 12;
// The most bytes of a monthly-means file: 200 years of 13 cells take some 20
// KB; the rest is room for long decimals and blank lines.
inline constexpr std::size_t maxMonthlyFileLength = 1024 * 1024;
// The years of "近10年最枯月".
inline constexpr int recentYearCount = 10;

struct MonthlyYear {
    std::int16_t year = 0;
    std::array<std::optional<float>, monthsInYear> months; // January first; nothing for a missing month

    int missingMonths() const;
};

struct MonthlyFile {
    FileStatus status = FileStatus::Malformed;
    std::vector<MonthlyYear> years;            // ascending by year, each with a month at least; filled only when Ok
    std::vector<std::int16_t> unobservedYears; // ascending: year lines with every month empty, left out
};
// Status NoRecords: no observed year (an empty file, a header alone, every
// year unobserved); Malformed: a rule above is broken; Unreadable: the file is
// missing or cannot be opened.

// Reads the text of a monthly-means file.
MonthlyFile parseMonthlyFile(std::string_view text);
// Reads a monthly-means file from a stream, no further than one byte past
// maxMonthlyFileLength.
MonthlyFile readMonthlyFile(std::istream &in);
// Reads a monthly-means file from disk: only a regular file is opened.
MonthlyFile readMonthlyFile(const std::string &path);

// The driest month of one year.
struct DriestMonth {
    Record record;           // the year and its driest-month value
    int month = 0;           // 1 to 12; the earliest of equal values
    bool incomplete = false; // months are missing: the driest of those observed (缺测)
    int rank = 0;            // k over all years of the series, 1 for the largest value
    double exceedance = 0;   // P_k = k / (n + 1)
};
// The driest month of a year with at least one month; rank and P_k are left 0.
DriestMonth driestMonth(const MonthlyYear &year);

// The driest months of the latest recentYearCount years by year value, or of
// all years when the series is shorter.
struct RecentDriest {
    int years = 0;
    double mean = 0; // 近10年最枯月平均
    Record smallest; // 近10年最枯月最小 and its year; the latest year of equal values
};

// What does not change with the guarantee rate.
struct DesignFlowAnalysis {
    std::vector<DriestMonth> years;     // ascending by year, each ranked over all n years
    std::vector<Record> series;         // the driest-month values in year order
    std::vector<EmpiricalPoint> ranked; // the same, largest first, with k and P_k
    RecentDriest recent;
    // The frequency analysis of the driest-month series with Cs = 2Cv; nothing
    // when it refuses the series (x̄ ≤ 0: a river dry in every year), with its
    // message. The rank rule and the interpolation need no curve.
    std::optional<FrequencyAnalysis> frequency;
    std::string frequencyMessage;
};
// The analysis of the years of a file, in any order; a year without a single
// month is left out. Throws AnalysisError(designFlowTooFewYearsMessage) for
// fewer than 4 years.
DesignFlowAnalysis analyseDesignFlow(const std::vector<MonthlyYear> &years);

// The caption note of a series shorter than recentYearCount years:
// "（资料不足10年，按全部N年计）"; empty for a longer one.
std::string recentYearsNote(int years);

// The driest-month value at a guarantee rate, three ways.
struct DesignFlow {
    double percent = 0;
    LevelYear rankRule;          // the level-year ranking: ascending position j and its year
    double interpolated = 0;     // linear in P_k between neighbouring ranks
    std::optional<double> curve; // the fitted P-III curve's value; nothing without a curve
    std::string curveMessage;    // why there is none
};
// Throws AnalysisError(rateRangeMessage) unless 0 < percent < 100.
DesignFlow designFlow(const DesignFlowAnalysis &analysis, double percent);

// Linear interpolation in P_k: between the points of rank k and k + 1 whose
// frequencies enclose p (a fraction); below P_1 the largest value, above P_n
// the smallest. The series is largest first, as empiricalSeries gives it, and
// not empty.
double interpolatedValue(const std::vector<EmpiricalPoint> &ranked, double p);

} // namespace varnolek::hydrology
