#include "correction/Optimum.h"
#include "session/ProjectSession.h"

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

// A session with the project typed in, its corrected recipe at the base recipe.
struct Fixture
{
    ProjectSession s;
    explicit Fixture(const ProjectBuilder &project)
    {
        QVERIFY(project.typeInto(s));
        s.resetToBase();
    }
    OptimumResult solve() const { return Optimum::solve(s.document(), s.numbers(), s.correction()); }
    const MixNumbers &x() const { return s.numbers(); }
    // "Найти оптимальный состав": the recipe it adopts is the one solve() gives.
    void adopt(const OptimumResult &expected)
    {
        const OptimumResult r = s.findBestRecipe();
        QCOMPARE(r.feasible, expected.feasible);
        QCOMPARE(r.divergence, expected.divergence);
        for (int i = 1; i <= MaxComponents; ++i)
            QCOMPARE(r.mass[size_t(i)], expected.mass[size_t(i)]);
    }
    void setBounds(int i, float lower, float upper)
    {
        ComponentFloats lo = s.correction().variationMin, hi = s.correction().variationMax;
        lo.set(i, lower);
        hi.set(i, upper);
        s.setBounds(lo, hi);
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
        const OptimumResult r = f.solve();
        QVERIFY(r.feasible);
        COMPARE_NEAR(r.divergence, 0.0, 1e-4);
        COMPARE_NEAR(r.mass[1], 100.0 / 3, 1e-4);
        f.adopt(r);
        if (QTest::currentTestFailed())
            return;
        COMPARE_NEAR(f.x().correctedRecipe[1], 100.0 / 3, 1e-4);
        QCOMPARE(f.s.correction().slider[1], 3333);
        QCOMPARE(f.x().curveDivergence, 0.0f);
        QCOMPARE(f.s.optimumNote(), QStringLiteral("Минимально возможное расхождение: 0 %"));
    }

    // Different densities: the optimal volume share 1/3 becomes the mass share
    // 100 * (1/3 * 3) / (1/3 * 3 + 2/3 * 1.5) = 50.
    void densitiesMapVolumeToMass()
    {
        Fixture f(closedFormProject({QStringLiteral("3"), QStringLiteral("1,5")}));
        const OptimumResult r = f.solve();
        COMPARE_NEAR(r.mass[1], 50.0, 1e-4);
        f.adopt(r);
        if (QTest::currentTestFailed())
            return;
        COMPARE_NEAR(f.x().correctedVolumeFraction[1], 100.0 / 3, 1e-3);
    }

    // The reference outside the reachable curves: the best is the nearest blend, and a bound
    // that is active at the optimum moves it.
    void activeBoundAndLock()
    {
        Fixture f(closedFormProject());
        f.s.setBoundsOn(true);
        f.setBounds(1, 50, 100);
        OptimumResult r = f.solve();
        QVERIFY(r.feasible);
        COMPARE_NEAR(r.mass[1], 50.0, 1e-4); // on its lower bound
        COMPARE_NEAR(r.divergence, 5.0, 1e-4); // |10 - 30 * 0.5|
        f.s.setBoundsOn(false);
        f.s.setLocked(2, true); // component 2 kept at 50 %
        r = f.solve();
        COMPARE_NEAR(r.mass[2], 50.0, 1e-4);
        COMPARE_NEAR(r.divergence, 5.0, 1e-4);
    }

    void infeasibleBounds()
    {
        Fixture f(closedFormProject());
        f.s.setCellText(InputTable::Names, 1, 0, QStringLiteral("Песок"));
        f.s.setBoundsOn(true);
        f.setBounds(1, 60, 100);
        f.setBounds(2, 60, 100);
        const float before = f.x().correctedRecipe[1];
        const OptimumResult r = f.solve();
        QVERIFY(!r.feasible);
        QVERIFY2(r.problem.contains(QStringLiteral("«Песок»")) && r.problem.contains(QStringLiteral("№2")), qPrintable(r.problem));
        f.adopt(r);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(f.x().correctedRecipe[1], before); // nothing changes
        QVERIFY(f.s.optimumNote().isEmpty());
    }

