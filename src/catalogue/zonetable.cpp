#include "zonetable.h"

#include "core/arithmetic.h"
#include "core/numbers.h"
#include "core/standards.h"

#include <algorithm>
#include <unordered_map>

namespace catalogue {

namespace {

namespace standards = varnolek::standards;

constexpr const char *chooseMethodText = "请选择计算方法";
constexpr const char *chooseItemText = "请选择污染物，以便按标准取水质目标浓度";
constexpr const char *chooseClassText = "请选择水质目标类别，以便按标准取水质目标浓度";
constexpr const char *typeTargetText = "，请输入水质目标浓度";
constexpr const char *loadMissingText = "请输入现状入河量";
constexpr const char *negativeLoadText = "现状入河量不能为负值";
constexpr const char *noCapacityText = "计算方法没有给出纳污能力";

// Every field a table method reads: its name and unit, in catalogue order,
// each pair once. A field column's place among the columns is its place here.
const std::vector<std::pair<std::string, std::string>> &allFieldColumns()
{
    static const std::vector<std::pair<std::string, std::string>> pairs = [] {
        std::vector<std::pair<std::string, std::string>> found;
        for (const Entry *method : tableMethods())
            for (const Field &f : method->fields) {
                const std::pair<std::string, std::string> pair{f.name, f.unit};
                if (std::find(found.begin(), found.end(), pair) == found.end())
                    found.push_back(pair);
            }
        return found;
    }();
    return pairs;
}

std::size_t methodOrder(const Entry *method)
{
    const std::vector<const Entry *> &all = tableMethods();
    return std::size_t(std::find(all.begin(), all.end(), method) - all.begin());
}

// The place of a field among a method's fields, for the order of a row's texts.
std::size_t fieldOrder(const Entry &method, std::string_view name)
{
    for (std::size_t i = 0; i < method.fields.size(); ++i)
        if (method.fields[i].name == name)
            return i;
    return method.fields.size();
}

// Sets (or, for the empty text, removes) a field's text, keeping the method's order.
void setFieldText(ZoneRow &row, const Entry &method, const std::string &name, std::string_view text)
{
    auto &fields = row.fields;
    const auto at = std::find_if(fields.begin(), fields.end(), [&](const auto &f) { return f.first == name; });
    if (text.empty()) {
        if (at != fields.end())
            fields.erase(at);
        return;
    }
    if (at != fields.end()) {
        at->second = std::string(text);
        return;
    }
    const std::size_t order = fieldOrder(method, name);
    const auto before =
        std::find_if(fields.begin(), fields.end(), [&](const auto &f) { return fieldOrder(method, f.first) > order; });
    fields.insert(before, {name, std::string(text)});
}

std::string formatted(double value, const Output &main)
{
    return varnolek::formatPattern(value, varnolek::Precision::Double,
                                   main.format == Format::Pattern ? std::string_view(main.pattern) : loadPattern);
}

const Field *tableField(const Entry &method, std::string_view name, std::string_view unit)
{
    const Field *f = method.field(name);
    return f && !f->dialog && f->unit == unit ? f : nullptr;
}

} // namespace

const std::string *ZoneRow::fieldText(std::string_view name) const
{
    for (const auto &f : fields)
        if (f.first == name)
            return &f.second;
    return nullptr;
}

bool ZoneRow::operator==(const ZoneRow &other) const
{
    return zone == other.zone && waterName == other.waterName && water == other.water &&
           waterClass == other.waterClass && item == other.item && calculation == other.calculation &&
           fields == other.fields && targetTyped == other.targetTyped && load == other.load;
}

const std::vector<const Entry *> &tableMethods()
{
    static const std::vector<const Entry *> methods = [] {
        std::vector<const Entry *> found;
        for (const Entry &e : entries())
            if (e.capacity != Capacity::None && e.groups.empty() && !keepsDialogFields(e))
                found.push_back(&e);
        return found;
    }();
    return methods;
}

const Entry *tableMethod(std::string_view id)
{
    for (const Entry *method : tableMethods())
        if (method->id == id)
            return method;
    return nullptr;
}

const std::vector<std::string> &tableItems()
{
    static const std::vector<std::string> items = [] {
        std::vector<std::string> found;
        for (const standards::Row &row : standards::table()) {
            // A concentration bounded from above, in the mg/L a target is typed in.
            if (row.sense != standards::Sense::AtMost || row.unit != "mg/L")
                continue;
            const std::string text(row.code.empty() ? row.name : row.code);
            if (std::find(found.begin(), found.end(), text) == found.end())
                found.push_back(text);
        }
        return found;
    }();
    return items;
}

std::optional<std::string> itemText(std::string_view typed)
{
    const std::optional<std::string_view> name = standards::findItem(typed);
    if (!name)
        return std::nullopt;
    for (standards::WaterBody body : {standards::WaterBody::River, standards::WaterBody::Lake})
        if (const standards::Row *row = standards::rowFor(*name, body))
            if (row->sense == standards::Sense::AtMost && row->unit == "mg/L")
                return std::string(row->code.empty() ? row->name : row->code);
    return std::nullopt;
}

std::string_view waterTypeText(WaterType water)
{
    return water == WaterType::River ? "河流" : "湖库";
}

ZoneOutcome computeZone(const ZoneRow &row)
{
    ZoneOutcome o;
    o.entry = tableMethod(row.calculation);
    if (!o.entry) {
        o.state = row.calculation.empty() ? ZoneState::Incomplete : ZoneState::Failed;
        o.status = row.calculation.empty() ? chooseMethodText : "未知的计算方法“" + row.calculation + "”";
        return o;
    }
    const Entry &method = *o.entry;

    // The target: as typed, else the standard's limit for the zone.
    if (!method.target.empty()) {
        if (const std::string *typed = row.targetTyped ? row.fieldText(method.target) : nullptr) {
            o.target = *typed;
        } else {
            o.targetFromStandard = true;
            const std::optional<std::string_view> item = standards::findItem(row.item);
            const std::optional<int> classIndex = standards::parseClass(row.waterClass);
            if (!item || !classIndex) {
                o.targetMissing = true;
                o.status = !item ? chooseItemText : chooseClassText;
                return o;
            }
            const standards::Limit limit = standards::limit(
                *item, row.water == WaterType::River ? standards::WaterBody::River : standards::WaterBody::Lake,
                *classIndex);
            if (!limit.value) {
                o.targetMissing = true;
                o.target = std::string(limit.message);
                o.status =
                    std::string(limit.message.empty() ? "标准中没有该项目的限值" : limit.message) + typeTargetText;
                return o;
            }
            const Field *target = method.field(method.target);
            if (target && target->unit != "mg/L") {
                o.targetMissing = true;
                o.status = "标准限值以 mg/L 计，与计算方法的目标浓度单位不同" + std::string(typeTargetText);
                return o;
            }
            o.target = varnolek::generalText(*limit.value);
        }
    }

    Case c;
    c.fields.reserve(method.fields.size());
    for (const Field &f : method.fields) {
        const std::string *text = row.fieldText(f.name);
        c.set(f.name, f.name == method.target ? std::string_view(o.target) : text ? std::string_view(*text) : "");
    }
    const Outcome outcome = evaluate(method, c);
    if (outcome.status != Status::Done) {
        o.state = outcome.status == Status::Incomplete ? ZoneState::Incomplete : ZoneState::Failed;
        o.status = outcome.message;
        return o;
    }
    const Output &main = method.main();
    const std::optional<double> w = outcome.result.number(main.name);
    const std::string *wText = outcome.result.text(main.name);
    if (!w || !wText) {
        o.state = ZoneState::Failed;
        o.status = noCapacityText;
        return o;
    }
    o.capacity = *w;
    o.capacityText = *wText;
    // A capacity below zero (the water comes in dirtier than its target)
    // leaves no room to discharge: the limit is nil, never negative.
    o.limit = std::max(0.0, *w);
    o.limitText = *w >= 0 ? *wText : formatted(0, main);
    if (row.load.empty()) {
        o.state = ZoneState::Incomplete;
        o.status = loadMissingText;
        return o;
    }
    try {
        const double load = varnolek::readNumber(row.load);
        if (load < 0) {
            o.state = ZoneState::Failed;
            o.status = negativeLoadText;
            return o;
        }
        // Both differences are of a non-negative number and a finite one: they cannot overflow.
        o.load = load;
        o.reduction = std::max(0.0, load - *o.limit);
        o.remaining = std::max(0.0, *w - load);
        o.reductionText = formatted(*o.reduction, main);
        o.remainingText = formatted(*o.remaining, main);
    } catch (const varnolek::CalcError &e) {
        o.load.reset();
        o.reduction.reset();
        o.remaining.reset();
        o.state = ZoneState::Failed;
        o.status = "现状入河量：" + varnolek::describe(e.kind());
        return o;
    }
    o.state = ZoneState::Done;
    o.status = *o.reduction > 0 ? reduceText : meetsText;
    return o;
}

bool ZoneColumn::editable() const
{
    switch (kind) {
    case ColumnKind::Number:
    case ColumnKind::Capacity:
    case ColumnKind::Limit:
    case ColumnKind::Reduction:
    case ColumnKind::Remaining:
    case ColumnKind::Status:
        return false;
    default:
        return true;
    }
}

bool ZoneColumn::computed() const
{
    return kind == ColumnKind::Capacity || kind == ColumnKind::Limit || kind == ColumnKind::Reduction ||
           kind == ColumnKind::Remaining;
}

std::string_view columnCaption(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Number:
        return "序号";
    case ColumnKind::Zone:
        return "水功能区";
    case ColumnKind::WaterName:
        return "所在水体";
    case ColumnKind::WaterType:
        return "水体类型";
    case ColumnKind::WaterClass:
        return "水质目标";
    case ColumnKind::Item:
        return "污染物";
    case ColumnKind::Method:
        return "计算方法";
    case ColumnKind::Field:
        return "";
    case ColumnKind::Load:
        return "现状入河量(t/a)";
    case ColumnKind::Capacity:
        return "纳污能力W(t/a)";
    case ColumnKind::Limit:
        return "限排量(t/a)";
    case ColumnKind::Reduction:
        return "需削减量(t/a)";
    case ColumnKind::Remaining:
        return "剩余纳污能力(t/a)";
    case ColumnKind::Status:
        return "状态";
    }
    return "";
}

