#include "widgets/Controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <QWheelEvent>

void ChoiceBox::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

void ChoiceBox::keyPressEvent(QKeyEvent *event)
{
    // Only the keys that open the list; the choice itself is made in the list.
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_F4:
        QComboBox::keyPressEvent(event);
        return;
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (event->modifiers() & Qt::AltModifier) {
            showPopup();
            return;
        }
        break;
    default:
        break;
    }
    event->ignore();
}

CoefficientBox::CoefficientBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // A typed "1" stays 1: the list's "10" must not complete it.
    setCompleter(nullptr);
}

void CoefficientBox::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

void CoefficientBox::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_PageUp
         || event->key() == Qt::Key_PageDown)
        && !(event->modifiers() & Qt::AltModifier)) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

int SteadySlider::positionOf(int value) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return groove.left() + handle.width() / 2
        + QStyle::sliderPositionFromValue(minimum(), maximum(), value, std::max(span, 0));
}

void SteadySlider::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

PictureWidget::PictureWidget(Painter painter, QWidget *parent)
    : QWidget(parent)
    , m_painter(std::move(painter))
{
}

void PictureWidget::setPainter(Painter painter)
{
    m_painter = std::move(painter);
    m_image = QImage();
    update();
}

void PictureWidget::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_image.isNull() || m_image.deviceIndependentSize().toSize() != size() || m_image.devicePixelRatio() != ratio)
        m_image = m_painter ? m_painter(size(), ratio) : QImage();
    QPainter g(this);
    g.drawImage(QPointF(0, 0), m_image);
}

ErrorFrame::ErrorFrame(QWidget *content, QWidget *parent)
    : QFrame(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(content);
    setObjectName(QStringLiteral("errorFrame"));
    setStyleSheet(QStringLiteral("#errorFrame { border: 2px solid transparent; }"));
}

void ErrorFrame::setError(bool on)
{
    if (m_error == on)
        return;
    m_error = on;
    setStyleSheet(on ? QStringLiteral("#errorFrame { border: 2px solid rgb(220, 0, 0); }")
                     : QStringLiteral("#errorFrame { border: 2px solid transparent; }"));
}
