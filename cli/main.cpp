#include "core/MixProject.h"
#include "core/Numbers.h"
#include "core/Recalculate.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    MixProject project;
    project.startUp();
    QTextStream out(stdout);
    out << "divergence " << Num::formatRounded(project.CurveDivergence, 2) << '\n';
    return 0;
}
