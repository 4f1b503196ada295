#pragma once

// A page of the main window: one step. It shows the session's state and forwards the user's
// actions to the session; it holds no state of the project itself.

#include "session/ProjectSession.h"

#include <QLabel>
#include <QWidget>

class StepPage : public QWidget
{
    Q_OBJECT

public:
    StepPage(ProjectSession &session, QWidget *parent = nullptr);

    // Shows the session's state; `what` says what has changed since the last call.
    virtual void refresh(ProjectSession::Changes what) = 0;
    // The page has just become the one shown.
    virtual void entered() {}

protected:
    ProjectSession &m_session;
};

// The labels of the pages: a caption ("1.1.Название состава:"), a hint in small type, a wrapped
// text, and an error message in red (empty while there is none).
QLabel *captionLabel(const QString &text, QWidget *parent);
QLabel *hintLabel(const QString &text, QWidget *parent);
QLabel *wrappedLabel(const QString &text, QWidget *parent);
QLabel *errorLabel(QWidget *parent);
// Sets a label's text only when it differs (a change costs a relayout).
void setLabelText(QLabel *label, const QString &text);
// The name of component i as the correction step and the bounds dialog show it: its name from
// step 1, followed by its number when another of the N components has the same name (two
// database rows may share one).
QString componentLabel(const ProjectDocument &document, int i);
