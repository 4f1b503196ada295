// The exact best recipe at N = 10, K = 50 with two locks and the bounds on: milliseconds per
// solve. Goal: at most 10 ms.
#include "core/Handlers.h"
#include "core/MixProject.h"
#include "core/Recalculate.h"
#include "correction/ManualCorrection.h"
#include "correction/Optimum.h"

#include <QCoreApplication>

#include <chrono>
#include <cmath>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    MixProject p;
    ConnectInputHandlers(p);
    p.startUp();
    p.N.setText(QStringLiteral("10"));
    p.K.setText(QStringLiteral("50"));
    for (int i = 0; i < 10; ++i) {
        p.setCellText(p.tabl[2], 1, i, QStringLiteral("2,%1").arg(50 + i * 3));
        p.setCellText(p.tabl[4], 1, i, QStringLiteral("10"));
    }
    // Ten components with grading curves of different fineness over 50 sizes.
    for (int j = 1; j <= 50; ++j) {
        const double d = 40.0 * std::pow(0.85, j - 1);
        p.setCellText(p.tabl[3], j, 0, QString::number(d, 'g', 6).replace(u'.', u','));
        for (int i = 1; i <= 10; ++i) {
            const double a = 100.0 * std::pow(d / 40.0, 0.15 + 0.12 * i);
            p.setCellText(p.tabl[3], j, i, QString::number(a, 'f', 3).replace(u'.', u','));
        }
    }
    Recalculate(p);
    ResetCorrectedRecipe(p);
    p.MLock[2].setChecked(true);
    p.MLock[7].setChecked(true);
    p.BoundsCheck.setChecked(true);
    for (int i = 1; i <= 10; ++i) {
        p.VariationMin.set(i, 2);
        p.VariationMax.set(i, 40);
    }
    const int runs = 200;
    OptimumResult r;
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < runs; ++k)
        r = SolveOptimum(p);
    const auto t1 = std::chrono::steady_clock::now();
    std::printf("optimum N=10 K=50, two locks, bounds on: %.3f ms per solve (divergence %.4f, %s)\n",
                std::chrono::duration<double, std::milli>(t1 - t0).count() / runs, r.divergence,
                r.feasible ? "feasible" : qPrintable(r.problem));
    return 0;
}
