#pragma once
// The water-quality standard for surface water, GB 3838-2002, table 1 (basic
// items): the limit of each item for the classes I to V of a water body.
// A water body's target concentration is the limit of the class its zone is
// to meet; rivers and lakes differ in total phosphorus, and total nitrogen is
// set for lakes and reservoirs only.
//
// The limits are held as the decimal the table writes (0.05, not the nearest
// single), so their general text (numbers.h) gives the table's figure back.

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace varnolek::standards {

// The answer for an item the water body has no limit of (total nitrogen in a river).
inline constexpr const char *noRiverLimitMessage = "该项目对河流无标准限值";

enum class WaterBody { River, Lake };

// Which way a limit bounds the water: a concentration at most the limit
// (≤), or at least (≥, dissolved oxygen). pH is kept to a range and water
// temperature to a change: neither is a single limit a target can take.
enum class Sense { AtMost, AtLeast, Range, Change };

// Which water bodies a row's limits are for.
enum class Waters { Both, River, Lake };

inline constexpr int classCount = 5;
using ClassLimits = std::array<double, classCount>;

// One row of table 1.
struct Row {
    std::string_view name; // the item as the table names it, 总磷
    std::string_view code; // its short code, TP; empty when it has none
    std::string_view unit; // mg/L; 个/L for faecal coliforms; empty for pH
    Sense sense;
    Waters waters;
    ClassLimits limits;    // classes I to V; unused for a range or change
    std::string_view note; // for a range or change: what the standard sets instead
};

// Whether the row gives a single limit per class: every item but pH and water
// temperature. Only these are offered as a target.
bool isLimit(const Row &row);

// Every row of table 1 in the table's order: water temperature and pH first,
// then the limits; total phosphorus has a row for rivers and one for lakes.
const std::vector<Row> &table();

// The items offered as a target, in the table's order, each once by name.
std::vector<std::string_view> pickerItems();

// The name of the item a text stands for: its Chinese name, its code or
// another usual spelling (the element symbol Cr for 铬(六价), F- for 氟化物).
// Codes are matched without regard to the case of ASCII letters. Nothing for
// a text that names no item.
std::optional<std::string_view> findItem(std::string_view text);

// The class a text stands for, as an index 0 (I) to 4 (V): I to V in either
// case, 1 to 5, or Ⅰ to Ⅴ, each perhaps followed by 类. Nothing otherwise.
std::optional<int> parseClass(std::string_view text);

// The row of an item for a water body; nullptr when the item has none there.
const Row *rowFor(std::string_view item, WaterBody body);

// The limit of an item (a name findItem gives) for a water body and class (0
// to 4). When there is no single limit, message says why: noRiverLimitMessage
// for total nitrogen in a river, the row's note for pH and water temperature;
// an unknown item or class has neither value nor message.
struct Limit {
    std::optional<double> value;
    std::string_view message;
};
Limit limit(std::string_view item, WaterBody body, int classIndex);

// Texts for a table of the limits: "I".."V", "≤"/"≥", "河流"/"湖库"/"河流、湖库".
std::string_view className(int classIndex);
std::string_view senseText(Sense sense);
std::string_view watersText(Waters waters);

} // namespace varnolek::standards
