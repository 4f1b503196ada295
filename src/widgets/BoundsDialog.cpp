#include "widgets/BoundsDialog.h"

#include "core/Numbers.h"
#include "correction/Bounds.h"
#include "session/ProjectSession.h"
#include "widgets/ElidedLabel.h"
#include "widgets/StepPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A bound field: only digits can be typed; editing keys and the clipboard work as usual, a
// pasted text keeping its digits only.
class BoundEdit final : public QLineEdit
{
public:
    explicit BoundEdit(QWidget *parent)
        : QLineEdit(parent)
    {
        // Whatever arrives by pasting or dropping keeps its digits only.
        connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
            const QString digits = Bounds::pastedDigits(text);
            if (digits != text) {
                const int cursor = cursorPosition() - int(text.left(cursorPosition()).size() - Bounds::pastedDigits(text.left(cursorPosition())).size());
                setText(digits);
                setCursorPosition(cursor);
            }
        });
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QString text = event->text();
        const bool typing = !text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier);
        if (typing && !Bounds::keyAllowed(text.at(0).unicode())) {
            event->ignore();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

} // namespace

BoundsDialog::BoundsDialog(ProjectSession &session, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
{
    setWindowTitle(tr("Настройка границ случайного варьирования массовых долей"));
    setObjectName(QStringLiteral("boundsDialog"));
    auto *grid = new QGridLayout;
    for (int j = 1; j <= MaxComponents; ++j) {
        auto *frame = new QGroupBox(tr("Компонент %1").arg(j), this);
        frame->setObjectName(QStringLiteral("boundsFrame%1").arg(j));
        m_frames[j] = frame;
        m_names[j] = new ElidedLabel(frame);
        m_names[j]->setObjectName(QStringLiteral("boundsName%1").arg(j));
        m_lower[j] = new BoundEdit(frame);
        m_lower[j]->setObjectName(QStringLiteral("lower%1").arg(j));
        m_upper[j] = new BoundEdit(frame);
        m_upper[j]->setObjectName(QStringLiteral("upper%1").arg(j));
        for (QLineEdit *e : {m_lower[j], m_upper[j]}) {
            e->setFixedWidth(70);
            connect(e, &QLineEdit::textChanged, this, &BoundsDialog::check);
        }
        auto *fields = new QHBoxLayout;
        fields->addWidget(new QLabel(tr("от:"), frame));
        fields->addWidget(m_lower[j]);
        fields->addSpacing(20);
        fields->addWidget(new QLabel(tr("до:"), frame));
        fields->addWidget(m_upper[j]);
        fields->addStretch(1);
        auto *box = new QVBoxLayout(frame);
        box->addWidget(m_names[j]);
        box->addLayout(fields);
        grid->addWidget(frame, (j - 1) % 5, (j - 1) / 5);
    }
    m_apply = new QPushButton(tr("Применить"), this);
    m_apply->setObjectName(QStringLiteral("applyBounds"));
    auto *cancel = new QPushButton(tr("Отмена"), this);
    cancel->setObjectName(QStringLiteral("cancelBounds"));
    connect(m_apply, &QPushButton::clicked, this, &BoundsDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_apply);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void BoundsDialog::load()
{
    const int n = m_session.componentCount();
    const CorrectionState &c = m_session.correction();
    for (int j = 1; j <= MaxComponents; ++j) {
        const bool used = j <= n;
        m_frames[j]->setEnabled(used);
        if (used) {
            // Named as the sliders name them: two components of the same name told apart.
            m_names[j]->setFullText(componentLabel(m_session.document(), j));
            m_lower[j]->setText(Num::formatSingle(c.variationMin[j]));
            m_upper[j]->setText(Num::formatSingle(c.variationMax[j]));
        }
    }
    check();
}

bool BoundsDialog::pairMarked(int i) const
{
    return i >= 1 && i <= MaxComponents && m_frames[i]->property("wrong").toBool();
}

void BoundsDialog::check()
{
    const int n = m_session.componentCount();
    int wrong = 0;
    for (int j = 1; j <= MaxComponents; ++j) {
        const bool marked = j <= n && Bounds::pairWrong(m_lower[j]->text(), m_upper[j]->text());
        if (m_frames[j]->property("wrong").toBool() != marked) {
            m_frames[j]->setProperty("wrong", marked);
            m_frames[j]->setStyleSheet(marked ? QStringLiteral("QGroupBox { border: 2px solid rgb(220, 0, 0); margin-top: 1ex; }"
                                                               "QGroupBox::title { subcontrol-origin: margin; left: 6px; }")
                                              : QString());
        }
        wrong += marked ? 1 : 0;
    }
    m_apply->setEnabled(wrong == 0);
}

void BoundsDialog::apply()
{
    ComponentFloats lower, upper;
    for (int j = 1; j <= MaxComponents; ++j) {
        lower.set(j, Bounds::value(m_lower[j]->text()));
        upper.set(j, Bounds::value(m_upper[j]->text()));
    }
    m_session.setBounds(lower, upper);
    accept();
}
