#include "charts/Graph.h"

#include "core/Numbers.h"
#include "charts/Twips.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QPainter>

#include <cmath>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Graph)
};

} // namespace

namespace Charts {

namespace {

constexpr float PlotMargin = 500.0f;

const QColor ReferenceColour(0, 0, 255);
const QColor BaseColour(255, 192, 128);
const QColor CorrectedColour(255, 0, 0);
const QColor BandColour(128, 128, 128);
const QColor LightGrid(224, 224, 224);
const QColor LogGrid(192, 192, 192);
const QColor FrameColour(128, 128, 128);
const QColor EnvelopeColour(0, 150, 0);

double lg(double x)
{
    return std::log(x) / std::log(10.0);
}

// Drawing in twips onto an image (in its logical pixels: an image drawn for print or a
// high-density screen has more device pixels, and the painter scales to them).
class TwipPainter
{
public:
    explicit TwipPainter(QImage &image)
        : m_g(&image)
    {
        m_g.setRenderHint(QPainter::Antialiasing, false);
        m_g.setRenderHint(QPainter::TextAntialiasing, true);
    }
    QPainter &painter() { return m_g; }
    void line(double x1, double y1, double x2, double y2, const QColor &colour, int widthPx, Qt::PenStyle style = Qt::SolidLine)
    {
        if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
            return;
        m_g.setPen(QPen(colour, widthPx, style, Qt::FlatCap));
        m_g.drawLine(QLineF(x1 * Unit, y1 * Unit, x2 * Unit, y2 * Unit));
    }
    void fill(double x1, double y1, double x2, double y2, const QColor &colour)
    {
        const QRectF r = QRectF(QPointF(x1 * Unit, y1 * Unit), QPointF(x2 * Unit, y2 * Unit)).normalized();
        m_g.fillRect(r.adjusted(0, 0, 1, 1), colour);
    }
    void rect(double x1, double y1, double x2, double y2, const QColor &colour)
    {
        m_g.setPen(QPen(colour, 1));
        m_g.setBrush(Qt::NoBrush);
        m_g.drawRect(QRectF(QPointF(x1 * Unit, y1 * Unit), QPointF(x2 * Unit, y2 * Unit)).normalized());
    }
    // Text with its top-left corner at (x, y).
    void print(double x, double y, const QString &text)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        m_g.setPen(Qt::black);
        m_g.drawText(QRectF(x * Unit, y * Unit, 4000, 200), Qt::AlignLeft | Qt::AlignTop, text);
    }

private:
    static constexpr double Unit = 1.0 / TwipsPerPixel;
    QPainter m_g;
};

// A 16-bit integer written with one leading blank.
QString intText(int i)
{
    return u' ' + QString::number(i);
}

std::optional<float> passingY(const PlotArea &plot, const ClassFloats &curve, int j)
{
    const auto a = curve.get(j);
    if (!a)
        return std::nullopt;
    const float y = passingToY(plot, *a);
    if (!std::isfinite(y))
        return std::nullopt;
    return y;
}

std::optional<float> sizeX(const GraphInput &in, const PlotArea &plot, int j)
{
    const auto d = in.numbers.sieveSize.get(j);
    if (!d)
        return std::nullopt;
    return in.options.logarithmic ? logX(in, plot, double(*d)) : linearX(in, plot, *d);
}

std::optional<float> linearD(const GraphInput &in, const PlotArea &plot, float x)
{
    const float span = plot.left - plot.right;
    if (span == 0.0f)
        return std::nullopt;
    const float d = in.numbers.minSize + (plot.left - x) * (in.numbers.maxSize - in.numbers.minSize) / span;
    if (!std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<double> logD(const GraphInput &in, const PlotArea &plot, float x)
{
    const MixNumbers &m = in.numbers;
    if (m.logAxisMax <= 0.0f || m.logAxisMin <= 0.0f || plot.right == plot.left)
        return std::nullopt;
    const double e = lg(double(m.logAxisMax))
        + double(plot.right - x) * (lg(double(m.logAxisMin)) - lg(double(m.logAxisMax))) / double(plot.right - plot.left);
    const double d = std::pow(10.0, e);
    if (!std::isfinite(d))
        return std::nullopt;
    return d;
}

// The five segments from class j to class j - 1; a failure abandons the rest of the class.
void drawCurveSegments(const GraphInput &in, const PlotArea &plot, TwipPainter &g, int j)
{
    if (!in.tablesValid)
        return;
    const MixNumbers &m = in.numbers;
    const ClassFloats *curves[5] = {&m.referenceCurve, &m.baseMixCurve, &m.correctedMixCurve, &m.referenceBandUpper,
                                    &m.referenceBandLower};
    const QColor colours[5] = {ReferenceColour, BaseColour, CorrectedColour, BandColour, BandColour};
    for (int c = 0; c < 5; ++c) {
        const auto x1 = sizeX(in, plot, j);
        const auto y1 = passingY(plot, *curves[c], j);
        const auto x0 = sizeX(in, plot, j - 1);
        const auto y0 = passingY(plot, *curves[c], j - 1);
        if (!x1 || !y1 || !x0 || !y0)
            return;
        g.line(*x1, *y1, *x0, *y0, colours[c], 2);
    }
}

// The envelope's limits of one side: a dashed segment between neighbouring classes that both
// have a limit, a short dash at a limit standing alone.
void drawEnvelopeSide(const GraphInput &in, const PlotArea &plot, TwipPainter &g, const std::array<std::optional<float>, MaxClasses + 1> &side)
{
    const int k = std::min(in.classCount, MaxClasses);
    auto point = [&](int j) -> std::optional<QPointF> {
        if (j < 1 || j > k || !side[size_t(j)])
            return std::nullopt;
        const auto x = sizeX(in, plot, j);
        const float y = passingToY(plot, *side[size_t(j)]);
        if (!x || !std::isfinite(y))
            return std::nullopt;
        return QPointF(*x, y);
    };
    for (int j = 1; j <= k; ++j) {
        const auto here = point(j);
        if (!here)
            continue;
        const auto next = point(j + 1);
        if (next)
            g.line(here->x(), here->y(), next->x(), next->y(), EnvelopeColour, 2, Qt::DashLine);
        else if (!point(j - 1))
            g.line(here->x() - 90, here->y(), here->x() + 90, here->y(), EnvelopeColour, 2);
    }
}

} // namespace

QColor envelopeColour()
{
    return EnvelopeColour;
}

QFont chartFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    if (!QFontInfo(font).fixedPitch())
        font.setFamily(QStringLiteral("Liberation Mono"));
    return font;
}

PlotArea plotArea(QSizeF pictureSize)
{
    PlotArea p;
    p.left = PlotMargin;
    p.top = PlotMargin;
    p.right = float(pictureSize.width() * TwipsPerPixel) - PlotMargin;
    p.bottom = float(pictureSize.height() * TwipsPerPixel) - PlotMargin;
    return p;
}

QRectF plotRect(QSizeF pictureSize)
{
    const PlotArea p = plotArea(pictureSize);
    return QRectF(QPointF(p.left / TwipsPerPixel, p.top / TwipsPerPixel), QPointF(p.right / TwipsPerPixel, p.bottom / TwipsPerPixel));
}

float passingToY(const PlotArea &plot, float a)
{
    return plot.top + (100.0f - a) * (plot.bottom - plot.top) / 100.0f;
}

std::optional<float> linearX(const GraphInput &in, const PlotArea &plot, float d)
{
    const float span = in.numbers.maxSize - in.numbers.minSize;
    if (span == 0.0f)
        return std::nullopt;
    const float x = plot.left + (d - in.numbers.minSize) * (plot.right - plot.left) / span;
    if (!std::isfinite(x))
        return std::nullopt;
    return x;
}

std::optional<float> logX(const GraphInput &in, const PlotArea &plot, double d)
{
    const MixNumbers &m = in.numbers;
    const double dd = d < 0.0001 ? 0.0001 : d;
    if (m.logAxisMax <= 0.0f || m.logAxisMin <= 0.0f)
        return std::nullopt;
    const double span = lg(double(m.logAxisMin)) - lg(double(m.logAxisMax));
    if (span == 0.0)
        return std::nullopt;
    const double x = double(plot.right) - (lg(dd) - lg(double(m.logAxisMax))) * double(plot.right - plot.left) / span;
    return Num::single(x);
}

void drawGraph(QImage &image, const GraphInput &in)
{
    image.fill(Qt::white);
    TwipPainter g(image);
    QFont font = chartFont(9.75);
    font.setPixelSize(13);
    g.painter().setFont(font);
    const QSizeF size = image.deviceIndependentSize();
    const PlotArea p = plotArea(size);
    const double scaleHeight = size.height() * TwipsPerPixel;
    const MixNumbers &m = in.numbers;
    const bool grid = in.options.grid;
    // The ordinate grid and its labels.
    for (int i = 0; i <= 100; i += 10) {
        const float y = passingToY(p, float(i));
        if (grid)
            g.line(p.left, y, p.right, y, LightGrid, 1);
        if (i == 100)
            g.print(0, y - 50, intText(i));
        else if (i == 0)
            g.print(210, y - 170, intText(i));
        else
            g.print(100, y - 110, intText(i));
    }
    // The curves and the abscissa, only while the sizes span a range.
    if (m.maxSize > m.minSize) {
        // The curves stay inside the plot frame: a 2-pixel line on its edge would otherwise leave
        // a pixel beside it, where the masks do not reach.
        g.painter().setClipRect(QRectF(QPointF(p.left / TwipsPerPixel, p.top / TwipsPerPixel),
                                       QPointF(p.right / TwipsPerPixel + 1, p.bottom / TwipsPerPixel + 1)));
        if (in.tablesValid && in.envelope && in.envelope->any) {
            drawEnvelopeSide(in, p, g, in.envelope->lower);
            drawEnvelopeSide(in, p, g, in.envelope->upper);
        }
        for (int j = 2; j <= in.classCount; ++j)
            drawCurveSegments(in, p, g, j);
        g.painter().setClipping(false);
        if (!in.options.logarithmic) {
            if (grid) {
                const float s = (m.maxSize - m.minSize) / 10.0f;
                float d = m.minSize;
                for (int guard = 0; d <= m.maxSize && guard < 1000; ++guard) {
                    if (const auto x = linearX(in, p, d))
                        g.line(*x, p.top, *x, p.bottom, LightGrid, 1);
                    d += s;
                }
            }
            g.fill(p.left, p.bottom, p.right, scaleHeight, Qt::white);
            const QString maxText = Num::graphText(m.maxSize);
            g.print(p.right - (maxText.size() * 50 + 250), p.bottom + 100, maxText);
            g.print(p.left - 100, p.bottom + 100, Num::graphText(m.minSize));
        } else {
            g.fill(p.left, p.bottom, p.right, scaleHeight, Qt::white);
            for (int mult = 1; mult <= 9; ++mult) {
                for (int e = 1; e <= 9; ++e) {
                    const double decade = std::pow(10.0, e - 5);
                    const auto x = logX(in, p, mult * decade);
                    if (!x)
                        continue;
                    if (grid && p.left <= *x && *x <= p.right)
                        g.line(*x, p.top, *x, p.bottom, LogGrid, 1);
                    if (mult == 1)
                        g.print(*x - 100, p.bottom + 100, Num::graphText(decade));
                }
            }
        }
    }
    // The mask above the plot hides what the curves draw beyond 100 %.
    g.fill(p.left, 0, p.right, p.top, Qt::white);
    g.print(100, 100, QStringLiteral("A,%"));
    g.print(p.right + 150, p.bottom - 170, QStringLiteral("D"));
    g.rect(p.left, p.top, p.right, p.bottom, FrameColour);
}

int readoutDecimals(double d)
{
    if (d < 0.001)
        return 5;
    if (d < 0.01)
        return 4;
    if (d < 0.1)
        return 3;
    return 2;
}

PointerReadout pointerReadout(const GraphInput &in, QSizeF pictureSize, QPointF position)
{
    PointerReadout r;
    const PlotArea p = plotArea(pictureSize);
    const float x = float(position.x() * TwipsPerPixel);
    const float y = float(position.y() * TwipsPerPixel);
    r.verticalLine = x >= p.left && x <= p.right;
    r.horizontalLine = y >= p.top && y <= p.bottom;
    r.textShown = r.verticalLine && r.horizontalLine;
    if (!(in.grainTableValid && in.baseRecipeValid)) {
        r.text = Texts::tr("Проверьте правильность заполнения таблиц!");
        return r;
    }
    std::optional<double> d;
    if (!in.options.logarithmic) {
        if (const auto v = linearD(in, p, x))
            d = double(*v);
    } else {
        d = logD(in, p, x);
    }
    const float span = p.bottom - p.top;
    if (!d || span == 0.0f)
        return r;
    const float a = 100.0f * (p.bottom - y) / span;
    const double dr = Num::roundHalfEven(*d, readoutDecimals(*d));
    r.text = QStringLiteral("D=") + Num::graphText(dr) + QStringLiteral("; A=") + Num::graphText(Num::roundHalfEven(double(a), 2))
        + QStringLiteral(" %");
    return r;
}

} // namespace Charts
