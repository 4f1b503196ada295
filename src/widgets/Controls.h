#pragma once

// Small controls of the main window.

#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QSlider>

#include <functional>

// A drop-down list that changes only by a choice from its list: the wheel and the keys that
// would step or search it do nothing (a count changed by a stray notch would hide data).
class ChoiceBox final : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// An editable drop-down (a coefficient): typed into like a text field, or chosen from its list;
// the wheel and the arrow keys do not step it.
class CoefficientBox final : public QComboBox
{
    Q_OBJECT

public:
    explicit CoefficientBox(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// A slider the wheel does not move.
class SteadySlider final : public QSlider
{
    Q_OBJECT

public:
    using QSlider::QSlider;
    // The x of a value's position on the groove, in this widget's coordinates.
    int positionOf(int value) const;

protected:
    void wheelEvent(QWheelEvent *event) override;
};

// A picture the program draws, made again for the widget's size and the screen's pixel density.
class PictureWidget final : public QWidget
{
    Q_OBJECT

public:
    using Painter = std::function<QImage(QSize size, qreal ratio)>;
    PictureWidget(Painter painter, QWidget *parent = nullptr);
    void setPainter(Painter painter);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Painter m_painter;
    QImage m_image;
};

// An icon the program draws itself, drawn again for each size and pixel density it is shown at
// (never a small picture scaled up); greyed by the style where its button is disabled.
QIcon drawnIcon(PictureWidget::Painter painter);

// A frame around a table that turns red while the table holds errors.
class ErrorFrame final : public QFrame
{
    Q_OBJECT

public:
    explicit ErrorFrame(QWidget *content, QWidget *parent = nullptr);
    void setError(bool on);
    bool hasError() const { return m_error; }

private:
    bool m_error = false;
};
