#pragma once

// The exact best recipe: the mix curve is linear in the volume fractions, so the recipe with the
// smallest divergence solves a small linear program,
//
//   minimise t  subject to  |A'_j - 0.01 * sum_i P_ji V_i| <= t  (j = 1..K),
//                           sum_i V_i = 100,  V_i >= 0,
//
// with P_ji component i's full passing at class j (the entered value in the integral form,
// 100 minus the cumulative residue in the differential form). Locked components keep their
// corrected fraction and, while the bounds are on, every fraction stays within its bounds;
// both are linear in V. The mass fractions follow as m_i = 100 V_i rho_i / sum_k V_k rho_k.

#include "correction/CorrectionState.h"

#include <QString>

#include <optional>

class ProjectDocument;
struct MixNumbers;

struct OptimumResult
{
    bool feasible = false;
    double divergence = 0;                       // the LP's value, percentage points
    std::array<double, MaxComponents + 1> mass{}; // mass fractions 1..N, percent
    QString problem;                             // why no recipe exists (names the components)
};

namespace Optimum {

// Solves for the project as it stands (locks, bounds, reference, data form); nothing is changed.
OptimumResult solve(const ProjectDocument &document, const MixNumbers &numbers, const CorrectionState &state);

// A digest of everything the best recipe depends on: the counts, the data form, the densities,
// the base recipe, the grain compositions, the reference curve, the locks with their fractions,
// the bounds switch and the bounds. The smallest divergence found describes these inputs only.
quint64 inputsDigest(const ProjectDocument &document, const MixNumbers &numbers, const CorrectionState &state);

} // namespace Optimum
