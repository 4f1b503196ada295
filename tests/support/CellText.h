#pragma once

// The text of a grid cell for comparisons: the cell's text, or "<no cell>" where the cell does
// not exist (so that a missing cell never compares equal to an empty one).

#include "core/GridModel.h"

#include <QString>

inline QString txt(const GridModel &grid, int row, int col)
{
    const QString *t = grid.text(row, col);
    return t ? *t : QStringLiteral("<no cell>");
}
