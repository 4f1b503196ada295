#include "startup/Language.h"
#include "startup/WindowArguments.h"
#include "widgets/MainWindow.h"
#include "widgets/ProgramFont.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

// The language asked for by --lang, else the desktop's. A --lang the program does not speak
// is refused by the command line's parsing, in the desktop's language.
UiLanguage chosenLanguage(const QStringList &arguments)
{
    const auto code = requestedLanguageCode(arguments);
    return (code ? uiLanguageNamed(*code) : std::nullopt).value_or(systemUiLanguage());
}

// Prints what the command line answers without a window; true when the program ends there.
bool answered(const WindowArguments &a, int *status)
{
    switch (a.action) {
    case WindowArguments::Action::Run:
        return false;
    case WindowArguments::Action::ShowHelp:
    case WindowArguments::Action::ShowVersion:
        std::fputs(a.text.toLocal8Bit().constData(), stdout);
        *status = 0;
        return true;
    case WindowArguments::Action::Refuse:
        std::fputs(a.text.toLocal8Bit().constData(), stderr);
        *status = 2;
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    // --help and --version answer without a display; everything else is read once Qt has taken
    // its own options (-platform, -style, ...) out of the command line.
    {
        QCoreApplication console(argc, argv);
        installUiLanguage(console, chosenLanguage(console.arguments()));
        const WindowArguments early = parseWindowArguments(console.arguments());
        int status = 0;
        if (early.action != WindowArguments::Action::Refuse && answered(early, &status))
            return status;
    }
    QApplication app(argc, argv);
    // The desktop entry's name ties the window to its entry and icon (Wayland); the icon comes
    // from the desktop's theme where the program is installed, else from the program itself.
    QGuiApplication::setDesktopFileName(QStringLiteral(PALVEX_APP_ID));
    QIcon builtIn;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/palvex-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(PALVEX_APP_ID), builtIn));
    installUiLanguage(app, chosenLanguage(app.arguments()));
    const WindowArguments arguments = parseWindowArguments(app.arguments());
    int status = 0;
    if (answered(arguments, &status))
        return status;
    applyProgramFont(app);
    MainWindow window;
    window.show();
    window.start(arguments.project, arguments.step);
    return app.exec();
}
