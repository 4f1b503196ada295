#pragma once

// Step 4, the reference: one of four equations with its coefficients, or a reference
// composition typed by hand into the table below; under it the optional grading envelope (the
// lower and upper limits of the passing at each size) and the classes where the mix leaves it.

#include "widgets/StepPage.h"

class CoefficientBox;
class Desktop;
class ErrorFrame;
class InputTableView;
class QLineEdit;
class QRadioButton;

class ReferencePage final : public StepPage
{
    Q_OBJECT

public:
    ReferencePage(ProjectSession &session, Desktop &desktop, QWidget *parent = nullptr);
    void refresh(ProjectSession::Changes what) override;
    void entered() override;

private:
    QRadioButton *m_kinds[6] = {};
    CoefficientBox *m_funkN;
    QLineEdit *m_funkA;
    CoefficientBox *m_fullerN;
    QLineEdit *m_hummelM;
    CoefficientBox *m_bolomeyB;
    InputTableView *m_table;
    QLabel *m_error;
    InputTableView *m_envelope;
    ErrorFrame *m_envelopeFrame;
    QLabel *m_envelopeErrors;
    QLabel *m_departures;
};
