#include "widgets/MainWindow.h"
#include "widgets/ProgramFont.h"
#include "widgets/Translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
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
