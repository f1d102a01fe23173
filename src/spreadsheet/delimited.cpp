#include "delimited.h"

#include <algorithm>

namespace spreadsheet {

Sheet readDelimited(std::string_view text, char delimiter)
{
    Sheet sheet;
    std::size_t pos = 0, textBytes = 0, recordBegin = 0;
    const std::size_t size = text.size();
    SheetRow row;
    std::size_t column = 0;
    std::string field;
    auto endField = [&] {
        if (column >= maxColumns)
            throw BadSpreadsheet(tooManyColumnsText());
        if (!field.empty()) {
            textBytes += field.size();
            if (textBytes > maxTextBytes)
                throw BadSpreadsheet("表格中的文本超过 64 MB");
            row.cells.emplace_back(column, std::move(field));
            field.clear();
        }
        ++column;
    };
    auto endRecord = [&] {
        endField();
        if (sheet.height == maxRows)
            throw BadSpreadsheet(tooManyRowsText());
        row.number = ++sheet.height;
        sheet.width = std::max(sheet.width, column);
        if (!row.cells.empty())
            sheet.rows.push_back(std::move(row));
        row = SheetRow();
        column = 0;
        recordBegin = pos;
    };
    while (pos < size) {
        if (text[pos] == '"') {
            // A quoted field, to its closing quote (or the end of the text).
            ++pos;
            for (;;) {
                const std::size_t quote = text.find('"', pos);
                if (quote == std::string_view::npos) {
                    field.append(text.substr(pos));
                    pos = size;
                    break;
                }
                field.append(text.substr(pos, quote - pos));
                pos = quote + 1;
                if (pos < size && text[pos] == '"') {
                    field.push_back('"');
                    ++pos;
                    continue;
                }
                break;
            }
        }
        // The rest of the field as it stands, up to a delimiter or a line break.
        const std::size_t start = pos;
        while (pos < size && text[pos] != delimiter && text[pos] != '\n' && text[pos] != '\r')
            ++pos;
        field.append(text.substr(start, pos - start));
        if (pos == size)
            break;
        const char c = text[pos++];
        if (c == delimiter) {
            endField();
            continue;
        }
        if (c == '\r' && pos < size && text[pos] == '\n')
            ++pos;
        endRecord();
    }
    // A last record with no line break of its own.
    if (pos > recordBegin)
        endRecord();
    return sheet;
}

void appendCsvField(std::string &record, std::string_view text, bool first)
{
    if (!first)
        record.push_back(',');
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        record.append(text);
        return;
    }
    record.push_back('"');
    for (const char c : text) {
        if (c == '"')
            record.push_back('"');
        record.push_back(c);
    }
    record.push_back('"');
}

} // namespace spreadsheet
