#include "core/MixProject.h"
#include "core/Numbers.h"
#include "core/Recalculate.h"
#include "core/Reference.h"

#include "support/CellText.h"
#include "support/Compare.h"
#include "support/ProjectBuilder.h"

#include <QTest>

#include <cmath>

using TestSupport::ProjectBuilder;

namespace {

// A started project (no input handlers: every step recalculates explicitly).
struct Fixture
{
    MixProject p;
    Fixture() { p.startUp(); }
    explicit Fixture(const ProjectBuilder &project)
    {
        p.startUp();
        QVERIFY(project.typeInto(p));
    }
};

} // namespace

class TestRecalculate final : public QObject
{
    Q_OBJECT

private slots:
    void startUpState()
    {
        MixProject p;
        p.startUp();
        QCOMPARE(p.CorrectedRecipe[1], 100.0f);
        for (int i = 2; i <= 10; ++i)
            QCOMPARE(p.CorrectedRecipe[i], 0.0f);
        QCOMPARE(p.SBegunok[1].value(), 10000);
        QCOMPARE(p.SBegunok[2].value(), 0);
        QCOMPARE(p.SliderLastValue[1], int16_t(10000));
        QCOMPARE(p.SliderLastValue[10], int16_t(0));
        QCOMPARE(p.VariationMax[7], 100.0f);
        QCOMPARE(p.SearchComponent, int16_t(1));
        // Shaped for N = 1 and K = 2; every conversion failed, so every result is 0.
        QCOMPARE(p.tabl[3].rows(), 3);
        QCOMPARE(p.tabl[3].cols(), 2);
        QCOMPARE(p.tabl[5].cols(), 3);
        QCOMPARE(txt(p.tabl[3], 0, 0), QStringLiteral("Dj"));
        QCOMPARE(txt(p.tabl[5], 1, 0), QStringLiteral("A'j"));
        QCOMPARE(txt(p.tabl[1], 0, 0), QStringLiteral("1"));
        QCOMPARE(txt(p.tabl[5], 1, 1), QStringLiteral("0"));
        QCOMPARE(txt(p.tabl[5], 1, 2), QStringLiteral("0"));
        QCOMPARE(p.mass0_sum.text(), QStringLiteral("0"));
        QCOMPARE(p.CurveDivergence, 0.0f);
        QVERIFY(p.SBegunok[1].isVisible());
        QVERIFY(!p.SBegunok[2].isVisible());
    }

    void workedExample()
    {
        Fixture f(TestSupport::workedExample());
        MixProject &p = f.p;
        COMPARE_NEAR(p.BaseVolumeFraction[1], 63.6986, 5e-5);
        COMPARE_NEAR(p.BaseVolumeFraction[2], 36.3014, 5e-5);
        COMPARE_NEAR(p.BaseMixCurve[1], 100, 1e-4);
        COMPARE_NEAR(p.BaseMixCurve[2], 62.7397, 1e-4);
        COMPARE_NEAR(p.BaseMixCurve[3], 16.3699, 1e-4);
        // The corrected recipe is still 100 % of component 1.
        COMPARE_NEAR(p.CorrectedMixCurve[2], 70, 1e-4);
        QCOMPARE(p.mass0_sum.text(), QStringLiteral("100"));
        QCOMPARE(p.MaxSize, 5.0f);
        QCOMPARE(p.MinSize, 0.16f);
        // Headers follow the names.
        QCOMPARE(txt(p.tabl[3], 0, 2), QStringLiteral("Цемент"));
        QCOMPARE(txt(p.tabl[4], 0, 0), QStringLiteral("Песок"));
        QCOMPARE(txt(p.tabl[5], 0, 2), QStringLiteral("1,25"));
        QCOMPARE(p.k_name[2].text(), QStringLiteral("Цемент"));
        // Funk-Dinger, n = 0,5, a = 0 at 1,25 between 5 and 0,16.
        QCOMPARE(txt(p.tabl[5], 1, 1), QStringLiteral("100"));
        QCOMPARE(txt(p.tabl[5], 1, 2), QStringLiteral("39,11"));
        QCOMPARE(txt(p.tabl[5], 1, 3), QStringLiteral("0"));
        COMPARE_NEAR(p.CurveDeviation[2], 70 - 39.107157, 1e-4);
        COMPARE_NEAR(p.CurveDivergence, 70 - 39.107157, 1e-4);
        COMPARE_NEAR(p.ReferenceBandUpper[3], 70 - 39.107157, 1e-4);
        COMPARE_NEAR(p.ReferenceBandLower[1], 100 - (70 - 39.107157), 1e-4);
    }

