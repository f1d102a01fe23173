#include "tableimport.h"

#include "delimited.h"
#include "textcodec.h"
#include "xlsxreader.h"

#include "catalogue/tablefile.h"
#include "core/arithmetic.h"
#include "core/numbers.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <unordered_map>

namespace spreadsheet {

namespace {

using catalogue::ColumnKind;
using catalogue::ZoneColumn;
using catalogue::ZoneRow;

[[noreturn]] void refuse(const std::string &why)
{
    throw BadSpreadsheet(why);
}

std::string quoted(std::string_view text)
{
    return "“" + std::string(text) + "”";
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A header's text as it is compared: without blanks (line breaks, full-width
// and no-break spaces too), with full-width brackets made ASCII, Latin
// letters in lower case: "现状入河量（t/a）" and "现状入河量 (T/A)" name one column.
std::string normalised(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        if (rest.substr(0, 3) == "\xE3\x80\x80") { // U+3000
            i += 3;
        } else if (rest.substr(0, 2) == "\xC2\xA0") { // U+00A0
            i += 2;
        } else if (rest.substr(0, 3) == "（") {
            out.push_back('(');
            i += 3;
        } else if (rest.substr(0, 3) == "）") {
            out.push_back(')');
            i += 3;
        } else {
            const char c = text[i++];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                continue;
            out.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
        }
    }
    return out;
}

// Every text a header may name each column by.
const std::unordered_map<std::string, std::vector<ZoneColumn>> &headerNames()
{
    static const std::unordered_map<std::string, std::vector<ZoneColumn>> names = [] {
        std::unordered_map<std::string, std::vector<ZoneColumn>> found;
        auto add = [&found](std::string_view text, const ZoneColumn &column) {
            std::vector<ZoneColumn> &columns = found[normalised(text)];
            if (std::none_of(columns.begin(), columns.end(), [&](const ZoneColumn &c) { return c.same(column); }))
                columns.push_back(column);
        };
        // The keys of the table file stand for its fixed columns.
        const std::map<ColumnKind, const char *> keys = {
            {ColumnKind::Zone, "zone"},       {ColumnKind::WaterName, "waterName"},
            {ColumnKind::WaterType, "water"}, {ColumnKind::WaterClass, "class"},
            {ColumnKind::Item, "item"},       {ColumnKind::Method, "calculation"},
            {ColumnKind::Load, "load"}};
        for (const ZoneColumn &column : catalogue::zoneColumns(catalogue::tableMethods())) {
            if (column.kind != ColumnKind::Field) {
                add(column.caption, column);
                // A caption also without its unit: 现状入河量 for 现状入河量(t/a).
                const std::size_t open = column.caption.rfind('(');
                if (open != std::string::npos && open > 0)
                    add(column.caption.substr(0, open), column);
                if (const auto key = keys.find(column.kind); key != keys.end())
                    add(key->second, column);
                continue;
            }
            // A field by the label of any method that has it, by its name, and by its name and unit.
            add(column.field, column);
            add(column.field + "(" + column.unit + ")", column);
            for (const catalogue::Entry *method : catalogue::tableMethods())
                if (catalogue::columnOf(*method, column))
                    add(method->field(column.field)->label, column);
        }
        return found;
    }();
    return names;
}

// Of the columns a header names, the one a row takes: its method's field.
const ZoneColumn &columnFor(const ZoneRow &row, const std::vector<ZoneColumn> &columns)
{
    if (columns.size() > 1)
        if (const catalogue::Entry *method = catalogue::tableMethod(row.calculation))
            for (const ZoneColumn &column : columns)
                if (catalogue::columnOf(*method, column))
                    return column;
    return columns.front();
}

bool isTarget(const ZoneRow &row, const ZoneColumn &column)
{
    const catalogue::Entry *method = catalogue::tableMethod(row.calculation);
    return column.kind == ColumnKind::Field && method && column.field == method->target;
}

// Texts put into the cells of one row, applied in the order of the columns,
// so that the method comes before its fields whatever the sheet's order.
struct Put {
    const std::vector<ZoneColumn> *columns;
    std::string_view text;
    std::string_view name; // of the column, for a message: the header's text or the caption
};

// Applies the texts of a row; the reasons of the cells it does not take go to
// lines (the first listedLimit of them) and count. Whether anything was given.
bool applyRow(ZoneRow &row, std::vector<Put> &puts, std::size_t number, std::size_t &ignored,
              std::vector<std::string> &lines, std::size_t &count)
{
    std::stable_sort(puts.begin(), puts.end(), [](const Put &a, const Put &b) {
        return catalogue::columnOrder(a.columns->front()) < catalogue::columnOrder(b.columns->front());
    });
    bool given = false, target = false;
    for (const Put &put : puts) {
        const std::string_view text = trimmed(put.text);
        const ZoneColumn &first = put.columns->front();
        if (!first.editable()) {
            ignored += !text.empty();
            continue;
        }
        given |= !text.empty();
        const ZoneColumn &column = columnFor(row, *put.columns);
        const catalogue::Entry *method = catalogue::tableMethod(row.calculation);
        // Every zone lies in a river or a lake, and a greyed cell has nothing to empty.
        if (text.empty() && (column.kind == ColumnKind::WaterType ||
                             (column.kind == ColumnKind::Field && (!method || !catalogue::columnOf(*method, column)))))
            continue;
        std::string why;
        if (std::optional<ZoneRow> next = catalogue::applyCell(row, column, text, why)) {
            target |= isTarget(*next, column);
            row = std::move(*next);
        } else if (count++ < listedLimit) {
            lines.push_back("第 " + std::to_string(number) + " 行" + quoted(put.name) + "：" + why);
        }
    }
    if (target)
        settleTarget(row);
    return given;
}

std::string readBytes(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path file = std::filesystem::u8path(path);
    if (std::filesystem::is_directory(file, error))
        refuse("这是文件夹，不是文件");
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        refuse("文件不存在或无法打开");
    if (size > catalogue::maxTableBytes)
        refuse("文件大于 64 MB");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        refuse("文件不存在或无法打开");
    std::string bytes;
    bytes.reserve(std::size_t(size));
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bytes.size() > catalogue::maxTableBytes)
        refuse("文件大于 64 MB");
    return bytes;
}

bool endsWithNoCase(std::string_view text, std::string_view end)
{
    if (text.size() < end.size())
        return false;
    return normalised(text.substr(text.size() - end.size())) == end;
}

} // namespace

