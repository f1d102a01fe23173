#pragma once
// Monte Carlo runs of a calculation: some fields drawn from distributions,
// the others at their texts, on every core; the statistics of every numeric
// output and of the signed balance. The samples are drawn block by block,
// each block from its own generator seeded by the seed and the block's number,
// so the results do not depend on the number of threads.

#include "catalogue.h"
#include "statistics.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

struct Distribution {
    enum Kind { Uniform, Normal, Triangular, Lognormal };
    Kind kind = Uniform;
    // uniform a, b; normal mean, sd; triangular a, mode, b; lognormal mu, sigma
    // (the mean and standard deviation of ln x).
    double p1 = 0, p2 = 0, p3 = 0;

    double draw(std::mt19937_64 &generator) const;
};

// The message naming what is wrong with a distribution, or the empty text.
std::string checkDistribution(const Distribution &d);
// Reads "uniform:a:b", "normal:mean:sd", "triangular:a:mode:b" or "lognormal:mu:sigma".
std::optional<Distribution> parseDistribution(std::string_view text, std::string &error);

// The names of a distribution's parameters, in the order of p1, p2, p3:
// 下限/上限, 均值/标准差, 最小值/最可能值/最大值, 对数均值/对数标准差.
std::vector<std::string> parameterNames(Distribution::Kind kind);

// The distribution of a kind a field takes when it is switched to that kind,
// made from the field's value v:
//  - uniform over the range the field's label prints, or v ± 20 % of |v|
//    where it prints none (0 to 1 for v = 0);
//  - normal with mean v and standard deviation 10 % of |v| (10 % of the
//    uniform's width for v = 0, where 10 % of |v| is no spread at all);
//  - triangular over the uniform's bounds with v the most likely value (the
//    bounds widened to v where the printed range does not hold it);
//  - lognormal with the normal's mean m and standard deviation s: the log
//    standard deviation σ with σ² = ln(1 + (s/m)²) and the log mean
//    μ = ln m − σ²/2, so that the draws keep mean m and standard deviation s.
//    Only for v > 0: for v ≤ 0 there is none, and why says so.
std::optional<Distribution> distributionFrom(const Field &field, double v, Distribution::Kind kind, std::string &why);

// Whether a field's quantity may be negative: its label prints a range that
// reaches below 0. Drawn values below 0 of any other field are worth a word.
bool mayBeNegative(const Field &field);

struct Varied {
    std::string field;
    Distribution distribution;
};
// Reads "FIELD=DIST", or "FIELD" alone for uniform over the range its label prints.
std::optional<Varied> parseVaried(const Entry &entry, std::string_view text, std::string &error);

// The most cases of a run (10^18): beyond any run that could end, and far
// from where counting cases in blocks would wrap around 2^64. A run of more
// throws std::length_error.
inline constexpr std::size_t maxMonteCarloCases = 1000000000000000000;

struct MonteCarloSettings {
    std::size_t cases = 10000;
    std::uint64_t seed = 1;
    unsigned threads = 1;
    const std::atomic<bool> *cancel = nullptr;
    bool keepMainValues = true; // MonteCarloResult::mainValues, for a histogram
    // Statistics of the values as the window shows them (read back from the
    // texts with their digit patterns) rather than of the computed numbers.
    bool asShown = false;
    // Told the number of cases done so far, on the calling thread.
    std::function<void(std::size_t)> progress;
};

// One drawn case: the varied fields' texts and the outcome. Each drawn value
// enters its case as the number its text reads as, as a sweep's values do.
struct DrawnCase {
    std::vector<std::string> texts;
    Outcome outcome;
};

// Every drawn case in order, handed over block by block; deliver returns false
// to stop. Returns false when stopped or cancelled.
bool monteCarloCases(const Entry &entry, const Case &base, const std::vector<Varied> &varied,
                     const MonteCarloSettings &settings,
                     const std::function<bool(const std::vector<DrawnCase> &)> &deliver);

struct OutputStatistics {
    std::string name; // the output's name, or "balance"
    std::optional<Summary> summary;
    std::size_t failed = 0; // cases that gave no value
};

struct MonteCarloResult {
    std::size_t cases = 0;
    std::vector<OutputStatistics> outputs; // the numeric outputs, then the balance
    // The value plots take of every case that gave one (the signed balance of a
    // load window, else the main output), in case order; kept only when the
    // settings ask for them.
    std::vector<double> mainValues;
    std::size_t failed = 0; // cases that did not run to their end
    // Of each varied field, in the order given, the drawn values below 0.
    std::vector<std::size_t> negativeDraws;
};

// The statistics of a run; nothing when cancelled.
std::optional<MonteCarloResult> monteCarlo(const Entry &entry, const Case &base, const std::vector<Varied> &varied,
                                           const MonteCarloSettings &settings);

} // namespace catalogue
