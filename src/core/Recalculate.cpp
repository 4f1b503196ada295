#include "core/Recalculate.h"

#include "core/GrainMath.h"
#include "core/MixNumbers.h"
#include "core/Numbers.h"
#include "core/ProjectDocument.h"
#include "core/Reference.h"

#include <cmath>

namespace {

constexpr float LogAxisFloor = 0.0001f;

void referenceAt(const ProjectDocument &d, MixNumbers &x, int j, const Reference::Equation &equation)
{
    if (d.referenceKind == ReferenceKind::ManualReference) {
        if (const auto v = d.manualReference(j).number())
            x.referenceCurve.set(j, *v);
        return;
    }
    if (const auto D = x.sieveSize.get(j))
        if (const auto v = equation.value(*D))
            x.referenceCurve.set(j, *v);
}

void deviationAt(MixNumbers &x, int j)
{
    const auto ref = x.referenceCurve.get(j);
    const auto mix = x.correctedMixCurve.get(j);
    if (!ref || !mix)
        return;
    if (const auto dev = Num::single(std::fabs(double(*ref) - double(*mix))))
        x.curveDeviation.set(j, *dev);
}

void updateDivergence(int k, MixNumbers &x)
{
    // Without size classes there is nothing to diverge.
    x.curveDivergence = k >= 1 ? Reference::largestDeviation(x.curveDeviation, k) : 0.0f;
    for (int j = 1; j <= k; ++j) {
        const auto ref = x.referenceCurve.get(j);
        if (!ref)
            break; // beyond the storage: no further class can be stored either
        if (const auto up = Num::single(double(*ref) + double(x.curveDivergence)))
            x.referenceBandUpper.set(j, *up);
        if (const auto low = Num::single(double(*ref) - double(x.curveDivergence)))
            x.referenceBandLower.set(j, *low);
    }
}

} // namespace

void recalculate(const ProjectDocument &d, MixNumbers &x)
{
    x.componentCount = d.componentCount;
    const int n = x.componentCount;

    // The per-component inputs, then every volume fraction from the same complete set.
    for (int i = 1; i <= n; ++i) {
        if (const auto m = d.baseRecipe(i).number())
            x.baseRecipe.set(i, *m);
        if (const auto rho = d.density(i).number())
            x.grainDensity.set(i, *rho);
    }
    Grain::setVolumeFractions(x.baseRecipe, x.grainDensity, n, x.baseVolumeFraction);
    Grain::setVolumeFractions(x.correctedRecipe, x.grainDensity, n, x.correctedVolumeFraction);
    if (const auto sum = Grain::recipeSum(x.baseRecipe, n))
        x.baseRecipeSum = Num::roundHalfEven(double(*sum), 2);

    // The size classes. K is read once: a count that does not fit 16 bits computes no class.
    const auto kc = Num::toInt16(Num::Val(d.classCountText));
    if (!kc)
        return;
    const int k = *kc;
    // Classes beyond the storage have no slot: every statement for them would fail.
    const int stored = std::min(k, MaxClasses);
    if (k >= 1) {
        if (const auto d1 = d.size(1).number())
            x.maxSize = *d1;
        if (const auto dk = d.size(k).number())
            x.minSize = *dk;
    }
    const Reference::Coefficients c = Reference::coefficients(d);
    const Reference::Equation equation(d.referenceKind, c, x.maxSize, x.minSize);
    for (int j = 1; j <= stored; ++j)
        if (const auto size = d.size(j).number())
            x.sieveSize.set(j, *size);
    // The equation's curve only when what it is evaluated from has changed.
    MixNumbers::EquationInputs inputs{d.referenceKind, {c.n, c.a, c.n2, c.m, c.B}, x.maxSize, x.minSize, stored, x.sieveSize};
    const bool equationKnown = d.referenceKind != ReferenceKind::ManualReference && x.lastEquation == inputs;
    for (int j = 1; j <= stored; ++j) {
        for (int i = 1; i <= n; ++i) {
            const auto value = d.composition(j, i).number();
            if (value)
                x.enteredComposition.set(j, i, *value);
            if (const auto r = Grain::cumulateResidue(value, x.cumulativeResidue, j, i))
                x.cumulativeResidue.set(j, i, *r);
        }
        if (const auto base = Grain::mixPassing(x.baseVolumeFraction, d.dataForm, x.enteredComposition, x.cumulativeResidue, n, j))
            if (const auto f = Num::single(*base))
                x.baseMixCurve.set(j, *f);
        if (const auto corrected = Grain::mixPassing(x.correctedVolumeFraction, d.dataForm, x.enteredComposition, x.cumulativeResidue, n, j))
            if (const auto f = Num::single(*corrected))
                x.correctedMixCurve.set(j, *f);
        if (!equationKnown)
            referenceAt(d, x, j, equation);
        deviationAt(x, j);
    }
    if (d.referenceKind != ReferenceKind::ManualReference)
        x.lastEquation = inputs;
    updateDivergence(k, x);

    if (x.maxSize > x.minSize) {
        x.logAxisMax = x.maxSize;
        x.logAxisMin = x.minSize < LogAxisFloor ? LogAxisFloor : x.minSize;
    }
}