    // Partial residues are summed down the sizes and the mix is blended from 100 minus those
    // sums (hand calculation beside the project in the test support).
    void differentialForm()
    {
        Fixture f(TestSupport::differentialProject());
        MixProject &p = f.p;
        QVERIFY(p.Data_type_2.isChecked());
        const float residue1[] = {10, 50, 80, 100}, residue2[] = {0, 10, 50, 100};
        const float base[] = {95, 70, 35, 0}, reference[] = {100, 50, 25, 12.5f}, deviation[] = {5, 20, 10, 12.5f};
        const float upper[] = {120, 70, 45, 32.5f}, lower[] = {80, 30, 5, -7.5f};
        for (int j = 1; j <= 4; ++j) {
            QCOMPARE(p.CumulativeResidue(j, 1), residue1[j - 1]);
            QCOMPARE(p.CumulativeResidue(j, 2), residue2[j - 1]);
            COMPARE_NEAR(p.BaseMixCurve[j], base[j - 1], 1e-4);
            COMPARE_NEAR(p.ReferenceCurve[j], reference[j - 1], 1e-4);
        }
        QCOMPARE(p.BaseVolumeFraction[1], 50.0f);
        QCOMPARE(p.BaseVolumeFraction[2], 50.0f);
        QCOMPARE(txt(p.tabl[5], 1, 4), QStringLiteral("12,5"));

        // The corrected recipe as the base recipe: its curve and the divergence follow.
        p.CorrectedRecipe.set(1, 40.0f);
        p.CorrectedRecipe.set(2, 60.0f);
        Recalculate(p);
        for (int j = 1; j <= 4; ++j) {
            COMPARE_NEAR(p.CorrectedMixCurve[j], base[j - 1], 1e-4);
            COMPARE_NEAR(p.CurveDeviation[j], deviation[j - 1], 1e-4);
            COMPARE_NEAR(p.ReferenceBandUpper[j], upper[j - 1], 1e-4);
            COMPARE_NEAR(p.ReferenceBandLower[j], lower[j - 1], 1e-4);
        }
        COMPARE_NEAR(p.CurveDivergence, 20, 1e-4);

        // The same cells read as full passings give another mix: the option decides.
        p.selectDataForm(GrainDataForm::Integral);
        Recalculate(p);
        COMPARE_NEAR(p.BaseMixCurve[1], 5, 1e-4);   // (10 + 0) / 2
        COMPARE_NEAR(p.BaseMixCurve[4], 35, 1e-4);  // (20 + 50) / 2
        COMPARE_NEAR(p.CurveDivergence, 95, 1e-4);
    }