std::size_t columnOrder(const ZoneColumn &column)
{
    const std::vector<std::pair<std::string, std::string>> &fields = allFieldColumns();
    const auto kind = std::size_t(column.kind);
    if (column.kind < ColumnKind::Field)
        return kind;
    if (column.kind > ColumnKind::Field)
        return kind - 1 + fields.size(); // after the field columns
    const std::pair<std::string, std::string> pair{column.field, column.unit};
    return std::size_t(ColumnKind::Field) + std::size_t(std::find(fields.begin(), fields.end(), pair) - fields.begin());
}

bool columnOf(const Entry &method, const ZoneColumn &column)
{
    return column.kind == ColumnKind::Field && tableField(method, column.field, column.unit);
}

std::vector<ZoneColumn> zoneColumns(const std::vector<const Entry *> &methods)
{
    std::vector<const Entry *> used = methods;
    std::sort(used.begin(), used.end(), [](const Entry *a, const Entry *b) { return methodOrder(a) < methodOrder(b); });
    std::vector<ZoneColumn> columns;
    auto fixed = [&columns](ColumnKind kind, const char *tooltip = "") {
        ZoneColumn c;
        c.kind = kind;
        c.caption = std::string(columnCaption(kind));
        c.tooltip = tooltip;
        if (kind == ColumnKind::Load || c.computed())
            c.unit = "t/a";
        columns.push_back(std::move(c));
    };
    fixed(ColumnKind::Number);
    fixed(ColumnKind::Zone);
    fixed(ColumnKind::WaterName, "河流或湖库的名称");
    fixed(ColumnKind::WaterType, "河流或湖库：按 GB 3838-2002 取标准限值时区分");
    fixed(ColumnKind::WaterClass, "GB 3838-2002 的水质类别 I 至 V");
    fixed(ColumnKind::Item, "GB 3838-2002 表1中的项目");
    fixed(ColumnKind::Method, "计算纳污能力或水环境容量的方法");
    for (const auto &[name, unit] : allFieldColumns()) {
        ZoneColumn c;
        c.kind = ColumnKind::Field;
        c.field = name;
        c.unit = unit;
        for (const Entry *method : used) {
            const Field *f = tableField(*method, name, unit);
            if (!f)
                continue;
            if (c.caption.empty())
                c.caption = f->label;
            c.tooltip += (c.tooltip.empty() ? "" : "\n") + titleOf(*method) + "：" + f->label;
        }
        if (!c.caption.empty()) {
            c.tooltip = name + (unit.empty() ? std::string() : "（" + unit + "）") + "\n" + c.tooltip;
            columns.push_back(std::move(c));
        }
    }
    fixed(ColumnKind::Load);
    fixed(ColumnKind::Capacity, "计算方法的主要结果：纳污能力或水环境容量");
    fixed(ColumnKind::Limit, "水功能区的限制排污总量：纳污能力，为负时取零");
    fixed(ColumnKind::Reduction, "max(0, 现状入河量 − 限排量)");
    fixed(ColumnKind::Remaining, "max(0, 纳污能力 − 现状入河量)");
    fixed(ColumnKind::Status);
    return columns;
}

