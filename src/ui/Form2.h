#pragma once

// The component selection window "Загрузка данных о компонентах" (modeless), the wait window
// shown while a workbook is read, and the density table "Таблица истинной плотности (г/см3)".

#include "database/Selection.h"

#include <QDialog>

class QTimer;

class Form2 final : public QDialog
{
    Q_OBJECT

public:
    Form2(MixProject &project, QWidget *parent);

    SelectionModel &model() { return m_model; }
    // Reads a workbook with the settings file found beside the program (tests give their own).
    bool loadWorkbook(const QString &path, const QString &settingsFile = QString());

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void chooseWorkbook();
    void inform(const QString &title, const QString &text);
    void showDensityTable(int row);

    MixProject &m_project;
    SelectionModel m_model;
    QTimer *m_timer = nullptr;
};
