#pragma once

// The bounds dialog "Настройка границ случайного варьирования массовых долей": created on first
// use, afterwards only hidden. Its own 1 ms timer re-checks the pairs.

#include "correction/BoundsDialog.h"

#include <QDialog>

class QTimer;

class Form6 final : public QDialog
{
    Q_OBJECT

public:
    Form6(MixProject &project, QWidget *parent);
    ~Form6() override;

    BoundsDialogModel &model() { return m_model; }
    // Refills the boxes and shows the dialog modally.
    void open() override;

private:
    MixProject &m_project;
    BoundsDialogModel m_model;
    QTimer *m_timer = nullptr;
};