std::optional<ZoneRow> applyCell(const ZoneRow &row, const ZoneColumn &column, std::string_view text,
                                 std::string &error)
{
    ZoneRow r = row;
    switch (column.kind) {
    case ColumnKind::Zone:
        r.zone = std::string(text);
        return r;
    case ColumnKind::WaterName:
        r.waterName = std::string(text);
        return r;
    case ColumnKind::WaterType:
        if (text == "河流" || text == "河道" || text == "river")
            r.water = WaterType::River;
        else if (text == "湖库" || text == "湖泊" || text == "水库" || text == "lake")
            r.water = WaterType::Lake;
        else {
            error = "水体类型应为“河流”或“湖库”";
            return std::nullopt;
        }
        return r;
    case ColumnKind::WaterClass:
        if (text.empty()) {
            r.waterClass.clear();
        } else if (const std::optional<int> k = standards::parseClass(text)) {
            r.waterClass = std::string(standards::className(*k));
        } else {
            error = "水质目标应为 I、II、III、IV 或 V 类，不是“" + std::string(text) + "”";
            return std::nullopt;
        }
        return r;
    case ColumnKind::Item:
        if (text.empty()) {
            r.item.clear();
        } else if (std::optional<std::string> item = itemText(text)) {
            r.item = std::move(*item);
        } else {
            error = "“" + std::string(text) + "”不是 GB 3838-2002 表1中有上限的污染物";
            return std::nullopt;
        }
        return r;
    case ColumnKind::Method: {
        const Entry *method = nullptr;
        for (const Entry *m : tableMethods())
            if (text == m->id || text == titleOf(*m))
                method = m;
        if (!method && !text.empty()) {
            error = "“" + std::string(text) + "”不是计算纳污能力的方法";
            return std::nullopt;
        }
        r.calculation = method ? method->id : std::string();
        r.fields.clear();
        r.targetTyped = false;
        if (!method)
            return r;
        const Entry *before = tableMethod(row.calculation);
        for (const auto &[name, value] : row.fields) {
            const Field *old = before ? before->field(name) : nullptr;
            if (old && tableField(*method, name, old->unit))
                setFieldText(r, *method, name, value);
        }
        r.targetTyped = !method->target.empty() && r.fieldText(method->target);
        return r;
    }
    case ColumnKind::Field: {
        const Entry *method = tableMethod(row.calculation);
        if (!method || !columnOf(*method, column)) {
            error = method ? "计算方法“" + method->id + "”没有参数“" + column.caption + "”"
                           : std::string("请先选择计算方法");
            return std::nullopt;
        }
        setFieldText(r, *method, column.field, text);
        if (column.field == method->target)
            r.targetTyped = !text.empty();
        return r;
    }
    case ColumnKind::Load:
        r.load = std::string(text);
        return r;
    default:
        error = "“" + column.caption + "”由计算得出，不能输入";
        return std::nullopt;
    }
}

