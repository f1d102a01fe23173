#include "windowcatalog.h"

#include "models/my0dform.h"
#include "parameters/mykform.h"
#include "parameters/yearform.h"

const std::vector<CalculatorEntry> &calculatorCatalog()
{
    static const std::vector<CalculatorEntry> catalog = {
        {"my0d", "my0dform", [] { return new my0dform; }},
        {"myk", "myKform", [] { return new myKform; }},
        {"myyear", "yearform", [] { return new yearform; }},
    };
    return catalog;
}

const CalculatorEntry *findCalculator(const QString &name)
{
    for (const CalculatorEntry &entry : calculatorCatalog())
        if (entry.button == name || entry.window == name)
            return &entry;
    return nullptr;
}
