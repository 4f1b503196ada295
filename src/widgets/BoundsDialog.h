#pragma once

// "Настройка границ случайного варьирования массовых долей": the lower and upper bound of each
// component's fraction for the automatic search. A pair that is not two numbers within 0..100
// with the upper one greater is framed in red, and "Применить" waits until none is.

#include "core/Storage.h"

#include <QDialog>

class ProjectSession;
class QGroupBox;
class ElidedLabel;
class QLineEdit;
class QPushButton;

class BoundsDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit BoundsDialog(ProjectSession &session, QWidget *parent = nullptr);

    // Fills the fields from the session (components 1..N enabled, the others not).
    void load();
    QLineEdit *lowerField(int i) const { return m_lower[i]; }
    QLineEdit *upperField(int i) const { return m_upper[i]; }
    QPushButton *applyButton() const { return m_apply; }
    bool pairMarked(int i) const;

private:
    void check();
    void apply();

    ProjectSession &m_session;
    QGroupBox *m_frames[MaxComponents + 1] = {};
    ElidedLabel *m_names[MaxComponents + 1] = {};
    QLineEdit *m_lower[MaxComponents + 1] = {};
    QLineEdit *m_upper[MaxComponents + 1] = {};
    QPushButton *m_apply;
};
