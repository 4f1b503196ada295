#pragma once

// Step 5, the correction: a slider per component with its "-"/"+" buttons, lock and read-outs,
// the return to the base recipe, the automatic search (run here in short slices while it is on)
// with its bounds, the best recipe, and the granulometric graph.

#include "widgets/StepPage.h"

#include <QElapsedTimer>

class BoundsDialog;
class Desktop;
class ElidedLabel;
class FractionSlider;
class GraphView;
class PictureWidget;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;

class CorrectionPage final : public StepPage
{
    Q_OBJECT

public:
    CorrectionPage(ProjectSession &session, Desktop &desktop, QWidget *parent = nullptr);
    void refresh(ProjectSession::Changes what) override;

    GraphView *graph() const { return m_graph; }
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

    Desktop &m_desktop;
    Row m_rows[MaxComponents + 1];
    QPushButton *m_reset;
    QLineEdit *m_sum;
    QCheckBox *m_search;
    QCheckBox *m_boundsOn;
    QPushButton *m_boundsButton;
    QPushButton *m_optimum;
    QLabel *m_optimumNote;
    GraphView *m_graph;
    QCheckBox *m_logarithmic;
    QCheckBox *m_grid;
    QTimer *m_searchTimer;
};
