#pragma once

// The state of the correction step: the sliders, the locks, the bounds of the automatic search
// and the search's random walk. The corrected recipe itself lives in MixNumbers.

#include "core/Storage.h"

#include <QString>

// What the best recipe aims at: the smallest divergence, or the lowest cost per tonne.
enum class Objective : uint8_t { Divergence = 0, Cost = 1 };

// The best recipe's aim and the constraints it honours besides the locks and the bounds.
struct OptimiserSettings
{
    Objective objective = Objective::Divergence;
    // The divergence at most D, percentage points, while on; D as typed (decimal comma).
    bool divergenceCapOn = false;
    QString maxDivergenceText;
    // The mix inside the grading envelope, when the project has one.
    bool withinEnvelope = true;
    // At most m components with a non-zero share, while on.
    bool componentCapOn = false;
    int maxComponents = MaxComponents;

    bool operator==(const OptimiserSettings &) const = default;
};

struct CorrectionState
{
    // Slider positions 0..10000 (slider = corrected fraction x 100); index 1..10.
    std::array<int, MaxComponents + 1> slider{};
    // The position each slider had before the last adjustment moved it.
    Slots<int16_t, MaxComponents + 1> sliderLastValue;
    // Locked components keep their fractions; only components 1..N can be locked.
    std::array<bool, MaxComponents + 1> locked{};
    // Set while the correction itself moves sliders: their moves start no adjustment.
    bool adjusting = false;

    bool searchOn = false;
    bool boundsOn = false;
    // Bounds of each fraction for the automatic search and the best recipe, percent.
    ComponentFloats variationMin;
    ComponentFloats variationMax;
    OptimiserSettings optimiser;

    // The automatic search's random walk (kept between runs of the search).
    ComponentFloats lockedFraction; // corrected fraction of a locked component, 0 otherwise
    ComponentFloats trialRecipe;
    ComponentFloats previousTrial;
    ComponentFloats trialVolumeFraction;
    ClassFloats trialMixCurve;
    DeviationFloats trialDeviation;
    float trialDivergence = 0.0f;
    int16_t searchComponent = 1;

    bool operator==(const CorrectionState &) const = default;
};
