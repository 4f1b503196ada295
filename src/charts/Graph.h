#pragma once

// The granulometric graph: passing A (0..100 %) against size D on a linear or logarithmic
// abscissa, with the reference, base and corrected curves and the band of plus and minus the
// divergence around the reference. Drawing is a pure function of its inputs into an image; the
// window and the report both draw it this way.
//
// Positions are in twips of the picture (1/1440 inch; 15 twips to a logical pixel): the plot
// area lies 500 twips inside every edge.

#include "core/Envelope.h"
#include "core/GraphOptions.h"
#include "core/MixNumbers.h"

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace Charts {

// The font of the chart texts: "Courier New" where installed, otherwise a metric-compatible
// monospace (Liberation Mono).
QFont chartFont(double pointSize, bool bold = false);

// What the graph shows.
struct GraphInput
{
    const MixNumbers &numbers;
    int classCount = 0;          // K
    bool tablesValid = false;    // curves and the divergence only for valid tables
    bool grainTableValid = false;
    bool baseRecipeValid = false;
    GraphOptions options;
    // The grading envelope, drawn dashed in its own colour; nothing without one.
    const EnvelopeLimits *envelope = nullptr;
};

// The colour of the envelope's dashed lines (the window's legend uses it too).
QColor envelopeColour();

// The plot area of a picture, in its twips.
struct PlotArea
{
    float left = 500.0f;
    float top = 500.0f;   // A = 100 %
    float right = 0.0f;
    float bottom = 0.0f;  // A = 0 %
};
// The picture's size is in its logical pixels (an image's device-independent size).
PlotArea plotArea(QSizeF pictureSize);

// The plot area in logical pixels of a picture.
QRectF plotRect(QSizeF pictureSize);

// The transforms of the axes (twips of the plot), nothing where they cannot be formed.
float passingToY(const PlotArea &plot, float a);
std::optional<float> linearX(const GraphInput &in, const PlotArea &plot, float d);
std::optional<float> logX(const GraphInput &in, const PlotArea &plot, double d);

// Draws the whole graph into `image`, in its logical pixels: an image with a device pixel ratio
// (a high-density screen, print resolution) gets the same picture in finer detail.
void drawGraph(QImage &image, const GraphInput &in);

// The pointer read-out at a point of the picture (logical pixels): the crosshair
// lines (where the pointer lies within the plot's extent in each direction) and the read-out
// text, shown while the pointer lies inside the plot.
struct PointerReadout
{
    bool verticalLine = false;
    bool horizontalLine = false;
    bool textShown = false;
    // The read-out's text; nothing where it cannot be formed (the text shown stays).
    std::optional<QString> text;
};
PointerReadout pointerReadout(const GraphInput &in, QSizeF pictureSize, QPointF position);

// Decimals of the size read-out for an unrounded size d.
int readoutDecimals(double d);

} // namespace Charts
