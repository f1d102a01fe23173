#include "tableexport.h"

#include "delimited.h"
#include "textcodec.h"

#include "core/arithmetic.h"
#include "core/numbers.h"
#include "varnolek/version.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

namespace spreadsheet {

namespace {

using catalogue::ColumnKind;
using catalogue::ZoneColumn;

// A column's width in Excel's units (the width of a digit): a Chinese
// character takes two. Each column is fitted to its texts within bounds.
constexpr double narrowest = 6, widest = 48;
// A caption wider than this wraps onto more lines, as the window's header does.
constexpr double widestCaption = 18;
constexpr double lineHeight = 15; // points, of a row of Excel's default font

double displayWidth(std::string_view text)
{
    double width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            width += 1;
        else if (byte >= 0xC0)
            width += byte >= 0xE0 ? 2 : 1; // the lead byte of a character: CJK from U+0800 on
    }
    return width;
}

// Where a number's text stops being its digits: its decimals are counted up to here.
int decimalsOf(std::string_view text)
{
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos)
        return 0;
    int decimals = 0;
    for (std::size_t i = point + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        ++decimals;
    return decimals;
}

bool hasExponent(std::string_view text)
{
    return text.find_first_of("eE") != std::string_view::npos;
}

// The number a cell shows, if its text is a number and nothing else.
std::optional<double> shownNumber(std::string_view text)
{
    if (!varnolek::isWholeNumber(text))
        return std::nullopt;
    try {
        return varnolek::readNumber(text);
    } catch (const varnolek::CalcError &) {
        return std::nullopt;
    }
}

bool isTextColumn(ColumnKind kind)
{
    return kind == ColumnKind::Zone || kind == ColumnKind::WaterName || kind == ColumnKind::WaterType ||
           kind == ColumnKind::WaterClass || kind == ColumnKind::Item || kind == ColumnKind::Method ||
           kind == ColumnKind::Status;
}

// The formats of a workbook, made once each: a number format of so many
// decimals ("0.000"), or the general one, upright or in italics.
class Formats {
public:
    explicit Formats(lxw_workbook *book) : m_book(book)
    {
        header = workbook_add_format(book);
        format_set_bold(header);
        format_set_text_wrap(header);
        format_set_align(header, LXW_ALIGN_CENTER);
        format_set_align(header, LXW_ALIGN_VERTICAL_CENTER);
        title = workbook_add_format(book);
        format_set_bold(title);
        italic = workbook_add_format(book);
        format_set_italic(italic);
    }

    // The format of a number written as text with these decimals (-1: general).
    lxw_format *number(int decimals, bool inItalics)
    {
        lxw_format *&format = m_numbers[{decimals, inItalics}];
        if (!format) {
            format = workbook_add_format(m_book);
            if (decimals >= 0) {
                const std::string pattern = decimals > 0 ? "0." + std::string(std::size_t(decimals), '0') : "0";
                format_set_num_format(format, pattern.c_str());
            }
            if (inItalics)
                format_set_italic(format);
        }
        return format;
    }

    lxw_format *header, *title, *italic;

private:
    lxw_workbook *m_book;
    std::map<std::pair<int, bool>, lxw_format *> m_numbers;
};

// Writes the cells of a sheet and keeps each column's width and the first failure.
class SheetWriter {
public:
    SheetWriter(lxw_worksheet *sheet, Formats &formats) : m_sheet(sheet), m_formats(formats) {}

    void text(lxw_row_t row, lxw_col_t column, std::string_view text, lxw_format *format = nullptr)
    {
        note(row, column, text, format);
        fit(column, displayWidth(text));
    }

    // A text that may run on over the cells beside it (a title, a note): the column is not fitted to it.
    void note(lxw_row_t row, lxw_col_t column, std::string_view text, lxw_format *format = nullptr)
    {
        if (!text.empty())
            check(worksheet_write_string(m_sheet, row, column, std::string(text).c_str(), format), row, column);
    }

    // A number as its text shows it: the value, with the text's decimals.
    void number(lxw_row_t row, lxw_col_t column, std::string_view text, bool inItalics = false)
    {
        const std::optional<double> value = shownNumber(text);
        if (!value) {
            this->text(row, column, text, inItalics ? m_formats.italic : nullptr);
            return;
        }
        lxw_format *format = m_formats.number(hasExponent(text) ? -1 : decimalsOf(text), inItalics);
        check(worksheet_write_number(m_sheet, row, column, *value, format), row, column);
        fit(column, displayWidth(text));
    }

