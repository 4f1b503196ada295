// The exact best recipe at N = 10, K = 50 with two locks and the bounds on: milliseconds per
// solve. Goal: at most 10 ms.
#include "correction/Optimum.h"
#include "session/ProjectSession.h"
#include "LargeProject.h"

#include <chrono>
#include <cstdio>

int main()
{
    ProjectSession s;
    s.openDocument(gradedProject());
    s.setLocked(2, true);
    s.setLocked(7, true);
    s.setBoundsOn(true);
    ComponentFloats lower, upper;
    for (int i = 1; i <= 10; ++i) {
        lower.set(i, 2);
        upper.set(i, 40);
    }
    s.setBounds(lower, upper);
    const int runs = 200;
    OptimumResult r;
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < runs; ++k)
        r = Optimum::solve(s.document(), s.numbers(), s.correction());
    const auto t1 = std::chrono::steady_clock::now();
    std::printf("optimum N=10 K=50, two locks, bounds on: %.3f ms per solve (divergence %.4f, %s)\n",
                std::chrono::duration<double, std::milli>(t1 - t0).count() / runs, r.divergence,
                r.feasible ? "feasible" : qPrintable(r.problem));
    return 0;
}
