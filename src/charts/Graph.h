#pragma once

// The granulometric graph of step 5.3: passing A (0..100 %) against size D on a linear or
// logarithmic abscissa, with the reference, base and corrected curves and the band of plus and
// minus the divergence around the reference. Coordinates are twips of the picture (15 per
// pixel); the picture is a retained image, painted here without widgets.

#include "core/MixProject.h"

#include <QFont>
#include <QImage>

#include <optional>

// The font of the chart texts: "Courier New" where installed, otherwise a metric-compatible
// monospace (Liberation Mono).
QFont ChartFont(double pointSize, bool bold = false);

// Ordinate of passing `a`: PlotTop at 100 %, PlotBottom at 0 %.
float PassingToY(const MixProject &project, float a);
// Ordinate of a curve at class j; nullopt beyond the storage.
std::optional<float> PassingToY(const MixProject &project, const ClassFloats &curve, int j);
// Abscissa of size class j: mode 1 linear, 0 logarithmic; any other mode gives no value.
std::optional<float> SizeToX(const MixProject &project, int mode, int j);
// The two transforms of a size, and their inverses (used by the pointer read-out).
std::optional<float> LinearX(const MixProject &project, float d);
std::optional<float> LogX(const MixProject &project, double d);
std::optional<float> LinearD(const MixProject &project, float x);
std::optional<double> LogD(const MixProject &project, float x);

// Redraws the whole graph into `image` (its size in pixels is the picture's inner size) and
// sets the text of Pogreshnost.
void DrawGranulometricGraph(MixProject &project, QImage &image);

// The divergence text alone, as the redraw sets it.
void UpdateDivergenceText(MixProject &project);

// The pointer moved over the graph to (x, y) twips: the crosshair GrVL/GrGL and Koords.
void GraphMouseMove(MixProject &project, float x, float y);
// Decimals of the size read-out for an unrounded size d.
int ReadoutDecimals(double d);
