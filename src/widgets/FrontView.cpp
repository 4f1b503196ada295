#include "widgets/FrontView.h"

#include "charts/Front.h"
#include "core/Numbers.h"
#include "session/ProjectSession.h"

#include <QMouseEvent>
#include <QToolTip>

FrontView::FrontView(ProjectSession &session, QWidget *parent)
    : ChartView(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("frontChart"));
    setMouseTracking(true);
    setRenderer([this](QImage &image) { Charts::drawFront(image, input()); });
}

Charts::FrontInput FrontView::input() const
{
    Charts::FrontInput in;
    for (const FrontPoint &p : m_session.costFront().points)
        in.points << QPointF(p.divergence, p.cost);
    in.highlighted = m_session.adoptedFrontPoint();
    return in;
}

void FrontView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        ChartView::mousePressEvent(event);
        return;
    }
    if (const auto point = Charts::frontPointAt(size(), input(), event->position()))
        m_session.adoptFrontPoint(*point);
}

void FrontView::mouseMoveEvent(QMouseEvent *event)
{
    const auto point = Charts::frontPointAt(size(), input(), event->position());
    setCursor(point ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (!point) {
        QToolTip::hideText();
        return;
    }
    const FrontPoint &p = m_session.costFront().points[*point];
    QToolTip::showText(event->globalPosition().toPoint(),
                       tr("Расхождение %1 %; стоимость %2 руб./т; компонентов: %3.\nЩелчок — принять этот состав.")
                           .arg(Num::formatRounded(p.divergence, 2), Num::formatRounded(p.cost, 2))
                           .arg(p.componentsUsed),
                       this);
}
