// Recalculate at N = 10, K = 50 with every cell filled: microseconds per call.
#include "core/MixProject.h"
#include "core/Recalculate.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    MixProject p;
    p.startUp();
    p.N.setText(QStringLiteral("10"));
    p.K.setText(QStringLiteral("50"));
    Recalculate(p);
    for (int i = 0; i < 10; ++i) {
        p.setCellText(p.tabl[1], 1, i, QStringLiteral("Компонент %1").arg(i + 1));
        p.setCellText(p.tabl[2], 1, i, QStringLiteral("2,%1").arg(50 + i));
        p.setCellText(p.tabl[4], 1, i, QStringLiteral("10"));
    }
    for (int j = 1; j <= 50; ++j) {
        p.setCellText(p.tabl[3], j, 0, QString::number(100.0 / j, 'f', 3).replace(u'.', u','));
        for (int i = 1; i <= 10; ++i)
            p.setCellText(p.tabl[3], j, i, QString::number(100 - j * 2 + i * 0.1, 'f', 1).replace(u'.', u','));
    }
    Recalculate(p);
    const int calls = argc > 1 ? std::atoi(argv[1]) : 20000;
    const auto t0 = std::chrono::steady_clock::now();
    for (int c = 0; c < calls; ++c)
        Recalculate(p);
    const auto t1 = std::chrono::steady_clock::now();
    const double us = std::chrono::duration<double, std::micro>(t1 - t0).count() / calls;
    std::printf("Recalculate N=10 K=50: %.2f us per call (%d calls), divergence %.4f\n", us, calls, double(p.CurveDivergence));
    return 0;
}
