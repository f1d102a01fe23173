#include "tablefile.h"

#include "core/standards.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_set>

namespace catalogue {

namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void bad(const std::string &reason)
{
    throw BadTableFile(reason);
}

std::string named(std::string_view name)
{
    return "“" + std::string(name) + "”";
}

// The keys of a row, as the writer writes them.
constexpr std::string_view rowKeys[] = {"zone",        "waterName", "water",       "class", "item",
                                        "calculation", "fields",    "targetTyped", "load"};

// Reads the file with the parser's event interface (SAX), straight into the
// rows: no tree of the whole file is built, so memory stays near the size of
// the table itself, and a value of the wrong kind is refused where it stands.
class TableReader {
public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    explicit TableReader(std::size_t size) : m_size(size) {}

    ZoneTable finish()
    {
        if (m_at != At::End)
            bad("文件内容不是 JSON 格式");
        checkHead(true);
        if (!m_rowsSeen)
            bad("没有表格行" + named("rows"));
        return ZoneTable(std::move(m_rows), std::move(m_project));
    }

    bool null() { return scalar("空值"); }
    bool boolean(bool value)
    {
        if (m_at == At::Row && m_key == "targetTyped") {
            m_targetTyped = value;
            return true;
        }
        return scalar("真假值");
    }
    bool number_integer(number_integer_t value) { return whole(value < 0 ? -1 : value); }
    bool number_unsigned(number_unsigned_t value)
    {
        return whole(value > number_unsigned_t(1) << 62 ? std::int64_t(1) << 62 : std::int64_t(value));
    }
    bool number_float(number_float_t, const string_t &) { return scalar("数"); }
    bool binary(binary_t &) { return scalar("二进制数据"); }

    bool string(string_t &value)
    {
        if (m_skip > 0 || (m_at == At::Root && !known(m_key)))
            return true;
        switch (m_at) {
        case At::Root:
            if (m_key == "program") {
                if (value != "Varnolek")
                    bad("不是 Varnolek 的计算表文件");
                m_program = true;
            } else if (m_key == "kind") {
                if (value != tableKind)
                    bad(value == "case" ? "这是算例文件，不是计算表文件" : "不是 Varnolek 的计算表文件");
                m_kind = true;
            } else if (m_key == "project") {
                m_project = std::move(value);
            } else if (m_key == "format") {
                bad("计算表格式版本无效");
            } else {
                wrongType("文本");
            }
            return true;
        case At::Row:
            if (m_key == "fields" || m_key == "targetTyped")
                wrongType("文本");
            rowText(m_key) = std::move(value);
            return true;
        case At::Fields:
            m_fields.emplace_back(m_key, std::move(value));
            return true;
        default:
            return scalar("文本");
        }
    }

    bool start_object(std::size_t)
    {
        if (m_skip > 0 || (m_at == At::Root && !known(m_key))) {
            ++m_skip;
            return true;
        }
        switch (m_at) {
        case At::Outside:
            m_at = At::Root;
            return true;
        case At::Rows:
            if (m_rows.size() == maxTableRows)
                bad("表格超过 " + std::to_string(maxTableRows) + " 行");
            m_at = At::Row;
            m_row = ZoneRow();
            m_fields.clear();
            m_rowKeys.clear();
            m_targetTyped.reset();
            m_water.clear();
            m_waterClass.clear();
            m_item.clear();
            return true;
        case At::Row:
            if (m_key != "fields")
                wrongType("对象");
            m_at = At::Fields;
            m_fieldNames.clear();
            return true;
        default:
            return scalar("对象");
        }
    }

    bool key(string_t &name)
    {
        if (m_skip > 0)
            return true;
        switch (m_at) {
        case At::Root:
            once(m_rootKeys, name);
            break;
        case At::Row:
            if (std::find(std::begin(rowKeys), std::end(rowKeys), name) == std::end(rowKeys))
                bad(rowName() + "有未知的项" + named(name));
            once(m_rowKeys, name);
            break;
        case At::Fields:
            if (!m_fieldNames.insert(name).second)
                bad(rowName() + "的字段" + named(name) + "在同一对象中出现了两次");
            break;
        default:
            break;
        }
        m_key = std::move(name);
        return true;
    }

    bool end_object()
    {
        if (m_skip > 0) {
            --m_skip;
            return true;
        }
        switch (m_at) {
        case At::Root:
            m_at = At::End;
            break;
        case At::Row:
            finishRow();
            m_at = At::Rows;
            break;
        case At::Fields:
            m_at = At::Row;
            break;
        default:
            break;
        }
        return true;
    }

    bool start_array(std::size_t)
    {
        if (m_skip > 0 || (m_at == At::Root && !known(m_key))) {
            ++m_skip;
            return true;
        }
        if (m_at == At::Root && m_key == "rows") {
            // The head decides what the file is before its rows are judged.
            checkHead(false);
            m_at = At::Rows;
            m_rowsSeen = true;
            return true;
        }
        if (m_at == At::Root || m_at == At::Row)
            wrongType("数组");
        return scalar("数组");
    }

