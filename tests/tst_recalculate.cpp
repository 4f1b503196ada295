#include "core/MixNumbers.h"
#include "core/Numbers.h"
#include "core/ProjectDocument.h"
#include "core/Recalculate.h"
#include "core/Reference.h"
#include "session/ProjectSession.h"

#include "support/CellText.h"
#include "support/Compare.h"
#include "support/ProjectBuilder.h"

#include <QTest>

#include <cmath>

using Reference::Coefficients;
using TestSupport::ProjectBuilder;

namespace {

// A session with a project typed into it; every action recalculates.
struct Fixture
{
    ProjectSession s;
    Fixture() = default;
    explicit Fixture(const ProjectBuilder &project) { QVERIFY(project.typeInto(s)); }
    const MixNumbers &x() const { return s.numbers(); }
    // A cell typed over as a whole; false when the cell took another text.
    bool type(InputTable table, int row, int col, const QString &text)
    {
        s.setCellText(table, row, col, text);
        return s.document().cell(table, row, col).text() == text;
    }
};

} // namespace

class TestRecalculate final : public QObject
{
    Q_OBJECT

private slots:
    void startUpState()
    {
        ProjectSession s;
        const MixNumbers &x = s.numbers();
        const CorrectionState &c = s.correction();
        QCOMPARE(x.correctedRecipe[1], 100.0f);
        for (int i = 2; i <= 10; ++i)
            QCOMPARE(x.correctedRecipe[i], 0.0f);
        QCOMPARE(c.slider[1], 10000);
        QCOMPARE(c.slider[2], 0);
        QCOMPARE(c.sliderLastValue[1], int16_t(10000));
        QCOMPARE(c.sliderLastValue[10], int16_t(0));
        QCOMPARE(c.variationMax[7], 100.0f);
        QCOMPARE(c.searchComponent, int16_t(1));
        // Shaped for N = 1 and K = 2; every conversion failed, so every result is 0.
        QCOMPARE(s.tableRows(InputTable::Compositions), 3);
        QCOMPARE(s.tableColumns(InputTable::Compositions), 2);
        QCOMPARE(s.tableColumns(InputTable::Reference), 3);
        QCOMPARE(txt(s, InputTable::Compositions, 0, 0), QStringLiteral("Dj"));
        QCOMPARE(txt(s, InputTable::Reference, 1, 0), QStringLiteral("A'j"));
        QCOMPARE(txt(s, InputTable::Names, 0, 0), QStringLiteral("1"));
        QCOMPARE(txt(s, InputTable::Reference, 1, 1), QStringLiteral("0"));
        QCOMPARE(txt(s, InputTable::Reference, 1, 2), QStringLiteral("0"));
        QCOMPARE(s.baseRecipeSumText(), QStringLiteral("0"));
        QCOMPARE(x.curveDivergence, 0.0f);
        // The correction shows a slider for component 1 only.
        QCOMPARE(s.componentCount(), 1);
    }

    void workedExample()
    {
        Fixture f(TestSupport::workedExample());
        const MixNumbers &x = f.x();
        COMPARE_NEAR(x.baseVolumeFraction[1], 63.6986, 5e-5);
        COMPARE_NEAR(x.baseVolumeFraction[2], 36.3014, 5e-5);
        COMPARE_NEAR(x.baseMixCurve[1], 100, 1e-4);
        COMPARE_NEAR(x.baseMixCurve[2], 62.7397, 1e-4);
        COMPARE_NEAR(x.baseMixCurve[3], 16.3699, 1e-4);
        // The corrected recipe is still 100 % of component 1.
        COMPARE_NEAR(x.correctedMixCurve[2], 70, 1e-4);
        QCOMPARE(f.s.baseRecipeSumText(), QStringLiteral("100"));
        QCOMPARE(x.maxSize, 5.0f);
        QCOMPARE(x.minSize, 0.16f);
        // Headers follow the names.
        QCOMPARE(txt(f.s, InputTable::Compositions, 0, 2), QStringLiteral("Цемент"));
        QCOMPARE(txt(f.s, InputTable::BaseRecipe, 0, 0), QStringLiteral("Песок"));
        QCOMPARE(txt(f.s, InputTable::Reference, 0, 2), QStringLiteral("1,25"));
        QCOMPARE(f.s.document().componentName(2).text(), QStringLiteral("Цемент")); // the name by slider 2
        // Funk-Dinger, n = 0,5, a = 0 at 1,25 between 5 and 0,16.
        QCOMPARE(txt(f.s, InputTable::Reference, 1, 1), QStringLiteral("100"));
        QCOMPARE(txt(f.s, InputTable::Reference, 1, 2), QStringLiteral("39,11"));
        QCOMPARE(txt(f.s, InputTable::Reference, 1, 3), QStringLiteral("0"));
        COMPARE_NEAR(x.curveDeviation[2], 70 - 39.107157, 1e-4);
        COMPARE_NEAR(x.curveDivergence, 70 - 39.107157, 1e-4);
        COMPARE_NEAR(x.referenceBandUpper[3], 70 - 39.107157, 1e-4);
        COMPARE_NEAR(x.referenceBandLower[1], 100 - (70 - 39.107157), 1e-4);
    }

