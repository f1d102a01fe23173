#pragma once
// The hydrological series of a view that reads a data file: the one place the
// file named by its data-file field is read, for its run and for its plot.

#include "catalogue.h"

#include "core/hydrology.h"

namespace catalogue {

// The series in the file the view's data-file field names; the status of a
// file that cannot be read, and an empty series for a view without such a field.
varnolek::hydrology::DataFile levelSeries(const Entry &entry, const Case &c);

} // namespace catalogue
