#pragma once

// The main window's layout on resize, and the wheel scrolling of its grids. Both work on the
// model's geometry (twips); the window applies it.

#include "core/MixProject.h"

// The window's minimum size, in pixels.
inline constexpr int MinimumWindowWidth = 950;
inline constexpr int MinimumWindowHeight = 720;

// Re-places the controls for an inner size of W x H twips, sets the graph's plot rectangle and
// recalculates (the tables' column widths follow their widths).
void LayoutWindow(MixProject &project, int W, int H);

// Scrolls the grid by one page of fully visible rows per notch; rotation > 0 turns away from
// the user (towards the top).
void ScrollGridByWheel(GridModel &grid, int rotation);
