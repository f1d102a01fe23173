#include "montecarlo.h"

#include "grid.h"
#include "parallel.h"
#include "sweep.h"

#include "core/arithmetic.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace catalogue {

namespace {

// Cases drawn from one generator; fixed, so the draws do not depend on the threads.
constexpr std::size_t blockSize = 4096;

std::vector<std::string_view> splitColons(std::string_view text)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const auto colon = text.find(':');
        parts.push_back(text.substr(0, colon));
        if (colon == std::string_view::npos)
            return parts;
        text.remove_prefix(colon + 1);
    }
}

std::mt19937_64 blockGenerator(std::uint64_t seed, std::size_t block)
{
    std::seed_seq seq{std::uint32_t(seed), std::uint32_t(seed >> 32), std::uint32_t(block),
                      std::uint32_t(std::uint64_t(block) >> 32)};
    return std::mt19937_64(seq);
}

} // namespace

double Distribution::draw(std::mt19937_64 &generator) const
{
    switch (kind) {
    case Uniform:
        return std::uniform_real_distribution<double>(p1, p2)(generator);
    case Normal:
        return std::normal_distribution<double>(p1, p2)(generator);
    case Lognormal:
        return std::lognormal_distribution<double>(p1, p2)(generator);
    case Triangular: {
        // The inverse of the triangular distribution function at a uniform draw.
        const double u = std::uniform_real_distribution<double>(0.0, 1.0)(generator);
        const double a = p1, c = p2, b = p3;
        const double atMode = (c - a) / (b - a);
        return u < atMode ? a + std::sqrt(u * (b - a) * (c - a)) : b - std::sqrt((1 - u) * (b - a) * (b - c));
    }
    }
    return 0;
}

std::string checkDistribution(const Distribution &d)
{
    switch (d.kind) {
    case Distribution::Uniform:
        if (!(d.p1 < d.p2))
            return "uniform:a:b needs a below b";
        // A draw is a + u·(b − a): with b − a beyond a double no draw is finite.
        if (!std::isfinite(d.p2 - d.p1))
            return "uniform:a:b needs b − a within the range of numbers (about 1.8E+308)";
        break;
    case Distribution::Normal:
        if (!(d.p2 > 0))
            return "normal:mean:sd needs a standard deviation above zero";
        break;
    case Distribution::Lognormal:
        if (!(d.p2 > 0))
            return "lognormal:mu:sigma needs sigma above zero";
        // exp(mu + sigma·z): where even z = −10 leaves it beyond a double
        // (ln 1.8E+308 = 709.8), no draw is finite.
        if (!std::isfinite(std::exp(d.p1 - 10 * d.p2)))
            return "lognormal:mu:sigma gives no finite draw: exp(mu − 10·sigma) is beyond the range of numbers";
        break;
    case Distribution::Triangular:
        if (!(d.p1 < d.p3) || d.p2 < d.p1 || d.p2 > d.p3)
            return "triangular:a:mode:b needs a below b and the mode between them";
        // A draw takes √(u·(b − a)·(mode − a)) or √((1 − u)·(b − a)·(b − mode)).
        if (!std::isfinite((d.p3 - d.p1) * std::max(d.p2 - d.p1, d.p3 - d.p2)))
            return "triangular:a:mode:b gives no finite draw: (b − a)·(mode − a) or (b − a)·(b − mode) is beyond the "
                   "range of numbers";
        break;
    }
    return {};
}

std::optional<Distribution> parseDistribution(std::string_view text, std::string &error)
{
    const std::vector<std::string_view> parts = splitColons(text);
    Distribution d;
    std::size_t parameters = 2;
    if (parts[0] == "uniform") {
        d.kind = Distribution::Uniform;
    } else if (parts[0] == "normal") {
        d.kind = Distribution::Normal;
    } else if (parts[0] == "lognormal") {
        d.kind = Distribution::Lognormal;
    } else if (parts[0] == "triangular") {
        d.kind = Distribution::Triangular;
        parameters = 3;
    } else {
        error = "unknown distribution '" + std::string(text) +
                "' (uniform:a:b, normal:mean:sd, triangular:a:mode:b or lognormal:mu:sigma)";
        return std::nullopt;
    }
    double *values[] = {&d.p1, &d.p2, &d.p3};
    bool ok = parts.size() == parameters + 1;
    for (std::size_t i = 0; ok && i < parameters; ++i)
        ok = parseNumber(parts[i + 1], *values[i]);
    if (!ok) {
        error = "the distribution '" + std::string(text) + "' needs " + std::to_string(parameters) +
                " numbers after '" + std::string(parts[0]) + "'";
        return std::nullopt;
    }
    error = checkDistribution(d);
    if (!error.empty()) {
        error = "bad distribution '" + std::string(text) + "': " + error;
        return std::nullopt;
    }
    return d;
}

