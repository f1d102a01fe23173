#pragma once
// The input fields of a calculator window as the documents find them: a
// plain field by its name, and the rows of a table group by their index.

#include <QString>
#include <string>
#include <vector>

class QLineEdit;
namespace ui {
class CalculatorWindow;
}

namespace documents {

// The field of that name on the form: a plain field, not a table row.
QLineEdit *plainField(const ui::CalculatorWindow &window, const QString &name);
// The rows of a table group, by their index.
std::vector<QLineEdit *> rowFields(const ui::CalculatorWindow &window, const std::string &group);

} // namespace documents
