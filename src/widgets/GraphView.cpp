#include "widgets/GraphView.h"

#include "charts/Graph.h"
#include "session/ProjectSession.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

Charts::GraphInput graphInput(const ProjectSession &s)
{
    const ValidationReport &v = s.validation();
    return {s.numbers(), s.classCount(), v.tablesValid(), v.grainTableValid, v.baseRecipeValid, s.graphOptions()};
}

} // namespace

GraphView::GraphView(const ProjectSession &session, QWidget *parent)
    : ChartView(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("graph"));
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    m_divergence = new QLabel(this);
    m_divergence->setObjectName(QStringLiteral("divergence"));
    m_divergence->setAlignment(Qt::AlignCenter);
    m_readout = new QLabel(QStringLiteral("D= ; A="), this);
    m_readout->setObjectName(QStringLiteral("readout"));
    m_readout->setAlignment(Qt::AlignCenter);
    m_readout->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_divergence->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont small = m_readout->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_readout->setFont(small);
    m_readout->hide();
    setRenderer([this](QImage &image) {
        Charts::GraphInput in = graphInput(m_session);
        // The envelope shows while its limits are valid.
        const EnvelopeLimits envelope = Envelope::limits(m_session.document());
        if (m_session.validation().envelopeValid())
            in.envelope = &envelope;
        Charts::drawGraph(image, in);
    });
    refresh();
}

void GraphView::refresh()
{
    const QString text = m_session.divergenceText();
    if (m_divergence->text() != text)
        m_divergence->setText(text);
    markDirty();
}

void GraphView::placeTexts()
{
    // The plot starts 500 twips (a third of an inch) below the top edge: the read-out stands at
    // the top edge, the divergence text under it, both above the plot and clear of the axis
    // labels.
    const int margin = int(Charts::plotRect(size()).top());
    const int line = std::max(margin / 2, m_divergence->sizeHint().height() - 2);
    m_readout->setGeometry(0, 0, width(), line);
    m_divergence->setGeometry(0, std::max(0, margin - line), width(), line);
}

void GraphView::resizeEvent(QResizeEvent *event)
{
    ChartView::resizeEvent(event);
    placeTexts();
}

void GraphView::paintEvent(QPaintEvent *event)
{
    ChartView::paintEvent(event);
    if (!m_vertical && !m_horizontal)
        return;
    QPainter g(this);
    g.setPen(QColor(64, 64, 64));
    const QRectF area = Charts::plotRect(size());
    if (m_vertical)
        g.drawLine(QPointF(m_pointer.x(), area.top()), QPointF(m_pointer.x(), area.bottom()));
    if (m_horizontal)
        g.drawLine(QPointF(area.left(), m_pointer.y()), QPointF(area.right(), m_pointer.y()));
}

void GraphView::mouseMoveEvent(QMouseEvent *event)
{
    m_pointer = event->position();
    const Charts::PointerReadout r = Charts::pointerReadout(graphInput(m_session), size(), m_pointer);
    m_vertical = r.verticalLine;
    m_horizontal = r.horizontalLine;
    if (r.text && m_readout->text() != *r.text)
        m_readout->setText(*r.text);
    m_readout->setVisible(r.textShown);
    update();
}

void GraphView::leaveEvent(QEvent *)
{
    m_vertical = m_horizontal = false;
    m_readout->hide();
    update();
}