ZoneTable::ZoneTable(std::vector<ZoneRow> rows, std::string projectName) : project(std::move(projectName))
{
    insert(0, std::move(rows));
}

ZoneTable::ZoneTable()
{
    rebuildColumns();
}

void ZoneTable::used(const ZoneOutcome &outcome, int change)
{
    if (!outcome.entry)
        return;
    std::size_t &count = m_methodRows[outcome.entry];
    count = std::size_t(std::ptrdiff_t(count) + change);
    if (count == 0)
        m_methodRows.erase(outcome.entry);
}

void ZoneTable::rebuildColumns()
{
    std::vector<const Entry *> methods;
    for (const auto &used : m_methodRows)
        methods.push_back(used.first);
    m_columns = zoneColumns(methods);
}

void ZoneTable::setRow(std::size_t i, ZoneRow row)
{
    const Entry *before = m_outcomes.at(i).entry;
    used(m_outcomes[i], -1);
    m_rows[i] = std::move(row);
    m_outcomes[i] = computeZone(m_rows[i]);
    used(m_outcomes[i], +1);
    // Another method may bring columns, take them away or give one another caption.
    if (before != m_outcomes[i].entry)
        rebuildColumns();
}

void ZoneTable::insert(std::size_t at, std::vector<ZoneRow> rows)
{
    at = std::min(at, m_rows.size());
    std::vector<ZoneOutcome> outcomes;
    outcomes.reserve(rows.size());
    for (const ZoneRow &row : rows) {
        outcomes.push_back(computeZone(row));
        used(outcomes.back(), +1);
    }
    m_rows.insert(m_rows.begin() + std::ptrdiff_t(at), std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    m_outcomes.insert(m_outcomes.begin() + std::ptrdiff_t(at), std::make_move_iterator(outcomes.begin()),
                      std::make_move_iterator(outcomes.end()));
    rebuildColumns();
}

void ZoneTable::erase(std::size_t at, std::size_t count)
{
    at = std::min(at, m_rows.size());
    count = std::min(count, m_rows.size() - at);
    for (std::size_t i = at; i < at + count; ++i)
        used(m_outcomes[i], -1);
    m_rows.erase(m_rows.begin() + std::ptrdiff_t(at), m_rows.begin() + std::ptrdiff_t(at + count));
    m_outcomes.erase(m_outcomes.begin() + std::ptrdiff_t(at), m_outcomes.begin() + std::ptrdiff_t(at + count));
    rebuildColumns();
}

std::optional<std::size_t> ZoneTable::columnIndex(const ZoneColumn &column) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].same(column))
            return i;
    return std::nullopt;
}