    // Partial residues are summed down the sizes and the mix is blended from 100 minus those
    // sums (hand calculation beside the project in the test support).
    void differentialForm()
    {
        Fixture f(TestSupport::differentialProject());
        const MixNumbers &x = f.x();
        QCOMPARE(f.s.document().dataForm, GrainDataForm::Differential);
        const float residue1[] = {10, 50, 80, 100}, residue2[] = {0, 10, 50, 100};
        const float base[] = {95, 70, 35, 0}, reference[] = {100, 50, 25, 12.5f}, deviation[] = {5, 20, 10, 12.5f};
        const float upper[] = {120, 70, 45, 32.5f}, lower[] = {80, 30, 5, -7.5f};
        for (int j = 1; j <= 4; ++j) {
            QCOMPARE(x.cumulativeResidue(j, 1), residue1[j - 1]);
            QCOMPARE(x.cumulativeResidue(j, 2), residue2[j - 1]);
            COMPARE_NEAR(x.baseMixCurve[j], base[j - 1], 1e-4);
            COMPARE_NEAR(x.referenceCurve[j], reference[j - 1], 1e-4);
        }
        QCOMPARE(x.baseVolumeFraction[1], 50.0f);
        QCOMPARE(x.baseVolumeFraction[2], 50.0f);
        QCOMPARE(txt(f.s, InputTable::Reference, 1, 4), QStringLiteral("12,5"));

        // The corrected recipe as the base recipe: its curve and the divergence follow.
        ComponentFloats recipe;
        recipe.set(1, 40.0f);
        recipe.set(2, 60.0f);
        f.s.setCorrectedRecipe(recipe);
        for (int j = 1; j <= 4; ++j) {
            COMPARE_NEAR(x.correctedMixCurve[j], base[j - 1], 1e-4);
            COMPARE_NEAR(x.curveDeviation[j], deviation[j - 1], 1e-4);
            COMPARE_NEAR(x.referenceBandUpper[j], upper[j - 1], 1e-4);
            COMPARE_NEAR(x.referenceBandLower[j], lower[j - 1], 1e-4);
        }
        COMPARE_NEAR(x.curveDivergence, 20, 1e-4);

        // The same cells read as full passings give another mix: the option decides.
        f.s.setDataForm(GrainDataForm::Integral);
        COMPARE_NEAR(x.baseMixCurve[1], 5, 1e-4);   // (10 + 0) / 2
        COMPARE_NEAR(x.baseMixCurve[4], 35, 1e-4);  // (20 + 50) / 2
        COMPARE_NEAR(x.curveDivergence, 95, 1e-4);
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
        const auto v = Reference::equationValue(ReferenceKind(kind), c, D, 5.0f, 0.16f);
        QVERIFY(v);
        COMPARE_NEAR(*v, expected, 1e-5);
        // The calculation forms the same values through the equation of its pass.
        const auto same = Reference::Equation(ReferenceKind(kind), c, 5.0f, 0.16f).value(D);
        QVERIFY(same);
        QCOMPARE(*same, *v);
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
        const auto v = Reference::equationValue(ReferenceKind(kind), c, D, Dmax, 0.01f);
        QVERIFY(v);
        COMPARE_NEAR(*v, expected, 0); // QCOMPARE of floats would allow 1e-5 relative
    }

    void equationFailures()
    {
        Coefficients c;
        c.n = 0.5f;
        QVERIFY(!Reference::equationValue(ReferenceKind::FunkDinger, c, 1.0f, 2.0f, 2.0f)); // Dmax = Dmin
        c.n = 0.0f;
        QVERIFY(!Reference::equationValue(ReferenceKind::FunkDinger, c, 1.0f, 5.0f, 0.16f)); // n = 0
        c.n2 = 0.5f;
        QVERIFY(!Reference::equationValue(ReferenceKind::Fuller, c, 1.0f, 0.0f, 0.0f)); // Dmax = 0
        QVERIFY(!Reference::equationValue(ReferenceKind::Fuller, c, -1.0f, 5.0f, 0.0f)); // invalid power
        // Unreadable exponents count as 0: Fuller and Hummel give 100 everywhere.
        Coefficients zero;
        QCOMPARE(*Reference::equationValue(ReferenceKind::Hummel, zero, 1.25f, 5.0f, 0.16f), 100.0f);
        QCOMPARE(*Reference::equationValue(ReferenceKind::Bolomey, zero, 1.25f, 5.0f, 0.16f), 50.0f);
    }

