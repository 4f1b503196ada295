#pragma once

// Step 3, the base recipe: the mass fraction of each component, their sum, the cost of a tonne
// (when the components have prices), and the pie diagram of the recipe.

#include "widgets/StepPage.h"

class ChartView;
class Desktop;
class ErrorFrame;
class InputTableView;
class QLineEdit;

class BaseRecipePage final : public StepPage
{
    Q_OBJECT

public:
    BaseRecipePage(ProjectSession &session, Desktop &desktop, QWidget *parent = nullptr);
    void refresh(ProjectSession::Changes what) override;
    void entered() override;

private:
    // The names of components 1..N, as the diagram's legend shows them.
    QStringList componentNames() const;

    InputTableView *m_table;
    ErrorFrame *m_frame;
    QLabel *m_error;
    QLineEdit *m_sum;
    QLabel *m_costCaption;
    QLineEdit *m_cost;
    ChartView *m_diagram;
};
