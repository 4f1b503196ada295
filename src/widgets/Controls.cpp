#include "widgets/Controls.h"

#include <QApplication>
#include <QIconEngine>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
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

namespace {

class DrawnIconEngine final : public QIconEngine
{
public:
    explicit DrawnIconEngine(PictureWidget::Painter painter)
        : m_painter(std::move(painter))
    {
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }

    // `size` in device pixels, as QIcon asks for a pixmap at a device pixel ratio.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override { return styled(m_painter(size, 1.0), mode); }

    // `size` counts device pixels here too; the pixmap covers them at `scale`.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QPixmap pixmap = styled(m_painter(size, 1.0), mode);
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect.topLeft(), styled(m_painter(rect.size(), ratio), mode));
    }

    QIconEngine *clone() const override { return new DrawnIconEngine(m_painter); }

    QString key() const override { return QStringLiteral("palvex-drawn"); }

private:
    static QPixmap styled(const QImage &image, QIcon::Mode mode)
    {
        QPixmap pixmap = QPixmap::fromImage(image);
        if (mode == QIcon::Disabled) {
            const QStyleOption option;
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    PictureWidget::Painter m_painter;
};

} // namespace

QIcon drawnIcon(PictureWidget::Painter painter)
{
    return QIcon(new DrawnIconEngine(std::move(painter)));
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
