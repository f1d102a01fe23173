#pragma once
// The saved cases and calculation sheets, the plots and the analysis windows,
// as the program's extensions of its calculator windows. The module that the
// program loads on first use hands out this one object; tests link it in.

#include "ui/extensions.h"

namespace features {

ui::Extensions &linkedExtensions();

} // namespace features
