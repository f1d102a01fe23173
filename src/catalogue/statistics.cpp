#include "statistics.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace catalogue {

const char *const summaryHeader = "output,mean,sd,min,p5,p25,p50,p75,p95,max,failed";

double percentile(const std::vector<double> &sorted, double p)
{
    if (sorted.empty())
        return 0;
    const double rank = p * double(sorted.size() - 1);
    const std::size_t low = std::size_t(std::floor(rank));
    const std::size_t high = std::min(low + 1, sorted.size() - 1);
    const double fraction = rank - double(low);
    return sorted[low] + fraction * (sorted[high] - sorted[low]);
}

std::optional<Summary> summarize(std::vector<double> &values)
{
    if (values.empty())
        return std::nullopt;
    Summary s;
    s.count = values.size();
    // Two passes over the values in their own order: the mean, then the
    // squared deviations from it (no cancellation of large sums).
    double sum = 0;
    for (double v : values)
        sum += v;
    s.mean = sum / double(values.size());
    double squares = 0;
    for (double v : values)
        squares += (v - s.mean) * (v - s.mean);
    s.sd = values.size() > 1 ? std::sqrt(squares / double(values.size() - 1)) : 0;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    s.min = *low;
    s.max = *high;
    // The ranks of the percentiles in increasing order, each found by a
    // partial ordering of the values past the one before: the same numbers a
    // full sort gives, in linear time.
    std::size_t from = 0;
    const std::size_t n = values.size();
    for (auto [p, out] : {std::pair{0.05, &s.p5}, {0.25, &s.p25}, {0.50, &s.p50}, {0.75, &s.p75}, {0.95, &s.p95}}) {
        const double rank = p * double(n - 1);
        const std::size_t k = std::size_t(std::floor(rank));
        std::nth_element(values.begin() + std::ptrdiff_t(from), values.begin() + std::ptrdiff_t(k), values.end());
        const double below = values[k];
        const double above =
            k + 1 < n ? *std::min_element(values.begin() + std::ptrdiff_t(k) + 1, values.end()) : below;
        *out = below + (rank - double(k)) * (above - below);
        from = k;
    }
    return s;
}

std::string statisticText(double value)
{
    if (!std::isfinite(value))
        return value != value ? "NaN" : (value > 0 ? "Infinity" : "-Infinity");
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 7);
    std::string text(buf, written.ptr);
    for (char &c : text)
        if (c == 'e')
            c = 'E';
    if (text == "-0")
        text = "0";
    return text;
}

std::vector<std::string> summaryTexts(const std::optional<Summary> &summary, std::size_t failed)
{
    std::vector<std::string> texts;
    if (!summary) {
        texts.assign(9, std::string());
    } else {
        const Summary &s = *summary;
        texts = {statisticText(s.mean),
                 s.count > 1 ? statisticText(s.sd) : std::string(),
                 statisticText(s.min),
                 statisticText(s.p5),
                 statisticText(s.p25),
                 statisticText(s.p50),
                 statisticText(s.p75),
                 statisticText(s.p95),
                 statisticText(s.max)};
    }
    texts.push_back(std::to_string(failed));
    return texts;
}

} // namespace catalogue
