#pragma once
// Arithmetic that fails the way a calculation must fail.
//
// Plain C++ would carry inf or NaN on silently; a calculator window must instead
// stop and report the failure. Every operation here checks its operands and its
// result and throws CalcError with the kind of failure, so nothing non-finite
// can ever reach a result field.

#include <stdexcept>
#include <string>

namespace varnolek {

enum class Failure {
    DivisionByZero,  // a non-zero number divided by zero
    Overflow,        // a result beyond the range of a double or of a single; also 0/0
    InvalidArgument, // a logarithm, square root or power outside its domain
};

// The standard description of a failure, as the error report shows it.
std::string describe(Failure kind);

class CalcError : public std::runtime_error {
public:
    explicit CalcError(Failure kind);
    Failure kind() const { return m_kind; }

private:
    Failure m_kind;
};

// The program's own title on the error report.
inline constexpr const char *programTitle = "Varnolek";

// A double whose every operation is checked. Formulas in core are written with
// Real so that each intermediate is checked where it arises, in the order the
// formula is evaluated.
class Real {
public:
    Real(double v = 0.0); // NOLINT: implicit on purpose, so constants mix freely
    double value() const { return m_v; }

    friend Real operator+(Real a, Real b);
    friend Real operator-(Real a, Real b);
    friend Real operator*(Real a, Real b);
    friend Real operator/(Real a, Real b);
    friend Real operator-(Real a) { return Real(-a.m_v); }

    friend bool operator<(Real a, Real b) { return a.m_v < b.m_v; }
    friend bool operator>(Real a, Real b) { return a.m_v > b.m_v; }
    friend bool operator<=(Real a, Real b) { return a.m_v <= b.m_v; }
    friend bool operator>=(Real a, Real b) { return a.m_v >= b.m_v; }
    friend bool operator==(Real a, Real b) { return a.m_v == b.m_v; }
    friend bool operator!=(Real a, Real b) { return a.m_v != b.m_v; }

private:
    double m_v;
};

// Throws Overflow unless v is finite.
double checked(double v);

Real ln(Real x);            // natural logarithm; x <= 0 is InvalidArgument
Real sqrt(Real x);          // x < 0 is InvalidArgument
Real exp(Real x);           // too large an exponent is Overflow
Real pow(Real base, Real e); // negative base with a fractional exponent, 0 to a negative power: InvalidArgument

// Rounds to the nearest single-precision value; out of its range is Overflow.
float toSingle(Real v);

} // namespace varnolek
