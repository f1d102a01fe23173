// The frequency analysis of a series of 200 years, the largest a data file
// holds: statistics, empirical frequencies and both fits, as the frequency
// analysis window recalculates them after the Cs/Cv ratio is edited.
// Usage: frequency_fit [RUNS]   prints the median time of one analysis.

#include "core/frequency.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

int main(int argc, char *argv[])
{
    namespace hydrology = varnolek::hydrology;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    // Lowest flows of a P-III law with x̄ = 50, Cv = 0.3, Cs = 0.6.
    std::mt19937 engine(1961);
    std::gamma_distribution<double> gamma(4 / 0.36, 50 * 0.3 * 0.6 / 2);
    std::vector<hydrology::Record> records;
    for (int i = 0; i < hydrology::maxRecords; ++i)
        records.push_back({static_cast<std::int16_t>(1801 + i), static_cast<float>(gamma(engine))});

    const double ratios[] = {2.0, 3.0, 0.5, -1.0};
    for (double ratio : ratios) {
        std::vector<double> seconds;
        hydrology::FrequencyAnalysis a;
        for (int r = 0; r < runs; ++r) {
            const auto start = std::chrono::steady_clock::now();
            a = hydrology::analyseFrequency(records, ratio);
            seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(seconds.begin(), seconds.end());
        std::printf("frequency analysis of %d years, ratio %4.1f: %7.1f ms (median of %d), fitted Cv %.4f\n",
                    hydrology::maxRecords, ratio, seconds[seconds.size() / 2] * 1000, runs, a.fitted.cv);
    }
}
