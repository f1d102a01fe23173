#include "datafile.h"

#include <algorithm>
#include <list>
#include <mutex>
#include <utility>

namespace catalogue {

namespace hydrology = varnolek::hydrology;

namespace {

// Months compare as the file gave them: the same value, or both missing.
bool sameYears(const std::vector<hydrology::MonthlyYear> &a, const std::vector<hydrology::MonthlyYear> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const hydrology::MonthlyYear &x, const hydrology::MonthlyYear &y) {
                          return x.year == y.year && x.months == y.months;
                      });
}

struct KeptAnalysis {
    std::vector<hydrology::MonthlyYear> years;
    std::shared_ptr<const hydrology::DesignFlowAnalysis> analysis;
};

// The analyses kept: a window's two views, its plot and its sheet read one
// file; a batch of the command line may read a few.
constexpr std::size_t keptAnalyses = 4;

} // namespace

hydrology::MonthlyFile monthlySeries(const Entry &entry, const Case &c)
{
    const Field *file = dataFileField(entry);
    if (!file || file->format != DataFormat::MonthlyMeans)
        return {hydrology::FileStatus::Unreadable, {}, {}};
    return hydrology::readMonthlyFile(std::string(c.text(file->name)));
}

std::shared_ptr<const hydrology::DesignFlowAnalysis>
designFlowAnalysis(const std::vector<hydrology::MonthlyYear> &years)
{
    static std::mutex mutex;
    static std::list<KeptAnalysis> kept; // the latest asked for first
    // The one kept for these years, made the latest; nullptr if none is.
    const auto find = [&]() -> std::shared_ptr<const hydrology::DesignFlowAnalysis> {
        for (auto it = kept.begin(); it != kept.end(); ++it)
            if (sameYears(it->years, years)) {
                kept.splice(kept.begin(), kept, it);
                return kept.front().analysis;
            }
        return nullptr;
    };
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (auto found = find())
            return found;
    }
    // The fit runs outside the lock: another thread may read another series meanwhile.
    auto analysis = std::make_shared<const hydrology::DesignFlowAnalysis>(hydrology::analyseDesignFlow(years));
    const std::lock_guard<std::mutex> lock(mutex);
    if (auto found = find()) // made meanwhile by another thread
        return found;
    kept.push_front({years, analysis});
    if (kept.size() > keptAnalyses)
        kept.pop_back();
    return analysis;
}

} // namespace catalogue