    void header(lxw_row_t row, lxw_col_t column, std::string_view caption)
    {
        check(worksheet_write_string(m_sheet, row, column, std::string(caption).c_str(), m_formats.header), row,
              column);
        if (m_captions.size() <= column)
            m_captions.resize(column + 1, 0);
        m_captions[column] = displayWidth(caption) + 1; // bold
    }

    // Sets the widths, and the height of a header row whose captions wrap.
    void finish(std::optional<lxw_row_t> headerRow)
    {
        const std::size_t columns = std::max(m_widths.size(), m_captions.size());
        int lines = 1;
        for (std::size_t c = 0; c < columns; ++c) {
            const double cells = c < m_widths.size() ? m_widths[c] : 0;
            const double caption = c < m_captions.size() ? m_captions[c] : 0;
            const double width = std::clamp(std::max(cells, std::min(caption, widestCaption)) + 2, narrowest, widest);
            worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), width, nullptr);
            lines = std::max(lines, std::min(3, int(std::ceil(caption / (width - 2)))));
        }
        if (headerRow && lines > 1)
            worksheet_set_row(m_sheet, *headerRow, lineHeight * lines + 2, nullptr);
        if (m_error != LXW_NO_ERROR)
            throw WriteFailed(m_error == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED
                                  ? "单元格 " + m_cell + " 的文本超过 Excel 单元格所能容纳的 32767 个字符"
                                  : "单元格 " + m_cell + " 无法写入：" + lxw_strerror(m_error));
    }

private:
    void fit(lxw_col_t column, double width)
    {
        if (m_widths.size() <= column)
            m_widths.resize(column + 1, 0);
        m_widths[column] = std::max(m_widths[column], width);
    }

    void check(lxw_error error, lxw_row_t row, lxw_col_t column)
    {
        if (error == LXW_NO_ERROR || m_error != LXW_NO_ERROR)
            return;
        m_error = error;
        std::string letters;
        for (unsigned n = unsigned(column) + 1; n > 0; n = (n - 1) / 26)
            letters.insert(letters.begin(), char('A' + (n - 1) % 26));
        m_cell = letters + std::to_string(row + 1);
    }

    lxw_worksheet *m_sheet;
    Formats &m_formats;
    std::vector<double> m_widths, m_captions;
    lxw_error m_error = LXW_NO_ERROR;
    std::string m_cell;
};

void writeZones(lxw_worksheet *sheet, Formats &formats, const catalogue::ZoneTable &table)
{
    SheetWriter out(sheet, formats);
    const std::vector<ZoneColumn> &columns = table.columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        out.header(0, lxw_col_t(c), columns[c].caption);
    for (std::size_t r = 0; r < table.size(); ++r) {
        const auto row = lxw_row_t(r + 1);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const ZoneColumn &column = columns[c];
            if (column.kind == ColumnKind::Field && !table.hasField(r, column))
                continue; // greyed in the window: the method has no such field
            const std::string text = table.text(r, column);
            if (isTextColumn(column.kind))
                out.text(row, lxw_col_t(c), text);
            else
                out.number(row, lxw_col_t(c), text, table.fromStandard(r, column));
        }
    }
    // The header stays in view, and with it the zones' numbers and names, as in the window.
    worksheet_freeze_panes(sheet, 1, 2);
    worksheet_repeat_rows(sheet, 0, 0);
    worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, 9); // A4
    worksheet_fit_to_pages(sheet, 1, 0);
    out.finish(lxw_row_t(0));
}

void writeTotals(lxw_worksheet *sheet, Formats &formats, const catalogue::ZoneTable &table)
{
    SheetWriter out(sheet, formats);
    const catalogue::Totals totals = table.totals();
    auto tonnes = [](double value) {
        return varnolek::formatPattern(value, varnolek::Precision::Double, catalogue::loadPattern);
    };
    lxw_row_t row = 0;
    auto block = [&](const char *title, const std::vector<catalogue::TotalLine> &lines, bool byWater) {
        out.note(row++, 0, title, formats.title);
        lxw_col_t c = 0;
        if (byWater)
            out.header(row, c++, catalogue::columnCaption(ColumnKind::WaterName));
        out.header(row, c++, catalogue::columnCaption(ColumnKind::Item));
        for (const std::string &caption : catalogue::totalsCaptions())
            out.header(row, c++, caption);
        ++row;
        for (const catalogue::TotalLine &line : lines) {
            c = 0;
            if (byWater)
                out.text(row, c++, line.water);
            out.text(row, c++, line.item);
            out.number(row, c++, std::to_string(line.zones));
            for (double value : {line.capacity, line.limit, line.load, line.reduction, line.remaining})
                out.number(row, c++, tonnes(value));
            ++row;
        }
        ++row;
    };
    block("按污染物汇总", totals.byItem, false);
    block("按水体汇总", totals.byWater, true);
    out.note(row, 0,
             totals.notCounted == 0 ? "计入 " + std::to_string(totals.counted) + " 个水功能区计算行。"
                                    : "计入 " + std::to_string(totals.counted) + " 个水功能区计算行；另有 " +
                                          std::to_string(totals.notCounted) + " 行未计算完成，不计入汇总。");
    out.finish(std::nullopt);
}

