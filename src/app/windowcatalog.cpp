#include "windowcatalog.h"

#include "models/my0dform.h"

const std::vector<CalculatorEntry> &calculatorCatalog()
{
    static const std::vector<CalculatorEntry> catalog = {
        {"my0d", [] { return new my0dform; }},
    };
    return catalog;
}
