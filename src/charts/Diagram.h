#pragma once

// The pie diagram of the base recipe: one wedge per component, clockwise from 3 o'clock, its
// fraction written at the middle of its arc, and a legend of coloured squares and names to the
// right. Drawing is a pure function of its inputs into an image.
//
// Positions are in twips of the picture (15 twips to a logical pixel).

#include "core/Storage.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QStringList>

namespace Charts {

QColor diagramPalette(int k);

// What the diagram shows: the base recipe of components 1..n and their names (index i - 1).
struct DiagramInput
{
    const ComponentFloats &baseRecipe;
    int componentCount = 0;
    QStringList names;
};

// Geometry of the diagram for a picture of the given size in twips.
struct DiagramGeometry
{
    double R = 2400;
    double cx = 0;
    double cy = 0;
};
DiagramGeometry diagramLayout(double scaleWidth, double scaleHeight);

// The wedges as drawn: each fraction rounded to 2 decimals, its sweep fraction * (2 pi / total)
// rounded to 0.01 rad, the first starting at -2 pi.
struct DiagramWedge
{
    float fraction = 0;
    float start = 0;
    float sweep = 0;
};
QList<DiagramWedge> diagramWedges(const ComponentFloats &baseRecipe, int n);

// The font of the diagram's texts.
QFont diagramFont();

// Where the texts of the diagram stand in a picture of `size` logical pixels: each wedge's
// fraction (kept wholly inside the picture, moved in from its edge where the arc runs along it)
// and each legend name (shortened with "…" where the picture ends; `name` is the whole name).
struct DiagramText
{
    QRectF box;
    QString text;
    QString name;
    bool shortened = false;
};
QList<DiagramText> diagramLabels(const DiagramInput &in, QSizeF size);
QList<DiagramText> diagramLegend(const DiagramInput &in, QSizeF size);

// Clears `image` and draws the diagram in its logical pixels.
void drawDiagram(QImage &image, const DiagramInput &in);

} // namespace Charts
