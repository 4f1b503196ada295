#include "widgets/StepPage.h"

StepPage::StepPage(ProjectSession &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
}

QLabel *captionLabel(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

QLabel *hintLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel *errorLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #c00000;"));
    return label;
}

void setLabelText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

QString componentLabel(const ProjectDocument &d, int i)
{
    const QString name = d.componentName(i).text();
    const QString key = name.trimmed();
    if (key.isEmpty())
        return name;
    for (int k = 1; k <= d.componentCount; ++k)
        if (k != i && d.componentName(k).text().trimmed() == key)
            return name + QStringLiteral(" (%1)").arg(i);
    return name;
}
