#include "charts/Diagram.h"

#include "charts/Graph.h"
#include "core/Numbers.h"
#include "charts/Twips.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <cmath>
#include <numbers>

namespace Charts {

namespace {
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

QFont diagramFont()
{
    QFont font = chartFont(9, true);
    font.setPixelSize(12);
    return font;
}

namespace {

double px(double twips)
{
    return twips / TwipsPerPixel;
}

} // namespace

QList<DiagramText> diagramLabels(const DiagramInput &in, QSizeF size)
{
    QList<DiagramText> labels;
    const QFontMetricsF fm(diagramFont());
    const DiagramGeometry geo = diagramLayout(size.width() * TwipsPerPixel, size.height() * TwipsPerPixel);
    const QLocale locale(QLocale::Russian);
    for (const DiagramWedge &w : diagramWedges(in.baseRecipe, in.componentCount)) {
        const double mid = double(w.start) + double(w.sweep) / 2;
        DiagramText label;
        label.text = locale.toString(double(w.fraction), 'f', 2);
        // The top-left corner at the middle of the arc; where that would carry the text past the
        // picture's edge (a wedge at 6 o'clock, the arc near the right edge), the text moves in
        // just far enough to be read whole.
        label.box = QRectF(px(geo.cx + geo.R * std::cos(mid)), px(geo.cy + geo.R * std::sin(mid)),
                           std::ceil(fm.horizontalAdvance(label.text)) + 1, std::ceil(fm.height()));
        label.box.moveLeft(std::max(0.0, std::min(label.box.left(), size.width() - label.box.width())));
        label.box.moveTop(std::max(0.0, std::min(label.box.top(), size.height() - label.box.height())));
        labels << label;
    }
    return labels;
}

QList<DiagramText> diagramLegend(const DiagramInput &in, QSizeF size)
{
    QList<DiagramText> legend;
    const QFontMetricsF fm(diagramFont());
    const DiagramGeometry geo = diagramLayout(size.width() * TwipsPerPixel, size.height() * TwipsPerPixel);
    const double left = px(geo.cx + geo.R + 1600);
    const double room = std::max(0.0, size.width() - left - 2);
    for (int k = 0; k < in.componentCount && k < 10; ++k) {
        DiagramText entry;
        entry.name = in.names.value(k);
        entry.text = fm.horizontalAdvance(entry.name) <= room ? entry.name : fm.elidedText(entry.name, Qt::ElideRight, room);
        entry.shortened = entry.text != entry.name;
        entry.box = QRectF(left, px(980 + 400 * k), room, std::ceil(fm.height()));
        legend << entry;
    }
    return legend;
}

void drawDiagram(QImage &image, const DiagramInput &in)
{
    image.fill(Qt::white);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    g.setFont(diagramFont());
    const QSizeF size = image.deviceIndependentSize();
    const DiagramGeometry geo = diagramLayout(size.width() * TwipsPerPixel, size.height() * TwipsPerPixel);
    const QList<DiagramWedge> wedges = diagramWedges(in.baseRecipe, in.componentCount);
    const QList<DiagramText> labels = diagramLabels(in, size);
    const QList<DiagramText> legend = diagramLegend(in, size);
    const QRectF circle(px(geo.cx - geo.R), px(geo.cy - geo.R), px(2 * geo.R), px(2 * geo.R));
    for (int k = 0; k < wedges.size(); ++k) {
        const DiagramWedge &w = wedges[k];
        // Clockwise on the screen from the wedge's start angle (0 = 3 o'clock, y downwards).
        const double startDeg = -double(w.start) * 180.0 / std::numbers::pi;
        const double spanDeg = -double(w.sweep) * 180.0 / std::numbers::pi;
        g.setPen(QPen(QColor(212, 208, 200), 1));
        g.setBrush(diagramPalette(k));
        g.drawPie(circle, int(std::lround(startDeg * 16)), int(std::lround(spanDeg * 16)));
        const double mid = double(w.start) + double(w.sweep) / 2;
        const double lx = geo.cx + geo.R * std::cos(mid);
        const double ly = geo.cy + geo.R * std::sin(mid);
        g.setPen(Qt::red);
        g.setBrush(Qt::NoBrush);
        g.drawEllipse(QPointF(px(lx), px(ly)), px(20), px(20));
        g.setPen(Qt::black);
        g.drawText(labels[k].box, Qt::AlignLeft | Qt::AlignTop, labels[k].text);
        // The legend.
        const double sx = geo.cx + geo.R + 1000;
        const double sy = 1000 + 400 * k;
        g.fillRect(QRectF(QPointF(px(sx), px(sy)), QPointF(px(sx + 400), px(sy + 200))), diagramPalette(k));
        g.setPen(Qt::black);
        g.drawText(legend[k].box, Qt::AlignLeft | Qt::AlignTop, legend[k].text);
    }
}

} // namespace Charts