    void equations_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<float>("coef1");
        QTest::addColumn<float>("coef2");
        QTest::addColumn<float>("D");
        QTest::addColumn<double>("expected");
        QTest::newRow("Funk-Dinger 0,5") << 1 << 0.5f << 0.0f << 1.25f << 39.107157;
        QTest::newRow("Funk-Dinger at Dmax") << 1 << 0.5f << 0.0f << 5.0f << 100.0;
        QTest::newRow("Funk-Dinger at Dmin") << 1 << 0.5f << 0.0f << 0.16f << 0.0;
        QTest::newRow("Funk-Dinger 0,37 a 0,1") << 1 << 0.37f << 0.1f << 1.25f << 49.853756;
        QTest::newRow("Funk-Dinger a 0,1 at Dmin") << 1 << 0.37f << 0.1f << 0.16f << 10.0;
        QTest::newRow("Fuller 0,5") << 2 << 0.5f << 0.0f << 1.25f << 50.0;
        QTest::newRow("Fuller at Dmax") << 2 << 0.37f << 0.0f << 5.0f << 100.0;
        QTest::newRow("Hummel 0,1") << 3 << 0.1f << 0.0f << 1.25f << 87.055056;
        QTest::newRow("Bolomey 10") << 4 << 10.0f << 0.0f << 1.25f << 55.0;
        QTest::newRow("Bolomey at Dmax") << 4 << 14.0f << 0.0f << 5.0f << 100.0;
    }
    void equations()
    {
        QFETCH(int, kind);
        QFETCH(float, coef1);
        QFETCH(float, coef2);
        QFETCH(float, D);
        QFETCH(double, expected);
        Coefficients c;
        c.n = c.n2 = c.m = c.B = coef1;
        c.a = coef2;
        const auto v = EquationValue(ReferenceKind(kind), c, D, 5.0f, 0.16f);
        QVERIFY(v);
        COMPARE_NEAR(*v, expected, 1e-5);
    }

    // Fuller and Hummel store the ratio D / Dmax as a float before the power: the result is
    // the float nearest to 100 * (float ratio)^e, which differs in its last place from the
    // power of the exact ratio. Expected: the float ratio written out (0,16 / 10 stored as
    // 0.0159999989), raised by hand to the exponent (100 * sqrt(0.0159999989) = 12.64911020),
    // then the nearest float; the exact ratio would give the next float up (12.6491108).
    void powerLawRatioIsAFloat_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<float>("exponent");
        QTest::addColumn<float>("D");
        QTest::addColumn<float>("Dmax");
        QTest::addColumn<float>("expected");
        QTest::newRow("Fuller 0,16 of 10") << 2 << 0.5f << 0.16f << 10.0f << 12.649109840393066f;
        QTest::newRow("Fuller 2,5 of 7") << 2 << 0.5f << 2.5f << 7.0f << 59.76143264770508f;
        QTest::newRow("Hummel 0,071 of 2,5") << 3 << 0.1f << 0.071f << 2.5f << 70.03768920898438f;
        QTest::newRow("Hummel 0,16 of 0,315") << 3 << 0.1f << 0.16f << 0.315f << 93.45034790039062f;
    }
    void powerLawRatioIsAFloat()
    {
        QFETCH(int, kind);
        QFETCH(float, exponent);
        QFETCH(float, D);
        QFETCH(float, Dmax);
        QFETCH(float, expected);
        Coefficients c;
        c.n2 = c.m = exponent;
        const auto v = EquationValue(ReferenceKind(kind), c, D, Dmax, 0.01f);
        QVERIFY(v);
        COMPARE_NEAR(*v, expected, 0); // QCOMPARE of floats would allow 1e-5 relative
    }

    void equationFailures()
    {
        Coefficients c;
        c.n = 0.5f;
        QVERIFY(!EquationValue(ReferenceKind::FunkDinger, c, 1.0f, 2.0f, 2.0f)); // Dmax = Dmin
        c.n = 0.0f;
        QVERIFY(!EquationValue(ReferenceKind::FunkDinger, c, 1.0f, 5.0f, 0.16f)); // n = 0
        c.n2 = 0.5f;
        QVERIFY(!EquationValue(ReferenceKind::Fuller, c, 1.0f, 0.0f, 0.0f)); // Dmax = 0
        QVERIFY(!EquationValue(ReferenceKind::Fuller, c, -1.0f, 5.0f, 0.0f)); // invalid power
        // Unreadable exponents count as 0: Fuller and Hummel give 100 everywhere.
        Coefficients zero;
        QCOMPARE(*EquationValue(ReferenceKind::Hummel, zero, 1.25f, 5.0f, 0.16f), 100.0f);
        QCOMPARE(*EquationValue(ReferenceKind::Bolomey, zero, 1.25f, 5.0f, 0.16f), 50.0f);
    }

    void manualReferenceDivergence()
    {
        Fixture f(ProjectBuilder()
                      .densities({QStringLiteral("2,65")})
                      .baseRecipe({QStringLiteral("100")})
                      .sizes({QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")})
                      .composition(1, {QStringLiteral("95"), QStringLiteral("62"), QStringLiteral("25")})
                      .manualReference({QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("20")}));
        const MixProject &p = f.p;
        QCOMPARE(p.CurveDeviation[1], 5.0f);
        QCOMPARE(p.CurveDeviation[2], 2.0f);
        QCOMPARE(p.CurveDeviation[3], 5.0f);
        QCOMPARE(p.CurveDivergence, 5.0f);
        const float upper[] = {105, 65, 25}, lower[] = {95, 55, 15};
        for (int j = 1; j <= 3; ++j) {
            QCOMPARE(p.ReferenceBandUpper[j], upper[j - 1]);
            QCOMPARE(p.ReferenceBandLower[j], lower[j - 1]);
        }
        // Nothing is written back into the typed row.
        QCOMPARE(txt(p.tabl[5], 1, 2), QStringLiteral("60"));
    }

    // A failing step keeps its target's previous value.
    void failuresKeepPreviousValues()
    {
        Fixture f(ProjectBuilder()
                      .densities({QStringLiteral("2,65"), QStringLiteral("2,65")})
                      .baseRecipe({QStringLiteral("60"), QStringLiteral("40")})
                      .sizes({QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,16")}));
        MixProject &p = f.p;
        auto type = [&p](int table, int row, int col, const QString &text) { QVERIFY(p.setCellText(p.tabl[table], row, col, text)); };
        QCOMPARE(p.BaseVolumeFraction[1], 60.0f);
        // Funk-Dinger n = 0,5, a = 0 at 1,25 between 5 and 0,16.
        COMPARE_NEAR(p.ReferenceCurve[2], 39.107157, 1e-5);

        // A density of 0: no volume fraction of the pass is updated, though the recipe changed.
        type(2, 1, 1, QStringLiteral("0"));
        type(4, 1, 0, QStringLiteral("50"));
        type(4, 1, 1, QStringLiteral("50"));
        Recalculate(p);
        QCOMPARE(p.BaseRecipe[1], 50.0f);
        QCOMPARE(p.BaseVolumeFraction[1], 60.0f);
        QCOMPARE(p.BaseVolumeFraction[2], 40.0f);

        // An empty cell leaves its number as it was.
        type(2, 1, 1, QStringLiteral("2,65"));
        type(4, 1, 0, QString());
        Recalculate(p);
        QCOMPARE(p.BaseRecipe[1], 50.0f);
        QCOMPARE(p.BaseVolumeFraction[1], 50.0f);

        // Dmax = Dmin: Funk-Dinger cannot be formed, the old value stays and is shown again.
        for (int j = 1; j <= 3; ++j)
            type(3, j, 0, QStringLiteral("1"));
        Recalculate(p);
        COMPARE_NEAR(p.ReferenceCurve[2], 39.107157, 1e-5);
        QCOMPARE(txt(p.tabl[5], 1, 2), QStringLiteral("39,11"));

        // An unreadable coefficient counts as 0: Hummel gives 100 at every class.
        p.selectReference(ReferenceKind::Hummel);
        type(3, 1, 0, QStringLiteral("5"));
        p.koef_m.setText(QStringLiteral("abc"));
        Recalculate(p);
        QCOMPARE(p.ReferenceCurve[2], 100.0f);
    }

    void sizeClassesBeyondTheStorage()
    {
        QStringList sizes, values;
        for (int j = 1; j <= 60; ++j) {
            sizes << QString::number(61 - j);
            values << QString::number(100 - j);
        }
        MixProject p;
        p.startUp();
        ProjectBuilder()
            .densities({QStringLiteral("2,65")})
            .baseRecipe({QStringLiteral("100")})
            .sizes(sizes)
            .composition(1, values)
            .typeInto(p); // must not touch storage beyond class 50
        QCOMPARE(p.tabl[3].rows(), 61);
        QCOMPARE(p.tabl[5].cols(), 61);
        QCOMPARE(p.SieveSize[50], 11.0f);
        QCOMPARE(txt(p.tabl[5], 0, 60), QStringLiteral("1"));
        QCOMPARE(p.MaxSize, 60.0f);
        QCOMPARE(p.MinSize, 1.0f); // a scalar: read from the last row even beyond the class storage
    }

    void reducingKForgetsClasses()
    {
        Fixture f(ProjectBuilder()
                      .densities({QStringLiteral("2,65")})
                      .baseRecipe({QStringLiteral("100")})
                      .sizes({QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2"),
                              QStringLiteral("1")})
                      .composition(1, {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("60"), QStringLiteral("40"),
                                       QStringLiteral("20"), QStringLiteral("0")})
                      .manualReference({QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("60"), QStringLiteral("40"),
                                        QStringLiteral("50"), QStringLiteral("60")}));
        QCOMPARE(f.p.CurveDivergence, 60.0f);
        f.p.K.setText(QStringLiteral("4"));
        Recalculate(f.p);
        QCOMPARE(f.p.CurveDivergence, 0.0f);
        QCOMPARE(f.p.MinSize, 3.0f);
    }

    void lowerNKeepsStoredValues()
    {
        const QStringList five{QStringLiteral("2,5"), QStringLiteral("2,5"), QStringLiteral("2,5"), QStringLiteral("2,5"),
                               QStringLiteral("2,5")};
        Fixture f(ProjectBuilder()
                      .densities(five)
                      .baseRecipe({QStringLiteral("20"), QStringLiteral("20"), QStringLiteral("20"), QStringLiteral("20"),
                                   QStringLiteral("20")})
                      .counts(5, 2));
        QCOMPARE(f.p.GrainDensity[5], 2.5f);
        f.p.N.setText(QStringLiteral("3"));
        Recalculate(f.p);
        QCOMPARE(f.p.tabl[1].cols(), 3);
        QCOMPARE(f.p.tabl[3].cols(), 4);
        QCOMPARE(f.p.GrainDensity[5], 2.5f);
        QCOMPARE(f.p.BaseRecipe[4], 20.0f);
        for (int i = 4; i <= 10; ++i) {
            QVERIFY(!f.p.SBegunok[i].isVisible());
            QVERIFY(!f.p.MLock[i].isVisible());
        }
        QVERIFY(f.p.SBegunok[3].isVisible());
        QCOMPARE(f.p.mass0_sum.text(), QStringLiteral("60"));
        // The controls under the slider list follow the last visible row.
        QCOMPARE(f.p.IshReset.top(), f.p.SBegunok[3].top() + 500);
        QCOMPARE(f.p.AutoCheck.top(), f.p.IshReset.top() + f.p.IshReset.height() + 200);
    }

    void sameDensitiesInOnePass()
    {
        Fixture f(ProjectBuilder()
                      .baseRecipe({QStringLiteral("50"), QStringLiteral("30"), QStringLiteral("20")})
                      .densities({QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")})
                      .counts(3, 2));
        QCOMPARE(f.p.BaseVolumeFraction[1], 50.0f);
        QCOMPARE(f.p.BaseVolumeFraction[2], 30.0f);
        QCOMPARE(f.p.BaseVolumeFraction[3], 20.0f);
        // Editing component 3's mass changes the fractions of 1 and 2 in the same pass.
        QVERIFY(f.p.setCellText(f.p.tabl[4], 1, 2, QStringLiteral("70")));
        Recalculate(f.p);
        QCOMPARE(f.p.BaseVolumeFraction[1], 33.333332f);
    }

    void boundsMarkersKeepVisibilityWhenUnticked()
    {
        Fixture f(ProjectBuilder().counts(2, 2));
        f.p.MarkerBMin[1].setVisible(true);
        Recalculate(f.p);
        QVERIFY(f.p.MarkerBMin[1].isVisible());
        QVERIFY(!f.p.MarkerBMin[2].isVisible());
        f.p.BoundsCheck.setChecked(true);
        Recalculate(f.p);
        QVERIFY(f.p.MarkerBMin[2].isVisible());
    }

    // A cell event raised while Recalculate reshapes a table runs Recalculate again inside it;
    // the outer call ends with the same state as a plain call.
    void nestedRecalculation()
    {
        Fixture plain, nested;
        int depth = 0, maxDepth = 0;
        for (int k = 1; k <= 5; ++k) {
            auto handler = [&] {
                ++depth;
                maxDepth = std::max(maxDepth, depth);
                Recalculate(nested.p);
                --depth;
            };
            connect(&nested.p.tabl[k], &GridModel::cellEntered, this, handler);
            connect(&nested.p.tabl[k], &GridModel::cellLeft, this, handler);
        }
        for (Fixture *f : {&plain, &nested}) {
            f->p.tabl[3].setCurrentCell(2, 1);
            QVERIFY(TestSupport::workedExample().typeInto(f->p));
            f->p.K.setText(QStringLiteral("2"));
            Recalculate(f->p);
        }
        QVERIFY(maxDepth >= 1);
        QCOMPARE(nested.p.CurveDivergence, plain.p.CurveDivergence);
        QCOMPARE(nested.p.BaseMixCurve[2], plain.p.BaseMixCurve[2]);
        QCOMPARE(txt(nested.p.tabl[5], 1, 2), txt(plain.p.tabl[5], 1, 2));
    }

    void columnWidthsSpreadEvenly()
    {
        Fixture f;
        f.p.tabl[1].setSize(9100, 600);
        f.p.tabl[3].setSize(10250, 3000);
        QVERIFY(ProjectBuilder().counts(3, 2).typeInto(f.p));
        for (int c = 0; c < 3; ++c)
            QCOMPARE(f.p.tabl[1].columnWidth(c), 3000);
        QCOMPARE(f.p.tabl[3].columnWidth(1), 2500);
        QCOMPARE(f.p.tabl[3].columnWidth(0), 2500);
    }
};

QTEST_GUILESS_MAIN(TestRecalculate)
#include "tst_recalculate.moc"
