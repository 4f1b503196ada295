#include "ui/InputGuards.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace InputGuards {

namespace {

enum class Kind { ListOnly, TypedOrChosen, WheelOnly };

// Keys that move through the list of a closed drop-down without opening it.
bool stepsThroughList(const QKeyEvent *e)
{
    if (e->modifiers() & Qt::AltModifier)
        return false; // Alt+Up and Alt+Down open the list
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

class Guard final : public QObject
{
public:
    Guard(QObject *parent, Kind kind)
        : QObject(parent)
        , m_kind(kind)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Wheel) {
            event->ignore();
            return true;
        }
        if (event->type() != QEvent::KeyPress || m_kind == Kind::WheelOnly)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (stepsThroughList(key))
            return true;
        if (m_kind == Kind::ListOnly) {
            if (key->key() == Qt::Key_Home || key->key() == Qt::Key_End)
                return true;
            // A typed character would pick the next item starting with it.
            const QString text = key->text();
            if (!text.isEmpty() && text.at(0).isPrint() && key->key() != Qt::Key_Space)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Kind m_kind;
};

} // namespace

void listChoicesOnly(QComboBox *box)
{
    box->installEventFilter(new Guard(box, Kind::ListOnly));
}

void typedOrChosen(QComboBox *box)
{
    auto *guard = new Guard(box, Kind::TypedOrChosen);
    box->installEventFilter(guard);
    if (QLineEdit *edit = box->lineEdit()) {
        edit->installEventFilter(guard);
        edit->setCompleter(nullptr);
    }
    box->setInsertPolicy(QComboBox::NoInsert);
}

void noWheel(QWidget *widget)
{
    widget->installEventFilter(new Guard(widget, Kind::WheelOnly));
}

} // namespace InputGuards
