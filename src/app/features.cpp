#include "features.h"

#include "analysis/analysismenu.h"
#include "documents/documents.h"
#include "documents/sheet.h"
#include "plots/plots.h"
#include "ui/calculatorwindow.h"

ui::CalculatorWindow *withFeatures(ui::CalculatorWindow *window)
{
    // The calculation sheet shows the plot of the window when one is open.
    static const bool sheetShowsPlots = [] {
        documents::setSheetImageSource([](const ui::CalculatorWindow &w) { return plots::plotImage(&w); });
        return true;
    }();
    (void)sheetShowsPlots;
    documents::attach(window);
    plots::attach(window);
    analysis::attachSensitivity(window);
    return window;
}
