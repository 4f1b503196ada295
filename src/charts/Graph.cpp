#include "charts/Graph.h"

#include "core/Numbers.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>

#include <cmath>

namespace {

constexpr double TwipsPerPixel = 15.0;

const QColor ReferenceColour(0, 0, 255);
const QColor BaseColour(255, 192, 128);
const QColor CorrectedColour(255, 0, 0);
const QColor BandColour(128, 128, 128);
const QColor LightGrid(224, 224, 224);
const QColor LogGrid(192, 192, 192);
const QColor FrameColour(128, 128, 128);

double lg(double x)
{
    return std::log(x) / std::log(10.0);
}

// Drawing in twips onto a pixel image.
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
    void line(double x1, double y1, double x2, double y2, const QColor &colour, int widthPx)
    {
        if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
            return;
        m_g.setPen(QPen(colour, widthPx, Qt::SolidLine, Qt::FlatCap));
        m_g.drawLine(QLineF(x1 / TwipsPerPixel, y1 / TwipsPerPixel, x2 / TwipsPerPixel, y2 / TwipsPerPixel));
    }
    void fill(double x1, double y1, double x2, double y2, const QColor &colour)
    {
        const QRectF r = QRectF(QPointF(x1 / TwipsPerPixel, y1 / TwipsPerPixel), QPointF(x2 / TwipsPerPixel, y2 / TwipsPerPixel)).normalized();
        m_g.fillRect(r.adjusted(0, 0, 1, 1), colour);
    }
    void rect(double x1, double y1, double x2, double y2, const QColor &colour)
    {
        m_g.setPen(QPen(colour, 1));
        m_g.setBrush(Qt::NoBrush);
        m_g.drawRect(QRectF(QPointF(x1 / TwipsPerPixel, y1 / TwipsPerPixel), QPointF(x2 / TwipsPerPixel, y2 / TwipsPerPixel)).normalized());
    }
    // Text with its top-left corner at (x, y).
    void print(double x, double y, const QString &text)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        m_g.setPen(Qt::black);
        m_g.drawText(QRectF(x / TwipsPerPixel, y / TwipsPerPixel, 4000, 200), Qt::AlignLeft | Qt::AlignTop, text);
    }

private:
    QPainter m_g;
};

// A 16-bit integer written with one leading blank.
QString intText(int i)
{
    return u' ' + QString::number(i);
}

} // namespace

QFont ChartFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    if (!QFontInfo(font).fixedPitch())
        font.setFamily(QStringLiteral("Liberation Mono"));
    return font;
}

float PassingToY(const MixProject &p, float a)
{
    return p.PlotTop + (100.0f - a) * (p.PlotBottom - p.PlotTop) / 100.0f;
}

std::optional<float> PassingToY(const MixProject &p, const ClassFloats &curve, int j)
{
    const auto a = curve.get(j);
    if (!a)
        return std::nullopt;
    const float y = PassingToY(p, *a);
    if (!std::isfinite(y))
        return std::nullopt;
    return y;
}

std::optional<float> LinearX(const MixProject &p, float d)
{
    const float span = p.MaxSize - p.MinSize;
    if (span == 0.0f)
        return std::nullopt;
    const float x = p.PlotLeft + (d - p.MinSize) * (p.PlotRight - p.PlotLeft) / span;
    if (!std::isfinite(x))
        return std::nullopt;
    return x;
}

std::optional<float> LogX(const MixProject &p, double d)
{
    const double dd = d < 0.0001 ? 0.0001 : d;
    if (p.LogAxisMax <= 0.0f || p.LogAxisMin <= 0.0f)
        return std::nullopt;
    const double span = lg(double(p.LogAxisMin)) - lg(double(p.LogAxisMax));
    if (span == 0.0)
        return std::nullopt;
    const double x = double(p.PlotRight) - (lg(dd) - lg(double(p.LogAxisMax))) * double(p.PlotRight - p.PlotLeft) / span;
    return Num::single(x);
}

