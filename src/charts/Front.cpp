#include "charts/Front.h"

#include "charts/Graph.h"
#include "core/Numbers.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Charts {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Front)
};

const QColor LineColour(0, 0, 255);
const QColor PointColour(0, 0, 160);
const QColor HighlightColour(255, 0, 0);
const QColor FrameColour(128, 128, 128);
constexpr double HitRadius = 7.0;

// The plot inside a picture and the ranges it maps, in logical pixels.
struct Frame
{
    QRectF plot;
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
    // The points keep clear of the frame.
    QPointF at(QPointF value) const
    {
        const QRectF inner = plot.adjusted(6, 6, -6, -6);
        return QPointF(inner.left() + (value.x() - xMin) / (xMax - xMin) * inner.width(),
                       inner.bottom() - (value.y() - yMin) / (yMax - yMin) * inner.height());
    }
};

QFont frontFont()
{
    QFont font = chartFont(8);
    font.setPixelSize(11);
    return font;
}

// A range that a single value, or equal values, still spreads over.
void spread(double &lo, double &hi)
{
    if (hi - lo > 1e-9 * std::max(1.0, std::fabs(hi)))
        return;
    const double pad = std::max(1.0, std::fabs(hi) * 0.05);
    lo -= pad;
    hi += pad;
}

// The cost at an end of the axis: whole roubles, or kopecks where the front spans a few roubles
// only (two ends reading the same would say nothing).
QString costLabel(double cost, double span)
{
    return Num::formatRounded(cost, span < 10 ? 2 : 0);
}

Frame frameOf(QSizeF size, const FrontInput &in)
{
    Frame f;
    const QFontMetricsF metrics(frontFont());
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
    if (!in.points.isEmpty()) {
        xMin = xMax = in.points.first().x();
        yMin = yMax = in.points.first().y();
        for (const QPointF &p : in.points) {
            xMin = std::min(xMin, p.x());
            xMax = std::max(xMax, p.x());
            yMin = std::min(yMin, p.y());
            yMax = std::max(yMax, p.y());
        }
    }
    spread(xMin, xMax);
    spread(yMin, yMax);
    f.xMin = xMin;
    f.xMax = xMax;
    f.yMin = yMin;
    f.yMax = yMax;
    // Room for the cost labels on the left and the divergence labels under the plot.
    const double left = std::max(metrics.horizontalAdvance(costLabel(yMax, yMax - yMin)),
                                 metrics.horizontalAdvance(costLabel(yMin, yMax - yMin)))
        + 10;
    const double line = metrics.height();
    f.plot = QRectF(QPointF(left, line + 4), QPointF(size.width() - 12, size.height() - 2 * line - 6));
    return f;
}

} // namespace

void drawFront(QImage &image, const FrontInput &in)
{
    image.fill(Qt::white);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setFont(frontFont());
    const QSizeF size = image.deviceIndependentSize();
    const Frame f = frameOf(size, in);
    const QFontMetricsF metrics(g.font());
    g.setPen(QPen(FrameColour, 1));
    g.drawRect(f.plot);
    g.setPen(Qt::black);
    g.drawText(QPointF(2, metrics.ascent()), Texts::tr("Стоимость, руб./т"));
    const QString axis = Texts::tr("Расхождение, %");
    g.drawText(QPointF(f.plot.center().x() - metrics.horizontalAdvance(axis) / 2, size.height() - metrics.descent() - 1), axis);
    if (in.points.isEmpty()) {
        g.setPen(QColor(96, 96, 96));
        g.drawText(f.plot, Qt::AlignCenter | Qt::TextWordWrap, Texts::tr("Фронт «стоимость – расхождение» не построен"));
        return;
    }
    // The ends of both axes.
    const QString yTop = costLabel(f.yMax, f.yMax - f.yMin), yBottom = costLabel(f.yMin, f.yMax - f.yMin);
    const QPointF low = f.at(QPointF(f.xMin, f.yMin)), high = f.at(QPointF(f.xMax, f.yMax));
    g.drawText(QPointF(f.plot.left() - 5 - metrics.horizontalAdvance(yTop), high.y() + metrics.ascent() / 2), yTop);
    g.drawText(QPointF(f.plot.left() - 5 - metrics.horizontalAdvance(yBottom), low.y() + metrics.ascent() / 2), yBottom);
    const QString xLeft = Num::formatRounded(f.xMin, 2), xRight = Num::formatRounded(f.xMax, 2);
    const double labelY = f.plot.bottom() + metrics.ascent() + 2;
    g.drawText(QPointF(low.x() - metrics.horizontalAdvance(xLeft) / 2, labelY), xLeft);
    g.drawText(QPointF(std::min(high.x() - metrics.horizontalAdvance(xRight) / 2, size.width() - metrics.horizontalAdvance(xRight) - 2), labelY), xRight);

    g.setPen(QPen(LineColour, 1.5));
    for (int p = 1; p < in.points.size(); ++p)
        g.drawLine(f.at(in.points[p - 1]), f.at(in.points[p]));
    for (int p = 0; p < in.points.size(); ++p) {
        const bool lit = in.highlighted == p;
        g.setPen(Qt::NoPen);
        g.setBrush(lit ? HighlightColour : PointColour);
        const double r = lit ? 4.5 : 3.0;
        g.drawEllipse(f.at(in.points[p]), r, r);
    }
}

std::optional<QPointF> frontPointPosition(QSizeF size, const FrontInput &in, int index)
{
    if (index < 0 || index >= in.points.size())
        return std::nullopt;
    return frameOf(size, in).at(in.points[index]);
}

std::optional<int> frontPointAt(QSizeF size, const FrontInput &in, QPointF position)
{
    const Frame f = frameOf(size, in);
    std::optional<int> nearest;
    double best = HitRadius;
    for (int p = 0; p < in.points.size(); ++p) {
        const QPointF d = f.at(in.points[p]) - position;
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= best) {
            best = distance;
            nearest = p;
        }
    }
    return nearest;
}

} // namespace Charts
