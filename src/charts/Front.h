#pragma once

// The cost-divergence front: the cheapest recipe at each divergence, as points of cost (per
// tonne) against divergence (percentage points) joined by lines. Drawing is a pure function of
// its inputs into an image, as the graph is drawn; the point under the pointer is found the same
// way, so the window needs no geometry of its own.

#include <QImage>
#include <QList>
#include <QPointF>
#include <QSizeF>

#include <optional>

namespace Charts {

struct FrontInput
{
    QList<QPointF> points;          // x: divergence, %; y: cost per tonne; ordered by divergence
    std::optional<int> highlighted; // the point whose recipe the mix has now
};

// Draws the front into `image`, in its logical pixels; an empty front shows a hint.
void drawFront(QImage &image, const FrontInput &in);

// The point drawn within a few pixels of `position` (logical pixels of a picture of
// `pictureSize`), the nearest one; nothing elsewhere.
std::optional<int> frontPointAt(QSizeF pictureSize, const FrontInput &in, QPointF position);

// Where point `index` is drawn in a picture of `pictureSize`.
std::optional<QPointF> frontPointPosition(QSizeF pictureSize, const FrontInput &in, int index);

} // namespace Charts
