#pragma once

// Reference distributions and the curve divergence.
//
// The reference curve A'_j comes from one of four particle-size equations (Funk-Dinger, Fuller,
// Hummel, Bolomey) or is typed by hand. The divergence is the largest gap, in percentage
// points, between the reference and the corrected mix; the band is the reference plus and minus
// the divergence.

#include "core/Storage.h"

class ProjectDocument;

namespace Reference {

// The coefficients of one calculation; a field whose text does not convert counts as 0.
struct Coefficients
{
    float n = 0.0f;  // Funk-Dinger
    float a = 0.0f;  // Funk-Dinger
    float n2 = 0.0f; // Fuller
    float m = 0.0f;  // Hummel
    float B = 0.0f;  // Bolomey
};

Coefficients coefficients(const ProjectDocument &document);

// An equation of the reference with its coefficients and the size range of one calculation:
// A'_j for each size D, or nothing where it cannot be formed.
class Equation
{
public:
    Equation(ReferenceKind kind, const Coefficients &c, float Dmax, float Dmin);
    std::optional<float> value(float D) const;

private:
    ReferenceKind m_kind;
    Coefficients m_c;
    float m_Dmax;
    // Dmax^n and Dmin^n of Funk-Dinger, the same for every class.
    std::optional<double> m_maxPower;
    std::optional<double> m_minPower;
};

// A'_j of an equation kind for size D, or nothing where it cannot be formed (a division by zero,
// an invalid power, a value beyond a float). The manual kind has no equation.
std::optional<float> equationValue(ReferenceKind kind, const Coefficients &c, float D, float Dmax, float Dmin);

// The largest of deviations 1..k; a later class wins only when strictly greater.
float largestDeviation(const DeviationFloats &deviation, int k);

} // namespace Reference
