#include "calculations.h"

#include "core/numbers.h"

namespace cli {

std::string patternText(double value, bool single, const char *pattern)
{
    return varnolek::formatPattern(value, single ? varnolek::Precision::Single : varnolek::Precision::Double,
                                   pattern);
}

const std::vector<Calculation> &calculations()
{
    static const std::vector<Calculation> table = [] {
        std::vector<Calculation> t;
        addModelCalculations(t);
        addCapacityCalculations(t);
        addPlanningCalculations(t);
        addParameterCalculations(t);
        return t;
    }();
    return table;
}

} // namespace cli
