#include "statistics.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace catalogue {

const char *const summaryHeader = "output,mean,sd,min,p5,p25,p50,p75,p95,max,failed";

namespace {

// a + f·(b − a) for 0 ≤ f ≤ 1; where b − a overflows (a value near −1.8E+308
// and one near +1.8E+308), the same point taken as (1 − f)·a + f·b.
double between(double a, double b, double f)
{
    const double width = b - a;
    if (std::isfinite(width))
        return a + f * width;
    return (1 - f) * a + f * b;
}

// The mean and sample standard deviation of finite values: two passes in the
// values' own order, the mean, then the squared deviations from it (no
// cancellation of large sums). Where a sum overflows, the values are taken
// scaled by a power of two that brings the largest to 1, which changes no
// digit of them, and the results scaled back; the mean cannot then leave the
// range of the values, and the sd overflows only if it is itself beyond
// 1.8E+308.
void meanAndSd(const std::vector<double> &values, double low, double high, Summary &s)
{
    const double n = double(values.size());
    double sum = 0;
    for (double v : values)
        sum += v;
    s.mean = sum / n;
    double squares = 0;
    for (double v : values)
        squares += (v - s.mean) * (v - s.mean);
    if ((std::isfinite(s.mean) && std::isfinite(squares)) || !std::isfinite(low) || !std::isfinite(high)) {
        s.sd = values.size() > 1 ? std::sqrt(squares / (n - 1)) : 0;
        return;
    }
    const int exponent = std::ilogb(std::max(std::fabs(low), std::fabs(high))) + 1;
    sum = 0;
    for (double v : values)
        sum += std::scalbn(v, -exponent);
    const double mean = sum / n;
    s.mean = std::clamp(std::scalbn(mean, exponent), low, high);
    squares = 0;
    for (double v : values) {
        const double d = std::scalbn(v, -exponent) - mean;
        squares += d * d;
    }
    s.sd = values.size() > 1 ? std::scalbn(std::sqrt(squares / (n - 1)), exponent) : 0;
}

} // namespace

double percentile(const std::vector<double> &sorted, double p)
{
    if (sorted.empty())
        return 0;
    const double rank = p * double(sorted.size() - 1);
    const std::size_t low = std::size_t(std::floor(rank));
    const std::size_t high = std::min(low + 1, sorted.size() - 1);
    const double fraction = rank - double(low);
    return between(sorted[low], sorted[high], fraction);
}

std::optional<Summary> summarize(std::vector<double> &values)
{
    if (values.empty())
        return std::nullopt;
    Summary s;
    s.count = values.size();
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    s.min = *low;
    s.max = *high;
    meanAndSd(values, s.min, s.max, s);
    // Each percentile's rank found by a partial ordering: the median over all
    // values, then the quartiles within the halves it leaves, then P5 and P95
    // within the outer quarters. The same numbers a full sort gives, in
    // linear time. The next rank up is the least value past the rank, found
    // before the next rank already in place, whose value bounds the rest.
    const std::size_t n = values.size();
    auto rankOf = [n](double p) { return std::size_t(std::floor(p * double(n - 1))); };
    auto place = [&](std::size_t from, std::size_t k, std::size_t to) {
        if (from <= k && k < to)
            std::nth_element(values.begin() + std::ptrdiff_t(from), values.begin() + std::ptrdiff_t(k),
                             values.begin() + std::ptrdiff_t(to));
    };
    auto at = [&](double p, std::size_t k, std::size_t placedAbove) {
        double above = placedAbove < n ? values[placedAbove] : k + 1 < n ? INFINITY : values[k];
        if (k + 1 < placedAbove)
            above = std::min(above, *std::min_element(values.begin() + std::ptrdiff_t(k) + 1,
                                                      values.begin() + std::ptrdiff_t(placedAbove)));
        const double rank = p * double(n - 1);
        return between(values[k], above, rank - double(k));
    };
    const std::size_t k5 = rankOf(0.05), k25 = rankOf(0.25), k50 = rankOf(0.50), k75 = rankOf(0.75), k95 = rankOf(0.95);
    place(0, k50, n);
    place(0, k25, k50);
    place(0, k5, k25);
    place(k50 + 1, k75, n);
    place(k75 + 1, k95, n);
    s.p5 = at(0.05, k5, k25 > k5 ? k25 : k50 > k5 ? k50 : n);
    s.p25 = at(0.25, k25, k50 > k25 ? k50 : n);
    s.p50 = at(0.50, k50, k75 > k50 ? k75 : n);
    s.p75 = at(0.75, k75, k95 > k75 ? k95 : n);
    s.p95 = at(0.95, k95, n);
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
        texts = {statisticText(s.mean), s.count > 1 ? statisticText(s.sd) : std::string(),
                 statisticText(s.min),  statisticText(s.p5),
                 statisticText(s.p25),  statisticText(s.p50),
                 statisticText(s.p75),  statisticText(s.p95),
                 statisticText(s.max)};
    }
    texts.push_back(std::to_string(failed));
    return texts;
}

} // namespace catalogue