std::optional<float> LinearD(const MixProject &p, float x)
{
    const float span = p.PlotLeft - p.PlotRight;
    if (span == 0.0f)
        return std::nullopt;
    const float d = p.MinSize + (p.PlotLeft - x) * (p.MaxSize - p.MinSize) / span;
    if (!std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<double> LogD(const MixProject &p, float x)
{
    if (p.LogAxisMax <= 0.0f || p.LogAxisMin <= 0.0f || p.PlotRight == p.PlotLeft)
        return std::nullopt;
    const double e = lg(double(p.LogAxisMax))
        + double(p.PlotRight - x) * (lg(double(p.LogAxisMin)) - lg(double(p.LogAxisMax))) / double(p.PlotRight - p.PlotLeft);
    const double d = std::pow(10.0, e);
    if (!std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<float> SizeToX(const MixProject &p, int mode, int j)
{
    const auto d = p.SieveSize.get(j);
    if (!d)
        return std::nullopt;
    if (mode == 1)
        return LinearX(p, *d);
    if (mode == 0)
        return LogX(p, double(*d));
    return std::nullopt;
}

namespace {

void drawCurveSegments(MixProject &p, TwipPainter &g, int j)
{
    if (!p.TablesValid)
        return;
    const int mode = p.Log_check.isChecked() ? 0 : 1;
    const ClassFloats *curves[5] = {&p.ReferenceCurve, &p.BaseMixCurve, &p.CorrectedMixCurve,
                                    &p.ReferenceBandUpper, &p.ReferenceBandLower};
    const QColor colours[5] = {ReferenceColour, BaseColour, CorrectedColour, BandColour, BandColour};
    for (int c = 0; c < 5; ++c) {
        const auto x1 = SizeToX(p, mode, j);
        const auto y1 = PassingToY(p, *curves[c], j);
        const auto x0 = SizeToX(p, mode, j - 1);
        const auto y0 = PassingToY(p, *curves[c], j - 1);
        if (!x1 || !y1 || !x0 || !y0)
            return; // a failure abandons the rest of this class
        g.line(*x1, *y1, *x0, *y0, colours[c], 2);
    }
}

} // namespace

void UpdateDivergenceText(MixProject &p)
{
    if (p.TablesValid)
        p.Pogreshnost.setText(QStringLiteral("Расхождение кривых: ")
                              + Num::graphText(Num::roundHalfEven(double(p.CurveDivergence), 2)) + QStringLiteral(" %"));
    else
        p.Pogreshnost.setText(QStringLiteral(" "));
}

void DrawGranulometricGraph(MixProject &p, QImage &image)
{
    // 1.
    image.fill(Qt::white);
    TwipPainter g(image);
    g.painter().setFont(ChartFont(9.75));
    const double scaleWidth = image.deviceIndependentSize().width() * TwipsPerPixel;
    const double scaleHeight = image.deviceIndependentSize().height() * TwipsPerPixel;
    const bool grid = p.Setka_check.isChecked();
    // 2. Ordinate grid and labels.
    for (int i = 0; i <= 100; i += 10) {
        const float y = PassingToY(p, float(i));
        if (grid)
            g.line(p.PlotLeft, y, p.PlotRight, y, LightGrid, 1);
        if (i == 100)
            g.print(0, y - 50, intText(i));
        else if (i == 0)
            g.print(210, y - 170, intText(i));
        else
            g.print(100, y - 110, intText(i));
    }
    // 3.
    if (p.MaxSize > p.MinSize) {
        p.LogAxisMax = p.MaxSize;
        p.LogAxisMin = p.MinSize < 0.0001f ? 0.0001f : p.MinSize;
        const int k = Num::toInt16(Num::Val(p.K.text())).value_or(0);
        // The curves stay inside the plot frame: a 2-pixel line on its edge would otherwise
        // leave a pixel beside it, where the masks do not reach.
        g.painter().setClipRect(QRectF(QPointF(p.PlotLeft / TwipsPerPixel, p.PlotTop / TwipsPerPixel),
                                       QPointF(p.PlotRight / TwipsPerPixel + 1, p.PlotBottom / TwipsPerPixel + 1)));
        for (int j = 2; j <= k; ++j)
            drawCurveSegments(p, g, j);
        g.painter().setClipping(false);
        if (!p.Log_check.isChecked()) {
            if (grid) {
                const float s = (p.MaxSize - p.MinSize) / 10.0f;
                float d = p.MinSize;
                for (int guard = 0; d <= p.MaxSize && guard < 1000; ++guard) {
                    if (const auto x = LinearX(p, d))
                        g.line(*x, p.PlotTop, *x, p.PlotBottom, LightGrid, 1);
                    d += s;
                }
            }
            g.fill(p.PlotLeft, p.PlotBottom, p.PlotRight, scaleHeight, Qt::white);
            const QString maxText = Num::graphText(p.MaxSize);
            g.print(p.PlotRight - (maxText.size() * 50 + 250), p.PlotBottom + 100, maxText);
            g.print(p.PlotLeft - 100, p.PlotBottom + 100, Num::graphText(p.MinSize));
        } else {
            g.fill(p.PlotLeft, p.PlotBottom, p.PlotRight, scaleHeight, Qt::white);
            for (int m = 1; m <= 9; ++m) {
                for (int e = 1; e <= 9; ++e) {
                    const double decade = std::pow(10.0, e - 5);
                    const auto x = LogX(p, m * decade);
                    if (!x)
                        continue;
                    if (grid && p.PlotLeft <= *x && *x <= p.PlotRight)
                        g.line(*x, p.PlotTop, *x, p.PlotBottom, LogGrid, 1);
                    if (m == 1)
                        g.print(*x - 100, p.PlotBottom + 100, Num::graphText(decade));
                }
            }
        }
    }
    // 4. The mask above the plot.
    g.fill(p.PlotLeft, 0, p.PlotRight, p.PlotTop, Qt::white);
    // 5.
    g.print(100, 100, QStringLiteral("A,%"));
    g.print(p.PlotRight + 150, p.PlotBottom - 170, QStringLiteral("D"));
    // 6.
    g.rect(p.PlotLeft, p.PlotTop, p.PlotRight, p.PlotBottom, FrameColour);
    Q_UNUSED(scaleWidth);
    // 7.
    UpdateDivergenceText(p);
}

int ReadoutDecimals(double d)
{
    if (d < 0.001)
        return 5;
    if (d < 0.01)
        return 4;
    if (d < 0.1)
        return 3;
    return 2;
}

void GraphMouseMove(MixProject &p, float x, float y)
{
    // 1. and 2. The crosshair (geometry in twips of the graph; a line is one pixel thick).
    if (x < p.PlotLeft || x > p.PlotRight) {
        p.GrVL.setVisible(false);
    } else {
        p.GrVL.setGeometry(int(x), int(p.PlotTop), 15, int(p.PlotBottom - p.PlotTop));
        p.GrVL.setVisible(true);
    }
    if (y < p.PlotTop || y > p.PlotBottom) {
        p.GrGL.setVisible(false);
    } else {
        p.GrGL.setGeometry(int(p.PlotLeft), int(y), int(p.PlotRight - p.PlotLeft), 15);
        p.GrGL.setVisible(true);
    }
    // 3.
    p.Koords.setVisible(x >= p.PlotLeft && x <= p.PlotRight && y >= p.PlotTop && y <= p.PlotBottom);
    // 4. - 6.
    if (p.GrainTableValid && p.BaseRecipeValid) {
        std::optional<double> d;
        if (!p.Log_check.isChecked()) {
            if (const auto v = LinearD(p, x))
                d = double(*v);
        } else {
            d = LogD(p, x);
        }
        const float span = p.PlotBottom - p.PlotTop;
        if (!d || span == 0.0f)
            return;
        const float a = 100.0f * (p.PlotBottom - y) / span;
        const double dr = Num::roundHalfEven(*d, ReadoutDecimals(*d));
        p.Koords.setText(QStringLiteral("D=") + Num::graphText(dr) + QStringLiteral("; A=")
                         + Num::graphText(Num::roundHalfEven(double(a), 2)) + QStringLiteral(" %"));
    } else {
        p.Koords.setText(QStringLiteral("Проверьте правильность заполнения таблиц!"));
    }
}