bool ZoneTable::hasField(std::size_t row, const ZoneColumn &column) const
{
    const Entry *method = m_outcomes.at(row).entry;
    return method && columnOf(*method, column);
}

bool ZoneTable::fromStandard(std::size_t row, const ZoneColumn &column) const
{
    const ZoneOutcome &o = m_outcomes.at(row);
    return column.kind == ColumnKind::Field && o.entry && o.targetFromStandard && column.field == o.entry->target &&
           hasField(row, column);
}

std::string ZoneTable::typedText(std::size_t i, const ZoneColumn &column) const
{
    const ZoneRow &r = m_rows.at(i);
    switch (column.kind) {
    case ColumnKind::Zone:
        return r.zone;
    case ColumnKind::WaterName:
        return r.waterName;
    case ColumnKind::WaterType:
        return std::string(waterTypeText(r.water));
    case ColumnKind::WaterClass:
        return r.waterClass;
    case ColumnKind::Item:
        return r.item;
    case ColumnKind::Method:
        return r.calculation;
    case ColumnKind::Field: {
        if (!hasField(i, column) || fromStandard(i, column))
            return {};
        const std::string *text = r.fieldText(column.field);
        return text ? *text : std::string();
    }
    case ColumnKind::Load:
        return r.load;
    default:
        return {};
    }
}

