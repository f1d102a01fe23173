#include "features.h"

#include "ui/calculatorwindow.h"

ui::CalculatorWindow *withFeatures(ui::CalculatorWindow *window)
{
    return window;
}