// The text of a page header: "&" is its escape character.
std::string pageHeader(const std::string &project)
{
    std::string text = "&C";
    for (const char c : project) {
        if (c == '&')
            text += '&';
        text += c;
    }
    return text;
}

std::string temporaryBeside(const std::string &path)
{
    return path + ".tmp-" + std::to_string(getpid());
}

// Moves the temporary file over the file, or removes it and says why not.
void replaceWith(const std::string &temporary, const std::string &path)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::u8path(temporary), std::filesystem::u8path(path), error);
    if (error) {
        std::filesystem::remove(std::filesystem::u8path(temporary), error);
        throw WriteFailed("无法写入文件（" + error.message() + "）");
    }
}

} // namespace

void writeWorkbook(const catalogue::ZoneTable &table, const std::string &path)
{
    const std::string temporary = temporaryBeside(path);
    lxw_workbook_options options{};
    lxw_workbook *book = workbook_new_opt(temporary.c_str(), &options);
    if (!book)
        throw WriteFailed("无法创建工作簿");
    std::string project = table.project;
    std::string title = std::string("Varnolek ") + varnolek::versionText;
    lxw_doc_properties properties{};
    properties.title = project.data();
    properties.subject = const_cast<char *>("水功能区纳污能力计算表");
    properties.comments = title.data();
    // A workbook made again of the same table is the same file, given the
    // time it says it was made (SOURCE_DATE_EPOCH, as reproducible builds set it).
    if (const char *epoch = std::getenv("SOURCE_DATE_EPOCH"))
        properties.created = std::time_t(std::strtoll(epoch, nullptr, 10));
    workbook_set_properties(book, &properties);

    Formats formats(book);
    lxw_worksheet *zones = workbook_add_worksheet(book, tableSheetName);
    lxw_worksheet *totals = workbook_add_worksheet(book, totalsSheetName);
    std::string failure;
    try {
        if (!project.empty())
            worksheet_set_header(zones, pageHeader(project).c_str());
        writeZones(zones, formats, table);
        writeTotals(totals, formats, table);
    } catch (const WriteFailed &e) {
        failure = e.what();
    }
    const lxw_error closed = workbook_close(book);
    std::error_code ignored;
    if (!failure.empty() || closed != LXW_NO_ERROR) {
        std::filesystem::remove(std::filesystem::u8path(temporary), ignored);
        if (!failure.empty())
            throw WriteFailed(failure);
        throw WriteFailed(closed == LXW_ERROR_CREATING_XLSX_FILE || closed == LXW_ERROR_CREATING_TMPFILE
                              ? std::string("无法创建文件，请检查文件夹是否存在、是否可以写入")
                              : std::string("工作簿无法写入：") + lxw_strerror(closed));
    }
    replaceWith(temporary, path);
}

std::string csvHeader(const catalogue::ZoneTable &table)
{
    std::string record;
    const std::vector<ZoneColumn> &columns = table.columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        appendCsvField(record, columns[c].caption, c == 0);
    record.push_back('\n');
    return record;
}

std::string csvRecord(const catalogue::ZoneTable &table, std::size_t row)
{
    std::string record;
    const std::vector<ZoneColumn> &columns = table.columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        appendCsvField(record, table.text(row, columns[c]), c == 0);
    record.push_back('\n');
    return record;
}

std::string tableCsv(const catalogue::ZoneTable &table, bool mark)
{
    std::string text = mark ? std::string(byteOrderMark) : std::string();
    text += csvHeader(table);
    for (std::size_t r = 0; r < table.size(); ++r)
        text += csvRecord(table, r);
    return text;
}

void writeFile(const std::string &path, std::string_view bytes)
{
    const std::string temporary = temporaryBeside(path);
    {
        std::ofstream out(std::filesystem::u8path(temporary), std::ios::binary | std::ios::trunc);
        if (!out)
            throw WriteFailed("无法创建文件，请检查文件夹是否存在、是否可以写入");
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(std::filesystem::u8path(temporary), ignored);
            throw WriteFailed("文件无法写完（磁盘已满？）");
        }
    }
    replaceWith(temporary, path);
}

} // namespace spreadsheet