std::vector<std::string> parameterNames(Distribution::Kind kind)
{
    switch (kind) {
    case Distribution::Uniform:
        return {"下限", "上限"};
    case Distribution::Normal:
        return {"均值", "标准差"};
    case Distribution::Triangular:
        return {"最小值", "最可能值", "最大值"};
    case Distribution::Lognormal:
        return {"对数均值", "对数标准差"};
    }
    return {};
}

std::optional<Distribution> distributionFrom(const Field &field, double v, Distribution::Kind kind, std::string &why)
{
    why.clear();
    // The uniform's bounds.
    double a = 0, b = 1;
    if (field.range) {
        a = field.range->low;
        b = field.range->high;
    } else if (v != 0) {
        a = v - 0.2 * std::abs(v);
        b = v + 0.2 * std::abs(v);
    }
    const double sd = v != 0 ? 0.1 * std::abs(v) : 0.1 * (b - a);
    Distribution d;
    d.kind = kind;
    switch (kind) {
    case Distribution::Uniform:
        d.p1 = a;
        d.p2 = b;
        break;
    case Distribution::Normal:
        d.p1 = v;
        d.p2 = sd;
        break;
    case Distribution::Triangular:
        d.p1 = std::min(a, v);
        d.p2 = v;
        d.p3 = std::max(b, v);
        break;
    case Distribution::Lognormal: {
        if (!(v > 0)) {
            why = quantityName(field.label) + "的取值 " + valueText(v) + " 不大于 0，不能取对数正态分布，保留均匀分布";
            return std::nullopt;
        }
        const double ratio = sd / v;
        const double variance = std::log1p(ratio * ratio);
        d.p1 = std::log(v) - variance / 2;
        d.p2 = std::sqrt(variance);
        break;
    }
    }
    const std::string problem = checkDistribution(d);
    if (!problem.empty()) {
        // A value beyond what can be drawn from (1E+308 and its 20 %).
        why = quantityName(field.label) + "的取值 " + valueText(v) + " 无法抽样";
        return std::nullopt;
    }
    return d;
}

bool mayBeNegative(const Field &field)
{
    return field.range && field.range->low < 0;
}

std::optional<Varied> parseVaried(const Entry &entry, std::string_view text, std::string &error)
{
    const auto eq = text.find('=');
    Varied v;
    v.field = std::string(text.substr(0, eq));
    const Field *field = entry.field(v.field);
    if (!field) {
        error = "no field '" + v.field + "' in " + entry.id;
        return std::nullopt;
    }
    if (eq == std::string_view::npos) {
        if (!field->range) {
            error =
                "the label of " + v.field + " (" + field->label + ") prints no range: give --vary " + v.field + "=DIST";
            return std::nullopt;
        }
        v.distribution = {Distribution::Uniform, field->range->low, field->range->high, 0};
        error = checkDistribution(v.distribution);
        if (!error.empty()) {
            error = "the range of " + v.field + " cannot be drawn from: " + error;
            return std::nullopt;
        }
        return v;
    }
    const std::optional<Distribution> d = parseDistribution(text.substr(eq + 1), error);
    if (!d) {
        error = v.field + ": " + error;
        return std::nullopt;
    }
    v.distribution = *d;
    return v;
}

