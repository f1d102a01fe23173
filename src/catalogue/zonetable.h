#pragma once
// The zone table of a protection plan: one row per water-function zone
// (水功能区) and pollutant, each computed by a catalogue entry that declares a
// capacity, its target concentration filled from GB 3838-2002 for the zone's
// water body, class and pollutant unless one is typed; the zone's load limit
// (限排量), the reduction its current load needs or the capacity left, and
// the totals by pollutant and by water body. All loads are in t/a.
//
// The window, varnolek-calc --table and the spreadsheet import and export all
// work on this one table through its columns: a cell's text is read and
// written here, so that every front end shows and takes the same texts.

#include "catalogue.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace catalogue {

// The water body a zone lies in, as the standard tells them apart.
enum class WaterType { River, Lake };

// The texts of one row, as typed.
struct ZoneRow {
    std::string zone;      // 水功能区
    std::string waterName; // 所在水体: the river's or lake's name
    WaterType water = WaterType::River;
    std::string waterClass;  // 水质目标: "I" to "V", or empty
    std::string item;        // 污染物: the standard's code (COD) or name (挥发酚), or empty
    std::string calculation; // 计算方法: the id of a table method, or empty
    // The texts of the method's fields as typed, in the method's order; the
    // target concentration only when it was typed.
    std::vector<std::pair<std::string, std::string>> fields;
    bool targetTyped = false;
    std::string load; // 现状入河量, t/a, as typed

    // The typed text of a field, or nullptr.
    const std::string *fieldText(std::string_view name) const;
    bool operator==(const ZoneRow &other) const;
    bool operator!=(const ZoneRow &other) const { return !(*this == other); }
};

// The calculations a row may use: every entry that declares a capacity and
// reads its fields from the form alone (no table of rows, no dialog), in
// catalogue order.
const std::vector<const Entry *> &tableMethods();
// The table method with this id, or nullptr.
const Entry *tableMethod(std::string_view id);

// The items of GB 3838-2002 table 1 a zone's capacity may be computed for:
// those with an upper limit in mg/L, each once, as the table writes them (its
// code where it has one: COD, NH3-N, TP, TN; else its name).
const std::vector<std::string> &tableItems();
// The text an item is written as in the table (COD for 化学需氧量 or cod),
// or nothing when the text names no such item.
std::optional<std::string> itemText(std::string_view typed);
// 河流 or 湖库.
std::string_view waterTypeText(WaterType water);

enum class ZoneState {
    Done,       // computed: capacity, limit, reduction and remaining capacity
    Incomplete, // something is still to be typed or chosen
    Failed,     // the calculation failed on the texts given
};

// What a row gives.
struct ZoneOutcome {
    ZoneState state = ZoneState::Incomplete;
    std::string status;           // 达标, 需削减, or the message of what is missing or failed
    const Entry *entry = nullptr; // the row's method, or nullptr
    // The target concentration the row is computed with: typed, or the
    // standard's limit as general decimal text; where the standard has none,
    // its message ("该项目对河流无标准限值").
    std::string target;
    bool targetFromStandard = false;
    bool targetMissing = false; // no target to compute with: target holds why, if anything
    std::optional<double> capacity, limit, load, reduction, remaining; // t/a
    std::string capacityText, limitText, reductionText, remainingText;
};

// The statuses of a computed row.
inline constexpr const char *meetsText = "达标";
inline constexpr const char *reduceText = "需削减";

// Computes one row on its own.
ZoneOutcome computeZone(const ZoneRow &row);

// The columns of the table, in order.
enum class ColumnKind {
    Number,     // 序号
    Zone,       // 水功能区
    WaterName,  // 所在水体
    WaterType,  // 水体类型
    WaterClass, // 水质目标
    Item,       // 污染物
    Method,     // 计算方法
    Field,      // one input field of the methods (a name and unit)
    Load,       // 现状入河量
    Capacity,   // 纳污能力 W
    Limit,      // 限排量
    Reduction,  // 需削减量
    Remaining,  // 剩余纳污能力
    Status,     // 状态
};

struct ZoneColumn {
    ColumnKind kind = ColumnKind::Zone;
    std::string caption; // the header's text
    std::string tooltip; // what the header's tooltip adds
    std::string field;   // of a field column: its name
    std::string unit;    // of a field column or a load or result: its unit

