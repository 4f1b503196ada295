#pragma once

// The exact best recipe: the mix curve is linear in the volume fractions, so the recipe with the
// smallest divergence solves a small linear program,
//
//   minimise t  subject to  |A'_j - 0.01 * sum_i P_ji V_i| <= t  (j = 1..K),
//                           sum_i V_i = 100,  V_i >= 0,
//
// with P_ji component i's full passing at class j (the entered value in the integral form,
// 100 minus the cumulative residue in the differential form). Locked components keep their
// corrected fraction and, while BoundsCheck is checked, every fraction stays within its bounds;
// both are linear in V. The mass fractions follow as m_i = 100 V_i rho_i / sum_k V_k rho_k.

#include "core/MixProject.h"

#include <QString>

#include <optional>

struct OptimumResult
{
    bool feasible = false;
    double divergence = 0;                       // the LP's value, percentage points
    std::array<double, MaxComponents + 1> mass{}; // mass fractions 1..N, percent
    QString problem;                             // why no recipe exists (names the components)
};

// Solves for the project as it stands (locks, bounds, reference, data form); the project is
// not changed.
OptimumResult SolveOptimum(const MixProject &project);

// Adopts a feasible result as an accepted trial is adopted (corrected recipe, sliders, curve,
// divergence, band, graph) and shows the reached divergence beside the button.
void AdoptOptimum(MixProject &project, const OptimumResult &result);

// A digest of everything the best recipe depends on: the counts, the data form, the densities,
// the grain compositions, the reference curve, the locks with their fractions, the bounds
// switch and the bounds.
quint64 OptimumInputsDigest(const MixProject &project);

// The reached divergence describes the inputs it was found for: it is cleared as soon as they
// change or the tables turn invalid (run on every tick; nothing to do while nothing is shown).
void RefreshOptimumReadout(MixProject &project);
// Clears the reached divergence (a project opened, components loaded from the database).
void ForgetOptimum(MixProject &project);
