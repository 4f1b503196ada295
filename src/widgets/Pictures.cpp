#include "widgets/Pictures.h"

#include "Version.h"
#include "widgets/Steps.h"

#include "charts/Graph.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>

#include <cmath>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Pictures)
};

} // namespace

namespace {

// A transparent image for `size` logical pixels at `ratio` device pixels per logical pixel; the
// painter works in logical pixels.
QImage blank(QSize size, qreal ratio)
{
    QImage image((QSizeF(size.expandedTo(QSize(1, 1))) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

namespace Pictures {

QImage stepButton(int step, StepButtonState state, QSize size, qreal ratio)
{
    QImage image = blank(size, ratio);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1.5, 1.5, -1.5, -0.5);
    QColor top, bottom, text;
    switch (state) {
    case StepButtonState::Normal: // orange
        top = QColor(255, 190, 90);
        bottom = QColor(240, 140, 30);
        text = QColor(60, 30, 0);
        break;
    case StepButtonState::Hover: // orange with a white title
        top = QColor(255, 200, 110);
        bottom = QColor(245, 150, 40);
        text = Qt::white;
        break;
    case StepButtonState::Selected: // green
        top = QColor(150, 220, 120);
        bottom = QColor(70, 160, 50);
        text = Qt::white;
        break;
    }
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(r, 6, 6);
    g.fillPath(path, fill);
    g.setPen(QPen(bottom.darker(130), 1));
    g.drawPath(path);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(9, size.height() / 3));
    font.setBold(true);
    g.setFont(font);
    g.setPen(text);
    g.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, stepButtonTitle(step));
    return image;
}

QImage padlock(bool closed, QSize size, qreal ratio)
{
    QImage image = blank(size, ratio);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();
    const QRectF body(w * 0.15, h * 0.45, w * 0.7, h * 0.5);
    const QColor metal = closed ? QColor(180, 120, 20) : QColor(120, 120, 120);
    g.setPen(QPen(metal.darker(140), std::max(1.5, w * 0.1)));
    g.setBrush(Qt::NoBrush);
    // The shackle: closed it enters the body on both sides; open it stands lifted to one side.
    const qreal shackleW = w * 0.46;
    QRectF arc(w * 0.27, h * 0.08, shackleW, h * 0.55);
    if (!closed)
        arc.translate(w * 0.12, -h * 0.06);
    QPainterPath shackle;
    shackle.moveTo(arc.left(), body.top() - (closed ? 0 : h * 0.08));
    shackle.lineTo(arc.left(), arc.center().y());
    shackle.arcTo(arc.left(), arc.top(), arc.width(), arc.height() * 0.6, 180, -180);
    shackle.lineTo(arc.right(), body.top());
    g.drawPath(shackle);
    g.setPen(QPen(metal.darker(160), 1));
    g.setBrush(metal);
    g.drawRoundedRect(body, 2, 2);
    g.setBrush(metal.darker(180));
    g.drawEllipse(QPointF(body.center().x(), body.center().y() - 1), w * 0.07, w * 0.07);
    return image;
}

QImage logo(QSize size, qreal ratio)
{
    QImage image = blank(size, ratio);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    // A grain curve over a sieve stack, and the program's name.
    const QRectF plot(r.width() * 0.08, r.height() * 0.08, r.width() * 0.84, r.height() * 0.55);
    g.setPen(QPen(QColor(200, 200, 200), 1));
    for (int i = 0; i <= 4; ++i) {
        const qreal y = plot.top() + plot.height() * i / 4;
        g.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    QPainterPath curve, band;
    for (int i = 0; i <= 40; ++i) {
        const qreal t = i / 40.0;
        const qreal y = plot.bottom() - plot.height() * std::pow(t, 0.45);
        const QPointF pt(plot.left() + plot.width() * t, y);
        i == 0 ? curve.moveTo(pt) : curve.lineTo(pt);
    }
    g.setPen(QPen(QColor(240, 140, 30), 3));
    g.drawPath(curve);
    g.setPen(QPen(QColor(70, 160, 50), 2, Qt::DashLine));
    QPainterPath second;
    for (int i = 0; i <= 40; ++i) {
        const qreal t = i / 40.0;
        const qreal y = plot.bottom() - plot.height() * std::pow(t, 0.6);
        const QPointF pt(plot.left() + plot.width() * t, y);
        i == 0 ? second.moveTo(pt) : second.lineTo(pt);
    }
    g.drawPath(second);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(r.height() * 0.2));
    font.setBold(true);
    g.setFont(font);
    g.setPen(QColor(60, 60, 60));
    g.drawText(QRectF(0, r.height() * 0.66, r.width(), r.height() * 0.24), Qt::AlignCenter, QStringLiteral("Palvex " PALVEX_VERSION));
    font.setPixelSize(std::max(9, int(r.height() * 0.06)));
    font.setBold(false);
    g.setFont(font);
    g.drawText(QRectF(0, r.height() * 0.88, r.width(), r.height() * 0.12), Qt::AlignCenter,
               Texts::tr("Выберите шаг проектирования"));
    return image;
}

QImage gradient(QSize size, qreal ratio)
{
    QImage image = blank(size, ratio);
    QPainter g(&image);
    QLinearGradient fill(0, 0, size.width(), 0);
    fill.setColorAt(0, QColor(240, 140, 30));
    fill.setColorAt(0.5, QColor(255, 210, 140));
    fill.setColorAt(1, QColor(70, 160, 50));
    g.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), fill);
    return image;
}

