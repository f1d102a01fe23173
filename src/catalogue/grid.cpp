#include "grid.h"

#include "parallel.h"

#include "core/arithmetic.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace catalogue {

bool parseNumber(std::string_view text, double &value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    return parsed.ec == std::errc() && parsed.ptr == text.data() + text.size() && std::isfinite(value);
}

std::string checkAxis(const Entry &entry, const Axis &axis)
{
    if (!entry.field(axis.field))
        return "no field '" + axis.field + "' in " + entry.id;
    if (axis.n <= 0)
        return "the sweep of " + axis.field + " needs N of at least 1";
    if (axis.n > 1 && axis.from == axis.to)
        return "the sweep of " + axis.field + " goes from " + valueText(axis.from) + " to the same value in " +
               std::to_string(axis.n) + " steps";
    if (axis.spacing == Spacing::Log && (axis.from <= 0 || axis.to <= 0))
        return "a log sweep of " + axis.field + " cannot reach zero or a negative value";
    if (!finiteSpacing(axis.from, axis.to, axis.n, axis.spacing))
        return "the sweep of " + axis.field + " from " + valueText(axis.from) + " to " + valueText(axis.to) + " in " +
               std::to_string(axis.n) + " steps spaces its values beyond the range of numbers (about ±1.8E+308)";
    return {};
}

std::size_t gridPoints(const std::vector<Axis> &axes)
{
    if (axes.empty())
        return 0;
    std::size_t points = 1;
    for (const Axis &axis : axes) {
        const std::size_t n = axis.n > 0 ? std::size_t(axis.n) : 0;
        if (n != 0 && points > (maxGridPoints + 1) / n)
            return maxGridPoints + 1;
        points = std::min(points * n, maxGridPoints + 1);
    }
    return points;
}

std::string checkGrid(const Entry &entry, const std::vector<Axis> &axes)
{
    for (std::size_t a = 0; a < axes.size(); ++a) {
        if (std::string problem = checkAxis(entry, axes[a]); !problem.empty())
            return problem;
        for (std::size_t b = 0; b < a; ++b)
            if (axes[b].field == axes[a].field)
                return "--sweep of " + axes[a].field + " stands twice: a field is swept once";
    }
    if (gridPoints(axes) > maxGridPoints) {
        std::string sizes;
        for (const Axis &axis : axes)
            sizes += (sizes.empty() ? "" : " × ") + std::to_string(axis.n);
        return "the grid of " + sizes + " points is larger than " + std::to_string(maxGridPoints) + " points";
    }
    return {};
}

std::optional<Axis> parseAxis(const Entry &entry, std::string_view text, std::string &error)
{
    const auto eq = text.find('=');
    if (eq == std::string_view::npos) {
        error = "expected FIELD=FROM:TO:N[:log] after --sweep, got '" + std::string(text) + "'";
        return std::nullopt;
    }
    Axis axis;
    axis.field = std::string(text.substr(0, eq));
    if (!entry.field(axis.field)) {
        error = "no field '" + axis.field + "' in " + entry.id;
        return std::nullopt;
    }
    std::vector<std::string_view> parts;
    std::string_view rest = text.substr(eq + 1);
    for (;;) {
        const auto colon = rest.find(':');
        parts.push_back(rest.substr(0, colon));
        if (colon == std::string_view::npos)
            break;
        rest.remove_prefix(colon + 1);
    }
    const bool log = parts.size() == 4 && parts[3] == "log";
    double n = 0;
    if ((parts.size() != 3 && !log) || !parseNumber(parts[0], axis.from) || !parseNumber(parts[1], axis.to) ||
        !parseNumber(parts[2], n) || n != std::floor(n) || std::fabs(n) > 1e9) {
        error = "the sweep of " + axis.field + " must read FROM:TO:N or FROM:TO:N:log with numbers, got '" +
                std::string(text.substr(eq + 1)) + "'";
        return std::nullopt;
    }
    axis.n = int(n);
    axis.spacing = log ? Spacing::Log : Spacing::Linear;
    error = checkAxis(entry, axis);
    if (!error.empty())
        return std::nullopt;
    return axis;
}

bool sweepGrid(const Entry &entry, const Case &base, const std::vector<Axis> &axes, unsigned threads,
               const std::function<bool(const std::vector<GridRow> &)> &deliver, const std::atomic<bool> *cancel)
{
    if (const std::string problem = checkGrid(entry, axes); !problem.empty())
        throw std::invalid_argument(problem);
    const std::size_t total = gridPoints(axes);
    constexpr std::size_t blockSize = 1024;
    const std::size_t blocks = total / blockSize + (total % blockSize != 0);
    bool stopped = false;
    runOrderedCount<std::vector<GridRow>>(
        threads, blocks,
        [&](std::size_t block, std::vector<GridRow> &rows) {
            rows.clear();
            if (cancel && cancel->load(std::memory_order_relaxed))
                return;
            const std::size_t first = block * blockSize;
            const std::size_t end = std::min(total, first + blockSize);
            // The rows' storage is kept from block to block; each row's texts
            // are what the case refers to while the row is evaluated.
            rows.resize(end - first);
            Case c = base;
            for (std::size_t i = first; i < end; ++i) {
                GridRow &row = rows[i - first];
                row.texts.resize(axes.size());
                // Point i in grid order: the last axis varies fastest.
                std::size_t rest = i;
                for (std::size_t a = axes.size(); a-- > 0;) {
                    const Axis &axis = axes[a];
                    const std::size_t n = std::size_t(axis.n);
                    const double value = spacedValue(axis.from, axis.to, axis.n, int(rest % n), axis.spacing);
                    rest /= n;
                    assignValueText(row.texts[a], value);
                }
                for (std::size_t a = 0; a < axes.size(); ++a)
                    c.set(axes[a].field, row.texts[a]);
                evaluateInto(entry, c, row.outcome);
            }
        },
        [&](std::size_t, std::vector<GridRow> &rows) {
            if ((cancel && cancel->load()) || !deliver(rows)) {
                stopped = true;
                return false;
            }
            return true;
        });
    return !stopped;
}

Tornado tornado(const Entry &entry, const Case &base, double share)
{
    Tornado t;
    t.base = mainValue(entry, evaluate(entry, base));
    for (const Field &field : entry.fields) {
        TornadoBar bar;
        bar.field = field.name;
        double value = 0;
        try {
            value = base.number(field.name);
            bar.lowText = valueText(value * (1 - share));
            bar.highText = valueText(value * (1 + share));
        } catch (const varnolek::CalcError &) {
            t.bars.push_back(bar);
            continue;
        }
        Case c = base;
        c.set(field.name, bar.lowText);
        bar.low = mainValue(entry, evaluate(entry, c));
        c.set(field.name, bar.highText);
        bar.high = mainValue(entry, evaluate(entry, c));
        t.bars.push_back(bar);
    }
    for (TornadoBar &b : t.bars) {
        if (!t.base)
            continue;
        if (b.low)
            b.swing = std::max(b.swing, std::fabs(*b.low - *t.base));
        if (b.high)
            b.swing = std::max(b.swing, std::fabs(*b.high - *t.base));
    }
    std::stable_sort(t.bars.begin(), t.bars.end(),
                     [](const TornadoBar &a, const TornadoBar &b) { return a.swing > b.swing; });
    return t;
}

} // namespace catalogue
