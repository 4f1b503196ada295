#include "widgets/StepBar.h"

#include "widgets/Pictures.h"
#include "widgets/Steps.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>

StepBar::StepBar(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 4, 0, 1);
    layout->setSpacing(2);
    for (int step = 1; step <= StepCount; ++step) {
        auto *b = new StepButton(step, this);
        m_buttons << b;
        layout->addWidget(b);
        connect(b, &StepButton::clicked, this, &StepBar::stepClicked);
    }
    layout->addStretch(1);
}

void StepBar::setCurrentStep(int step)
{
    if (m_step == step)
        return;
    m_step = step;
    for (StepButton *b : m_buttons)
        b->setSelected(b->step() == step);
    update();
}

StepButton *StepBar::button(int step) const
{
    return step >= 1 && step <= m_buttons.size() ? m_buttons[step - 1] : nullptr;
}

void StepBar::paintEvent(QPaintEvent *)
{
    // The rule along the buttons' lower edge, open under the chosen step.
    QPainter g(this);
    const int y = height() - 1;
    g.setPen(Qt::black);
    g.drawLine(0, y, width(), y);
    if (StepButton *b = button(m_step)) {
        g.setPen(Qt::white);
        g.drawLine(b->x(), y, b->x() + b->width() - 1, y);
    }
}

StepButton::StepButton(int step, QWidget *parent)
    : QWidget(parent)
    , m_step(step)
{
    setObjectName(QStringLiteral("step%1").arg(step));
    setCursor(Qt::PointingHandCursor);
    setToolTip(stepTitle(step));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
}

QSize StepButton::sizeHint() const
{
    return QSize(131, 40);
}

void StepButton::setSelected(bool on)
{
    if (m_selected != on) {
        m_selected = on;
        update();
    }
}

void StepButton::paintEvent(QPaintEvent *)
{
    using Pictures::StepButtonState;
    const StepButtonState state = m_selected ? StepButtonState::Selected
        : m_hovered                          ? StepButtonState::Hover
                                             : StepButtonState::Normal;
    QPainter g(this);
    g.drawImage(QPointF(0, 0), Pictures::stepButton(m_step, state, size(), devicePixelRatioF()));
}

void StepButton::enterEvent(QEnterEvent *)
{
    m_hovered = true;
    update();
}

void StepButton::leaveEvent(QEvent *)
{
    m_hovered = false;
    update();
}

void StepButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(m_step);
}