namespace {

// The draws of one field within a block: the distribution object keeps its
// state from draw to draw (the normal one makes its values in pairs).
class Sampler {
public:
    explicit Sampler(const Distribution &d)
        : m_kind(d.kind), m_triangle(d),
          m_uniform(d.kind == Distribution::Uniform ? d.p1 : 0.0, d.kind == Distribution::Uniform ? d.p2 : 1.0),
          m_normal(d.kind == Distribution::Normal ? d.p1 : 0.0, d.kind == Distribution::Normal ? d.p2 : 1.0),
          m_lognormal(d.kind == Distribution::Lognormal ? d.p1 : 0.0, d.kind == Distribution::Lognormal ? d.p2 : 1.0)
    {}
    double operator()(std::mt19937_64 &g)
    {
        switch (m_kind) {
        case Distribution::Uniform:
            return m_uniform(g);
        case Distribution::Normal:
            return m_normal(g);
        case Distribution::Lognormal:
            return m_lognormal(g);
        case Distribution::Triangular:
            return m_triangle.draw(g);
        }
        return 0;
    }

private:
    Distribution::Kind m_kind;
    Distribution m_triangle;
    std::uniform_real_distribution<double> m_uniform;
    std::normal_distribution<double> m_normal;
    std::lognormal_distribution<double> m_lognormal;
};

// How the drawn values enter their cases.
enum class Entering {
    // As the texts they are typed as, each read as a number once: the drawn
    // cases are shown, or a calculation reads a varied field as text.
    Texts,
    // As the numbers drawn, with the unvaried fields read once for the whole
    // block and no text made of an output: statistics of the numbers.
    Numbers,
};

Entering enteringFor(const Entry &entry, const std::vector<Varied> &varied, bool textsWanted)
{
    if (textsWanted)
        return Entering::Texts;
    for (const Varied &v : varied) {
        const Field *f = entry.field(v.field);
        if (!f || f->kind != FieldKind::Number)
            return Entering::Texts;
    }
    return Entering::Numbers;
}

// Draws the cases of one block and evaluates each; visit(i, texts, outcome).
template <class Visit>
void drawBlock(const Entry &entry, const Case &base, const std::vector<Varied> &varied, std::uint64_t seed,
               std::size_t block, std::size_t cases, Entering entering, std::vector<std::string> &texts, Visit visit,
               std::size_t *negatives = nullptr)
{
    std::mt19937_64 generator = blockGenerator(seed, block);
    std::vector<Sampler> samplers;
    for (const Varied &v : varied)
        samplers.emplace_back(v.distribution);
    Case c = base;
    const bool numbers = entering == Entering::Numbers;
    if (numbers)
        c.readNumbers();
    texts.resize(varied.size());
    // Where each varied field stands in the case, looked up once.
    std::vector<std::size_t> at(varied.size());
    for (std::size_t k = 0; k < varied.size(); ++k) {
        at[k] = c.placeOf(varied[k].field);
        c.fields[at[k]].second = std::string_view();
    }
    // Every drawn case fills the same fields: when the whole completeness set
    // is filled once, it is filled in every case of the block.
    if (numbers) {
        bool complete = true;
        for (const std::string &name : entry.required) {
            bool varies = false;
            for (const Varied &v : varied)
                varies = varies || v.field == name;
            complete = complete && (varies || c.filled(name));
        }
        c.setComplete(complete);
    }
    Outcome outcome;
    outcome.result.textsWanted = !numbers;
    const std::size_t end = std::min(cases, (block + 1) * blockSize);
    for (std::size_t i = block * blockSize; i < end; ++i) {
        bool drawn = true;
        for (std::size_t k = 0; k < varied.size(); ++k) {
            const double x = samplers[k](generator);
            if (negatives && x < 0)
                ++negatives[k];
            if (!std::isfinite(x)) {
                texts[k].clear();
                c.fields[at[k]].second = texts[k];
                c.setNumberAt(at[k], NAN);
                drawn = false;
            } else if (numbers) {
                c.setNumberAt(at[k], x);
            } else {
                assignValueText(texts[k], x);
                c.fields[at[k]].second = texts[k];
                // A text beyond a double is left to the calculation to fail on.
                double typed = NAN;
                try {
                    typed = varnolek::readNumber(texts[k]);
                } catch (const varnolek::CalcError &) {
                }
                c.setNumberAt(at[k], typed);
            }
        }
        if (drawn) {
            evaluateInto(entry, c, outcome);
        } else {
            outcome.status = Status::Failed;
            outcome.result.texts.clear();
            outcome.result.balance.reset();
            outcome.result.levels.clear();
            outcome.message = varnolek::describe(varnolek::Failure::Overflow);
        }
        visit(i, texts, outcome);
    }
}

} // namespace

bool monteCarloCases(const Entry &entry, const Case &base, const std::vector<Varied> &varied,
                     const MonteCarloSettings &settings,
                     const std::function<bool(const std::vector<DrawnCase> &)> &deliver)
{
    if (settings.cases > maxMonteCarloCases)
        throw std::length_error("a Monte Carlo run of more than " + std::to_string(maxMonteCarloCases) + " cases");
    const std::size_t blocks = settings.cases / blockSize + (settings.cases % blockSize != 0);
    bool stopped = false;
    std::size_t done = 0;
    runOrderedCount<std::vector<DrawnCase>>(
        settings.threads, blocks,
        [&](std::size_t block, std::vector<DrawnCase> &rows) {
            rows.clear();
            std::vector<std::string> texts;
            drawBlock(entry, base, varied, settings.seed, block, settings.cases, Entering::Texts, texts,
                      [&](std::size_t, const std::vector<std::string> &t, const Outcome &outcome) {
                          rows.push_back({t, outcome});
                      });
        },
        [&](std::size_t, std::vector<DrawnCase> &rows) {
            done += rows.size();
            if ((settings.cancel && settings.cancel->load()) || !deliver(rows)) {
                stopped = true;
                return false;
            }
            if (settings.progress)
                settings.progress(done);
            return true;
        });
    return !stopped;
}

