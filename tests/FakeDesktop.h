#pragma once

// The desktop of the editing handlers for tests: a clipboard string, scripted answers to the
// questions, and the state of the Ctrl key.

#include "checking/GridEditing.h"

#include <QStringList>

class FakeDesktop final : public EditingDesktop
{
public:
    QString clipboard;
    bool answer = true;
    bool ctrl = false;
    QStringList questions;
    QString clipboardText() const override { return clipboard; }
    void setClipboardText(const QString &text) override { clipboard = text; }
    void clearClipboard() override { clipboard.clear(); }
    bool askYesNo(const QString &title, const QString &) override
    {
        questions << title;
        return answer;
    }
    bool ctrlHeld() const override { return ctrl; }
};
