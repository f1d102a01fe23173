// An xlsx workbook as a hostile file gives it, or the XML of a sheet and its
// shared strings alone (first byte even): the reader refuses it with a reason
// (BadSpreadsheet, nothing else) or gives cells within the bounds, ascending,
// none empty; the import then refuses the sheet or makes a table of no more
// rows than the sheet has.
#include "spreadsheet/tableimport.h"
#include "spreadsheet/xlsxreader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(const spreadsheet::Sheet &sheet)
{
    std::size_t last = 0;
    for (const spreadsheet::SheetRow &row : sheet.rows) {
        if (row.number <= last || row.number > spreadsheet::maxRows || row.number > sheet.height || row.cells.empty())
            std::abort();
        last = row.number;
        std::size_t column = 0;
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            const auto &[c, text] = row.cells[i];
            if ((i > 0 && c <= column) || c >= spreadsheet::maxColumns || c >= sheet.width || text.empty())
                std::abort();
            column = c;
        }
    }
    try {
        const spreadsheet::Imported imported = spreadsheet::importSheet(sheet);
        if (imported.table.size() + 1 > sheet.rows.size())
            std::abort(); // a zone for a row the sheet has not
    } catch (const spreadsheet::BadSpreadsheet &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char *>(data) + 1, size - 1);
    try {
        if (data[0] % 2 == 0) {
            // The sheet's XML, then a NUL, then the shared strings' XML.
            const std::size_t nul = bytes.find('\0');
            check(spreadsheet::detail::readSheetXml(
                bytes.substr(0, nul), nul == std::string_view::npos ? std::string_view() : bytes.substr(nul + 1)));
        } else {
            check(spreadsheet::readXlsxBytes(bytes));
        }
    } catch (const spreadsheet::BadSpreadsheet &) {
    }
    return 0;
}
