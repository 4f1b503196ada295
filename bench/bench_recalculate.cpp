// The calculation at N = 10, K = 50 with every cell filled, after one cell has changed:
// microseconds per call. Goal: at most 5 us.
#include "core/MixNumbers.h"
#include "core/Recalculate.h"
#include "LargeProject.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    ProjectDocument d = largeProject();
    MixNumbers x;
    x.correctedRecipe.set(1, 100.0f);
    recalculate(d, x);
    const int calls = argc > 1 ? std::atoi(argv[1]) : 200000;
    const QString texts[2] = {QStringLiteral("55,5"), QStringLiteral("56")};
    const auto t0 = std::chrono::steady_clock::now();
    for (int c = 0; c < calls; ++c) {
        d.setCell(InputTable::Compositions, 25, 5, texts[c & 1]);
        recalculate(d, x);
    }
    const auto t1 = std::chrono::steady_clock::now();
    const double us = std::chrono::duration<double, std::micro>(t1 - t0).count() / calls;
    std::printf("recalculate N=10 K=50 after one cell changed: %.2f us per call (%d calls), divergence %.4f\n", us, calls,
                double(x.curveDivergence));
    return 0;
}
