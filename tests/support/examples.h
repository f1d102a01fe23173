#pragma once
// The example data files the package installs, one for each kind of data
// file a calculation reads: a test gives a view with a data-file field the
// example of its field's format.

#include "catalogue/catalogue.h"

#include <QString>
#include <QTest>

namespace windowtest {

inline QString levelExample()
{
    return QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt");
}
inline QString monthlyExample()
{
    return QFINDTESTDATA("../../examples/monthly_flows_2001-2022.csv");
}

// The example plan's zone table, 21 zones of two rivers, a lake and a reservoir.
inline QString planExample()
{
    return QFINDTESTDATA("../../examples/qingshui_plan.vtable");
}

inline QString exampleFile(const catalogue::Field &field)
{
    return field.format == catalogue::DataFormat::MonthlyMeans ? monthlyExample() : levelExample();
}

} // namespace windowtest