    // Partial residues 0/50/50 and 0/20/80 give full passings 100/50/0 and 100/80/0.
    void differentialForm()
    {
        Fixture f(twoCurves({QStringLiteral("0"), QStringLiteral("50"), QStringLiteral("50")},
                            {QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("80")},
                            {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("0")}, {QStringLiteral("2,65"), QStringLiteral("2,65")})
                      .differential());
        const OptimumResult r = f.solve();
        COMPARE_NEAR(r.divergence, 0.0, 1e-4);
        COMPARE_NEAR(r.mass[1], 200.0 / 3, 1e-4); // 50x + 80(1 - x) = 60 at class 2
        f.adopt(r);
        if (QTest::currentTestFailed())
            return;
        COMPARE_NEAR(f.x().correctedMixCurve[2], 60.0, 1e-3);
    }

    // The differential project against a manual reference 100/60/30/0: with a volume share x of
    // component 1 the deviations are 10x, |30 - 40x|, |20 - 30x| and 0, smallest in their
    // maximum at x = 0,6 (6, 6, 2, 0). A share of 0,6 with densities 2,5 and 3,75 is the mass
    // recipe 50/50.
    void differentialProjectManualReference()
    {
        Fixture f(TestSupport::differentialProject().manualReference(
            {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("30"), QStringLiteral("0")}));
        QCOMPARE(f.x().curveDivergence, 10.0f); // 40/60: share 0,5, deviations 5, 10, 5, 0
        const OptimumResult r = f.solve();
        QVERIFY(r.feasible);
        COMPARE_NEAR(r.divergence, 6.0, 1e-6);
        COMPARE_NEAR(r.mass[1], 50.0, 1e-4);
        COMPARE_NEAR(r.mass[2], 50.0, 1e-4);
        f.adopt(r);
        if (QTest::currentTestFailed())
            return;
        COMPARE_NEAR(f.x().correctedVolumeFraction[1], 60.0, 1e-3);
        const float curve[] = {94, 66, 32, 0};
        for (int j = 1; j <= 4; ++j)
            COMPARE_NEAR(f.x().correctedMixCurve[j], curve[j - 1], 1e-3);
        QCOMPARE(f.x().curveDivergence, 6.0f);
        QCOMPARE(f.s.optimumNote(), QStringLiteral("Минимально возможное расхождение: 6 %"));
    }

    // Against its Fuller curve the smallest divergence is the 12,5 of the last class, which no
    // recipe changes (every component passes nothing there); it is reached once
    // 40 (1 - x) <= 12,5, i.e. from a volume share of 0,6875 (mass share 59,46 %) on.
    void differentialProjectFuller()
    {
        Fixture f(TestSupport::differentialProject());
        QCOMPARE(f.x().curveDivergence, 20.0f);
        const OptimumResult r = f.solve();
        QVERIFY(r.feasible);
        COMPARE_NEAR(r.divergence, 12.5, 1e-6);
        QVERIFY2(r.mass[1] >= 59.45, qPrintable(QString::number(r.mass[1])));
        f.adopt(r);
        if (QTest::currentTestFailed())
            return;
        COMPARE_NEAR(f.x().curveDivergence, 12.5, 1e-4);
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
        ProjectSession s;
        QString error;
        QVERIFY2(s.openProject(file, &error), qPrintable(error));
        const OptimumResult r = Optimum::solve(s.document(), s.numbers(), s.correction());
        QVERIFY(r.feasible);
        QVERIFY(s.findBestRecipe().feasible);
        const float optimum = s.numbers().curveDivergence;
        s.setSearchOn(true);
        QVERIFY(s.correction().searchOn);
        s.searchRandom().seed(5);
        for (int step = 0; step < 20000; ++step)
            QCOMPARE(s.runSearch(1), 0);
        QCOMPARE(s.numbers().curveDivergence, optimum);
    }
};

QTEST_GUILESS_MAIN(TestOptimum)
#include "tst_optimum.moc"
