#pragma once
#include <algorithm>
#include <cmath>

namespace orvane::test {

// The interval a value of the interpreter can take. The interpreter computes in 64-bit floats,
// the compiled program in 16-bit words that wrap. They agree where:
//   - every value is a whole number and stays within 2^48 in magnitude: floats are exact there,
//     so "+", "-" and "*" give the compiled word reduced modulo 65536;
//   - a value that is compared, tested as a condition or divided lies in 0..65535 (`Word`): the
//     interpreter compares signed reals, the compiled program unsigned words, and a wrapped
//     dividend would be divided as a different number;
//   - a division is exact with a divisor of 1 or more: the interpreter keeps the fraction, the
//     compiled program drops it, and it divides by 0 to 9.99e+99 where the program gives 65535.
// Outside these ranges the two number models differ by design; the generator stays inside.
struct ValueRange {
    static constexpr double kWordMax = 65535.0;
    static constexpr double kExactLimit = 281474976710656.0;  // 2^48

    double lo = 0.0;
    double hi = 0.0;

    static ValueRange Of(double v) { return {v, v}; }

    bool Word() const { return lo >= 0.0 && hi <= kWordMax; }
    bool Exact() const { return lo >= -kExactLimit && hi <= kExactLimit; }

    ValueRange Join(const ValueRange& o) const { return {std::min(lo, o.lo), std::max(hi, o.hi)}; }
    ValueRange operator+(const ValueRange& o) const { return {lo + o.lo, hi + o.hi}; }
    ValueRange operator-(const ValueRange& o) const { return {lo - o.hi, hi - o.lo}; }
    ValueRange operator*(const ValueRange& o) const {
        const double a = lo * o.lo, b = lo * o.hi, c = hi * o.lo, d = hi * o.hi;
        return {std::min({a, b, c, d}), std::max({a, b, c, d})};
    }
    // An exact division of a word by a word of at least 1.
    ValueRange operator/(const ValueRange& o) const { return {std::floor(lo / o.hi), std::ceil(hi / o.lo)}; }
};

}  // namespace orvane::test