QImage formula(ReferenceKind kind, QSize size, qreal ratio)
{
    QImage image = blank(size, ratio);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);
    QString html;
    switch (kind) {
    case ReferenceKind::FunkDinger:
        html = QStringLiteral("A'<sub>j</sub> = 100·(a + (1 − a)·(D<sub>j</sub><sup>n</sup> − D<sub>min</sub><sup>n</sup>) / "
                              "(D<sub>max</sub><sup>n</sup> − D<sub>min</sub><sup>n</sup>))");
        break;
    case ReferenceKind::Fuller:
        html = QStringLiteral("A'<sub>j</sub> = 100·(D<sub>j</sub> / D<sub>max</sub>)<sup>n</sup>");
        break;
    case ReferenceKind::Hummel:
        html = QStringLiteral("A'<sub>j</sub> = 100·(D<sub>j</sub> / D<sub>max</sub>)<sup>m</sup>");
        break;
    case ReferenceKind::Bolomey:
        html = QStringLiteral("A'<sub>j</sub> = B + (100 − B)·√(D<sub>j</sub> / D<sub>max</sub>)");
        break;
    default:
        return image;
    }
    QTextDocument doc;
    QFont font(QStringLiteral("Liberation Serif"));
    font.setItalic(true);
    doc.setDocumentMargin(2);
    // The largest type that keeps the equation on one line.
    for (int px = std::max(10, size.height() * 2 / 5); px >= 7; --px) {
        font.setPixelSize(px);
        doc.setDefaultFont(font);
        doc.setHtml(html);
        if (doc.idealWidth() <= size.width())
            break;
    }
    g.translate(0, std::max(0.0, (size.height() - doc.size().height()) / 2));
    doc.drawContents(&g);
    return image;
}

QImage tableAction(TableAction action, QSize size, qreal ratio)
{
    QImage image = blank(size, ratio);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    // Drawn on a grid of 24 × 24, whatever the size.
    g.scale(size.width() / 24.0, size.height() / 24.0);
    g.setPen(QPen(QColor(60, 60, 60), 1.4));
    switch (action) {
    case TableAction::Copy: // two sheets
        g.setBrush(QColor(255, 255, 255));
        g.drawRect(QRectF(3, 3, 12, 14));
        g.setBrush(QColor(220, 235, 255));
        g.drawRect(QRectF(9, 7, 12, 14));
        break;
    case TableAction::Paste: // a clipboard with a sheet
        g.setBrush(QColor(210, 170, 110));
        g.drawRoundedRect(QRectF(4, 4, 14, 17), 2, 2);
        g.setBrush(QColor(255, 255, 255));
        g.drawRect(QRectF(9, 9, 11, 12));
        g.setBrush(QColor(120, 120, 120));
        g.drawRect(QRectF(8, 2, 6, 4));
        break;
    case TableAction::Clear: // a red cross over a sheet
        g.setBrush(QColor(255, 255, 255));
        g.drawRect(QRectF(4, 3, 14, 18));
        g.setPen(QPen(QColor(200, 30, 30), 2.6));
        g.drawLine(QPointF(8, 8), QPointF(20, 20));
        g.drawLine(QPointF(20, 8), QPointF(8, 20));
        break;
    }
    return image;
}

QStringList graphLegendNames(bool envelope)
{
    QStringList names{Texts::tr("Эталонный состав"), Texts::tr("Исходный состав"), Texts::tr("Проектируемый состав"),
                      Texts::tr("Расхождение кривых")};
    if (envelope)
        names << Texts::tr("Границы зернового состава");
    return names;
}

QImage graphLegend(QSize size, const QFont &font, qreal ratio, bool envelope)
{
    QImage image = blank(size, ratio);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    // The type of the window's labels, however many dots per inch the image claims.
    QFont type = font;
    type.setPixelSize(std::max(1, QFontInfo(font).pixelSize()));
    g.setFont(type);
    const QStringList names = graphLegendNames(true);
    const QColor colours[5] = {QColor(0, 0, 255), QColor(255, 192, 128), QColor(255, 0, 0), QColor(128, 128, 128),
                               Charts::envelopeColour()};
    const int rows = envelope ? 5 : 4;
    const qreal rowHeight = size.height() / qreal(rows);
    for (int k = 0; k < rows; ++k) {
        const qreal y = k * rowHeight;
        g.setPen(QPen(colours[k], k == 4 ? 2 : 3, k == 4 ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
        g.drawLine(QPointF(4, y + rowHeight / 2), QPointF(30, y + rowHeight / 2));
        g.setPen(Qt::black);
        g.drawText(QRectF(36, y, size.width() - 36, rowHeight), Qt::AlignVCenter | Qt::AlignLeft, names[k]);
    }
    return image;
}

} // namespace Pictures
