#pragma once
// The calculation sheet (计算书) of a zone table: the project, the table of
// zones and their results, the inputs of each method's zones, the totals,
// each method used once with its formula and symbols, and the signature
// lines. Written as PDF, ODF text or HTML on landscape pages, and printed.

#include "catalogue/zonetable.h"

#include <QTextDocument>
#include <memory>

namespace tables {

std::unique_ptr<QTextDocument> tableSheet(const catalogue::ZoneTable &table);

// The sheet's title.
inline constexpr const char *sheetTitle = "水功能区纳污能力计算书";

} // namespace tables
