#pragma once

// The main window. It owns the project for the life of the program; every widget mirrors a
// control of the project's model (position and size in twips, 15 per pixel) and forwards the
// user's events to it. The logic itself lives in the model and in Form1Logic.

#include "checking/GridEditing.h"
#include "core/MixProject.h"
#include "correction/AutoSelection.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>

#include <memory>


class Form2;
class Form6;
class GridView;
class QTimer;

class Form1 final : public QMainWindow
{
    Q_OBJECT

public:
    // `desktop` stands in for the clipboard and the question boxes (tests); by default the
    // window uses the real ones.
    explicit Form1(QWidget *parent = nullptr, std::unique_ptr<EditingDesktop> desktop = {});
    ~Form1() override;

    MixProject &project() { return m_project; }

    // Opens a project file; a refused file is reported and the project stays as it was. An
    // empty path (a cancelled dialog) runs only the closing steps of opening. Step 1 is shown
    // only when no step was shown yet; otherwise the shown step stays.
    bool openProject(const QString &path);
    // Saves the project; a failure is reported, naming the file.
    bool saveProject(const QString &path);

    // The timers' work, callable from tests.
    void tick();

    // "Сформировать отчет": writes the report to the temporary folder and opens it with the
    // desktop's application for .docx files. Returns the file's path (empty on failure).
    QString buildReport(bool open = true);

    // The search's generator (tests seed it to get the same walk every time).
    SearchRandom &searchRandom() { return m_random; }

    // Whether the clipboard holds text, as last signalled by the clipboard.
    bool clipboardHasText() const { return m_clipboardHasText; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void buildStep1(QWidget *panel);
    void buildStep2(QWidget *panel);
    void buildStep3(QWidget *panel);
    void buildStep4(QWidget *panel);
    void buildStep5(QWidget *panel);
    void buildStep6(QWidget *panel);
    void buildStep7(QWidget *panel);
    void connectActions();
    void onOpen();
    void onSave();
    void showGuide();
    void showBounds();
    void showDatabase();
    bool ask(const QString &title, const QString &text);

    MixProject m_project;
    std::unique_ptr<EditingDesktop> m_desktop;
    QWidget *m_surface = nullptr;
    QWidget *m_panels[8] = {};
    GridView *m_tables[6] = {};
    QTimer *m_timer = nullptr;
    SearchRandom m_random{uint64_t(QDateTime::currentMSecsSinceEpoch())};
    Form6 *m_bounds = nullptr;
    QPointer<Form2> m_database; // discarded by its close box
    bool m_clipboardHasText = false;
    QString m_openPath;
    QString m_savePath;
};
