#include "charts/Diagram.h"

#include "charts/Graph.h"
#include "core/Numbers.h"

#include <QLocale>
#include <QPainter>

#include <cmath>

namespace Charts {

namespace {
constexpr double TwipsPerPixel = 15.0;
constexpr double TwoPi = 6.28318530717958;
} // namespace

QColor diagramPalette(int k)
{
    static const QColor palette[10] = {
        QColor(255, 192, 192), QColor(255, 224, 192), QColor(255, 255, 192), QColor(192, 255, 192),
        QColor(192, 255, 255), QColor(192, 192, 255), QColor(255, 192, 255), QColor(255, 128, 128),
        QColor(255, 192, 128), QColor(255, 255, 128),
    };
    return k >= 0 && k < 10 ? palette[k] : QColor(Qt::white);
}

DiagramGeometry diagramLayout(double scaleWidth, double scaleHeight)
{
    DiagramGeometry g;
    g.cx = scaleWidth / 2 - 1200;
    g.cy = scaleHeight / 2;
    return g;
}

QList<DiagramWedge> diagramWedges(const ComponentFloats &baseRecipe, int n)
{
    QList<DiagramWedge> wedges;
    float total = 0;
    for (int k = 0; k < n && k < 10; ++k) {
        DiagramWedge w;
        w.fraction = float(Num::roundHalfEven(double(baseRecipe[k + 1]), 2));
        total += w.fraction;
        wedges << w;
    }
    const double roundedTotal = Num::roundHalfEven(double(total), 2);
    float start = float(-TwoPi);
    for (DiagramWedge &w : wedges) {
        w.start = start;
        w.sweep = roundedTotal != 0.0 ? float(Num::roundHalfEven(double(w.fraction) * (TwoPi / roundedTotal), 2)) : 0.0f;
        start += w.sweep;
    }
    return wedges;
}

void drawDiagram(QImage &image, const DiagramInput &in, double scale)
{
    image.fill(Qt::white);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    QFont font = chartFont(9, true);
    font.setPixelSize(std::max(1, int(std::lround(12 * scale))));
    g.setFont(font);
    const double sw = image.width() / scale * TwipsPerPixel;
    const double sh = image.height() / scale * TwipsPerPixel;
    const DiagramGeometry geo = diagramLayout(sw, sh);
    const QList<DiagramWedge> wedges = diagramWedges(in.baseRecipe, in.componentCount);
    const QLocale locale(QLocale::Russian);
    auto px = [scale](double twips) { return twips / TwipsPerPixel * scale; };
    const QRectF circle(px(geo.cx - geo.R), px(geo.cy - geo.R), px(2 * geo.R), px(2 * geo.R));
    for (int k = 0; k < wedges.size(); ++k) {
        const DiagramWedge &w = wedges[k];
        // Clockwise on the screen from the wedge's start angle (0 = 3 o'clock, y downwards).
        const double startDeg = -double(w.start) * 180.0 / M_PI;
        const double spanDeg = -double(w.sweep) * 180.0 / M_PI;
        g.setPen(QPen(QColor(212, 208, 200), scale));
        g.setBrush(diagramPalette(k));
        g.drawPie(circle, int(std::lround(startDeg * 16)), int(std::lround(spanDeg * 16)));
        const double mid = double(w.start) + double(w.sweep) / 2;
        const double lx = geo.cx + geo.R * std::cos(mid);
        const double ly = geo.cy + geo.R * std::sin(mid);
        g.setPen(Qt::red);
        g.setBrush(Qt::NoBrush);
        g.drawEllipse(QPointF(px(lx), px(ly)), px(20), px(20));
        g.setPen(Qt::black);
        g.drawText(QRectF(px(lx), px(ly), 200 * scale, 40 * scale), Qt::AlignLeft | Qt::AlignTop, locale.toString(double(w.fraction), 'f', 2));
        // Legend.
        const double sx = geo.cx + geo.R + 1000;
        const double sy = 1000 + 400 * k;
        g.fillRect(QRectF(QPointF(px(sx), px(sy)), QPointF(px(sx + 400), px(sy + 200))), diagramPalette(k));
        g.setPen(Qt::black);
        g.drawText(QRectF(px(geo.cx + geo.R + 1600), px(980 + 400 * k), 400 * scale, 40 * scale), Qt::AlignLeft | Qt::AlignTop,
                   in.names.value(k));
    }
}

} // namespace Charts