std::optional<std::vector<ZoneColumn>> namedColumns(std::string_view header)
{
    const auto found = headerNames().find(normalised(header));
    if (found == headerNames().end() || normalised(header).empty())
        return std::nullopt;
    return found->second;
}

void settleTarget(ZoneRow &row)
{
    const catalogue::Entry *method = catalogue::tableMethod(row.calculation);
    if (!method || method->target.empty() || !row.targetTyped)
        return;
    const std::string *typed = row.fieldText(method->target);
    if (!typed)
        return;
    ZoneRow standard = row;
    standard.fields.erase(std::find_if(standard.fields.begin(), standard.fields.end(),
                                       [&](const auto &f) { return f.first == method->target; }));
    standard.targetTyped = false;
    const catalogue::ZoneOutcome o = catalogue::computeZone(standard);
    if (!o.targetFromStandard || o.target.empty())
        return;
    bool same = *typed == o.target;
    if (!same && !o.targetMissing && varnolek::isWholeNumber(*typed)) {
        try {
            same = varnolek::readNumber(*typed) == varnolek::readNumber(o.target);
        } catch (const varnolek::CalcError &) {
            same = false;
        }
    }
    if (same)
        row = std::move(standard);
}

std::string refusalText(const std::string &head, const std::vector<std::string> &lines, std::size_t total)
{
    std::string text = head;
    for (const std::string &line : lines)
        text += "\n" + line;
    if (total > lines.size())
        text += "\n……另有 " + std::to_string(total - lines.size()) + " 处";
    return text;
}

