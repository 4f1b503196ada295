#pragma once

// Step 5, the correction: a slider per component with its "-"/"+" buttons, lock and read-outs,
// the return to the base recipe, the cost of the corrected mix and the classes where it leaves
// the grading envelope, the automatic search (run here in short slices while it is on) with its
// bounds, the optimiser (its aim, its constraints, the best recipe and the cost-divergence
// front), and the granulometric graph. The controls stand in a column that scrolls when the
// window is too low for them.

#include "widgets/StepPage.h"

#include <QElapsedTimer>

class BoundsDialog;
class ChoiceBox;
class Desktop;
class ElidedLabel;
class FractionSlider;
class FrontView;
class GraphView;
class PictureWidget;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

class CorrectionPage final : public StepPage
{
    Q_OBJECT

public:
    CorrectionPage(ProjectSession &session, Desktop &desktop, QWidget *parent = nullptr);
    void refresh(ProjectSession::Changes what) override;

    GraphView *graph() const { return m_graph; }
    FrontView *front() const { return m_front; }
    // One slice of the automatic search (the window runs them while the search is on).
    void runSearchSlice();

signals:
    void boundsRequested();

private:
    struct Row
    {
        ElidedLabel *name = nullptr;
        FractionSlider *slider = nullptr;
        QPushButton *minus = nullptr;
        QPushButton *plus = nullptr;
        QCheckBox *lock = nullptr;
        PictureWidget *padlock = nullptr;
        QLabel *fraction = nullptr;
        QLabel *trial = nullptr;
        bool locked = false;
    };
    void setRowVisible(Row &row, bool visible);
    void buildLegend();

    Desktop &m_desktop;
    Row m_rows[MaxComponents + 1];
    QPushButton *m_reset;
    QLineEdit *m_sum;
    QCheckBox *m_search;
    QCheckBox *m_boundsOn;
    QPushButton *m_boundsButton;
    QLabel *m_cost;
    QLabel *m_departures;
    QRadioButton *m_objectiveDivergence;
    QRadioButton *m_objectiveCost;
    QCheckBox *m_divergenceCap;
    QLineEdit *m_maxDivergence;
    QCheckBox *m_componentCap;
    ChoiceBox *m_maxComponents;
    QCheckBox *m_withinEnvelope;
    QPushButton *m_optimum;
    QPushButton *m_frontButton;
    QLabel *m_optimumNote;
    QLabel *m_optimumDetails;
    FrontView *m_front;
    GraphView *m_graph;
    PictureWidget *m_legend;
    bool m_legendEnvelope = false;
    QCheckBox *m_logarithmic;
    QCheckBox *m_grid;
    QTimer *m_searchTimer;
};
