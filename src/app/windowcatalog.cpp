#include "windowcatalog.h"

#include "models/my0dform.h"
#include "planning/mycontrolv.h"
#include "planning/myrevolform.h"
#include "planning/myvolform.h"

const std::vector<CalculatorEntry> &calculatorCatalog()
{
    static const std::vector<CalculatorEntry> catalog = {
        {"my0d", "my0dform", [] { return new my0dform; }},
        {"myvol", "myvolform", [] { return new myvolform; }},
        {"myrevol", "myRevolform", [] { return new myRevolform; }},
        {"Command5", "mycontrolV", [] { return new mycontrolV; }},
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
