// The automatic search in the window: steps a second while it runs, and how long the window
// takes to answer an input event meanwhile (a posted event's wait in the queue, measured every
// 50 ms). Goals: at least 100 000 steps a second; input answered within 16 ms.
#include "widgets/CorrectionPage.h"
#include "widgets/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    MainWindow window;
    window.resize(1280, 900);
    window.show();
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
    if (!window.openProject(file))
        return 2;
    window.session().selectStep(5);
    QCoreApplication::processEvents();
    auto *search = window.findChild<QCheckBox *>(QStringLiteral("search"));
    search->click();
    const long long before = window.session().searchSteps();
    QElapsedTimer clock;
    clock.start();
    double worst = 0, total = 0;
    int answers = 0;
    QTimer probe;
    probe.setInterval(50);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        QElapsedTimer posted;
        posted.start();
        QTimer::singleShot(0, [&, posted] {
            const double ms = posted.nsecsElapsed() / 1e6;
            worst = std::max(worst, ms);
            total += ms;
            ++answers;
        });
    });
    probe.start();
    // exit(), not quit(): quit() would close the window, which asks about unsaved data first.
    QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(0); });
    app.exec();
    const double seconds = clock.elapsed() / 1000.0;
    const long long steps = window.session().searchSteps() - before;
    std::printf("search in the window: %.0f steps a second over %.1f s; input answered in %.1f ms on average, %.1f ms at worst; "
                "divergence %.2f\n",
                steps / seconds, seconds, answers ? total / answers : 0.0, worst, double(window.session().numbers().curveDivergence));
    return 0;
}