Imported importSheet(const Sheet &sheet)
{
    if (sheet.rows.empty())
        refuse("文件中没有数据");
    const SheetRow &header = sheet.rows.front();
    struct Named {
        std::size_t column;
        std::string text;
        std::vector<ZoneColumn> columns;
    };
    std::vector<Named> named;
    Imported imported;
    bool typed = false;
    for (const auto &[column, text] : header.cells) {
        std::optional<std::vector<ZoneColumn>> columns = namedColumns(text);
        if (!columns) {
            imported.unknownColumns.emplace_back(trimmed(text));
            continue;
        }
        for (const Named &other : named)
            if (other.columns.size() == columns->size() &&
                std::equal(other.columns.begin(), other.columns.end(), columns->begin(),
                           [](const ZoneColumn &a, const ZoneColumn &b) { return a.same(b); }))
                refuse("表头中" + quoted(trimmed(other.text)) + "与" + quoted(trimmed(text)) + "是同一列");
        typed |= columns->front().editable();
        named.push_back({column, std::string(trimmed(text)), std::move(*columns)});
    }
    if (!typed)
        refuse("第 " + std::to_string(header.number) +
               " 行不是计算表的表头：没有一列是计算表的列（如“水功能区”“污染物”“计算方法”）");

    std::vector<ZoneRow> rows;
    std::vector<std::string> lines;
    std::size_t count = 0, ignored = 0;
    std::vector<Put> puts;
    for (std::size_t i = 1; i < sheet.rows.size(); ++i) {
        const SheetRow &cells = sheet.rows[i];
        puts.clear();
        for (const Named &n : named)
            if (const std::string *text = cells.at(n.column))
                puts.push_back({&n.columns, *text, n.text});
        ZoneRow row;
        // A row with nothing in the table's own columns (a note, a total) is no zone.
        if (applyRow(row, puts, cells.number, ignored, lines, count))
            rows.push_back(std::move(row));
    }
    if (count > 0)
        refuse(refusalText("以下 " + std::to_string(count) + " 个单元格计算表不能接受：", lines, count));
    if (rows.empty())
        refuse("表头之下没有水功能区");
    if (rows.size() > catalogue::maxTableRows)
        refuse("表格超过 " + std::to_string(catalogue::maxTableRows) + " 行");
    imported.table = catalogue::ZoneTable(std::move(rows), sheet.title);
    return imported;
}

std::optional<FileKind> fileKind(std::string_view path)
{
    if (endsWithNoCase(path, ".xlsx"))
        return FileKind::Xlsx;
    if (endsWithNoCase(path, ".csv"))
        return FileKind::Csv;
    return std::nullopt;
}

Imported importFile(const std::string &path)
{
    const std::optional<FileKind> kind = fileKind(path);
    if (!kind) {
        if (endsWithNoCase(path, ".xls") || endsWithNoCase(path, ".et"))
            refuse("只能导入 .xlsx 或 .csv 文件，请先在 Excel 或 WPS 中将其另存为 .xlsx 工作簿");
        refuse("只能导入 .xlsx 或 .csv 文件");
    }
    if (*kind == FileKind::Xlsx) {
        std::error_code error;
        const std::filesystem::path file = std::filesystem::u8path(path);
        if (std::filesystem::is_directory(file, error))
            refuse("这是文件夹，不是文件");
        if (!std::filesystem::exists(file, error))
            refuse("文件不存在或无法打开");
        return importSheet(readXlsxFile(path));
    }
    const std::string text = utf8Text(readBytes(path));
    // A file of tabs and no commas is tab-separated, as Excel's "Unicode text" is.
    const std::string_view first = std::string_view(text).substr(0, text.find('\n'));
    const char delimiter =
        first.find('\t') != std::string_view::npos && first.find(',') == std::string_view::npos ? '\t' : ',';
    return importSheet(readDelimited(text, delimiter));
}

