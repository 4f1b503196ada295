#pragma once

#include "core/MixProject.h"

// The main window's input handlers that do not need a widget: counts, coefficients, the data
// form and reference options, and the graph options all end in Recalculate(). The window and the
// command-line tool connect the same handlers, so both compute the same numbers.
void ConnectInputHandlers(MixProject &project);

// Etalon_5 chosen: tabl(5) is cleared, gets its headers and the sizes of tabl(3), and its row of
// reference passings is left empty for the user to fill.
void PrepareManualReference(MixProject &project);
