#include "widgets/Desktop.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

QString SystemDesktop::clipboardText() const
{
    return QGuiApplication::clipboard()->text();
}

void SystemDesktop::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

bool SystemDesktop::askYesNo(QWidget *owner, const QString &title, const QString &text)
{
    return QMessageBox::question(owner, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void SystemDesktop::inform(QWidget *owner, const QString &title, const QString &text)
{
    QMessageBox::information(owner, title, text);
}

void SystemDesktop::warn(QWidget *owner, const QString &title, const QString &text)
{
    QMessageBox::warning(owner, title, text);
}
