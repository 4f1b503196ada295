#pragma once

// The row of step buttons along the top of the main window, with the rule along their lower
// edge that is open (white) under the chosen step, so that its button reads as an open tab.
// A button shows its hover picture while the pointer is over it, unless it is the chosen step.

#include <QWidget>

class StepButton;

class StepBar final : public QWidget
{
    Q_OBJECT

public:
    explicit StepBar(QWidget *parent = nullptr);
    void setCurrentStep(int step);
    int currentStep() const { return m_step; }
    StepButton *button(int step) const;

signals:
    void stepClicked(int step);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<StepButton *> m_buttons;
    int m_step = 0;
};

class StepButton final : public QWidget
{
    Q_OBJECT

public:
    StepButton(int step, QWidget *parent = nullptr);
    int step() const { return m_step; }
    void setSelected(bool on);
    bool isSelected() const { return m_selected; }
    bool isHovered() const { return m_hovered; }
    QSize sizeHint() const override;

signals:
    void clicked(int step);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_step;
    bool m_selected = false;
    bool m_hovered = false;
};
