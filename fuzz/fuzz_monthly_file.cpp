// The monthly-means file and the design flow. The text held whole and the
// same text streamed must give the same file; a usable file holds 1 to 200
// years, ascending, each with a month at least; the design values at any rate
// lie within the series, and a bad rate or too few years is refused with its
// message, never a crash.
#include "core/monthlyflow.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace hydrology = varnolek::hydrology;

namespace {
void check(bool ok)
{
    if (!ok)
        std::abort();
}

bool sameYear(const hydrology::MonthlyYear &a, const hydrology::MonthlyYear &b)
{
    if (a.year != b.year)
        return false;
    for (int m = 0; m < hydrology::monthsInYear; ++m)
        if (a.months[m].has_value() != b.months[m].has_value() ||
            (a.months[m] && std::memcmp(&*a.months[m], &*b.months[m], sizeof(float)) != 0))
            return false;
    return true;
}

bool refuses(const std::string &message, double percent, const hydrology::DesignFlowAnalysis &analysis)
{
    try {
        hydrology::designFlow(analysis, percent);
    } catch (const hydrology::AnalysisError &e) {
        return e.what() == message;
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const hydrology::MonthlyFile file = hydrology::parseMonthlyFile(text);
    std::istringstream stream(text);
    const hydrology::MonthlyFile streamed = hydrology::readMonthlyFile(stream);
    check(streamed.status == file.status && streamed.years.size() == file.years.size() &&
          streamed.unobservedYears == file.unobservedYears);
    for (std::size_t i = 0; i < file.years.size(); ++i)
        check(sameYear(streamed.years[i], file.years[i]));
    if (file.status != hydrology::FileStatus::Ok) {
        check(file.years.empty() && file.unobservedYears.empty());
        return 0;
    }
    const int n = static_cast<int>(file.years.size());
    check(n >= 1 && n + file.unobservedYears.size() <= std::size_t(hydrology::maxRecords));
    float lowest = 0, highest = 0;
    for (int i = 0; i < n; ++i) {
        const hydrology::MonthlyYear &y = file.years[i];
        check(y.year >= 1 && y.year <= 9999 && (i == 0 || file.years[i - 1].year < y.year));
        check(y.missingMonths() < hydrology::monthsInYear);
        const hydrology::DriestMonth d = hydrology::driestMonth(y);
        check(d.month >= 1 && d.month <= 12 && y.months[d.month - 1] == d.record.value);
        check(std::isfinite(d.record.value) && d.incomplete == (y.missingMonths() > 0));
        lowest = i == 0 ? d.record.value : std::min(lowest, d.record.value);
        highest = i == 0 ? d.record.value : std::max(highest, d.record.value);
    }

    if (n < hydrology::minFrequencyYears) {
        try {
            hydrology::analyseDesignFlow(file.years);
        } catch (const hydrology::AnalysisError &e) {
            check(e.what() == std::string(hydrology::designFlowTooFewYearsMessage));
            return 0;
        }
        std::abort();
    }
    // The curve fit, a scan of 300 values of Cv over every year, is the slow
    // step: it is done once, and every rate is read off the same analysis.
    const hydrology::DesignFlowAnalysis a = hydrology::analyseDesignFlow(file.years);
    check(int(a.years.size()) == n && int(a.ranked.size()) == n);
    check(a.recent.years == std::min(n, hydrology::recentYearCount));
    check(a.recent.mean >= lowest && a.recent.mean <= highest);
    check(a.frequency.has_value() == a.frequencyMessage.empty());
    for (const hydrology::DriestMonth &d : a.years)
        check(d.rank >= 1 && d.rank <= n && d.exceedance == double(d.rank) / (n + 1));
    for (double percent : {90.0, 50.0, 0.01, 99.99, 100.0 * a.ranked[0].exceedance}) {
        const hydrology::DesignFlow d = hydrology::designFlow(a, percent);
        check(d.rankRule.rank >= 1 && d.rankRule.rank <= n);
        // Between two neighbouring values, but for the rounding of double arithmetic.
        const double slack = 1e-12 * std::max(std::abs(lowest), std::abs(highest));
        check(d.interpolated >= lowest - slack && d.interpolated <= highest + slack);
        check(d.curve.has_value() == d.curveMessage.empty());
        if (d.curve)
            varnolek::formatPattern(*d.curve, varnolek::Precision::Double, "###0.000"); // finite: no failure
    }
    for (double percent : {0.0, 100.0, -1.0, 1e306, std::nan("")})
        check(refuses(hydrology::rateRangeMessage, percent, a));
    return 0;
}
