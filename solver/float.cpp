// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/float_p.h"

#include <algorithm>

namespace solver {

Float::Float()
{
    mpfr_init2(m_value, Bits);
}

Float::Float(const mpq_class &exact)
    : Float()
{
    mpfr_set_q(m_value, exact.get_mpq_t(), MPFR_RNDN);
}

Float::Float(const Float &other)
    : Float()
{
    mpfr_set(m_value, other.m_value, MPFR_RNDN);
}

Float::~Float()
{
    mpfr_clear(m_value);
}

Float operator+(const Float &left, const Float &right)
{
    Float sum;
    mpfr_add(sum.m_value, left.m_value, right.m_value, MPFR_RNDN);
    return sum;
}

Float operator-(const Float &left, const Float &right)
{
    Float difference;
    mpfr_sub(difference.m_value, left.m_value, right.m_value, MPFR_RNDN);
    return difference;
}

Float operator/(const Float &left, const Float &right)
{
    Float quotient;
    mpfr_div(quotient.m_value, left.m_value, right.m_value, MPFR_RNDN);
    return quotient;
}

Float operator*(long factor, const Float &right)
{
    Float product;
    mpfr_mul_si(product.m_value, right.m_value, factor, MPFR_RNDN);
    return product;
}

Float sqrt(const Float &value)
{
    Float root;
    mpfr_sqrt(root.m_value, value.m_value, MPFR_RNDN);
    return root;
}

double Float::toDouble() const
{
    return mpfr_get_d(m_value, MPFR_RNDN);
}

std::string Float::digits(int count, long &exponent) const
{
    // A sign, the digits and the end of the string, and never less than MPFR asks for.
    std::string text(std::size_t(std::max(count + 2, 7)), '\0');
    mpfr_exp_t at = 0;
    mpfr_get_str(text.data(), &at, 10, std::size_t(count), m_value, MPFR_RNDN);
    text.resize(text.find('\0'));
    exponent = at;
    return text;
}

} // namespace solver
