#include "models.h"

#include "arithmetic.h"

namespace varnolek::models {

double volumeMixing(const VolumeMixingInput &in)
{
    const Real w = Real(in.w) / 86.4; // kg/d -> g/s
    const Real q = in.q;
    const Real k = in.k;
    const Real v = Real(in.v) * 10000; // 10^4 m3 -> m3
    // C = W / (Q + V·K / 86400), in g/m3 = mg/L; the decay term is in m3/s.
    return (w / (v * k / 86400 + q)).value();
}

double sectionMixing(const SectionMixingInput &in)
{
    const Real q1 = in.q1, c1 = in.c1, q2 = in.q2, c2 = in.c2;
    return ((q1 * c1 + q2 * c2) / (q1 + q2)).value();
}

} // namespace varnolek::models
