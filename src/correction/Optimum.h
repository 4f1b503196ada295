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
//
// The optimiser's settings (CorrectionState::optimiser) add, all exactly:
// - the lowest cost per tonne as the aim (a linear-fractional function of V, made linear by the
//   Charnes-Cooper change of variables, see Optimum.cpp);
// - the divergence at most D (t <= D);
// - the mix inside the grading envelope (lo_j <= 0.01 * sum_i P_ji V_i <= hi_j);
// - at most m components with a non-zero share (a binary z_i per component with V_i <= 100 z_i
//   and sum_i z_i <= m: a mixed-integer program, solved by GLPK's branch and bound).
// Where several recipes reach the optimum, the one that is best in the other aim is taken (the
// closest of the cheapest, the cheapest of the closest when every component has a price).
//
// When no recipe satisfies the constraints, the constraints in conflict are found by asking the
// solver again with constraints left out: a constraint stays in the answer only when the
// problem without it has a recipe, so each one named is needed for the conflict.

#include "correction/CorrectionState.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class ProjectDocument;
struct MixNumbers;

struct OptimumResult
{
    bool feasible = false;
    double divergence = 0;                       // the recipe's divergence, percentage points
    std::array<double, MaxComponents + 1> mass{}; // mass fractions 1..N, percent
    QString problem;                             // why no recipe exists (names the components)
    // The cost of a tonne of the recipe, when every component in it has a price.
    std::optional<double> cost;
    // Components with a non-zero share.
    int componentsUsed = 0;
    // Whether the recipe's curve keeps inside the grading envelope; nothing without one.
    std::optional<bool> insideEnvelope;
    // The constraints in conflict as the window names them, when the solver found no recipe;
    // empty when the inputs themselves stopped it (a density, a missing price).
    QStringList conflicts;
    // The whole message for the user: what was sought, and `problem`.
    QString message;
};

// A point of the cost-divergence front: the cheapest recipe whose divergence is at most the
// point's bound, with its divergence and cost.
struct FrontPoint
{
    double divergence = 0;
    double cost = 0;
    std::array<double, MaxComponents + 1> mass{};
    int componentsUsed = 0;
    bool operator==(const FrontPoint &) const = default;
};

struct CostFront
{
    bool feasible = false;
    QList<FrontPoint> points; // ordered by divergence
    QString problem;
    QStringList conflicts;
    QString message;
    bool operator==(const CostFront &) const = default;
};

namespace Optimum {

// The number of front points the window computes.
inline constexpr int DefaultFrontPoints = 20;

// Solves for the project as it stands (locks, bounds, reference, data form, prices, envelope
// and the optimiser's settings); nothing is changed.
OptimumResult solve(const ProjectDocument &document, const MixNumbers &numbers, const CorrectionState &state);

// The exact trade-off between cost and divergence under the same constraints: `points` recipes
// at evenly spaced divergences from the smallest possible divergence to the divergence of the
// cheapest admissible recipe. Needs a price for every component.
CostFront costFront(const ProjectDocument &document, const MixNumbers &numbers, const CorrectionState &state,
                    int points = DefaultFrontPoints);

// The divergence of a recipe (mass fractions 1..N, percent) against the reference, in double
// precision, and the classes where its curve leaves the envelope.
double divergenceOf(const ProjectDocument &document, const MixNumbers &numbers, const std::array<double, MaxComponents + 1> &mass);

// A digest of everything the best recipe depends on: the counts, the data form, the densities,
// the base recipe, the grain compositions, the reference curve, the locks with their fractions,
// the bounds switch and the bounds, the prices, the envelope and the optimiser's settings (its
// aim left out when `withObjective` is false: the front does not depend on it). What the best
// recipe found describes these inputs only.
quint64 inputsDigest(const ProjectDocument &document, const MixNumbers &numbers, const CorrectionState &state,
                     bool withObjective = true);

} // namespace Optimum
