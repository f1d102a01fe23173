#include "casefile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace catalogue {

namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void bad(const std::string &reason)
{
    throw BadCaseFile(reason);
}

std::string named(std::string_view name)
{
    return "“" + std::string(name) + "”";
}

// Texts a window asks for in dialogs (a data file, a rate typed in an input
// box) are kept under "data", not as fields.
bool isField(const std::vector<const Entry *> &views, std::string_view name)
{
    for (const Entry *view : views)
        if (const Field *f = view->field(name); f && !f->dialog)
            return true;
    return false;
}

bool isOutput(const std::vector<const Entry *> &views, std::string_view name)
{
    for (const Entry *view : views)
        if (view->output(name))
            return true;
    return false;
}

// An object of texts, checked name by name.
TextList texts(const Json &root, const char *key, const std::string &calculation,
               const std::vector<const Entry *> &views,
               bool (*known)(const std::vector<const Entry *> &, std::string_view), const char *what)
{
    TextList list;
    const auto found = root.find(key);
    if (found == root.end())
        return list;
    if (!found->is_object())
        bad(named(key) + "的值不是对象");
    for (const auto &item : found->items()) {
        if (!item.value().is_string())
            bad(std::string(what) + named(item.key()) + "的值不是文本");
        if (!known(views, item.key()))
            bad("计算" + named(calculation) + "没有" + what + named(item.key()));
        list.emplace_back(item.key(), item.value().get<std::string>());
    }
    return list;
}

} // namespace

bool sideBySide(std::string_view window)
{
    const std::vector<const Entry *> views = entriesOf(window);
    if (views.size() < 2)
        return false;
    for (const Entry *view : views)
        if (!view->options.empty())
            return false;
    return true;
}

std::vector<const Entry *> CaseFile::entries() const
{
    if (const Entry *one = find(calculation))
        return {one};
    if (sideBySide(calculation))
        return entriesOf(calculation);
    return {};
}

std::string CaseFile::window() const
{
    const std::vector<const Entry *> views = entries();
    return views.empty() ? std::string() : views.front()->window;
}

const std::string *CaseFile::dataText(std::string_view name) const
{
    for (const auto &d : data)
        if (d.first == name)
            return &d.second;
    return nullptr;
}

const std::string *CaseFile::result(std::string_view name) const
{
    for (const auto &r : results)
        if (r.first == name)
            return &r.second;
    return nullptr;
}

Case CaseFile::toCase(const Entry &entry, const std::string &folder) const
{
    Case c = defaultCase(entry);
    for (const auto &f : fields)
        if (entry.field(f.first))
            c.setOwned(f.first, f.second);
    if (!rows.empty()) {
        std::vector<std::pair<std::string_view, std::string_view>> kept;
        for (const auto &f : c.fields)
            if (f.first.find('.') == std::string_view::npos)
                kept.push_back(f);
        c.fields = std::move(kept);
        for (const auto &group : rows)
            for (std::size_t i = 0; i < group.second.size(); ++i)
                c.setOwned(group.first + "." + std::to_string(i), group.second[i]);
    }
    if (hasData && keepsDialogFields(entry)) {
        for (const auto &[name, text] : data) {
            const Field *f = entry.field(name);
            if (!f)
                continue;
            std::filesystem::path file = std::filesystem::u8path(text);
            // A data file is found beside the case when its path is relative.
            if (f->kind == FieldKind::DataFile && !text.empty() && file.is_relative() && !folder.empty())
                c.setOwned(name, (std::filesystem::u8path(folder) / file).u8string());
            else
                c.setOwned(name, text);
        }
    }
    return c;
}

namespace {

// The JSON of a case file. A name given twice within one object is refused:
// the reader would keep the last and drop the first without a word. Every
// failure of the reader is a BadCaseFile.
Json parseJson(std::string_view bytes)
{
    std::vector<std::vector<std::string>> names; // of each object open, innermost last
    const Json::parser_callback_t noDuplicates = [&names](int, Json::parse_event_t event, Json &parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
            names.emplace_back();
            break;
        case Json::parse_event_t::object_end:
            names.pop_back();
            break;
        case Json::parse_event_t::key: {
            std::vector<std::string> &seen = names.back();
            const std::string &name = parsed.get_ref<const std::string &>();
            if (std::find(seen.begin(), seen.end(), name) != seen.end())
                bad("名称" + named(name) + "在同一对象中出现了两次");
            seen.push_back(name);
            break;
        }
        default:
            break;
        }
        return true;
    };
    try {
        return Json::parse(bytes.begin(), bytes.end(), noDuplicates);
    } catch (const Json::parse_error &error) {
        if (std::string_view(error.what()).find("UTF-8") != std::string_view::npos)
            bad("文件不是有效的 UTF-8 文本");
        bad("文件内容不是 JSON 格式");
    } catch (const Json::out_of_range &) {
        bad("文件中有超出数值范围的数"); // 1e400: beyond a double
    } catch (const Json::exception &) {
        bad("文件内容不是 JSON 格式");
    }
}

