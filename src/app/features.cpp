#include "features.h"

#include "ui/calculatorwindow.h"
#include "ui/extensions.h"

ui::CalculatorWindow *withFeatures(ui::CalculatorWindow *window)
{
    if (ui::Extensions *extensions = ui::extensions())
        extensions->attach(window);
    return window;
}
