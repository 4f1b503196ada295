#pragma once

// The main window. It owns the project for the life of the program; the widgets mirror the
// project's controls and forward the user's events to it.

#include "core/MixProject.h"

#include <QMainWindow>

#include <memory>

class EditingDesktop;

class GridView;
class QLabel;

class Form1 final : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    MixProject &project() { return m_project; }
    // Opens a project file; a refused file is reported and the project stays as it was.
    bool openProject(const QString &path);

private:
    void buildUi();
    void showResults();

    MixProject m_project;
    std::unique_ptr<EditingDesktop> m_desktop;
    GridView *m_tables[6] = {};
    QLabel *m_results = nullptr;
};
