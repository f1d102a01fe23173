#pragma once
// The calculations of each group of windows, appended to the command line's table.

#include "calculation.h"

#include <string>
#include <vector>

namespace cli {

void addModelCalculations(std::vector<Calculation> &table);
void addCapacityCalculations(std::vector<Calculation> &table);
void addPlanningCalculations(std::vector<Calculation> &table);
void addParameterCalculations(std::vector<Calculation> &table);

// Result texts as the windows write them.
std::string patternText(double value, bool single, const char *pattern);

} // namespace cli
