#pragma once
// The statistics of a sample of results: mean, sample standard deviation,
// extremes and percentiles, each written as general decimal text of 7
// significant digits.

#include <optional>
#include <string>
#include <vector>

namespace catalogue {

struct Summary {
    std::size_t count = 0; // values taken
    double mean = 0, sd = 0, min = 0, max = 0;
    double p5 = 0, p25 = 0, p50 = 0, p75 = 0, p95 = 0;
};

// The percentile p (0…1) of sorted values, interpolated linearly between the
// closest ranks as a spreadsheet's PERCENTILE does: rank p·(n − 1).
double percentile(const std::vector<double> &sorted, double p);

// The summary of the values, taken in the order given (the mean and sd sum in
// that order, so the same values give the same digits); nothing for no values.
// The values are reordered. The percentiles are those of percentile().
std::optional<Summary> summarize(std::vector<double> &values);

// A statistic as written: general decimal text of 7 significant digits.
std::string statisticText(double value);

// The header and the ten texts of a summary row after the output's name:
// mean, sd, min, p5, p25, p50, p75, p95, max, and the failed count. Empty
// statistics for no summary. The sd of a single value is empty.
extern const char *const summaryHeader; // "output,mean,sd,min,p5,p25,p50,p75,p95,max,failed"
std::vector<std::string> summaryTexts(const std::optional<Summary> &summary, std::size_t failed);

} // namespace catalogue