std::optional<MonteCarloResult> monteCarlo(const Entry &entry, const Case &base, const std::vector<Varied> &varied,
                                           const MonteCarloSettings &settings)
{
    // The numeric outputs, then the balance where the calculation gives one.
    std::vector<const Output *> numeric;
    for (const Output &o : entry.outputs)
        if (o.numeric())
            numeric.push_back(&o);
    const std::size_t columns = numeric.size() + (entry.balance ? 1 : 0);

    struct Block {
        std::vector<std::vector<double>> values; // per column, NaN for no value
        std::vector<double> main;                // per case, NaN for no value
        std::size_t cases = 0;
        std::size_t failed = 0;
        std::vector<std::size_t> negatives; // per varied field
    };
    if (settings.cases > maxMonteCarloCases)
        throw std::length_error("a Monte Carlo run of more than " + std::to_string(maxMonteCarloCases) + " cases");
    MonteCarloResult result;
    result.cases = settings.cases;
    result.negativeDraws.assign(varied.size(), 0);
    std::vector<std::vector<double>> values(columns);
    for (auto &v : values)
        v.reserve(settings.cases);
    if (settings.keepMainValues)
        result.mainValues.reserve(settings.cases);
    const std::size_t blocks = settings.cases / blockSize + (settings.cases % blockSize != 0);
    const Entering entering = enteringFor(entry, varied, settings.asShown);
    bool cancelled = false;
    std::size_t done = 0;
    runOrderedCount<Block>(
        settings.threads, blocks,
        [&](std::size_t block, Block &b) {
            b.values.resize(columns);
            for (std::vector<double> &v : b.values)
                v.clear();
            b.main.clear();
            b.cases = 0;
            b.failed = 0;
            b.negatives.assign(varied.size(), 0);
            if (settings.cancel && settings.cancel->load(std::memory_order_relaxed))
                return;
            std::vector<std::string> texts;
            drawBlock(
                entry, base, varied, settings.seed, block, settings.cases, entering, texts,
                [&](std::size_t, const std::vector<std::string> &, const Outcome &outcome) {
                    const bool ok = outcome.status == Status::Done;
                    if (!ok)
                        ++b.failed;
                    for (std::size_t k = 0; k < numeric.size(); ++k) {
                        std::optional<double> v;
                        if (ok)
                            v = settings.asShown ? shownNumber(entry, outcome.result, numeric[k]->name)
                                                 : outcome.result.number(numeric[k]->name);
                        b.values[k].push_back(v ? *v : NAN);
                    }
                    if (entry.balance)
                        b.values.back().push_back(ok && outcome.result.balance ? *outcome.result.balance : NAN);
                    ++b.cases;
                    if (settings.keepMainValues) {
                        const std::optional<double> main = mainValue(entry, outcome, settings.asShown);
                        b.main.push_back(main ? *main : NAN);
                    }
                },
                b.negatives.data());
        },
        [&](std::size_t, Block &b) {
            if (settings.cancel && settings.cancel->load()) {
                cancelled = true;
                return false;
            }
            for (std::size_t k = 0; k < columns; ++k)
                for (double v : b.values[k])
                    if (!std::isnan(v))
                        values[k].push_back(v);
            for (double v : b.main)
                if (!std::isnan(v))
                    result.mainValues.push_back(v);
            result.failed += b.failed;
            for (std::size_t k = 0; k < b.negatives.size(); ++k)
                result.negativeDraws[k] += b.negatives[k];
            done += b.cases;
            if (settings.progress)
                settings.progress(done);
            return true;
        });
    if (cancelled)
        return std::nullopt;
    for (std::size_t k = 0; k < columns; ++k) {
        OutputStatistics s;
        s.name = k < numeric.size() ? numeric[k]->name : "balance";
        s.failed = settings.cases - values[k].size();
        s.summary = summarize(values[k]);
        result.outputs.push_back(std::move(s));
    }
    return result;
}

} // namespace catalogue
