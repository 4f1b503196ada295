#include "widgets/ElidedLabel.h"

#include <QRegularExpression>

ElidedLabel::ElidedLabel(QWidget *parent)
    : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString &text)
{
    if (m_set && text == m_full)
        return;
    m_set = true;
    m_full = text;
    refit();
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("Wwwww…")), QLabel::minimumSizeHint().height());
}

QSize ElidedLabel::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(m_full) + 4, QLabel::sizeHint().height());
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    refit();
}

void ElidedLabel::refit()
{
    static const QRegularExpression number(QStringLiteral(" \\(\\d+\\)$"));
    const QFontMetrics fm = fontMetrics();
    const int room = contentsRect().width();
    QString shown = m_full;
    if (fm.horizontalAdvance(m_full) > room) {
        const QString tail = number.match(m_full).captured();
        const QString head = m_full.left(m_full.size() - tail.size());
        shown = fm.elidedText(head, Qt::ElideRight, std::max(0, room - fm.horizontalAdvance(tail))) + tail;
    }
    if (text() != shown)
        setText(shown);
    // The tooltip shows the whole name where the label had to shorten it.
    const QString tip = shown != m_full ? m_full : QString();
    if (toolTip() != tip)
        setToolTip(tip);
}
