#pragma once

// Validation of all tables, run on every Timer1 tick: marks errors next to the tables, fills
// the error list of the grain-composition table, sets the validity flags, and resets the
// corrected recipe when one of its fractions has left 0..100.

#include "core/MixProject.h"

// `clipboardHasText` enables ComPaste; the window tracks it from the clipboard's own signal.
void ValidateTables(MixProject &project, bool clipboardHasText);

// On a click of ComErrView: the lines in error are stacked without gaps in the error panel.
void LayoutErrorList(MixProject &project);
