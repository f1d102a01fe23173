#pragma once
// The input check (检查输入): how a case's texts will be read, told before a
// calculation reads them. It changes no reading: a text that is not wholly a
// number is still read by its leading number ("abc" as 0), and the results
// stay what they were; the check only says so. The calculator windows' menu
// and varnolek-calc --check-input print the same lines.

#include "catalogue.h"

#include <string>
#include <vector>

namespace catalogue {

// One thing the check found about one field.
struct Finding {
    std::string field; // the field's name, or NAME.i for row i of a table
    std::string text;  // "水质降解系数K：“abc”不是数字，按 0 计算"
};

inline constexpr const char *checkInputTitle = "检查输入";
inline constexpr const char *nothingFound = "未发现问题";

// The findings for the fields of an entry that the case holds, in the entry's
// order, then the rows of its tables row by row. A field is named by its
// label's quantity (quantityName). Each empty field; each text that is not
// wholly a number, with the number it is read as; each number beyond the
// range its label prints. A file's path is only checked for being empty.
std::vector<Finding> checkInput(const Entry &entry, const Case &c);

} // namespace catalogue
