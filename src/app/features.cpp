#include "features.h"

#include "documents/documents.h"
#include "plots/plots.h"
#include "ui/calculatorwindow.h"

ui::CalculatorWindow *withFeatures(ui::CalculatorWindow *window)
{
    documents::attach(window);
    plots::attach(window);
    return window;
}
