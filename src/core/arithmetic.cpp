#include "arithmetic.h"

#include <cmath>

namespace varnolek {

std::string describe(Failure kind)
{
    switch (kind) {
    case Failure::DivisionByZero:
        return "除数为零";
    case Failure::Overflow:
        return "溢出";
    case Failure::InvalidArgument:
        return "无效的过程调用或参数";
    }
    return "溢出";
}

CalcError::CalcError(Failure kind) : std::runtime_error(describe(kind)), m_kind(kind) {}

double checked(double v)
{
    if (!std::isfinite(v))
        throw CalcError(Failure::Overflow);
    return v;
}

Real::Real(double v) : m_v(checked(v)) {}

Real operator+(Real a, Real b) { return Real(a.m_v + b.m_v); }
Real operator-(Real a, Real b) { return Real(a.m_v - b.m_v); }
Real operator*(Real a, Real b) { return Real(a.m_v * b.m_v); }

Real operator/(Real a, Real b)
{
    if (b.m_v == 0.0)
        throw CalcError(a.m_v == 0.0 ? Failure::Overflow : Failure::DivisionByZero);
    return Real(a.m_v / b.m_v);
}

Real ln(Real x)
{
    if (x.value() <= 0.0)
        throw CalcError(Failure::InvalidArgument);
    return Real(std::log(x.value()));
}

Real sqrt(Real x)
{
    if (x.value() < 0.0)
        throw CalcError(Failure::InvalidArgument);
    return Real(std::sqrt(x.value()));
}

Real exp(Real x) { return Real(std::exp(x.value())); }

Real pow(Real base, Real e)
{
    const double b = base.value();
    const double p = e.value();
    if (b < 0.0 && p != std::floor(p))
        throw CalcError(Failure::InvalidArgument);
    if (b == 0.0 && p < 0.0)
        throw CalcError(Failure::InvalidArgument);
    return Real(std::pow(b, p));
}

float toSingle(Real v)
{
    const float f = static_cast<float>(v.value());
    if (std::isinf(f))
        throw CalcError(Failure::Overflow);
    return f;
}

} // namespace varnolek
