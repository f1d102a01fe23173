// The entry of the module that the program loads when its first calculator
// window opens (ui::extensions()).

#include "linkedextensions.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT ui::Extensions *varnolek_extensions()
{
    return &features::linkedExtensions();
}
