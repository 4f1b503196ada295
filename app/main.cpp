#include "ui/Form1.h"
#include "ui/Form1Logic.h"
#include "ui/ProgramFont.h"
#include "ui/Translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    InstallRussianTranslations(app);
    ApplyProgramFont(app);
    Form1 window;
    window.show();
    // palvex [PROJECT.txt] [--step N]: opens a project and shows a step.
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--step") && i + 1 < args.size())
            SelectStep(window.project(), args[++i].toInt());
        else
            window.openProject(args[i]);
    }
    return app.exec();
}
