#include "widgets/MainWindow.h"
#include "widgets/ProgramFont.h"
#include "widgets/Translations.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The desktop entry's name ties the window to its entry and icon (Wayland); the icon comes
    // from the desktop's theme where the program is installed, else from the program itself.
    QGuiApplication::setDesktopFileName(QStringLiteral(PALVEX_APP_ID));
    QIcon builtIn;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/palvex-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(PALVEX_APP_ID), builtIn));
    installRussianTranslations(app);
    applyProgramFont(app);
    MainWindow window;
    window.show();
    // palvex [PROJECT.txt] [--step N]: opens a project and shows a step.
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--step") && i + 1 < args.size())
            window.session().selectStep(args[++i].toInt());
        else
            window.openProject(args[i]);
    }
    return app.exec();
}