// The case in the JSON of its file.
CaseFile readCase(const Json &root)
{
    if (!root.is_object())
        bad("文件内容不是算例");

    const auto program = root.find("program");
    if (program == root.end() || !program->is_string() || program->get<std::string>() != caseProgram)
        bad("不是 Varnolek 的算例文件");
    const auto format = root.find("format");
    if (format == root.end() || !format->is_number_integer() || format->get<long long>() < 1)
        bad("算例格式版本无效");
    if (format->get<long long>() > caseFormat)
        bad("算例格式版本 " + std::to_string(format->get<long long>()) + " 比本程序所支持的新，请升级 Varnolek");

    CaseFile c;
    const auto calculation = root.find("calculation");
    if (calculation == root.end() || !calculation->is_string())
        bad("没有写明计算");
    c.calculation = calculation->get<std::string>();
    const std::vector<const Entry *> views = c.entries();
    if (views.empty())
        bad("未知的计算" + named(c.calculation));
    if (const auto project = root.find("project"); project != root.end()) {
        if (!project->is_string())
            bad(named("project") + "的值不是文本");
        c.project = project->get<std::string>();
    }
    if (const auto saved = root.find("saved"); saved != root.end()) {
        if (!saved->is_string())
            bad(named("saved") + "的值不是文本");
        c.saved = saved->get<std::string>();
    }
    c.fields = texts(root, "fields", c.calculation, views, isField, "字段");
    c.results = texts(root, "results", c.calculation, views, isOutput, "结果");

    if (const auto rows = root.find("rows"); rows != root.end()) {
        const Entry &view = *views.front();
        if (!rows->is_object())
            bad(named("rows") + "的值不是对象");
        if (view.groups.empty() && !rows->empty())
            bad("计算" + named(c.calculation) + "没有表格");
        for (const auto &item : rows->items()) {
            const Group *group = view.group(item.key());
            if (!group)
                bad("计算" + named(c.calculation) + "没有表格列" + named(item.key()));
            if (!item.value().is_array())
                bad("表格列" + named(item.key()) + "的值不是数组");
            std::vector<std::string> column;
            for (const Json &cell : item.value()) {
                if (!cell.is_string())
                    bad("表格列" + named(item.key()) + "中有不是文本的值");
                column.push_back(cell.get<std::string>());
            }
            if (column.empty() || int(column.size()) > group->maxRows)
                bad("表格列" + named(item.key()) + "的行数应在 1 到 " + std::to_string(group->maxRows) + " 之间");
            c.rows.emplace_back(item.key(), std::move(column));
        }
        for (const Group &group : view.groups) {
            bool present = false;
            for (const auto &column : c.rows)
                present = present || column.first == group.name;
            if (!rows->empty() && !present)
                bad("缺少表格列" + named(group.name));
        }
        for (const auto &column : c.rows)
            if (column.second.size() != c.rows.front().second.size())
                bad("表格各列的行数不同");
    }

    if (const auto data = root.find("data"); data != root.end()) {
        const Entry &view = *views.front();
        if (!keepsDialogFields(view))
            bad("计算" + named(c.calculation) + "没有资料文件");
        if (!data->is_object())
            bad(named("data") + "的值不是对象");
        for (const auto &item : data->items()) {
            const Field *f = view.field(item.key());
            if (!f || !f->dialog)
                bad("资料项" + named(item.key()) + "未知");
            if (!item.value().is_string())
                bad("资料项" + named(item.key()) + "的值不是文本");
        }
        c.hasData = true;
        for (const Field &f : view.fields)
            if (f.dialog)
                c.data.emplace_back(f.name, data->value(f.name, std::string()));
    }
    return c;
}

} // namespace

CaseFile parseCaseFile(std::string_view bytes)
{
    if (bytes.size() > maxCaseBytes)
        bad("文件大于 1 MB");
    const Json root = parseJson(bytes);
    try {
        return readCase(root);
    } catch (const Json::exception &) {
        // Each value's type is checked before it is read; should one slip
        // through, the file is still only a bad file.
        bad("文件内容不是算例");
    }
}

CaseFile readCaseFile(const std::string &path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(std::filesystem::u8path(path), error);
    if (error)
        bad("文件不存在或无法打开");
    if (size > maxCaseBytes)
        bad("文件大于 1 MB");
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    if (!in)
        bad("文件不存在或无法打开");
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parseCaseFile(bytes);
}

std::string caseFileText(const CaseFile &c)
{
    Json root;
    root["program"] = caseProgram;
    root["format"] = caseFormat;
    root["calculation"] = c.calculation;
    if (!c.project.empty())
        root["project"] = c.project;
    root["saved"] = c.saved;
    Json fields = Json::object();
    for (const auto &f : c.fields)
        fields[f.first] = f.second;
    root["fields"] = fields;
    Json results = Json::object();
    for (const auto &r : c.results)
        results[r.first] = r.second;
    root["results"] = results;
    if (!c.rows.empty()) {
        Json rows = Json::object();
        for (const auto &column : c.rows)
            rows[column.first] = column.second;
        root["rows"] = rows;
    }
    if (c.hasData) {
        Json data = Json::object();
        for (const auto &d : c.data)
            data[d.first] = d.second;
        root["data"] = data;
    }
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace catalogue