    // Whether the user types into the column (in some rows).
    bool editable() const;
    // Whether the column holds computed numbers.
    bool computed() const;
    // Whether two columns are the same column (the same kind, and the same
    // field name and unit for a field column).
    bool same(const ZoneColumn &other) const
    {
        return kind == other.kind && field == other.field && unit == other.unit;
    }
};

// The caption of a column that is not a field's.
std::string_view columnCaption(ColumnKind kind);

// The pattern the results of a row are written with.
inline constexpr const char *loadPattern = "#########0.000";

// Applies a text typed into a cell of a row, as the window, a paste and an
// import do. The row as it becomes; nothing, with the reason in error, for a
// text the column does not take (a class VI, a pollutant the standard does
// not limit, a field the row's method has not, a computed column). A choice
// from a list is written the table's way: "3", "Ⅲ类" and "iii" give "III",
// "氨氮" gives "NH3-N". A method changed keeps the fields the new method has
// under the same name and unit, and drops the others.
std::optional<ZoneRow> applyCell(const ZoneRow &row, const ZoneColumn &column, std::string_view text,
                                 std::string &error);

// The totals of the rows computed in full, by pollutant, and by water body
// and pollutant (tonnes of different pollutants are not added together).
struct TotalLine {
    std::string water; // the water body, for the lines by water body
    std::string item;  // the pollutant
    std::size_t zones = 0;
    double capacity = 0, limit = 0, load = 0, reduction = 0, remaining = 0;
};
struct Totals {
    std::vector<TotalLine> byItem;  // in the order the pollutants first appear
    std::vector<TotalLine> byWater; // in the order the water bodies first appear, each by pollutant
    std::size_t counted = 0;        // rows computed in full
    std::size_t notCounted = 0;     // rows not computed in full
};

// The texts of an unnamed water body and pollutant in the totals.
inline constexpr const char *unnamedWater = "（未填写水体）";
inline constexpr const char *unnamedItem = "（未填写污染物）";

// A table: its rows, each row's outcome, and the columns they need.
class ZoneTable {
public:
    ZoneTable();
    explicit ZoneTable(std::vector<ZoneRow> rows, std::string project = {});

    std::string project; // 项目名称

    std::size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    const std::vector<ZoneRow> &rows() const { return m_rows; }
    const ZoneRow &row(std::size_t i) const { return m_rows.at(i); }
    const ZoneOutcome &outcome(std::size_t i) const { return m_outcomes.at(i); }

    // Edits, each row computed again as it changes.
    void setRow(std::size_t i, ZoneRow row);
    void insert(std::size_t at, std::vector<ZoneRow> rows);
    void erase(std::size_t at, std::size_t count);

    // The columns, in order: the fixed ones, one per distinct field name and
    // unit among the methods the rows use (in catalogue order, captioned by
    // the first of those methods that has it), the load and the results.
    const std::vector<ZoneColumn> &columns() const { return m_columns; }
    // Where a column stands, or nothing.
    std::optional<std::size_t> columnIndex(const ZoneColumn &column) const;

    // The text a cell shows.
    std::string text(std::size_t row, const ZoneColumn &column) const;
    // The text a cell holds as typed: the empty text for a target filled
    // from the standard, and for a computed cell.
    std::string typedText(std::size_t row, const ZoneColumn &column) const;
    // Whether the row's method has the field of a field column (else the cell is greyed).
    bool hasField(std::size_t row, const ZoneColumn &column) const;
    // Whether the cell shows the target concentration filled from the standard.
    bool fromStandard(std::size_t row, const ZoneColumn &column) const;
    // The number a computed cell or the load holds, if any.
    std::optional<double> number(std::size_t row, const ZoneColumn &column) const;

    Totals totals() const;

    bool operator==(const ZoneTable &other) const { return project == other.project && m_rows == other.m_rows; }

private:
    void used(const ZoneOutcome &outcome, int change);
    void rebuildColumns();

    std::vector<ZoneRow> m_rows;
    std::vector<ZoneOutcome> m_outcomes;
    std::map<const Entry *, std::size_t> m_methodRows; // rows using each method
    std::vector<ZoneColumn> m_columns;
};

// The columns of a table whose rows use these methods.
std::vector<ZoneColumn> zoneColumns(const std::vector<const Entry *> &methods);

// The place of a column among all the columns any table may have: the
// columns of every table stand in this order.
std::size_t columnOrder(const ZoneColumn &column);

// Whether the field column stands for a field of this method.
bool columnOf(const Entry &method, const ZoneColumn &column);

} // namespace catalogue
