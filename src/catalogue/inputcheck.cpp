#include "inputcheck.h"

#include "core/arithmetic.h"
#include "core/numbers.h"

#include <algorithm>

namespace catalogue {

namespace {

// What is to be said of one field's text: the label gives its quantity and
// the range it prints; required: whether the completeness check stops an
// empty field, else it reads as 0.
void checkField(std::vector<Finding> &found, const std::string &name, const std::string &label,
                const std::optional<Range> &range, const std::string &unit, bool path, bool required,
                std::string_view text)
{
    const std::string quantity = quantityName(label) + "：";
    auto add = [&](std::string line) { found.push_back({name, quantity + line}); };
    if (text.empty()) {
        add(required || path ? "未填写" : "未填写，按 0 计算");
        return;
    }
    if (path)
        return;
    const std::string quoted = "“" + std::string(text) + "”";
    double value = 0;
    try {
        value = varnolek::readNumber(text);
    } catch (const varnolek::CalcError &) {
        add(quoted + "超出数值范围，计算时溢出");
        return;
    }
    if (value == 0)
        value = 0; // "-abc" reads as 0, not -0
    if (!varnolek::isWholeNumber(text))
        add(quoted + "不是数字，按 " + varnolek::generalText(value) + " 计算");
    if (range && (value < range->low || value > range->high))
        add(varnolek::generalText(value) + " 超出标注的范围 " + varnolek::generalText(range->low) + "-" +
            varnolek::generalText(range->high) + (unit.empty() || unit == dimensionless ? "" : " " + unit));
}

bool isRequired(const Entry &entry, const std::string &name)
{
    for (const std::string &r : entry.required)
        if (r == name)
            return true;
    return false;
}

} // namespace

std::vector<Finding> checkInput(const Entry &entry, const Case &c)
{
    std::vector<Finding> found;
    for (const Field &field : entry.fields)
        if (c.has(field.name))
            checkField(found, field.name, field.label, field.range, field.unit, field.kind == FieldKind::DataFile,
                       isRequired(entry, field.name), c.text(field.name));
    // The rows the case gives, which need not follow on from each other.
    int rows = 0;
    for (const auto &[name, text] : c.fields) {
        const auto dot = name.find('.');
        if (dot != std::string_view::npos && entry.group(name.substr(0, dot)) && entry.accepts(name))
            rows = std::max(rows, std::stoi(std::string(name.substr(dot + 1))) + 1);
    }
    for (int i = 0; i < rows; ++i) {
        for (const Group &group : entry.groups) {
            const std::string name = group.name + "." + std::to_string(i);
            if (!c.has(name))
                continue;
            const std::string label = group.rowLabel(i);
            checkField(found, name, label, labelRange(label), group.unit, false, false, c.text(name));
        }
    }
    return found;
}

} // namespace catalogue
