// The parameter windows: the degradation coefficient and the design level year.

#include "calculations.h"

namespace cli {

void addParameterCalculations(std::vector<Calculation> &) {}

} // namespace cli
