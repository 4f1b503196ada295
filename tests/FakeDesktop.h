#pragma once

// The desktop of the windows for tests: a clipboard string, scripted answers to the Yes/No
// questions, and a record of every question and message box (their titles and texts).

#include "widgets/Desktop.h"

#include <QStringList>

class FakeDesktop final : public Desktop
{
public:
    QString clipboard;
    bool answer = true;
    QStringList questions;     // titles of the Yes/No questions, in order
    QStringList questionTexts; // their texts
    QStringList messages;      // "title: text" of the information and warning boxes, in order

    QString clipboardText() const override { return clipboard; }
    void setClipboardText(const QString &text) override { clipboard = text; }
    bool askYesNo(QWidget *, const QString &title, const QString &text) override
    {
        questions << title;
        questionTexts << text;
        return answer;
    }
    void inform(QWidget *, const QString &title, const QString &text) override { messages << title + QStringLiteral(": ") + text; }
    void warn(QWidget *, const QString &title, const QString &text) override { messages << title + QStringLiteral(": ") + text; }
};
