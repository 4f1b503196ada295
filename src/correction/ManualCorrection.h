#pragma once

// Manual correction of the mass fractions in step 5: the read-outs and locks refreshed on every
// tick, the total of the locked sliders, and the return to the base recipe.

#include "core/MixProject.h"

// Bitmaps of the padlock pictures.
inline constexpr int ClosedPadlock = 122;
inline constexpr int OpenPadlock = 123;

// Corrected recipe := base recipe (a cell that is not a number leaves its fraction), locks
// released, sliders following (slider = floor(fraction x 100)), recalculated.
void ResetCorrectedRecipe(MixProject &project);

// Part of every Timer1 tick: locked fractions, padlock pictures, the read-outs M_lab and summa.
void RefreshCorrectionDisplay(MixProject &project);

// Every Timer2 tick: LockedSliderTotal = the sum of the locked sliders' values.
void UpdateLockedSliderTotal(MixProject &project);
