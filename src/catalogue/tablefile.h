#pragma once
// A zone table saved (.vtable): the project and every row's texts as typed,
// UTF-8 JSON, one row to a line:
//
//   {"program":"Varnolek","format":1,"kind":"table","project":"…",
//    "rows":[{"zone":"…","waterName":"…","water":"river"|"lake","class":"III","item":"COD",
//             "calculation":"my1dw","fields":{"myk":"0.2",…},"targetTyped":false,"load":"1200"}]}
//
// "fields" holds the texts of the row's method as typed; a target
// concentration filled from the standard is not stored, and "targetTyped"
// says whether the target was typed. A row's keys may be left out: a missing
// text is empty, a missing water body a river, a missing targetTyped taken
// from the fields. Reading checks every row against the catalogue and the
// standard, refuses a key given twice in one object, and reads the table a
// writer wrote back exactly. The window, varnolek-calc and the importers
// share it.

#include "zonetable.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace catalogue {

// Why a table file cannot be read, in Chinese, for "计算表文件无法读取：".
struct BadTableFile : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline constexpr const char *tableKind = "table";
inline constexpr int tableFormat = 1;
inline constexpr std::size_t maxTableBytes = std::size_t(64) * 1024 * 1024;
// The most rows a table holds: as many as a spreadsheet import takes.
inline constexpr std::size_t maxTableRows = 100000;
inline constexpr const char *tableExtension = ".vtable";
inline constexpr const char *tableUnreadableText = "计算表文件无法读取：";

// Reads a table from the bytes of its file, every row computed; throws BadTableFile.
ZoneTable parseTableFile(std::string_view bytes);
// Reads a table file from disk; throws BadTableFile.
ZoneTable readTableFile(const std::string &path);
// The JSON text of a table, UTF-8, ending in a line break.
std::string tableFileText(const ZoneTable &table);

// The texts of water types in the file.
std::string_view waterTypeKey(WaterType water);

} // namespace catalogue