std::string ZoneTable::text(std::size_t i, const ZoneColumn &column) const
{
    const ZoneOutcome &o = m_outcomes.at(i);
    switch (column.kind) {
    case ColumnKind::Number:
        return std::to_string(i + 1);
    case ColumnKind::Field:
        if (fromStandard(i, column))
            return o.target;
        return typedText(i, column);
    case ColumnKind::Capacity:
        return o.capacityText;
    case ColumnKind::Limit:
        return o.limitText;
    case ColumnKind::Reduction:
        return o.reductionText;
    case ColumnKind::Remaining:
        return o.remainingText;
    case ColumnKind::Status:
        return o.status;
    default:
        return typedText(i, column);
    }
}

std::optional<double> ZoneTable::number(std::size_t i, const ZoneColumn &column) const
{
    const ZoneOutcome &o = m_outcomes.at(i);
    switch (column.kind) {
    case ColumnKind::Number:
        return double(i + 1);
    case ColumnKind::Capacity:
        return o.capacity;
    case ColumnKind::Limit:
        return o.limit;
    case ColumnKind::Reduction:
        return o.reduction;
    case ColumnKind::Remaining:
        return o.remaining;
    case ColumnKind::Field:
    case ColumnKind::Load: {
        const std::string shown = text(i, column);
        if (!varnolek::isWholeNumber(shown))
            return std::nullopt;
        try {
            return varnolek::readNumber(shown);
        } catch (const varnolek::CalcError &) {
            return std::nullopt;
        }
    }
    default:
        return std::nullopt;
    }
}

Totals ZoneTable::totals() const
{
    Totals t;
    std::unordered_map<std::string, std::size_t> items;
    std::map<std::pair<std::string, std::string>, std::size_t> waters;
    std::vector<std::string> waterOrder; // the water bodies as they first appear
    std::vector<TotalLine> byWater;
    auto add = [](TotalLine &line, const ZoneOutcome &o) {
        ++line.zones;
        line.capacity += *o.capacity;
        line.limit += *o.limit;
        line.load += *o.load;
        line.reduction += *o.reduction;
        line.remaining += *o.remaining;
    };
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const ZoneOutcome &o = m_outcomes[i];
        if (o.state != ZoneState::Done) {
            ++t.notCounted;
            continue;
        }
        ++t.counted;
        const std::string item = m_rows[i].item.empty() ? std::string(unnamedItem) : m_rows[i].item;
        const std::string water = m_rows[i].waterName.empty() ? std::string(unnamedWater) : m_rows[i].waterName;
        const auto [byItem, newItem] = items.emplace(item, t.byItem.size());
        if (newItem) {
            t.byItem.emplace_back();
            t.byItem.back().item = item;
        }
        add(t.byItem[byItem->second], o);
        const auto [byWaterAt, newWater] = waters.emplace(std::make_pair(water, item), byWater.size());
        if (newWater) {
            if (std::find(waterOrder.begin(), waterOrder.end(), water) == waterOrder.end())
                waterOrder.push_back(water);
            byWater.emplace_back();
            byWater.back().water = water;
            byWater.back().item = item;
        }
        add(byWater[byWaterAt->second], o);
    }
    // Each water body's pollutants together, the water bodies in the order they first appear.
    for (const std::string &water : waterOrder)
        for (const TotalLine &line : byWater)
            if (line.water == water)
                t.byWater.push_back(line);
    return t;
}

} // namespace catalogue
