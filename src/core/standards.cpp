#include "standards.h"

#include <cstddef>
#include <utility>

namespace varnolek::standards {

namespace {

constexpr const char *mgL = "mg/L";
constexpr ClassLimits none{};

// Other usual spellings of an item: ASCII forms of the ions, the element
// symbol of hexavalent chromium, the name with full-width brackets.
constexpr std::pair<std::string_view, std::string_view> aliases[] = {
    {"F-", "氟化物"},
    {"F", "氟化物"},
    {"CN-", "氰化物"},
    {"CN", "氰化物"},
    {"Cr", "铬(六价)"},
    {"Cr(VI)", "铬(六价)"},
    {"六价铬", "铬(六价)"},
    {"铬（六价）", "铬(六价)"},
    {"LAS", "阴离子表面活性剂"},
};

// The rows of GB 3838-2002 table 1, in its order, each limit typed as the
// table prints it.
const std::vector<Row> &rows()
{
    static const std::vector<Row> all{
        // Water temperature: a change the works may cause, not a concentration.
        {"水温", "", "℃", Sense::Change, Waters::Both, none,
         "水温为人为造成的变化限值（周平均最大温升≤1℃，周平均最大温降≤2℃），不是单一限值"},
        {"pH", "pH", "", Sense::Range, Waters::Both, none, "pH各类均为6～9（无量纲），是范围而非单一限值"},
        // Class I is 7.5 mg/L or a saturation of 90 %; the concentration is the target.
        {"溶解氧", "DO", mgL, Sense::AtLeast, Waters::Both, {7.5, 6, 5, 3, 2}, ""},
        {"高锰酸盐指数", "CODMn", mgL, Sense::AtMost, Waters::Both, {2, 4, 6, 10, 15}, ""},
        {"化学需氧量", "COD", mgL, Sense::AtMost, Waters::Both, {15, 15, 20, 30, 40}, ""},
        {"五日生化需氧量", "BOD5", mgL, Sense::AtMost, Waters::Both, {3, 3, 4, 6, 10}, ""},
        {"氨氮", "NH3-N", mgL, Sense::AtMost, Waters::Both, {0.15, 0.5, 1.0, 1.5, 2.0}, ""},
        // Total phosphorus as P: lakes and reservoirs are held tighter than rivers.
        {"总磷", "TP", mgL, Sense::AtMost, Waters::River, {0.02, 0.1, 0.2, 0.3, 0.4}, ""},
        {"总磷", "TP", mgL, Sense::AtMost, Waters::Lake, {0.01, 0.025, 0.05, 0.1, 0.2}, ""},
        // Total nitrogen as N, set for lakes and reservoirs only.
        {"总氮", "TN", mgL, Sense::AtMost, Waters::Lake, {0.2, 0.5, 1.0, 1.5, 2.0}, ""},
        {"铜", "Cu", mgL, Sense::AtMost, Waters::Both, {0.01, 1.0, 1.0, 1.0, 1.0}, ""},
        {"锌", "Zn", mgL, Sense::AtMost, Waters::Both, {0.05, 1.0, 1.0, 2.0, 2.0}, ""},
        {"氟化物", "F⁻", mgL, Sense::AtMost, Waters::Both, {1.0, 1.0, 1.0, 1.5, 1.5}, ""},
        {"硒", "Se", mgL, Sense::AtMost, Waters::Both, {0.01, 0.01, 0.01, 0.02, 0.02}, ""},
        {"砷", "As", mgL, Sense::AtMost, Waters::Both, {0.05, 0.05, 0.05, 0.1, 0.1}, ""},
        {"汞", "Hg", mgL, Sense::AtMost, Waters::Both, {0.00005, 0.00005, 0.0001, 0.001, 0.001}, ""},
        {"镉", "Cd", mgL, Sense::AtMost, Waters::Both, {0.001, 0.005, 0.005, 0.005, 0.01}, ""},
        {"铬(六价)", "Cr6+", mgL, Sense::AtMost, Waters::Both, {0.01, 0.05, 0.05, 0.05, 0.1}, ""},
        {"铅", "Pb", mgL, Sense::AtMost, Waters::Both, {0.01, 0.01, 0.05, 0.05, 0.1}, ""},
        {"氰化物", "CN⁻", mgL, Sense::AtMost, Waters::Both, {0.005, 0.05, 0.2, 0.2, 0.2}, ""},
        {"挥发酚", "", mgL, Sense::AtMost, Waters::Both, {0.002, 0.002, 0.005, 0.01, 0.1}, ""},
        {"石油类", "", mgL, Sense::AtMost, Waters::Both, {0.05, 0.05, 0.05, 0.5, 1.0}, ""},
        {"阴离子表面活性剂", "", mgL, Sense::AtMost, Waters::Both, {0.2, 0.2, 0.2, 0.3, 0.3}, ""},
        {"硫化物", "", mgL, Sense::AtMost, Waters::Both, {0.05, 0.1, 0.2, 0.5, 1.0}, ""},
        {"粪大肠菌群", "", "个/L", Sense::AtMost, Waters::Both, {200, 2000, 10000, 20000, 40000}, ""},
    };
    return all;
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Equal but for the case of ASCII letters.
bool sameCode(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

bool covers(Waters waters, WaterBody body)
{
    return waters == Waters::Both || (waters == Waters::River) == (body == WaterBody::River);
}

} // namespace

bool isLimit(const Row &row)
{
    return row.sense == Sense::AtMost || row.sense == Sense::AtLeast;
}

const std::vector<Row> &table()
{
    return rows();
}

std::vector<std::string_view> pickerItems()
{
    std::vector<std::string_view> names;
    for (const Row &row : rows())
        if (isLimit(row) && (names.empty() || names.back() != row.name))
            names.push_back(row.name);
    return names;
}

std::optional<std::string_view> findItem(std::string_view text)
{
    for (const Row &row : rows())
        if (text == row.name || (!row.code.empty() && sameCode(text, row.code)))
            return row.name;
    for (const auto &alias : aliases)
        if (sameCode(text, alias.first))
            return alias.second;
    return std::nullopt;
}

std::optional<int> parseClass(std::string_view text)
{
    constexpr std::string_view suffix = "类";
    if (text.size() > suffix.size() && text.substr(text.size() - suffix.size()) == suffix)
        text.remove_suffix(suffix.size());
    static constexpr std::string_view spellings[classCount][3] = {
        {"I", "1", "Ⅰ"}, {"II", "2", "Ⅱ"}, {"III", "3", "Ⅲ"}, {"IV", "4", "Ⅳ"}, {"V", "5", "Ⅴ"},
    };
    for (int k = 0; k < classCount; ++k)
        for (std::string_view spelling : spellings[k])
            if (sameCode(text, spelling))
                return k;
    return std::nullopt;
}

const Row *rowFor(std::string_view item, WaterBody body)
{
    for (const Row &row : rows())
        if (row.name == item && covers(row.waters, body))
            return &row;
    return nullptr;
}

Limit limit(std::string_view item, WaterBody body, int classIndex)
{
    const Row *row = rowFor(item, body);
    if (!row) {
        // Known for the other water body: total nitrogen, set for lakes only.
        const bool known = rowFor(item, body == WaterBody::River ? WaterBody::Lake : WaterBody::River);
        return {std::nullopt, known && body == WaterBody::River ? noRiverLimitMessage : ""};
    }
    if (!isLimit(*row))
        return {std::nullopt, row->note};
    if (classIndex < 0 || classIndex >= classCount)
        return {std::nullopt, ""};
    return {row->limits[std::size_t(classIndex)], ""};
}

std::string_view className(int classIndex)
{
    static constexpr std::string_view names[classCount] = {"I", "II", "III", "IV", "V"};
    return classIndex >= 0 && classIndex < classCount ? names[classIndex] : "";
}

std::string_view senseText(Sense sense)
{
    switch (sense) {
    case Sense::AtMost:
        return "≤";
    case Sense::AtLeast:
        return "≥";
    case Sense::Range:
    case Sense::Change:
        break;
    }
    return "";
}

std::string_view watersText(Waters waters)
{
    switch (waters) {
    case Waters::River:
        return "河流";
    case Waters::Lake:
        return "湖库";
    case Waters::Both:
        break;
    }
    return "河流、湖库";
}

} // namespace varnolek::standards
