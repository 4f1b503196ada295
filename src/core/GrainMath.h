#pragma once

// Grain-composition arithmetic: recipe sums, mass to volume fractions, partial residues to full
// passing, and the mix's full-passing curve. The components share one list of sizes; every
// formula works class by class on the same j.
//
// None of these has error handling of its own: an operation that cannot be formed (a zero
// density or total, a cell that is not a number, an index beyond the storage) returns nothing
// and the calling step keeps its target's previous value.

#include "core/Storage.h"

namespace Grain {

// Sum over i = 1..n of recipe[i].
std::optional<float> recipeSum(const ComponentFloats &recipe, int n);

// V_i = 100 * (m_i / rho_i) / sum_k (m_k / rho_k), k = 1..n, formed in double precision.
std::optional<float> volumeFraction(const ComponentFloats &recipe, const ComponentFloats &density, int n, int i);

// volumeFraction() of every component i = 1..n into `out`; a fraction that cannot be formed keeps
// its value there.
void setVolumeFractions(const ComponentFloats &recipe, const ComponentFloats &density, int n, ComponentFloats &out);

// The running sum of the entered values of component i from class 1 down to class j: the value
// of the cell (nothing when it did not convert), plus the sum of class j-1.
std::optional<float> cumulateResidue(std::optional<float> cellValue, const ClassTable<float> &cumulative, int j, int i);

// Full passing of the mix at class j: integral form sum_i A_ji * V_i * 0.01, differential form
// sum_i (100 - R_ji) * V_i * 0.01. Nothing is clamped.
std::optional<double> mixPassing(const ComponentFloats &volumeFraction, GrainDataForm form,
                                 const ClassTable<float> &entered, const ClassTable<float> &cumulative, int n, int j);

} // namespace Grain
