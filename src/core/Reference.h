#pragma once

// Reference distributions and the curve divergence.
//
// The reference curve A'_j comes from one of four particle-size equations (Funk-Dinger,
// Fuller, Hummel, Bolomey) or from row 1 of tabl(5) typed by hand. The divergence is the
// largest gap, in percentage points, between the reference and the corrected mix; the band is
// the reference plus and minus the divergence.

#include "core/MixProject.h"

#include <optional>

// The five coefficient fields of one pass; a field whose text does not convert counts as 0.
struct Coefficients
{
    float n = 0.0f;  // koef_n  (Funk-Dinger)
    float a = 0.0f;  // koef_a  (Funk-Dinger)
    float n2 = 0.0f; // koef_n2 (Fuller)
    float m = 0.0f;  // koef_m  (Hummel)
    float B = 0.0f;  // koef_B  (Bolomey)
};

Coefficients ReadCoefficients(const MixProject &project);

// A'_j of an equation kind for size D, or nullopt where it cannot be formed (division by zero,
// an invalid power, a value beyond a float).
std::optional<float> EquationValue(ReferenceKind kind, const Coefficients &c, float D, float Dmax, float Dmin);

// The reference value of class j: read from tabl(5) row 1 (manual kind) or computed and written
// there rounded to 2 decimals (equation kinds). A class that cannot be formed keeps its value.
void ReferenceAt(MixProject &project, int j, const Coefficients &c);

// CurveDeviation[j] = |A'_j - CorrectedMixCurve[j]|.
void DeviationAt(MixProject &project, int j);

// CurveDivergence = the largest deviation of classes 1..K, and the band around the reference.
void UpdateDivergence(MixProject &project);

// The largest of deviations 1..k (a later class wins only when strictly greater).
float LargestDeviation(const Slots<float, MaxClasses + 2> &deviation, int k);
