#pragma once

// The view options of the granulometric graph (not part of a project file).
struct GraphOptions
{
    bool logarithmic = false; // logarithmic size axis
    bool grid = true;         // coordinate grid
    bool operator==(const GraphOptions &) const = default;
};
