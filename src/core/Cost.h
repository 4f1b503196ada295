#pragma once

// The cost of the mix: the price of a tonne of each component (typed in step 1) weighted by its
// mass fraction, in the same currency per tonne of the mix.

#include "core/Storage.h"

#include <array>
#include <optional>

class ProjectDocument;

namespace Cost {

// The price of a tonne of component i: nothing when its cell is empty, not a number or negative.
std::optional<double> price(const ProjectDocument &document, int i);

// sum_i m_i p_i / 100 over components 1..n (mass fractions m in percent); nothing when a
// component with a non-zero share has no price.
std::optional<double> perTonne(const ProjectDocument &document, const ComponentFloats &recipe, int n);
std::optional<double> perTonne(const ProjectDocument &document, const std::array<double, MaxComponents + 1> &mass, int n);

} // namespace Cost
