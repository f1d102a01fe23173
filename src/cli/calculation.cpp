#include "calculation.h"

#include "core/numbers.h"

namespace cli {

Incomplete::Incomplete() : std::runtime_error("请输入全部的参数") {}

namespace {
// Field names are a few characters long: a plain loop beats a call to memcmp.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i])
            return false;
    return true;
}
} // namespace

void Case::set(std::string_view name, std::string_view text)
{
    for (auto &field : fields) {
        if (sameName(field.first, name)) {
            field.second = text;
            return;
        }
    }
    fields.emplace_back(name, text);
}

std::string_view Case::text(std::string_view name) const
{
    for (const auto &field : fields)
        if (sameName(field.first, name))
            return field.second;
    return {};
}

bool Case::has(std::string_view name) const
{
    for (const auto &field : fields)
        if (sameName(field.first, name))
            return true;
    return false;
}

double Case::number(std::string_view name) const { return varnolek::readNumber(text(name)); }

void Case::require(std::initializer_list<std::string_view> names) const
{
    for (std::string_view name : names)
        if (text(name).empty())
            throw Incomplete();
}

const Calculation *findCalculation(std::string_view id)
{
    for (const Calculation &calculation : calculations())
        if (calculation.id == id)
            return &calculation;
    return nullptr;
}

Case defaultCase(const Calculation &calculation)
{
    Case c;
    c.fields.reserve(calculation.fields.size());
    for (const Field &field : calculation.fields)
        c.fields.emplace_back(field.name, field.defaultText);
    return c;
}

} // namespace cli
