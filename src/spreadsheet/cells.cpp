#include "cells.h"

#include <algorithm>

namespace spreadsheet {

const std::string *SheetRow::at(std::size_t column) const
{
    const auto found = std::lower_bound(cells.begin(), cells.end(), column,
                                        [](const auto &cell, std::size_t c) { return cell.first < c; });
    return found != cells.end() && found->first == column ? &found->second : nullptr;
}

std::string columnLetters(std::size_t column)
{
    std::string letters;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters;
}

std::string tooManyRowsText()
{
    return "表格超过 " + std::to_string(maxRows) + " 行";
}

std::string tooManyColumnsText()
{
    return "表格超过 " + std::to_string(maxColumns) + " 列";
}

} // namespace spreadsheet
