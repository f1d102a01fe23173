#include "windowfields.h"

#include "ui/calculatorwindow.h"

#include <QLineEdit>
#include <QVariant>

namespace documents {

QLineEdit *plainField(const ui::CalculatorWindow &window, const QString &name)
{
    for (QLineEdit *edit : window.findChildren<QLineEdit *>(name))
        if (!edit->property("index").isValid())
            return edit;
    return nullptr;
}

std::vector<QLineEdit *> rowFields(const ui::CalculatorWindow &window, const std::string &group)
{
    std::vector<QLineEdit *> rows;
    for (QLineEdit *edit : window.findChildren<QLineEdit *>(QString::fromStdString(group))) {
        const QVariant index = edit->property("index");
        if (!index.isValid() || index.toInt() < 0)
            continue;
        const auto i = std::size_t(index.toInt());
        if (rows.size() <= i)
            rows.resize(i + 1, nullptr);
        rows[i] = edit;
    }
    return rows;
}

} // namespace documents
