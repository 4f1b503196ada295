// The automatic search: one step at N = 10, K = 50 (microseconds), and the divergence it
// reaches after 10 000 steps on the five-component example project.
#include "core/Handlers.h"
#include "core/MixProject.h"
#include "core/Recalculate.h"
#include "correction/AutoSelection.h"
#include "correction/ManualCorrection.h"
#include "files/ProjectFile.h"
#include "LargeProject.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

namespace {

void fillLarge(MixProject &p)
{
    FillLargeProject(p);
    ResetCorrectedRecipe(p);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    {
        MixProject p;
        ConnectInputHandlers(p);
        ConnectCorrectionHandlers(p);
        p.startUp();
        fillLarge(p);
        p.AutoCheck.setChecked(true);
        SearchRandom r(1);
        const int steps = 200000;
        const auto t0 = std::chrono::steady_clock::now();
        for (int s = 0; s < steps; ++s) {
            RefreshCorrectionDisplay(p);
            AutoSelectionStep(p, r);
        }
        const auto t1 = std::chrono::steady_clock::now();
        std::printf("search step N=10 K=50 (with the tick's read-out refresh): %.2f us\n",
                    std::chrono::duration<double, std::micro>(t1 - t0).count() / steps);
    }
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
    for (uint64_t seed : {1, 2, 3}) {
        MixProject p;
        ConnectInputHandlers(p);
        ConnectCorrectionHandlers(p);
        p.startUp();
        QString error;
        if (!ProjectFile::LoadProject(p, file, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        const float start = p.CurveDivergence;
        p.AutoCheck.setChecked(true);
        SearchRandom r(seed);
        long adopted = 0;
        for (int s = 0; s < 10000; ++s) {
            RefreshCorrectionDisplay(p);
            adopted += AutoSelectionStep(p, r) ? 1 : 0;
        }
        std::printf("seed %d: divergence %.2f -> %.2f after 10000 steps (%ld adopted)\n", int(seed), double(start),
                    double(p.CurveDivergence), adopted);
    }
    return 0;
}
