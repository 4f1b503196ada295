#pragma once

// The cost-divergence front of the correction step: a small chart of the cheapest recipe at
// each divergence. A click on a point adopts its recipe; the pointer over a point names its
// divergence and cost.

#include "widgets/ChartView.h"

class ProjectSession;

namespace Charts {
struct FrontInput;
}

class FrontView final : public ChartView
{
    Q_OBJECT

public:
    explicit FrontView(ProjectSession &session, QWidget *parent = nullptr);
    // What the chart shows now, from the session.
    Charts::FrontInput input() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    ProjectSession &m_session;
};
