#pragma once
// The entries of each group of windows, appended to the catalogue in menu
// order, and what their run functions share.

#include "catalogue.h"

#include <string>
#include <vector>

namespace catalogue {

void addModelEntries(std::vector<Entry> &table);
void addCapacityEntries(std::vector<Entry> &table);
void addPlanningEntries(std::vector<Entry> &table);
void addParameterEntries(std::vector<Entry> &table);
void addRiverEntries(std::vector<Entry> &table);
void addLakeEntries(std::vector<Entry> &table);
void addDesignFlowEntries(std::vector<Entry> &table);

// The fields of the two-dimensional plume of an outfall, from the decay
// coefficient to the distance downstream; each plume window adds where its
// point lies across the river.
std::vector<Field> plumeFields();

// A result field written with a digit pattern in the window's precision.
Output patternOutput(std::string name, std::string label, varnolek::Precision precision, std::string pattern,
                     std::string unit);
// A caption label rewritten by the OK press.
Output captionOutput(std::string name);

// Appends the text of output i of the entry for value, formatted as the entry
// declares it.
void addNumber(const Entry &entry, std::size_t output, double value, Result &result);

} // namespace catalogue
