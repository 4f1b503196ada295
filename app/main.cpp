#include "ui/Form1.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Form1 window;
    window.show();
    const QStringList args = app.arguments();
    if (args.size() > 1)
        window.openProject(args.at(1));
    return app.exec();
}
