#include "core/Reference.h"

#include "core/Numbers.h"
#include "core/ProjectDocument.h"

#include <cmath>

namespace Reference {

Coefficients coefficients(const ProjectDocument &d)
{
    Coefficients c;
    c.n = d.coefficient(Coefficient::FunkDingerN).number().value_or(0.0f);
    c.a = d.coefficient(Coefficient::FunkDingerA).number().value_or(0.0f);
    c.n2 = d.coefficient(Coefficient::FullerN).number().value_or(0.0f);
    c.m = d.coefficient(Coefficient::HummelM).number().value_or(0.0f);
    c.B = d.coefficient(Coefficient::BolomeyB).number().value_or(0.0f);
    return c;
}

namespace {

// 100 * (D / Dmax)^e with the ratio first stored as a float (Fuller, Hummel).
std::optional<double> powerLaw(float D, float Dmax, float e)
{
    const auto ratio = Num::divide(double(D), double(Dmax));
    if (!ratio)
        return std::nullopt;
    const auto r = Num::single(*ratio);
    if (!r)
        return std::nullopt;
    const auto p = Num::power(double(*r), double(e));
    if (!p)
        return std::nullopt;
    return 100.0 * *p;
}

} // namespace

Equation::Equation(ReferenceKind kind, const Coefficients &c, float Dmax, float Dmin)
    : m_kind(kind)
    , m_c(c)
    , m_Dmax(Dmax)
{
    if (kind == ReferenceKind::FunkDinger) {
        m_maxPower = Num::power(double(Dmax), double(c.n));
        m_minPower = Num::power(double(Dmin), double(c.n));
    }
}

std::optional<float> Equation::value(float D) const
{
    std::optional<double> value;
    switch (m_kind) {
    case ReferenceKind::FunkDinger: {
        const auto dn = Num::power(double(D), double(m_c.n));
        if (!dn || !m_maxPower || !m_minPower)
            return std::nullopt;
        const auto q = Num::divide(*dn - *m_minPower, *m_maxPower - *m_minPower);
        if (!q)
            return std::nullopt;
        value = 100.0 * (double(m_c.a) + (1.0 - double(m_c.a)) * *q);
        break;
    }
    case ReferenceKind::Fuller:
        value = powerLaw(D, m_Dmax, m_c.n2);
        break;
    case ReferenceKind::Hummel:
        value = powerLaw(D, m_Dmax, m_c.m);
        break;
    case ReferenceKind::Bolomey: {
        const auto ratio = Num::divide(double(D), double(m_Dmax));
        if (!ratio)
            return std::nullopt;
        const auto root = Num::power(*ratio, 0.5);
        if (!root)
            return std::nullopt;
        value = double(m_c.B) + (100.0 - double(m_c.B)) * *root;
        break;
    }
    case ReferenceKind::ManualReference:
        return std::nullopt;
    }
    if (!value)
        return std::nullopt;
    return Num::single(*value);
}

std::optional<float> equationValue(ReferenceKind kind, const Coefficients &c, float D, float Dmax, float Dmin)
{
    return Equation(kind, c, Dmax, Dmin).value(D);
}

float largestDeviation(const DeviationFloats &deviation, int k)
{
    float largest = deviation[1];
    for (int j = 2; j <= k && deviation.has(j); ++j)
        if (deviation[j] > largest)
            largest = deviation[j];
    return largest;
}

} // namespace Reference
