#pragma once

#include "core/MixProject.h"

// Turns the window's texts into the numeric state and brings the dependent views up to date:
// reshapes the five tables to N and K, re-reads every input, recomputes the volume fractions,
// the mix curves, the reference, the divergence and the band, places the slider rows of the
// correction step, and tells the graph to redraw. Every statement stands alone: one that fails
// is skipped and its target keeps its previous value. Safe to enter again from a cell event.
void Recalculate(MixProject &project);
