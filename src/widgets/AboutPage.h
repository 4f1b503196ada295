#pragma once

// The page about the program, with the way into the short user guide.

#include "widgets/StepPage.h"

class AboutPage final : public StepPage
{
    Q_OBJECT

public:
    explicit AboutPage(ProjectSession &session, QWidget *parent = nullptr);
    void refresh(ProjectSession::Changes) override {}

signals:
    void guideRequested();
};

// The short user guide, as HTML.
QString userGuideHtml();
