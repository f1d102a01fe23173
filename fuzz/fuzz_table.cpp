// A zone table file (.vtable) as a hostile file gives it: reading refuses it
// as a bad file (BadTableFile, nothing else), or gives a table that, written
// back and read again, is the same table and the same text. Every cell of it
// then shows a text, takes its own typed text back unchanged, and the totals
// are made.
#include "catalogue/tablefile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    catalogue::ZoneTable read;
    try {
        read = catalogue::parseTableFile(bytes);
    } catch (const catalogue::BadTableFile &) {
        return 0;
    }
    const std::string text = catalogue::tableFileText(read);
    catalogue::ZoneTable again;
    try {
        again = catalogue::parseTableFile(text);
    } catch (const catalogue::BadTableFile &) {
        std::abort(); // the program's own file refused
    }
    if (!(again == read) || catalogue::tableFileText(again) != text)
        std::abort();

    for (std::size_t r = 0; r < read.size(); ++r) {
        const catalogue::ZoneOutcome &o = read.outcome(r);
        if (o.status.empty() || (o.state == catalogue::ZoneState::Done) != bool(o.remaining))
            std::abort();
        for (const catalogue::ZoneColumn &column : read.columns()) {
            (void)read.text(r, column);
            (void)read.number(r, column);
            if (!column.editable() || (column.kind == catalogue::ColumnKind::Field && !read.hasField(r, column)))
                continue;
            std::string error;
            const std::optional<catalogue::ZoneRow> same =
                catalogue::applyCell(read.row(r), column, read.typedText(r, column), error);
            if (!same || *same != read.row(r))
                std::abort(); // a cell's own text changes its row
        }
    }
    const catalogue::Totals totals = read.totals();
    if (totals.counted + totals.notCounted != read.size())
        std::abort();
    return 0;
}
