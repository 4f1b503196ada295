#pragma once

// Manual correction of the mass fractions in step 5: sliders that keep the sum at 100 %,
// "+"/"-" buttons, locks, the read-outs and locks refreshed on every tick, the total of the
// locked sliders, and the return to the base recipe.
//
// Slider value = corrected fraction x 100 (one unit = 0.01 %). Setting a slider from code
// raises its change notification at once; the guard SliderMouseChangeStatus ("1") stops the
// nested adjustments that are not wanted.

#include "core/MixProject.h"

// Bitmaps of the padlock pictures.
inline constexpr int ClosedPadlock = 122;
inline constexpr int OpenPadlock = 123;

// The response to a movement of slider i: clamp against the locked sliders, share the rest
// among the other unlocked sliders in proportion, correct the rounding residue, recalculate.
void AdjustSliders(MixProject &project, int i);

// "+" and "-" of component i: the slider moves by one unit (a press at the end of the scale
// is ignored); its change notification runs the adjustment.
void SliderPlus(MixProject &project, int i);
void SliderMinus(MixProject &project, int i);

// Corrected recipe := base recipe (a cell that is not a number leaves its fraction), locks
// released, sliders following (slider = floor(fraction x 100)), recalculated.
void ResetCorrectedRecipe(MixProject &project);

// Part of every Timer1 tick: locked fractions, padlock pictures, the read-outs M_lab, M_lab_rn
// and summa, and the previous values of the search's trial.
void RefreshCorrectionDisplay(MixProject &project);

// Every Timer2 tick: LockedSliderTotal = the sum of the values of the locked sliders among
// components 1..N.
void UpdateLockedSliderTotal(MixProject &project);

// Connects the sliders, the "+"/"-" buttons, the locks, "Исходный состав", AutoCheck and
// BoundsCheck of the model to their handlers.
void ConnectCorrectionHandlers(MixProject &project);
