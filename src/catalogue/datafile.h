#pragma once
// The hydrological series of a view that reads a data file: the one place the
// file named by its data-file field is read, for its run, its plot and its
// sheet.

#include "catalogue.h"

#include "core/hydrology.h"
#include "core/monthlyflow.h"

#include <memory>
#include <vector>

namespace catalogue {

// The series in the file the view's data-file field names; the status of a
// file that cannot be read, and an empty series for a view without a field
// of a level series.
varnolek::hydrology::DataFile levelSeries(const Entry &entry, const Case &c);

// The monthly means in the file the view's data-file field names; the status
// of a file that cannot be read, and Unreadable for a view without a field of
// monthly means.
varnolek::hydrology::MonthlyFile monthlySeries(const Entry &entry, const Case &c);

// The design-flow analysis of the years of a monthly-means file. It fits a
// P-III curve, which takes some tenths of a second for 200 years, so the
// analyses of the last few series are kept and given again while their
// years are the same: the run, the plot and the sheet of one press of OK
// share one fit. Safe to call from several threads. Throws AnalysisError as
// analyseDesignFlow does (fewer than 4 years).
std::shared_ptr<const varnolek::hydrology::DesignFlowAnalysis>
designFlowAnalysis(const std::vector<varnolek::hydrology::MonthlyYear> &years);

} // namespace catalogue
