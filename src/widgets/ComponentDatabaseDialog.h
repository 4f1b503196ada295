#pragma once

// "Загрузка данных о компонентах": choose a workbook, the number of components, each component
// and its grain density (typed, or from the density table), look at their grain compositions in
// a table and a graph, and transfer the selection into the project. The window is modeless; the
// main window stays usable. Its buttons hide it and keep what was chosen; its close box
// discards it.

#include "database/ComponentSelection.h"

#include <QDialog>

class ChartView;
class ChoiceBox;
class Desktop;
class ProjectSession;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class ComponentDatabaseDialog final : public QDialog
{
    Q_OBJECT

public:
    ComponentDatabaseDialog(ProjectSession &session, Desktop &desktop, QWidget *parent = nullptr);

    const ComponentSelection &selection() const { return m_selection; }
    // Reads a workbook as "Выбрать" does after its dialog; the settings file is the program's
    // unless one is given. Failures and warnings are reported.
    bool loadWorkbook(const QString &path, const QString &settingsFile = QString());
    // The controls of row i, for tests.
    QComboBox *componentBox(int i) const { return m_component[i]; }
    QLineEdit *densityField(int i) const { return m_density[i]; }
    QPushButton *transferButton() const { return m_transfer; }
    // The density table for row i, as its "табл" button opens it.
    void showDensityTable(int i);
    // Where "Выбрать" takes the workbook from (tests replace the dialog).
    std::function<QString()> chooseWorkbookPath;

private:
    void chooseWorkbook();
    void showRows();
    void refreshPreview();
    void transfer();

    ProjectSession &m_session;
    Desktop &m_desktop;
    ComponentSelection m_selection;
    QLineEdit *m_file;
    ChoiceBox *m_count;
    QComboBox *m_component[MaxComponents + 1] = {};
    QLineEdit *m_density[MaxComponents + 1] = {};
    QPushButton *m_table[MaxComponents + 1] = {};
    QCheckBox *m_shown[MaxComponents + 1] = {};
    QWidget *m_componentFrame[MaxComponents + 1] = {};
    QWidget *m_densityFrame[MaxComponents + 1] = {};
    QWidget *m_rowWidgets[MaxComponents + 1][3] = {};
    QComboBox *m_form;
    QCheckBox *m_logarithmic;
    QCheckBox *m_legend;
    QTableWidget *m_preview;
    ChartView *m_graph;
    QPushButton *m_transfer;
};

// "Таблица истинной плотности (г/см3)": eleven materials with their densities; "Ок" gives the
// chosen one's density.
class DensityTableDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit DensityTableDialog(QWidget *parent = nullptr);
    int chosenOption() const;
    void choose(int option);
};
