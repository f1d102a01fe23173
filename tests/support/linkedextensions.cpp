// Every window test program has the menus of the calculator windows linked in,
// as the program has them from its module.

#include "features/linkedextensions.h"

#include <QCoreApplication>

namespace {
void installLinkedExtensions() { ui::installExtensions(&features::linkedExtensions()); }
} // namespace

Q_COREAPP_STARTUP_FUNCTION(installLinkedExtensions)
