#pragma once

// The main window: the step buttons, the step shown, and the buttons that open and save a
// project. It owns the session for the life of the program; its pages show the session's state
// and forward the user's actions. What the session reports as changed is shown once per turn of
// the event loop, however many changes an action made.

#include "session/ProjectSession.h"
#include "widgets/ComponentDatabaseDialog.h"
#include "widgets/Desktop.h"
#include "widgets/ProjectHistory.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class AboutPage;
class BaseRecipePage;
class BoundsDialog;
class ComponentDatabaseDialog;
class CompositionsPage;
class CorrectionPage;
class Desktop;
class ParametersPage;
class QAction;
class QLabel;
class QStackedWidget;
class ReferencePage;
class ReportPage;
class StepBar;
class StepPage;

class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // `desktop` stands in for the clipboard and the message boxes (tests); by default the window
    // uses the real ones.
    explicit MainWindow(std::unique_ptr<Desktop> desktop = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    ProjectSession &session() { return m_session; }
    // The undo history of the project (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y).
    ProjectHistory &history() { return m_history; }
    // The component database window while it exists.
    ComponentDatabaseDialog *databaseDialog() const { return m_database; }
    void showDatabase();
    StepPage *page(int step) const;
    CorrectionPage *correctionPage() const { return m_correction; }

    // Opens a project file as the open button does after its dialog; an empty path is a cancelled
    // dialog. A refused file is reported and the project stays as it was.
    bool openProject(const QString &path);
    // What the command line asks for at the start: opens `project` (none if empty) and shows
    // `step` (the first if 0).
    void start(const QString &project, int step);
    // Opens a project file dropped on the window: after the open button's question, where there
    // is data to lose.
    void openDroppedProject(const QString &path);
    // Saves the project; a failure is reported, naming the file.
    bool saveProject(const QString &path);
    // "Сформировать отчет": writes the report to the temporary folder under a name no earlier
    // report holds, and opens it with the desktop's application for .docx files. Returns the
    // file's path (empty on failure).
    QString buildReport(bool open = true);
    // Shows everything the session has changed at once (tests; the window does it itself once
    // per turn of the event loop).
    void showChanges();

    // Where reports are written: the temporary folder (tests put them elsewhere).
    QString reportFolder;
    // The open and save dialogs (tests replace them).
    std::function<QString()> chooseOpenPath;
    std::function<QString()> chooseSavePath;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onChanged(ProjectSession::Changes what);
    void showStep(int step);
    void onOpen();
    void onSave();
    void showGuide();
    void showBounds();
    std::optional<std::pair<QString, QString>> unsavedQuestion(bool closing) const;
    // Asks whether the project may be replaced by another; true without asking where there is
    // nothing to lose.
    bool mayReplaceProject();
    void setUpHistory();

    ProjectSession m_session;
    ProjectHistory m_history{m_session};
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    std::unique_ptr<Desktop> m_desktop;
    StepBar *m_steps;
    QLabel *m_title;
    QStackedWidget *m_pages;
    StepPage *m_page[8] = {};
    ParametersPage *m_parameters;
    CompositionsPage *m_compositions;
    BaseRecipePage *m_baseRecipe;
    ReferencePage *m_reference;
    CorrectionPage *m_correction;
    ReportPage *m_report;
    AboutPage *m_about;
    BoundsDialog *m_bounds = nullptr;
    QPointer<ComponentDatabaseDialog> m_database; // discarded by its close box
    ProjectSession::Changes m_pending;
    bool m_showQueued = false;
    QString m_openPath;
    QString m_savePath;
};
