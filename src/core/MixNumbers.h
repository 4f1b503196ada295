#pragma once

// The numbers of a mix design, computed from its document by recalculate().
//
// Every value persists until a later recalculation replaces it: where a statement of the
// calculation fails (a cell that is empty or not a number, a division by zero, an index beyond
// the storage), its target keeps what it held, as the user expects when he has not finished
// typing a table. Slots above the current N or K keep whatever they last held.
//
// The corrected recipe is the one number not computed from the document: the manual
// correction, the automatic search, opening a project and the database transfer write it, and
// the calculation only reads it.

#include "core/Storage.h"

struct MixNumbers
{
    int16_t componentCount = 0;
    ComponentFloats grainDensity;
    ComponentFloats baseRecipe;
    ComponentFloats correctedRecipe;
    ComponentFloats baseVolumeFraction;
    ComponentFloats correctedVolumeFraction;
    // The sum of the base recipe rounded to 2 decimals, as the base-recipe step shows it.
    double baseRecipeSum = 0.0;

    ClassFloats sieveSize;
    float maxSize = 0.0f; // D of class 1
    float minSize = 0.0f; // D of class K
    ClassTable<float> enteredComposition;
    ClassTable<float> cumulativeResidue;

    ClassFloats baseMixCurve;
    ClassFloats correctedMixCurve;
    ClassFloats referenceCurve;
    DeviationFloats curveDeviation; // slots 1..51
    float curveDivergence = 0.0f;
    ClassFloats referenceBandUpper;
    ClassFloats referenceBandLower;

    // The logarithmic size axis of the graph: the size range of the last calculation in which
    // the largest size exceeded the smallest (the smallest never below 0.0001).
    float logAxisMax = 0.0f;
    float logAxisMin = 0.0f;

    // What the reference equation was last evaluated from. The same inputs give the same curve
    // (a failure then fails again and keeps the same value), so the calculation skips the
    // equation when they have not changed, as after an edit of a composition.
    struct EquationInputs
    {
        ReferenceKind kind = ReferenceKind::FunkDinger;
        std::array<float, 5> coefficients{};
        float maxSize = 0.0f;
        float minSize = 0.0f;
        int classes = 0;
        ClassFloats sizes;
        bool operator==(const EquationInputs &) const = default;
    };
    std::optional<EquationInputs> lastEquation;

    bool operator==(const MixNumbers &) const = default;
};
