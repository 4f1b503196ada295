// The automatic search: one step at N = 10, K = 50 (microseconds), and the divergence it
// reaches after 10 000 steps on the five-component example project.
#include "session/ProjectSession.h"
#include "LargeProject.h"

#include <chrono>
#include <cstdio>

int main(int argc, char **argv)
{
    {
        ProjectSession s;
        s.openDocument(largeProject());
        s.setSearchOn(true);
        s.searchRandom().seed(1);
        const int steps = 1000000;
        const auto t0 = std::chrono::steady_clock::now();
        s.runSearch(steps);
        const auto t1 = std::chrono::steady_clock::now();
        std::printf("search N=10 K=50: %.3f us per step, %.0f steps a second\n",
                    std::chrono::duration<double, std::micro>(t1 - t0).count() / steps,
                    steps / std::chrono::duration<double>(t1 - t0).count());
    }
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
    for (uint64_t seed : {1, 2, 3}) {
        ProjectSession s;
        QString error;
        if (!s.openProject(file, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        const float start = s.numbers().curveDivergence;
        s.setSearchOn(true);
        s.searchRandom().seed(seed);
        const int adopted = s.runSearch(10000);
        std::printf("seed %d: divergence %.2f -> %.2f after 10000 steps (%d adopted)\n", int(seed), double(start),
                    double(s.numbers().curveDivergence), adopted);
    }
    return 0;
}
