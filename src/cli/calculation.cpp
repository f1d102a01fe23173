#include "calculation.h"

#include "core/numbers.h"

namespace cli {

Incomplete::Incomplete() : std::runtime_error("请输入全部的参数") {}

void Case::set(std::string_view name, std::string text)
{
    for (auto &field : fields) {
        if (field.first == name) {
            field.second = std::move(text);
            return;
        }
    }
    fields.emplace_back(std::string(name), std::move(text));
}

const std::string &Case::text(std::string_view name) const
{
    static const std::string empty;
    for (const auto &field : fields)
        if (field.first == name)
            return field.second;
    return empty;
}

bool Case::has(std::string_view name) const
{
    for (const auto &field : fields)
        if (field.first == name)
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
