#pragma once
// A saved case (.vcase): the texts of a calculator window's fields as typed,
// the results it showed while they belonged to those texts, the rows of its
// table and, for the level-year window, the data file and rate. The file is
// UTF-8 JSON:
//
//   {"program": "Varnolek", "format": 1, "calculation": "<id>", "project": "<name>", "saved": "<time>",
//    "fields": {"<name>": "<text>", ...}, "results": {"<name>": "<text>", ...},
//    "rows": {"Text4": [...], "Text2": [...]}, "data": {"file": "...", "rate": "..."}}
//
// "project" is the project name the window's sheets carry; it may be missing
// (older cases have none). "calculation" is a catalogue id, or a window's name for a window that shows
// all its views side by side (the zero-dimensional window). Reading checks
// everything against the catalogue; the windows and varnolek-calc share it.

#include "catalogue.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace catalogue {

using TextList = std::vector<std::pair<std::string, std::string>>;

struct CaseFile {
    std::string calculation; // a catalogue id, or a window's name
    std::string project;     // the project name (项目名称), or empty
    std::string saved;       // ISO 8601 local time with its offset
    TextList fields;         // name and text as typed, in the order saved
    TextList results;        // name and text shown; empty unless they belonged to the fields
    std::vector<std::pair<std::string, std::vector<std::string>>> rows; // a table's groups
    // The texts a window keeps itself (the level year's data file and rate,
    // asked for in dialogs; the design flow's file and rate), in the order
    // its view declares them.
    bool hasData = false;
    TextList data;
    // The text kept for one of them, or nullptr.
    const std::string *dataText(std::string_view name) const;

    // The views the case holds: one entry, or every view of a window shown side by side.
    std::vector<const Entry *> entries() const;
    // The window the case belongs to.
    std::string window() const;
    // The texts of one of its views as a case: fields, rows as NAME.i, and for
    // the level-year window the file (relative to folder when it is relative)
    // and rate.
    Case toCase(const Entry &entry, const std::string &folder) const;
    const std::string *result(std::string_view name) const;
};

// Why a case file cannot be read, in Chinese, for "算例文件无法读取：".
struct BadCaseFile : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline constexpr const char *caseProgram = "Varnolek";
inline constexpr int caseFormat = 1;
inline constexpr std::size_t maxCaseBytes = 1024 * 1024;
inline constexpr const char *caseExtension = ".vcase";

// Reads a case from the bytes of its file; throws BadCaseFile.
CaseFile parseCaseFile(std::string_view bytes);
// Reads a case file from disk; throws BadCaseFile.
CaseFile readCaseFile(const std::string &path);
// The JSON text of a case, UTF-8, ending in a line break.
std::string caseFileText(const CaseFile &c);

// Whether a window shows its views side by side, so that its case holds them all.
bool sideBySide(std::string_view window);

} // namespace catalogue