    void manualReferenceDivergence()
    {
        Fixture f(ProjectBuilder()
                      .densities({QStringLiteral("2,65")})
                      .baseRecipe({QStringLiteral("100")})
                      .sizes({QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")})
                      .composition(1, {QStringLiteral("95"), QStringLiteral("62"), QStringLiteral("25")})
                      .manualReference({QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("20")}));
        const MixNumbers &x = f.x();
        QCOMPARE(x.curveDeviation[1], 5.0f);
        QCOMPARE(x.curveDeviation[2], 2.0f);
        QCOMPARE(x.curveDeviation[3], 5.0f);
        QCOMPARE(x.curveDivergence, 5.0f);
        const float upper[] = {105, 65, 25}, lower[] = {95, 55, 15};
        for (int j = 1; j <= 3; ++j) {
            QCOMPARE(x.referenceBandUpper[j], upper[j - 1]);
            QCOMPARE(x.referenceBandLower[j], lower[j - 1]);
        }
        // Nothing is written back into the typed row.
        QCOMPARE(txt(f.s, InputTable::Reference, 1, 2), QStringLiteral("60"));
    }

    // A failing step keeps its target's previous value.
    void failuresKeepPreviousValues()
    {
        Fixture f(ProjectBuilder()
                      .densities({QStringLiteral("2,65"), QStringLiteral("2,65")})
                      .baseRecipe({QStringLiteral("60"), QStringLiteral("40")})
                      .sizes({QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,16")}));
        const MixNumbers &x = f.x();
        QCOMPARE(x.baseVolumeFraction[1], 60.0f);
        // Funk-Dinger n = 0,5, a = 0 at 1,25 between 5 and 0,16.
        COMPARE_NEAR(x.referenceCurve[2], 39.107157, 1e-5);

        // A density of 0: no volume fraction of the pass is updated, though the recipe changed.
        QVERIFY(f.type(InputTable::Densities, 1, 1, QStringLiteral("0")));
        QVERIFY(f.type(InputTable::BaseRecipe, 1, 0, QStringLiteral("50")));
        QVERIFY(f.type(InputTable::BaseRecipe, 1, 1, QStringLiteral("50")));
        QCOMPARE(x.baseRecipe[1], 50.0f);
        QCOMPARE(x.baseVolumeFraction[1], 60.0f);
        QCOMPARE(x.baseVolumeFraction[2], 40.0f);

        // An empty cell leaves its number as it was.
        QVERIFY(f.type(InputTable::Densities, 1, 1, QStringLiteral("2,65")));
        QVERIFY(f.type(InputTable::BaseRecipe, 1, 0, QString()));
        QCOMPARE(x.baseRecipe[1], 50.0f);
        QCOMPARE(x.baseVolumeFraction[1], 50.0f);

        // Dmax = Dmin: Funk-Dinger cannot be formed, the old value stays and is shown again.
        // (All three sizes change in one paste: a size typed alone would form a new curve.)
        f.s.paste(InputTable::Compositions, QStringLiteral("1\r1\r1"));
        for (int j = 1; j <= 3; ++j)
            QCOMPARE(f.s.document().size(j).text(), QStringLiteral("1"));
        COMPARE_NEAR(x.referenceCurve[2], 39.107157, 1e-5);
        QCOMPARE(txt(f.s, InputTable::Reference, 1, 2), QStringLiteral("39,11"));

        // An unreadable coefficient counts as 0: Hummel gives 100 at every class.
        f.s.setReferenceKind(ReferenceKind::Hummel);
        QVERIFY(f.type(InputTable::Compositions, 1, 0, QStringLiteral("5")));
        f.s.setCoefficientText(Coefficient::HummelM, QStringLiteral("abc"));
        QCOMPARE(x.referenceCurve[2], 100.0f);
    }

    void sizeClassesBeyondTheStorage()
    {
        QStringList sizes, values;
        for (int j = 1; j <= 60; ++j) {
            sizes << QString::number(61 - j);
            values << QString::number(100 - j);
        }
        ProjectSession s;
        QVERIFY(ProjectBuilder()
                    .densities({QStringLiteral("2,65")})
                    .baseRecipe({QStringLiteral("100")})
                    .sizes(sizes)
                    .composition(1, values)
                    .typeInto(s)); // must not touch storage beyond class 50
        const MixNumbers &x = s.numbers();
        QCOMPARE(s.tableRows(InputTable::Compositions), 61);
        QCOMPARE(s.tableColumns(InputTable::Reference), 61);
        QCOMPARE(x.sieveSize[50], 11.0f);
        QCOMPARE(txt(s, InputTable::Reference, 0, 60), QStringLiteral("1"));
        QCOMPARE(x.maxSize, 60.0f);
        QCOMPARE(x.minSize, 1.0f); // a scalar: read from the last row even beyond the class storage
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
        QCOMPARE(f.x().curveDivergence, 60.0f);
        f.s.setClassCountText(QStringLiteral("4"));
        QCOMPARE(f.x().curveDivergence, 0.0f);
        QCOMPARE(f.x().minSize, 3.0f);
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
        QCOMPARE(f.x().grainDensity[5], 2.5f);
        f.s.setComponentCount(3);
        QCOMPARE(f.s.tableColumns(InputTable::Names), 3);
        QCOMPARE(f.s.tableColumns(InputTable::Compositions), 4);
        QCOMPARE(f.x().grainDensity[5], 2.5f);
        QCOMPARE(f.x().baseRecipe[4], 20.0f);
        // The correction shows the rows of components 1..3 only.
        QCOMPARE(f.s.componentCount(), 3);
        for (int i = 4; i <= 10; ++i) {
            QVERIFY(!f.s.sliderEnabled(i));
            QVERIFY(!f.s.componentControlsEnabled(i));
        }
        QVERIFY(f.s.sliderEnabled(3));
        QCOMPARE(f.s.baseRecipeSumText(), QStringLiteral("60"));
    }

    void sameDensitiesInOnePass()
    {
        Fixture f(ProjectBuilder()
                      .baseRecipe({QStringLiteral("50"), QStringLiteral("30"), QStringLiteral("20")})
                      .densities({QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")})
                      .counts(3, 2));
        QCOMPARE(f.x().baseVolumeFraction[1], 50.0f);
        QCOMPARE(f.x().baseVolumeFraction[2], 30.0f);
        QCOMPARE(f.x().baseVolumeFraction[3], 20.0f);
        // Editing component 3's mass changes the fractions of 1 and 2 in the same pass.
        QVERIFY(f.type(InputTable::BaseRecipe, 1, 2, QStringLiteral("70")));
        QCOMPARE(f.x().baseVolumeFraction[1], 33.333332f);
    }

    // The bounds switch is the user's: no calculation turns it off or on, and a component that
    // a larger N shows again gets its bounds while the switch is on.
    void boundsSwitchSurvivesRecalculation()
    {
        Fixture f(ProjectBuilder().counts(2, 2));
        QVERIFY(!f.s.correction().boundsOn);
        QVERIFY(f.type(InputTable::Densities, 1, 0, QStringLiteral("2,65")));
        QVERIFY(!f.s.correction().boundsOn);
        f.s.setBoundsOn(true);
        QVERIFY(f.type(InputTable::Densities, 1, 1, QStringLiteral("3,1")));
        f.s.setComponentCount(3);
        QVERIFY(f.s.correction().boundsOn);
        QCOMPARE(f.s.correction().variationMin[3], 0.0f);
        QCOMPARE(f.s.correction().variationMax[3], 100.0f);
    }

    // Typing a project cell by cell recalculates after every cell; the state it ends in is the
    // one a single calculation of the finished document gives, and a calculation repeated on
    // its own result changes nothing.
    void repeatedRecalculation()
    {
        Fixture typed(TestSupport::workedExample());
        typed.s.setClassCountText(QStringLiteral("2"));
        MixNumbers once;
        once.correctedRecipe.set(1, 100.0f);
        recalculate(typed.s.document(), once);
        QCOMPARE(once.curveDivergence, typed.x().curveDivergence);
        QCOMPARE(once.baseMixCurve[2], typed.x().baseMixCurve[2]);
        QCOMPARE(Num::formatRounded(double(once.referenceCurve[2]), 2), txt(typed.s, InputTable::Reference, 1, 2));
        MixNumbers twice = once;
        recalculate(typed.s.document(), twice);
        QVERIFY(twice == once);
        MixNumbers again = typed.x();
        recalculate(typed.s.document(), again);
        QVERIFY(again == typed.x());
    }
};

QTEST_GUILESS_MAIN(TestRecalculate)
#include "tst_recalculate.moc"
