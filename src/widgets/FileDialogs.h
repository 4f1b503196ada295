#pragma once

// The open and save dialogs: a one-entry filter plus "Все файлы", a title, and the path
// variable that proposes the name on entry and holds the chosen path (or nothing after a
// cancel) on return.

#include <QString>

class QWidget;

// The open dialog accepts the name of a file that does not exist after asking whether to
// create it (the caller's reading then reports the missing file).
void ShowOpenDialog(QWidget *owner, QString &path, const QString &pattern, const QString &description, const QString &title);
// The save dialog asks before overwriting an existing file.
void ShowSaveDialog(QWidget *owner, QString &path, const QString &pattern, const QString &description, const QString &title);
