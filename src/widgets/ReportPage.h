#pragma once

// Step 6, the report: the sections to write and the button that writes the document.

#include "widgets/StepPage.h"

class QCheckBox;

class ReportPage final : public StepPage
{
    Q_OBJECT

public:
    explicit ReportPage(ProjectSession &session, QWidget *parent = nullptr);
    void refresh(ProjectSession::Changes what) override;

signals:
    void reportRequested();

private:
    QCheckBox *m_sections[12] = {};
};