Paste planPaste(const catalogue::ZoneTable &table, const Sheet &block, const PasteTarget &target)
{
    Paste paste;
    if (block.height == 0)
        return paste;
    std::vector<const SheetRow *> byNumber(block.height + 1, nullptr);
    for (const SheetRow &row : block.rows)
        byNumber[row.number] = &row;
    const std::string empty;
    auto textAt = [&](std::size_t number, std::size_t column) -> const std::string & {
        const SheetRow *row = byNumber[number];
        const std::string *text = row ? row->at(column) : nullptr;
        return text ? *text : empty;
    };

    // The texts each row of the table is given.
    std::map<std::size_t, std::vector<Put>> puts;
    std::vector<std::vector<ZoneColumn>> single; // one column each, for the puts to point at
    const std::vector<ZoneColumn> &columns = table.columns();
    single.reserve(columns.size());
    for (const ZoneColumn &column : columns)
        single.push_back({column});

    std::vector<std::optional<std::vector<ZoneColumn>>> named(block.width);
    bool byCaption = block.height > 1 && byNumber[1];
    if (byCaption)
        for (const auto &[column, text] : byNumber[1]->cells)
            if (!(named[column] = namedColumns(text)))
                byCaption = false;
    std::vector<std::string> headerTexts(block.width);
    if (block.height == 1 && block.width == 1 && target.selected.size() > 1) {
        // One text into every cell selected.
        for (const auto &[r, c] : target.selected)
            if (r < table.size() && c < columns.size())
                puts[r].push_back({&single[c], textAt(1, 0), columns[c].caption});
    } else if (byCaption) {
        paste.byCaption = true;
        for (std::size_t c = 0; c < block.width; ++c)
            if (const std::string *text = byNumber[1]->at(c))
                headerTexts[c] = std::string(trimmed(*text));
        for (std::size_t n = 2; n <= block.height; ++n)
            for (std::size_t c = 0; c < block.width; ++c)
                if (named[c])
                    puts[target.row + n - 2].push_back({&*named[c], textAt(n, c), headerTexts[c]});
    } else {
        for (std::size_t n = 1; n <= block.height; ++n) {
            const std::size_t r = target.row + n - 1;
            for (std::size_t j = 0; j < block.width; ++j) {
                const std::size_t c = target.column + j;
                const std::string &text = textAt(n, j);
                if (c < columns.size()) {
                    puts[r].push_back({&single[c], text, columns[c].caption});
                } else if (!trimmed(text).empty() && paste.refusedCount++ < listedLimit) {
                    paste.refused.push_back("第 " + std::to_string(r + 1) + " 行" + "：" + quoted(trimmed(text)) +
                                            "超出计算表的最后一列");
                }
            }
        }
    }
    if (puts.empty())
        return paste;

    const std::size_t last = puts.rbegin()->first;
    if (last >= catalogue::maxTableRows) {
        paste.refused.push_back("粘贴后计算表将超过 " + std::to_string(catalogue::maxTableRows) + " 行");
        ++paste.refusedCount;
        return paste;
    }
    if (last >= table.size())
        paste.added.resize(last + 1 - table.size());
    paste.rows = puts.size();
    for (auto &[r, given] : puts) {
        ZoneRow row = r < table.size() ? table.row(r) : ZoneRow();
        applyRow(row, given, r + 1, paste.ignored, paste.refused, paste.refusedCount);
        if (r >= table.size())
            paste.added[r - table.size()] = std::move(row);
        else if (row != table.row(r))
            paste.changed.emplace_back(r, std::move(row));
    }
    if (paste.refusedCount > 0) {
        paste.changed.clear();
        paste.added.clear();
    }
    return paste;
}

} // namespace spreadsheet
