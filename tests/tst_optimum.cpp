#include "core/Handlers.h"
#include "core/Recalculate.h"
#include "correction/AutoSelection.h"
#include "correction/ManualCorrection.h"
#include "correction/Optimum.h"
#include "files/ProjectFile.h"

#include <QTest>

#include "support/Compare.h"
#include "support/ProjectBuilder.h"

using TestSupport::ProjectBuilder;

namespace {

// Two components with the given curves and densities, base recipe 50/50, a manual reference.
ProjectBuilder twoCurves(const QStringList &a1, const QStringList &a2, const QStringList &reference, const QStringList &densities)
{
    QStringList sizes;
    for (int j = 1; j <= a1.size(); ++j)
        sizes << QString::number(100 - j);
    return ProjectBuilder()
        .densities(densities)
        .sizes(sizes)
        .composition(1, a1)
        .composition(2, a2)
        .baseRecipe({QStringLiteral("50"), QStringLiteral("50")})
        .manualReference(reference);
}

// Curves 100/50/10 and 100/80/40 against the reference 100/70/30.
ProjectBuilder closedFormProject(const QStringList &densities = {QStringLiteral("2,65"), QStringLiteral("2,65")})
{
    return twoCurves({QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")},
                     {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("40")},
                     {QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("30")}, densities);
}

// A project wired as the window wires it, its corrected recipe at the base recipe.
struct Fixture
{
    MixProject p;
    explicit Fixture(const ProjectBuilder &project)
    {
        ConnectInputHandlers(p);
        ConnectCorrectionHandlers(p);
        p.startUp();
        QVERIFY(project.typeInto(p));
        ResetCorrectedRecipe(p);
    }
};

} // namespace

class TestOptimum final : public QObject
{
    Q_OBJECT

private slots:
    // Curves 100/50/10 and 100/80/40, reference 100/70/30, equal densities: the mix is
    // (100, 80 - 30x, 40 - 30x) with x the share of component 1; the gaps |10 - 30x| at both
    // classes are equal, so the optimum is x = 1/3 with divergence 0.
    void closedForm()
    {
        Fixture f(closedFormProject());
        const OptimumResult r = SolveOptimum(f.p);
        QVERIFY(r.feasible);
        COMPARE_NEAR(r.divergence, 0.0, 1e-4);
        COMPARE_NEAR(r.mass[1], 100.0 / 3, 1e-4);
        AdoptOptimum(f.p, r);
        COMPARE_NEAR(f.p.CorrectedRecipe[1], 100.0 / 3, 1e-4);
        QCOMPARE(f.p.SBegunok[1].value(), 3333);
        QCOMPARE(f.p.CurveDivergence, 0.0f);
        QCOMPARE(f.p.LabelOptimum.text(), QStringLiteral("Минимально возможное расхождение: 0 %"));
    }

    // Different densities: the optimal volume share 1/3 becomes the mass share
    // 100 * (1/3 * 3) / (1/3 * 3 + 2/3 * 1.5) = 50.
    void densitiesMapVolumeToMass()
    {
        Fixture f(closedFormProject({QStringLiteral("3"), QStringLiteral("1,5")}));
        const OptimumResult r = SolveOptimum(f.p);
        COMPARE_NEAR(r.mass[1], 50.0, 1e-4);
        AdoptOptimum(f.p, r);
        COMPARE_NEAR(f.p.CorrectedVolumeFraction[1], 100.0 / 3, 1e-3);
    }

    // The reference outside the reachable curves: the best is the nearest blend, and a bound
    // that is active at the optimum moves it.
    void activeBoundAndLock()
    {
        Fixture f(closedFormProject());
        f.p.BoundsCheck.setChecked(true);
        f.p.VariationMin.set(1, 50);
        f.p.VariationMax.set(1, 100);
        OptimumResult r = SolveOptimum(f.p);
        QVERIFY(r.feasible);
        COMPARE_NEAR(r.mass[1], 50.0, 1e-4); // on its lower bound
        COMPARE_NEAR(r.divergence, 5.0, 1e-4); // |10 - 30 * 0.5|
        f.p.BoundsCheck.setChecked(false);
        f.p.MLock[2].setChecked(true); // component 2 kept at 50 %
        r = SolveOptimum(f.p);
        COMPARE_NEAR(r.mass[2], 50.0, 1e-4);
        COMPARE_NEAR(r.divergence, 5.0, 1e-4);
    }

