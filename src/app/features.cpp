#include "features.h"

#include "documents/documents.h"
#include "ui/calculatorwindow.h"

ui::CalculatorWindow *withFeatures(ui::CalculatorWindow *window)
{
    documents::attach(window);
    return window;
}
