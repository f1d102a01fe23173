// A saved case (.vcase) as a hostile file gives it: reading refuses it as a
// bad file (BadCaseFile, nothing else), or gives a case that, written back
// and read again, is the same case and the same text; each of its views then
// runs to an outcome, with a message for a failure.
#include "catalogue/casefile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool same(const catalogue::CaseFile &a, const catalogue::CaseFile &b)
{
    return a.calculation == b.calculation && a.saved == b.saved && a.fields == b.fields && a.results == b.results &&
           a.rows == b.rows && a.hasData == b.hasData && a.data == b.data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    catalogue::CaseFile read;
    try {
        read = catalogue::parseCaseFile(bytes);
    } catch (const catalogue::BadCaseFile &) {
        return 0;
    }
    const std::string text = catalogue::caseFileText(read);
    catalogue::CaseFile again;
    try {
        again = catalogue::parseCaseFile(text);
    } catch (const catalogue::BadCaseFile &) {
        std::abort(); // the program's own file refused
    }
    if (!same(read, again) || catalogue::caseFileText(again) != text)
        std::abort();

    // A data file named in the case could be a device that never ends: the
    // level-year view is run without one, which is its own message.
    for (auto &[name, text] : read.data)
        if (const catalogue::Entry *view = read.entries().empty() ? nullptr : read.entries().front())
            if (const catalogue::Field *f = view->field(name); f && f->kind == catalogue::FieldKind::DataFile)
                text.clear();
    for (const catalogue::Entry *view : read.entries()) {
        const catalogue::Outcome outcome = catalogue::evaluate(*view, read.toCase(*view, std::string()));
        if (outcome.status != catalogue::Status::Done && outcome.message.empty())
            std::abort();
    }
    return 0;
}
