#pragma once

// The command line of the window program: palvex [--step N] [--lang en|ru] [PROJECT].

#include <QString>
#include <QStringList>

struct WindowArguments
{
    enum class Action {
        Run,         // show the window
        ShowHelp,    // print `text` on standard output, exit status 0
        ShowVersion, // the same
        Refuse,      // print `text` on standard error, exit status 2
    };
    Action action = Action::Run;
    QString text;
    QString project; // the project to open; empty for none
    int step = 0;    // the step to show, 1-based as the step bar numbers them; 0 for the first
};

// Reads `arguments` (the program itself first, Qt's own options already taken out). A project
// that does not exist or cannot be read is refused here, before any window is shown.
WindowArguments parseWindowArguments(const QStringList &arguments);
