#pragma once
// For core tests: runs a calculation that must fail and gives the kind of its
// failure. A calculation that does not fail ends the test program.

#include "core/arithmetic.h"

#include <QtGlobal>

template <typename F>
varnolek::Failure failureOf(F calculation)
{
    try {
        calculation();
    } catch (const varnolek::CalcError &error) {
        return error.kind();
    }
    qFatal("the calculation did not fail");
}
