#pragma once
// The text of a CSV file as spreadsheets save it, made UTF-8: Excel's "CSV
// UTF-8" begins with a byte-order mark, WPS and Excel on a Chinese system
// write the system's code page, GB18030 (of which GBK and GB 2312 are parts),
// and "Unicode text" is UTF-16 with its mark.

#include <string>
#include <string_view>

namespace spreadsheet {

// Whether the bytes are UTF-8 throughout: no overlong form, no surrogate,
// nothing beyond U+10FFFF, no sequence cut short.
bool isUtf8(std::string_view bytes);

// The text as UTF-8, without a byte-order mark: UTF-8 as it is; UTF-16 with
// its mark converted; anything else read as GB18030. Throws BadSpreadsheet
// for bytes that are none of these.
std::string utf8Text(std::string_view bytes);

// The UTF-8 byte-order mark, which Excel needs to read a CSV file as UTF-8.
inline constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

} // namespace spreadsheet
