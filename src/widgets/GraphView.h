#pragma once

// The granulometric graph of the correction step: the chart, the divergence text above the
// plot, and, while the pointer is over the plot, a crosshair and the read-out of the size and
// passing under it (at the top edge, clear of the axis labels).

#include "widgets/ChartView.h"

#include <QLabel>

class ProjectSession;

class GraphView final : public ChartView
{
    Q_OBJECT

public:
    explicit GraphView(const ProjectSession &session, QWidget *parent = nullptr);
    // The divergence text follows the session.
    void refresh();
    QString divergenceText() const { return m_divergence->text(); }
    QString readoutText() const { return m_readout->text(); }
    bool readoutShown() const { return m_readout->isVisible(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeTexts();
    const ProjectSession &m_session;
    QLabel *m_divergence;
    QLabel *m_readout;
    QPointF m_pointer;
    bool m_vertical = false;
    bool m_horizontal = false;
};
