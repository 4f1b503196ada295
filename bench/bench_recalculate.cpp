// Recalculate at N = 10, K = 50 with every cell filled: microseconds per call.
#include "core/MixProject.h"
#include "core/Recalculate.h"
#include "LargeProject.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    MixProject p;
    p.startUp();
    FillLargeProject(p);
    const int calls = argc > 1 ? std::atoi(argv[1]) : 20000;
    const auto t0 = std::chrono::steady_clock::now();
    for (int c = 0; c < calls; ++c)
        Recalculate(p);
    const auto t1 = std::chrono::steady_clock::now();
    const double us = std::chrono::duration<double, std::micro>(t1 - t0).count() / calls;
    std::printf("Recalculate N=10 K=50: %.2f us per call (%d calls), divergence %.4f\n", us, calls, double(p.CurveDivergence));
    return 0;
}
