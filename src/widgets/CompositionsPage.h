#pragma once

// Step 2, the grain compositions: their form (integral or differential), the number of size
// classes, and the table of sizes and values with its copy, paste and clear buttons and its
// list of errors.

#include "widgets/StepPage.h"

class Desktop;
class ErrorFrame;
class InputTableView;
class QCheckBox;
class QFrame;
class QLineEdit;
class QRadioButton;
class QToolButton;

class CompositionsPage final : public StepPage
{
    Q_OBJECT

public:
    CompositionsPage(ProjectSession &session, Desktop &desktop, QWidget *parent = nullptr);
    void refresh(ProjectSession::Changes what) override;
    void entered() override;

private:
    void updatePasteButton();

    Desktop &m_desktop;
    QRadioButton *m_integral;
    QRadioButton *m_differential;
    QLineEdit *m_classCount;
    InputTableView *m_table;
    ErrorFrame *m_frame;
    QCheckBox *m_showErrors;
    QToolButton *m_copy;
    QToolButton *m_paste;
    QToolButton *m_clear;
    QFrame *m_errorPanel;
    QLabel *m_errorLines;
};
