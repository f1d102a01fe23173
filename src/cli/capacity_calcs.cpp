// The receiving-capacity windows of lakes and rivers.

#include "calculations.h"

namespace cli {

void addCapacityCalculations(std::vector<Calculation> &) {}

} // namespace cli
