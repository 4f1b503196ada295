#include "ui/Form6.h"

#include "ui/ElidedLabel.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int TwipsPerPixel = 15;

QRect pixels(const Control &c)
{
    return QRect(c.left() / TwipsPerPixel, c.top() / TwipsPerPixel, c.width() / TwipsPerPixel, c.height() / TwipsPerPixel);
}

void mirror(QWidget *w, Control &c)
{
    auto apply = [w, &c] {
        w->setGeometry(pixels(c));
        w->setVisible(c.isVisible());
        w->setEnabled(c.isEnabled());
    };
    apply();
    QObject::connect(&c, &Control::stateChanged, w, apply);
}

// Digits and Backspace only; every other key is discarded.
class BoundEdit final : public QLineEdit
{
public:
    BoundEdit(QWidget *parent, Control &c)
        : QLineEdit(c.text(), parent)
    {
        connect(this, &QLineEdit::textEdited, &c, [&c](const QString &t) { c.setText(t); });
        QObject::connect(&c, &Control::stateChanged, this, [this, &c] {
            if (text() != c.text())
                setText(c.text());
        });
    }

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        const QString t = e->text();
        const bool navigation = e->key() == Qt::Key_Left || e->key() == Qt::Key_Right || e->key() == Qt::Key_Home
            || e->key() == Qt::Key_End || e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
        if (navigation || e->key() == Qt::Key_Backspace || (t.size() == 1 && BoundsKeyAllowed(t.at(0).unicode())))
            QLineEdit::keyPressEvent(e);
        else
            e->ignore();
    }
};

class RedFrame final : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter g(this);
        g.setPen(QPen(QColor(220, 0, 0), 2));
        g.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

} // namespace

Form6::Form6(MixProject &project, QWidget *parent)
    : QDialog(parent)
    , m_project(project)
{
    setWindowTitle(BoundsDialogModel::title());
    setModal(true);
    setFixedSize(pixels(m_model.Form6).size());
    BoundsDialogModel &d = m_model;
    for (int j = 1; j <= MaxComponents; ++j) {
        auto *frame = new QGroupBox(d.CompFrame[j].text(), this);
        mirror(frame, d.CompFrame[j]);
        auto *border = new RedFrame(frame);
        border->setAttribute(Qt::WA_TransparentForMouseEvents);
        mirror(border, d.ErrBorder[j]);
        auto *name = new ElidedLabel(frame);
        mirror(name, d.CompName[j]);
        connect(&d.CompName[j], &Control::stateChanged, name, [name, &d, j] { name->setFullText(d.CompName[j].text()); });
        auto *minLabel = new QLabel(d.BMin[j].text(), frame);
        mirror(minLabel, d.BMin[j]);
        mirror(new BoundEdit(frame, d.BMinVal[j]), d.BMinVal[j]);
        auto *maxLabel = new QLabel(d.BMax[j].text(), frame);
        mirror(maxLabel, d.BMax[j]);
        mirror(new BoundEdit(frame, d.BMaxVal[j]), d.BMaxVal[j]);
    }
    auto *apply = new QPushButton(d.CommandApply.text(), this);
    mirror(apply, d.CommandApply);
    connect(apply, &QPushButton::clicked, this, [this] {
        ApplyBounds(m_project, m_model);
        accept();
    });
    auto *cancel = new QPushButton(d.CommandCancel.text(), this);
    mirror(cancel, d.CommandCancel);
    connect(cancel, &QPushButton::clicked, this, [this] {
        CancelBounds(m_model);
        reject();
    });
    m_timer = new QTimer(this);
    m_timer->setInterval(1);
    connect(m_timer, &QTimer::timeout, this, [this] { ValidateBounds(m_project, m_model); });
}

Form6::~Form6() = default;

void Form6::open()
{
    OpenBoundsDialog(m_project, m_model);
    m_timer->start();
    exec();
    m_timer->stop();
    m_model.Form6.setVisible(false);
}
