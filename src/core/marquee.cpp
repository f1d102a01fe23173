#include "marquee.h"

namespace varnolek {

double marqueeTick(double formLeft, double formScaleWidth, double labelLeft, double labelWidth)
{
    // The comparison value is held in single precision; the test is strict.
    const float t = static_cast<float>(formLeft - labelWidth + 60);
    if (t > labelLeft)
        labelLeft = formScaleWidth + formLeft;
    return labelLeft - marqueeStepTwips;
}

} // namespace varnolek