    void infeasibleBounds()
    {
        Fixture f(closedFormProject());
        f.p.setCellText(f.p.tabl[1], 1, 0, QStringLiteral("Песок"));
        f.p.BoundsCheck.setChecked(true);
        f.p.VariationMin.set(1, 60);
        f.p.VariationMin.set(2, 60);
        const float before = f.p.CorrectedRecipe[1];
        const OptimumResult r = SolveOptimum(f.p);
        QVERIFY(!r.feasible);
        QVERIFY2(r.problem.contains(QStringLiteral("«Песок»")) && r.problem.contains(QStringLiteral("№2")), qPrintable(r.problem));
        AdoptOptimum(f.p, r);
        QCOMPARE(f.p.CorrectedRecipe[1], before); // nothing changes
    }

    // Partial residues 0/50/50 and 0/20/80 give full passings 100/50/0 and 100/80/0.
    void differentialForm()
    {
        Fixture f(twoCurves({QStringLiteral("0"), QStringLiteral("50"), QStringLiteral("50")},
                            {QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("80")},
                            {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("0")}, {QStringLiteral("2,65"), QStringLiteral("2,65")})
                      .differential());
        const OptimumResult r = SolveOptimum(f.p);
        COMPARE_NEAR(r.divergence, 0.0, 1e-4);
        COMPARE_NEAR(r.mass[1], 200.0 / 3, 1e-4); // 50x + 80(1 - x) = 60 at class 2
        AdoptOptimum(f.p, r);
        COMPARE_NEAR(f.p.CorrectedMixCurve[2], 60.0, 1e-3);
    }

    // The differential project against a manual reference 100/60/30/0: with a volume share x of
    // component 1 the deviations are 10x, |30 - 40x|, |20 - 30x| and 0, smallest in their
    // maximum at x = 0,6 (6, 6, 2, 0). A share of 0,6 with densities 2,5 and 3,75 is the mass
    // recipe 50/50.
    void differentialProjectManualReference()
    {
        Fixture f(TestSupport::differentialProject().manualReference(
            {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("30"), QStringLiteral("0")}));
        QCOMPARE(f.p.CurveDivergence, 10.0f); // 40/60: share 0,5, deviations 5, 10, 5, 0
        const OptimumResult r = SolveOptimum(f.p);
        QVERIFY(r.feasible);
        COMPARE_NEAR(r.divergence, 6.0, 1e-6);
        COMPARE_NEAR(r.mass[1], 50.0, 1e-4);
        COMPARE_NEAR(r.mass[2], 50.0, 1e-4);
        AdoptOptimum(f.p, r);
        COMPARE_NEAR(f.p.CorrectedVolumeFraction[1], 60.0, 1e-3);
        const float curve[] = {94, 66, 32, 0};
        for (int j = 1; j <= 4; ++j)
            COMPARE_NEAR(f.p.CorrectedMixCurve[j], curve[j - 1], 1e-3);
        QCOMPARE(f.p.CurveDivergence, 6.0f);
        QCOMPARE(f.p.LabelOptimum.text(), QStringLiteral("Минимально возможное расхождение: 6 %"));
    }

    // Against its Fuller curve the smallest divergence is the 12,5 of the last class, which no
    // recipe changes (every component passes nothing there); it is reached once
    // 40 (1 - x) <= 12,5, i.e. from a volume share of 0,6875 (mass share 59,46 %) on.
    void differentialProjectFuller()
    {
        Fixture f(TestSupport::differentialProject());
        QCOMPARE(f.p.CurveDivergence, 20.0f);
        const OptimumResult r = SolveOptimum(f.p);
        QVERIFY(r.feasible);
        COMPARE_NEAR(r.divergence, 12.5, 1e-6);
        QVERIFY2(r.mass[1] >= 59.45, qPrintable(QString::number(r.mass[1])));
        AdoptOptimum(f.p, r);
        COMPARE_NEAR(f.p.CurveDivergence, 12.5, 1e-4);
    }

    // After the optimum is adopted the random search never finds a strictly smaller divergence.
    void searchCannotBeatTheOptimum_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("concrete") << QStringLiteral(PALVEX_SOURCE_DIR "/examples/concrete.txt");
        QTest::newRow("dry mix") << QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
    }
    void searchCannotBeatTheOptimum()
    {
        QFETCH(QString, file);
        MixProject p;
        ConnectInputHandlers(p);
        ConnectCorrectionHandlers(p);
        p.startUp();
        QVERIFY(ProjectFile::LoadProject(p, file, nullptr));
        const OptimumResult r = SolveOptimum(p);
        QVERIFY(r.feasible);
        AdoptOptimum(p, r);
        const float optimum = p.CurveDivergence;
        p.AutoCheck.setChecked(true);
        SearchRandom random(5);
        for (int step = 0; step < 20000; ++step) {
            RefreshCorrectionDisplay(p);
            QVERIFY(!AutoSelectionStep(p, random));
        }
        QCOMPARE(p.CurveDivergence, optimum);
    }
};

QTEST_GUILESS_MAIN(TestOptimum)
#include "tst_optimum.moc"
