#include "features.h"

#include "documents/documents.h"
#include "analysis/analysismenu.h"
#include "ui/calculatorwindow.h"

ui::CalculatorWindow *withFeatures(ui::CalculatorWindow *window)
{
    documents::attach(window);
    analysis::attachSensitivity(window);
    return window;
}
