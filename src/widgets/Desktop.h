#pragma once

// What the window needs from the desktop: the clipboard, the Yes/No questions and the message
// boxes. Tests give the window a desktop of their own, with a clipboard string and scripted
// answers.

#include <QString>

class QWidget;

class Desktop
{
public:
    virtual ~Desktop() = default;
    virtual QString clipboardText() const = 0;
    virtual void setClipboardText(const QString &text) = 0;
    // A Yes/No question box with a question icon; true for Yes.
    virtual bool askYesNo(QWidget *owner, const QString &title, const QString &text) = 0;
    // A message box with an information icon, or a warning icon for a failure.
    virtual void inform(QWidget *owner, const QString &title, const QString &text) = 0;
    virtual void warn(QWidget *owner, const QString &title, const QString &text) = 0;
};

// The real desktop: the system clipboard and Qt's message boxes.
class SystemDesktop final : public Desktop
{
public:
    QString clipboardText() const override;
    void setClipboardText(const QString &text) override;
    bool askYesNo(QWidget *owner, const QString &title, const QString &text) override;
    void inform(QWidget *owner, const QString &title, const QString &text) override;
    void warn(QWidget *owner, const QString &title, const QString &text) override;
};
