// The blend optimiser at N = 10, K = 50: the lowest cost inside a grading envelope with at most
// five components (a mixed-integer program), and the cost-divergence front of 20 points.
// Goals: at most 50 ms per solve, at most 200 ms per front.
#include "correction/Optimum.h"
#include "session/ProjectSession.h"
#include "LargeProject.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

QString cell(double v)
{
    return QString::number(v, 'f', 2).replace(u'.', u',');
}

template <typename F>
double millisecondsPerRun(int runs, F &&f)
{
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < runs; ++k)
        f();
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(t1 - t0).count() / runs;
}

} // namespace

int main()
{
    ProjectSession s;
    s.openDocument(gradedProject());
    // Dearer components are the finer ones, from 1000 to 5500 a tonne.
    for (int i = 1; i <= 10; ++i)
        s.setCellText(InputTable::Prices, 1, i - 1, QString::number(1000 + 500 * (i - 1)));
    // An envelope 1,5 points either side of the curve of components 2, 4, 6, 8 and 10 in equal shares, so that
    // a five-component recipe exists, at every class.
    ComponentFloats recipe;
    for (int i = 1; i <= 10; ++i)
        recipe.set(i, i % 2 == 0 ? 20.0f : 0.0f);
    s.setCorrectedRecipe(recipe);
    const ClassFloats curve = s.numbers().correctedMixCurve;
    for (int j = 1; j <= 50; ++j) {
        s.setCellText(InputTable::Envelope, 1, j, cell(std::max(0.0, double(curve[j]) - 1.5)));
        s.setCellText(InputTable::Envelope, 2, j, cell(std::min(100.0, double(curve[j]) + 1.5)));
    }
    s.resetToBase();
    s.setObjective(Objective::Cost);
    s.setWithinEnvelope(true);
    s.setComponentCapOn(true);
    s.setMaxComponents(5);
    if (!s.validation().tablesValid() || !s.validation().envelopeValid() || !s.validation().pricesValid()) {
        std::printf("the benchmark's project is not valid\n");
        return 1;
    }

    OptimumResult r;
    const double solve = millisecondsPerRun(20, [&] { r = Optimum::solve(s.document(), s.numbers(), s.correction()); });
    std::printf("lowest cost, envelope at 50 classes, at most 5 of 10 components: %.2f ms per solve "
                "(cost %.2f, divergence %.4f, %d components, %s)\n",
                solve, r.cost.value_or(-1), r.divergence, r.componentsUsed, r.feasible ? "feasible" : qPrintable(r.message));

    // A cap that binds: the cheapest recipe uses three components.
    s.setMaxComponents(2);
    const double binding = millisecondsPerRun(20, [&] { r = Optimum::solve(s.document(), s.numbers(), s.correction()); });
    std::printf("lowest cost, envelope, at most 2 components: %.2f ms per solve (%s, cost %.2f, %d components)\n", binding,
                r.feasible ? "feasible" : "infeasible", r.cost.value_or(-1), r.componentsUsed);
    s.setMaxComponents(5);

    s.setComponentCapOn(false);
    const double plain = millisecondsPerRun(50, [&] { r = Optimum::solve(s.document(), s.numbers(), s.correction()); });
    std::printf("lowest cost, envelope, no cap on the components: %.2f ms per solve (cost %.2f, %d components)\n", plain,
                r.cost.value_or(-1), r.componentsUsed);

    CostFront front;
    const double frontTime = millisecondsPerRun(10, [&] { front = Optimum::costFront(s.document(), s.numbers(), s.correction(), 20); });
    std::printf("cost-divergence front of 20 points, envelope: %.2f ms per front (%lld points, %.4f..%.4f %%, %.2f..%.2f)\n",
                frontTime, (long long)front.points.size(), front.points.isEmpty() ? 0.0 : front.points.first().divergence,
                front.points.isEmpty() ? 0.0 : front.points.last().divergence, front.points.isEmpty() ? 0.0 : front.points.first().cost,
                front.points.isEmpty() ? 0.0 : front.points.last().cost);

    s.setComponentCapOn(true);
    const double capped = millisecondsPerRun(3, [&] { front = Optimum::costFront(s.document(), s.numbers(), s.correction(), 20); });
    std::printf("cost-divergence front of 20 points, envelope, at most 5 components: %.2f ms per front (%lld points)\n", capped,
                (long long)front.points.size());
    return 0;
}
