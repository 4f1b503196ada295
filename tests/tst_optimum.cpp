#include "core/Handlers.h"
#include "core/Recalculate.h"
#include "correction/AutoSelection.h"
#include "correction/ManualCorrection.h"
#include "correction/Optimum.h"
#include "files/ProjectFile.h"

#include <QTest>

namespace {

// Two components and a manual reference over three classes.
struct Fixture
{
    MixProject p;
    Fixture(const QStringList &a1, const QStringList &a2, const QStringList &ref, const QStringList &densities,
            GrainDataForm form = GrainDataForm::Integral)
    {
        ConnectInputHandlers(p);
        ConnectCorrectionHandlers(p);
        p.startUp();
        p.N.setText(QStringLiteral("2"));
        p.K.setText(QString::number(a1.size()));
        p.selectDataForm(form);
        for (int j = 1; j <= a1.size(); ++j) {
            p.setCellText(p.tabl[3], j, 0, QString::number(100 - j));
            p.setCellText(p.tabl[3], j, 1, a1[j - 1]);
            p.setCellText(p.tabl[3], j, 2, a2[j - 1]);
        }
        p.setCellText(p.tabl[2], 1, 0, densities[0]);
        p.setCellText(p.tabl[2], 1, 1, densities[1]);
        p.setCellText(p.tabl[4], 1, 0, QStringLiteral("50"));
        p.setCellText(p.tabl[4], 1, 1, QStringLiteral("50"));
        p.selectReference(ReferenceKind::ManualReference);
        for (int j = 1; j <= ref.size(); ++j)
            p.setCellText(p.tabl[5], 1, j, ref[j - 1]);
        Recalculate(p);
        ResetCorrectedRecipe(p);
    }
};

bool near(double a, double b, double tol = 1e-4)
{
    return std::fabs(a - b) <= tol;
}

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
        Fixture f({QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")},
                  {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("40")},
                  {QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("30")}, {QStringLiteral("2,65"), QStringLiteral("2,65")});
        const OptimumResult r = SolveOptimum(f.p);
        QVERIFY(r.feasible);
        QVERIFY(near(r.divergence, 0.0));
        QVERIFY(near(r.mass[1], 100.0 / 3));
        AdoptOptimum(f.p, r);
        QVERIFY(near(f.p.CorrectedRecipe[1], 100.0 / 3, 1e-4));
        QCOMPARE(f.p.SBegunok[1].value(), 3333);
        QCOMPARE(f.p.CurveDivergence, 0.0f);
        QCOMPARE(f.p.LabelOptimum.text(), QStringLiteral("Минимально возможное расхождение: 0 %"));
    }

    // Different densities: the optimal volume share 1/3 becomes the mass share
    // 100 * (1/3 * 3) / (1/3 * 3 + 2/3 * 1.5) = 50.
    void densitiesMapVolumeToMass()
    {
        Fixture f({QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")},
                  {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("40")},
                  {QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("30")}, {QStringLiteral("3"), QStringLiteral("1,5")});
        const OptimumResult r = SolveOptimum(f.p);
        QVERIFY(near(r.mass[1], 50.0));
        AdoptOptimum(f.p, r);
        QVERIFY(near(f.p.CorrectedVolumeFraction[1], 100.0 / 3, 1e-3));
    }

    // The reference outside the reachable curves: the best is the nearest blend, and a bound
    // that is active at the optimum moves it.
    void activeBoundAndLock()
    {
        Fixture f({QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")},
                  {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("40")},
                  {QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("30")}, {QStringLiteral("2,65"), QStringLiteral("2,65")});
        f.p.BoundsCheck.setChecked(true);
        f.p.VariationMin.set(1, 50);
        f.p.VariationMax.set(1, 100);
        OptimumResult r = SolveOptimum(f.p);
        QVERIFY(r.feasible);
        QVERIFY(near(r.mass[1], 50.0)); // on its lower bound
        QVERIFY(near(r.divergence, 5.0)); // |10 - 30 * 0.5|
        f.p.BoundsCheck.setChecked(false);
        f.p.MLock[2].setChecked(true); // component 2 kept at 50 %
        r = SolveOptimum(f.p);
        QVERIFY(near(r.mass[2], 50.0));
        QVERIFY(near(r.divergence, 5.0));
    }

    void infeasibleBounds()
    {
        Fixture f({QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")},
                  {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("40")},
                  {QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("30")}, {QStringLiteral("2,65"), QStringLiteral("2,65")});
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
        Fixture f({QStringLiteral("0"), QStringLiteral("50"), QStringLiteral("50")},
                  {QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("80")},
                  {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("0")}, {QStringLiteral("2,65"), QStringLiteral("2,65")},
                  GrainDataForm::Differential);
        const OptimumResult r = SolveOptimum(f.p);
        QVERIFY(near(r.divergence, 0.0));
        QVERIFY(near(r.mass[1], 200.0 / 3)); // 50x + 80(1 - x) = 60 at class 2
        AdoptOptimum(f.p, r);
        QVERIFY(near(f.p.CorrectedMixCurve[2], 60.0, 1e-3));
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
