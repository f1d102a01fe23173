#include "case.h"

#include "core/arithmetic.h"
#include "core/numbers.h"

#include <cmath>

namespace catalogue {

Incomplete::Incomplete() : std::runtime_error("请输入全部的参数") {}

Case::Case(const Case &other) : fields(other.fields), m_numbers(other.m_numbers)
{
    for (const std::string &owned : other.m_owned) {
        m_owned.push_back(owned);
        // Point the copied pairs at this case's own copy.
        for (auto &field : fields) {
            if (field.first.data() == owned.data())
                field.first = m_owned.back();
            if (field.second.data() == owned.data())
                field.second = m_owned.back();
        }
    }
}

Case &Case::operator=(const Case &other)
{
    if (this != &other) {
        Case copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void Case::set(std::string_view name, std::string_view text)
{
    m_complete = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (sameName(fields[i].first, name)) {
            fields[i].second = text;
            if (i < m_numbers.size())
                m_numbers[i] = NAN;
            return;
        }
    }
    fields.emplace_back(name, text);
}

std::size_t Case::placeOf(std::string_view name)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (sameName(fields[i].first, name))
            return i;
    fields.emplace_back(name, std::string_view());
    return fields.size() - 1;
}

void Case::setNumber(std::string_view name, double value)
{
    setNumberAt(placeOf(name), value);
}

void Case::readNumbers()
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // An empty field stays empty: the completeness check must still find it.
        if ((i < m_numbers.size() && !std::isnan(m_numbers[i])) || fields[i].second.empty())
            continue;
        try {
            const double value = varnolek::readNumber(fields[i].second);
            if (m_numbers.size() < fields.size())
                m_numbers.resize(fields.size(), NAN);
            m_numbers[i] = value;
        } catch (const varnolek::CalcError &) {
            // Left to its text: the calculation fails on it as it would.
        }
    }
}

void Case::setOwned(std::string_view name, std::string text)
{
    m_complete = false;
    m_owned.push_back(std::move(text));
    const std::string_view kept = m_owned.back();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (sameName(fields[i].first, name)) {
            fields[i].second = kept;
            if (i < m_numbers.size())
                m_numbers[i] = NAN;
            return;
        }
    }
    m_owned.emplace_back(name);
    fields.emplace_back(m_owned.back(), kept);
}

std::size_t Case::find(std::string_view name) const
{
    const std::size_t n = fields.size();
    const std::size_t question = m_hint.question.load(std::memory_order_relaxed);
    if (question < rememberedQuestions) {
        m_hint.question.store(question + 1, std::memory_order_relaxed);
        const std::size_t i = m_hint.answer[question].load(std::memory_order_relaxed);
        if (i < n && sameName(fields[i].first, name))
            return i;
    }
    const std::size_t hint = m_hint.next.load(std::memory_order_relaxed);
    std::size_t i = hint < n ? hint : 0;
    for (std::size_t tried = 0; tried < n; ++tried) {
        if (sameName(fields[i].first, name)) {
            m_hint.next.store(i + 1, std::memory_order_relaxed);
            if (question < rememberedQuestions)
                m_hint.answer[question].store(std::uint32_t(i), std::memory_order_relaxed);
            return i;
        }
        if (++i == n)
            i = 0;
    }
    return n;
}

std::string_view Case::text(std::string_view name) const
{
    const std::size_t i = find(name);
    return i < fields.size() ? fields[i].second : std::string_view();
}

bool Case::has(std::string_view name) const
{
    return find(name) < fields.size();
}

bool Case::filled(std::string_view name) const
{
    return filled(name, fields.size());
}

bool Case::filled(std::string_view name, std::size_t place) const
{
    const std::size_t i = place < fields.size() && sameName(fields[place].first, name) ? place : find(name);
    if (i >= fields.size())
        return false;
    return !fields[i].second.empty() || (i < m_numbers.size() && !std::isnan(m_numbers[i]));
}

double Case::number(std::string_view name) const
{
    return number(name, fields.size());
}

double Case::numberSearched(std::string_view name, std::size_t place) const
{
    const std::size_t i = place < fields.size() && sameName(fields[place].first, name) ? place : find(name);
    if (i >= fields.size())
        return varnolek::readNumber(std::string_view());
    if (i < m_numbers.size() && !std::isnan(m_numbers[i]))
        return m_numbers[i];
    return varnolek::readNumber(fields[i].second);
}

void Case::require(const std::vector<std::string> &names) const
{
    for (const std::string &name : names)
        if (!filled(name))
            throw Incomplete();
}

void Case::require(std::initializer_list<std::string_view> names) const
{
    for (std::string_view name : names)
        if (!filled(name))
            throw Incomplete();
}

const std::string *Result::text(std::string_view name) const
{
    for (const Text &t : texts)
        if (sameName(t.name, name))
            return &t.text;
    return nullptr;
}

std::optional<double> Result::number(std::string_view name) const
{
    for (const Text &t : texts)
        if (sameName(t.name, name))
            return t.value;
    return std::nullopt;
}

} // namespace catalogue