    bool end_array()
    {
        if (m_skip > 0) {
            --m_skip;
            return true;
        }
        m_at = At::Root;
        return true;
    }

    bool parse_error(std::size_t position, const std::string &, const nlohmann::detail::exception &error)
    {
        const std::string_view what = error.what();
        // A file cut short, perhaps within a character, ends before its table does.
        if (position >= m_size || what.find("unexpected end of input") != std::string_view::npos)
            bad("文件不完整，在第 " + std::to_string(m_size + 1) + " 个字节处中断");
        if (what.find("UTF-8") != std::string_view::npos)
            bad("文件不是有效的 UTF-8 文本（第 " + std::to_string(position) + " 个字节处）");
        if (error.id == 406)
            bad("文件中有超出数值范围的数"); // 1e400: beyond a double
        bad("文件内容不是 JSON 格式（第 " + std::to_string(position) + " 个字节处）");
    }

private:
    enum class At { Outside, Root, Rows, Row, Fields, End };

    static bool known(const std::string &rootKey)
    {
        return rootKey == "program" || rootKey == "format" || rootKey == "kind" || rootKey == "project" ||
               rootKey == "rows";
    }

    std::string rowName() const { return "第 " + std::to_string(m_rows.size() + 1) + " 行"; }

    [[noreturn]] void wrongType(const char *) const
    {
        if (m_at == At::Root)
            bad(named(m_key) + (m_key == "rows" ? "的值不是数组" : "的值不是文本"));
        if (m_at == At::Fields)
            bad(rowName() + "的字段" + named(m_key) + "的值不是文本");
        if (m_key == "fields")
            bad(rowName() + "的" + named("fields") + "的值不是对象");
        if (m_key == "targetTyped")
            bad(rowName() + "的" + named("targetTyped") + "的值不是真假值");
        bad(rowName() + "的" + named(m_key) + "的值不是文本");
    }

    // A value of a kind that has no place where it stands.
    bool scalar(const char *kind)
    {
        if (m_skip > 0 || (m_at == At::Root && !known(m_key)))
            return true;
        switch (m_at) {
        case At::Outside:
            bad("文件内容不是计算表");
        case At::Rows:
            bad(rowName() + "不是对象");
        case At::Root:
            if (m_key == "format")
                bad("计算表格式版本无效");
            wrongType(kind);
        case At::Row:
        case At::Fields:
            wrongType(kind);
        default:
            bad("文件内容不是计算表");
        }
    }

    bool whole(std::int64_t value)
    {
        if (m_at == At::Root && m_key == "format" && m_skip == 0) {
            if (value < 1)
                bad("计算表格式版本无效");
            if (value > tableFormat)
                bad("计算表格式版本 " + std::to_string(value) + " 比本程序所支持的新，请升级 Varnolek");
            m_format = true;
            return true;
        }
        return scalar("数");
    }

    void once(std::vector<std::string> &seen, const std::string &name) const
    {
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            bad((m_at == At::Row ? rowName() + "的项" : std::string("名称")) + named(name) + "在同一对象中出现了两次");
        seen.push_back(name);
    }

    void checkHead(bool atEnd) const
    {
        if (!m_program && (atEnd || m_kind || m_format))
            bad("不是 Varnolek 的计算表文件");
        if (!m_kind && (atEnd || m_program))
            bad("不是 Varnolek 的计算表文件");
        if (!m_format && (atEnd || (m_program && m_kind)))
            bad("计算表格式版本无效");
    }

    std::string &rowText(const std::string &key)
    {
        if (key == "zone")
            return m_row.zone;
        if (key == "waterName")
            return m_row.waterName;
        if (key == "water")
            return m_water;
        if (key == "class")
            return m_waterClass;
        if (key == "item")
            return m_item;
        if (key == "calculation")
            return m_row.calculation;
        return m_row.load;
    }

