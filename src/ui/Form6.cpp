#include "ui/Form6.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
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

// Typed characters: digits only, every other character is discarded. Editing keys (Delete,
// the arrows, Home, End, Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+Z) work as in any text box, and a pasted
// text keeps its digits.
class BoundEdit final : public QLineEdit
{
public:
    BoundEdit(QWidget *parent, Control &c)
        : QLineEdit(c.text(), parent)
    {
        setAcceptDrops(false);
        connect(this, &QLineEdit::textEdited, &c, [this, &c](const QString &t) {
            // Whatever way a text came in, only its digits stay.
            QString digits;
            for (const QChar ch : t)
                if (ch >= u'0' && ch <= u'9')
                    digits += ch;
            if (digits != t)
                setText(digits);
            c.setText(digits);
        });
        QObject::connect(&c, &Control::stateChanged, this, [this, &c] {
            if (text() != c.text())
                setText(c.text());
        });
    }

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->matches(QKeySequence::Paste)) {
            pasteDigits(QClipboard::Clipboard);
            e->accept();
            return;
        }
        // A character typed, not a shortcut (Ctrl+A, Ctrl+C, ...).
        const QString t = e->text();
        const bool typed = !t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        if (typed && !(t.size() == 1 && BoundsKeyAllowed(t.at(0).unicode()))) {
            e->ignore();
            return;
        }
        QLineEdit::keyPressEvent(e);
    }
    void contextMenuEvent(QContextMenuEvent *e) override
    {
        QMenu *menu = createStandardContextMenu();
        if (QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
            paste->disconnect();
            connect(paste, &QAction::triggered, this, [this] { pasteDigits(QClipboard::Clipboard); });
        }
        menu->exec(e->globalPos());
        delete menu;
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
            pasteDigits(QClipboard::Selection);
            e->accept();
            return;
        }
        QLineEdit::mouseReleaseEvent(e);
    }

private:
    void pasteDigits(QClipboard::Mode mode)
    {
        if (isReadOnly() || !isEnabled())
            return;
        // insert() counts as the user's edit: the box's control follows.
        insert(BoundsPastedText(QGuiApplication::clipboard()->text(mode)));
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
        auto *name = new QLabel(frame);
        mirror(name, d.CompName[j]);
        connect(&d.CompName[j], &Control::stateChanged, name, [name, &d, j] { name->setText(d.CompName[j].text()); });
        auto *minLabel = new QLabel(d.BMin[j].text(), frame);
        mirror(minLabel, d.BMin[j]);
        auto *low = new BoundEdit(frame, d.BMinVal[j]);
        low->setObjectName(QStringLiteral("BMinVal%1").arg(j));
        mirror(low, d.BMinVal[j]);
        auto *maxLabel = new QLabel(d.BMax[j].text(), frame);
        mirror(maxLabel, d.BMax[j]);
        auto *high = new BoundEdit(frame, d.BMaxVal[j]);
        high->setObjectName(QStringLiteral("BMaxVal%1").arg(j));
        mirror(high, d.BMaxVal[j]);
    }
    auto *apply = new QPushButton(d.CommandApply.text(), this);
    apply->setObjectName(QStringLiteral("CommandApply"));
    mirror(apply, d.CommandApply);
    connect(apply, &QPushButton::clicked, this, [this] {
        ApplyBounds(m_project, m_model);
        accept();
    });
    auto *cancel = new QPushButton(d.CommandCancel.text(), this);
    cancel->setObjectName(QStringLiteral("CommandCancel"));
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
