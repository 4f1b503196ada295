#include "ui/ElidedLabel.h"

#include <QRegularExpression>

ElidedLabel::ElidedLabel(QWidget *parent)
    : QLabel(parent)
{
}

void ElidedLabel::setFullText(const QString &text)
{
    if (m_set && text == m_full)
        return;
    m_set = true;
    m_full = text;
    refit();
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
    if (toolTip() != m_full)
        setToolTip(m_full);
}