    void finishRow()
    {
        const std::string row = rowName();
        if (m_water.empty() && std::find(m_rowKeys.begin(), m_rowKeys.end(), "water") == m_rowKeys.end())
            m_water = waterTypeKey(WaterType::River);
        if (m_water == waterTypeKey(WaterType::River))
            m_row.water = WaterType::River;
        else if (m_water == waterTypeKey(WaterType::Lake))
            m_row.water = WaterType::Lake;
        else
            bad(row + "的" + named("water") + "应为 river 或 lake，不是" + named(m_water));
        if (!m_waterClass.empty()) {
            const std::optional<int> k = varnolek::standards::parseClass(m_waterClass);
            if (!k)
                bad(row + "的水质目标" + named(m_waterClass) + "不是 I 至 V 类");
            m_row.waterClass = std::string(varnolek::standards::className(*k));
        }
        if (!m_item.empty()) {
            std::optional<std::string> item = itemText(m_item);
            if (!item)
                bad(row + "的污染物" + named(m_item) + "不是 GB 3838-2002 表1中有上限的项目");
            m_row.item = std::move(*item);
        }
        const Entry *method = nullptr;
        if (!m_row.calculation.empty()) {
            method = tableMethod(m_row.calculation);
            if (!method)
                bad(row + "的计算方法" + named(m_row.calculation) + "不是计算纳污能力的方法");
        }
        for (auto &[name, text] : m_fields) {
            const Field *f = method ? method->field(name) : nullptr;
            if (!f || f->dialog)
                bad(method ? row + "：计算方法" + named(method->id) + "没有字段" + named(name)
                           : row + "没有计算方法，却有字段" + named(name));
        }
        // The fields in the order of the method's form.
        if (method) {
            auto order = [method](const std::string &name) {
                return std::find_if(method->fields.begin(), method->fields.end(),
                                    [&](const Field &f) { return f.name == name; }) -
                       method->fields.begin();
            };
            std::stable_sort(m_fields.begin(), m_fields.end(),
                             [&](const auto &a, const auto &b) { return order(a.first) < order(b.first); });
        }
        m_row.fields = std::move(m_fields);
        m_fields = {};
        const bool hasTarget = method && !method->target.empty() && m_row.fieldText(method->target);
        if (m_targetTyped && *m_targetTyped != hasTarget)
            bad(row + "的" + named("targetTyped") +
                (hasTarget ? "为 false，但 fields 中有水质目标浓度" : "为 true，但 fields 中没有水质目标浓度"));
        m_row.targetTyped = hasTarget;
        m_rows.push_back(std::move(m_row));
    }

    std::size_t m_size; // of the file, in bytes
    At m_at = At::Outside;
    int m_skip = 0; // depth within a value of an unknown key of the file's head, which is passed over
    std::string m_key;
    std::vector<std::string> m_rootKeys;
    bool m_program = false, m_kind = false, m_format = false, m_rowsSeen = false;
    std::string m_project;
    std::vector<ZoneRow> m_rows;

    // The row being read.
    ZoneRow m_row;
    std::vector<std::string> m_rowKeys;
    std::vector<std::pair<std::string, std::string>> m_fields;
    std::unordered_set<std::string> m_fieldNames;
    std::optional<bool> m_targetTyped;
    std::string m_water, m_waterClass, m_item;
};

} // namespace

std::string_view waterTypeKey(WaterType water)
{
    return water == WaterType::River ? "river" : "lake";
}

ZoneTable parseTableFile(std::string_view bytes)
{
    if (bytes.size() > maxTableBytes)
        bad("文件大于 64 MB");
    TableReader reader(bytes.size());
    try {
        Json::sax_parse(bytes.begin(), bytes.end(), &reader);
    } catch (const Json::exception &) {
        // The reader turns every failure of the parser into a reason; should
        // one slip through, the file is still only a bad file.
        bad("文件内容不是 JSON 格式");
    }
    return reader.finish();
}

ZoneTable readTableFile(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path file = std::filesystem::u8path(path);
    if (std::filesystem::is_directory(file, error))
        bad("这是文件夹，不是文件");
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        bad("文件不存在或无法打开");
    if (size > maxTableBytes)
        bad("文件大于 64 MB");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        bad("文件不存在或无法打开");
    std::string bytes;
    bytes.reserve(std::size_t(size));
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    // A file that grew while it was read is judged by what was read, up to the bound.
    return parseTableFile(bytes);
}

std::string tableFileText(const ZoneTable &table)
{
    auto text = [](const std::string &s) { return Json(s).dump(-1, ' ', false, Json::error_handler_t::replace); };
    std::string out = "{\n  \"program\": \"Varnolek\",\n  \"format\": " + std::to_string(tableFormat) +
                      ",\n  \"kind\": \"" + tableKind + "\",\n  \"project\": " + text(table.project) +
                      ",\n  \"rows\": [";
    bool first = true;
    for (const ZoneRow &row : table.rows()) {
        Json r;
        r["zone"] = row.zone;
        r["waterName"] = row.waterName;
        r["water"] = std::string(waterTypeKey(row.water));
        r["class"] = row.waterClass;
        r["item"] = row.item;
        r["calculation"] = row.calculation;
        Json fields = Json::object();
        for (const auto &[name, value] : row.fields)
            fields[name] = value;
        r["fields"] = std::move(fields);
        r["targetTyped"] = row.targetTyped;
        r["load"] = row.load;
        out += first ? "\n    " : ",\n    ";
        out += r.dump(-1, ' ', false, Json::error_handler_t::replace);
        first = false;
    }
    out += first ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

} // namespace catalogue
