#pragma once

// The pie diagram of the base recipe in step 3: one wedge per component, clockwise from
// 3 o'clock, its fraction written at the middle of its arc, and a legend of coloured squares
// and names to the right. Coordinates are twips of the picture (15 per pixel).

#include "core/MixProject.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QImage>

QColor DiagramPalette(int k);

// Geometry of the diagram for a picture of the given size in twips.
struct DiagramGeometry
{
    double R = 2400;
    double cx = 0;
    double cy = 0;
};
DiagramGeometry DiagramLayout(double scaleWidth, double scaleHeight);

// The sweep of each wedge, radians, as drawn: fraction * (2 pi / total), rounded to 0.01.
struct DiagramWedge
{
    float fraction = 0;
    float start = 0;
    float sweep = 0;
};
QList<DiagramWedge> DiagramWedges(const MixProject &project, int n);

// The font of the diagram's texts.
QFont DiagramFont();

// Where the texts of the diagram stand in a picture of `size` pixels: each wedge's fraction
// (kept wholly inside the picture, moved in from its edge where the arc runs along it) and each
// legend name (shortened with "…" where the picture ends; `name` is the whole name).
struct DiagramText
{
    QRectF box;
    QString text;
    QString name;
    bool shortened = false;
};
QList<DiagramText> DiagramLabels(const MixProject &project, int n, QSizeF size);
QList<DiagramText> DiagramLegend(const MixProject &project, int n, QSizeF size);

// Clears `image` and draws the diagram of components 1..n.
void DrawMassFractionDiagram(const MixProject &project, int n, QImage &image);
