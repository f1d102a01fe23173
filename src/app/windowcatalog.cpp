#include "windowcatalog.h"

#include "features.h"

#include "capacity/my0dw.h"
#include "capacity/my1dw.h"
#include "capacity/my2dw.h"
#include "models/MYLFORM.h"
#include "models/my0dform.h"
#include "models/my1dform.h"
#include "models/my2dform.h"
#include "parameters/mykform.h"
#include "parameters/yearform.h"
#include "planning/mycontrolv.h"
#include "planning/myrevolform.h"
#include "planning/myvolform.h"

const std::vector<CalculatorEntry> &calculatorCatalog()
{
    // In the order of the menu: its three columns, top to bottom.
    static const std::vector<CalculatorEntry> catalog = {
        {"myyear", "yearform", [] { return withFeatures(new yearform); }},
        {"myk", "myKform", [] { return withFeatures(new myKform); }},
        {"my0d", "my0dform", [] { return withFeatures(new my0dform); }},
        {"my1d", "my1dform", [] { return withFeatures(new my1dform); }},
        {"my2d", "my2dform", [] { return withFeatures(new my2dform); }},
        {"myvol", "myvolform", [] { return withFeatures(new myvolform); }},
        {"myrevol", "myRevolform", [] { return withFeatures(new myRevolform); }},
        {"Command5", "mycontrolV", [] { return withFeatures(new mycontrolV); }},
        {"Command2", "my1dw", [] { return withFeatures(new my1dw); }},
        {"Command1", "my2dw", [] { return withFeatures(new my2dw); }},
        {"Command4", "my0dw", [] { return withFeatures(new my0dw); }},
        {"Command3", "MYLFORM", [] { return withFeatures(new MYLFORM); }},
    };
    return catalog;
}

const CalculatorEntry *findCalculator(const QString &name)
{
    for (const CalculatorEntry &entry : calculatorCatalog())
        if (entry.button == name || entry.window == name)
            return &entry;
    return nullptr;
}
